#include "jobwork/forms/LabourInvoiceScreen.h"

#include <QLineEdit>

#include "core/Text.h"
#include "jobwork/LabourKinds.h"
#include "printing/forms/ShownPrint.h"

namespace kavra {

namespace Inv = jobwork::Invoices;

namespace {

const BillScreenKind& screenKind() {
    static const BillScreenKind k = [] {
        BillScreenKind s;
        s.screen = QStringLiteral("frmInvoiceL");
        s.caption = QStringLiteral("LABOUR - INVOICE");
        s.heading = QStringLiteral("Labour Invoice");
        s.gridHeading = QStringLiteral(
            " DcId|DcNo    | SlNo | Particulars                                                               |   Qty "
            "  | Alt. Qty  |   Rate        | Discount | Amount       ");
        s.gridHint = QStringLiteral("Type the Alt. Qty, the Rate and the Discount % of each line");
        s.noDc = QStringLiteral("You cannot Create INVOICE without a DC-Outgoing!!!");
        s.book = QStringLiteral("DCOUTGOINGINV");
        s.links = {{"lblDebitNote", QStringLiteral("Debit Note"), QStringLiteral("frmDbCrNote_INV_LAB")}};
        s.record.modifying = QStringLiteral("You are about to MODIFY the existing Invoice now...");
        s.kind = &jobwork::billKind();
        return s;
    }();
    return k;
}

}  // namespace

FrmInvoiceL::FrmInvoiceL() : BillScreenOf(screenKind()) {
    QList<QWidget*> order;
    order << taxField(0, 3, QStringLiteral("*  KVAT"), "txtVAT");
    order << taxField(1, 3, QStringLiteral("*  SERVICE TAX"), "txtServTax");
    order << taxField(2, 3, QStringLiteral("* CESS"), "txtCessOnServTax");
    setTaxOrder(order);
    connect(edit("txtCessOnServTax"), &QLineEdit::textEdited, this, [this] { cessTyped(); });
}

// A cess is levied on the service tax: none without it.
void FrmInvoiceL::cessTyped() {
    if (filling_ || text::typed(edit("txtServTax")->text()) != 0) return;
    if (edit("txtCessOnServTax")->text().isEmpty()) return;
    edit("txtCessOnServTax")->clear();
    Dialogs::current().critical(
        appTitle(), QStringLiteral("Service Tax must be entered...   in order to have Cess on Service Tax !"));
}

void FrmInvoiceL::readSettings() {
    roundRupees_ = Inv::roundsLabour(prod().db());
    oneDcPerBill_ = Inv::oneDcPerInvoice(prod().db());
}

void FrmInvoiceL::showTaxes(const Inv::Taxes& t) {
    const bool was = filling_;
    filling_ = true;
    edit("txtVAT")->setText(numberText(t.vat));
    edit("txtServTax")->setText(numberText(t.servTax));
    edit("txtCessOnServTax")->setText(numberText(t.cessOnServTax));
    filling_ = was;
}

// The taxes follow the customer from one invoice to the next, whatever the DCs.
void FrmInvoiceL::proposeTaxes(qint64 party, const QList<qint64>&) {
    showTaxes(Inv::proposeTaxes(prod().db(), party));
}

void FrmInvoiceL::clearTaxes() {
    showTaxes({});
}

std::optional<BillScreen::Stored> FrmInvoiceL::loadBill(qint64 id) {
    const std::optional<Inv::Invoice> inv = Inv::load(prod().db(), id);
    if (!inv) return std::nullopt;
    showTaxes(inv->taxes);
    return Stored{{inv->head, inv->lines}, inv->totVal};
}

Inv::Invoice FrmInvoiceL::invoice(const Bill& b) const {
    Inv::Invoice inv;
    inv.head = b.head;
    inv.lines = b.lines;
    inv.taxes.vat = text::typed(edit("txtVAT")->text());
    inv.taxes.servTax = text::typed(edit("txtServTax")->text());
    inv.taxes.cessOnServTax = text::typed(edit("txtCessOnServTax")->text());
    return inv;
}

void FrmInvoiceL::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Inv::printDocument(prod().db(), id); },
        Print::Document{QStringLiteral("LABINV"), QStringLiteral("LABINV")});
}

}  // namespace kavra
