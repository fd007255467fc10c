#include "ui/WorkBillScreen.h"

#include <QLineEdit>

#include "core/Text.h"

namespace kavra {

namespace WB = chain::WorkBills;

BillScreenKind WorkBillScreen::kindOf(const QString& screen, const QString& caption, const QString& heading,
                                      const chain::BillKind* kind) {
    BillScreenKind s;
    s.screen = screen;
    s.caption = caption;
    s.heading = heading;
    s.gridHeading = QStringLiteral(
        " DcId|DcNo    | SlNo | Particulars                                                               |   Qty "
        "  | Alt. Qty  |   Rate        | Discount | Amount       ");
    s.gridHint = QStringLiteral("Type the Alt. Qty, the Rate and the Discount % of each line");
    s.kind = kind;
    return s;
}

WorkBillScreen::WorkBillScreen(const BillScreenKind& kind) : BillScreen(kind), bk_(*kind.kind) {
    QList<QWidget*> order;
    order << taxField(0, 3, QStringLiteral("*  KVAT"), "txtVAT");
    order << taxField(1, 3, QStringLiteral("*  SERVICE TAX"), "txtServTax");
    order << taxField(2, 3, QStringLiteral("* CESS"), "txtCessOnServTax");
    setTaxOrder(order);
    connect(edit("txtCessOnServTax"), &QLineEdit::textEdited, this, [this] { cessTyped(); });
}

// A cess is levied on the service tax: none without it.
void WorkBillScreen::cessTyped() {
    if (filling_ || text::typed(edit("txtServTax")->text()) != 0) return;
    if (edit("txtCessOnServTax")->text().isEmpty()) return;
    edit("txtCessOnServTax")->clear();
    Dialogs::current().critical(
        appTitle(), QStringLiteral("Service Tax must be entered...   in order to have Cess on Service Tax !"));
}

void WorkBillScreen::readSettings() {
    roundRupees_ = WB::roundsRupees(prod().db(), bk_);
    oneDcPerBill_ = WB::oneDcPerBill(prod().db(), bk_);
}

void WorkBillScreen::showTaxes(const WB::Taxes& t) {
    const bool was = filling_;
    filling_ = true;
    edit("txtVAT")->setText(numberText(t.vat));
    edit("txtServTax")->setText(numberText(t.servTax));
    edit("txtCessOnServTax")->setText(numberText(t.cessOnServTax));
    filling_ = was;
}

// The taxes follow the party from one bill to the next, whatever the DCs.
void WorkBillScreen::proposeTaxes(qint64 party, const QList<qint64>&) {
    showTaxes(WB::proposeTaxes(prod().db(), bk_, party));
}

void WorkBillScreen::clearTaxes() {
    showTaxes({});
}

std::optional<BillScreen::Stored> WorkBillScreen::loadBill(qint64 id) {
    const std::optional<WB::Invoice> inv = WB::load(prod().db(), bk_, id);
    if (!inv) return std::nullopt;
    showTaxes(inv->taxes);
    return Stored{{inv->head, inv->lines}, inv->totVal};
}

WB::Invoice WorkBillScreen::invoice(const Bill& b) const {
    WB::Invoice inv;
    inv.head = b.head;
    inv.lines = b.lines;
    inv.taxes.vat = text::typed(edit("txtVAT")->text());
    inv.taxes.servTax = text::typed(edit("txtServTax")->text());
    inv.taxes.cessOnServTax = text::typed(edit("txtCessOnServTax")->text());
    return inv;
}

BillScreen::Worked WorkBillScreen::value(const Bill& b) const {
    const auto v = WB::value(invoice(b), roundRupees_);
    return {v.amounts, v.total};
}

Check WorkBillScreen::validateBill(const Bill& b, qint64 shownId) {
    return WB::validate(prod().db(), bk_, invoice(b), roundRupees_, shownId, prod().session().invMode);
}

qint64 WorkBillScreen::saveBill(const Bill& b, qint64 shownId) {
    return WB::save(prod().db(), bk_, invoice(b), roundRupees_, shownId, prod().session().invMode);
}

void WorkBillScreen::removeBill(qint64 id) {
    WB::remove(prod().db(), bk_, id);
}

Check WorkBillScreen::deleteBlock() {
    return WB::deleteBlock(prod().db(), bk_, ctl_->currentId());
}

}  // namespace kavra
