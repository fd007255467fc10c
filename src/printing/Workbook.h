#pragma once
// An .xlsx package opened for filling: cells written and read back, whole rows hidden,
// sheets copied. Parts the program does not touch are written back byte for byte.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace kavra::Print {

// Any failure to make a print-out, carrying the text shown to the user.
struct PrintFailure : std::runtime_error {
    explicit PrintFailure(const QString& message) : std::runtime_error(message.toStdString()), text(message) {}
    QString text;
};

// A cell or a rectangle of cells, 1-based.
struct CellRange {
    QString sheet;
    int row = 0, col = 0, lastRow = 0, lastCol = 0;
};

// "B5" -> row 5, column 2; false when the text is no cell reference.
bool parseCellRef(const QString& ref, int* row, int* col);
QString cellRef(int row, int col);

// A value written as a number rather than as text.
bool isNumeric(const QVariant& v);

// Every part of a zip package in turn, until part() returns false. Throws PrintFailure.
void readZip(const QString& path, const std::function<bool(const QString& name, QByteArray bytes)>& part);
// One part's bytes; empty when the package has no such part.
QByteArray readPart(const QString& path, const QString& name);

class Workbook {
  public:
    Workbook();
    ~Workbook();
    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;

    // Throws PrintFailure when the file is missing or is no workbook.
    static Workbook load(const QString& path);
    void save(const QString& path) const;

    QStringList sheetNames() const;
    int sheetIndex(const QString& name) const;  // case-insensitive; -1 when absent
    // Appends a copy of the sheet at the end, with its print titles; returns its index.
    int copySheet(int index, const QString& newName);

    // The workbook-level defined name ("InvNo" -> TEMPLATE!$F$5).
    std::optional<CellRange> name(const QString& definedName) const;
    QStringList names() const;

    void setText(int sheet, int row, int col, const QString& text);
    void setNumber(int sheet, int row, int col, double value);
    void clear(int sheet, int row, int col);
    // Text, a double, or an invalid QVariant for an empty cell.
    QVariant value(int sheet, int row, int col) const;

    void setRowHidden(int sheet, int row, bool hidden);
    bool rowHidden(int sheet, int row) const;
    // The rows the sheet describes, highest first used row.
    int lastRow(int sheet) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace kavra::Print
