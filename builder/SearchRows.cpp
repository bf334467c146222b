// Listing a compiled search expression as item rows.
#include "builder/SearchRows.h"

#include "builder/ChainCompare.h"
#include "builder/ItemsCommon.h"
#include "engine/Escape.h"
#include "engine/UnicodeExpression.h"
#include "search/UnicodeSearcher.h"

std::u16string SearchNodeText(const CUnicodeExpression& node, bool unixMode) {
  const std::u16string& src = node.source;
  if (!unixMode || node.op == 0) return src;
  // The operator and count before a set or group hold no bracket and no backslash.
  const size_t b = src.find_first_of(u"[(");
  if (b == std::u16string::npos || b == 0) return src;  // a wildcard, or no operator written
  const std::u16string_view bracket = std::u16string_view(src).substr(b);
  if (GroupLength(bracket) != static_cast<int32_t>(bracket.size())) return src;  // unclosed
  const char16_t adjacent = src[b - 1];
  if (adjacent != u'?' && adjacent != u'*' && adjacent != u'+') return src;  // a count stands before the bracket
  // The translation moves the one character after the bracket to just before
  // it, which gives the source back whatever follows.
  return src.substr(0, b - 1) + std::u16string(bracket) + adjacent;
}

namespace {

// How UNIX-mode rows are written: postfix nodes where they read back, and
// conditions as "(...)!"; either can be turned off when the translation of the
// whole does not give the expression back.
struct CUnixForms {
  bool postfixNodes = true;
  bool postfixConditions = true;
};

std::u16string NodeText(const CUnicodeExpression& node, bool unixMode, CUnixForms forms) {
  return SearchNodeText(node, unixMode && forms.postfixNodes);
}

std::u16string ConditionText(const CUnicodeSearcher& constraint, bool unixMode, CUnixForms forms);

std::u16string ConditionRow(const CUnicodeSearcher& constraint, bool unixMode, CUnixForms forms) {
  const std::u16string text = ConditionText(constraint, unixMode, forms);
  if (constraint.mustMatch) return text;
  // In UNIX mode the postfix form: a set or group row before it must not take
  // the '!' for its own operator. After an unclosed bracket, which takes all the
  // rest, the translation leaves the prefix form alone instead.
  return unixMode && forms.postfixConditions ? u"(" + text + u")!" : u"!(" + text + u")";
}

std::u16string ConditionText(const CUnicodeSearcher& constraint, bool unixMode, CUnixForms forms) {
  std::u16string text;
  for (int32_t i = 0; const CUnicodeExpression* node = constraint.GetSearchNode(i); ++i)
    text += NodeText(*node, unixMode, forms);
  for (const CUnicodeSearcher* nested : constraint.constraints) text += ConditionRow(*nested, unixMode, forms);
  return text;
}

std::vector<CSearchItemRow> RowsOf(const CUnicodeSearcher& searcher, bool unixMode, CUnixForms forms) {
  std::vector<CSearchItemRow> rows;
  int32_t n = 0;
  for (int32_t i = 0; const CUnicodeExpression* node = searcher.GetSearchNode(i); ++i) {
    CSearchItemRow row;
    row.text = NodeText(*node, unixMode, forms);
    if (node->op != 0) row.code = FormatNumber(u"%%%d", ++n);
    rows.push_back(std::move(row));
  }
  for (size_t j = 0; j < searcher.constraints.size(); ++j) {
    CSearchItemRow row;
    row.text = ConditionRow(*searcher.constraints[j], unixMode, forms);
    row.constraint = j + 1;
    rows.push_back(std::move(row));
  }
  return rows;
}

// Whether the rows, joined and compiled as the evaluation compiles them, give
// the same nodes and conditions as the searcher they were listed from.
bool ReadsBack(const CUnicodeSearcher& searcher, const std::vector<CSearchItemRow>& rows) {
  std::u16string joined;
  for (const auto& row : rows) joined += row.text;
  try {
    CUnicodeSearcher again(&joined, nullptr);
    return SameSearcher(searcher, again);
  } catch (const CExpressionError&) {
    return false;
  }
}

}  // namespace

std::u16string ConstraintText(const CUnicodeSearcher& constraint, bool unixMode) {
  return ConditionText(constraint, unixMode, CUnixForms{});
}

std::u16string ConstraintRowText(const CUnicodeSearcher& constraint, bool unixMode) {
  return ConditionRow(constraint, unixMode, CUnixForms{});
}

std::vector<CSearchItemRow> SearchRowsOf(const CUnicodeSearcher& searcher, bool unixMode,
                                         const std::u16string* wholeText) {
  std::vector<CSearchItemRow> rows = RowsOf(searcher, unixMode, CUnixForms{});
  if (ReadsBack(searcher, rows)) return rows;
  if (unixMode) {
    // The UNIX-style translation works on the whole text, so a row's neighbours
    // matter; fall back to the forms it leaves alone.
    for (CUnixForms forms : {CUnixForms{true, false}, CUnixForms{false, false}}) {
      std::vector<CSearchItemRow> other = RowsOf(searcher, unixMode, forms);
      if (ReadsBack(searcher, other)) return other;
    }
  }
  if (wholeText != nullptr && !wholeText->empty()) return {CSearchItemRow{*wholeText, u"", 0}};
  return rows;
}
