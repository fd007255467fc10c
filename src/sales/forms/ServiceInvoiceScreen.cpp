#include "sales/forms/ServiceInvoiceScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Dialogs.h"
#include "core/Session.h"
#include "core/Text.h"
#include "printing/DocumentPrint.h"
#include "ui/BillScreen.h"
#include "ui/LineGrid.h"
#include "ui/RecordController.h"
#include "ui/Widgets.h"

namespace kavra {

namespace SI = sales::ServiceInvoices;

namespace {

const QString kHeading = QStringLiteral(
    " SlNo |Item Code / Part No.        | Particulars                                  |     Qty        | Alt. Qty  |  "
    " "
    "Rate        | Discount | Remarks     |Amount         ");
constexpr int kCode = 1, kParticulars = 2, kQty = 3, kAltQty = 4, kRate = 5, kDiscount = 6, kRemark = 7, kAmount = 8;

RecordTexts recordTexts() {
    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Invoice Now...");
    t.modifying = QStringLiteral("You are about to MODIFY the existing Invoice now...");
    t.deleting = QStringLiteral("You are about to DELETE the existing Invoice now...");
    t.emptyTable = QStringLiteral("No records to Display.");
    t.saveQuestion = QStringLiteral("Are You Sure To Save?");
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify?");
    t.deleteQuestion = QStringLiteral("Are You Sure To DELETE this INVOICE ? ");
    t.saved = QStringLiteral("Record Stored successfully .");
    t.modified = QStringLiteral("Record Stored successfully .");
    t.deleted = QStringLiteral("Records Deleted");
    return t;
}

}  // namespace

ServiceInvoiceScreen::ServiceInvoiceScreen(const SI::Kind& kind)
    : DocumentScreen(kind.screen, kind.proposesNumber ? QStringLiteral("SERVICE - INVOICE (OUTWARDS)")
                                                      : QStringLiteral("SERVICE - INVOICE (INWARDS)")),
      kind_(kind) {
    QLabel* heading = makeDocHeading(
        this, kind.proposesNumber ? QStringLiteral("Services Invoice") : QStringLiteral("Services Bill (Inwards)"));
    const QByteArray party = kind.partyField.toLatin1();
    const Header h = makeHeader(
        party.constData(),
        kind.partyTable == QLatin1String("Vendor") ? QStringLiteral("FROM VENDOR") : QStringLiteral("TO CUSTOMER"),
        QStringLiteral("Id"), "txtDcInvId");
    QGridLayout* g = h.grid;
    txtId_ = h.id;
    txtInvNo_ = addField(g, 1, 0, QStringLiteral("INVOICE NO."), "txtInvNo", 30);
    dtpInvDate_ = makeDate(h.box, "dtpInvDate");
    g->addWidget(makeCaption(h.box, QStringLiteral("DATE"), dtpInvDate_), 1, 2);
    g->addWidget(dtpInvDate_, 1, 3);
    txtDCNo_ = addField(g, 2, 0, QStringLiteral("* REF. NO."), "txtDCNo", 30);
    dtpDCDate_ = makeDate(h.box, "dtpDCDate");
    g->addWidget(makeCaption(h.box, QStringLiteral("DATE"), dtpDCDate_), 2, 2);
    g->addWidget(dtpDCDate_, 2, 3);

    makeGrid(kHeading, 7);
    grid_->setItemColumns(kCode, kParticulars, -1);
    grid_->setNumericColumns({kQty, kAltQty, kRate, kDiscount});
    grid_->setOptionalColumns({kDiscount, kRemark});
    connect(grid_, &LineGrid::cellCommitted, this, [this] { recompute(); });

    auto* charges = new QGroupBox(this);
    charges->setObjectName(QStringLiteral("fraCharges"));
    auto* c = new QGridLayout(charges);
    auto typeBox = [&](const char* name) {
        auto* b = new QComboBox(charges);
        b->setObjectName(QString::fromLatin1(name));
        b->addItems({QStringLiteral("Amount"), QStringLiteral("Percentage")});
        connect(b, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
        return b;
    };
    txtPackForwd_ = addField(c, 0, 0, QStringLiteral("* PACKING && FORWARDING"), "txtPackForwd", 16);
    cmbPackForwdType_ = typeBox("cmbPackForwdType");
    c->addWidget(cmbPackForwdType_, 0, 2);
    txtVAT_ = addField(c, 0, 3, QStringLiteral("*  VAT"), "txtVAT", 10);
    txtServTax_ = addField(c, 1, 3, QStringLiteral("*  SERVICE TAX"), "txtServTax", 10);
    txtCess_ = addField(c, 2, 3, QStringLiteral("* CESS"), "txtCessOnServTax", 10);
    txtOther_ = addField(c, 1, 0, QStringLiteral("* OTHER CHARGES"), "txtOtherChrg", 16);
    txtFinalDisc_ = addField(c, 2, 0, QStringLiteral("* FINAL DISCOUNT"), "txtFinalDisc", 16);
    cmbFinalDiscType_ = typeBox("cmbFinalDiscType");
    c->addWidget(cmbFinalDiscType_, 2, 2);
    txtPayTerm_ = addField(c, 3, 0, QStringLiteral("* PAYMENT TERMS"), "txtPayTerm", 100);
    txtInvRem_ = addField(c, 3, 3, QStringLiteral("* REMARKS"), "txtInvRem", 200);
    txtTotVal_ = addField(c, 4, 3, QStringLiteral("INVOICE VALUE"), "txtTotVal", 16);
    txtTotVal_->setReadOnly(true);
    txtTotVal_->setAlignment(Qt::AlignRight);
    for (QLineEdit* e : {txtPackForwd_, txtVAT_, txtServTax_, txtCess_, txtOther_, txtFinalDisc_}) {
        numericOnly(e);
        connect(e, &QLineEdit::textChanged, this, [this] { recompute(); });
    }
    addFieldBox(charges);

    auto* links = new QHBoxLayout;
    addSearch(links, this, QStringLiteral("Search Invoice No."),
              QStringLiteral("Type the Invoice No. here, then press 'Enter' key to search"));
    if (kind.proposesNumber) {
        QLabel* debit = makeLinkLabel(this, "lblDebitNote");
        debit->setText(QStringLiteral("Debit Note"));
        notAvailableYet(debit);
        links->addWidget(debit);
    }
    links->addStretch();
    addCorresAndPrint(links, this, QStringLiteral("&Print"));

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(headerBox_);
    v->addWidget(grid_, 1);
    v->addWidget(charges);
    v->addLayout(links);
    v->addWidget(makeStatusLabel(this));
    v->addLayout(makeCommandRow(this));
    resize(1200, 740);

    makeController(recordTexts());
    setNavigationTable(kind.table, QStringLiteral("DcId"));
    tabChain(QList<QWidget*>{partyBox_, txtInvNo_, dtpInvDate_, txtDCNo_, dtpDCDate_, grid_->table(), txtPackForwd_,
                             cmbPackForwdType_, txtVAT_, txtServTax_, txtCess_, txtOther_, txtFinalDisc_,
                             cmbFinalDiscType_, txtPayTerm_, txtInvRem_});
}

bool ServiceInvoiceScreen::load() {
    return ctl_->open([this] {
        fillParties(prod().db(), partyBox_, kind_.partyTable, kind_.partyKey, kind_.partyName);
        roundRupees_ = SI::roundsRupees(prod().db());
    });
}

QList<qint64> ServiceInvoiceScreen::navigation() {
    return SI::navigation(prod().db(), kind_);
}

QVariant ServiceInvoiceScreen::navigationStamp() {
    return SI::navigationStamp(prod().db(), kind_);
}

qint64 ServiceInvoiceScreen::proposeId() {
    return SI::proposedId(prod().db(), kind_);
}

void ServiceInvoiceScreen::clearForNew(qint64 id) {
    filling_ = true;
    txtId_->setText(QString::number(id));
    partyBox_->setCurrentIndex(-1);
    txtInvNo_->setText(kind_.proposesNumber ? SI::proposedNumber(prod().db(), kind_, Clock::today()) : QString());
    dtpInvDate_->setDate(Clock::today());
    dtpDCDate_->setDate(Clock::today());
    for (QLineEdit* e : {txtDCNo_, txtPayTerm_, txtInvRem_, txtPackForwd_, txtVAT_, txtServTax_, txtCess_, txtOther_,
                         txtFinalDisc_, txtTotVal_})
        e->clear();
    cmbPackForwdType_->setCurrentIndex(0);
    cmbFinalDiscType_->setCurrentIndex(0);
    grid_->clearLines();
    filling_ = false;
    partyBox_->setFocus();
}

void ServiceInvoiceScreen::showRecord(qint64 id) {
    const auto inv = SI::load(prod().db(), kind_, id);
    if (!inv) return;
    filling_ = true;
    txtId_->setText(QString::number(inv->id));
    partyBox_->setCurrentIndex(partyBox_->findData(inv->party));
    txtInvNo_->setText(inv->invNo);
    dtpInvDate_->setDate(inv->invDate);
    txtDCNo_->setText(inv->dcNo);
    dtpDCDate_->setDate(inv->dcDate.isValid() ? inv->dcDate : inv->invDate);
    txtPayTerm_->setText(inv->payTerm);
    txtInvRem_->setText(inv->invRem);
    txtPackForwd_->setText(BillScreen::numberText(inv->packForwd));
    cmbPackForwdType_->setCurrentIndex(inv->packPerc ? 1 : 0);
    txtFinalDisc_->setText(BillScreen::numberText(inv->finalDisc));
    cmbFinalDiscType_->setCurrentIndex(inv->finalDiscPerc ? 1 : 0);
    txtVAT_->setText(BillScreen::numberText(inv->vat));
    txtServTax_->setText(BillScreen::numberText(inv->servTax));
    txtCess_->setText(BillScreen::numberText(inv->cessOnServTax));
    txtOther_->setText(BillScreen::numberText(inv->otherCharges));
    grid_->clearLines();
    for (const SI::Line& l : inv->lines)
        grid_->addLine({l.itemCode, l.particulars, text::plain(l.qty), text::plain(l.altQty), text::plain(l.rate),
                        text::plain(l.discount), l.remark});
    filling_ = false;
    recompute();
    txtTotVal_->setText(inv->totVal.toString());
}

SI::Invoice ServiceInvoiceScreen::read() const {
    SI::Invoice inv;
    inv.id = txtId_->text().toLongLong();
    inv.party = partyBox_->currentIndex() >= 0 ? partyBox_->currentData().toLongLong() : 0;
    inv.invNo = txtInvNo_->text().trimmed();
    inv.invDate = dtpInvDate_->date();
    inv.dcNo = txtDCNo_->text().trimmed();
    inv.dcDate = dtpDCDate_->date();
    inv.payTerm = txtPayTerm_->text().trimmed();
    inv.invRem = txtInvRem_->text().trimmed();
    inv.packForwd = txtPackForwd_->text().toDouble();
    inv.packPerc = cmbPackForwdType_->currentIndex() == 1;
    inv.finalDisc = txtFinalDisc_->text().toDouble();
    inv.finalDiscPerc = cmbFinalDiscType_->currentIndex() == 1;
    inv.vat = txtVAT_->text().toDouble();
    inv.servTax = txtServTax_->text().toDouble();
    inv.cessOnServTax = txtCess_->text().toDouble();
    inv.otherCharges = txtOther_->text().toDouble();
    for (int r = 1; r <= usedLines(); ++r) {
        SI::Line l;
        l.itemCode = grid_->text(r, kCode).trimmed();
        l.particulars = grid_->text(r, kParticulars).trimmed();
        l.qty = grid_->text(r, kQty).toDouble();
        l.altQty = grid_->text(r, kAltQty).toDouble();
        l.rate = grid_->text(r, kRate).toDouble();
        l.discount = grid_->text(r, kDiscount).toDouble();
        l.remark = grid_->text(r, kRemark).trimmed();
        inv.lines << l;
    }
    return inv;
}

void ServiceInvoiceScreen::recompute() {
    if (filling_) return;
    const auto v = SI::value(read(), roundRupees_);
    for (int r = 1; r <= std::min(int(v.amounts.size()), grid_->lineCount()); ++r)
        grid_->setText(r, kAmount, v.amounts[r - 1].toString());
    txtTotVal_->setText(v.total.toString());
}

Check ServiceInvoiceScreen::validate(bool adding) {
    grid_->commitEditor();
    return SI::validate(prod().db(), kind_, read(), roundRupees_, adding ? 0 : ctl_->currentId());
}

qint64 ServiceInvoiceScreen::write(bool adding, qint64 id) {
    return SI::save(prod().db(), kind_, read(), roundRupees_, adding ? 0 : id);
}

Check ServiceInvoiceScreen::modifyBlock() {
    return SI::changeBlock(prod().db(), kind_, ctl_->currentId());
}

Check ServiceInvoiceScreen::deleteBlock() {
    return SI::changeBlock(prod().db(), kind_, ctl_->currentId());
}

bool ServiceInvoiceScreen::mayModify() {
    // The same guard as Modify, when the user starts editing a stored invoice.
    if (const Check c = modifyBlock()) {
        ctl_->refuse(*c);
        return false;
    }
    return true;
}

void ServiceInvoiceScreen::remove(qint64 id) {
    SI::remove(prod().db(), kind_, id);
}

Found ServiceInvoiceScreen::find(const QString& text) {
    return SI::find(prod().db(), kind_, text);
}

QList<QWidget*> ServiceInvoiceScreen::afterGrid() {
    return {txtPackForwd_};
}

void ServiceInvoiceScreen::print() {
    const bool adding = ctl_->state() == RecState::Adding;
    tryDb([&] {
        Print::printDocument(prod().db(), Dialogs::current(),
                             adding ? Print::Document{} : SI::printDocument(prod().db(), kind_, ctl_->currentId()),
                             adding);
    });
}

}  // namespace kavra
