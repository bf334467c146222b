// The text pane: whole-text exchange, colouring and caret by 16-bit index
// after every kind of line end, lines and scrolling, and the edit menu.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include "TestSupport.h"
#include "wizard/CompCtrl.h"
#include "wizard/QtText.h"

namespace {
constexpr uint32_t kRed = 255;

QString Read(CCompCtrl& pane) {
  std::u16string text;
  pane.ExchangeText(text, false);
  return tandrel::ToQ(text);
}

void Write(CCompCtrl& pane, const QString& text) {
  std::u16string s = tandrel::FromQ(text);
  pane.ExchangeText(s, true);
}
}  // namespace

class PaneTest : public QObject {
  Q_OBJECT

private slots:
  void exchange_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("read");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no line breaks") << QStringLiteral("abc\u00A0\u2028d\tz") << QStringLiteral("abc\u00A0\u2028d\tz");
    QTest::newRow("CR LF stays") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("lone LF and CR read as CR LF") << QStringLiteral("a\nb\rc\r\nd") << QStringLiteral("a\r\nb\r\nc\r\nd");
    QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n") << QStringLiteral("\r\n\r\n");
    QTest::newRow("ends at the first NUL") << QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd")
                                           << QStringLiteral("ab");
  }
  void exchange() {
    QFETCH(QString, given);
    QFETCH(QString, read);
    CCompCtrl pane;
    Write(pane, given);
    QCOMPARE(Read(pane), read);
  }

  void colourAndCaretAfterLineEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("coloured");
    QTest::addColumn<int>("line");
    QTest::newRow("after CR LF") << QStringLiteral("ab\r\ncd") << 5 << 6 << QStringLiteral("d") << 1;
    QTest::newRow("after lone LF") << QStringLiteral("ab\ncd") << 3 << 4 << QStringLiteral("c") << 1;
    QTest::newRow("after lone CR") << QStringLiteral("ab\rcd") << 3 << 5 << QStringLiteral("cd") << 1;
    QTest::newRow("after two CR LF") << QStringLiteral("x\r\n\r\nyz") << 6 << 7 << QStringLiteral("z") << 2;
    QTest::newRow("mixed line ends") << QStringLiteral("a\r\nb\nc\rd") << 7 << 8 << QStringLiteral("d") << 3;
    QTest::newRow("across a CR LF") << QStringLiteral("ab\r\ncd") << 1 << 6 << QStringLiteral("bcd") << 0;
    QTest::newRow("from the LF of CR LF") << QStringLiteral("ab\r\ncd") << 3 << 5 << QStringLiteral("c") << 1;
  }
  void colourAndCaretAfterLineEnds() {
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, coloured);
    QFETCH(int, line);
    CCompCtrl pane;
    Write(pane, text);
    pane.SetColor(start, end, kRed);
    QCOMPARE(CharactersInColor(pane, kRed), coloured);
    pane.SetSel(start, start);
    QCOMPARE(pane.textCursor().block().blockNumber(), line);
    QCOMPARE(pane.LineFromChar(start), line);
    if (coloured.size() > 0) QCOMPARE(pane.document()->characterAt(pane.textCursor().position()), coloured[0]);
  }

  void colourWholeTextWithMinusOne() {
    CCompCtrl pane;
    QString text;
    for (int i = 0; i < 500; ++i) text += QStringLiteral("line %1\r\n").arg(i);
    Write(pane, text);
    pane.SetColor(0, -1, kRed);
    QString all = text;
    all.remove(u'\r').remove(u'\n');
    QCOMPARE(CharactersInColor(pane, kRed), all);
    // Writing the text again drops the colouring.
    Write(pane, QStringLiteral("abc"));
    QVERIFY(CharactersInColor(pane, kRed).isEmpty());
  }

  void indexesFollowTheTextAfterAnEdit() {
    // Once the user has edited, indexes are those of the text as it reads back.
    CCompCtrl pane;
    Write(pane, QStringLiteral("ab\ncd"));
    QTextCursor cursor(pane.document());
    cursor.insertText(QStringLiteral("X"));
    QCOMPARE(Read(pane), QStringLiteral("Xab\r\ncd"));
    pane.SetColor(5, 6, kRed);
    QCOMPARE(CharactersInColor(pane, kRed), QStringLiteral("c"));
  }

  void lineScrollBringsALineToTheTop() {
    CCompCtrl pane;
    pane.resize(300, 160);
    QString text;
    for (int i = 0; i < 80; ++i) text += QStringLiteral("line %1\r\n").arg(i);
    Write(pane, text);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QCOMPARE(pane.GetFirstVisibleLine(), 0);
    const int32_t index = static_cast<int32_t>(text.indexOf(QStringLiteral("line 29")));
    const int32_t line = pane.LineFromChar(index);
    QCOMPARE(line, 29);
    pane.LineScroll(line - pane.GetFirstVisibleLine());
    QCOMPARE(pane.GetFirstVisibleLine(), 29);
    pane.LineScroll(-9);
    QCOMPARE(pane.GetFirstVisibleLine(), 20);
  }

  void menuHasItsSevenEntriesInOrder() {
    CCompCtrl pane;
    std::unique_ptr<QMenu> menu(pane.CreateTextPopup());
    QCOMPARE(menu->objectName(), QStringLiteral("TEXT_POPUP"));
    QStringList texts;
    for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(texts, (QStringList{QStringLiteral("&Undo\tCtrl+Z"), QStringLiteral("-"), QStringLiteral("Cu&t\tCtrl+X"),
                                 QStringLiteral("&Copy\tCtrl+C"), QStringLiteral("&Paste\tCtrl+V"),
                                 QStringLiteral("Cle&ar\tDel"), QStringLiteral("Select A&ll\tCtrl+A")}));
  }

  void undoIsEnabledOnlyWithSomethingToUndo() {
    CCompCtrl pane;
    pane.SetReadOnly(false);
    Write(pane, QStringLiteral("abc"));
    auto undoEnabled = [&] {
      std::unique_ptr<QMenu> menu(pane.CreateTextPopup());
      return menu->findChild<QAction*>(QStringLiteral("ID_EDIT_UNDO"))->isEnabled();
    };
    QVERIFY(!undoEnabled());  // writing the text cleared the history
    QTextCursor cursor(pane.document());
    cursor.insertText(QStringLiteral("x"));
    QVERIFY(undoEnabled());
    pane.OnEditUndo();
    QCOMPARE(Read(pane), QStringLiteral("abc"));
    QVERIFY(!undoEnabled());

    CCompCtrl readOnly;
    readOnly.SetReadOnly(true);
    Write(readOnly, QStringLiteral("abc"));
    readOnly.SetColor(0, 1, kRed);
    QVERIFY(!readOnly.document()->isUndoAvailable());
  }

  void readOnlyPaneCopiesButDoesNotChange() {
    CCompCtrl pane;
    pane.SetReadOnly(true);
    Write(pane, QStringLiteral("one\r\ntwo"));
    QApplication::clipboard()->setText(QStringLiteral("Z"));
    pane.OnEditSelectAll();
    QCOMPARE(pane.textCursor().selectionStart(), 0);
    QCOMPARE(pane.textCursor().selectionEnd(), pane.document()->characterCount() - 1);
    pane.OnEditCut();
    pane.OnEditPaste();
    pane.OnEditClear();
    QCOMPARE(Read(pane), QStringLiteral("one\r\ntwo"));
    pane.OnEditCopy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one\ntwo"));
  }

  void editablePaneTakesEveryPastedLineEndAsOne() {
    CCompCtrl pane;
    pane.SetReadOnly(false);
    QApplication::clipboard()->setText(QStringLiteral("1\r\n2\n3\r4"));
    pane.OnEditPaste();
    QCOMPARE(pane.document()->blockCount(), 4);
    QCOMPARE(Read(pane), QStringLiteral("1\r\n2\r\n3\r\n4"));
    pane.OnEditSelectAll();
    pane.OnEditClear();
    QCOMPARE(Read(pane), QString());
  }

  void contextMenuKeyOpensTheMenuAtTheEventsPoint() {
    CCompCtrl pane;
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QPoint openedAt(-1, -1);
    QStringList entries;
    QTimer::singleShot(0, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        openedAt = menu->pos();
        for (QAction* a : menu->actions()) entries << a->objectName();
        menu->close();
      }
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10), QPoint(120, 90));
    QApplication::sendEvent(pane.viewport(), &event);
    QCOMPARE(openedAt, QPoint(120, 90));
    QCOMPARE(entries.first(), QStringLiteral("ID_EDIT_UNDO"));
  }
};

QTEST_MAIN(PaneTest)
#include "pane_test.moc"
