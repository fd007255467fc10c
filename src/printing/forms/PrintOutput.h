#pragma once
// What happens to a finished workbook: previewed as PDF inside the program, printed, or
// (without LibreOffice) opened with the desktop's own application.
#include <QSqlDatabase>
#include <QString>

#include "printing/GridExport.h"

class QTableWidget;
class QWidget;

namespace kavra::Print {

// The LibreOffice program, or "" when it is not installed.
QString officeProgram();
// Converts the workbook to PDF beside it; "" when LibreOffice is missing or fails.
QString toPdf(const QString& workbookPath);
// A window showing the PDF's pages with a Print button.
QWidget* showPdf(const QString& pdfPath, const QString& title);

// Exports a list grid (its heading and every row) into the data folder's Exports and opens it.
QString exportTable(QSqlDatabase& db, QTableWidget* table, const ExportOptions& options = {});

}  // namespace kavra::Print
