// Shared by the builder page tests: the sheet with the real builder pages,
// clicks on buttons and list rows by their objectNames, and reading lists and
// panes back.
#pragma once

#include <QString>
#include <QStringList>
#include <Qt>
#include <cstdint>

class CCompCtrl;
class CListView;
class CReplacePage;
class CSearchPage;
class CTandrelSheet;
class QTableWidget;
class QWidget;

// Shows the sheet, fills page 1 and goes on to the Search Expression page; the
// posted commands (the first activation's Apply) have run.
void GoToSearchPage(CTandrelSheet& sheet, const QString& sample, const QString& search, const QString& replace);
// The same, on to the Replace Expression page.
void GoToReplacePage(CTandrelSheet& sheet, const QString& sample, const QString& search, const QString& replace);
// Next or Back, then the posted commands.
void Next(CTandrelSheet& sheet);
void Back(CTandrelSheet& sheet);

CSearchPage* SearchPageOf(CTandrelSheet& sheet);
CReplacePage* ReplacePageOf(CTandrelSheet& sheet);

// A mouse click on the page's button with that objectName.
void ClickButton(QWidget* page, const char* objectName);
// A mouse click on a row of a list, scrolled into view first.
void ClickRow(QTableWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Replaces the text of a line edit by typing.
void TypeInto(QWidget* page, const char* objectName, const QString& text);
// Chooses an entry of a combo box as the user does (keyboard), so that its signals run.
void ChooseInCombo(QWidget* page, const char* objectName, int index);

// The texts of one column, top to bottom.
QStringList ColumnTexts(const QTableWidget* list, int column);
// The selected rows, in order.
QList<int> SelectedRows(const QTableWidget* list);
QString PaneText(CCompCtrl* pane);
// The pane's document positions of the 16-bit character indexes [start, end).
QList<int> DocPositions(const CCompCtrl& pane, int32_t start, int32_t end);
