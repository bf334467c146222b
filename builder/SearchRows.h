// The rows of a compiled search expression: one per node, then one per
// condition, whose texts concatenated give back the expression as compiled.
#pragma once

#include <string>
#include <vector>

#include "builder/SearchItem.h"

class CUnicodeExpression;
class CUnicodeSearcher;

// The row text of one node. Native syntax: its source. UNIX mode: the postfix
// form where the UNIX-style translation reads it back to the same node (an
// operator directly before a closed set or group, '*[0-9]' as '[0-9]*'); a
// counted node ('+3[0-9]'), a counted wildcard ('+3') and an unclosed bracket
// ('*[ab') keep their source, which the translation leaves alone.
std::u16string SearchNodeText(const CUnicodeExpression& node, bool unixMode);

// The whole text of a condition searcher: its node rows and, after them, its own
// conditions, so that nested "!(...)" parts are kept.
std::u16string ConstraintText(const CUnicodeSearcher& constraint, bool unixMode);
// The row text of a condition: its text, inside "!(" ")" when it must not match.
std::u16string ConstraintRowText(const CUnicodeSearcher& constraint, bool unixMode);

// All rows of a searcher: nodes with their "%n" codes, then the conditions with
// their indexes j + 1.
std::vector<CSearchItemRow> SearchRowsOf(const CUnicodeSearcher& searcher, bool unixMode);
