#pragma once
// Any list or view written to a workbook: texts as text, dates as dates, hidden rows and
// columns kept hidden, bold heading row, auto-filter, frozen panes and fitted columns,
// with the company's short address as page header.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

namespace kavra::Print {

struct GridData {
    int rows = 0, cols = 0;  // row 0 is the heading row
    // The cell's value: a QString (a "dd/mm/yyyy" text counts as a date), a QDate or a number.
    std::function<QVariant(int row, int col)> cell;
    std::function<bool(int row)> rowHidden;  // may be empty
    std::function<bool(int col)> colHidden;  // may be empty
};

struct ExportOptions {
    int zoom = 100;
    double topMarginInches = 1.0;
    bool landscape = false;
    QString leftHeader;
    QString sheetName = QStringLiteral("Sheet1");
    // Bold lines above the heading row (a statement's title), repeated with it on every page.
    QStringList titles;
};

// A grid of the texts a list shows, typed for the workbook: a column whose every filled
// cell (below the heading) is a plain number is written as numbers; a number with a leading
// zero ("007"), grouping or more digits than a number keeps exactly leaves the column as
// text, since such columns hold codes. "dd/mm/yyyy" texts become dates as always.
GridData textGrid(int rows, int cols, std::function<QString(int row, int col)> text);
// Whether the text reads as a plain number as the grids show them ("12", "0.50", "-3.25").
bool plainNumber(const QString& text);

// Called every few hundred rows with rows done and the total; false cancels the export.
using Progress = std::function<bool(int done, int total)>;

// Writes the workbook; false when cancelled. Throws PrintFailure when it cannot be written.
bool exportGrid(QSqlDatabase& db, const GridData& grid, const QString& path, const ExportOptions& options = {},
                const Progress& progress = {});

// The centre page header made of the short address: its lines, at most 20, in bold Arial.
QString addressHeader(const QString& shortAddress);

}  // namespace kavra::Print
