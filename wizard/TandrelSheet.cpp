// The window side of the sheet: pages, buttons, captions, help, evaluation
// that reports instead of throwing, and settings stored at destruction.
#include "wizard/TandrelSheet.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <array>
#include <stdexcept>

#include "wizard/EvalPage.h"
#include "wizard/Exchange.h"
#include "wizard/Help.h"
#include "wizard/ProgramIcon.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/SheetPage.h"
#include "wizard/UiHooks.h"

namespace {

std::array<CTandrelSheet::PageFactory, 4>& Factories() {
  static std::array<CTandrelSheet::PageFactory, 4> factories;
  return factories;
}

// Stands in for a page whose own code is not part of this program yet.
class CPlaceholderPage : public QWizardPage {
public:
  explicit CPlaceholderPage(const QString& caption) { setWindowTitle(caption); }
};

CNoMainWindow& NoMainWindow() {
  static CNoMainWindow none;
  return none;
}

}  // namespace

void CTandrelSheet::SetPageFactory(PageIndex page, PageFactory factory) {
  Factories()[static_cast<size_t>(page)] = std::move(factory);
}

CTandrelSheet::CTandrelSheet(CMainWndExchange* exchange, QWidget* parent)
    : QWizard(parent), m_pExchange(exchange != nullptr ? exchange : &NoMainWindow()) {
  setObjectName(QStringLiteral("CTandrelSheet"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::HaveHelpButton, true);
  setOption(QWizard::NoDefaultButton, false);
  setButtonLayout({QWizard::Stretch, QWizard::BackButton, QWizard::NextButton, QWizard::FinishButton,
                   QWizard::CancelButton, QWizard::HelpButton});
  setButtonText(QWizard::BackButton, tr("< &Back"));
  setButtonText(QWizard::NextButton, tr("&Next >"));
  setButtonText(QWizard::FinishButton, tr("Finish"));
  setButtonText(QWizard::CancelButton, tr("Cancel"));
  setButtonText(QWizard::HelpButton, tr("&Help"));
  // No minimise or maximise; the window still sizes so that no translation is cut off.
  setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowTitle(tandrel::LoadQString(57344));
  setWindowIcon(tandrel::ProgramIcon());

  m_pSamplePage = new CSamplePage(*this);
  setPage(kSamplePage, m_pSamplePage);
  const PageFactory& search = Factories()[kSearchPage];
  setPage(kSearchPage, search ? search(*this) : new CPlaceholderPage(tr("Tandrel - Search Expression")));
  const PageFactory& replace = Factories()[kReplacePage];
  setPage(kReplacePage, replace ? replace(*this) : new CPlaceholderPage(tr("Tandrel - Replace Expression")));
  m_pEvalPage = new CEvalPage(*this);
  setPage(kEvalPage, m_pEvalPage);
  setStartId(kSamplePage);

  connect(this, &QWizard::currentIdChanged, this, &CTandrelSheet::OnCurrentIdChanged);
  connect(this, &QWizard::helpRequested, this, &CTandrelSheet::OnHelp);
}

CTandrelSheet::~CTandrelSheet() {
  delete m_pSearcher;
  m_pSearcher = nullptr;
  // After Finish and after Cancel alike.
  StoreSettings();
}

void CTandrelSheet::setVisible(bool visible) {
  if (visible && !m_bInitDone) {
    m_bInitDone = true;
    OnInitDialog();
  }
  QWizard::setVisible(visible);
}

void CTandrelSheet::OnInitDialog() {
  // Before the first page is shown, so that it shows the values loaded here.
  LoadSettings();
  // Room for a few lines of sample text and the longest labels in any language.
  adjustSize();
  resize(size().expandedTo(QSize(640, 480)));
  if (parentWidget() == nullptr) {
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  }
}

void CTandrelSheet::OnCurrentIdChanged(int id) {
  QWizardPage* current = page(id);
  if (current == nullptr) return;
  const QString caption = current->windowTitle();
  setWindowTitle(caption.isEmpty() ? tandrel::LoadQString(57344) : caption);
  if (auto* sheetPage = dynamic_cast<CSheetPage*>(current)) sheetPage->OnSetActive();
}

unsigned CTandrelSheet::HelpContext(int pageIndex) {
  switch (pageIndex) {
    case kSamplePage: return tandrel::kHelpSamplePage;
    case kSearchPage: return tandrel::kHelpSearchPage;
    case kReplacePage: return tandrel::kHelpReplacePage;
    case kEvalPage: return tandrel::kHelpEvalPage;
    default: return 0;
  }
}

void CTandrelSheet::OnHelp() { tandrel::ShowHelpTopic(HelpContext(currentId()), this); }

bool CTandrelSheet::FindHitsOrReport(QWidget* parent) {
  QString problem;
  try {
    FindHits();
    return true;
  } catch (const CExpressionError& error) {
    problem = tr("The search expression cannot be compiled: %1.").arg(QString::fromUtf8(error.what()));
  } catch (const std::exception& error) {
    problem = tr("The expressions cannot be evaluated: %1.").arg(QString::fromUtf8(error.what()));
  }
  // Neither a half-built searcher nor stale hits stay behind.
  delete m_pSearcher;
  m_pSearcher = nullptr;
  m_aHits.clear();
  tandrel::MessageBox(parent, problem);
  return false;
}

void CTandrelSheet::SetWizardButtons(int flags) {
  if (QAbstractButton* back = button(QWizard::BackButton)) back->setEnabled((flags & PSWIZB_BACK) != 0);
  if (QAbstractButton* next = button(QWizard::NextButton)) next->setEnabled((flags & PSWIZB_NEXT) != 0);
  if (QAbstractButton* finish = button(QWizard::FinishButton)) finish->setEnabled((flags & PSWIZB_FINISH) != 0);
}

void CTandrelSheet::PostWizardButtons(int flags) {
  QMetaObject::invokeMethod(this, [this, flags] { SetWizardButtons(flags); }, Qt::QueuedConnection);
}

void CTandrelSheet::ReadMainWindowExpressions(std::u16string& search, std::u16string& replace) {
  std::u16string strSearch, strReplace;
  m_pExchange->ReadFields(strSearch, strReplace);
  // An empty field never clears a value taken from the profile.
  if (!strSearch.empty()) search = strSearch;
  if (!strReplace.empty()) replace = strReplace;
}

void CTandrelSheet::WriteMainWindowExpressions(const std::u16string& search, const std::u16string& replace) {
  m_pExchange->WriteFields(search, replace);
}
