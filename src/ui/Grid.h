#pragma once
// Small helpers for the read-only grids of lists and views, and the grid checks' view of a table.
#include <QTableWidget>
#include <functional>

#include "core/GridCells.h"

namespace kavra {

// Heading text "A|B|C": column captions; their lengths give the relative widths.
void setGridHeading(QTableWidget* grid, const QString& heading);
void setCell(QTableWidget* grid, int row, int col, const QString& text);
// Tick cells: the stored mark is "P" (item data), shown as a check mark.
void setTick(QTableWidgetItem* item, bool on);
bool isTicked(const QTableWidgetItem* item);
inline void toggleTick(QTableWidgetItem* item) {
    setTick(item, !isTicked(item));
}
// A read-only list whose context menu offers "Export to Workbook".
QTableWidget* makeListGrid(const QString& objectName, const QString& heading, QWidget* parent);
// Gives a list or grid the context-menu entry "Export to Workbook" (once). The name is what
// the exported file is called after, beside the screen's name; "" keeps the one it has
// (at first its objectName).
void offerExport(QAbstractItemView* view, const QString& name = {});
// A list that is only a pick list of another control and never exports.
void neverExport(QAbstractItemView* view);
QString exportName(const QAbstractItemView* view);
// What that export does; the print module installs it.
std::function<void(QAbstractItemView*)>& listExporter();

// A QTableWidget as the grid checks see it (its heading row counted as row 0).
class TableCells : public GridCells {
  public:
    explicit TableCells(const QTableWidget* t) : t_(t) {}
    int rowCount() const override { return t_->rowCount() + 1; }
    int colCount() const override { return t_->columnCount(); }
    QString text(int row, int col) const override;
    int colorValue(int row, int col) const override;

  private:
    const QTableWidget* t_;
};

}  // namespace kavra
