#include "masters/forms/PartyScreen.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QSqlQuery>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

struct TextField {
    const char* control;
    QString Parties::Party::*field;
};
using P = Parties::Party;
// Every one-line text box and the column it shows; txtOpenBal and the lists are handled apart.
const TextField kFields[] = {
    {"txtName", &P::name},         {"txtKST", &P::kst},
    {"txtCST", &P::cst},           {"txtVendCode", &P::code},
    {"txtPhMail", &P::phone},      {"txtContact", &P::contact},
    {"txtVATRegNo", &P::vatRegNo}, {"txtEmail", &P::email},
    {"txtRng", &P::rng},           {"txtcommission", &P::commission},
    {"txtDivi", &P::divi},         {"txtCERegNo", &P::ceRegNo},
};

QLineEdit* addEdit(QFormLayout* f, QWidget* parent, const char* name, const QString& label, int maxLen,
                   const QString& tip = {}) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLen);
    if (!tip.isEmpty()) e->setToolTip(tip);
    f->addRow(label, e);
    return e;
}

QTextEdit* multiLine(QWidget* parent, const char* name, int lines) {
    auto* t = new QTextEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setAcceptRichText(false);
    t->setFixedHeight(t->fontMetrics().lineSpacing() * lines + 12);
    return t;
}

}  // namespace

FrmParty::FrmParty(const Parties::Kind& kind)
    : MasterScreen(kind.screen, paddedCaption(QStringLiteral("MASTER - General"))), kind_(kind) {
    auto* main = new QFormLayout;
    auto* id = addEdit(main, this, "txtId", kind.idLabel, 10);
    id->setReadOnly(true);
    addEdit(main, this, "txtName", kind.nameLabel, 100);
    rtbAddr_ = multiLine(this, "rtbAddr", 5);
    main->addRow(QStringLiteral("Address"), rtbAddr_);

    auto* optional = new QGroupBox(QStringLiteral("* Optional Fields"), this);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    addEdit(left, optional, "txtKST", QStringLiteral("*  LST   No."), 30, QStringLiteral("Local Sales Tax"));
    addEdit(left, optional, "txtCST", QStringLiteral("*  CST  No."), 30);
    addEdit(left, optional, "txtVATRegNo", QStringLiteral("*  TIN  No."), 30);
    addEdit(left, optional, "txtVendCode", kind.codeLabel, 30, kind.codeTip);
    addEdit(left, optional, "txtContact", QStringLiteral("* Contact Person"), 50);
    addEdit(right, optional, "txtPhMail", QStringLiteral("* Phone"), 50);
    addEdit(right, optional, "txtEmail", QStringLiteral("*  E-mail"), 80);
    auto* bal = addEdit(right, optional, "txtOpenBal", QStringLiteral("*  Opening Balance"), 14);
    bal->setValidator(numberValidator(bal, 11, 2, true));  // a balance may be owed either way
    cmbBusiType_ = new QComboBox(optional);
    cmbBusiType_->setObjectName(QStringLiteral("cmbBusiType"));
    right->addRow(QStringLiteral("* Business Type"), cmbBusiType_);
    txtScope_ = multiLine(optional, "txtScope", 2);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* excise = new QGroupBox(QStringLiteral("Central Excise"), optional);
    auto* ex1 = new QFormLayout;
    auto* ex2 = new QFormLayout;
    addEdit(ex1, excise, "txtRng", QStringLiteral("* Range"), 30);
    addEdit(ex1, excise, "txtDivi", QStringLiteral("*  Division"), 30);
    addEdit(ex2, excise, "txtcommission", QStringLiteral("* Commissionerate"), 30);
    addEdit(ex2, excise, "txtCERegNo", QStringLiteral("*  Cen. Reg. Cert. No."), 30);
    auto* exRow = new QHBoxLayout(excise);
    exRow->addLayout(ex1);
    exRow->addLayout(ex2);
    auto* scope = new QFormLayout;
    scope->addRow(QStringLiteral("*  Scope of Supply"), txtScope_);
    auto* ov = new QVBoxLayout(optional);
    ov->addLayout(columns);
    ov->addLayout(scope);
    ov->addWidget(excise);

    auto* fields = new QVBoxLayout;
    fields->addLayout(main);
    fields->addWidget(optional);

    RecordTexts t;
    t.adding = kind.addingText;
    t.showing = kind.showingText;
    t.modifying = kind.showingText;
    t.deleting = kind.deletingText;
    t.afterWrite = kind.modifyingText;
    t.saved = QStringLiteral("Records Saved.");
    t.modified = kind.modifiedMessage;
    t.deleted = QStringLiteral("Records Deleted.");
    t.deleteGoesFirst = false;
    finishLayout(fields, kind.listCaption, t);
    attachTypeAhead(edit("txtName"), lstNames_);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        if (auto pid = Parties::idOfName(prod().db(), kind_, it->text())) ctl_->showId(*pid);
    });
    resize(1000, 600);
}

