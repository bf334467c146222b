// The application object: an exception thrown while an event is handled is
// reported in a message box and never reaches Qt's event loop.
#include <QtTest>
#include <stdexcept>

#include "TestSupport.h"
#include "wizard/TandrelApp.h"

namespace {
// Throws from its event handler, as a page's handler could.
class CThrower : public QObject {
public:
  int m_nEvents = 0;
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    ++m_nEvents;
    throw std::runtime_error("out of luck");
  }
};
}  // namespace

class AppTest : public QObject {
  Q_OBJECT

private slots:
  void exceptionInAnEventHandlerIsReported() {
    CTestEnvironment env;
    CThrower thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(thrower.m_nEvents, 2);  // the loop went on after the first
    QCOMPARE(env.m_aMessages.size(), 2);
    QVERIFY2(env.m_aMessages[0].contains(QStringLiteral("out of luck")), qPrintable(env.m_aMessages[0]));
  }
};

int main(int argc, char** argv) {
  CTandrelApp app(argc, argv);
  AppTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "app_test.moc"
