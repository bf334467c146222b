// The search expression page's logic: the item rows, the selected row and the
// form, and every operation of the page's buttons and list, working on the
// evaluation model. The page only displays what this holds and colours the
// sample pane from the spans that each operation returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "builder/ItemsCommon.h"
#include "builder/SearchItem.h"

class CEvalModel;
class CUnicodeSearcher;

class CSearchItemModel {
public:
  // unixMode is read once by the page at its construction (IsUnixSyntax).
  CSearchItemModel(CEvalModel& model, bool unixMode);

  bool UnixMode() const { return m_bUnix; }
  CEvalModel& Model() { return m_model; }
  const std::vector<CSearchItemRow>& Rows() const { return m_aRows; }
  int32_t Selected() const { return m_nSelected; }  // -1: no row selected
  CSearchItemForm& Form() { return m_form; }
  const CSearchItemForm& Form() const { return m_form; }
  // The rows' texts, first to last: the search expression the rows stand for.
  std::u16string Expression() const;

  // Each activation of the page: LoadSearchItems, then the count edits follow the type.
  CItemsResult Activate();
  // The Apply that the first activation posts: regenerates the selected row from
  // the form it was read into, but keeps the row as it was when the new text
  // would compile to something that matches differently.
  CItemsResult FirstActivationApply();

  // The page's buttons and list. Each returns what to redraw and what to show.
  CItemsResult Select(int32_t row);  // the list's selection changed; -1 clears it
  CItemsResult Apply();
  CItemsResult Insert();
  CItemsResult Add();
  CItemsResult Remove();
  CItemsResult RemoveAll();
  CItemsResult MoveUp();
  CItemsResult MoveDown();
  // The type combo changed: the count edits are on only for CountRange.
  void SetType(SearchItemType type);
  // The check run when values leave the controls (also when leaving the page).
  std::optional<CBuilderMessage> CheckForm() const;

  // The operations by their own names; the ones above are made of them.
  // Rebuilds the rows from a new searcher of the current expressions, then refreshes.
  CItemsResult LoadSearchItems();
  // The logic of the page's list refresh: writes the rows into the search
  // expression, selects row 0 when none is, evaluates, computes the spans and
  // reads the selected row into the form.
  CItemsResult Refresh();
  // Checks the form and writes the generated text into the row, then refreshes;
  // false (and message 5000 in result) when the check fails.
  bool BuildSearchItemText(int32_t row, CItemsResult& result);
  // Reads the row into the form; a compile error leaves the form as it was and
  // adds its message to result.
  void LoadFormFromSearchItem(int32_t row, CItemsResult& result);
  void ShowConstraintItem(const CUnicodeSearcher& constraint);

private:
  CItemsResult InsertAt(size_t pos);
  bool SameBehaviour(const std::u16string& before, const std::u16string& after) const;

  CEvalModel& m_model;
  bool m_bUnix;
  std::vector<CSearchItemRow> m_aRows;
  int32_t m_nSelected = -1;
  CSearchItemForm m_form;
};
