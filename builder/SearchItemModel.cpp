// The search page's item list and form, driven by the page's operations.
#include "builder/SearchItemModel.h"

#include <memory>

#include "builder/ChainCompare.h"
#include "builder/SearchRows.h"
#include "engine/TextUtil.h"
#include "res/Strings.h"
#include "search/EvalModel.h"

namespace {

void AddMessage(CItemsResult& result, CBuilderMessage message) {
  for (const auto& m : result.messages)
    if (m.kind == message.kind && m.text == message.text) return;  // one box per problem
  result.messages.push_back(std::move(message));
}

void AddCompileError(CItemsResult& result, const CExpressionError& error) {
  AddMessage(result, {CBuilderMessage::Kind::CompileError, FromUtf8(error.what())});
}

CBuilderMessage FormIncomplete() { return {CBuilderMessage::Kind::FormIncomplete, res::LoadString(5000)}; }

// Keeps the messages of an earlier step in front of the ones of the refresh.
CItemsResult Merge(CItemsResult first, CItemsResult then) {
  for (auto& m : then.messages) AddMessage(first, std::move(m));
  then.messages = std::move(first.messages);
  return then;
}

}  // namespace

CSearchItemModel::CSearchItemModel(CEvalModel& model, bool unixMode) : m_model(model), m_bUnix(unixMode) {}

std::u16string CSearchItemModel::Expression() const {
  std::u16string text;
  for (const auto& row : m_aRows) text += row.text;
  return text;
}

CItemsResult CSearchItemModel::LoadSearchItems() {
  CItemsResult result;
  m_aRows.clear();
  m_nSelected = -1;
  try {
    m_model.CreateSearcher();
    m_aRows = SearchRowsOf(*m_model.m_pSearcher, m_bUnix, &m_model.m_strSearch);
  } catch (const CExpressionError& error) {
    AddCompileError(result, error);
    // Nothing to list by: keep the expression whole in one row, so that showing
    // the page leaves it as it is.
    if (!m_model.m_strSearch.empty()) m_aRows.push_back({m_model.m_strSearch, u"", 0});
  }
  return Merge(std::move(result), Refresh());
}

CItemsResult CSearchItemModel::Activate() {
  CItemsResult result = LoadSearchItems();
  m_form.countsEnabled = m_form.type == SearchItemType::CountRange;
  return result;
}

CItemsResult CSearchItemModel::Refresh() {
  CItemsResult result;
  result.refreshed = true;
  if (m_aRows.empty()) {
    m_form.selection.clear();
    m_form.string.clear();
    result.listEmpty = true;
    return result;
  }
  m_model.m_strSearch = Expression();
  if (m_nSelected < 0) m_nSelected = 0;
  try {
    m_model.FindHits();
  } catch (const CExpressionError& error) {
    AddCompileError(result, error);
  }
  result.paneText = m_model.m_strSample;
  const auto& hits = m_model.m_aHits;
  if (m_model.m_nCurHit >= 0 && static_cast<size_t>(m_model.m_nCurHit) < hits.size()) {
    const CZyHit& hit = hits[static_cast<size_t>(m_model.m_nCurHit)];
    const int32_t p = hit.m_nPos / 2;
    result.hasHit = true;
    result.hitStart = p;
    result.hitEnd = p + static_cast<int32_t>(hit.m_strFound.size());
    const uintptr_t k = m_aRows[static_cast<size_t>(m_nSelected)].constraint;
    // A condition index beyond the current conditions reads as an ordinary item.
    if (k != 0 && m_model.m_pSearcher && k <= m_model.m_pSearcher->constraints.size()) {
      ShowConstraintItem(*m_model.m_pSearcher->constraints[k - 1]);
      result.constraintShown = true;
      result.itemStart = result.itemEnd = p;
      return result;
    }
    const CItemSpan span = ItemSpan(hit.m_aItemFound, m_nSelected);
    result.itemStart = p + span.b;
    result.itemEnd = p + span.e;
  }
  LoadFormFromSearchItem(m_nSelected, result);
  return result;
}

bool CSearchItemModel::BuildSearchItemText(int32_t row, CItemsResult& result) {
  if (row < 0 || static_cast<size_t>(row) >= m_aRows.size()) return false;
  if (SearchFormFails(m_form, m_aRows.size())) {
    AddMessage(result, FormIncomplete());
    return false;
  }
  // The code and the condition index stay with the row.
  m_aRows[static_cast<size_t>(row)].text = ::BuildSearchItemText(m_form, m_bUnix);
  result = Merge(std::move(result), Refresh());
  return true;
}

void CSearchItemModel::LoadFormFromSearchItem(int32_t row, CItemsResult& result) {
  if (row < 0 || static_cast<size_t>(row) >= m_aRows.size()) return;
  try {
    ::LoadFormFromSearchItem(m_aRows[static_cast<size_t>(row)].text, m_bUnix, m_form);
  } catch (const CExpressionError& error) {
    AddCompileError(result, error);
  }
}

