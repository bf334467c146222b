// The Sample Text and Evaluation pages inside the whole sheet: message 5000
// and the compile error keep the wizard on page 1, the case flag, Load from
// File, hit stepping and colouring, scrolling to the hit, Finish handing the
// expressions over, help topics, and the factory hook for the builder pages.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTextBrowser>
#include <QtTest>
#include <sstream>

#include "TestSupport.h"
#include "engine/UnicodeExpression.h"
#include "wizard/CompCtrl.h"
#include "wizard/EvalPage.h"
#include "wizard/Exchange.h"
#include "wizard/Help.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/TandrelSheet.h"
#include "wizard/UiHooks.h"

namespace {
constexpr uint32_t kRed = 255;

void SetSample(CTandrelSheet& sheet, const QString& text) {
  std::u16string s = tandrel::FromQ(text);
  sheet.SamplePage()->m_ctlSample->ExchangeText(s, true);
}

// Fills page 1 and goes on to the Evaluation page; the posted commands have run.
void GoToEvaluation(CTandrelSheet& sheet, const QString& sample, const QString& search, const QString& replace) {
  sheet.show();
  sheet.SamplePage()->m_editSearch->setText(search);
  sheet.SamplePage()->m_editReplace->setText(replace);
  SetSample(sheet, sample);
  for (int i = 0; i < 3; ++i) sheet.next();
  QCOMPARE(sheet.currentId(), int(CTandrelSheet::kEvalPage));
  QCoreApplication::processEvents();
}

QString ReadPane(CCompCtrl* pane) {
  std::u16string s;
  pane->ExchangeText(s, false);
  return tandrel::ToQ(s);
}
}  // namespace

