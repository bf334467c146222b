// The replace page's item list and form, driven by the page's operations.
#include "builder/ReplaceItemModel.h"

#include <cstddef>
#include <memory>

#include "builder/ChainCompare.h"
#include "engine/TextUtil.h"
#include "search/EvalModel.h"

CReplaceItemModel::CReplaceItemModel(CEvalModel& model) : m_model(model) {
  m_aTypeChoices = ReplaceTypeChoices(nullptr);
}

std::u16string CReplaceItemModel::Expression() const {
  std::u16string text;
  for (const auto& row : m_aRows) text += row;
  return text;
}

void CReplaceItemModel::LoadReplaceItems() {
  const CUnicodeSearcher* searcher = m_model.m_pSearcher;
  m_aTypeChoices = ReplaceTypeChoices(searcher);
  m_aRows = searcher ? ReplaceRowsOf(*searcher, m_model.m_strReplace) : std::vector<std::u16string>{m_model.m_strReplace};
  m_nSelected = -1;
  m_form.type = 0;  // the refilled combo has no selection
}

CItemsResult CReplaceItemModel::Activate() {
  LoadReplaceItems();
  return Refresh();
}

CItemsResult CReplaceItemModel::Refresh() {
  CItemsResult result;
  result.refreshed = true;
  m_form.upperCase = false;
  m_form.lowerCase = false;
  if (m_aRows.empty()) {
    m_form.string.clear();
    result.listEmpty = true;
    return result;
  }
  m_model.m_strReplace = Expression();
  if (m_nSelected < 0) m_nSelected = 0;
  try {
    m_model.FindHits();
  } catch (const CExpressionError& error) {
    result.messages.push_back({CBuilderMessage::Kind::CompileError, FromUtf8(error.what())});
  }
  const int32_t shift = m_model.BuildReplacedText();
  result.paneText = m_model.m_strReplaced;
  const auto& hits = m_model.m_aHits;
  if (m_model.m_nCurHit >= 0 && static_cast<size_t>(m_model.m_nCurHit) < hits.size()) {
    const CZyHit& hit = hits[static_cast<size_t>(m_model.m_nCurHit)];
    const int32_t q = hit.m_nPos / 2 + shift;
    result.hasHit = true;
    result.hitStart = q;
    result.hitEnd = q + static_cast<int32_t>(hit.m_strReplacement.size());
    const CItemSpan span = ItemSpan(hit.m_aItemReplace, m_nSelected);
    result.itemStart = q + span.b;
    result.itemEnd = q + span.e;
  }
  LoadFormFromReplaceItem(m_nSelected);
  return result;
}

void CReplaceItemModel::BuildReplaceItemText(int32_t row, CItemsResult& result) {
  if (row < 0 || static_cast<size_t>(row) >= m_aRows.size()) return;
  m_aRows[static_cast<size_t>(row)] = ::BuildReplaceItemText(m_form);
  CItemsResult refreshed = Refresh();
  refreshed.messages.insert(refreshed.messages.begin(), result.messages.begin(), result.messages.end());
  result = std::move(refreshed);
}

void CReplaceItemModel::LoadFormFromReplaceItem(int32_t row) {
  if (row < 0 || static_cast<size_t>(row) >= m_aRows.size()) return;
  ::LoadFormFromReplaceItem(m_aRows[static_cast<size_t>(row)], m_aTypeChoices.size(), m_form);
}

bool CReplaceItemModel::SameBehaviour(const std::u16string& before, const std::u16string& after) const {
  if (before == after) return true;
  CUnicodeExpression* head = m_model.m_pSearcher ? m_model.m_pSearcher->head : nullptr;
  CUnicodeReplaceExpression a(head, &before, nullptr);
  CUnicodeReplaceExpression b(head, &after, nullptr);
  return SameTemplate(&a, &b);
}

CItemsResult CReplaceItemModel::FirstActivationApply() {
  CItemsResult result;
  if (m_nSelected < 0 || static_cast<size_t>(m_nSelected) >= m_aRows.size()) return result;
  CReplaceItemForm form = m_form;
  std::vector<std::u16string> candidate = m_aRows;
  candidate[static_cast<size_t>(m_nSelected)] = ::BuildReplaceItemText(form);
  std::u16string after;
  for (const auto& row : candidate) after += row;
  if (!SameBehaviour(Expression(), after)) return result;  // the row stays as it was read
  m_form = std::move(form);
  m_aRows = std::move(candidate);
  return Refresh();
}

CItemsResult CReplaceItemModel::Select(int32_t row) {
  if (row < 0 || static_cast<size_t>(row) >= m_aRows.size()) {
    m_nSelected = -1;
    return {};
  }
  if (row == m_nSelected) return {};
  m_nSelected = row;
  return Refresh();
}

CItemsResult CReplaceItemModel::Apply() {
  CItemsResult result;
  if (m_nSelected < 0) return result;
  BuildReplaceItemText(m_nSelected, result);
  return result;
}

CItemsResult CReplaceItemModel::InsertAt(size_t pos) {
  m_aRows.insert(m_aRows.begin() + static_cast<std::ptrdiff_t>(pos), u" ");
  m_aRows[pos] = ::BuildReplaceItemText(m_form);
  m_nSelected = static_cast<int32_t>(pos);
  return Refresh();
}

CItemsResult CReplaceItemModel::Insert() {
  return InsertAt(m_nSelected < 0 ? m_aRows.size() : static_cast<size_t>(m_nSelected));
}

CItemsResult CReplaceItemModel::Add() { return InsertAt(m_aRows.size()); }

CItemsResult CReplaceItemModel::Remove() {
  if (m_aRows.empty() || m_nSelected < 0) return {};
  m_aRows.erase(m_aRows.begin() + m_nSelected);
  if (static_cast<size_t>(m_nSelected) >= m_aRows.size()) m_nSelected = static_cast<int32_t>(m_aRows.size()) - 1;
  return Refresh();
}

CItemsResult CReplaceItemModel::RemoveAll() {
  m_aRows.clear();
  m_nSelected = -1;
  return Refresh();
}

CItemsResult CReplaceItemModel::MoveUp() {
  if (m_aRows.empty() || m_nSelected <= 0) return {};
  std::swap(m_aRows[static_cast<size_t>(m_nSelected)], m_aRows[static_cast<size_t>(m_nSelected) - 1]);
  --m_nSelected;
  return Refresh();
}

CItemsResult CReplaceItemModel::MoveDown() {
  if (m_aRows.empty() || m_nSelected < 0 || static_cast<size_t>(m_nSelected) + 1 >= m_aRows.size()) return {};
  std::swap(m_aRows[static_cast<size_t>(m_nSelected)], m_aRows[static_cast<size_t>(m_nSelected) + 1]);
  ++m_nSelected;
  return Refresh();
}
