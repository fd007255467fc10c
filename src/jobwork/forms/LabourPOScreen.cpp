#include "jobwork/forms/LabourPOScreen.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTextEdit>

#include "jobwork/LabourKinds.h"

namespace kavra {

namespace Orders = jobwork::Orders;

namespace {

OrderScreenTexts texts() {
    OrderScreenTexts t;
    t.caption = QStringLiteral("LABOUR WORK");
    t.heading = QStringLiteral("Purchase Order - Incoming");
    t.idCaption = QStringLiteral("WO Id");
    t.poCaption = QStringLiteral("Customer P.O. NO.");
    t.validCaption = QStringLiteral("VALID               *  FROM");
    t.validToCaption = QStringLiteral("TO");
    t.valueCaption = QStringLiteral("P.O. VALUE");
    t.record.modifying = QStringLiteral("You are about to MODIFY the existing P.O. Now...");
    t.record.emptyTable = QStringLiteral("No records to Display .");
    return t;
}

}  // namespace

FrmLabourPO::FrmLabourPO() : OrderScreen(QStringLiteral("frmLabourPO"), jobwork::orderKind(), texts()) {
    placeTail(5, 2, 6, 0, 6, 2);
    finish({txtCST_, txtTinNo_, txtPayTerm_, txtVal_, txtRem_});
}

void FrmLabourPO::showRecord(qint64 id) {
    const auto o = Orders::load(prod().db(), id);
    if (!o) return;
    showFields({o->id, o->custId, o->address, o->cst, o->tin, o->poNo, o->payTerm, o->remark, o->poDate, o->validFrom,
                o->validTo, o->value, o->reTrkRej, o->cancelled, o->lines});
    txtVal_->setText(o->value.toString());
}

void FrmLabourPO::clearForNew(qint64 id) {
    clearFields(id);
}

bool FrmLabourPO::reTrackByDefault() {
    return Orders::reTrackByDefault(prod().db());
}

Orders::Order FrmLabourPO::read() const {
    const OrderFields f = readFields();
    Orders::Order o;
    o.id = f.id;
    o.custId = f.party;
    o.address = f.address;
    o.cst = f.cst;
    o.tin = f.tin;
    o.poNo = f.poNo;
    o.poDate = f.poDate;
    o.validFrom = f.validFrom;
    o.validTo = f.validTo;
    o.payTerm = f.payTerm;
    o.remark = f.remark;
    o.value = f.value;
    o.reTrkRej = f.reTrkRej;
    o.lines = f.lines;
    return o;
}

Check FrmLabourPO::validate(bool adding) {
    const Check r = Orders::validate(prod().db(), read(), adding);
    // The re-tracking box goes back to what the order's documents were made with.
    if (r && r->field == QLatin1String("chkReTrkRej")) chkReTrkRej_->setChecked(!chkReTrkRej_->isChecked());
    return r;
}

qint64 FrmLabourPO::write(bool adding, qint64 id) {
    Orders::Order o = read();
    o.id = id;
    return Orders::save(prod().db(), o, adding);
}

void FrmLabourPO::customerChosen() {
    if (partyId() == 0) return;
    tryDb([&] {
        const Orders::CustomerNumbers c = Orders::customerNumbers(prod().db(), partyId());
        rtbAddr_->setPlainText(c.address);
        txtCST_->setText(c.cst);
        txtTinNo_->setText(c.tin);
    });
}

void FrmLabourPO::computeValue() {
    txtVal_->setText(Orders::computedValue(read()).toString());
}

}  // namespace kavra