QLineEdit* FrmParty::edit(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

bool FrmParty::load() {
    if (!Screen::load()) return false;
    try {
        QSqlQuery q =
            Sql::exec(prod().db(), QStringLiteral("select busitype, busitypename from BusinessType where %1=TRUE "
                                                  "order by busitype")
                                       .arg(kind_.busiFilter));
        while (q.next()) cmbBusiType_->addItem(q.value(1).toString(), q.value(0));
        refreshLists();
    } catch (const DbError& e) {
        logFailure(e);
    }
    ctl_->start();
    return true;
}

void FrmParty::refreshLists() {
    lstNames_->clear();
    lstNames_->addItems(Parties::names(prod().db(), kind_));
}

QList<qint64> FrmParty::navigation() {
    return Parties::ids(prod().db(), kind_);
}
qint64 FrmParty::proposeId() {
    return Parties::proposedId(prod().db(), kind_);
}

void FrmParty::showRecord(qint64 id) {
    const auto p = Parties::load(prod().db(), kind_, id);
    if (!p) return;
    edit("txtId")->setText(QString::number(p->id));
    for (const TextField& f : kFields) edit(f.control)->setText((*p).*(f.field));
    rtbAddr_->setPlainText(p->addr);
    txtScope_->setPlainText(p->scope);
    edit("txtOpenBal")->setText(p->openBal.toString());
    edit("txtOpenBal")->setEnabled(Parties::openBalanceEditable(*p));
    cmbBusiType_->setCurrentIndex(cmbBusiType_->findData(p->busiType));
    storedName_ = p->name;
}

void FrmParty::clearForNew(qint64 id) {
    edit("txtId")->setText(QString::number(id));
    for (const TextField& f : kFields) edit(f.control)->clear();
    rtbAddr_->clear();
    txtScope_->clear();
    edit("txtOpenBal")->clear();
    edit("txtOpenBal")->setEnabled(true);
    cmbBusiType_->setCurrentIndex(-1);
    storedName_.clear();
    edit("txtName")->setFocus();
}

Parties::Party FrmParty::read() const {
    Parties::Party p;
    p.id = edit("txtId")->text().toLongLong();
    for (const TextField& f : kFields) p.*(f.field) = edit(f.control)->text();
    p.addr = rtbAddr_->toPlainText();
    p.scope = txtScope_->toPlainText();
    p.openBal = Money::parse(edit("txtOpenBal")->text());
    p.busiType = cmbBusiType_->currentIndex() >= 0 ? cmbBusiType_->currentData().toLongLong() : 0;
    return p;
}

Check FrmParty::validate(bool adding) {
    return (Parties::validate(prod().db(), kind_, read(), adding));
}

qint64 FrmParty::write(bool adding, qint64) {
    return Parties::save(prod().db(), kind_, read(), adding, Clock::today());
}

QString FrmParty::confirmText(bool adding) {
    if (adding) return {};
    return Parties::modifyQuestion(kind_, storedName_, edit("txtName")->text());
}

Check FrmParty::deleteBlock() {
    return (Parties::deleteBlock(prod().db(), kind_, ctl_->currentId()));
}

void FrmParty::remove(qint64 id) {
    Parties::remove(prod().db(), kind_, id);
}

void registerPartyScreens() {
    Screens::add(QStringLiteral("frmCustomer"), [] { return new FrmParty(Parties::customer()); });
    Screens::add(QStringLiteral("frmSupplier"), [] { return new FrmParty(Parties::supplier()); });
    Screens::add(QStringLiteral("frmVendor"), [] { return new FrmParty(Parties::vendor()); });
}

}  // namespace kavra
