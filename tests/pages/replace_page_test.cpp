// The Replace Expression page inside the sheet, driven through its widgets:
// what it shows, the type combo refilled at every activation, the buttons on
// an empty list and at the ends, Remove All keeping the sheet's template, the
// current hit's replacement coloured at its shifted place with the selected
// item's output inside it, the case boxes and help.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "PagesTestUtil.h"
#include "TestSupport.h"
#include "builder/pages/BuilderPages.h"
#include "builder/pages/ListView.h"
#include "builder/pages/ReplacePage.h"
#include "engine/UnicodeExpression.h"
#include "wizard/CompCtrl.h"
#include "wizard/EvalPage.h"
#include "wizard/Help.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/TandrelSheet.h"

namespace {

QStringList ComboTexts(const QComboBox* combo) {
  QStringList texts;
  for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

void Tick(QCheckBox* box, bool ticked) {
  if (box->isChecked() != ticked) QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
  QCOMPARE(box->isChecked(), ticked);
}

}  // namespace

class ReplacePageTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { tandrel::RegisterBuilderPages(); }
  void init() { g_bCaseSensitive = 0; }

  void showsTheControlsAsTheDialogHasThem() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("ab12"), QStringLiteral("ab+[0-9]"), QStringLiteral("[%1]"));
    CReplacePage* page = ReplacePageOf(sheet);
    QVERIFY(page != nullptr);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Tandrel - Replace Expression"));
    QVERIFY(sheet.button(QWizard::BackButton)->isEnabled());
    QVERIFY(sheet.button(QWizard::NextButton)->isEnabled());

    QStringList labels;
    for (const QLabel* label : page->findChildren<QLabel*>()) {
      labels << label->text();
      if (label->text().contains(u'&')) QVERIFY2(label->buddy() != nullptr, qPrintable(label->text()));
    }
    for (const char* text : {"Replaced Te&xt:", "Expression &Type", "&String:"})
      QVERIFY2(labels.contains(QString::fromLatin1(text)), text);
    QCOMPARE(page->m_chkUpperCase->text(), QStringLiteral("U&pper Case"));
    QCOMPARE(page->m_chkLowerCase->text(), QStringLiteral("&Lower Case"));
    const QList<QPair<const char*, const char*>> buttons = {
        {"IDC_APPLY", "Appl&y"},     {"IDC_INSERT", "&Insert"},    {"IDC_REMOVE", "&Remove"}, {"IDC_REMOVE_ALL", "Remo&ve All"},
        {"IDC_MOVE_UP", "Move &Up"}, {"IDC_MOVE_DOWN", "Move Do&wn"}, {"IDC_ADD", "&Add"}};
    for (const auto& [name, text] : buttons) {
      auto* button = page->findChild<QPushButton*>(QString::fromLatin1(name));
      QVERIFY2(button != nullptr, name);
      QCOMPARE(button->text(), QString::fromLatin1(text));
      QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(QString(text).remove(u'&')), name);
    }
    // Add stands in the first row of buttons, right of Move Up.
    QCOMPARE(page->m_btnAdd->y(), page->m_btnApply->y());
    QVERIFY(page->m_btnAdd->x() > page->m_btnMoveUp->x());

    CListView* items = page->m_lstItems;
    QCOMPARE(items->columnCount(), 1);
    QCOMPARE(items->horizontalHeaderItem(0)->text(), QStringLiteral("Expression"));
    QCOMPARE(items->columnWidth(0), items->viewport()->width());
    QVERIFY(items->showGrid());
    QCOMPARE(items->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(items->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(ColumnTexts(items, 0), (QStringList{"[", "%1", "]"}));
    QCOMPARE(PaneText(page->m_ctlPane), QStringLiteral("[12]"));
  }

  void theTypeComboIsFilledAtEveryActivation() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("ab12"), QStringLiteral("ab+[0-9]"), QStringLiteral("%1"));
    CReplacePage* page = ReplacePageOf(sheet);
    QCOMPARE(ComboTexts(page->m_cmbType), (QStringList{"String listed below", "Match of search expression #1"}));
    QCOMPARE(page->m_cmbType->currentIndex(), 1);
    Back(sheet);
    Back(sheet);
    sheet.SamplePage()->m_editSearch->setText(QStringLiteral("+[a-z]*[0-9](x|y)"));
    Next(sheet);
    Next(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kReplacePage));
    QCOMPARE(ComboTexts(page->m_cmbType), (QStringList{"String listed below", "Match of search expression #1",
                                                       "Match of search expression #2", "Match of search expression #3"}));
    // A reference beyond the choices reads back as a literal.
    Back(sheet);
    Back(sheet);
    sheet.SamplePage()->m_editSearch->setText(QStringLiteral("ab"));
    sheet.SamplePage()->m_editReplace->setText(QStringLiteral("%1"));
    Next(sheet);
    Next(sheet);
    QCOMPARE(ComboTexts(page->m_cmbType), QStringList{"String listed below"});
    QCOMPARE(page->m_cmbType->currentIndex(), 0);
    QCOMPARE(page->m_editString->text(), QStringLiteral("%1"));
  }

  void theReplacementIsColouredAtItsShiftedPlace() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("ab\r\nab\r\nab"), QStringLiteral("a+[b]"), QStringLiteral("LONG-%1-"));
    Next(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kEvalPage));
    ClickButton(sheet.EvalPage(), "IDC_NEXT_HIT");
    ClickButton(sheet.EvalPage(), "IDC_NEXT_HIT");
    QCOMPARE(sheet.m_nCurHit, 2);
    Back(sheet);
    CReplacePage* page = ReplacePageOf(sheet);
    CCompCtrl* pane = page->m_ctlPane;
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"LONG-", "%1", "-"}));
    QCOMPARE(PaneText(pane), QStringLiteral("LONG-b-\r\nLONG-b-\r\nLONG-b-"));
    // The third hit starts at character 8 of the sample; the two before it
    // grew by 5 characters each.
    const int32_t q = 8 + 2 * 5;
    struct Case {
      int row;
      QString item;
      QString rest;
      int32_t start;
      int32_t end;
    };
    const QList<Case> cases = {{1, "b", "LONG--", q + 5, q + 6}, {2, "-", "LONG-b", q + 6, q + 7}, {0, "LONG-", "b-", q, q + 5}};
    for (const Case& c : cases) {
      ClickRow(page->m_lstItems, c.row);
      QCOMPARE(CharactersInColor(*pane, sheet.m_crFile), c.item);
      QCOMPARE(CharactersInColor(*pane, sheet.m_crString), c.rest);
      QCOMPARE(PositionsInColor(*pane, sheet.m_crFile), DocPositions(*pane, c.start, c.end));
      QCOMPARE(pane->textCursor().position(), pane->DocPos(c.start));
      QCOMPARE(pane->LineFromChar(c.start), 2);
    }
    QList<int> hit = PositionsInColor(*pane, sheet.m_crString) + PositionsInColor(*pane, sheet.m_crFile);
    std::sort(hit.begin(), hit.end());
    QCOMPARE(hit, DocPositions(*pane, q, q + 7));
  }

  void theFirstActivationRegeneratesRowZeroWithTheSameOutput() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("ab12"), QStringLiteral("ab+[0-9]"), QStringLiteral("<%1>"));
    sheet.next();
    CReplacePage* page = ReplacePageOf(sheet);
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"<", "%1>"}));
    const QString before = PaneText(page->m_ctlPane);
    QCoreApplication::processEvents();
    // The literal is written again from its form, escaped; it still gives "<"
    // (and "%1>" over digits counts up from them, as before).
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"\\<", "%1>"}));
    QCOMPARE(sheet.m_strReplace, std::u16string(u"\\<%1>"));
    QCOMPARE(PaneText(page->m_ctlPane), before);
    QCOMPARE(before, QStringLiteral("<13"));
    QCOMPARE(page->m_editString->text(), QStringLiteral("\\<"));
  }

  void withoutAHitThePaneShowsTheSampleUncoloured() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("abc"), QStringLiteral("zz"), QStringLiteral("Y"));
    CReplacePage* page = ReplacePageOf(sheet);
    QCOMPARE(PaneText(page->m_ctlPane), QStringLiteral("abc"));
    QVERIFY(PositionsInColor(*page->m_ctlPane, sheet.m_crString).isEmpty());
    QVERIFY(PositionsInColor(*page->m_ctlPane, sheet.m_crFile).isEmpty());
    QCOMPARE(page->m_ctlPane->textCursor().position(), 0);
  }

  void removeAllKeepsTheSheetsTemplate() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("ab12"), QStringLiteral("ab+[0-9]"), QStringLiteral("[%1]"));
    CReplacePage* page = ReplacePageOf(sheet);
    Tick(page->m_chkUpperCase, true);
    ClickButton(page, "IDC_REMOVE_ALL");
    QCOMPARE(page->m_lstItems->rowCount(), 0);
    QCOMPARE(page->m_editString->text(), QString());
    QVERIFY(!page->m_chkUpperCase->isChecked());
    QVERIFY(!page->m_chkLowerCase->isChecked());
    QCOMPARE(sheet.m_strReplace, std::u16string(u"[%1]"));
    for (const char* name : {"IDC_APPLY", "IDC_REMOVE", "IDC_MOVE_UP", "IDC_MOVE_DOWN"}) {
      ClickButton(page, name);
      QCOMPARE(page->m_lstItems->rowCount(), 0);
      QCOMPARE(sheet.m_strReplace, std::u16string(u"[%1]"));
    }
    Next(sheet);
    QCOMPARE(sheet.m_strReplaced, std::u16string(u"[12]"));
    QVERIFY(env.m_aMessages.isEmpty());
  }

  void insertAndAddOnAnEmptyListAndTheCaseBoxes() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("ab12"), QStringLiteral("ab+[0-9]"), QStringLiteral("x"));
    CReplacePage* page = ReplacePageOf(sheet);
    ClickButton(page, "IDC_REMOVE_ALL");
    ChooseInCombo(page, "IDC_EXPRESSION_TYPE", 0);
    TypeInto(page, "IDC_STRING", QStringLiteral("50%"));
    ClickButton(page, "IDC_INSERT");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"50\\%"});
    QCOMPARE(sheet.m_strReplace, std::u16string(u"50\\%"));
    QCOMPARE(PaneText(page->m_ctlPane), QStringLiteral("50%"));

    ChooseInCombo(page, "IDC_EXPRESSION_TYPE", 1);
    Tick(page->m_chkUpperCase, true);
    ClickButton(page, "IDC_ADD");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"50\\%", "%1>"}));
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{1});
    // Read back from the new row.
    QCOMPARE(page->m_cmbType->currentIndex(), 1);
    QVERIFY(page->m_chkUpperCase->isChecked());

    // Lower Case wins, and a string ending in "<" is its start value.
    Tick(page->m_chkLowerCase, true);
    TypeInto(page, "IDC_STRING", QStringLiteral("5<"));
    ClickButton(page, "IDC_APPLY");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"50\\%", "%1<5<"}));
    QCOMPARE(sheet.m_strReplace, std::u16string(u"50\\%%1<5<"));
    QVERIFY(page->m_chkLowerCase->isChecked());
    QVERIFY(!page->m_chkUpperCase->isChecked());
    QCOMPARE(page->m_editString->text(), QStringLiteral("5<"));
    QVERIFY(env.m_aMessages.isEmpty());
  }

  void removeAndMoveAtTheEnds() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("7"), QStringLiteral("+[0-9]"), QStringLiteral("A%1B"));
    CReplacePage* page = ReplacePageOf(sheet);
    const QStringList rows{"A", "%1", "B"};
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), rows);
    ClickButton(page, "IDC_MOVE_UP");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), rows);
    ClickRow(page->m_lstItems, 2);
    ClickButton(page, "IDC_MOVE_DOWN");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), rows);
    QCOMPARE(sheet.m_strReplace, std::u16string(u"A%1B"));

    ClickRow(page->m_lstItems, 1);
    ClickButton(page, "IDC_MOVE_DOWN");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"A", "B", "%1"}));
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{2});
    QCOMPARE(sheet.m_strReplace, std::u16string(u"AB%1"));
    QCOMPARE(PaneText(page->m_ctlPane), QStringLiteral("AB7"));

    ClickButton(page, "IDC_REMOVE");  // the last row: the new last row is selected
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"A", "B"}));
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{1});
    QCOMPARE(page->m_editString->text(), QStringLiteral("B"));
    ClickRow(page->m_lstItems, 0);
    ClickButton(page, "IDC_REMOVE");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"B"});
    ClickButton(page, "IDC_REMOVE");  // the only row
    QCOMPARE(page->m_lstItems->rowCount(), 0);
    QCOMPARE(page->m_editString->text(), QString());
    QCOMPARE(sheet.m_strReplace, std::u16string(u"B"));
  }

  void helpOpensTheReplacePageTopic() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToReplacePage(sheet, QStringLiteral("abc"), QStringLiteral("b"), QStringLiteral("x"));
    sheet.button(QWizard::HelpButton)->click();
    QVERIFY(tandrel::HelpBrowser() != nullptr);
    QCOMPARE(tandrel::HelpBrowser()->source(), QUrl(QStringLiteral("qrc:/help/replace.html")));
  }
};

QTEST_MAIN(ReplacePageTest)
#include "replace_page_test.moc"
