#include "sales/forms/InvoiceScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/Text.h"
#include "core/chain/Rows.h"
#include "printing/forms/ShownPrint.h"
#include "sales/SalesKinds.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Inv = sales::Invoices;

namespace {

const char* kHeading =
    " DcInvId|DcNo    | SlNo | Particulars                                                             |   Qty    "
    "|   Rate        | Discount | Amount       ";

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLen, bool numeric = false) {
    QLineEdit* e = makeLineEdit(parent, name, maxLen);
    if (numeric) {
        e->setValidator(numberValidator(e));
        e->setAlignment(Qt::AlignRight);
    }
    return e;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& caption) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QComboBox* typeCombo(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems({QStringLiteral("Amount"), QStringLiteral("Percentage")});
    return c;
}

// A stored percentage shown again: a few decimals are enough to read it.
QString percentText(double v) {
    return v == 0 ? QString() : text::plain(std::round(v * 1e6) / 1e6);
}

QString numberText(double v) {
    return v == 0 ? QString() : text::plain(v);
}

// A charge as typed, at least to the paisa.
QString moneyText(double v) {
    return v == 0 ? QString() : chain::Rows::rateText(v);
}

}  // namespace

FrmInvoice::FrmInvoice() : DocumentScreen(QStringLiteral("frmInvoice"), QStringLiteral("Manufacturing - INVOICE")) {
    auto* heading = new QLabel(QStringLiteral("Invoice"), this);
    heading->setStyleSheet(QStringLiteral("font-size: 15pt; font-weight: bold;"));

    // Customer and DCs at the left, the invoice's number and terms at the right.
    cmbCust_ = new QComboBox(this);
    cmbCust_->setObjectName(QStringLiteral("cmbCust"));
    cmbCust_->setMinimumWidth(260);
    partyBox_ = cmbCust_;
    lstDcNo_ = new QListWidget(this);
    lstDcNo_->setObjectName(QStringLiteral("lstDcNo"));
    lstDcNo_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstDcNo_->setMaximumHeight(110);
    auto* left = new QGridLayout;
    left->addWidget(new QLabel(QStringLiteral("TO CUSTOMER"), this), 0, 0);
    left->addWidget(cmbCust_, 0, 1);
    left->addWidget(new QLabel(QStringLiteral("DC No"), this), 1, 0, Qt::AlignTop);
    left->addWidget(lstDcNo_, 1, 1);
    left->addWidget(new QLabel(QStringLiteral("Ctrl + Left  Mouse Button"), this), 2, 1);

    auto* right = new QGridLayout;
    right->addWidget(new QLabel(QStringLiteral("INVOICE NO"), this), 0, 0);
    right->addWidget(lineEdit(this, "txtInvNo", 20), 0, 1);
    dtpInvDate_ = new QDateTimeEdit(this);
    dtpInvDate_->setObjectName(QStringLiteral("dtpInvDate"));
    dtpInvDate_->setDisplayFormat(QStringLiteral("dd/MM/yyyy hh:mm AP"));
    dtpInvDate_->setCalendarPopup(true);
    right->addWidget(new QLabel(QStringLiteral("DATE"), this), 1, 0);
    right->addWidget(dtpInvDate_, 1, 1);
    right->addWidget(new QLabel(QStringLiteral("PAYMENT TERMS"), this), 2, 0);
    right->addWidget(lineEdit(this, "txtPayTerm", 100), 2, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addSpacing(20);
    top->addLayout(right, 2);

    makeGrid(QString::fromLatin1(kHeading), RateCol + 1);
    grid_->setItemColumns(-1, -1, -1);
    grid_->setNumericColumns({QtyCol, RateCol, DiscountCol, AmountCol});
    // Lines come from the DCs: only their rate and discount are typed.
    grid_->setPartlyProcessed(true);
    grid_->setFirstEditableStoredColumn(RateCol);
    const QString hint = QStringLiteral("Type the Rate and the Discount % of each line");
    grid_->table()->setToolTip(hint);
    grid_->editor()->setToolTip(hint);
    grid_->table()->setColumnHidden(DcInvIdCol, true);
    grid_->setMinimumHeight(170);

    // Charges and taxes.
    auto* taxes = new QGroupBox(this);
    auto* t = new QGridLayout(taxes);
    int r = 0;
    auto row = [&](const QString& caption, QWidget* a, QWidget* b = nullptr, int col = 0) {
        t->addWidget(new QLabel(caption, taxes), r, col);
        t->addWidget(a, r, col + 1);
        if (b) t->addWidget(b, r, col + 2);
    };
    cmbPackForwdType_ = typeCombo(taxes, "cmbPackForwdType");
    cmbFinalDiscType_ = typeCombo(taxes, "cmbFinalDiscType");
    optCST_ = check(taxes, "optCST", QStringLiteral("Form 'C'"));
    optKST_ = check(taxes, "optKST", QStringLiteral("Form 37"));
    optFormH_ = check(taxes, "optFormH", QStringLiteral("Form 'H' No Taxes"));
    row(QStringLiteral("PACKING &  FORWARDING"), lineEdit(taxes, "txtPackForwd", 12, true), cmbPackForwdType_);
    row(QStringLiteral("EXCISE DUTY %"), lineEdit(taxes, "txtExcise", 6, true), nullptr, 3);
    ++r;
    row(QStringLiteral("CST %"), lineEdit(taxes, "txtCST", 6, true), optCST_);
    row(QStringLiteral("CESS ON ED %"), lineEdit(taxes, "txtCessED", 6, true), nullptr, 3);
    ++r;
    row(QStringLiteral("LST %"), lineEdit(taxes, "txtKST", 6, true), optKST_);
    row(QStringLiteral("H. E. CESS ON ED %"), lineEdit(taxes, "txtHighCessED", 6, true), nullptr, 3);
    ++r;
    row(QStringLiteral("CESS ON LST %"), lineEdit(taxes, "txtCess", 6, true));
    row(QStringLiteral("SURCHARGE"), lineEdit(taxes, "txtSurchrg", 12, true), nullptr, 3);
    ++r;
    row(QStringLiteral("VAT %"), lineEdit(taxes, "txtVAT", 6, true), optFormH_);
    row(QStringLiteral("OTHER CHARGES"), lineEdit(taxes, "txtOtherChrg", 12, true), nullptr, 3);
    ++r;
    row(QStringLiteral("FINAL DISCOUNT"), lineEdit(taxes, "txtFinalDisc", 12, true), cmbFinalDiscType_);
    auto* total = lineEdit(taxes, "txtTotVal", 16);
    total->setReadOnly(true);
    total->setAlignment(Qt::AlignRight);
    total->setToolTip(QStringLiteral("Double-click to work the value out again"));
    total->setStyleSheet(QStringLiteral("font-weight: bold;"));
    total->installEventFilter(this);
    row(QStringLiteral("TOTAL INVOICE VALUE\n(In  Rs)"), total, nullptr, 3);
    ++r;
    t->addWidget(new QLabel(QStringLiteral("* NOTE:  (REMARKS)"), taxes), r, 0);
    t->addWidget(lineEdit(taxes, "txtInvRem", 200), r, 1, 1, 5);

    // Search, links, status and commands.
    auto* lblGO = makeLinkLabel(this, "lblGO");
    lblGO->setText(QStringLiteral("Search Inv No."));
    auto* txtGO = lineEdit(this, "txtGO", 20);
    txtGO->setToolTip(QStringLiteral("Type the Invoice No. here, then press 'Enter' key to search"));
    txtGO->setMaximumWidth(120);
    auto* lblDebitNote = makeLinkLabel(this, "lblDebitNote");
    lblDebitNote->setText(QStringLiteral("Debit Note"));
    auto* lblExciseInv = makeLinkLabel(this, "lblExciseInv");
    lblExciseInv->setText(QStringLiteral("Exc. Invoice"));
    for (QLabel* l : {lblDebitNote, lblExciseInv}) l->installEventFilter(this);
    auto* links = new QHBoxLayout;
    links->addWidget(lblGO);
    links->addWidget(txtGO);
    links->addStretch();
    links->addWidget(lblDebitNote);
    links->addSpacing(16);
    links->addWidget(lblExciseInv);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(makeStatusLabel(this), 1);
    statusRow->addWidget(makeLinkLabel(this, "lblCorres"));
    QHBoxLayout* commands = makeCommandRow(this);
    auto* cmdPrint = makeButton(this, "cmdPrint", QStringLiteral("&Printer"));
    commands->insertWidget(4, cmdPrint);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(top);
    v->addWidget(grid_, 1);
    v->addWidget(taxes);
    v->addLayout(links);
    v->addLayout(statusRow);
    v->addLayout(commands);

    RecordTexts texts;
    texts.adding = QStringLiteral("You are about to ADD a NEW Invoice Now...");
    texts.modifying = QStringLiteral("You are about to MODIFY the existing Invoice Now...");
    texts.deleting = QStringLiteral("You are about to DELETE the existing Invoice now...");
    texts.saveQuestion = QStringLiteral("Are You Sure To Save?");
    texts.modifyQuestion = QStringLiteral("Are You Sure To Modify?");
    texts.deleteQuestion = QStringLiteral("Are You Sure To DELETE this INVOICE ? ");
    texts.saved = texts.modified = QStringLiteral("Record Stored successfully .");
    texts.deleted = QStringLiteral("Records Deleted");
    texts.showFirstOnLoad = false;  // the newest invoice
    makeController(texts);

    // One button saves a new invoice and modifies a shown one.
    cmdSave_ = findChild<QPushButton*>(QStringLiteral("cmdSave"));
    findChild<QPushButton*>(QStringLiteral("cmdModify"))->hide();
    connect(cmdSave_, &QPushButton::clicked, this, [this] {
        if (ctl_->state() == RecState::Modifying) ctl_->cmdModify();
    });
    connect(ctl_, &RecordController::stateChanged, this, [this](RecState s) {
        cmdSave_->setText(s == RecState::Adding ? QStringLiteral("&Save") : QStringLiteral("&Modify"));
        if (s == RecState::Modifying) cmdSave_->setEnabled(true);
    });
    grid_->table()->viewport()->installEventFilter(this);
    grid_->editor()->installEventFilter(this);
    connect(grid_, &LineGrid::cellCommitted, this, [this] { recompute(); });
    connect(grid_->editor(), &QLineEdit::textEdited, this, [this] { recompute(); });

    connect(cmbCust_, &QComboBox::activated, this, [this] { customerChosen(); });
    connect(lstDcNo_, &QListWidget::itemSelectionChanged, this, [this] { dcSelectionChanged(); });
    lstDcNo_->viewport()->installEventFilter(this);
    buildTaxRules();

    headerFields_ = {cmbCust_,          lstDcNo_, dtpInvDate_, cmbPackForwdType_,
                     cmbFinalDiscType_, optCST_,  optKST_,     optFormH_};
    for (const char* n :
         {"txtInvNo", "txtPayTerm", "txtInvRem", "txtPackForwd", "txtFinalDisc", "txtExcise", "txtCessED",
          "txtHighCessED", "txtCST", "txtKST", "txtCess", "txtVAT", "txtSurchrg", "txtOtherChrg"})
        headerFields_ << edit(n);
    for (QWidget* w : headerFields_) w->installEventFilter(this);
    resize(1000, 720);
}

QLineEdit* FrmInvoice::edit(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

void FrmInvoice::taxTyped(const QString& control) {
    const Inv::TaxEffect e = Inv::taxTyped(control, read().taxes);
    for (const QString& n : e.clear) findChild<QLineEdit*>(n)->clear();
    for (const QString& n : e.untick) findChild<QCheckBox*>(n)->setChecked(false);
    if (e.refusal) {
        findChild<QLineEdit*>(control)->clear();
        Dialogs::current().message(appTitle(), e.refusal->text, e.refusal->icon);
    }
}

void FrmInvoice::buildTaxRules() {
    for (const char* n : {"txtCST", "txtVAT", "txtKST", "txtCess", "txtCessED", "txtHighCessED"}) {
        const QString name = QString::fromLatin1(n);
        connect(edit(n), &QLineEdit::textEdited, this, [this, name] { taxTyped(name); });
    }
    for (QCheckBox* box : {optFormH_, optCST_, optKST_})
        connect(box, &QCheckBox::clicked, this, [this, box] { taxTyped(box->objectName()); });
    // Every change of a tax or charge works the value out again.
    for (const char* n : {"txtPackForwd", "txtFinalDisc", "txtExcise", "txtCessED", "txtHighCessED", "txtCST", "txtKST",
                          "txtCess", "txtVAT", "txtSurchrg", "txtOtherChrg"})
        connect(edit(n), &QLineEdit::textChanged, this, [this] { recompute(); });
    for (QComboBox* c : {cmbPackForwdType_, cmbFinalDiscType_})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
}

bool FrmInvoice::load() {
    if (!Screen::load()) return false;
    try {
        roff_ = Inv::roundsSales(prod().db());
        oneToOne_ = Inv::oneDcPerInvoice(prod().db());
        if (!Inv::anyDc(prod().db())) {
            Dialogs::current().exclamation(appTitle(), QStringLiteral("You cannot Create INVOICE without a DC!!!"));
            for (const char* b :
                 {"cmdNew", "cmdSave", "cmdDelete", "cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"})
                findChild<QPushButton*>(QString::fromLatin1(b))->setEnabled(false);
            setFieldsEnabled(false);
            return true;
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    ctl_->start();
    return true;
}

// ---------------------------------------------------------------- records

QList<qint64> FrmInvoice::navigation() {
    return Inv::navigation(prod().db());
}

QVariantList FrmInvoice::navigationKey(qint64 id) {
    return chain::Bills::navigationKey(prod().db(), sales::billKind(), id);
}

QVariant FrmInvoice::navigationStamp() {
    return chain::Bills::navigationStamp(prod().db(), sales::billKind());
}

// An invoice's identifier is given when it is written.
qint64 FrmInvoice::proposeId() {
    return 0;
}

void FrmInvoice::showRecord(qint64 id) {
    const std::optional<Inv::Invoice> inv = Inv::load(prod().db(), id);
    if (!inv) return;
    filling_ = true;
    cmbCust_->clear();
    cmbCust_->addItem(Inv::customerName(prod().db(), inv->custId), inv->custId);
    cmbCust_->setCurrentIndex(0);
    lstDcNo_->clear();
    for (const Inv::Choice& c : Inv::dcChoices(prod().db(), inv->dcIds)) {
        auto* it = new QListWidgetItem(c.text, lstDcNo_);
        it->setData(Qt::UserRole, c.id);
        it->setSelected(true);
    }
    edit("txtInvNo")->setText(inv->invNo);
    dtpInvDate_->setDateTime(inv->invDate);
    edit("txtPayTerm")->setText(inv->payTerm);
    edit("txtInvRem")->setText(inv->invRem);
    cmbPackForwdType_->setCurrentIndex(inv->packPerc ? 1 : 0);
    edit("txtPackForwd")->setText(inv->packPerc ? percentText(inv->packForwd) : moneyText(inv->packForwd));
    cmbFinalDiscType_->setCurrentIndex(inv->finalDiscPerc ? 1 : 0);
    edit("txtFinalDisc")->setText(inv->finalDiscPerc ? percentText(inv->finalDisc) : moneyText(inv->finalDisc));
    showTaxes(inv->taxes);
    edit("txtSurchrg")->setText(moneyText(inv->surcharge));
    fillLines(inv->lines);
    filling_ = false;
    // The value as stored; the grid's amounts are worked out from the stored rates.
    const sales::InvoiceCalc::Result v = Inv::value(*inv, roff_);
    for (int i = 0; i < v.amounts.size(); ++i) grid_->setText(i + 1, AmountCol, v.amounts[i].toString());
    edit("txtTotVal")->setText(inv->totVal.toString());
}

void FrmInvoice::clearForNew(qint64) {
    filling_ = true;
    cmbCust_->clear();
    for (const Inv::Choice& c : Inv::customersToInvoice(prod().db())) cmbCust_->addItem(c.text, c.id);
    cmbCust_->setCurrentIndex(-1);
    lstDcNo_->clear();
    for (const char* n :
         {"txtInvNo", "txtPayTerm", "txtInvRem", "txtPackForwd", "txtFinalDisc", "txtSurchrg", "txtTotVal"})
        edit(n)->clear();
    cmbPackForwdType_->setCurrentIndex(0);
    cmbFinalDiscType_->setCurrentIndex(0);
    showTaxes({});
    fillLines({});
    dtpInvDate_->setDateTime(Clock::now());
    filling_ = false;
    edit("txtInvNo")->setText(QString::number(prod().NextInvoiceNumber(QStringLiteral("DCINV"))));
    cmbCust_->setFocus();
}

void FrmInvoice::setFieldsEnabled(bool on) {
    for (QWidget* w : headerFields_) w->setEnabled(on);
    // The customer and the DCs of a stored invoice stay as they are.
    const bool adding = on && ctl_ && ctl_->state() == RecState::Adding;
    cmbCust_->setEnabled(adding);
    lstDcNo_->setEnabled(adding);
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

void FrmInvoice::fillLines(const QVector<Inv::Line>& lines) {
    lines_ = lines;
    grid_->clearLines();
    for (const Inv::Line& l : lines) {
        grid_->addLine({l.dcNo, QString::number(l.slNo), l.particulars, text::plain(l.qty),
                        chain::Rows::rateText(l.rate), text::plain(l.discount), QString()});
        grid_->setText(grid_->lineCount(), DcInvIdCol, QString::number(l.dcId));
    }
    grid_->setStoredLineCount(grid_->lineCount());
}

// ---------------------------------------------------------------- choosing customer and DCs

void FrmInvoice::customerChosen() {
    if (filling_ || ctl_->state() != RecState::Adding) return;
    try {
        filling_ = true;
        lstDcNo_->clear();
        const qint64 cust = cmbCust_->currentData().toLongLong();
        for (const Inv::Choice& c : Inv::openDcs(prod().db(), cust)) {
            auto* it = new QListWidgetItem(c.text, lstDcNo_);
            it->setData(Qt::UserRole, c.id);
        }
        fillLines({});
        showTaxes(Inv::proposeTaxes(prod().db(), cust, {}));
        filling_ = false;
    } catch (const DbError& e) {
        filling_ = false;
        logFailure(e);
    }
    recompute();
}

void FrmInvoice::dcSelectionChanged() {
    if (filling_ || ctl_->state() != RecState::Adding) return;
    QList<QListWidgetItem*> chosen;
    for (int i = 0; i < lstDcNo_->count(); ++i)
        if (lstDcNo_->item(i)->isSelected()) chosen << lstDcNo_->item(i);
    if (oneToOne_ && chosen.size() > 1) {
        // One DC per invoice: the first in the list stays.
        filling_ = true;
        for (int i = 1; i < chosen.size(); ++i) chosen[i]->setSelected(false);
        filling_ = false;
        chosen = {chosen.first()};
    }
    if (chosen.isEmpty()) {
        fillLines({});
        recompute();
        Dialogs::current().information(appTitle(), QStringLiteral("Select  DC(s) from the List!"));
        return;
    }
    QList<qint64> ids;
    for (QListWidgetItem* it : chosen) ids << it->data(Qt::UserRole).toLongLong();
    try {
        const qint64 cust = cmbCust_->currentData().toLongLong();
        QVector<Inv::Line> lines = Inv::dcLines(prod().db(), ids);
        Inv::proposeRates(prod().db(), cust, lines);
        // Rates already typed for lines still on the invoice stay.
        const Inv::Invoice typed = read();
        for (Inv::Line& l : lines)
            for (const Inv::Line& t : typed.lines)
                if (t.dcId == l.dcId && t.slNo == l.slNo) {
                    l.rate = t.rate;
                    l.discount = t.discount;
                }
        filling_ = true;
        fillLines(lines);
        showTaxes(Inv::proposeTaxes(prod().db(), cust, ids));
        filling_ = false;
    } catch (const DbError& e) {
        filling_ = false;
        logFailure(e);
    }
    recompute();
}

// ---------------------------------------------------------------- the value

Inv::Invoice FrmInvoice::read() const {
    Inv::Invoice inv;
    inv.custId = cmbCust_->currentIndex() >= 0 ? cmbCust_->currentData().toLongLong() : 0;
    for (int i = 0; i < lstDcNo_->count(); ++i)
        if (lstDcNo_->item(i)->isSelected()) inv.dcIds << lstDcNo_->item(i)->data(Qt::UserRole).toLongLong();
    inv.invNo = edit("txtInvNo")->text().trimmed();
    inv.invDate = dtpInvDate_->dateTime();
    inv.payTerm = edit("txtPayTerm")->text();
    inv.invRem = edit("txtInvRem")->text();
    for (int row = 1; row <= grid_->lineCount() && row <= lines_.size(); ++row) {
        Inv::Line l = lines_[row - 1];
        l.rate = text::typed(grid_->text(row, RateCol));
        l.discount = text::typed(grid_->text(row, DiscountCol));
        inv.lines << l;
    }
    inv.packPerc = cmbPackForwdType_->currentIndex() == 1;
    inv.packForwd = text::typed(edit("txtPackForwd")->text());
    inv.finalDiscPerc = cmbFinalDiscType_->currentIndex() == 1;
    inv.finalDisc = text::typed(edit("txtFinalDisc")->text());
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
    t.otherCharges = text::typed(edit("txtOtherChrg")->text());
    return inv;
}

void FrmInvoice::recompute() {
    if (filling_) return;
    const Inv::Invoice inv = read();
    const sales::InvoiceCalc::Result v = Inv::value(inv, roff_);
    for (int i = 0; i < v.amounts.size(); ++i) {
        const int row = i + 1;
        if (grid_->text(row, AmountCol) != v.amounts[i].toString())
            grid_->setText(row, AmountCol, v.amounts[i].toString());
    }
    edit("txtTotVal")->setText(inv.lines.isEmpty() ? QString() : v.total.toString());
}

// ---------------------------------------------------------------- saving

Check FrmInvoice::validate(bool adding) {
    return Inv::validate(prod().db(), read(), roff_, adding ? 0 : ctl_->currentId(), prod().session().invMode);
}

void FrmInvoice::focusRefusal(const Refusal& r) {
    // A line's refusal concerns its rate or discount, the only cells typed here.
    if (!r.onGrid() || grid_->lineCount() == 0) return;
    Refusal atRate = r;
    atRate.col = r.col >= RateCol ? r.col : RateCol;
    DocumentScreen::focusRefusal(atRate);
}

qint64 FrmInvoice::write(bool adding, qint64) {
    return Inv::save(prod().db(), read(), roff_, adding ? 0 : ctl_->currentId(), prod().session().invMode);
}

Check FrmInvoice::modifyBlock() {
    return Inv::modifyBlock(prod().db(), ctl_->currentId());
}

Check FrmInvoice::deleteBlock() {
    return Inv::deleteBlock(prod().db(), ctl_->currentId());
}

void FrmInvoice::remove(qint64 id) {
    Inv::remove(prod().db(), id);
}

Found FrmInvoice::find(const QString& text) {
    return Inv::find(prod().db(), text);
}

// ---------------------------------------------------------------- the rest

void FrmInvoice::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Inv::printDocument(prod().db(), id); },
        Print::Document{QStringLiteral("mfgINV"), QStringLiteral("MFGINV")});
}

void FrmInvoice::openLinked(const QString& screen) {
    if (ctl_->currentId() == 0 || ctl_->state() == RecState::Adding) return;
    if (Screens::has(screen)) {
        Screens::open(screen);
        return;
    }
    Dialogs::current().information(appTitle(), QStringLiteral("This screen is not available yet."));
}

bool FrmInvoice::eventFilter(QObject* o, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type == QEvent::MouseButtonDblClick && o == edit("txtTotVal")) {
        recompute();
        return true;
    }
    if (type == QEvent::MouseButtonPress) {
        if (o == lstDcNo_->viewport() && ctl_->state() == RecState::Adding && cmbCust_->currentIndex() < 0) {
            Dialogs::current().information(appTitle(), QStringLiteral("select a customer First ....."));
            return true;
        }
        // The grid's lines come only from the DCs: a click into an empty grid adds none.
        if (o == grid_->table()->viewport() && grid_->lineCount() == 0) return true;
        if (o->objectName() == QLatin1String("lblDebitNote")) {
            openLinked(QStringLiteral("frmDbCrNote_INV_MFG"));
            return true;
        }
        if (o->objectName() == QLatin1String("lblExciseInv")) {
            openLinked(QStringLiteral("frmExcise"));
            return true;
        }
        // A click on a field of a shown invoice starts modifying it.
        auto* w = qobject_cast<QWidget*>(o);
        if (w && headerFields_.contains(w) && ctl_->state() == RecState::Browse && ctl_->currentId() != 0)
            ctl_->beginModify();
    }
    if (type == QEvent::KeyPress && o == grid_->editor()) {
        // No line is added from the keyboard: Down or Enter on the last line's last column stays.
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool lastRow = grid_->editRow() == grid_->lineCount();
        if (lastRow && (key == Qt::Key_Down ||
                        ((key == Qt::Key_Return || key == Qt::Key_Enter) && grid_->editColumn() == DiscountCol))) {
            grid_->commitEditor();
            return true;
        }
    }
    return DocumentScreen::eventFilter(o, e);
}

}  // namespace kavra