void CSearchItemModel::ShowConstraintItem(const CUnicodeSearcher& constraint) {
  ::ShowConstraintItem(ConstraintText(constraint, m_bUnix), constraint.mustMatch, m_form);
}

bool CSearchItemModel::SameBehaviour(const std::u16string& before, const std::u16string& after) const {
  if (before == after) return true;
  try {
    // Compared case-sensitively: a change of letter case must count as a change.
    CCaseFlagGuard caseFlag(1);
    CUnicodeSearcher a(&before, nullptr);
    CUnicodeSearcher b(&after, nullptr);
    return SameSearcher(a, b);
  } catch (const CExpressionError&) {
    return false;
  }
}

CItemsResult CSearchItemModel::FirstActivationApply() {
  CItemsResult result;
  if (m_nSelected < 0 || static_cast<size_t>(m_nSelected) >= m_aRows.size()) return result;
  if (SearchFormFails(m_form, m_aRows.size())) {
    AddMessage(result, FormIncomplete());
    return result;
  }
  CSearchItemForm form = m_form;
  const std::u16string text = ::BuildSearchItemText(form, m_bUnix);
  std::vector<CSearchItemRow> candidate = m_aRows;
  candidate[static_cast<size_t>(m_nSelected)].text = text;
  std::u16string after;
  for (const auto& row : candidate) after += row.text;
  if (!SameBehaviour(Expression(), after)) return result;  // the row stays as it was read
  m_form = std::move(form);
  m_aRows = std::move(candidate);
  return Merge(std::move(result), Refresh());
}

CItemsResult CSearchItemModel::Select(int32_t row) {
  if (row < 0 || static_cast<size_t>(row) >= m_aRows.size()) {
    m_nSelected = -1;
    return {};
  }
  if (row == m_nSelected) return {};
  m_nSelected = row;
  return Refresh();
}

CItemsResult CSearchItemModel::Apply() {
  CItemsResult result;
  if (m_nSelected < 0) return result;
  BuildSearchItemText(m_nSelected, result);
  return result;
}

CItemsResult CSearchItemModel::InsertAt(size_t pos) {
  CItemsResult result;
  m_aRows.insert(m_aRows.begin() + static_cast<std::ptrdiff_t>(pos), CSearchItemRow{u" ", u"", 0});
  // Generated in place; when the check fails the row keeps its one space.
  if (SearchFormFails(m_form, m_aRows.size()))
    AddMessage(result, FormIncomplete());
  else
    m_aRows[pos].text = ::BuildSearchItemText(m_form, m_bUnix);
  m_nSelected = static_cast<int32_t>(pos);
  return Merge(std::move(result), Refresh());
}

CItemsResult CSearchItemModel::Insert() {
  return InsertAt(m_nSelected < 0 ? m_aRows.size() : static_cast<size_t>(m_nSelected));
}

CItemsResult CSearchItemModel::Add() { return InsertAt(m_aRows.size()); }

CItemsResult CSearchItemModel::Remove() {
  if (m_aRows.empty() || m_nSelected < 0) return {};
  m_aRows.erase(m_aRows.begin() + m_nSelected);
  if (static_cast<size_t>(m_nSelected) >= m_aRows.size()) m_nSelected = static_cast<int32_t>(m_aRows.size()) - 1;
  return Refresh();
}

CItemsResult CSearchItemModel::RemoveAll() {
  m_aRows.clear();
  m_nSelected = -1;
  return Refresh();
}

CItemsResult CSearchItemModel::MoveUp() {
  if (m_aRows.empty() || m_nSelected <= 0) return {};
  // A moved row carries only its text.
  const CSearchItemRow moved{m_aRows[static_cast<size_t>(m_nSelected)].text, u"", 0};
  m_aRows.erase(m_aRows.begin() + m_nSelected);
  --m_nSelected;
  m_aRows.insert(m_aRows.begin() + m_nSelected, moved);
  return Refresh();
}

CItemsResult CSearchItemModel::MoveDown() {
  if (m_aRows.empty() || m_nSelected < 0 || static_cast<size_t>(m_nSelected) + 1 >= m_aRows.size()) return {};
  const CSearchItemRow moved{m_aRows[static_cast<size_t>(m_nSelected)].text, u"", 0};
  m_aRows.erase(m_aRows.begin() + m_nSelected);
  ++m_nSelected;
  m_aRows.insert(m_aRows.begin() + m_nSelected, moved);
  return Refresh();
}

void CSearchItemModel::SetType(SearchItemType type) {
  m_form.type = type;
  m_form.countsEnabled = type == SearchItemType::CountRange;
}

std::optional<CBuilderMessage> CSearchItemModel::CheckForm() const {
  if (SearchFormFails(m_form, m_aRows.size())) return FormIncomplete();
  return std::nullopt;
}
