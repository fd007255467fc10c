#include "sales/forms/MfgPOScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "core/Text.h"
#include "printing/forms/ShownPrint.h"
#include "sales/SalesKinds.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Orders = sales::Orders;

namespace {

QString percentText(double v) {
    return v == 0 ? QString() : text::plain(v);
}

OrderScreenTexts texts() {
    OrderScreenTexts t;
    t.caption = QStringLiteral("SALES - Manufacturing");
    t.heading = QStringLiteral("Purchase Order (Incoming)");
    t.idCaption = QStringLiteral("PO Id");
    t.poCaption = QStringLiteral("Customer PO  NO.");
    t.validCaption = QStringLiteral("VALID     *  FROM");
    t.validToCaption = QStringLiteral("* TO");
    t.valueCaption = QStringLiteral("P.O. VALUE  (inclusive of Taxes)");
    t.printCaption = QStringLiteral("&Prof. Inv.");
    t.record.modifying = QStringLiteral("You are about to MODIFY the existing P.O. now...");
    t.record.emptyTable = QStringLiteral("No records to Display !");
    return t;
}

}  // namespace

FrmMfgPO::FrmMfgPO() : OrderScreen(QStringLiteral("frmMfgPO"), sales::orderKind(), texts()) {
    QWidget* box = headerBox_;
    QGridLayout* g = headerGrid();
    addressCaption()->addWidget(new QLabel(QStringLiteral("SHIP  TO"), box));
    for (QLineEdit* e : {txtCST_, txtTinNo_}) showOnly(e);
    txtTINperc_ = new QLineEdit(box);
    txtTINperc_->setObjectName(QStringLiteral("txtTINperc"));
    txtCSTperc_ = new QLineEdit(box);
    txtCSTperc_->setObjectName(QStringLiteral("txtCSTperc"));
    auto* taxes = new QHBoxLayout;
    taxes->addWidget(txtTINperc_);
    taxes->addWidget(makeCaption(box, QStringLiteral("CST %"), txtCSTperc_));
    taxes->addWidget(txtCSTperc_);
    g->addWidget(makeCaption(box, QStringLiteral("VAT %"), txtTINperc_), 5, 2);
    g->addLayout(taxes, 5, 3);

    txtPackForwd_ = new QLineEdit(box);
    txtPackForwd_->setObjectName(QStringLiteral("txtPackForwd"));
    cmbPackForwdType_ = new QComboBox(box);
    cmbPackForwdType_->setObjectName(QStringLiteral("cmbPackForwdType"));
    cmbPackForwdType_->addItems({QStringLiteral("Amount"), QStringLiteral("Percentage")});
    auto* pack = new QHBoxLayout;
    pack->addWidget(txtPackForwd_);
    pack->addWidget(cmbPackForwdType_);
    g->addWidget(makeCaption(box, QStringLiteral("PACKING &  FORWARDING"), txtPackForwd_), 6, 0);
    g->addLayout(pack, 6, 1);
    txtOtherChrg_ = addField(g, 6, 2, QStringLiteral("OTHER CHARGES"), "txtOtherChrg", 14);

    txtProfInvno_ = new QLineEdit(box);
    txtProfInvno_->setObjectName(QStringLiteral("txtProfInvno"));
    txtProfInvno_->setMaxLength(20);
    dtpProfInvDate_ = makeDate(box, "dtpProfInvDate");
    cmdProfInvGenerate_ = makeButton(box, "cmdProfInvGenerate", QStringLiteral("&Generate"));
    auto* prof = new QHBoxLayout;
    prof->addWidget(txtProfInvno_);
    prof->addWidget(dtpProfInvDate_);
    prof->addWidget(cmdProfInvGenerate_);
    g->addWidget(makeCaption(box, QStringLiteral("Prof.Inv.  NO."), txtProfInvno_), 8, 0);
    g->addLayout(prof, 8, 1);
    placeTail(7, 0, 7, 2, 8, 2);
    for (QLineEdit* e : {txtTINperc_, txtCSTperc_, txtPackForwd_, txtOtherChrg_}) numericOnly(e);
    for (QLineEdit* e : {txtTINperc_, txtCSTperc_}) e->setMaxLength(6);
    txtPackForwd_->setMaxLength(14);

    finish({txtPayTerm_, txtTINperc_, txtCSTperc_, txtPackForwd_, cmbPackForwdType_, txtOtherChrg_, txtVal_, txtRem_,
            txtProfInvno_, dtpProfInvDate_, cmdProfInvGenerate_});

    connect(cmdProfInvGenerate_, &QPushButton::clicked, this,
            [this] { tryDb([&] { txtProfInvno_->setText(Orders::nextProformaNo(prod().db())); }); });
}

