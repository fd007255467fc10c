#include "sales/forms/InvoiceScreen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>

#include "core/Text.h"
#include "printing/forms/ShownPrint.h"
#include "sales/SalesKinds.h"

namespace kavra {

namespace Inv = sales::Invoices;

namespace {

const BillScreenKind& screenKind() {
    static const BillScreenKind k = [] {
        BillScreenKind s;
        s.screen = QStringLiteral("frmInvoice");
        s.caption = QStringLiteral("Manufacturing - INVOICE");
        s.gridHeading = QStringLiteral(
            " DcInvId|DcNo    | SlNo | Particulars                                                             |   Qty "
            "   |   Rate        | Discount | Amount       ");
        s.gridHint = QStringLiteral("Type the Rate and the Discount % of each line");
        s.noDc = QStringLiteral("You cannot Create INVOICE without a DC!!!");
        s.book = QStringLiteral("DCINV");
        s.links = {{"lblDebitNote", QStringLiteral("Debit Note"), QStringLiteral("frmDbCrNote_INV_MFG")},
                   {"lblExciseInv", QStringLiteral("Exc. Invoice"), QStringLiteral("frmExcise")}};
        s.kind = &sales::billKind();
        return s;
    }();
    return k;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& caption) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

}  // namespace

FrmInvoice::FrmInvoice() : BillScreenOf(screenKind()) {
    QWidget* box = taxGrid()->parentWidget();
    optCST_ = check(box, "optCST", QStringLiteral("Form 'C'"));
    optKST_ = check(box, "optKST", QStringLiteral("Form 37"));
    optFormH_ = check(box, "optFormH", QStringLiteral("Form 'H' No Taxes"));
    QList<QWidget*> order;
    order << taxField(0, 3, QStringLiteral("CST %"), "txtCST", optCST_) << optCST_;
    order << taxField(1, 3, QStringLiteral("LST %"), "txtKST", optKST_) << optKST_;
    order << taxField(2, 3, QStringLiteral("CESS ON LST %"), "txtCess");
    order << taxField(3, 3, QStringLiteral("VAT %"), "txtVAT", optFormH_) << optFormH_;
    order << taxField(0, 6, QStringLiteral("EXCISE DUTY %"), "txtExcise");
    order << taxField(1, 6, QStringLiteral("CESS ON ED %"), "txtCessED");
    order << taxField(2, 6, QStringLiteral("H. E. CESS ON ED %"), "txtHighCessED");
    order << taxField(3, 6, QStringLiteral("SURCHARGE"), "txtSurchrg");
    setTaxOrder(order);
    for (const char* n : {"txtCST", "txtVAT", "txtKST", "txtCess", "txtCessED", "txtHighCessED"}) {
        const QString name = QString::fromLatin1(n);
        connect(edit(n), &QLineEdit::textEdited, this, [this, name] { taxTyped(name); });
    }
    for (QCheckBox* c : {optFormH_, optCST_, optKST_}) {
        watch(c);
        connect(c, &QCheckBox::clicked, this, [this, c] { taxTyped(c->objectName()); });
    }
}

void FrmInvoice::taxTyped(const QString& control) {
    const Inv::TaxEffect e = Inv::taxTyped(control, invoice(read()).taxes);
    for (const QString& n : e.clear) findChild<QLineEdit*>(n)->clear();
    for (const QString& n : e.untick) findChild<QCheckBox*>(n)->setChecked(false);
    if (e.refusal) {
        findChild<QLineEdit*>(control)->clear();
        Dialogs::current().message(appTitle(), e.refusal->text, e.refusal->icon);
    }
}

void FrmInvoice::readSettings() {
    roundRupees_ = Inv::roundsSales(prod().db());
    oneDcPerBill_ = Inv::oneDcPerInvoice(prod().db());
}

void FrmInvoice::showTaxes(const Inv::Taxes& t) {
    const bool was = filling_;
    filling_ = true;
    edit("txtExcise")->setText(numberText(t.excise));
    edit("txtCessED")->setText(numberText(t.cessOnED));
    edit("txtHighCessED")->setText(numberText(t.highCessOnED));
    edit("txtCST")->setText(numberText(t.cst));
    edit("txtKST")->setText(numberText(t.kst));
    edit("txtCess")->setText(numberText(t.cessOnKST));
    edit("txtVAT")->setText(numberText(t.vat));
    edit("txtOtherChrg")->setText(moneyText(t.otherCharges));
    optCST_->setChecked(t.formC);
    optKST_->setChecked(t.form37);
    optFormH_->setChecked(t.formH);
    filling_ = was;
}

void FrmInvoice::proposeTaxes(qint64 party, const QList<qint64>& dcIds) {
    showTaxes(Inv::proposeTaxes(prod().db(), party, dcIds));
}

void FrmInvoice::clearTaxes() {
    showTaxes({});
    edit("txtSurchrg")->clear();
}

std::optional<BillScreen::Stored> FrmInvoice::loadBill(qint64 id) {
    const std::optional<Inv::Invoice> inv = Inv::load(prod().db(), id);
    if (!inv) return std::nullopt;
    Stored s;
    chain::Bills::Head& h = s.bill.head;
    h.party = inv->custId;
    h.dcIds = inv->dcIds;
    h.invNo = inv->invNo;
    h.invDate = inv->invDate;
    h.payTerm = inv->payTerm;
    h.invRem = inv->invRem;
    h.packForwd = inv->packForwd;
    h.packPerc = inv->packPerc;
    h.finalDisc = inv->finalDisc;
    h.finalDiscPerc = inv->finalDiscPerc;
    h.otherCharges = inv->taxes.otherCharges;
    s.bill.lines = inv->lines;
    s.totVal = inv->totVal;
    showTaxes(inv->taxes);
    edit("txtSurchrg")->setText(moneyText(inv->surcharge));
    return s;
}

Inv::Invoice FrmInvoice::invoice(const Bill& b) const {
    Inv::Invoice inv;
    const chain::Bills::Head& h = b.head;
    inv.custId = h.party;
    inv.dcIds = h.dcIds;
    inv.invNo = h.invNo;
    inv.invDate = h.invDate;
    inv.payTerm = h.payTerm;
    inv.invRem = h.invRem;
    inv.lines = b.lines;
    inv.packForwd = h.packForwd;
    inv.packPerc = h.packPerc;
    inv.finalDisc = h.finalDisc;
    inv.finalDiscPerc = h.finalDiscPerc;
    inv.surcharge = text::typed(edit("txtSurchrg")->text());
    Inv::Taxes& t = inv.taxes;
    t.excise = text::typed(edit("txtExcise")->text());
    t.cessOnED = text::typed(edit("txtCessED")->text());
    t.highCessOnED = text::typed(edit("txtHighCessED")->text());
    t.cst = text::typed(edit("txtCST")->text());
    t.kst = text::typed(edit("txtKST")->text());
    t.cessOnKST = text::typed(edit("txtCess")->text());
    t.vat = text::typed(edit("txtVAT")->text());
    t.formC = optCST_->isChecked();
    t.form37 = optKST_->isChecked();
    t.formH = optFormH_->isChecked();
    t.otherCharges = h.otherCharges;
    return inv;
}

void FrmInvoice::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Inv::printDocument(prod().db(), id); },
        Print::Document{QStringLiteral("mfgINV"), QStringLiteral("MFGINV")});
}

}  // namespace kavra
