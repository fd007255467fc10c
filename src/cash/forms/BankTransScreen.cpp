#include "cash/forms/BankTransScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "cash/Ledger.h"
#include "cash/forms/CashPanel.h"
#include "core/Session.h"
#include "ui/DocumentScreen.h"
#include "ui/Widgets.h"

namespace kavra {

namespace BT = BankTransactions;

namespace {

QComboBox* bankList(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setMinimumWidth(240);
    c->setPlaceholderText(QStringLiteral("(Select a Bank)"));
    return c;
}

QRadioButton* option(QWidget* parent, const char* name, const QString& caption) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(QString::fromLatin1(name));
    return o;
}

void choose(QComboBox* c, qint64 bankId) {
    c->setCurrentIndex(bankId > 0 ? c->findData(bankId) : -1);
}

qint64 chosen(const QComboBox* c) {
    return c->currentIndex() < 0 ? 0 : c->currentData().toLongLong();
}

QString amountText(Money m) {
    return m.isZero() ? QString() : m.toString();
}

}  // namespace

FrmBankTrans::FrmBankTrans() : Screen(QStringLiteral("frmBankTrans")) {
    setWindowTitle(paddedCaption(QStringLiteral("Cash Flow -Bank Transactions")));
    auto* heading = makeDocHeading(this, QStringLiteral("Bank Transactions"));

    auto* top = new QGroupBox(this);
    auto* g = new QGridLayout(top);
    lblTransId_ = new QLabel(top);
    lblTransId_->setObjectName(QStringLiteral("lblTransId"));
    lblTransId_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    DTPTransDate_ = makeDate(top, "DTPTransDate");
    g->addWidget(new QLabel(QStringLiteral("Transaction No"), top), 0, 0);
    g->addWidget(lblTransId_, 0, 1);
    g->addWidget(makeCaption(top, QStringLiteral("Transaction Date"), DTPTransDate_), 0, 2);
    g->addWidget(DTPTransDate_, 0, 3);
    optDeposit_ = option(top, "optDeposit", QStringLiteral("Deposit"));
    optWithDraw_ = option(top, "optWithDraw", QStringLiteral("WithDraw"));
    optBankTrans_ = option(top, "optBankTrans", QStringLiteral("Bank Transfer"));
    optDeposit_->setChecked(true);
    auto* kinds = new QHBoxLayout;
    for (QRadioButton* o : {optDeposit_, optWithDraw_, optBankTrans_}) kinds->addWidget(o);
    kinds->addStretch();
    g->addLayout(kinds, 1, 0, 1, 4);

    frameDept_ = new QGroupBox(QStringLiteral("Deposit"), top);
    frameDept_->setObjectName(QStringLiteral("frame_Dept_WithDrawl"));
    auto* d = new QGridLayout(frameDept_);
    cmbBank_ = bankList(frameDept_, "cmbBank");
    txtAmount_ = makeLineEdit(frameDept_, "txtAmount", 16);
    txtDesc_ = makeLineEdit(frameDept_, "txtDesc", 200);
    d->addWidget(makeCaption(frameDept_, QStringLiteral("BANK A/c"), cmbBank_), 0, 0);
    d->addWidget(cmbBank_, 0, 1);
    d->addWidget(makeCaption(frameDept_, QStringLiteral("AMOUNT"), txtAmount_), 1, 0);
    d->addWidget(txtAmount_, 1, 1);
    d->addWidget(makeCaption(frameDept_, QStringLiteral("* DESCRIPTION"), txtDesc_), 2, 0);
    d->addWidget(txtDesc_, 2, 1);
    g->addWidget(frameDept_, 2, 0, 1, 4);

    frameTransfer_ = new QGroupBox(QStringLiteral("Bank-to-Bank Transfer"), top);
    frameTransfer_->setObjectName(QStringLiteral("frameBankTransfer"));
    auto* t = new QGridLayout(frameTransfer_);
    cmbFrom_ = bankList(frameTransfer_, "cmbFrom");
    cmbTo_ = bankList(frameTransfer_, "cmbTo");
    txtTransAmount_ = makeLineEdit(frameTransfer_, "txtTransAmount", 16);
    txtChNo_ = makeLineEdit(frameTransfer_, "txtChNo", 30);
    DTPCHDate_ = makeOptionalDate(frameTransfer_, "DTPCHDate");
    txtTransDesc_ = makeLineEdit(frameTransfer_, "txtTransDesc", 200);
    t->addWidget(makeCaption(frameTransfer_, QStringLiteral("FROM"), cmbFrom_), 0, 0);
    t->addWidget(cmbFrom_, 0, 1);
    t->addWidget(makeCaption(frameTransfer_, QStringLiteral("TO"), cmbTo_), 0, 2);
    t->addWidget(cmbTo_, 0, 3);
    t->addWidget(makeCaption(frameTransfer_, QStringLiteral("AMOUNT"), txtTransAmount_), 1, 0);
    t->addWidget(txtTransAmount_, 1, 1);
    t->addWidget(makeCaption(frameTransfer_, QStringLiteral("* CHEQUE NO"), txtChNo_), 2, 0);
    t->addWidget(txtChNo_, 2, 1);
    t->addWidget(makeCaption(frameTransfer_, QStringLiteral("* CHEQUE DATE"), DTPCHDate_), 2, 2);
    t->addWidget(DTPCHDate_, 2, 3);
    t->addWidget(makeCaption(frameTransfer_, QStringLiteral("* DESCRIPTION"), txtTransDesc_), 3, 0);
    t->addWidget(txtTransDesc_, 3, 1, 1, 3);
    g->addWidget(frameTransfer_, 3, 0, 1, 4);
    for (QLineEdit* e : {txtAmount_, txtTransAmount_}) {
        numericOnly(e);
        e->setAlignment(Qt::AlignRight);
    }

    lblWords_ = new QLabel(top);
    lblWords_->setObjectName(QStringLiteral("lblWords"));
    lblWords_->setWordWrap(true);
    lblWords_->setStyleSheet(QStringLiteral("color: #20406a; font-style: italic;"));
    lblWords_->setMinimumHeight(2 * lblWords_->fontMetrics().lineSpacing() + 4);
    g->addWidget(lblWords_, 4, 0, 1, 4);
    g->setRowStretch(5, 1);

    cash_ = new CashPanel(this);
    auto* body = new QHBoxLayout;
    body->addWidget(top, 3);
    body->addWidget(cash_, 2);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(makeStatusLabel(this), 1);
    statusRow->addWidget(makeLinkLabel(this, "lblCorres"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(body, 1);
    v->addLayout(statusRow);
    v->addLayout(makeCommandRow(this));
    tabChain({DTPTransDate_, optDeposit_, optWithDraw_, optBankTrans_, cmbBank_, txtAmount_, txtDesc_, cmbFrom_, cmbTo_,
              txtTransAmount_, txtChNo_, DTPCHDate_, txtTransDesc_});

    RecordTexts texts;
    texts.adding = QStringLiteral("You are about to ADD a NEW Bank Transaction Now...");
    texts.modifying = QStringLiteral("You are about to MODIFY the existing Record now...");
    texts.showing = texts.modifying;
    texts.afterWrite = texts.modifying;
    texts.deleting = QStringLiteral("You are about to DELETE the existing Record now...");
    texts.emptyTable = QStringLiteral("No Records to Display...");
    texts.sayEmpty = true;
    texts.saveQuestion = QStringLiteral("Are You Sure To Save?");
    texts.modifyQuestion = texts.saveQuestion;
    texts.deleteQuestion = QStringLiteral("Are You Sure to Delete This Record...?");
    texts.saved = QStringLiteral("Record Saved Successfully...");
    texts.modified = texts.saved;
    texts.deleted = QStringLiteral("Records Deleted Successfully...");
    texts.fieldsLockedInBrowse = false;
    ctl_ = new RecordController(this, this, texts);

    auto edited = [this] {
        if (!filling_) ctl_->fieldEdited();
    };
    for (QLineEdit* e : {txtAmount_, txtDesc_, txtTransAmount_, txtChNo_, txtTransDesc_})
        connect(e, &QLineEdit::textEdited, this, edited);
    for (QComboBox* c : {cmbBank_, cmbFrom_, cmbTo_}) connect(c, &QComboBox::activated, this, edited);
    for (QDateEdit* dt : {DTPTransDate_, DTPCHDate_}) connect(dt, &QDateEdit::dateChanged, this, edited);
    for (QRadioButton* o : {optDeposit_, optWithDraw_, optBankTrans_})
        connect(o, &QRadioButton::toggled, this, [this, edited](bool on) {
            if (!on) return;
            kindChosen();
            edited();
        });
    for (QLineEdit* e : {txtAmount_, txtTransAmount_})
        connect(e, &QLineEdit::textChanged, this, [this] { showWords(); });
    kindChosen();
    resize(1000, 520);
}

bool FrmBankTrans::load() {
    return ctl_->open([this] { refreshLists(); });
}

void FrmBankTrans::fillBanks() {
    for (QComboBox* c : {cmbBank_, cmbFrom_, cmbTo_}) {
        const qint64 keep = chosen(c);
        c->clear();
        fillParties(prod().db(), c, QStringLiteral("Banks"), QStringLiteral("BankId"),
                    QStringLiteral("BankName, BankId"));
        choose(c, keep);
    }
}

void FrmBankTrans::refreshLists() {
    const bool was = filling_;
    filling_ = true;
    fillBanks();
    filling_ = was;
    cash_->refresh(prod().db());
}

// Only the chosen kind's frame takes input; the other frame's figures are not saved.
void FrmBankTrans::kindChosen() {
    const bool transfer = optBankTrans_->isChecked();
    frameDept_->setEnabled(!transfer);
    frameTransfer_->setEnabled(transfer);
    frameDept_->setTitle(optWithDraw_->isChecked() ? QStringLiteral("WithDraw") : QStringLiteral("Deposit"));
    showWords();
}

void FrmBankTrans::showWords() {
    const QLineEdit* amount = optBankTrans_->isChecked() ? txtTransAmount_ : txtAmount_;
    lblWords_->setText(Ledger::amountInWords(Money::parse(amount->text())));
}

QList<qint64> FrmBankTrans::navigation() {
    return BT::numbers(prod().db());
}

QVariant FrmBankTrans::navigationStamp() {
    return BT::stamp(prod().db());
}

qint64 FrmBankTrans::proposeId() {
    return BT::proposedNumber(prod().db());
}

void FrmBankTrans::showRecord(qint64 id) {
    const auto t = BT::load(prod().db(), id);
    if (!t) return;
    const bool was = filling_;
    filling_ = true;
    clearForNew(id);
    DTPTransDate_->setDate(t->date);
    const bool transfer = t->kind == BT::Kind::Transfer;
    (transfer ? optBankTrans_ : t->kind == BT::Kind::Withdrawal ? optWithDraw_ : optDeposit_)->setChecked(true);
    if (transfer) {
        choose(cmbFrom_, t->bankId);
        choose(cmbTo_, t->toBankId);
        txtTransAmount_->setText(amountText(t->amount));
        txtChNo_->setText(t->chNo);
        setOptionalDate(DTPCHDate_, t->chDate);
        txtTransDesc_->setText(t->desc);
    } else {
        choose(cmbBank_, t->bankId);
        txtAmount_->setText(amountText(t->amount));
        txtDesc_->setText(t->desc);
    }
    kindChosen();
    filling_ = was;
}

void FrmBankTrans::clearForNew(qint64 id) {
    const bool was = filling_;
    filling_ = true;
    lblTransId_->setText(QString::number(id));
    DTPTransDate_->setDate(Clock::today());
    optDeposit_->setChecked(true);
    for (QComboBox* c : {cmbBank_, cmbFrom_, cmbTo_}) c->setCurrentIndex(-1);
    for (QLineEdit* e : {txtAmount_, txtDesc_, txtTransAmount_, txtChNo_, txtTransDesc_}) e->clear();
    setOptionalDate(DTPCHDate_, QDate());
    kindChosen();
    filling_ = was;
    if (ctl_ && ctl_->state() == RecState::Adding) DTPTransDate_->setFocus();
}

BT::Transaction FrmBankTrans::read() const {
    BT::Transaction t;
    t.transId = lblTransId_->text().toLongLong();
    t.date = DTPTransDate_->date();
    if (optBankTrans_->isChecked()) {
        t.kind = BT::Kind::Transfer;
        t.bankId = chosen(cmbFrom_);
        t.toBankId = chosen(cmbTo_);
        t.amount = Money::parse(txtTransAmount_->text());
        t.chNo = txtChNo_->text();
        t.chDate = optionalDate(DTPCHDate_);
        t.desc = txtTransDesc_->text();
    } else {
        t.kind = optWithDraw_->isChecked() ? BT::Kind::Withdrawal : BT::Kind::Deposit;
        t.bankId = chosen(cmbBank_);
        t.amount = Money::parse(txtAmount_->text());
        t.desc = txtDesc_->text();
    }
    return t;
}

Check FrmBankTrans::validate(bool) {
    return BT::validate(read());
}

qint64 FrmBankTrans::write(bool adding, qint64 id) {
    BT::Transaction t = read();
    t.transId = id;
    return BT::save(prod().db(), t, adding);
}

void FrmBankTrans::remove(qint64 id) {
    BT::remove(prod().db(), id);
}

}  // namespace kavra
