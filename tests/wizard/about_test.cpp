// The About box: its figures and their formats, the year, the caption, the
// links with their menu and link files, and the two help topics; the help
// topics of the pages.
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

#include "TestSupport.h"
#include "res/Strings.h"
#include "wizard/AboutBox.h"
#include "wizard/AboutFormat.h"
#include "wizard/HLinkCtrl.h"
#include "wizard/Help.h"
#include "wizard/QtText.h"

// Stands in for the desktop's browser.
class CUrlRecorder : public QObject {
  Q_OBJECT
public:
  QList<QUrl> m_aOpened;
public slots:
  void Open(const QUrl& url) { m_aOpened << url; }
};

class AboutTest : public QObject {
  Q_OBJECT

private slots:
  void diskSpace_data() {
    QTest::addColumn<qulonglong>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("both calls failed") << 0ull << "0 bytes";
    QTest::newRow("below 1 KB") << 1023ull << "1023 bytes";
    QTest::newRow("1 KB") << 1024ull << "1 KB";
    QTest::newRow("1536 bytes") << 1536ull << "2 KB";
    QTest::newRow("just below 1 MB") << 1048575ull << "1024 KB";
    QTest::newRow("1 MB") << 1048576ull << "1.00 MB";
    QTest::newRow("exactly 1 GB is still MB") << 1073741824ull << "1024.00 MB";
    QTest::newRow("one and a half GB") << 1610612736ull << "1.50 GB";
    QTest::newRow("beyond 32 bits") << 5ull * 1073741824ull * 1024ull << "5120.00 GB";
  }
  void diskSpace() {
    QFETCH(qulonglong, bytes);
    QFETCH(QString, text);
    QCOMPARE(tandrel::FormatDiskSpace(bytes), text);
  }

  void formatsFillOnlyAConversionOfTheirKind_data() {
    QTest::addColumn<QString>("fmt");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << "%lu KB" << true << "12 KB";
    QTest::newRow("percent sign kept") << "100%% of %ld" << true << "100% of 12";
    QTest::newRow("width and flags") << "[%05d]" << true << "[00012]";
    QTest::newRow("real with precision") << "%.2lf MB" << false << "12.00 MB";
    QTest::newRow("a string conversion is not filled") << "%s KB" << true << "%s KB";
    QTest::newRow("wrong kind is not filled") << "%d KB" << false << "%d KB";
    QTest::newRow("no conversion") << "KB" << true << "KB";
    QTest::newRow("dangling percent") << "12 %" << true << "12 %";
  }
  void formatsFillOnlyAConversionOfTheirKind() {
    QFETCH(QString, fmt);
    QFETCH(bool, integer);
    QFETCH(QString, text);
    QCOMPARE(integer ? tandrel::FormatInteger(fmt, 12) : tandrel::FormatReal(fmt, 12.0), text);
  }

