// The language pack: used with the program's version, refused with message
// 3018 in its own words on another, used without a version, absent silently.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QtTest>

#include "TestSupport.h"
#include "res/Strings.h"
#include "wizard/LanguagePack.h"
#include "wizard/ProgramIcon.h"
#include "wizard/QtText.h"

namespace {
const QString kGerman5000 = QStringLiteral("Bitte eine Zeichenkette eingeben oder Zeichen auswählen");

QString LoadFromFile() { return QCoreApplication::translate("CSamplePage", "&Load from File"); }

// Puts pack_<name>.qm into dir as the program's pack.
void PlacePack(const QString& dir, const char* name) {
  const QString source = QStringLiteral(TEST_PACK_DIR "/pack_%1.qm").arg(QLatin1String(name));
  QVERIFY(QFile::copy(source, dir + QStringLiteral("/tandrel.qm")));
}
}  // namespace

class LanguagePackTest : public QObject {
  Q_OBJECT

private slots:
  void packOfTheProgramsVersionReplacesTheTexts() {
    CTestEnvironment env;
    PlacePack(env.Path(), "good");
    QImage green(32, 32, QImage::Format_RGB32);
    green.fill(Qt::green);
    QVERIFY(green.save(env.Path() + QStringLiteral("/pack-icon.png")));

    CLanguagePack pack;
    QVERIFY(pack.Load(env.Path()));
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(pack.Version(), QStringLiteral("0.3.0.0"));
    QCOMPARE(tandrel::LoadQString(5000), kGerman5000);
    QCOMPARE(tandrel::LoadQString(57344), QStringLiteral("Tandrel (deutsch)"));
    QCOMPARE(LoadFromFile(), QStringLiteral("&Aus Datei laden"));
    // A string the pack does not carry keeps the program's text.
    QCOMPARE(tandrel::ToQ(res::LoadString(2138)), QStringLiteral("All Files|*.*||"));
    QCOMPARE(tandrel::ProgramIcon().pixmap(32, 32).toImage().pixelColor(16, 16), QColor(Qt::green));

    pack.Unload();
    QCOMPARE(tandrel::ToQ(res::LoadString(5000)), tandrel::ToQ(res::OwnString(5000)));
    QCOMPARE(LoadFromFile(), QStringLiteral("&Load from File"));
    QVERIFY(tandrel::ProgramIcon().pixmap(32, 32).toImage().pixelColor(16, 16) != QColor(Qt::green));
  }

  void packOfAnotherVersionShowsItsMessageThenTheOwnTexts() {
    CTestEnvironment env;
    PlacePack(env.Path(), "bad");
    CLanguagePack pack;
    QVERIFY(!pack.Load(env.Path()));
    QVERIFY(!pack.IsLoaded());
    QCOMPARE(env.m_aMessages, QStringList{QStringLiteral("Das Sprachpaket passt nicht zu dieser Programmversion.")});
    QCOMPARE(tandrel::ToQ(res::LoadString(5000)), tandrel::ToQ(res::OwnString(5000)));
    QCOMPARE(LoadFromFile(), QStringLiteral("&Load from File"));
  }

  void packWithoutAVersionIsUsed() {
    CTestEnvironment env;
    PlacePack(env.Path(), "noversion");
    CLanguagePack pack;
    QVERIFY(pack.Load(env.Path()));
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(tandrel::LoadQString(5000), kGerman5000);
  }

  void noPackNoMessage() {
    CTestEnvironment env;
    CLanguagePack pack;
    QVERIFY(!pack.Load(env.Path()));
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(tandrel::ToQ(res::LoadString(5000)), tandrel::ToQ(res::OwnString(5000)));
  }
};

QTEST_MAIN(LanguagePackTest)
#include "langpack_test.moc"
