// CReplacePage: the wizard's third page. The replaced text at the top, the
// replace expression as a list of items on the left and, on the right, the
// form of one item: a literal string or a part of the match, with its case.
// Every change of the list is written back to the sheet as the new replace
// expression and evaluated; the pane shows the current hit's replacement and
// the selected item's output in it.
#pragma once

#include "builder/ReplaceItemModel.h"
#include "builder/pages/BuilderPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CReplacePage : public CBuilderPage {
  Q_OBJECT

public:
  explicit CReplacePage(CTandrelSheet& sheet);

  void OnSetActive() override;
  // bSave false: the form into the controls; true: the controls into the form.
  void DoDataExchange(bool bSave);
  void RefreshReplaceList();

  const CReplaceItemModel& Items() const { return m_items; }

  QCheckBox* m_chkUpperCase = nullptr;  // 1016
  QCheckBox* m_chkLowerCase = nullptr;  // 1017
  QComboBox* m_cmbType = nullptr;       // 1004
  QLineEdit* m_editString = nullptr;    // 1023

public slots:
  void OnApply();
  void OnInsert();
  void OnMoveDown();
  void OnMoveUp();
  void OnRemove();
  void OnRemoveAll();
  void OnAdd();

protected:
  void OnItemChanged(int row) override;

private:
  void Show(const CItemsResult& result);
  void FillTypeCombo();
  void FillItemList();

  CReplaceItemModel m_items;
};
