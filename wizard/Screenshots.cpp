// Goes through the wizard's pages on timers and saves what each looks like.
#include "wizard/Screenshots.h"

#include <QAbstractButton>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <iostream>
#include <memory>

#include "wizard/AboutBox.h"
#include "wizard/Help.h"
#include "wizard/TandrelSheet.h"

namespace tandrel {
namespace {

constexpr int kSettleMs = 400;  // time for the window system to show a change

void Save(QWidget* widget, const QString& dir, const QString& name) {
  const QString path = QDir(dir).filePath(name);
  if (widget->grab().save(path)) {
    std::cout << "screenshot: " << path.toStdString() << '\n';
  } else {
    std::cerr << "tandrel: cannot write " << path.toStdString() << '\n';
  }
}

}  // namespace

void ScheduleScreenshots(CTandrelSheet& sheet, const QString& dir) {
  QDir().mkpath(dir);
  CTandrelSheet* s = &sheet;
  auto step = std::make_shared<int>(0);
  auto* timer = new QTimer(s);
  timer->setInterval(kSettleMs);
  QObject::connect(timer, &QTimer::timeout, s, [s, dir, step, timer] {
    static const char* const kPages[] = {"1-sample.png", "2-search.png", "3-replace.png", "4-evaluation.png"};
    const int n = (*step)++;
    if (n < 4) {
      if (s->currentId() != n) {
        std::cerr << "tandrel: the wizard stayed on page " << s->currentId() + 1 << "; no more screenshots\n";
        timer->stop();
        s->reject();
        return;
      }
      Save(s, dir, QString::fromLatin1(kPages[n]));
      if (n < 3) s->next();
    } else if (n == 4) {
      auto* about = new CAboutBox(s);
      about->setAttribute(Qt::WA_DeleteOnClose);
      about->show();
    } else if (n == 5) {
      if (auto* about = s->findChild<CAboutBox*>()) {
        Save(about, dir, QStringLiteral("5-about.png"));
        about->close();
      }
      s->button(QWizard::HelpButton)->click();
    } else if (n == 6) {
      if (QWidget* help = s->findChild<QWidget*>(QStringLiteral("HelpWindow"))) {
        Save(help, dir, QStringLiteral("6-help.png"));
        help->close();
      }
    } else {
      timer->stop();
      s->reject();
    }
  });
  timer->start();
}

}  // namespace tandrel
