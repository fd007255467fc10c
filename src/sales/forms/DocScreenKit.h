#pragma once
// Pieces the order and DC screens share: the line grid tied to the record controller
// (clicks and the keyboard), a refusal turned into the focus it names, labelled fields
// and side screens opened under the screen locks.
#include <QString>
#include <functional>
#include <optional>

#include "sales/SalesDocs.h"
#include "ui/RecordController.h"

class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
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

// Opens a side screen under the locks: refused when another workstation holds it.
// It is shown in the main window's area when there is one, else on its own.
bool openSideScreen(Screen* owner, Screen* side);

// A link to a screen this program does not have yet says so when clicked.
void notAvailableYet(QLabel* link);

// The help page of a screen (F1).
void showHelp(const QString& page);

}  // namespace salesforms
}  // namespace kavra
