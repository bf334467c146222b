// The whole wizard with its builder pages: expressions handed over at start
// and a sample file, Next through all four pages with an item edited on each
// builder page, the hits stepped through, Finish; then the expressions handed
// back and the settings written.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QtTest>
#include <sstream>

#include "PagesTestUtil.h"
#include "TestSupport.h"
#include "builder/SearchItem.h"
#include "builder/pages/BuilderPages.h"
#include "builder/pages/ListView.h"
#include "builder/pages/ReplacePage.h"
#include "builder/pages/SearchPage.h"
#include "engine/UnicodeExpression.h"
#include "wizard/CompCtrl.h"
#include "wizard/EvalPage.h"
#include "wizard/Exchange.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/TandrelSheet.h"

class WizardFlowTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { tandrel::RegisterBuilderPages(); }

  void throughAllPagesToFinish() {
    CTestEnvironment env;
    g_bCaseSensitive = 0;
    std::ostringstream out;
    {
      CCommandLineExchange exchange(std::u16string(u"Invoice +[0-9]"), std::u16string(u"Bill %1"), true, out);
      CTandrelSheet sheet(&exchange);
      sheet.SamplePage()->LoadFile(QStringLiteral(TANDREL_SOURCE_DIR "/examples/sample.txt"));
      sheet.show();
      QVERIFY(QTest::qWaitForWindowExposed(&sheet));
      QCOMPARE(sheet.SamplePage()->m_editSearch->text(), QStringLiteral("Invoice +[0-9]"));
      QCOMPARE(sheet.SamplePage()->m_editReplace->text(), QStringLiteral("Bill %1"));

      // Page 2: the digits become "at least 4 digits".
      Next(sheet);
      CSearchPage* search = SearchPageOf(sheet);
      QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
      QCOMPARE(ColumnTexts(search->m_lstItems, 0), (QStringList{"Invoice ", "+[0-9]"}));
      QCOMPARE(CharactersInColor(*search->m_ctlPane, sheet.m_crFile), QStringLiteral("Invoice "));
      QCOMPARE(CharactersInColor(*search->m_ctlPane, sheet.m_crString), QStringLiteral("1041"));
      ClickRow(search->m_lstItems, 1);
      ChooseInCombo(search, "IDC_EXPRESSION_TYPE", int(SearchItemType::CountRange));
      TypeInto(search, "IDC_AT_LEAST", QStringLiteral("4"));
      ClickButton(search, "IDC_APPLY");
      QCOMPARE(ColumnTexts(search->m_lstItems, 0), (QStringList{"Invoice ", "+4+[0-9]"}));
      QCOMPARE(sheet.m_strSearch, std::u16string(u"Invoice +4+[0-9]"));
      QCOMPARE(CharactersInColor(*search->m_ctlPane, sheet.m_crFile), QStringLiteral("1041"));

      // Page 3: the literal before the reference is rewritten.
      Next(sheet);
      CReplacePage* replace = ReplacePageOf(sheet);
      QCOMPARE(sheet.currentId(), int(CTandrelSheet::kReplacePage));
      QCOMPARE(ColumnTexts(replace->m_lstItems, 0), (QStringList{"Bill ", "%1"}));
      QCOMPARE(replace->m_editString->text(), QStringLiteral("Bill "));
      TypeInto(replace, "IDC_STRING", QStringLiteral("No. "));
      ClickButton(replace, "IDC_APPLY");
      QCOMPARE(sheet.m_strReplace, std::u16string(u"No. %1"));
      QCOMPARE(CharactersInColor(*replace->m_ctlPane, sheet.m_crFile), QStringLiteral("No. "));
      QCOMPARE(CharactersInColor(*replace->m_ctlPane, sheet.m_crString), QStringLiteral("1041"));

      // Page 4: the hits, stepped through to the last and one past it.
      Next(sheet);
      QCOMPARE(sheet.currentId(), int(CTandrelSheet::kEvalPage));
      QCOMPARE(sheet.m_aHits.size(), size_t(4));
      QStringList found;
      for (int i = 0; i < 5; ++i) {
        found << CharactersInColor(*sheet.EvalPage()->m_ctlSample, sheet.m_crString);
        ClickButton(sheet.EvalPage(), "IDC_NEXT_HIT");
      }
      QCOMPARE(found, (QStringList{"Invoice 1041", "Invoice 1042", "Invoice 1043", "Invoice 1044", "Invoice 1044"}));
      QCOMPARE(sheet.m_nCurHit, 3);
      QCOMPARE(CharactersInColor(*sheet.EvalPage()->m_ctlReplaced, sheet.m_crString), QStringLiteral("No. 1044"));
      QVERIFY(PaneText(sheet.EvalPage()->m_ctlReplaced).contains(QStringLiteral("No. 1041 from Ada Lovelace")));

      sheet.button(QWizard::FinishButton)->click();
      QCOMPARE(sheet.result(), int(QDialog::Accepted));
      QVERIFY(env.m_aMessages.isEmpty());
    }
    QCOMPARE(QString::fromStdString(out.str()), QStringLiteral("{\"search\":\"Invoice +4+[0-9]\",\"replace\":\"No. %1\"}\n"));
    QSettings settings(QStringLiteral("Pellucor"), QStringLiteral("Tandrel"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Search Expression")).toString(), QStringLiteral("Invoice +4+[0-9]"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Replace Expression")).toString(), QStringLiteral("No. %1"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Case Sensitive")).toInt(), 0);
  }

  void cancelOnABuilderPageStoresWhatThePageWrote() {
    CTestEnvironment env;
    g_bCaseSensitive = 0;
    std::ostringstream out;
    {
      CCommandLineExchange exchange(std::nullopt, std::nullopt, true, out);
      CTandrelSheet sheet(&exchange);
      GoToSearchPage(sheet, QStringLiteral("ab12"), QStringLiteral("ab+[0-9]"), QStringLiteral("x"));
      CSearchPage* search = SearchPageOf(sheet);
      ClickRow(search->m_lstItems, 0);
      ClickButton(search, "IDC_REMOVE");
      QCOMPARE(sheet.m_strSearch, std::u16string(u"+[0-9]"));
      sheet.button(QWizard::CancelButton)->click();
      QCOMPARE(sheet.result(), int(QDialog::Rejected));
    }
    // Nothing handed over, but the settings hold the page's expression.
    QCOMPARE(QString::fromStdString(out.str()), QString());
    QSettings settings(QStringLiteral("Pellucor"), QStringLiteral("Tandrel"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Search Expression")).toString(), QStringLiteral("+[0-9]"));
    QCOMPARE(settings.value(QStringLiteral("Settings/Replace Expression")).toString(), QStringLiteral("x"));
  }
};

QTEST_MAIN(WizardFlowTest)
#include "wizard_flow_test.moc"
