#include "cash/forms/BankScreen.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "ui/DocumentScreen.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

QString moneyText(Money m) {
    return m.isZero() ? QString() : m.toString();
}

}  // namespace

FrmBanks::FrmBanks() : MasterScreen(QStringLiteral("frmBanks"), paddedCaption(QStringLiteral("MASTER - BANKS"))) {
    auto* heading = new QLabel(QStringLiteral("Banks"), this);
    heading->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    txtBankId_ = makeLineEdit(this, "txtBankId", 10);
    txtBankId_->setReadOnly(true);
    txtBankName_ = makeLineEdit(this, "txtBankName", 100);
    txtOpBal_ = makeLineEdit(this, "txtOpBal", 16);
    // Credit first: a new bank starts on it, and Tab and Enter arrive on the chosen option.
    optCredit_ = new QRadioButton(QStringLiteral("Credit (+)"), this);
    optCredit_->setObjectName(QStringLiteral("optCredit"));
    optCredit_->setChecked(true);
    optDebit_ = new QRadioButton(QStringLiteral("Debit (-)"), this);
    optDebit_->setObjectName(QStringLiteral("optDebit"));
    txtCreditLimit_ = makeLineEdit(this, "txtCreditLimit", 16);
    for (QLineEdit* e : {txtOpBal_, txtCreditLimit_}) {
        numericOnly(e);
        e->setAlignment(Qt::AlignRight);
    }
    auto* side = new QHBoxLayout;
    side->addWidget(optCredit_);
    side->addWidget(optDebit_);
    side->addStretch();
    auto* f = new QFormLayout;
    f->addRow(heading);
    f->addRow(QStringLiteral("BANK ID"), txtBankId_);
    f->addRow(QStringLiteral("BANK & A/c NO"), txtBankName_);
    f->addRow(QStringLiteral("* OPENING BALANCE"), txtOpBal_);
    f->addRow(QString(), side);
    f->addRow(QStringLiteral("* CREDIT LIMIT"), txtCreditLimit_);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Bank Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Bank Record Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Bank Details now...");
    t.afterWrite = QStringLiteral("You are about to MODIFY the existing Bank Details now...");
    t.saved = QStringLiteral("Records Saved!");
    t.modified = QStringLiteral("Records Modified!");
    t.deleted = QStringLiteral("Records Deleted.");
    finishLayout(f, QStringLiteral("List of Available Banks:"), t);
    attachTypeAhead(txtBankName_, lstNames_);
    for (QRadioButton* o : {optDebit_, optCredit_})
        connect(o, &QRadioButton::clicked, ctl_, &RecordController::fieldEdited);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        if (auto id = Banks::idOfName(prod().db(), it->text())) ctl_->showId(*id);
    });
    resize(720, 360);
}

void FrmBanks::refreshLists() {
    lstNames_->clear();
    lstNames_->addItems(Banks::names(prod().db()));
}

QList<qint64> FrmBanks::navigation() {
    return Banks::ids(prod().db());
}

qint64 FrmBanks::proposeId() {
    return Banks::proposedId(prod().db());
}

void FrmBanks::showRecord(qint64 id) {
    const auto b = Banks::load(prod().db(), id);
    if (!b) return;
    txtBankId_->setText(QString::number(b->id));
    txtBankName_->setText(b->name);
    txtOpBal_->setText(moneyText(b->openingBalance));
    txtCreditLimit_->setText(moneyText(b->creditLimit));
    (b->isDebit ? optDebit_ : optCredit_)->setChecked(true);
}

void FrmBanks::clearForNew(qint64 id) {
    txtBankId_->setText(QString::number(id));
    for (QLineEdit* e : {txtBankName_, txtOpBal_, txtCreditLimit_}) e->clear();
    optCredit_->setChecked(true);
    txtBankName_->setFocus();
}

Banks::Bank FrmBanks::read() const {
    return {txtBankId_->text().toLongLong(), txtBankName_->text(), Money::parse(txtOpBal_->text()),
            optDebit_->isChecked(), Money::parse(txtCreditLimit_->text())};
}

Check FrmBanks::validate(bool adding) {
    return Banks::validate(prod().db(), read(), adding);
}

qint64 FrmBanks::write(bool adding, qint64 id) {
    Banks::Bank b = read();
    b.id = id;
    return Banks::save(prod().db(), b, adding);
}

Check FrmBanks::deleteBlock() {
    return Banks::deleteBlock(prod().db(), ctl_->currentId());
}

void FrmBanks::remove(qint64 id) {
    Banks::remove(prod().db(), id);
}

QString FrmBanks::confirmText(bool adding) {
    return adding ? QStringLiteral("Are You Sure To Save?") : QStringLiteral("Are You Sure To Modify?");
}

}  // namespace kavra
