// Sheet navigation and widget driving for the builder page tests.
#include "PagesTestUtil.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "builder/pages/ReplacePage.h"
#include "builder/pages/SearchPage.h"
#include "wizard/CompCtrl.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/TandrelSheet.h"

void Next(CTandrelSheet& sheet) {
  sheet.next();
  QCoreApplication::processEvents();
}

void Back(CTandrelSheet& sheet) {
  sheet.back();
  QCoreApplication::processEvents();
}

void GoToSearchPage(CTandrelSheet& sheet, const QString& sample, const QString& search, const QString& replace) {
  sheet.show();
  QVERIFY(QTest::qWaitForWindowExposed(&sheet));
  sheet.SamplePage()->m_editSearch->setText(search);
  sheet.SamplePage()->m_editReplace->setText(replace);
  std::u16string text = tandrel::FromQ(sample);
  sheet.SamplePage()->m_ctlSample->ExchangeText(text, true);
  Next(sheet);
  QCOMPARE(sheet.currentId(), int(CTandrelSheet::kSearchPage));
}

void GoToReplacePage(CTandrelSheet& sheet, const QString& sample, const QString& search, const QString& replace) {
  GoToSearchPage(sheet, sample, search, replace);
  Next(sheet);
  QCOMPARE(sheet.currentId(), int(CTandrelSheet::kReplacePage));
}

CSearchPage* SearchPageOf(CTandrelSheet& sheet) { return qobject_cast<CSearchPage*>(sheet.page(CTandrelSheet::kSearchPage)); }

CReplacePage* ReplacePageOf(CTandrelSheet& sheet) {
  return qobject_cast<CReplacePage*>(sheet.page(CTandrelSheet::kReplacePage));
}

void ClickButton(QWidget* page, const char* objectName) {
  auto* button = page->findChild<QPushButton*>(QString::fromLatin1(objectName));
  QVERIFY2(button != nullptr, objectName);
  QVERIFY2(button->isVisible(), objectName);
  QTest::mouseClick(button, Qt::LeftButton);
}

void ClickRow(QTableWidget* list, int row, Qt::KeyboardModifiers modifiers) {
  QVERIFY(row >= 0 && row < list->rowCount());
  const QModelIndex index = list->model()->index(row, 0);
  list->scrollTo(index);
  const QRect rect = list->visualRect(index);
  QVERIFY(rect.isValid());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

void TypeInto(QWidget* page, const char* objectName, const QString& text) {
  auto* edit = page->findChild<QLineEdit*>(QString::fromLatin1(objectName));
  QVERIFY2(edit != nullptr, objectName);
  QVERIFY2(edit->isEnabled(), objectName);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
  QCOMPARE(edit->text(), text);
}

void ChooseInCombo(QWidget* page, const char* objectName, int index) {
  auto* combo = page->findChild<QComboBox*>(QString::fromLatin1(objectName));
  QVERIFY2(combo != nullptr, objectName);
  combo->setFocus();
  // Home, then Down as often as needed: the keys a user would press on the closed combo.
  QTest::keyClick(combo, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(combo, Qt::Key_Down);
  QCOMPARE(combo->currentIndex(), index);
}

QStringList ColumnTexts(const QTableWidget* list, int column) {
  QStringList texts;
  for (int row = 0; row < list->rowCount(); ++row) {
    const QTableWidgetItem* cell = list->item(row, column);
    texts << (cell != nullptr ? cell->text() : QString());
  }
  return texts;
}

QList<int> SelectedRows(const QTableWidget* list) {
  QList<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  return rows;
}

QString PaneText(CCompCtrl* pane) {
  std::u16string text;
  pane->ExchangeText(text, false);
  return tandrel::ToQ(text);
}

QList<int> DocPositions(const CCompCtrl& pane, int32_t start, int32_t end) {
  QList<int> positions;
  for (int32_t i = start; i < end; ++i) positions << pane.DocPos(i);
  return positions;
}
