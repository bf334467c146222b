// Listing a compiled search expression as item rows.
#include "builder/SearchRows.h"

#include "builder/ItemsCommon.h"
#include "engine/Escape.h"
#include "engine/UnicodeExpression.h"
#include "search/UnicodeSearcher.h"

std::u16string SearchNodeText(const CUnicodeExpression& node, bool unixMode) {
  if (!unixMode) return node.source;
  std::u16string postfix;
  if (!node.OperatorLast(postfix)) return node.source;
  const std::u16string& src = node.source;
  if (src.size() == 1) return postfix;  // '?', '*', '+': the same text either way
  const char16_t open = src[1];
  if (open != u'[' && open != u'(') return src;  // a count stands between operator and bracket
  const std::u16string_view bracket = std::u16string_view(src).substr(1);
  if (GroupLength(bracket) != static_cast<int32_t>(bracket.size())) return src;  // unclosed
  return postfix;
}

std::u16string ConstraintText(const CUnicodeSearcher& constraint, bool unixMode) {
  std::u16string text;
  for (int32_t i = 0; const CUnicodeExpression* node = constraint.GetSearchNode(i); ++i)
    text += SearchNodeText(*node, unixMode);
  for (const CUnicodeSearcher* nested : constraint.constraints) text += ConstraintRowText(*nested, unixMode);
  return text;
}

std::u16string ConstraintRowText(const CUnicodeSearcher& constraint, bool unixMode) {
  const std::u16string text = ConstraintText(constraint, unixMode);
  return constraint.mustMatch ? text : u"!(" + text + u")";
}

std::vector<CSearchItemRow> SearchRowsOf(const CUnicodeSearcher& searcher, bool unixMode) {
  std::vector<CSearchItemRow> rows;
  int32_t n = 0;
  for (int32_t i = 0; const CUnicodeExpression* node = searcher.GetSearchNode(i); ++i) {
    CSearchItemRow row;
    row.text = SearchNodeText(*node, unixMode);
    if (node->op != 0) row.code = FormatNumber(u"%%%d", ++n);
    rows.push_back(std::move(row));
  }
  for (size_t j = 0; j < searcher.constraints.size(); ++j) {
    CSearchItemRow row;
    row.text = ConstraintRowText(*searcher.constraints[j], unixMode);
    row.constraint = j + 1;
    rows.push_back(std::move(row));
  }
  return rows;
}
