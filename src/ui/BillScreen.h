#pragma once
// The bill screen of every chain that bills its DCs: the party's DCs still to bill are
// chosen, their lines priced (and, where the kind bills in the item's other unit, given
// their billing quantity), the charges typed and the value worked out as it is typed. One
// button saves a new bill and modifies a shown one. The kind adds its own tax fields and
// its value, its rules and its print.
#include <QVector>
#include <optional>

#include "core/Session.h"
#include "core/chain/Bills.h"
#include "ui/DocumentScreen.h"

class QComboBox;
class QDateTimeEdit;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kavra {

struct BillScreenKind {
    QString screen;   // "frmInvoice"
    QString caption;  // "Manufacturing - INVOICE"
    QString heading = QStringLiteral("Invoice");
    QString party = QStringLiteral("TO CUSTOMER");
    QString partyField = QStringLiteral("cmbCust");
    QString noParty = QStringLiteral("select a customer First .....");  // the DC list clicked first
    QString gridHeading;
    QString gridHint;
    QString noDc;  // said when there is no DC at all to bill
    QString book;  // the invoice book the number is proposed from; "" proposes none (the party's own)
    bool prints = true;
    struct Link {
        const char* name;
        QString caption, screen;
    };
    QList<Link> links;  // beside the search, the debit note first
    RecordTexts record = texts();
    // What every bill screen says; a kind changes what differs.
    static RecordTexts texts();
    const chain::BillKind* kind = nullptr;
};

class BillScreen : public DocumentScreen {
  public:
    explicit BillScreen(const BillScreenKind& kind);
    // A stored figure shown again; 0 shows as empty.
    static QString numberText(double v);
    bool load() override;

    // Grid columns; the kinds that bill in the other unit have Alt. Qty after Qty.
    enum Col { DcIdCol, DcNoCol, SlNoCol, ParticularsCol, QtyCol };
    int altQtyCol() const { return kind_.kind->altQty ? QtyCol + 1 : -1; }
    int rateCol() const { return kind_.kind->altQty ? QtyCol + 2 : QtyCol + 1; }
    int discountCol() const { return rateCol() + 1; }
    int amountCol() const { return rateCol() + 2; }

    QList<qint64> navigation() override;
    QVariantList navigationKey(qint64 id) override;
    QVariant navigationStamp() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check modifyBlock() override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    void setFieldsEnabled(bool on) override;
    Found find(const QString& text) override;
    void focusRefusal(const Refusal& r) override;

  protected:
    using Line = chain::Bills::Line;
    // What the screen holds, the kind's taxes aside.
    struct Bill {
        chain::Bills::Head head;
        QVector<Line> lines;
    };
    struct Worked {
        QVector<Money> amounts;  // one per line
        Money total;
    };

    // ---- What the kind adds.
    // Reads its settings (rounding, one DC per bill) into roundRupees_ and oneDcPerBill_.
    virtual void readSettings() = 0;
    // The taxes of a new bill for these DCs of the party; none chosen yet: the party's last.
    virtual void proposeTaxes(qint64 party, const QList<qint64>& dcIds) = 0;
    virtual void clearTaxes() = 0;
    // A stored bill, its taxes shown in their fields.
    struct Stored {
        Bill bill;
        Money totVal;
    };
    virtual std::optional<Stored> loadBill(qint64 id) = 0;
    virtual Worked value(const Bill& b) const = 0;
    virtual Check validateBill(const Bill& b, qint64 shownId) = 0;
    virtual qint64 saveBill(const Bill& b, qint64 shownId) = 0;
    virtual void removeBill(qint64 id) = 0;

    // ---- For the kind's fields.
    // The charges box: packing, other charges, final discount and the total take columns 0
    // to 2; the kind lays its taxes from column 3. Each field added with taxField
    // recomputes the value when changed and starts modifying a shown bill when clicked.
    QGridLayout* taxGrid() const { return taxGrid_; }
    QLineEdit* taxField(int row, int col, const QString& caption, const char* name, QWidget* beside = nullptr);
    void watch(QWidget* w);
    // Tab runs from the packing through these to the other charges.
    void setTaxOrder(const QList<QWidget*>& taxes);
    QLineEdit* edit(const char* name) const;
    static QString moneyText(double v);
    static QString percentText(double v);  // a charge as typed, at least to the paisa
    Bill read() const;
    void recompute();
    bool partlyProcessed() override { return true; }
    QWidget* beforeGrid() override;
    QList<QWidget*> afterGrid() override;
    bool eventFilter(QObject* o, QEvent* e) override;

    const BillScreenKind& kind_;
    bool filling_ = false;  // the program is filling the fields: no rules, no messages
    bool roundRupees_ = false, oneDcPerBill_ = false;

  private:
    void customerChosen();
    void dcSelectionChanged();
    void fillLines(const QVector<Line>& lines);
    void showHead(const chain::Bills::Head& h);
    void showUnitGuide(int row);
    void openLinked(const QString& screen);

    QComboBox* cmbCust_ = nullptr;
    QListWidget* lstDcNo_ = nullptr;
    QDateTimeEdit* dtpInvDate_ = nullptr;
    QComboBox* cmbPackForwdType_ = nullptr;
    QComboBox* cmbFinalDiscType_ = nullptr;
    QGridLayout* taxGrid_ = nullptr;
    QLabel* lblUnitGuide_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QList<QWidget*> headerFields_;
    QVector<Line> lines_;  // what the grid rows stand for
};

// A bill screen whose kind's rules take the kind's own invoice: Rules names its Invoice
// type and its value, validate, save and remove, with the signatures every bill chain keeps.
// The kind reads its invoice from the screen; the rest is said once here.
template <class Rules>
class BillScreenOf : public BillScreen {
  public:
    using BillScreen::BillScreen;

  protected:
    virtual typename Rules::Invoice invoice(const Bill& b) const = 0;
    Worked value(const Bill& b) const override {
        const auto v = Rules::value(invoice(b), roundRupees_);
        return {v.amounts, v.total};
    }
    Check validateBill(const Bill& b, qint64 shownId) override {
        return Rules::validate(prod().db(), invoice(b), roundRupees_, shownId, prod().session().invMode);
    }
    qint64 saveBill(const Bill& b, qint64 shownId) override {
        return Rules::save(prod().db(), invoice(b), roundRupees_, shownId, prod().session().invMode);
    }
    void removeBill(qint64 id) override { Rules::remove(prod().db(), id); }
};

}  // namespace kavra
