// The About box.
#include "wizard/AboutBox.h"

#include <QDate>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/Strings.h"
#include "wizard/AboutFormat.h"
#include "wizard/BigIcon.h"
#include "wizard/HLinkCtrl.h"
#include "wizard/Help.h"
#include "wizard/QtText.h"

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CAboutBox"));
  setWindowTitle(tr("About Tandrel"));

  m_ctlBigIcon = new CBigIcon(this);
  m_ctlBigIcon->setObjectName(QStringLiteral("IDC_BIGICON"));
  m_pProduct = new QLabel(tr("Tandrel Version 0.3.0.0\nCopyright \u00A9 2008 Pellucor\n"
                             "The search and replace expression wizard"),
                          this);
  m_pProduct->setObjectName(QStringLiteral("IDC_PRODUCT"));
  m_ctlWebLink = new CHLinkCtrl(this);
  m_ctlWebLink->setObjectName(QStringLiteral("IDC_WEB_LINK"));
  m_ctlMailLink = new CHLinkCtrl(this);
  m_ctlMailLink->setObjectName(QStringLiteral("IDC_MAIL_LINK"));

  auto* memoryLabel = new QLabel(tr("Available Memory:"), this);
  m_pMemory = new QLabel(this);
  m_pMemory->setObjectName(QStringLiteral("IDC_MEMORY"));
  auto* diskLabel = new QLabel(tr("Disk Space:"), this);
  m_pDisk = new QLabel(this);
  m_pDisk->setObjectName(QStringLiteral("IDC_DISK"));

  auto* distribution = new QLabel(tr("Tandrel and its help pages may be copied and given away freely, as long as "
                                     "they stay complete and unchanged. Questions and suggestions are welcome at "
                                     "support@pellucor.example."),
                                  this);
  distribution->setObjectName(QStringLiteral("IDC_DISTRIBUTION"));
  distribution->setWordWrap(true);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("IDOK"));
  ok->setDefault(true);
  auto* ordering = new QPushButton(tr("&Ordering Info..."), this);
  ordering->setObjectName(QStringLiteral("IDC_ORDERING"));
  auto* license = new QPushButton(tr("&License Agreement"), this);
  license->setObjectName(QStringLiteral("IDC_LICENSE"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(ordering, &QPushButton::clicked, this, &CAboutBox::OnOrderingInfo);
  connect(license, &QPushButton::clicked, this, &CAboutBox::OnLicenseAgreement);

  auto* figures = new QGridLayout;
  figures->addWidget(memoryLabel, 0, 0);
  figures->addWidget(m_pMemory, 0, 1);
  figures->addWidget(diskLabel, 1, 0);
  figures->addWidget(m_pDisk, 1, 1);
  figures->setColumnStretch(1, 1);

  auto* text = new QVBoxLayout;
  text->addWidget(m_pProduct);
  text->addWidget(m_ctlWebLink);
  text->addWidget(m_ctlMailLink);
  text->addSpacing(6);
  text->addLayout(figures);
  text->addSpacing(6);
  text->addWidget(distribution);
  text->addStretch(1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(ordering);
  buttons->addWidget(license);
  buttons->addStretch(1);

  auto* iconColumn = new QVBoxLayout;
  iconColumn->addWidget(m_ctlBigIcon);
  iconColumn->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(iconColumn);
  layout->addLayout(text, 1);
  layout->addLayout(buttons);

  OnInitDialog();
}

void CAboutBox::OnInitDialog() {
  m_ctlWebLink->SetShadow(false);
  m_ctlMailLink->SetShadow(false);
  m_ctlWebLink->SetLink(tandrel::ToQ(res::kMakerWeb), tandrel::LoadQString(2324));
  m_ctlMailLink->SetLink(tandrel::ToQ(res::kMakerMail), tandrel::LoadQString(2325));

  m_pMemory->setText(tandrel::FormatMemory(tandrel::TotalPhysicalMemory()));
  m_pDisk->setText(tandrel::FormatDiskSpace(tandrel::FreeDiskSpace(QDir::currentPath())));

  m_pProduct->setText(tandrel::ReplaceYear(m_pProduct->text(), QDate::currentDate().year()));
  setWindowTitle(windowTitle() + tr(" (64-bit)"));
  setMinimumWidth(sizeHint().width());
}

void CAboutBox::OnOrderingInfo() { tandrel::ShowHelpTopic(tandrel::kHelpOrderingInfo, this); }
void CAboutBox::OnLicenseAgreement() { tandrel::ShowHelpTopic(tandrel::kHelpLicense, this); }
