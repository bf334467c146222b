// The help window: one browser, reused for every topic.
#include "wizard/Help.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "wizard/ProgramIcon.h"

namespace tandrel {
namespace {

QPointer<QWidget>& HelpWindow() {
  static QPointer<QWidget> window;
  return window;
}

}  // namespace

QString HelpPageForContext(unsigned context) {
  switch (context) {
    case kHelpAboutBox: return QStringLiteral("qrc:/help/about.html");
    case kHelpSamplePage: return QStringLiteral("qrc:/help/sample.html");
    case kHelpSearchPage: return QStringLiteral("qrc:/help/search.html");
    case kHelpReplacePage: return QStringLiteral("qrc:/help/replace.html");
    case kHelpEvalPage: return QStringLiteral("qrc:/help/evaluation.html");
    case kHelpOrderingInfo: return QStringLiteral("qrc:/help/ordering.html");
    case kHelpLicense: return QStringLiteral("qrc:/help/license.html");
    default: return QStringLiteral("qrc:/help/index.html");
  }
}

QTextBrowser* HelpBrowser() {
  QWidget* window = HelpWindow();
  return window ? window->findChild<QTextBrowser*>() : nullptr;
}

void ShowHelpTopic(unsigned context, QWidget* parent) {
  // The wizard runs modally; a help window owned by the topmost modal window
  // stays usable while that window is open.
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr && parent != nullptr) owner = parent->window();
  QWidget* window = HelpWindow();
  if (window == nullptr) {
    window = new QWidget(owner, Qt::Window);
    window->setObjectName(QStringLiteral("HelpWindow"));
    window->setWindowTitle(QApplication::translate("Help", "Tandrel Help"));
    window->setWindowIcon(ProgramIcon());
    auto* layout = new QVBoxLayout(window);
    auto* browser = new QTextBrowser(window);
    browser->setOpenExternalLinks(true);
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QWidget::close);
    layout->addWidget(buttons);
    window->resize(560, 460);
    HelpWindow() = window;
  } else if (window->parentWidget() != owner) {
    window->setParent(owner, Qt::Window);
  }
  HelpBrowser()->setSource(QUrl(HelpPageForContext(context)));
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace tandrel
