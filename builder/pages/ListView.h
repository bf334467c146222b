// CListView: the report-style list of the builder pages: headed columns whose
// widths follow the list's client width, grid lines, whole rows selected, no
// editing in place.
#pragma once

#include <QStringList>
#include <QTableWidget>
#include <functional>
#include <vector>

class CListView : public QTableWidget {
  Q_OBJECT

public:
  // widths: the column widths for a client area w pixels wide.
  using ColumnWidths = std::function<std::vector<int>(int w)>;
  CListView(const QStringList& headers, ColumnWidths widths, QWidget* parent = nullptr);

  // The selected row, or -1 (single selection).
  int SelectedRow() const;
  // Selects only row (-1: none) without the selection signals, and shows it.
  void SelectRowSilently(int row);
  // Sets the text of a cell, making the cell when it is missing.
  void SetCellText(int row, int column, const QString& text);
  void FitColumns();

protected:
  bool viewportEvent(QEvent* event) override;

private:
  ColumnWidths m_widths;
};
