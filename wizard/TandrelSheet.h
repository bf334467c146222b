// CTandrelSheet: the wizard window with its four pages in order (Sample Text,
// Search Expression, Replace Expression, Evaluation) and, at the same time,
// the evaluation model all pages share, with the settings, the two highlight
// colours and the exchange with the main product.
//
// The builder pages (Search Expression, Replace Expression) are made by page
// factories installed with SetPageFactory before a sheet is constructed; a
// slot without a factory gets an empty placeholder page.
#pragma once

#include <QString>
#include <QWizard>
#include <cstdint>
#include <functional>
#include <string>

#include "search/EvalModel.h"

class CEvalPage;
class CMainWndExchange;
class CSamplePage;

class CTandrelSheet : public QWizard, public CEvalModel {
  Q_OBJECT

public:
  enum PageIndex { kSamplePage = 0, kSearchPage = 1, kReplacePage = 2, kEvalPage = 3 };
  // Wizard buttons as the pages ask for them.
  enum { PSWIZB_BACK = 1, PSWIZB_NEXT = 2, PSWIZB_FINISH = 4 };

  using PageFactory = std::function<QWizardPage*(CTandrelSheet& sheet)>;
  // For kSearchPage and kReplacePage; an empty function restores the placeholder.
  static void SetPageFactory(PageIndex page, PageFactory factory);

  // exchange: the main product's window; null for none. Not owned.
  explicit CTandrelSheet(CMainWndExchange* exchange = nullptr, QWidget* parent = nullptr);
  ~CTandrelSheet() override;

  // The model's settings and colours.
  void LoadSettings();
  void StoreSettings();
  bool ReadOptionColor(const QString& valueName, uint32_t* pColor);
  void ReadMainWindowExpressions(std::u16string& search, std::u16string& replace);
  void WriteMainWindowExpressions(const std::u16string& search, const std::u16string& replace);

  // FindHits for the pages: an expression that does not compile is reported
  // in a message box over parent and leaves no searcher and no hits; false then.
  bool FindHitsOrReport(QWidget* parent);

  // Enables the wizard buttons that flags names (PSWIZB_*), posted by the pages.
  void SetWizardButtons(int flags);
  void PostWizardButtons(int flags);

  CSamplePage* SamplePage() const { return m_pSamplePage; }
  CEvalPage* EvalPage() const { return m_pEvalPage; }
  // The help topic of a page.
  static unsigned HelpContext(int pageIndex);

  uint32_t m_crString = 255;      // the current hit, in every pane
  uint32_t m_crFile = 0xFF0000;   // the selected item's part of it (builder pages)

  void setVisible(bool visible) override;

protected:
  // Runs once, before the window is first shown and before the first page is.
  virtual void OnInitDialog();

private:
  void OnCurrentIdChanged(int id);
  void OnHelp();

  CMainWndExchange* m_pExchange;
  CSamplePage* m_pSamplePage = nullptr;
  CEvalPage* m_pEvalPage = nullptr;
  bool m_bInitDone = false;
};
