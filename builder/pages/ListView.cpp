// The builder pages' report list.
#include "builder/pages/ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QSignalBlocker>

CListView::CListView(const QStringList& headers, ColumnWidths widths, QWidget* parent)
    : QTableWidget(0, static_cast<int>(headers.size()), parent), m_widths(std::move(widths)) {
  setHorizontalHeaderLabels(headers);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  setTabKeyNavigation(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int CListView::SelectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void CListView::SelectRowSilently(int row) {
  const QSignalBlocker blockTable(this);
  const QSignalBlocker blockSelection(selectionModel());
  clearSelection();
  if (row < 0 || row >= rowCount()) {
    viewport()->update();
    return;
  }
  const QModelIndex index = model()->index(row, 0);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
  viewport()->update();
}

void CListView::SetCellText(int row, int column, const QString& text) {
  QTableWidgetItem* cell = item(row, column);
  if (cell == nullptr) {
    cell = new QTableWidgetItem;
    setItem(row, column, cell);
  }
  cell->setText(text);
  cell->setToolTip(text);
}

void CListView::FitColumns() {
  const std::vector<int> widths = m_widths(viewport()->width());
  for (size_t i = 0; i < widths.size() && static_cast<int>(i) < columnCount(); ++i)
    setColumnWidth(static_cast<int>(i), widths[i]);
}

bool CListView::viewportEvent(QEvent* event) {
  // The client area changes with the window and when a scroll bar comes or goes.
  if (event->type() == QEvent::Resize) FitColumns();
  return QTableWidget::viewportEvent(event);
}
