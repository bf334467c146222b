// CSearchPage: the wizard's second page. The sample text at the top, the search
// expression as a list of items on the left and, on the right, the form that
// describes one item. Every change of the list is written back to the sheet as
// the new search expression and evaluated; the pane shows the current hit and
// the selected item's part of it.
#pragma once

#include <cstdint>

#include "builder/SearchItemModel.h"
#include "builder/pages/BuilderPage.h"

class QComboBox;
class QLineEdit;

class CSearchPage : public CBuilderPage {
  Q_OBJECT

public:
  explicit CSearchPage(CTandrelSheet& sheet);

  void OnSetActive() override;
  // Leaving the page with Next: the form is taken and checked (message 5000).
  bool validatePage() override;
  // bSave false: the form into the controls. true: the controls into the form,
  // then the check; false after message 5000.
  bool DoDataExchange(bool bSave);
  // The list, the form and the pane after every change of the list.
  void RefreshSearchList();

  const CSearchItemModel& Items() const { return m_items; }

  CListView* m_lstChars = nullptr;      // 1009
  QComboBox* m_cmbType = nullptr;       // 1004
  QLineEdit* m_editNoMoreThan = nullptr;  // 1007
  QLineEdit* m_editAtLeast = nullptr;     // 1005
  QLineEdit* m_editString = nullptr;      // 1023

public slots:
  void OnApply();
  void OnInsert();
  void OnMoveDown();
  void OnMoveUp();
  void OnRemove();
  void OnRemoveAll();
  void OnSelChangeType(int index);
  void OnAdd();

protected:
  void OnItemChanged(int row) override;

private:
  void Show(const CItemsResult& result);
  void FillItemList();
  void TakeForm();
  void PutForm();

  CSearchItemModel m_items;
};
