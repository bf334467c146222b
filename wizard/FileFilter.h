// The file-open dialog's filter and the wildcard test of Load from File.
#pragma once

#include <QString>

namespace tandrel {

// "All Files|*.*||" (description|patterns pairs, ';' between patterns, an
// empty description ends the list) as a Qt name filter. "*.*" means every
// file there, so it becomes "*".
QString ToQtFilter(const QString& tableFilter);

// The whole of text against pattern: '*' any run of characters (none too),
// '?' any one character, everything else itself. Dots are not special, so
// "*.*" matches any text that holds a dot.
bool WildcardMatch(const QString& pattern, const QString& text);

}  // namespace tandrel