  void year_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("2009 twice") << "(C) 2009, 2009" << "(C) 2031, 2031";
    QTest::newRow("only the first year found") << "2008 and 2010" << "2031 and 2010";
    QTest::newRow("earlier year wins even when later in the text") << "2011 2009" << "2011 2031";
    QTest::newRow("no year") << "(C) 1999" << "(C) 1999";
  }
  void year() {
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(tandrel::ReplaceYear(text, 2031), result);
  }

  void aboutBoxShowsItsTexts() {
    CTestEnvironment env;
    CAboutBox about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tandrel (64-bit)"));
    auto* product = about.findChild<QLabel*>(QStringLiteral("IDC_PRODUCT"));
    QVERIFY(product->text().contains(QString::number(QDate::currentDate().year())));
    QVERIFY(!product->text().contains(QStringLiteral("2008")) || QDate::currentDate().year() == 2008);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d+ KB$"))
                .match(about.findChild<QLabel*>(QStringLiteral("IDC_MEMORY"))->text())
                .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^\\d+(\\.\\d\\d)? (bytes|KB|MB|GB)$"))
                .match(about.findChild<QLabel*>(QStringLiteral("IDC_DISK"))->text())
                .hasMatch());
    QCOMPARE(about.m_ctlWebLink->Target(), tandrel::ToQ(res::kMakerWeb));
    QCOMPARE(about.m_ctlWebLink->Text(), tandrel::LoadQString(2324));
    QCOMPARE(about.m_ctlMailLink->Target(), tandrel::ToQ(res::kMakerMail));
    QCOMPARE(about.m_ctlMailLink->Text(), tandrel::LoadQString(2325));
    QVERIFY(QUrl(about.m_ctlWebLink->Target()).host().endsWith(QStringLiteral(".example")));
  }

  void helpButtonsOpenTheirTopics() {
    CTestEnvironment env;
    CAboutBox about;
    about.show();
    about.findChild<QPushButton*>(QStringLiteral("IDC_ORDERING"))->click();
    QVERIFY(tandrel::HelpBrowser() != nullptr);
    QCOMPARE(tandrel::HelpBrowser()->source(), QUrl(QStringLiteral("qrc:/help/ordering.html")));
    QVERIFY(tandrel::HelpBrowser()->toPlainText().contains(QStringLiteral("Ordering information")));
    about.findChild<QPushButton*>(QStringLiteral("IDC_LICENSE"))->click();
    QCOMPARE(tandrel::HelpBrowser()->source(), QUrl(QStringLiteral("qrc:/help/license.html")));
    QVERIFY(tandrel::HelpBrowser()->toPlainText().contains(QStringLiteral("License agreement")));
  }

  void everyTopicHasItsPage() {
    for (unsigned context : {tandrel::kHelpSamplePage, tandrel::kHelpSearchPage, tandrel::kHelpReplacePage,
                             tandrel::kHelpEvalPage, tandrel::kHelpOrderingInfo, tandrel::kHelpLicense,
                             tandrel::kHelpAboutBox}) {
      const QString page = tandrel::HelpPageForContext(context);
      QVERIFY2(QFile::exists(page.mid(3)), qPrintable(page));  // "qrc:/x" is the file ":/x"
    }
    QCOMPARE(tandrel::kHelpOrderingInfo, 131178u);
    QCOMPARE(tandrel::kHelpLicense, 131179u);
  }

  void linkOpensAndBecomesVisited() {
    CUrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Open");
    CHLinkCtrl link;
    link.SetLink(QStringLiteral("https://www.pellucor.example/"), QStringLiteral("www.pellucor.example"));
    QCOMPARE(link.State(), int(CHLinkCtrl::kStateNormal));
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(browser.m_aOpened.size(), 0);  // the click posts the command
    QTRY_COMPARE(browser.m_aOpened.size(), 1);
    QCOMPARE(browser.m_aOpened.first(), QUrl(QStringLiteral("https://www.pellucor.example/")));
    QCOMPARE(link.State(), int(CHLinkCtrl::kStateVisited));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  }

  void linkMenuHasItsFourEntries() {
    CHLinkCtrl link;
    std::unique_ptr<QMenu> menu(link.CreateLinkMenu());
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text();
    QCOMPARE(texts, (QStringList{"&Open", "Copy Shor&tcut", "Add to &Favorites", "Add to &Desktop"}));
  }

  void linkFileName_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("whole text") << "www.pellucor.example" << "www.pellucor.example";
    QTest::newRow("after the last slash") << "https://a.example/b/c" << "c";
    QTest::newRow("after the last colon") << "mailto:x@a.example" << "x@a.example";
    QTest::newRow("after the last backslash") << "dir\\file" << "file";
    QTest::newRow("nothing after the slash") << "https://a.example/" << "link";
  }
  void linkFileName() {
    QFETCH(QString, text);
    QFETCH(QString, name);
    QCOMPARE(CHLinkCtrl::LinkFileName(text), name);
  }

  void addToDesktopAndFavoritesWriteLinkFiles() {
    CTestEnvironment env;
    CHLinkCtrl link;
    link.SetLink(QStringLiteral("mailto:support@pellucor.example"), QStringLiteral("support@pellucor.example"));
    QCOMPARE(CHLinkCtrl::DesktopFolder(), env.Path() + QStringLiteral("/Desktop"));
    QCOMPARE(CHLinkCtrl::FavoritesFolder(), env.Path() + QStringLiteral("/data/Favorites"));
    link.OnAddToDesktop();
    link.OnAddToFavorites();
    for (const QString& folder : {CHLinkCtrl::DesktopFolder(), CHLinkCtrl::FavoritesFolder()}) {
      QFile file(folder + QStringLiteral("/support@pellucor.example.desktop"));
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
      const QString entry = QString::fromUtf8(file.readAll());
      QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
      QVERIFY(entry.contains(QStringLiteral("\nType=Link\n")));
      QVERIFY(entry.contains(QStringLiteral("\nURL=mailto:support@pellucor.example\n")));
      QVERIFY(entry.contains(QStringLiteral("\nName=support@pellucor.example\n")));
    }
  }

  void copyShortcutPutsTheTargetOnTheClipboard() {
    CHLinkCtrl link;
    link.SetLink(QStringLiteral("https://www.pellucor.example/"), QStringLiteral("www.pellucor.example"));
    link.OnCopyShortcut();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("https://www.pellucor.example/"));
  }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
