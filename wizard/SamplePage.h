// CSamplePage: the first page. The user edits the two expressions and the case
// flag, and types, pastes or loads the sample text. Next copies the sample into
// the sheet, sets the engine's case flag and evaluates.
#pragma once

#include <QWizardPage>

#include "wizard/SheetPage.h"

class CCompCtrl;
class CTandrelSheet;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CSamplePage : public QWizardPage, public CSheetPage {
  Q_OBJECT

public:
  explicit CSamplePage(CTandrelSheet& sheet);

  void OnSetActive() override;
  // Next: save the fields; false keeps the wizard on the page.
  bool validatePage() override;
  // bSave false: the sheet's values into the controls; true: back, then evaluate.
  bool DoDataExchange(bool bSave);

  // Load from File without the dialog: the path's wildcard test, then the file
  // read with CR LF line ends into the pane.
  void LoadFile(const QString& path);

  QLineEdit* m_editSearch = nullptr;    // 1017
  QLineEdit* m_editReplace = nullptr;   // 1018
  QCheckBox* m_checkCase = nullptr;     // 1022
  CCompCtrl* m_ctlSample = nullptr;     // 1006
  QPushButton* m_btnLoad = nullptr;     // 1001
  QPushButton* m_btnPaste = nullptr;    // 1002
  QPushButton* m_btnAbout = nullptr;    // 1003

public slots:
  void OnLoadFromFile();
  void OnPaste();
  void OnAbout();

private:
  CTandrelSheet& m_sheet;
};
