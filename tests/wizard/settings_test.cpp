// The sheet's settings: profile values read at start and stored at exit
// (after Cancel too), the main product's colour options, the exchange with
// its empty-field rule, the command line and the search library's flags.
#include <QDir>
#include <QLineEdit>
#include <QSettings>
#include <QtTest>
#include <sstream>

#include "TestSupport.h"
#include "search/Profile.h"
#include "wizard/CommandLine.h"
#include "wizard/Exchange.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/SettingsProfile.h"
#include "wizard/TandrelSheet.h"

namespace {
const QString kTandrel = QStringLiteral("Tandrel");
const QString kZy32 = QStringLiteral("ZY32");
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