class PagesTest : public QObject {
  Q_OBJECT

private slots:
  void emptySampleShowsMessage5000AndStays() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.show();
    sheet.SamplePage()->m_editSearch->setText(QStringLiteral("b"));
    sheet.next();
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSamplePage));
    QCOMPARE(env.m_aMessages, QStringList{QStringLiteral("Please enter a string or select characters to match")});
    // The fields were saved all the same.
    QCOMPARE(sheet.m_strSearch, std::u16string(u"b"));

    SetSample(sheet, QStringLiteral("abc"));
    sheet.next();
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
    QCOMPARE(env.m_aMessages.size(), 1);
    QCOMPARE(sheet.m_strSample, std::u16string(u"abc"));
    QCOMPARE(sheet.m_aHits.size(), size_t(1));
  }

  void expressionThatDoesNotCompileIsReportedAndKeepsThePage() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.show();
    sheet.SamplePage()->m_editSearch->setText(QStringLiteral("x[-a]"));
    SetSample(sheet, QStringLiteral("xa"));
    sheet.next();
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSamplePage));
    QCOMPARE(env.m_aMessages.size(), 1);
    QVERIFY2(env.m_aMessages[0].startsWith(QStringLiteral("The search expression cannot be compiled:")),
             qPrintable(env.m_aMessages[0]));
    QVERIFY(env.m_aMessages[0].contains(QStringLiteral("[-a]")));
    QVERIFY(sheet.m_pSearcher == nullptr);
    QVERIFY(sheet.m_aHits.empty());

    // The program goes on: a corrected expression is accepted.
    sheet.SamplePage()->m_editSearch->setText(QStringLiteral("x[a-b]"));
    sheet.next();
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
    QCOMPARE(sheet.m_aHits.size(), size_t(1));
  }

  void caseFlagIsSetBeforeTheHitsAreRebuilt() {
    CTestEnvironment env;
    for (bool caseSensitive : {true, false}) {
      CTandrelSheet sheet;
      sheet.show();
      sheet.SamplePage()->m_editSearch->setText(QStringLiteral("b"));
      sheet.SamplePage()->m_checkCase->setChecked(caseSensitive);
      SetSample(sheet, QStringLiteral("aBc"));
      sheet.next();
      QCOMPARE(g_bCaseSensitive, caseSensitive ? 1 : 0);
      QCOMPARE(sheet.m_aHits.size(), size_t(caseSensitive ? 0 : 1));
    }
  }

  void loadFromFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("notMatched");
    QTest::newRow("name with a dot") << "sample.txt" << false;
    QTest::newRow("name without any dot") << "sample" << true;
  }
  void loadFromFile() {
    QFETCH(QString, name);
    QFETCH(bool, notMatched);
    CTestEnvironment env;
    // A folder without a dot in its path, so that only the name decides.
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/wizardloadXXXXXX"));
    QVERIFY(!dir.path().contains(u'.'));
    const QString path = dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" "A\nB\rC");
    file.close();
    QString filterSeen;
    tandrel::SetOpenFileHook([&](const QString& filter) {
      filterSeen = filter;
      return path;
    });
    CTandrelSheet sheet;
    sheet.SamplePage()->OnLoadFromFile();
    QCOMPARE(filterSeen, QStringLiteral("All Files (*)"));
    QCOMPARE(env.m_aMessages, notMatched ? QStringList{QStringLiteral("File not matched!")} : QStringList{});
    QCOMPARE(ReadPane(sheet.SamplePage()->m_ctlSample), QStringLiteral("A\r\nB\r\nC"));
  }

  void loadFromFileWithoutAChoiceOrAFileChangesNothing() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    SetSample(sheet, QStringLiteral("keep"));
    tandrel::SetOpenFileHook([](const QString&) { return QString(); });
    sheet.SamplePage()->OnLoadFromFile();
    sheet.SamplePage()->LoadFile(env.Path() + QStringLiteral("/gone.txt"));
    QCOMPARE(ReadPane(sheet.SamplePage()->m_ctlSample), QStringLiteral("keep"));
    QVERIFY(env.m_aMessages.isEmpty());
  }

  void hitSteppingColoursBothPanes() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToEvaluation(sheet, QStringLiteral("abcabc"), QStringLiteral("b"), QStringLiteral("XY"));
    CEvalPage* page = sheet.EvalPage();
    QCOMPARE(ReadPane(page->m_ctlReplaced), QStringLiteral("aXYcaXYc"));
    QCOMPARE(PositionsInColor(*page->m_ctlSample, kRed), QList<int>{1});
    QCOMPARE(PositionsInColor(*page->m_ctlReplaced, kRed), (QList<int>{1, 2}));
    QCOMPARE(page->m_ctlSample->textCursor().position(), 1);

    page->m_btnNext->click();
    QCOMPARE(sheet.m_nCurHit, 1);
    QCOMPARE(PositionsInColor(*page->m_ctlSample, kRed), QList<int>{4});
    QCOMPARE(PositionsInColor(*page->m_ctlReplaced, kRed), (QList<int>{5, 6}));
    QCOMPARE(page->m_ctlReplaced->textCursor().position(), 5);

    page->m_btnNext->click();  // no wrap-around
    QCOMPARE(sheet.m_nCurHit, 1);
    QCOMPARE(PositionsInColor(*page->m_ctlSample, kRed), QList<int>{4});

    page->m_btnPrevious->click();
    page->m_btnPrevious->click();  // stays on the first hit
    QCOMPARE(sheet.m_nCurHit, 0);
    QCOMPARE(PositionsInColor(*page->m_ctlSample, kRed), QList<int>{1});
  }

  void hitAfterLineBreaksIsColouredOnItsCharacters() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToEvaluation(sheet, QStringLiteral("x\r\n\r\nab"), QStringLiteral("b"), QStringLiteral("XY"));
    CEvalPage* page = sheet.EvalPage();
    QCOMPARE(CharactersInColor(*page->m_ctlSample, kRed), QStringLiteral("b"));
    QCOMPARE(CharactersInColor(*page->m_ctlReplaced, kRed), QStringLiteral("XY"));
    QCOMPARE(page->m_ctlSample->textCursor().blockNumber(), 2);
  }

  void colourComesFromTheOptions() {
    CTestEnvironment env;
    env.WriteSettingsFile(QStringLiteral("ZY32"), QStringLiteral("[Options]\nString%20Color=65280\n"));
    CTandrelSheet sheet;
    GoToEvaluation(sheet, QStringLiteral("abc"), QStringLiteral("b"), QStringLiteral("Z"));
    QCOMPARE(CharactersInColor(*sheet.EvalPage()->m_ctlSample, 65280), QStringLiteral("b"));
  }

  void expressionBrokenOnALaterPageIsReportedOnTheEvaluationPage() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToEvaluation(sheet, QStringLiteral("abc"), QStringLiteral("b"), QStringLiteral("Z"));
    sheet.m_strSearch = u"b[-a]";  // as a builder page could leave it
    sheet.EvalPage()->m_btnNext->click();
    QCOMPARE(env.m_aMessages.size(), 1);
    QVERIFY(sheet.m_pSearcher == nullptr);
    QVERIFY(sheet.m_aHits.empty());
    QCOMPARE(ReadPane(sheet.EvalPage()->m_ctlSample), QStringLiteral("abc"));
    QCOMPARE(ReadPane(sheet.EvalPage()->m_ctlReplaced), QStringLiteral("abc"));
    QVERIFY(PositionsInColor(*sheet.EvalPage()->m_ctlSample, kRed).isEmpty());
  }

  void noHitsLeaveThePanesUncoloured() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToEvaluation(sheet, QStringLiteral("abc"), QStringLiteral("q"), QStringLiteral("Z"));
    CEvalPage* page = sheet.EvalPage();
    QVERIFY(PositionsInColor(*page->m_ctlSample, kRed).isEmpty());
    QCOMPARE(ReadPane(page->m_ctlReplaced), QStringLiteral("abc"));
    QCOMPARE(page->m_ctlSample->textCursor().position(), 0);
    page->m_btnNext->click();
    QCOMPARE(sheet.m_nCurHit, 0);
  }

  void hitOnLine30IsScrolledToTheTop() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.resize(640, 480);
    QString sample;
    for (int i = 0; i < 60; ++i) sample += (i == 29 ? QStringLiteral("the hit is here") : QStringLiteral("line")) + "\r\n";
    GoToEvaluation(sheet, sample, QStringLiteral("hit"), QStringLiteral("HIT"));
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    sheet.EvalPage()->OnPreviousHit();
    QCOMPARE(sheet.EvalPage()->m_ctlSample->GetFirstVisibleLine(), 29);
    QCOMPARE(sheet.EvalPage()->m_ctlReplaced->GetFirstVisibleLine(), 29);
  }

  void finishHandsOverTheExpressionsAndStoresTheSettings() {
    CTestEnvironment env;
    std::ostringstream out;
    {
      CCommandLineExchange exchange(std::nullopt, std::nullopt, true, out);
      CTandrelSheet sheet(&exchange);
      GoToEvaluation(sheet, QStringLiteral("abc"), QStringLiteral("b"), QStringLiteral("<%0>"));
      sheet.button(QWizard::FinishButton)->click();
      QCOMPARE(sheet.result(), int(QDialog::Accepted));
    }
    QCOMPARE(QString::fromStdString(out.str()), QStringLiteral("{\"search\":\"b\",\"replace\":\"<%0>\"}\n"));
    QSettings settings(QStringLiteral("Pellucor"), QStringLiteral("Tandrel"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Search Expression")).toString(), QStringLiteral("b"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Replace Expression")).toString(), QStringLiteral("<%0>"));
  }

  void backShowsTheExpressionsAsTheLaterPagesLeftThem() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToEvaluation(sheet, QStringLiteral("abc"), QStringLiteral("b"), QStringLiteral("Z"));
    sheet.m_strSearch = u"c";  // as a builder page writes it
    for (int i = 0; i < 3; ++i) sheet.back();
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSamplePage));
    QCOMPARE(sheet.SamplePage()->m_editSearch->text(), QStringLiteral("c"));
  }

  void helpButtonOpensThePagesTopic() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.show();
    sheet.button(QWizard::HelpButton)->click();
    QCOMPARE(tandrel::HelpBrowser()->source(), QUrl(QStringLiteral("qrc:/help/sample.html")));
    SetSample(sheet, QStringLiteral("abc"));
    for (int i = 0; i < 3; ++i) sheet.next();
    sheet.button(QWizard::HelpButton)->click();
    QCOMPARE(tandrel::HelpBrowser()->source(), QUrl(QStringLiteral("qrc:/help/evaluation.html")));
  }

  void captionsAndButtonsFollowThePage() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.show();
    QCoreApplication::processEvents();
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Tandrel - Sample Text"));
    QVERIFY(!sheet.button(QWizard::BackButton)->isEnabled());
    QVERIFY(sheet.button(QWizard::NextButton)->isEnabled());
    SetSample(sheet, QStringLiteral("abc"));
    for (int i = 0; i < 3; ++i) sheet.next();
    QCoreApplication::processEvents();
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Tandrel - Evaluation"));
    QVERIFY(sheet.button(QWizard::BackButton)->isEnabled());
    QVERIFY(sheet.button(QWizard::FinishButton)->isVisible());
    QVERIFY(!sheet.button(QWizard::NextButton)->isVisible());
  }

  void builderPagesComeFromTheirFactories() {
    CTestEnvironment env;
    CTandrelSheet::SetPageFactory(CTandrelSheet::kSearchPage, [](CTandrelSheet& sheet) {
      auto* page = new QWizardPage;
      page->setObjectName(QStringLiteral("FactoryPage"));
      page->setProperty("sheet", QVariant::fromValue(static_cast<QObject*>(&sheet)));
      return page;
    });
    CTandrelSheet sheet;
    CTandrelSheet::SetPageFactory(CTandrelSheet::kSearchPage, {});
    QCOMPARE(sheet.page(CTandrelSheet::kSearchPage)->objectName(), QStringLiteral("FactoryPage"));
    QCOMPARE(sheet.page(CTandrelSheet::kSearchPage)->property("sheet").value<QObject*>(), &sheet);
    QCOMPARE(sheet.pageIds(), (QList<int>{0, 1, 2, 3}));
    CTandrelSheet plain;
    QCOMPARE(plain.page(CTandrelSheet::kSearchPage)->windowTitle(), QStringLiteral("Tandrel - Search Expression"));
  }
};

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
