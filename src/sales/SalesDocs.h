#pragma once
// What the customer order and the delivery challan share: the common grid checks run
// over document lines, and the way dates and optional texts are stored.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

#include "core/GridCells.h"
#include "core/Refused.h"
#include "ui/Dialogs.h"

namespace kavra::sales {

using kavra::Problem;

inline Problem cellProblem(const QString& text, int row, int col) {
    return Problem{text, QStringLiteral("msflex"), row, col, MsgIcon::Critical, std::nullopt};
}

// Document lines as the common grid checks read a line grid: the heading as row 0, then
// the lines, then the empty entry row such a grid always ends with.
class LineCells : public GridCells {
  public:
    LineCells(QVector<QStringList> rows, int cols) : rows_(std::move(rows)), cols_(cols) {}
    int rowCount() const override { return int(rows_.size()) + 2; }
    int colCount() const override { return cols_; }
    QString text(int row, int col) const override {
        if (row < 1 || row > rows_.size()) return {};
        return rows_[row - 1].value(col);
    }

  private:
    QVector<QStringList> rows_;
    int cols_;
};

// The message a common grid check shows, or "" when the check passes.
QString gridCheckMessage(const std::function<bool(Dialogs&)>& check);

// Dates are kept twice: a timestamp for queries and the "dd/MM/yyyy" text users read.
QVariant dateValue(const QDate& d);
QString dateText(const QDate& d);
// Quantities as users read them: "12", "12.5".
QString qtyText(double q);
// Quantities typed and summed in floating point compare within this.
constexpr double kQtyEps = 1e-9;

// The customer's name and address.
QString customerName(QSqlDatabase& db, qint64 custId);
QString customerAddress(QSqlDatabase& db, qint64 custId);

}  // namespace kavra::sales
