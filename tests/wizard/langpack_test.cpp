// The language pack: used with the program's version, refused with message
// 3018 in its own words on another, used without a version, absent silently;
// a damaged pack is no pack: the program's own texts and no message.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QtTest>

#include "TestSupport.h"
#include "res/Strings.h"
#include "wizard/LanguagePack.h"
#include "wizard/ProgramIcon.h"
#include "wizard/QtText.h"

namespace {
const QString kGerman5000 = QStringLiteral("Bitte eine Zeichenkette eingeben oder Zeichen auswählen");

QString LoadFromFile() { return QCoreApplication::translate("CSamplePage", "&Load from File"); }

QByteArray PackBytes(const char* name) {
  QFile file(QStringLiteral(TEST_PACK_DIR "/pack_%1.qm").arg(QLatin1String(name)));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 Read32(const QByteArray& data, qsizetype at) { return qFromBigEndian<quint32>(data.constData() + at); }
void Write32(QByteArray& data, qsizetype at, quint32 value) { qToBigEndian(value, data.data() + at); }

// A translation file: a file mark, then blocks of a tag byte, a 32-bit length and the data.
constexpr qsizetype kMark = 16;
constexpr char kHashes = 0x42;
constexpr char kMessages = 0x69;

// Where the data of the block with tag starts; -1 when there is none.
qsizetype BlockAt(const QByteArray& pack, char tag) {
  for (qsizetype at = kMark; at + 5 <= pack.size(); at += 5 + Read32(pack, at + 1)) {
    if (pack[at] == tag) return at + 5;
  }
  return -1;
}
qsizetype BlockLength(const QByteArray& pack, char tag) { return Read32(pack, BlockAt(pack, tag) - 4); }

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

  void damagedPackIsIgnored_data() {
    QTest::addColumn<QByteArray>("content");
    const QByteArray good = PackBytes("good");
    const qsizetype hashes = BlockAt(good, kHashes);
    const qsizetype messages = BlockAt(good, kMessages);
    QVERIFY(hashes > 0);
    QVERIFY(messages > hashes);
    QCOMPARE(good[messages], char(0x03));  // a translation comes first
    QByteArray noise;
    for (int i = 0; i < 300; ++i) noise += char((i * 89 + 7) % 256);
    QTest::newRow("random bytes") << noise;
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only the file mark") << good.left(kMark);
    QTest::newRow("the file mark and noise") << good.left(kMark) + noise;
    QTest::newRow("cut inside the messages") << good.left(messages + 40);
    QTest::newRow("cut after the hash table") << good.left(hashes + BlockLength(good, kHashes));
    QByteArray offsets = good;
    for (qsizetype at = hashes; at < hashes + BlockLength(good, kHashes); at += 8) Write32(offsets, at + 4, 0x7FFFFFF0);
    QTest::newRow("messages out of place") << offsets;
    QByteArray translation = good;
    Write32(translation, messages + 1, 0xFFFFFFF0);
    QTest::newRow("translation longer than the file") << translation;
    QTest::newRow("context table without entries") << good + QByteArray("\x2f\0\0\0\x02\0\0", 7);
  }
  void damagedPackIsIgnored() {
    QFETCH(QByteArray, content);
    CTestEnvironment env;
    QFile file(env.Path() + QStringLiteral("/tandrel.qm"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
    file.close();
    CLanguagePack pack;
    QVERIFY(!pack.Load(env.Path()));
    QVERIFY(!pack.IsLoaded());
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(tandrel::LoadQString(5000), tandrel::ToQ(res::OwnString(5000)));
    QCOMPARE(tandrel::LoadQString(57344), QStringLiteral("Tandrel"));
    QCOMPARE(LoadFromFile(), QStringLiteral("&Load from File"));
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
