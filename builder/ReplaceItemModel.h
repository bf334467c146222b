// The replace expression page's logic: the type choices, the item rows, the
// selected row and the form, and every operation of the page's buttons and
// list, working on the evaluation model. The page only displays what this
// holds and colours the replaced-text pane from the spans each operation returns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "builder/ItemsCommon.h"
#include "builder/ReplaceItem.h"

class CEvalModel;

class CReplaceItemModel {
public:
  explicit CReplaceItemModel(CEvalModel& model);

  CEvalModel& Model() { return m_model; }
  const std::vector<std::u16string>& Rows() const { return m_aRows; }
  const std::vector<std::u16string>& TypeChoices() const { return m_aTypeChoices; }
  int32_t Selected() const { return m_nSelected; }  // -1: no row selected
  CReplaceItemForm& Form() { return m_form; }
  const CReplaceItemForm& Form() const { return m_form; }
  // The rows' texts, first to last: the template the rows stand for.
  std::u16string Expression() const;

  // Each activation of the page: LoadReplaceItems, then the refresh.
  CItemsResult Activate();
  // The Apply that the first activation posts: regenerates the selected row from
  // the form it was read into, but keeps the row as it was when the new text
  // would compile to a template that produces something else.
  CItemsResult FirstActivationApply();

  CItemsResult Select(int32_t row);  // the list's selection changed; -1 clears it
  CItemsResult Apply();
  CItemsResult Insert();
  CItemsResult Add();
  CItemsResult Remove();
  CItemsResult RemoveAll();
  CItemsResult MoveUp();
  CItemsResult MoveDown();

  // Fills the type choices and the rows from the searcher of the last
  // evaluation (not rebuilt here). Without a searcher the template stays whole
  // in one row.
  void LoadReplaceItems();
  // The logic of the page's list refresh: writes the rows into the replace
  // expression, selects row 0 when none is, evaluates, builds the replaced
  // text, computes the spans and reads the selected row into the form.
  CItemsResult Refresh();
  // Writes the generated text into the row, then refreshes.
  void BuildReplaceItemText(int32_t row, CItemsResult& result);
  void LoadFormFromReplaceItem(int32_t row);

private:
  CItemsResult InsertAt(size_t pos);
  bool SameBehaviour(const std::u16string& before, const std::u16string& after) const;

  CEvalModel& m_model;
  std::vector<std::u16string> m_aTypeChoices;
  std::vector<std::u16string> m_aRows;
  int32_t m_nSelected = -1;
  CReplaceItemForm m_form;
};
