#include "ui/PONoChngScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "core/Refusal.h"
#include "core/Sql.h"
#include "core/chain/Orders.h"
#include "ui/DocumentScreen.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Orders = chain::Orders;

FrmPONoChng::FrmPONoChng(const chain::OrderKind& kind, qint64 orderId)
    : Screen(QStringLiteral("frmPONoChng")), kind_(kind), orderId_(orderId) {
    setWindowTitle(QStringLiteral("Change PO Number"));
    QLabel* heading = makeHeading(this, QStringLiteral("Change PO Number"),
                                  QStringLiteral("font-size: 14pt; font-weight: bold; color: #20406a;"));
    auto* g = new QGridLayout;
    cmbCust_ = new QComboBox(this);
    cmbCust_->setObjectName(QStringLiteral("cmbCust"));
    cmbPONo_ = new QComboBox(this);
    cmbPONo_->setObjectName(QStringLiteral("cmbPONo"));
    g->addWidget(makeCaption(this, kind_.partyWord, cmbCust_), 0, 0);
    g->addWidget(cmbCust_, 0, 1, 1, 2);
    g->addWidget(makeCaption(this, QStringLiteral("P.O."), cmbPONo_), 1, 0);
    g->addWidget(cmbPONo_, 1, 1, 1, 2);
    txtOldPONo_ = new QLineEdit(this);
    txtOldPONo_->setObjectName(QStringLiteral("txtOldPONo"));
    showOnly(txtOldPONo_);
    dtpOldPODate_ = makeDate(this, "dtpOldPODate");
    dtpOldPODate_->setEnabled(false);
    g->addWidget(makeCaption(this, QStringLiteral("Existing  P.O. No."), txtOldPONo_), 2, 0);
    g->addWidget(txtOldPONo_, 2, 1);
    g->addWidget(dtpOldPODate_, 2, 2);
    txtNewPONo_ = new QLineEdit(this);
    txtNewPONo_->setObjectName(QStringLiteral("txtNewPONo"));
    txtNewPONo_->setMaxLength(50);
    dtpNewPODate_ = makeDate(this, "dtpNewPODate");
    g->addWidget(makeCaption(this, QStringLiteral("Changed P.O. No."), txtNewPONo_), 3, 0);
    g->addWidget(txtNewPONo_, 3, 1);
    g->addWidget(dtpNewPODate_, 3, 2);
    auto* buttons = new QHBoxLayout;
    auto* cmdModify = makeButton(this, "cmdModify", QStringLiteral("&Modify"));
    auto* cmdExit = makeButton(this, "cmdExit", QStringLiteral("&CLOSE"));
    buttons->addStretch();
    buttons->addWidget(cmdModify);
    buttons->addWidget(cmdExit);
    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(g);
    v->addLayout(buttons);
    resize(520, 240);
    connect(cmdModify, &QPushButton::clicked, this, [this] { modify(); });
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(cmbCust_, &QComboBox::activated, this, [this] { partyChosen(); });
    connect(cmbPONo_, &QComboBox::activated, this, [this] {
        if (cmbPONo_->currentIndex() >= 0) showOrder(cmbPONo_->currentData().toLongLong());
    });
}

bool FrmPONoChng::load() {
    if (!Screen::load()) return false;
    try {
        fillParties(prod().db(), cmbCust_, kind_.partyTable, kind_.party, kind_.partyName);
        if (orderId_ != 0) {
            const auto o = Orders::header(prod().db(), kind_, orderId_);
            if (o) {
                cmbCust_->setCurrentIndex(cmbCust_->findData(o->party));
                partyChosen();
                cmbPONo_->setCurrentIndex(cmbPONo_->findData(orderId_));
            }
            // Opened for one order: the order is not to be chosen again here.
            cmbCust_->setEnabled(false);
            cmbPONo_->setEnabled(false);
            showOrder(orderId_);
            txtNewPONo_->setFocus();
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    return true;
}

void FrmPONoChng::partyChosen() {
    cmbPONo_->clear();
    if (cmbCust_->currentIndex() < 0) return;
    try {
        for (const auto& [id, no] : Orders::ordersOf(prod().db(), kind_, cmbCust_->currentData().toLongLong()))
            cmbPONo_->addItem(no, id);
    } catch (const DbError& e) {
        logFailure(e);
    }
    cmbPONo_->setCurrentIndex(-1);
}

void FrmPONoChng::showOrder(qint64 id) {
    std::optional<Orders::Header> o;
    try {
        o = Orders::header(prod().db(), kind_, id);
    } catch (const DbError& e) {
        logFailure(e);
    }
    if (!o) return;
    orderId_ = id;
    txtOldPONo_->setText(o->poNo);
    dtpOldPODate_->setDate(o->poDate);
    txtNewPONo_->setText(o->poNo);
    dtpNewPODate_->setDate(o->poDate);
}

void FrmPONoChng::modify() {
    Dialogs& d = Dialogs::current();
    const Orders::NumberChange c{orderId_, txtNewPONo_->text(), dtpNewPODate_->date()};
    try {
        if (const auto p = Orders::numberChangeBlock(prod().db(), kind_, c)) {
            d.message(appTitle(), p->text, p->icon);
            txtNewPONo_->setFocus();
            return;
        }
        if (!d.ask(appTitle(), QStringLiteral("Are You Sure To Modify?"))) return;
        Sql::transaction(prod().db(), [&] { Orders::changeNumber(prod().db(), kind_, c); });
    } catch (const Refused& r) {
        d.message(appTitle(), r.text(), r.icon());
        return;
    } catch (const DbError& e) {
        logFailure(e);
        return;
    }
    d.information(appTitle(), QStringLiteral("Record Modified."));
    showOrder(orderId_);
}

}  // namespace kavra
