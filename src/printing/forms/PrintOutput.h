#pragma once
// What happens to a finished workbook: previewed as PDF inside the program, printed, or
// (without LibreOffice) opened with the desktop's own application.
#include <QSqlDatabase>
#include <QString>

#include "printing/GridExport.h"

class QAbstractItemView;
class QTableView;
class QWidget;

namespace kavra::Print {

// The LibreOffice program, or "" when it is not installed.
QString officeProgram();
// Converts the workbook to PDF beside it; "" when LibreOffice is missing or fails.
QString toPdf(const QString& workbookPath);
// A window showing the PDF's pages with a Print button.
QWidget* showPdf(const QString& pdfPath, const QString& title);

// Exports a list or grid as it is shown (its heading and every row, hidden ones hidden) into
// the data folder's Exports, in a file named after the screen and the list, tells the user
// where it went and opens it where the desktop can. Returns the file, "" when nothing was written.
QString exportView(QSqlDatabase& db, QAbstractItemView* view, const QString& screenTitle,
                   const ExportOptions& options = {});
// A statement's grid as it is shown, under the options' title lines, written to the Prints
// folder in a file named after it and shown in print preview. Returns the file, "" when
// nothing was written (the failure is said).
QString exportTable(QSqlDatabase& db, QTableView* view, const QString& name, const ExportOptions& options);
// The file an export of that screen and list goes to (in Exports, with the time).
QString exportPath(const QString& screenTitle, const QString& listName);

}  // namespace kavra::Print
