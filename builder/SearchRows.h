// The rows of a compiled search expression: one per node, then one per
// condition, whose texts concatenated give back the expression as compiled.
#pragma once

#include <string>
#include <vector>

#include "builder/SearchItem.h"

class CUnicodeExpression;
class CUnicodeSearcher;

// The row text of one node. Native syntax: its source. UNIX mode: the postfix
// form wherever the UNIX-style translation reads it back to the same node: the
// operator character that stands right before a closed set or group goes after
// it ('*[0-9]' as '[0-9]*', '+2+[0-9]' as '+2[0-9]+'); a count right before the
// bracket ('+3[0-9]'), a wildcard ('+3') and an unclosed bracket ('*[ab') keep
// their source, which the translation leaves alone.
std::u16string SearchNodeText(const CUnicodeExpression& node, bool unixMode);

// The whole text of a condition searcher: its node rows and, after them, its own
// conditions, so that nested "!(...)" parts are kept.
std::u16string ConstraintText(const CUnicodeSearcher& constraint, bool unixMode);
// The row text of a condition: its text, inside "!(" ")" when it must not match
// ("(" ")!" in UNIX mode, which the translation turns into "!(" ")").
std::u16string ConstraintRowText(const CUnicodeSearcher& constraint, bool unixMode);

// All rows of a searcher: nodes with their "%n" codes, then the conditions with
// their indexes j + 1. In UNIX mode the rows are checked: joined and compiled as
// the evaluation compiles them (through the profile's UNIX-style translation)
// they must give the same nodes and conditions; where the postfix forms do not,
// conditions and then nodes fall back to the forms the translation leaves alone.
// In either syntax, when no way of writing the rows compiles back to the same
// searcher (a condition whose text ends in a lone backslash or holds an
// unclosed bracket changes once it is closed) and wholeText is given, the one
// row wholeText instead, so that showing the rows never changes the expression.
std::vector<CSearchItemRow> SearchRowsOf(const CUnicodeSearcher& searcher, bool unixMode,
                                         const std::u16string* wholeText = nullptr);
