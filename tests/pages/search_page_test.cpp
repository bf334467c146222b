// The Search Expression page inside the sheet, driven through its widgets:
// what it shows, the buttons on an empty list and at the ends, message 5000 on
// Apply and on leaving, the colouring of the hit and of the selected item's
// part, condition rows, the listing after a change on page 1, compile errors,
// the first activation, UNIX mode and help.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "PagesTestUtil.h"
#include "TestSupport.h"
#include "builder/SearchItem.h"
#include "builder/pages/BuilderPages.h"
#include "builder/pages/ListView.h"
#include "builder/pages/SearchPage.h"
#include "engine/UnicodeExpression.h"
#include "search/Profile.h"
#include "wizard/CompCtrl.h"
#include "wizard/Help.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/TandrelSheet.h"

namespace {

const QString k5000 = QStringLiteral("Please enter a string or select characters to match");

std::u16string U(const QString& s) { return tandrel::FromQ(s); }

// Answers "Flags"/"UNIX RegExp" = 1 while it lives.
class CUnixProfile : public CSearchProfile {
public:
  CUnixProfile() { SetSearchProfile(this); }
  ~CUnixProfile() override { SetSearchProfile(nullptr); }
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override {
    return (section == u"Flags" && entry == u"UNIX RegExp") ? 1 : defaultValue;
  }
};

QStringList LabelTexts(QWidget* page) {
  QStringList texts;
  for (const QLabel* label : page->findChildren<QLabel*>()) texts << label->text();
  return texts;
}

}  // namespace

class SearchPageTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { tandrel::RegisterBuilderPages(); }
  void init() { g_bCaseSensitive = 0; }

  void showsTheControlsAsTheDialogHasThem() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc"), QStringLiteral("b"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QVERIFY(page != nullptr);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Tandrel - Search Expression"));
    QVERIFY(sheet.button(QWizard::BackButton)->isEnabled());
    QVERIFY(sheet.button(QWizard::NextButton)->isEnabled());

    const QStringList labels = LabelTexts(page);
    for (const char* text : {"Sample Te&xt:", "Expression &Type", "At &Least:", "&occurrences, but no more than:",
                             "of &String:", "or Characters:"})
      QVERIFY2(labels.contains(QString::fromLatin1(text)), text);
    // Every mnemonic leads to its control.
    for (const QLabel* label : page->findChildren<QLabel*>())
      if (label->text().contains(u'&')) QVERIFY2(label->buddy() != nullptr, qPrintable(label->text()));

    const QList<QPair<const char*, const char*>> buttons = {
        {"IDC_APPLY", "Appl&y"},     {"IDC_INSERT", "&Insert"},    {"IDC_REMOVE", "&Remove"}, {"IDC_REMOVE_ALL", "Remo&ve All"},
        {"IDC_MOVE_UP", "Move &Up"}, {"IDC_MOVE_DOWN", "Move Do&wn"}, {"IDC_ADD", "&Add"}};
    for (const auto& [name, text] : buttons) {
      auto* button = page->findChild<QPushButton*>(QString::fromLatin1(name));
      QVERIFY2(button != nullptr, name);
      QCOMPARE(button->text(), QString::fromLatin1(text));
      // The whole text fits the button.
      QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(QString(text).remove(u'&')), name);
    }

    QCOMPARE(page->m_cmbType->count(), kSearchItemTypes);
    for (int i = 0; i < kSearchItemTypes; ++i)
      QCOMPARE(page->m_cmbType->itemText(i), tandrel::ToQ(SearchItemTypeText(static_cast<SearchItemType>(i))));
    QCOMPARE(page->m_cmbType->itemText(1), QStringLiteral("Zero or more occurences"));

    CListView* items = page->m_lstItems;
    QCOMPARE(items->columnCount(), 2);
    QCOMPARE(items->horizontalHeaderItem(0)->text(), QStringLiteral("Expression"));
    QCOMPARE(items->horizontalHeaderItem(1)->text(), QStringLiteral("Code"));
    QVERIFY(items->showGrid());
    QCOMPARE(items->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(items->selectionMode(), QAbstractItemView::SingleSelection);
    const int w = items->viewport()->width();
    QCOMPARE(items->columnWidth(0), 3 * (w / 4));
    QCOMPARE(items->columnWidth(1), w / 4);

    CListView* chars = page->m_lstChars;
    QCOMPARE(chars->rowCount(), 257);
    QCOMPARE(chars->horizontalHeaderItem(0)->text(), QStringLiteral("Code"));
    QCOMPARE(chars->horizontalHeaderItem(1)->text(), QStringLiteral("Displayed As"));
    QCOMPARE(chars->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(chars->showGrid());
    QCOMPARE(chars->item(0, 1)->text(), QStringLiteral("Any printable character"));
    QCOMPARE(chars->item(1, 0)->text(), QStringLiteral("\\0x00"));
    QCOMPARE(chars->item(33, 1)->text(), QStringLiteral("(space) - #32"));
    QCOMPARE(chars->item(256, 0)->text(), QString(QChar(0xFF)));
    const int cw = chars->viewport()->width();
    QCOMPARE(chars->columnWidth(0), cw / 3);
    QCOMPARE(chars->columnWidth(1), (6 * cw) / 10);
    // The longest label is not cut.
    QVERIFY(chars->columnWidth(1) > chars->fontMetrics().horizontalAdvance(QStringLiteral("Any printable character")));

    // The page grows with the window; the columns follow the lists.
    const QSize paneBefore = page->m_ctlPane->size();
    const QSize listBefore = items->size();
    sheet.resize(sheet.width() + 200, sheet.height() + 150);
    QCoreApplication::processEvents();
    QVERIFY(page->m_ctlPane->width() > paneBefore.width());
    QVERIFY(page->m_ctlPane->height() > paneBefore.height());
    QVERIFY(items->width() > listBefore.width());
    QVERIFY(items->height() > listBefore.height());
    QCOMPARE(items->columnWidth(0), 3 * (items->viewport()->width() / 4));
  }

  void anEmptyListIgnoresTheButtonsThatNeedARow() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc"), QStringLiteral("b+[a-z]"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    ClickButton(page, "IDC_REMOVE_ALL");
    QCOMPARE(page->m_lstItems->rowCount(), 0);
    QCOMPARE(page->m_editString->text(), QString());
    QVERIFY(SelectedRows(page->m_lstChars).isEmpty());
    QCOMPARE(sheet.m_strSearch, std::u16string(u"b+[a-z]"));

    for (const char* name : {"IDC_APPLY", "IDC_REMOVE", "IDC_MOVE_UP", "IDC_MOVE_DOWN", "IDC_REMOVE_ALL"}) {
      ClickButton(page, name);
      QCOMPARE(page->m_lstItems->rowCount(), 0);
      QCOMPARE(sheet.m_strSearch, std::u16string(u"b+[a-z]"));
    }
    QVERIFY(env.m_aMessages.isEmpty());

    // Insert and Add make the first rows.
    TypeInto(page, "IDC_STRING", QStringLiteral("c"));
    ClickButton(page, "IDC_INSERT");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{QStringLiteral("c")});
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{0});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"c"));
    TypeInto(page, "IDC_STRING", QStringLiteral("a+"));
    ClickButton(page, "IDC_ADD");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{QStringLiteral("c"), QStringLiteral("a\\+")}));
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{1});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"ca\\+"));
    // The form shows the row read back: the escaped string decoded again.
    QCOMPARE(page->m_editString->text(), QStringLiteral("a+"));
    QVERIFY(env.m_aMessages.isEmpty());
  }

  void insertWithAnEmptyFormKeepsItsPlaceholderRow() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc"), QStringLiteral("b"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    ClickButton(page, "IDC_REMOVE_ALL");
    ClickButton(page, "IDC_INSERT");
    QCOMPARE(env.m_aMessages, QStringList{k5000});
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{QStringLiteral(" ")});
    QCOMPARE(sheet.m_strSearch, std::u16string(u" "));
  }

  void removeSelectsTheNewLastRowAndTheOnlyRowLeavesTheExpression() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("ab12x"), QStringLiteral("ab+[0-9]x"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"ab", "+[0-9]", "x"}));
    ClickRow(page->m_lstItems, 2);
    QCOMPARE(page->m_editString->text(), QStringLiteral("x"));
    ClickButton(page, "IDC_REMOVE");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"ab", "+[0-9]"}));
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{1});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"ab+[0-9]"));
    // The form shows the new selection: one or more of 0-9.
    QCOMPARE(page->m_cmbType->currentIndex(), int(SearchItemType::OneOrMore));
    QCOMPARE(SelectedRows(page->m_lstChars), (QList<int>{49, 50, 51, 52, 53, 54, 55, 56, 57, 58}));
    QCOMPARE(page->m_editString->text(), QString());

    // Removing a middle row keeps the selection at its index.
    ClickRow(page->m_lstItems, 0);
    ClickButton(page, "IDC_REMOVE");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"+[0-9]"});
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{0});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"+[0-9]"));

    ClickButton(page, "IDC_REMOVE");
    QCOMPARE(page->m_lstItems->rowCount(), 0);
    QCOMPARE(page->m_editString->text(), QString());
    QVERIFY(SelectedRows(page->m_lstChars).isEmpty());
    QCOMPARE(sheet.m_strSearch, std::u16string(u"+[0-9]"));
    QVERIFY(env.m_aMessages.isEmpty());
  }

  void moveUpAndDownStopAtTheEnds() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("ab12x"), QStringLiteral("ab+[0-9]x"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    const QStringList rows{"ab", "+[0-9]", "x"};
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{0});
    ClickButton(page, "IDC_MOVE_UP");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), rows);
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{0});
    ClickRow(page->m_lstItems, 2);
    ClickButton(page, "IDC_MOVE_DOWN");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), rows);
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{2});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"ab+[0-9]x"));

    ClickRow(page->m_lstItems, 1);
    ClickButton(page, "IDC_MOVE_UP");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"+[0-9]", "ab", "x"}));
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{0});
    // A moved row carries only its text.
    QCOMPARE(ColumnTexts(page->m_lstItems, 1), (QStringList{"", "", ""}));
    QCOMPARE(sheet.m_strSearch, std::u16string(u"+[0-9]abx"));
    ClickButton(page, "IDC_MOVE_DOWN");
    ClickButton(page, "IDC_MOVE_DOWN");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"ab", "x", "+[0-9]"}));
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{2});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"abx+[0-9]"));
  }

  void anEmptyFormShowsMessage5000OnApplyAndWhenLeaving() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc"), QStringLiteral("ab"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    TypeInto(page, "IDC_STRING", QString());
    QCOMPARE(page->m_cmbType->currentIndex(), 0);
    ClickButton(page, "IDC_APPLY");
    QCOMPARE(env.m_aMessages, QStringList{k5000});
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"ab"});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"ab"));

    sheet.button(QWizard::NextButton)->click();
    QCoreApplication::processEvents();
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
    QCOMPARE(env.m_aMessages, (QStringList{k5000, k5000}));

    // Type 3 needs a string or characters too; other types do not.
    ChooseInCombo(page, "IDC_EXPRESSION_TYPE", int(SearchItemType::CountRange));
    Next(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
    QCOMPARE(env.m_aMessages.size(), 3);
    ChooseInCombo(page, "IDC_EXPRESSION_TYPE", int(SearchItemType::LineStart));
    Next(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kReplacePage));
    QCOMPARE(env.m_aMessages.size(), 3);
    QCOMPARE(sheet.m_strSearch, std::u16string(u"ab"));
  }

  void anEmptyExpressionShowsNoMessageUntilTheUserLeaves() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc"), QString(), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{QString()});
    // Showing the page asks nothing of the user.
    QVERIFY(env.m_aMessages.isEmpty());
    // Leaving checks the form of the one (empty) row.
    Next(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
    QCOMPARE(env.m_aMessages, QStringList{k5000});
    ClickButton(page, "IDC_REMOVE_ALL");
    Next(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kReplacePage));
    QCOMPARE(sheet.m_strSearch, std::u16string());
  }

  void theSelectedItemsPartIsColouredInsideTheHitAndScrolledToTheTop() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.resize(640, 480);
    QString sample;
    for (int i = 0; i < 40; ++i) sample += QStringLiteral("line %1\r\n").arg(i);
    sample += QStringLiteral("code x123y end\r\n");
    for (int i = 0; i < 40; ++i) sample += QStringLiteral("tail\r\n");
    GoToSearchPage(sheet, sample, QStringLiteral("x+[0-9]y"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    CCompCtrl* pane = page->m_ctlPane;
    QCOMPARE(PaneText(pane), sample);
    const int32_t hit = static_cast<int32_t>(sample.indexOf(QStringLiteral("x123y")));

    struct Case {
      int row;
      QString item;
      QString rest;
      int32_t itemStart;
      int32_t itemEnd;
    };
    const QList<Case> cases = {{1, "123", "xy", hit + 1, hit + 4}, {2, "y", "x123", hit + 4, hit + 5}, {0, "x", "123y", hit, hit + 1}};
    for (const Case& c : cases) {
      ClickRow(page->m_lstItems, c.row);
      QCOMPARE(CharactersInColor(*pane, sheet.m_crFile), c.item);
      QCOMPARE(CharactersInColor(*pane, sheet.m_crString), c.rest);
      QCOMPARE(PositionsInColor(*pane, sheet.m_crFile), DocPositions(*pane, c.itemStart, c.itemEnd));
      QCOMPARE(pane->textCursor().position(), pane->DocPos(c.itemStart));
      QCOMPARE(pane->GetFirstVisibleLine(), 40);
    }
    // The colours follow the sheet's colour options.
    QCOMPARE(sheet.m_crString, uint32_t(255));
    QCOMPARE(sheet.m_crFile, uint32_t(0xFF0000));
  }

  void withoutAHitThePaneShowsTheSampleUncoloured() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc\r\nabc"), QStringLiteral("zz"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QCOMPARE(PaneText(page->m_ctlPane), QStringLiteral("abc\r\nabc"));
    QVERIFY(PositionsInColor(*page->m_ctlPane, sheet.m_crString).isEmpty());
    QVERIFY(PositionsInColor(*page->m_ctlPane, sheet.m_crFile).isEmpty());
    QCOMPARE(page->m_ctlPane->textCursor().position(), 0);
    QCOMPARE(page->m_editString->text(), QStringLiteral("zz"));
  }

  void aConditionRowShowsTheConditionInTheForm() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("ab 12 cd 345x"), QStringLiteral("c+[a-z] +[0-9]!(1)"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"c", "+[a-z]", " ", "+[0-9]", "!(1)"}));
    QCOMPARE(ColumnTexts(page->m_lstItems, 1), (QStringList{"", "%1", "", "%2", ""}));
    ClickRow(page->m_lstItems, 3);
    const QList<int> digits = SelectedRows(page->m_lstChars);
    ClickRow(page->m_lstItems, 4);
    QCOMPARE(page->m_cmbType->currentIndex(), int(SearchItemType::NotMatched));
    QCOMPARE(page->m_editString->text(), QStringLiteral("1"));
    QVERIFY(!page->m_editAtLeast->isEnabled());
    QVERIFY(!page->m_editNoMoreThan->isEnabled());
    // The character selection is the previous item's.
    QCOMPARE(SelectedRows(page->m_lstChars), digits);
    // The hit is coloured, no part of it is the condition's.
    QCOMPARE(CharactersInColor(*page->m_ctlPane, sheet.m_crString), QStringLiteral("cd 345"));
    QVERIFY(PositionsInColor(*page->m_ctlPane, sheet.m_crFile).isEmpty());
  }

  void theListingFollowsAnExpressionChangedOnPageOne() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc12xdef"), QStringLiteral("ab"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"ab"});
    Back(sheet);
    QCOMPARE(sheet.SamplePage()->m_editSearch->text(), QStringLiteral("ab"));
    sheet.SamplePage()->m_editSearch->setText(QStringLiteral("abc*[0-9](x|y)def"));
    Next(sheet);
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"abc", "*[0-9]", "(x|y)", "def"}));
    QCOMPARE(ColumnTexts(page->m_lstItems, 1), (QStringList{"", "%1", "%2", ""}));
    QCOMPARE(sheet.m_strSearch, std::u16string(u"abc*[0-9](x|y)def"));
    QCOMPARE(CharactersInColor(*page->m_ctlPane, sheet.m_crFile), QStringLiteral("abc"));
    QCOMPARE(CharactersInColor(*page->m_ctlPane, sheet.m_crString), QStringLiteral("12xdef"));
  }

  void typeThreeEnablesTheCountsAndBuildsACountedSet() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("a 1234567 b"), QStringLiteral("a"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QVERIFY(!page->m_editAtLeast->isEnabled());
    ChooseInCombo(page, "IDC_EXPRESSION_TYPE", int(SearchItemType::CountRange));
    QVERIFY(page->m_editAtLeast->isEnabled());
    QVERIFY(page->m_editNoMoreThan->isEnabled());
    TypeInto(page, "IDC_AT_LEAST", QStringLiteral("2"));
    TypeInto(page, "IDC_NO_MORE_THAN", QStringLiteral("5"));
    TypeInto(page, "IDC_STRING", QString());
    ClickRow(page->m_lstChars, 49);                        // 0
    ClickRow(page->m_lstChars, 58, Qt::ShiftModifier);    // to 9
    QCOMPARE(SelectedRows(page->m_lstChars).size(), 10);
    ClickButton(page, "IDC_APPLY");
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"+2-5[0-9]"});
    QCOMPARE(sheet.m_strSearch, std::u16string(u"+2-5[0-9]"));
    QCOMPARE(CharactersInColor(*page->m_ctlPane, sheet.m_crFile), QStringLiteral("12345"));
    // Read back: type 3 with its counts.
    QCOMPARE(page->m_cmbType->currentIndex(), int(SearchItemType::CountRange));
    QCOMPARE(page->m_editAtLeast->text(), QStringLiteral("2"));
    QCOMPARE(page->m_editNoMoreThan->text(), QStringLiteral("5"));
    ChooseInCombo(page, "IDC_EXPRESSION_TYPE", int(SearchItemType::OneOrMore));
    QVERIFY(!page->m_editAtLeast->isEnabled());
    // Ctrl adds single entries to the selection.
    ClickRow(page->m_lstChars, 98);                         // a
    ClickRow(page->m_lstChars, 100, Qt::ControlModifier);   // c
    ClickRow(page->m_lstChars, 99, Qt::ControlModifier);    // b
    ClickRow(page->m_lstChars, 121, Qt::ControlModifier);   // x
    ClickButton(page, "IDC_APPLY");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"+[a-cx]"});
  }

  void anItemThatDoesNotCompileIsReportedAndThePageGoesOn() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("ab"), QStringLiteral("ab"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    TypeInto(page, "IDC_STRING", QString());
    ClickRow(page->m_lstChars, 1);                          // code 0
    ClickRow(page->m_lstChars, 2, Qt::ControlModifier);     // code 1: the run "\0x00-\0x01"
    ClickButton(page, "IDC_APPLY");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), QStringList{"?[\\0x00-\\0x01]"});
    QVERIFY(!env.m_aMessages.isEmpty());
    for (const QString& message : env.m_aMessages)
      QVERIFY2(message.startsWith(QStringLiteral("The search expression cannot be compiled")), qPrintable(message));
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
    QVERIFY(sheet.m_pSearcher == nullptr);
    QVERIFY(sheet.m_aHits.empty());

    // The page still works: the row is replaced by one that compiles.
    env.m_aMessages.clear();
    TypeInto(page, "IDC_STRING", QStringLiteral("b"));
    ClickButton(page, "IDC_APPLY");
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(sheet.m_strSearch, std::u16string(u"b"));
    QCOMPARE(sheet.m_aHits.size(), size_t(1));
    QCOMPARE(CharactersInColor(*page->m_ctlPane, sheet.m_crFile), QStringLiteral("b"));
    Next(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kReplacePage));
  }

  void theFirstActivationRegeneratesRowZeroOnlyWhenItMeansTheSame_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("rowZeroAfter");
    // The set is written again from its selection: the same characters.
    QTest::newRow("set") << "?[ab]x" << "?[a-b]";
    // Read back as a literal 'cat\|dog' it would match something else: kept.
    QTest::newRow("alternatives") << "(cat|dog)s" << "(cat|dog)";
  }

  void theFirstActivationRegeneratesRowZeroOnlyWhenItMeansTheSame() {
    QFETCH(QString, search);
    QFETCH(QString, rowZeroAfter);
    CTestEnvironment env;
    CTandrelSheet sheet;
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    sheet.SamplePage()->m_editSearch->setText(search);
    std::u16string sample = u"bx cats";
    sheet.SamplePage()->m_ctlSample->ExchangeText(sample, true);
    sheet.next();
    CSearchPage* page = SearchPageOf(sheet);
    // The regeneration is posted: first the rows as compiled.
    QCOMPARE(ColumnTexts(page->m_lstItems, 0).join(QString()), search);
    QCoreApplication::processEvents();
    QCOMPARE(ColumnTexts(page->m_lstItems, 0).first(), rowZeroAfter);
    QCOMPARE(SelectedRows(page->m_lstItems), QList<int>{0});
    QVERIFY(env.m_aMessages.isEmpty());
    // Once only: the next activation lists the expression as it now stands.
    Back(sheet);
    Next(sheet);
    QCOMPARE(ColumnTexts(page->m_lstItems, 0).first(), rowZeroAfter);
  }

  void showingThePagesKeepsWhatTheExpressionsDo_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("sample");
    QTest::newRow("alternatives") << "(cat|dog)s" << "[%1]" << "cats and dogs";
    QTest::newRow("counted wildcard") << "a+3" << "<%1>" << "abcdef a12";
    QTest::newRow("sets and groups") << "abc*[0-9](x|y)def" << "%2%1" << "abc12xdef abcydef";
    QTest::newRow("counts and a condition") << "+2-5[a-z]!(q)" << "%1>" << "ab quiet stone";
    QTest::newRow("escapes") << "a\\+b\\(c" << "\\%%0" << "a+b(c";
    QTest::newRow("fill part") << "+[0-9]" << "%1%%ZYFILL*%%" << "7 42";
    QTest::newRow("counter") << "+[a-z]" << "%1<7<" << "x y";
  }

  void showingThePagesKeepsWhatTheExpressionsDo() {
    QFETCH(QString, search);
    QFETCH(QString, replace);
    QFETCH(QString, sample);
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, sample, search, replace);
    Next(sheet);  // Replace Expression
    Next(sheet);  // Evaluation
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kEvalPage));
    Back(sheet);
    Back(sheet);
    Back(sheet);
    QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSamplePage));
    QVERIFY(env.m_aMessages.isEmpty());
    QCOMPARE(sheet.SamplePage()->m_editSearch->text(), tandrel::ToQ(sheet.m_strSearch));
    QCOMPARE(sheet.SamplePage()->m_editReplace->text(), tandrel::ToQ(sheet.m_strReplace));

    // The expressions as the pages left them find and replace what the typed ones do.
    const auto evaluate = [&sample](const std::u16string& s, const std::u16string& r) {
      CEvalModel model;
      model.m_strSample = U(sample);
      model.m_strSearch = s;
      model.m_strReplace = r;
      model.FindHits();
      model.BuildReplacedText();
      QStringList hits;
      for (const CZyHit& hit : model.m_aHits)
        hits << QStringLiteral("%1:%2").arg(hit.m_nPos).arg(tandrel::ToQ(hit.m_strFound));
      return QStringList{tandrel::ToQ(model.m_strReplaced)} + hits;
    };
    const QStringList typed = evaluate(U(search), U(replace));
    QVERIFY(typed.size() > 1);  // the sample has hits
    QCOMPARE(evaluate(sheet.m_strSearch, sheet.m_strReplace), typed);
  }

  void unixModeListsPostfixRows() {
    CTestEnvironment env;
    CUnixProfile unixProfile;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("ab123"), QStringLiteral("ab[0-9]+"), QString());
    CSearchPage* page = SearchPageOf(sheet);
    QVERIFY(page->Items().UnixMode());
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"ab", "[0-9]+"}));
    ClickRow(page->m_lstItems, 1);
    QCOMPARE(CharactersInColor(*page->m_ctlPane, sheet.m_crFile), QStringLiteral("123"));
    ChooseInCombo(page, "IDC_EXPRESSION_TYPE", int(SearchItemType::ZeroOrMore));
    ClickButton(page, "IDC_APPLY");
    QCOMPARE(ColumnTexts(page->m_lstItems, 0), (QStringList{"ab", "[0-9]*"}));
    QCOMPARE(sheet.m_strSearch, std::u16string(u"ab[0-9]*"));
  }

  void helpOpensTheSearchPageTopic() {
    CTestEnvironment env;
    CTandrelSheet sheet;
    GoToSearchPage(sheet, QStringLiteral("abc"), QStringLiteral("b"), QString());
    sheet.button(QWizard::HelpButton)->click();
    QVERIFY(tandrel::HelpBrowser() != nullptr);
    QCOMPARE(tandrel::HelpBrowser()->source(), QUrl(tandrel::HelpPageForContext(tandrel::kHelpSearchPage)));
    QCOMPARE(tandrel::HelpBrowser()->source(), QUrl(QStringLiteral("qrc:/help/search.html")));
  }
};

QTEST_MAIN(SearchPageTest)
#include "search_page_test.moc"
