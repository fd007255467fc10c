#pragma once
// The line grid of the document screens (orders, delivery challans, ...): a table
// that is never edited directly, a line editor laid over the current cell and the
// list of item codes that drops under the item-code cell.
//
// Rows are counted as the users know them: row 0 is the heading, lines are rows
// 1..lineCount(); column 0 holds the serial number. The first typedColumns() columns
// after the serial are the ones the user fills; later columns are only shown.
// Lines are added and removed only at the end of the grid, from the keyboard:
// Down on a filled last line appends one, Up on an empty last line removes it; when the
// last line is not filled yet the screen's status line says which cell is missing.
// A cell may carry a limit (cellLimit): checked on every key typed and again before the
// editor leaves the cell; a refused cell keeps the editor with its text selected.
#include <QColor>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/GridCells.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTableWidget;
class QValidator;

namespace kavra {

struct ItemInfo {
    qint64 id = 0;
    QString name;
    QString unit;
};

class LineGrid;

// The grid as the grid checks see it: row 0 the heading, rowCount() - 1 the last line.
// What the user is typing counts as already in its cell.
class LineGridCells : public GridCells {
  public:
    explicit LineGridCells(const LineGrid* g) : g_(g) {}
    int rowCount() const override;
    int colCount() const override;
    QString text(int row, int col) const override;
    int colorValue(int row, int col) const override;

  private:
    const LineGrid* g_;
};

class LineGrid : public QWidget {
    Q_OBJECT
  public:
    // heading: captions split on '|', serial column first; typedColumns: how many columns
    // after the serial the user fills.
    LineGrid(const QString& heading, int typedColumns, QWidget* parent = nullptr);

    // ---- Column roles (defaults: code 1, name 2, unit 3, nothing numeric); -1 drops a role.
    void setItemColumns(int codeCol, int nameCol, int unitCol);
    void setNumericColumns(const QList<int>& cols);
    // Typed columns a line may leave empty and still count as filled (a remark).
    void setOptionalColumns(const QList<int>& cols) { optionalCols_ = QSet<int>(cols.begin(), cols.end()); }
    int typedColumns() const { return typed_; }
    int columnCount() const;

    // ---- Item data, supplied by the screen (the grid runs no queries).
    // All item codes, ordered by code; asked for when the grid is shown and on refreshItemCodes().
    std::function<QStringList()> itemCodes;
    std::function<std::optional<ItemInfo>(const QString& code)> itemByCode;
    // Optional: rate and discount proposed for a chosen item, written into the columns below.
    std::function<std::optional<QPair<QString, QString>>(qint64 itemId)> proposeRateDiscount;
    void setRateDiscountColumns(int rateCol, int discountCol);
    void refreshItemCodes();
    // The refusal of a cell's text ("Qty should not be greater than 50"), or "" when it may stay.
    std::function<QString(int row, int col, const QString& text)> cellLimit;

    // ---- State set by the screen.
    // Adding: a click opens the editor. Otherwise a click only emits modifyRequested; false
    // also closes the editor (its text is kept).
    void setEditable(bool adding);
    bool isEditable() const { return editable_; }
    // On a partly processed document lines 1..storedLineCount() came from the database and
    // their columns before firstEditableStoredColumn() (item, name, unit) stay as they are;
    // such lines are never removed.
    void setPartlyProcessed(bool on);
    void setStoredLineCount(int n);
    void setFirstEditableStoredColumn(int col);
    int storedLineCount() const { return stored_; }

    // ---- Lines.
    // Empties the grid and closes the editor without writing; forgets the stored line count.
    void clearLines();
    // Appends a line; cells[0] goes to column 1, the serial is filled in.
    void addLine(const QStringList& cells);
    int lineCount() const;
    // row 1..lineCount(); anything else gives "".
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    void setCellColor(int row, int col, const QColor& color);
    QColor cellColor(int row, int col) const;
    QString headingText(int col) const;
    LineGridCells cells() const { return LineGridCells(this); }

    // ---- The editor.
    // Opens the editor on a cell, kept inside the typed columns and off locked columns;
    // an empty grid first gets line 1.
    void beginEdit(int row, int col);
    void commitEditor();
    void hideEditor();
    bool isEditing() const { return editRow_ > 0; }
    int editRow() const { return editRow_; }
    int editColumn() const { return editCol_; }

    QTableWidget* table() const { return table_; }
    QLineEdit* editor() const { return edit_; }
    QListWidget* itemList() const { return list_; }

    // The hint shown over the grid and its editor.
    static QString hint(int typedColumns);

  signals:
    void modifyRequested(int row, int col);  // row 0: the click fell below the last line
    void headingClicked(int col);
    // The editor wrote a changed text back into a cell.
    void cellCommitted(int row, int col);
    void itemChosen(int row, qint64 itemId);
    void linesChanged();
    // Said to the user in the status line (a line that cannot be added yet).
    void notice(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    bool lockedLine(int row) const;
    int clampColumn(int row, int col) const;
    void placeEditor(int row, int col);
    void moveEditor(int row, int col);
    void placeGeometry();
    void fillItemDetails(int row);
    void writeCell(int row, int col, const QString& text);
    bool lineFilled(int row) const;
    bool lineEmpty(int row) const;
    void appendLine();
    void removeLastLine();
    bool editorKey(int key);
    // True (after saying why) when the text in the editor may not leave its cell.
    bool holdRefusedCell();
    void refuse(const QString& why);
    void tellMissing(int row);
    void clickAt(const QPoint& viewportPos);
    void onTyped(const QString& text);
    void chooseItem(const QString& code);
    bool listMatchesTyped() const;

    QTableWidget* table_;
    QLineEdit* edit_;
    QListWidget* list_;
    QValidator* numeric_;
    int typed_;
    int codeCol_ = 1, nameCol_ = 2, unitCol_ = 3;
    QSet<int> numericCols_;
    QSet<int> optionalCols_;
    int rateCol_ = -1, discountCol_ = -1;
    bool editable_ = false;
    bool partly_ = false;
    int stored_ = 0;
    int firstStoredCol_ = 4;
    int editRow_ = 0, editCol_ = 0;
};

}  // namespace kavra
