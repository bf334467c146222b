// CAboutBox: the About dialog, with the enlarged icon, the product line, the
// two links to the maker, the machine's memory and the free disk space, and
// the two help topics (ordering information, licence agreement).
#pragma once

#include <QDialog>

class CBigIcon;
class CHLinkCtrl;
class QLabel;

class CAboutBox : public QDialog {
  Q_OBJECT

public:
  explicit CAboutBox(QWidget* parent = nullptr);

  CHLinkCtrl* m_ctlWebLink = nullptr;   // 1003
  CHLinkCtrl* m_ctlMailLink = nullptr;  // 1002
  CBigIcon* m_ctlBigIcon = nullptr;     // 1008

private slots:
  void OnOrderingInfo();
  void OnLicenseAgreement();

private:
  void OnInitDialog();

  QLabel* m_pProduct = nullptr;  // the first text: product, version, notice
  QLabel* m_pMemory = nullptr;   // 901
  QLabel* m_pDisk = nullptr;     // 906
};
