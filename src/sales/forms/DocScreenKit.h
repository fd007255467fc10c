#pragma once
// Pieces the order and DC screens share: the line grid tied to the record controller
// (clicks and the keyboard), a refusal turned into the focus it names, labelled fields
// and side screens opened under the screen locks.
#include <QString>
#include <functional>
#include <optional>

#include "printing/DocumentPrint.h"
#include "sales/SalesDocs.h"
#include "ui/RecordController.h"

class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlDatabase;
class QWidget;

namespace kavra {

class LineGrid;
class Screen;

namespace salesforms {

// The grid follows the controller's state. A click (or Enter) into a shown document asks
// mayModify (which shows why not and returns false) and partlyProcessed, then starts
// modifying; Tab into the grid of a document being entered opens the editor; Tab from the
// editor goes on to afterGrid (the first enabled of them), Shift+Tab back to beforeGrid.
struct GridBinding {
    std::function<bool()> mayModify;
    std::function<bool()> partlyProcessed;
    std::function<QWidget*()> beforeGrid;
    std::function<QList<QWidget*>()> afterGrid;
};
void bindGrid(RecordController* ctl, LineGrid* grid, GridBinding b);

// Tab from the grid's editor goes on to Save, or to Modify where Save is disabled.
std::function<QList<QWidget*>()> saveThenModify(QWidget* screen);

// A click on a disabled header field of a shown record starts modifying it.
void modifyOnHeaderClick(RecordController* ctl, QWidget* header, std::function<bool()> before);

// A domain refusal as the controller shows it; a line problem puts the editor on its cell.
std::optional<Refusal> refusalOf(QWidget* screen, LineGrid* grid, const std::optional<sales::Problem>& p);

// Lines of the grid, without the empty lines the keyboard leaves at its end.
int usedLines(const LineGrid* grid);

// Field builders: the control gets its objectName, the caption is its buddy label.
QLineEdit* addLine(QGridLayout* g, int row, int col, const QString& caption, const char* name, int maxLen);
QDateEdit* makeDate(QWidget* parent, const char* name);
QLabel* makeCaption(QWidget* parent, const QString& caption, QWidget* buddy);
// Tab goes through the widgets in this order.
void tabChain(std::initializer_list<QWidget*> widgets);
// Digits and one decimal point.
void numericOnly(QLineEdit* e);

// The title line of a sales document screen.
QLabel* makeDocHeading(QWidget* parent, const QString& text);
// The customer list (cmbCust); fillCustomers puts the customers in it by name, CustId as data.
QComboBox* makeCustomerCombo(QWidget* parent);
void fillCustomers(QSqlDatabase& db, QComboBox* c);

// The header box (fraHeader) of an order or DC: the customer first, the document's
// identifier shown (never typed) beside it. The screen lays its own fields from row 1.
struct DocHeader {
    QGroupBox* box;
    QGridLayout* grid;
    QComboBox* customer;
    QLineEdit* id;
};
DocHeader makeDocHeader(QWidget* parent, const QString& customerCaption, const QString& idCaption, const char* idName);

// Search by document number (lblGO, txtGO) and the "Search More..." link, added to row.
void addSearch(QHBoxLayout* row, QWidget* parent, const QString& caption, const QString& tip);
// The attachments label and the print button (cmdPrint), added to row.
QPushButton* addCorresAndPrint(QHBoxLayout* row, QWidget* parent, const QString& printCaption);

// Prints the shown document, or the empty form while none is shown; while Save is
// enabled it is a preview.
void printShown(Screen* screen, RecordController* ctl, const std::function<Print::Document(qint64)>& stored,
                const Print::Document& blank);

// Opens a side screen under the locks: refused when another workstation holds it.
// It is shown in the main window's area when there is one, else on its own.
bool openSideScreen(Screen* owner, Screen* side);

// A link to a screen this program does not have yet says so when clicked.
void notAvailableYet(QLabel* link);

// The help page of a screen (F1).
void showHelp(const QString& page);

}  // namespace salesforms
}  // namespace kavra
