#pragma once
// The one document screen every chain's orders, DCs, bills and store notes are built on:
// it owns the record controller and the line grid and ties them together (a click or
// Enter into a shown document starts modifying it, Tab runs from the header into the grid
// and on to Save), looks items up for the grid, turns a refusal into its message and the
// field or cell it names, and answers F5 (the item master) and the print button. A screen adds its fields and its
// domain calls.
#include <QString>
#include <functional>
#include <initializer_list>

#include "core/chain/Orders.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlDatabase;

namespace kavra {

class LineGrid;

class DocumentScreen : public Screen, public RecordHost {
    Q_OBJECT
  public:
    DocumentScreen(const QString& screenName, const QString& caption);

    RecordController* controller() const { return ctl_; }
    LineGrid* grid() const { return grid_; }

    void focusRefusal(const Refusal& r) override;
    void functionKey(int key) override;
    void setFieldsEnabled(bool on) override;
    // Count and newest key of the navigation table: changes whenever any desk adds or
    // removes a record of it.
    QVariant navigationStamp() override;

  protected:
    // ---- Building, in this order.
    // The header box (fraHeader): the party list first (objectName partyName), the
    // document's identifier shown (never typed) beside it. The screen lays its own fields
    // from row 1 of grid().
    struct Header {
        QGroupBox* box;
        QGridLayout* grid;
        QComboBox* party;
        QLineEdit* id;
    };
    Header makeHeader(const char* partyName, const QString& partyCaption, const QString& idCaption, const char* idName);
    // The line grid; item codes and names come from the item master unless the screen
    // sets its own look-ups.
    LineGrid* makeGrid(const QString& heading, int typedColumns);
    // A box of more fields below the grid (charges, terms), locked and unlocked with the
    // header; before makeController.
    void addFieldBox(QWidget* box) { fieldBoxes_ << box; }
    // The controller, bound to the grid and the header.
    void makeController(const RecordTexts& t);
    // The table whose records the navigation set holds, for noticing other desks' writes; a
    // filter (the program's own condition, never typed text) when the set is part of the table.
    void setNavigationTable(const QString& table, const QString& key, const QString& filter = {});

    // ---- What a screen may refine.
    // A click into a shown document: false (after saying why) keeps it as it is.
    virtual bool mayModify() { return true; }
    // Stored lines keep their item; the grid is told before modifying starts.
    virtual bool partlyProcessed() { return false; }
    // Header fields that stay fixed while a partly processed document is modified.
    virtual QList<QWidget*> frozenWhenPartly() { return {}; }
    // Where Shift+Tab from the grid goes.
    virtual QWidget* beforeGrid() { return nullptr; }
    // Where Tab from the grid goes: the first of these that takes input (Save, else Modify).
    virtual QList<QWidget*> afterGrid();
    virtual void print() {}
    virtual void otherKey(int key) { (void)key; }

    // Lines of the grid, without the empty lines the keyboard leaves at its end.
    int usedLines() const;
    // ---- Order screens: the grid's columns 1 to 6 are item code, name, unit, Qty, rate, discount.
    QList<chain::Orders::Line> orderLines() const;
    void showOrderLines(const QList<chain::Orders::Line>& lines);
    // F10: cancels the shown order, or reverts a cancelled one, after asking.
    void cancelOrRevert(bool cancelled, const std::function<void(qint64, bool)>& setCancelled);
    // F11 while Modify is on: the order-number change screen for the shown order of this kind.
    void changeOrderNumber(const chain::OrderKind& kind);
    // The party chosen in the header, 0 for none.
    qint64 partyId() const;
    // Opens a side screen under the locks: refused when another workstation holds it.
    bool openSide(Screen* side);

    RecordController* ctl_ = nullptr;
    LineGrid* grid_ = nullptr;
    QGroupBox* headerBox_ = nullptr;
    QComboBox* partyBox_ = nullptr;
    bool partly_ = false;

  private:
    QString navTable_, navKey_, navFilter_;
    QList<QWidget*> fieldBoxes_;
};

// ---- Field builders every document screen lays out the same way.
// The control gets its objectName; the caption is its buddy label.
QLineEdit* addField(QGridLayout* g, int row, int col, const QString& caption, const char* name, int maxLen);
QDateEdit* makeDate(QWidget* parent, const char* name);
// A date that may be left without one: blank until a date is typed or picked (the first key
// or click starts from today); Delete empties it again.
QDateEdit* makeOptionalDate(QWidget* parent, const char* name);
QDate optionalDate(const QDateEdit* d);  // null when empty
void setOptionalDate(QDateEdit* d, const QDate& date);
QLabel* makeCaption(QWidget* parent, const QString& caption, QWidget* buddy);
// Tab goes through the widgets in this order.
void tabChain(std::initializer_list<QWidget*> widgets);
void tabChain(const QList<QWidget*>& widgets);
// Digits and one decimal point.
void numericOnly(QLineEdit* e);
// The title line of a document screen.
QLabel* makeDocHeading(QWidget* parent, const QString& text);
// Fills a party list by name, the key as item data.
void fillParties(QSqlDatabase& db, QComboBox* c, const QString& table, const QString& key, const QString& name);
// Search by document number (lblGO, txtGO) and the "Search More..." link, added to row.
void addSearch(QHBoxLayout* row, QWidget* parent, const QString& caption, const QString& tip);
// The attachments label and the print button (cmdPrint), added to row.
QPushButton* addCorresAndPrint(QHBoxLayout* row, QWidget* parent, const QString& printCaption);
// A link to a screen this program does not have yet says so when clicked.
void notAvailableYet(QLabel* link);

}  // namespace kavra
