#include "subcontract/forms/WorkOrderScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>

#include "printing/forms/ShownPrint.h"
#include "subcontract/SubcontractKinds.h"

namespace kavra {

namespace WorkOrders = subcontract::WorkOrders;

namespace {

OrderScreenTexts texts() {
    OrderScreenTexts t;
    t.caption = QStringLiteral("SUB CONTRACT");
    t.heading = QStringLiteral("Purchase Order - Outgoing");
    t.idCaption = QStringLiteral("PO Id");
    t.poCaption = QStringLiteral("Our P.O. NO.");
    t.validCaption = QStringLiteral("VALID               *  FROM");
    t.validToCaption = QStringLiteral("TO");
    t.valueCaption = QStringLiteral("P.O. VALUE");
    t.printCaption = QStringLiteral("&Printer");
    t.partyField = QStringLiteral("cmbSupp");
    t.partyCaption = QStringLiteral("TO SUPPLIER");
    t.partyPlaceholder = QStringLiteral("(Select a Supplier)");
    t.addressCaption = QStringLiteral("SUPPLIER's   ADDRESS");
    t.taxField = QStringLiteral("txtKST");
    t.taxCaption = QStringLiteral("KST No && Date");
    t.payTermCaption.clear();
    t.record.modifying = QStringLiteral("You are about to MODIFY the existing P.O. Now...");
    t.record.emptyTable = QStringLiteral("No records to Display !");
    return t;
}

}  // namespace

FrmSubConPO::FrmSubConPO() : SupplierOrderScreenOf(QStringLiteral("frmSubConPO"), subcontract::orderKind(), texts()) {
    txtRem_->setToolTip(QStringLiteral("REMARKS (for Internal Use)"));
    placeTail(5, 2, 6, 0, 6, 2);
    placeTerms(7);
    finish({cmbKindAttn_, txtVal_, txtRem_, rtbTerms_});
}

void FrmSubConPO::showRecord(qint64 id) {
    const auto o = WorkOrders::load(prod().db(), id);
    if (!o) return;
    // The supplier's address and numbers are the master's: showSupplier fills them.
    OrderFields f;
    f.id = o->id;
    f.party = o->suppId;
    f.poNo = o->poNo;
    f.remark = o->remark;
    f.poDate = o->poDate;
    f.validFrom = o->validFrom;
    f.validTo = o->validTo;
    f.value = o->value;
    f.reTrkRej = o->reTrkRej;
    f.cancelled = o->cancelled;
    f.lines = o->lines;
    showFields(f);
    txtVal_->setText(orderValueText(o->value));
    showSupplier(o->suppId, o->kindAttn, o->body);
}

void FrmSubConPO::clearForNew(qint64 id) {
    clearFields(id);
    clearSupplier();
    tryDb([&] {
        txtPOno_->setText(chain::Orders::proposedNumber(prod().db(), subcontract::orderKind(), Clock::today()));
    });
}

WorkOrders::Order FrmSubConPO::read() const {
    const OrderFields f = readFields();
    WorkOrders::Order o;
    o.id = f.id;
    o.suppId = f.party;
    o.kindAttn = cmbKindAttn_->currentText();
    o.poNo = f.poNo;
    o.poDate = f.poDate;
    o.validFrom = f.validFrom;
    o.validTo = f.validTo;
    o.remark = f.remark;
    o.reTrkRej = f.reTrkRej;
    o.value = f.value;
    o.body = rtbTerms_->toPlainText();
    o.lines = f.lines;
    return o;
}

void FrmSubConPO::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return WorkOrders::printOut(prod().db(), id); },
        Print::Document{QStringLiteral("woPo"), QStringLiteral("WOOPO")});
}

}  // namespace kavra
