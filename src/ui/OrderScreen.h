#pragma once
// The order screen of every chain: the document screen with the fields each order has
// (party, address and tax numbers, number and date, validity, payment terms, value,
// remarks, rejections re-tracking, the cancelled stamp) and the line grid of item, name,
// unit, Qty, rate and discount, driven by the chain's order kind. A chain's screen adds
// its own fields to the header and its own domain calls.
#include <QDate>

#include "core/Money.h"
#include "core/chain/Kinds.h"
#include "core/chain/Orders.h"
#include "ui/DocumentScreen.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTextEdit;
class QVBoxLayout;

namespace kavra {

// The order value as its box shows it: at least two digits before the point ("00.00").
QString orderValueText(Money m);

struct OrderScreenTexts {
    QString caption;         // "SALES - Manufacturing"
    QString heading;         // "Purchase Order (Incoming)"
    QString idCaption;       // "PO Id"
    QString poCaption;       // "Customer PO  NO."
    QString validCaption;    // "VALID     *  FROM"
    QString validToCaption;  // "* TO"
    QString valueCaption;    // "P.O. VALUE  (inclusive of Taxes)"
    QString printCaption;    // "" when the order has no print-out
    // The party list and the party's second tax number; the orders to vendors differ.
    QString partyField = QStringLiteral("cmbCust");
    QString partyCaption = QStringLiteral("FROM CUSTOMER");
    QString partyPlaceholder = QStringLiteral("(Select a Customer)");
    QString addressCaption = QStringLiteral("CUSTOMER    ADDRESS");
    QString taxField = QStringLiteral("txtTinNo");
    QString taxCaption = QStringLiteral("TIN No && Date");
    QString payTermCaption = QStringLiteral("PAYMENT TERMS");  // "" for orders without payment terms
    QString gridHeading;                                       // "" for the customer orders' heading
    RecordTexts record = orderRecordTexts();

    // What every order screen says while adding and deleting.
    static RecordTexts orderRecordTexts() {
        RecordTexts t;
        t.adding = QStringLiteral("You are about to ADD a NEW P.O. Now...");
        t.deleting = QStringLiteral("You are about to DELETE the existing P.O. now...");
        return t;
    }
};

// What every order shows, as the screen has it.
struct OrderFields {
    qint64 id = 0, party = 0;
    QString address, cst, tin, poNo, payTerm, remark;
    QDate poDate, validFrom, validTo;
    Money value;
    bool reTrkRej = false, cancelled = false;
    QList<chain::Orders::Line> lines;
};

class OrderScreen : public DocumentScreen {
    Q_OBJECT
  public:
    bool load() override;
    QList<qint64> navigation() override;
    qint64 proposeId() override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    bool isCancelled() const override { return cancelled_; }
    Found find(const QString& text) override;

  protected:
    OrderScreen(const QString& screenName, const chain::OrderKind& kind, OrderScreenTexts texts);
    // Building: the chain's fields go into headerGrid() rows 4 on (CST at row 4 and TIN at
    // row 5 in column 0, payment terms at row 4 in column 2 are taken); then these two.
    QGridLayout* headerGrid() const { return headerGrid_; }
    QVBoxLayout* addressCaption() const { return addrCaption_; }
    void placeTail(int valueRow, int valueCol, int remRow, int remCol, int chkRow, int chkCol);
    // Tab runs party, address, number, dates, middle, re-tracking box, grid, Save.
    void finish(const QList<QWidget*>& middle);

    void showFields(const OrderFields& f);
    void clearFields(qint64 id);
    OrderFields readFields() const;
    virtual void customerChosen() {}
    virtual void computeValue() {}
    virtual bool reTrackByDefault() { return false; }

    bool partlyProcessed() override;
    QList<QWidget*> frozenWhenPartly() override;
    QWidget* beforeGrid() override;
    void otherKey(int key) override;

    const chain::OrderKind& kind_;
    QTextEdit* rtbAddr_ = nullptr;
    // txtTinNo_ holds the second tax number under the screen's taxField; txtPayTerm_ is
    // null on orders without payment terms.
    QLineEdit *txtCST_, *txtTinNo_, *txtPOno_, *txtPayTerm_ = nullptr, *txtVal_, *txtRem_, *txtId_;
    QDateEdit *dtpPoDate_, *dtpValidFrom_, *dtpValidTo_;
    QCheckBox* chkReTrkRej_ = nullptr;
    QLabel* imgCancel_ = nullptr;
    bool cancelled_ = false;

  private:
    OrderScreenTexts texts_;
    QLabel* heading_ = nullptr;
    QGridLayout* headerGrid_ = nullptr;
    QVBoxLayout* addrCaption_ = nullptr;
};

}  // namespace kavra
