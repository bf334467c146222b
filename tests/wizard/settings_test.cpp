// The sheet's settings: profile values read at start and stored at exit
// (after Cancel too), the main product's colour options, the exchange with
// its empty-field rule, the command line and the search library's flags;
// damaged and unreadable settings files and absurd colour options.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QtTest>
#include <sstream>
#include <unistd.h>

#include "TestSupport.h"
#include "search/Profile.h"
#include "wizard/CommandLine.h"
#include "wizard/CompCtrl.h"
#include "wizard/EvalPage.h"
#include "wizard/Exchange.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/SettingsProfile.h"
#include "wizard/TandrelSheet.h"

namespace {
const QString kTandrel = QStringLiteral("Tandrel");
const QString kZy32 = QStringLiteral("ZY32");

QString OwnFile(const CTestEnvironment& env) { return env.Path() + QStringLiteral("/config/Pellucor/Tandrel.conf"); }

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QVERIFY(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

// Bytes of a literal that may hold NULs, without its terminator.
template <size_t N>
QByteArray Bytes(const char (&text)[N]) {
  return QByteArray(text, N - 1);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

private slots:
  void loadReadsTheProfileAndTheColours() {
    CTestEnvironment env;
    env.WriteSettingsFile(kTandrel, QStringLiteral("[Settings]\nSearch%20Expression=a+b\n"
                                                   "Replace%20Expression=\"x, y\"\nCase%20Sensitive=1\n"));
    env.WriteSettingsFile(kZy32, QStringLiteral("[Options]\nString%20Color=65280\nFile%20Color=255\n"));
    CTandrelSheet sheet;
    QCOMPARE(sheet.m_crString, 255u);
    QCOMPARE(sheet.m_crFile, 0xFF0000u);
    sheet.LoadSettings();
    QCOMPARE(sheet.m_strSearch, std::u16string(u"a+b"));
    QCOMPARE(sheet.m_strReplace, std::u16string(u"x, y"));
    QCOMPARE(sheet.m_bCaseSensitive, 1);
    QCOMPARE(sheet.m_crString, 65280u);
    QCOMPARE(sheet.m_crFile, 255u);
  }

  void missingProfileGivesEmptyValues() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.LoadSettings();
    QVERIFY(sheet.m_strSearch.empty());
    QVERIFY(sheet.m_strReplace.empty());
    QCOMPARE(sheet.m_bCaseSensitive, 0);
    QCOMPARE(sheet.m_crString, 255u);
    QCOMPARE(sheet.m_crFile, 0xFF0000u);
  }

  void optionColor_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("read");
    QTest::addColumn<uint>("color");
    const uint kDefault = 0xFF0000;
    QTest::newRow("decimal text") << QStringLiteral("255") << true << 255u;
    QTest::newRow("sign") << QStringLiteral("+65280") << true << 65280u;
    QTest::newRow("white space, sign, stops at a letter") << QStringLiteral("\" \\t-12abc\"") << true << 0xFFFFFFF4u;
    QTest::newRow("hexadecimal text gives 0") << QStringLiteral("0xFF") << true << 0u;
    QTest::newRow("no digits gives 0") << QStringLiteral("red") << true << 0u;
    QTest::newRow("empty text gives 0") << QString() << true << 0u;
    QTest::newRow("too big is held to 32 bits") << QStringLiteral("99999999999") << true << 0x7FFFFFFFu;
    QTest::newRow("129 characters fit in 260 bytes") << QStringLiteral("255") + QString(126, u'x') << true << 255u;
    QTest::newRow("130 characters are too long") << QStringLiteral("255") + QString(127, u'x') << false << kDefault;
    QTest::newRow("binary value is ignored") << QStringLiteral("@ByteArray(255)") << false << kDefault;
    QTest::newRow("number of another type is ignored") << QStringLiteral("@Variant(\\0\\0\\0\\x2\\0\\0\\0\\xff)") << false
                                                       << kDefault;
    QTest::newRow("list is ignored") << QStringLiteral("255, 0") << false << kDefault;
    QTest::newRow("too small is held to 32 bits") << QStringLiteral("-99999999999") << true << 0x80000000u;
    QTest::newRow("129 digits are held to 32 bits") << QString(129, u'9') << true << 0x7FFFFFFFu;
    QTest::newRow("digits of another script give 0") << QStringLiteral("\u0663\uFF15") << true << 0u;
  }
  void optionColor() {
    QFETCH(QString, line);
    QFETCH(bool, read);
    QFETCH(uint, color);
    CTestEnvironment env;
    env.WriteSettingsFile(kZy32, QStringLiteral("[Options]\nFile%20Color=") + line + u'\n');
    CTandrelSheet sheet;
    uint32_t value = sheet.m_crFile;
    QCOMPARE(sheet.ReadOptionColor(QStringLiteral("File Color"), &value), read);
    QCOMPARE(value, color);
    sheet.LoadSettings();
    QCOMPARE(sheet.m_crFile, color);
    QCOMPARE(sheet.m_crString, 255u);  // "String Color" is missing: the default stays
  }

