// The Evaluation page.
#include "wizard/EvalPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

#include "wizard/CompCtrl.h"
#include "wizard/TandrelSheet.h"

namespace {

// Colours the hit, puts the caret at its start and scrolls its line to the top.
void ShowHit(CCompCtrl* pane, int32_t start, int32_t length, uint32_t color) {
  pane->SetColor(0, -1, 0);
  pane->SetColor(start, start + length, color);
  pane->SetSel(start, start);
  const int32_t line = pane->LineFromChar(start);
  pane->LineScroll(line - pane->GetFirstVisibleLine());
}

}  // namespace

CEvalPage::CEvalPage(CTandrelSheet& sheet) : m_sheet(sheet) {
  setObjectName(QStringLiteral("CEvalPage"));
  setWindowTitle(tr("Tandrel - Evaluation"));

  m_ctlSample = new CCompCtrl(this);
  m_ctlSample->setObjectName(QStringLiteral("IDC_EVAL_SAMPLE"));
  m_ctlSample->SetReadOnly(true);
  m_ctlReplaced = new CCompCtrl(this);
  m_ctlReplaced->setObjectName(QStringLiteral("IDC_EVAL_REPLACED"));
  m_ctlReplaced->SetReadOnly(true);
  auto* sampleLabel = new QLabel(tr("&Sample Text:"), this);
  sampleLabel->setBuddy(m_ctlSample);
  auto* replacedLabel = new QLabel(tr("&Replaced Text:"), this);
  replacedLabel->setBuddy(m_ctlReplaced);

  m_btnPrevious = new QPushButton(tr("&Previous Hit"), this);
  m_btnPrevious->setObjectName(QStringLiteral("IDC_PREVIOUS_HIT"));
  m_btnNext = new QPushButton(tr("&Next Hit"), this);
  m_btnNext->setObjectName(QStringLiteral("IDC_NEXT_HIT"));
  for (QPushButton* b : {m_btnPrevious, m_btnNext}) b->setAutoDefault(false);
  connect(m_btnPrevious, &QPushButton::clicked, this, &CEvalPage::OnPreviousHit);
  connect(m_btnNext, &QPushButton::clicked, this, &CEvalPage::OnNextHit);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_btnPrevious);
  buttons->addWidget(m_btnNext);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sampleLabel);
  layout->addWidget(m_ctlSample, 1);
  layout->addWidget(replacedLabel);
  layout->addWidget(m_ctlReplaced, 1);
  layout->addLayout(buttons);
}

void CEvalPage::OnSetActive() {
  m_sheet.PostWizardButtons(CTandrelSheet::PSWIZB_BACK | CTandrelSheet::PSWIZB_FINISH);
  ShowCurrentHit();
  if (m_bFirstActivation) {
    // Shown again once the page is on screen, so that the panes can scroll.
    QMetaObject::invokeMethod(this, &CEvalPage::OnPreviousHit, Qt::QueuedConnection);
    m_bFirstActivation = false;
  }
}

bool CEvalPage::validatePage() {
  m_sheet.WriteMainWindowExpressions(m_sheet.m_strSearch, m_sheet.m_strReplace);
  return true;
}

void CEvalPage::OnPreviousHit() {
  if (m_sheet.m_nCurHit > 0) --m_sheet.m_nCurHit;
  ShowCurrentHit();
}

void CEvalPage::OnNextHit() {
  if (m_sheet.m_nCurHit < static_cast<int32_t>(m_sheet.m_aHits.size()) - 1) ++m_sheet.m_nCurHit;
  ShowCurrentHit();
}

void CEvalPage::ShowCurrentHit() {
  m_sheet.FindHitsOrReport(this);
  const int32_t shift = m_sheet.BuildReplacedText();
  std::u16string sample = m_sheet.m_strSample;
  std::u16string replaced = m_sheet.m_strReplaced;
  m_ctlSample->ExchangeText(sample, true);
  m_ctlReplaced->ExchangeText(replaced, true);

  if (m_sheet.m_nCurHit < 0 || m_sheet.m_nCurHit >= static_cast<int32_t>(m_sheet.m_aHits.size())) {
    m_ctlSample->SetSel(0, 0);
    m_ctlReplaced->SetSel(0, 0);
    return;
  }
  const CZyHit& hit = m_sheet.m_aHits[static_cast<size_t>(m_sheet.m_nCurHit)];
  const int32_t start = hit.m_nPos / 2;
  ShowHit(m_ctlSample, start, static_cast<int32_t>(hit.m_strFound.size()), m_sheet.m_crString);
  ShowHit(m_ctlReplaced, start + shift, static_cast<int32_t>(hit.m_strReplacement.size()), m_sheet.m_crString);
}
