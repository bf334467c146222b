// CBuilderPage: what the Search Expression and Replace Expression pages share:
// the read-only pane at the top, the item list, the seven buttons, the
// message boxes of the builder logic, the colouring of the current hit and of
// the selected item's part in the pane, and the first activation's queued Apply.
#pragma once

#include <QWizardPage>
#include <cstdint>
#include <functional>
#include <string>

#include "builder/ItemsCommon.h"
#include "wizard/SheetPage.h"

class CCompCtrl;
class CListView;
class CTandrelSheet;
class QGridLayout;
class QLabel;
class QPushButton;

class CBuilderPage : public QWizardPage, public CSheetPage {
  Q_OBJECT

public:
  CCompCtrl* m_ctlPane = nullptr;       // 1006
  CListView* m_lstItems = nullptr;      // 1003
  QPushButton* m_btnApply = nullptr;      // 1025
  QPushButton* m_btnInsert = nullptr;     // 1011
  QPushButton* m_btnRemove = nullptr;     // 1012
  QPushButton* m_btnRemoveAll = nullptr;  // 1024
  QPushButton* m_btnMoveUp = nullptr;     // 1014
  QPushButton* m_btnMoveDown = nullptr;   // 1015
  QPushButton* m_btnAdd = nullptr;        // 1013
  bool m_bFirstActivation = true;

protected:
  // paneLabel: the text over the pane, with its mnemonic.
  CBuilderPage(CTandrelSheet& sheet, const QString& paneLabel, const QStringList& listHeaders,
               std::function<std::vector<int>(int)> columnWidths);

  // Runs a handler; an error it raises is reported here and goes no further.
  void Guarded(const std::function<void()>& handler);
  // Shows the message boxes of a result, in order.
  void ShowMessages(const CItemsResult& result);
  // The pane's text, the current hit in m_crString, the selected item's part
  // in m_crFile, the caret at that part and its line scrolled to the top.
  void ShowPane(const CItemsResult& result);
  // Sets the pane's text; the same text again keeps the pane (and its scrolling).
  void SetPaneText(const std::u16string& text);
  // Shows the pane of the last result again (the pane can scroll only once
  // the page is laid out on screen).
  void ShowPaneAgain();
  // The item list's selection changed (user or keyboard).
  virtual void OnItemChanged(int row) = 0;
  // Runs f once the activation is over, as a posted command would.
  void PostAfterActivation(std::function<void()> apply);

  CTandrelSheet& m_sheet;
  QLabel* m_lblPane = nullptr;

private:
  std::u16string m_strShown;  // the pane's text as last set
  bool m_bTextSet = false;
  CItemsResult m_lastPane;
  bool m_bHaveLastPane = false;
};