void FrmMfgPO::showCustomerNumbers(qint64 custId) {
    QSqlQuery q =
        Sql::exec(prod().db(), QStringLiteral("select CSTNo, VATRegNo from Customer where CustId=?"), {custId});
    const bool found = q.next();
    txtCST_->setText(found ? q.value(0).toString().trimmed() : QString());
    txtTinNo_->setText(found ? q.value(1).toString().trimmed() : QString());
}

void FrmMfgPO::showRecord(qint64 id) {
    const auto o = Orders::load(prod().db(), id);
    if (!o) return;
    showFields({o->id,
                o->custId,
                o->address,
                {},
                {},
                o->poNo,
                o->payTerm,
                o->remark,
                o->poDate,
                o->validFrom,
                o->validTo,
                o->value,
                o->reTrkRej,
                o->cancelled,
                o->lines});
    showCustomerNumbers(o->custId);
    txtTINperc_->setText(percentText(o->tinPerc));
    txtCSTperc_->setText(percentText(o->cstPerc));
    txtPackForwd_->setText(o->packForwd == 0 ? QString() : text::plain(o->packForwd));
    cmbPackForwdType_->setCurrentIndex(o->packIsPerc ? 1 : 0);
    txtOtherChrg_->setText(o->otherChrg == 0 ? QString() : Money::fromRupees(o->otherChrg).toString());
    txtVal_->setText(orderValueText(o->value));
    txtProfInvno_->setText(o->profInvNo);
    dtpProfInvDate_->setDate(o->profInvDate.isValid() ? o->profInvDate : Clock::today());
}

bool FrmMfgPO::reTrackByDefault() {
    return Orders::reTrackByDefault(prod().db());
}

void FrmMfgPO::clearForNew(qint64 id) {
    clearFields(id);
    for (QLineEdit* e : {txtTINperc_, txtCSTperc_, txtPackForwd_, txtOtherChrg_, txtProfInvno_}) e->clear();
    dtpProfInvDate_->setDate(Clock::today());
    cmbPackForwdType_->setCurrentIndex(0);
}

Orders::Order FrmMfgPO::read() const {
    const OrderFields f = readFields();
    Orders::Order o;
    o.id = f.id;
    o.custId = f.party;
    o.address = f.address;
    o.poNo = f.poNo;
    o.poDate = f.poDate;
    o.validFrom = f.validFrom;
    o.validTo = f.validTo;
    o.payTerm = f.payTerm;
    o.remark = f.remark;
    o.value = f.value;
    o.reTrkRej = f.reTrkRej;
    o.lines = f.lines;
    o.tinPerc = text::typed(txtTINperc_->text());
    o.cstPerc = text::typed(txtCSTperc_->text());
    o.packForwd = text::typed(txtPackForwd_->text());
    o.packIsPerc = cmbPackForwdType_->currentIndex() == 1;
    o.otherChrg = text::typed(txtOtherChrg_->text());
    o.profInvNo = txtProfInvno_->text();
    o.profInvDate = dtpProfInvDate_->date();
    return o;
}

Check FrmMfgPO::validate(bool adding) {
    return Orders::validate(prod().db(), read(), adding);
}

qint64 FrmMfgPO::write(bool adding, qint64 id) {
    Orders::Order o = read();
    o.id = id;
    return Orders::save(prod().db(), o, adding);
}

void FrmMfgPO::customerChosen() {
    if (partyBox_->currentIndex() < 0) return;
    const qint64 cust = partyBox_->currentData().toLongLong();
    tryDb([&] {
        txtTINperc_->clear();
        txtCSTperc_->clear();
        const auto taxes = Orders::lastTaxes(prod().db(), cust);
        if (taxes.first != 0)
            txtTINperc_->setText(text::plain(taxes.first));
        else if (taxes.second != 0)
            txtCSTperc_->setText(text::plain(taxes.second));
        rtbAddr_->setPlainText(
            Sql::scalar(prod().db(), QStringLiteral("select CustAddr from Customer where CustId=?"), {cust})
                .toString()
                .trimmed());
        showCustomerNumbers(cust);
    });
}

void FrmMfgPO::computeValue() {
    txtVal_->setText(orderValueText(Orders::computedValue(read())));
}

void FrmMfgPO::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Orders::proforma(prod().db(), id); },
        Print::Document{QStringLiteral("ProfInvMfg"), QString()});
}

}  // namespace kavra