  // Whatever the number, the pane shows its low 24 bits as an opaque colour.
  void absurdColourIsShownAsItsLowBytes_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("negative") << QStringLiteral("-12") << QColor(0xF4, 0xFF, 0xFF);
    QTest::newRow("too big") << QStringLiteral("99999999999") << QColor(0xFF, 0xFF, 0xFF);
    QTest::newRow("too small") << QStringLiteral("-99999999999") << QColor(0, 0, 0);
    QTest::newRow("high byte set") << QStringLiteral("-16711936") << QColor(0, 0xFF, 0);
  }
  void absurdColourIsShownAsItsLowBytes() {
    QFETCH(QString, line);
    QFETCH(QColor, shown);
    CTestEnvironment env;
    env.WriteSettingsFile(kZy32, QStringLiteral("[Options]\nString%20Color=") + line + u'\n');
    CTandrelSheet sheet;
    sheet.show();
    sheet.SamplePage()->m_editSearch->setText(QStringLiteral("b"));
    sheet.SamplePage()->m_editReplace->setText(QStringLiteral("Z"));
    std::u16string sample = u"abc";
    sheet.SamplePage()->m_ctlSample->ExchangeText(sample, true);
    for (int i = 0; i < 3; ++i) sheet.next();
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kEvalPage));
    QCoreApplication::processEvents();
    QTextCursor cursor(sheet.EvalPage()->m_ctlSample->document());
    cursor.setPosition(2);  // the format of "b"
    QCOMPARE(cursor.charFormat().foreground().color(), shown);
    QCOMPARE(cursor.charFormat().foreground().color().alpha(), 255);
  }

  // A damaged settings file: what can be read is used, the rest has its
  // defaults, and nothing readable is lost when the settings are stored.
  void damagedSettingsKeepWhatCanBeRead_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("caseFlag");
    QTest::addColumn<bool>("reported");
    const QByteArray good = "[Settings]\nSearch%20Expression=good\nCase%20Sensitive=1\n";
    QTest::newRow("line without a value") << good + "this line has no value\n" << "good" << 1 << true;
    QTest::newRow("section header without its bracket") << QByteArray("[Broken\nx=1\n") + good << "good" << 1 << true;
    QTest::newRow("cut inside a key") << good + "Replace%20Expr" << "good" << 1 << true;
    QTest::newRow("cut inside a section header") << good + "[Fla" << "good" << 1 << true;
    QTest::newRow("garbage bytes before the sections")
        << Bytes("\x01\xFE\xFF\x7F" "garbage\xC3\n") + good << "good" << 1 << true;
    QTest::newRow("NUL in another value")
        << good + Bytes("Replace%20Expression=a\0b\n") << "good" << 1 << false;
    QTest::newRow("broken escapes in another value")
        << good + "Replace%20Expression=a\\xZZ\\q\"\n" << "good" << 1 << false;
    QTest::newRow("broken escape in a key") << good + "Re%zzplace=1\n" << "good" << 1 << false;
    QTest::newRow("unreadable case flag")
        << QByteArray("[Settings]\nSearch%20Expression=good\nCase%20Sensitive=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1\\0\\xff)\n")
        << "good" << 0 << false;
    QTest::newRow("case flag that is no number")
        << QByteArray("[Settings]\nSearch%20Expression=good\nCase%20Sensitive=yes\n") << "good" << 0 << false;
    QByteArray noise;
    for (int i = 0; i < 512; ++i) noise += char((i * 167 + 13) % 256);
    QTest::newRow("nothing but noise") << noise << "" << 0 << true;
  }
  void damagedSettingsKeepWhatCanBeRead() {
    QFETCH(QByteArray, content);
    QFETCH(QString, search);
    QFETCH(int, caseFlag);
    QFETCH(bool, reported);
    CTestEnvironment env;
    // Another section of the file, which must outlive the rewrite.
    const QByteArray file = "[Flags]\nUNIX%20RegExp=1\n" + content;
    WriteBytes(OwnFile(env), file);
    {
      CTandrelSheet sheet;
      sheet.LoadSettings();
      QCOMPARE(tandrel::ToQ(sheet.m_strSearch), search);
      QCOMPARE(sheet.m_bCaseSensitive, caseFlag);
      QCOMPARE(env.m_aMessages.size(), reported ? 1 : 0);
      if (reported) {
        QVERIFY(env.m_aMessages[0].contains(QStringLiteral("could not be read")));
        QVERIFY(env.m_aMessages[0].contains(OwnFile(env) + QStringLiteral(".bak")));
        QCOMPARE(ReadBytes(OwnFile(env) + QStringLiteral(".bak")), file);
      }
    }  // stores the settings
    QCOMPARE(env.m_aMessages.size(), reported ? 1 : 0);  // storing worked and says nothing
    QVERIFY(!ReadBytes(OwnFile(env)).contains("this line has no value"));
    QSettings settings(QStringLiteral("Pellucor"), kTandrel);
    QCOMPARE(settings.status(), QSettings::NoError);
    QCOMPARE(settings.value(QStringLiteral("Settings/Search Expression")).toString(), search);
    QCOMPARE(settings.value(QStringLiteral("Settings/Case Sensitive")).toInt(), caseFlag);
    QCOMPARE(settings.value(QStringLiteral("Flags/UNIX RegExp")).toInt(), 1);
  }

  // The file may be damaged after it was read (by hand, while the wizard
  // runs); writing over it is still a success and no cause for a message.
  void storingOverADamagedFileWorksWithoutAMessage() {
    CTestEnvironment env;
    WriteBytes(OwnFile(env), "[Flags]\nUNIX%20RegExp=1\nthis line has no value\n[Settings]\nSearch%20Expression=old\n");
    {
      CTandrelSheet sheet;
      sheet.m_strSearch = u"new";
    }
    QVERIFY(env.m_aMessages.isEmpty());
    QSettings settings(QStringLiteral("Pellucor"), kTandrel);
    QCOMPARE(settings.value(QStringLiteral("Settings/Search Expression")).toString(), QStringLiteral("new"));
    QCOMPARE(settings.value(QStringLiteral("Flags/UNIX RegExp")).toInt(), 1);
  }

  void keptCopyReplacesAnOlderOne() {
    CTestEnvironment env;
    WriteBytes(OwnFile(env) + QStringLiteral(".bak"), "older copy");
    const QByteArray file = "[Settings]\nSearch%20Expression=s\n[Broken\n";
    WriteBytes(OwnFile(env), file);
    CTandrelSheet sheet;
    sheet.LoadSettings();
    QCOMPARE(env.m_aMessages.size(), 1);
    QCOMPARE(ReadBytes(OwnFile(env) + QStringLiteral(".bak")), file);
  }

  void damagedOptionsKeepTheDefaultColours() {
    CTestEnvironment env;
    WriteBytes(env.Path() + QStringLiteral("/config/Pellucor/ZY32.conf"),
               Bytes("[Options\nString%20Color\n\0\xFF[Options]\nFile%20Color"));
    CTandrelSheet sheet;
    sheet.LoadSettings();
    QCOMPARE(sheet.m_crString, 255u);
    QCOMPARE(sheet.m_crFile, 0xFF0000u);
    QVERIFY(env.m_aMessages.isEmpty());  // the main product's options are not ours to report
  }

  void unreadableSettingsFileStartsWithDefaults() {
    // Permissions do not keep root from reading a file, so there is no unreadable file to try.
    if (::geteuid() == 0) QSKIP("running as root, which reads a file whatever its permissions");
    CTestEnvironment env;
    env.WriteSettingsFile(kTandrel, QStringLiteral("[Settings]\nSearch%20Expression=hidden\nCase%20Sensitive=1\n"));
    QVERIFY(QFile::setPermissions(OwnFile(env), QFileDevice::Permissions()));
    {
      CTandrelSheet sheet;
      sheet.LoadSettings();
      QVERIFY(sheet.m_strSearch.empty());
      QCOMPARE(sheet.m_bCaseSensitive, 0);
      sheet.m_strSearch = u"mine";
    }
    // Stored, or reported with the expression: never lost without a word.
    QFile::setPermissions(OwnFile(env), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (env.m_aMessages.isEmpty())
      QCOMPARE(QSettings(QStringLiteral("Pellucor"), kTandrel).value(QStringLiteral("Settings/Search Expression")).toString(),
               QStringLiteral("mine"));
    else
      QVERIFY(env.m_aMessages.last().contains(QStringLiteral("mine")));
  }

  void exchangeNeverClearsAProfileValue_data() {
    QTest::addColumn<bool>("hasSearch");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("hasReplace");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("wantSearch");
    QTest::addColumn<QString>("wantReplace");
    QTest::newRow("no fields") << false << QString() << false << QString() << "p" << "r";
    QTest::newRow("both fields") << true << "s2" << true << "r2" << "s2" << "r2";
    QTest::newRow("empty search, replace given") << true << "" << true << "r2" << "p" << "r2";
    QTest::newRow("search only") << true << "s2" << false << QString() << "s2" << "r";
    QTest::newRow("both empty") << true << "" << true << "" << "p" << "r";
  }
  void exchangeNeverClearsAProfileValue() {
    QFETCH(bool, hasSearch);
    QFETCH(QString, search);
    QFETCH(bool, hasReplace);
    QFETCH(QString, replace);
    QFETCH(QString, wantSearch);
    QFETCH(QString, wantReplace);
    CTestEnvironment env;
    env.WriteSettingsFile(kTandrel, QStringLiteral("[Settings]\nSearch%20Expression=p\nReplace%20Expression=r\n"));
    std::ostringstream out;
    CCommandLineExchange exchange(hasSearch ? std::optional(tandrel::FromQ(search)) : std::nullopt,
                                  hasReplace ? std::optional(tandrel::FromQ(replace)) : std::nullopt, false, out);
    CTandrelSheet sheet(&exchange);
    sheet.LoadSettings();
    QCOMPARE(tandrel::ToQ(sheet.m_strSearch), wantSearch);
    QCOMPARE(tandrel::ToQ(sheet.m_strReplace), wantReplace);
  }

  void printOnFinishWritesOneJsonObject() {
    std::ostringstream out;
    CCommandLineExchange exchange(std::nullopt, std::nullopt, true, out);
    QVERIFY(exchange.WriteFields(u"a\"b\\c\u00E9\n", std::u16string(u"x\xD800")));
    QCOMPARE(QString::fromStdString(out.str()),
             QStringLiteral("{\"search\":\"a\\\"b\\\\c\\u00E9\\u000A\",\"replace\":\"x\\uD800\"}\n"));

    std::ostringstream silent;
    CCommandLineExchange quiet(std::nullopt, std::nullopt, false, silent);
    QVERIFY(!quiet.WriteFields(u"a", u"b"));
    QVERIFY(silent.str().empty());
  }

  void cancelStoresTheValuesTheFieldsHadBeforeTheEdits() {
    CTestEnvironment env;
    env.WriteSettingsFile(kTandrel, QStringLiteral("[Settings]\nSearch%20Expression=old\n"
                                                   "Replace%20Expression=R\nCase%20Sensitive=1\n"));
    {
      CTandrelSheet sheet;
      sheet.show();
      QCOMPARE(sheet.SamplePage()->m_editSearch->text(), QStringLiteral("old"));
      sheet.SamplePage()->m_editSearch->setText(QStringLiteral("edited"));
      sheet.reject();
    }
    QSettings settings(QStringLiteral("Pellucor"), kTandrel);
    QCOMPARE(settings.value(QStringLiteral("Settings/Search Expression")).toString(), QStringLiteral("old"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Replace Expression")).toString(), QStringLiteral("R"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Case Sensitive")).toInt(), 1);
  }

  void unwritableSettingsAreReportedWithTheExpressions() {
    CTestEnvironment env;
    // A folder where the settings file belongs cannot be written, even by root.
    QVERIFY(QDir().mkpath(env.Path() + QStringLiteral("/config/Pellucor/Tandrel.conf")));
    {
      CTandrelSheet sheet;
      sheet.m_strSearch = u"keep+[0-9]";
      sheet.m_strReplace = u"%1>";
    }  // the sheet stores its settings when it goes
    QCOMPARE(env.m_aMessages.size(), 1);
    QVERIFY(env.m_aMessages[0].contains(QStringLiteral("could not be saved")));
    QVERIFY(env.m_aMessages[0].contains(QStringLiteral("keep+[0-9]")));
    QVERIFY(env.m_aMessages[0].contains(QStringLiteral("%1>")));
  }

  void storedSettingsGiveNoMessage() {
    CTestEnvironment env;
    {
      CTandrelSheet sheet;
      sheet.m_strSearch = u"x";
    }
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(QSettings(QStringLiteral("Pellucor"), kTandrel).value(QStringLiteral("Settings/Search Expression")).toString(),
             QStringLiteral("x"));
  }

  void storedValuesSurviveTheirOwnFormat() {
    // Commas, quotes, backslashes, a leading '@' and non-ASCII text come back as they were.
    CTestEnvironment env;
    const std::u16string search = u"@a, b;\"c\"\\d \u00E9\u4E2D";
    {
      CTandrelSheet sheet;
      sheet.m_strSearch = search;
      sheet.m_strReplace = u" %1 ";
      sheet.m_bCaseSensitive = 1;
    }
    CTandrelSheet again;
    again.LoadSettings();
    QCOMPARE(again.m_strSearch, search);
    QCOMPARE(again.m_strReplace, std::u16string(u" %1 "));
    QCOMPARE(again.m_bCaseSensitive, 1);
  }

  void unixFlagReachesTheSearchLibrary() {
    CTestEnvironment env;
    env.WriteSettingsFile(kTandrel, QStringLiteral("[Flags]\nUNIX%20RegExp=1\n"));
    CSettingsProfile profile;
    SetSearchProfile(&profile);
    QVERIFY(IsUnixSyntax());
    SetSearchProfile(nullptr);
    QVERIFY(!IsUnixSyntax());
    CTestEnvironment none;
    QCOMPARE(profile.GetProfileInt(u"Flags", u"UNIX RegExp", 7), 7);
  }

  void commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("print");
    QTest::newRow("search and print") << QStringList{"--search", "a b", "--print-on-finish"} << true << "a b" << true;
    QTest::newRow("inline empty value") << QStringList{"--search="} << true << "" << false;
    QTest::newRow("missing value") << QStringList{"--search"} << false << QString() << false;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << false << QString() << false;
    QTest::newRow("flag with a value") << QStringList{"--print-on-finish=1"} << false << QString() << false;
  }
  void commandLine() {
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    QFETCH(QString, search);
    QFETCH(bool, print);
    CTandrelOptions options;
    QString error;
    QCOMPARE(ParseCommandLine(args, options, error), ok);
    QCOMPARE(error.isEmpty(), ok);
    if (!ok) return;
    QCOMPARE(tandrel::ToQ(options.search.value_or(u"")), search);
    QCOMPARE(options.printOnFinish, print);
  }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
