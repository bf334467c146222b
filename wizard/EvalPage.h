// CEvalPage: the last page. It shows the sample text and the replaced text
// with the current hit coloured in both, steps through the hits with Previous
// Hit and Next Hit, and hands the expressions over at Finish.
#pragma once

#include <QWizardPage>

#include "wizard/SheetPage.h"

class CCompCtrl;
class CTandrelSheet;
class QPushButton;

class CEvalPage : public QWizardPage, public CSheetPage {
  Q_OBJECT

public:
  explicit CEvalPage(CTandrelSheet& sheet);

  void OnSetActive() override;
  // Finish: the expressions go to the main product's window.
  bool validatePage() override;
  void ShowCurrentHit();

  CCompCtrl* m_ctlSample = nullptr;    // 1007
  CCompCtrl* m_ctlReplaced = nullptr;  // 1006
  QPushButton* m_btnPrevious = nullptr;  // 1019
  QPushButton* m_btnNext = nullptr;      // 1020
  bool m_bFirstActivation = true;

public slots:
  void OnPreviousHit();
  void OnNextHit();

private:
  CTandrelSheet& m_sheet;
};
