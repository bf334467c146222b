// File-dialog filters and the wildcard matcher.
#include "wizard/FileFilter.h"

#include <QStringList>

namespace tandrel {

QString ToQtFilter(const QString& tableFilter) {
  const QStringList parts = tableFilter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    if (description.isEmpty()) break;
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
      QString pattern = p.trimmed();
      patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    // A description that names its patterns already, "Text (*.txt)", keeps its words only.
    if (description.endsWith(u')')) {
      qsizetype open = description.lastIndexOf(u'(');
      if (open > 0) description = description.left(open).trimmed();
    }
    filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return filters.join(QStringLiteral(";;"));
}

bool WildcardMatch(const QString& pattern, const QString& text) {
  // Iterative match with backtracking to the last star: linear in practice.
  qsizetype p = 0, t = 0, star = -1, mark = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == u'?' || (pattern[p] != u'*' && pattern[p] == text[t]))) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      mark = t;
    } else if (star >= 0) {
      p = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace tandrel
