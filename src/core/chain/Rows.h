#pragma once
// Writing a table row from named values, and the stored forms every document shares:
// dates kept twice (a timestamp for queries, the "dd/MM/yyyy" text users read) and
// optional texts kept as a single blank when empty.
#include <QDate>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace kavra::chain {

// Column values in the order they are written.
class Row {
  public:
    Row& set(const QString& column, const QVariant& value);
    Row& operator<<(const Row& more);
    const QList<QPair<QString, QVariant>>& values() const { return values_; }
    bool isEmpty() const { return values_.isEmpty(); }

  private:
    QList<QPair<QString, QVariant>> values_;
};

namespace Rows {

void insert(QSqlDatabase& db, const QString& table, const Row& row);
// Many rows, in the order given: rows with the same columns go in one statement, a few
// hundred values to each.
void insertAll(QSqlDatabase& db, const QString& table, const QList<Row>& rows);
// Returns the number of rows changed. where: "col=? and ..." with its values.
int updateWhere(QSqlDatabase& db, const QString& table, const Row& row, const QString& where,
                const QVariantList& params);
int update(QSqlDatabase& db, const QString& table, const Row& row, const QString& keyCol, const QVariant& key);

// "?,?,?" for an IN list of n bound values.
QString marks(qsizetype n);
QVariantList bound(const QList<qint64>& ids);

QVariant nullText();
// An optional text as stored: trimmed, a single blank when empty.
QString optionalText(const QString& s);
// A text stored only when given: trimmed, Null when empty.
QVariant textOrNull(const QString& s);
QVariant dateValue(const QDate& d);
QString dateText(const QDate& d);
// Quantities as users read them: "12", "12.5".
QString qtyText(double q);
// A rate as typed, at least to the paisa: "12.50", "0.125".
QString rateText(double r);

}  // namespace Rows

// Quantities typed and summed in floating point compare within this.
constexpr double kQtyEps = 1e-9;

}  // namespace kavra::chain
