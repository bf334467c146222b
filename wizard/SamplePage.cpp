// The Sample Text page.
#include "wizard/SamplePage.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "engine/UnicodeExpression.h"
#include "search/TextFile.h"
#include "wizard/AboutBox.h"
#include "wizard/CompCtrl.h"
#include "wizard/FileFilter.h"
#include "wizard/QtText.h"
#include "wizard/TandrelSheet.h"
#include "wizard/UiHooks.h"

CSamplePage::CSamplePage(CTandrelSheet& sheet) : m_sheet(sheet) {
  setObjectName(QStringLiteral("CSamplePage"));
  setWindowTitle(tr("Tandrel - Sample Text"));

  m_editSearch = new QLineEdit(this);
  m_editSearch->setObjectName(QStringLiteral("IDC_SEARCH"));
  m_editReplace = new QLineEdit(this);
  m_editReplace->setObjectName(QStringLiteral("IDC_REPLACE"));
  // Long expressions from the profile or the main product are never cut.
  m_editSearch->setMaxLength(INT_MAX);
  m_editReplace->setMaxLength(INT_MAX);
  auto* searchLabel = new QLabel(tr("Search E&xpression:"), this);
  searchLabel->setBuddy(m_editSearch);
  auto* replaceLabel = new QLabel(tr("&Replace Expression:"), this);
  replaceLabel->setBuddy(m_editReplace);
  m_checkCase = new QCheckBox(tr("&Case Sensitive"), this);
  m_checkCase->setObjectName(QStringLiteral("IDC_CASE"));

  m_ctlSample = new CCompCtrl(this);
  m_ctlSample->setObjectName(QStringLiteral("IDC_SAMPLE"));
  m_ctlSample->SetReadOnly(false);
  auto* sampleLabel = new QLabel(tr("&Sample Text:"), this);
  sampleLabel->setBuddy(m_ctlSample);

  m_btnLoad = new QPushButton(tr("&Load from File"), this);
  m_btnLoad->setObjectName(QStringLiteral("IDC_LOAD"));
  m_btnPaste = new QPushButton(tr("&Paste"), this);
  m_btnPaste->setObjectName(QStringLiteral("IDC_PASTE"));
  m_btnAbout = new QPushButton(tr("&About"), this);
  m_btnAbout->setObjectName(QStringLiteral("IDC_ABOUT"));
  for (QPushButton* b : {m_btnLoad, m_btnPaste, m_btnAbout}) b->setAutoDefault(false);
  connect(m_btnLoad, &QPushButton::clicked, this, &CSamplePage::OnLoadFromFile);
  connect(m_btnPaste, &QPushButton::clicked, this, &CSamplePage::OnPaste);
  connect(m_btnAbout, &QPushButton::clicked, this, &CSamplePage::OnAbout);

  auto* fields = new QGridLayout;
  fields->addWidget(searchLabel, 0, 0);
  fields->addWidget(m_editSearch, 0, 1);
  fields->addWidget(replaceLabel, 1, 0);
  fields->addWidget(m_editReplace, 1, 1);
  fields->addWidget(m_checkCase, 2, 1);
  fields->setColumnStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_btnLoad);
  buttons->addWidget(m_btnPaste);
  buttons->addStretch(1);
  buttons->addWidget(m_btnAbout);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addSpacing(4);
  layout->addWidget(sampleLabel);
  layout->addWidget(m_ctlSample, 1);
  layout->addLayout(buttons);
}

void CSamplePage::OnSetActive() {
  DoDataExchange(false);
  // On this page only Next is available.
  m_sheet.PostWizardButtons(CTandrelSheet::PSWIZB_NEXT);
}

bool CSamplePage::validatePage() { return DoDataExchange(true); }

bool CSamplePage::DoDataExchange(bool bSave) {
  if (!bSave) {
    m_editSearch->setText(tandrel::ToQ(m_sheet.m_strSearch));
    m_editReplace->setText(tandrel::ToQ(m_sheet.m_strReplace));
    m_checkCase->setChecked(m_sheet.m_bCaseSensitive != 0);
    return true;
  }
  m_sheet.m_strSearch = tandrel::FromQ(m_editSearch->text());
  m_sheet.m_strReplace = tandrel::FromQ(m_editReplace->text());
  m_sheet.m_bCaseSensitive = m_checkCase->isChecked() ? 1 : 0;

  m_ctlSample->ExchangeText(m_sheet.m_strSample, false);
  g_bCaseSensitive = m_sheet.m_bCaseSensitive;  // before the hits are rebuilt
  if (!m_sheet.FindHitsOrReport(this)) {
    m_editSearch->setFocus();
    return false;
  }
  if (m_sheet.m_strSample.empty()) {
    tandrel::MessageBox(this, tandrel::LoadQString(5000));
    m_checkCase->setFocus();
    return false;
  }
  return true;
}

void CSamplePage::OnLoadFromFile() {
  const QString path = tandrel::GetOpenFileName(this, tandrel::ToQtFilter(tandrel::LoadQString(2138)));
  if (path.isEmpty()) return;
  LoadFile(path);
}

void CSamplePage::LoadFile(const QString& path) {
  if (!tandrel::WildcardMatch(QStringLiteral("*.*"), path)) {
    tandrel::MessageBox(this, tr("File not matched!"));  // the file is loaded all the same
  }
  if (!QFileInfo::exists(path)) return;
  std::u16string text;
  try {
    CTextFileRead file(QFile::encodeName(path).toStdString());
    file.ReadAll(text, u"\r\n");  // a file that cannot be opened gives the empty text
  } catch (const std::exception&) {
    return;  // a read error leaves the pane as it was
  }
  m_ctlSample->ExchangeText(text, true);
}

void CSamplePage::OnPaste() { m_ctlSample->OnEditPaste(); }

void CSamplePage::OnAbout() {
  CAboutBox about(this);
  about.exec();
}
