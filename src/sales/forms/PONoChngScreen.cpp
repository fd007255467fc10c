#include "sales/forms/PONoChngScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "core/Refused.h"
#include "core/Sql.h"
#include "sales/Orders.h"
#include "sales/forms/DocScreenKit.h"
#include "ui/Widgets.h"

namespace kavra {

using namespace salesforms;
namespace Orders = sales::Orders;

FrmPONoChng::FrmPONoChng(const QString& kind, qint64 orderId)
    : Screen(QStringLiteral("frmPONoChng")), kind_(kind), orderId_(orderId) {
    setWindowTitle(QStringLiteral("Change PO Number"));
    QLabel* heading = makeHeading(this, QStringLiteral("Change PO Number"),
                                  QStringLiteral("font-size: 14pt; font-weight: bold; color: #20406a;"));
    auto* g = new QGridLayout;
    cmbCust_ = makeCustomerCombo(this);
    cmbPONo_ = new QComboBox(this);
    cmbPONo_->setObjectName(QStringLiteral("cmbPONo"));
    g->addWidget(makeCaption(this, QStringLiteral("Customer"), cmbCust_), 0, 0);
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
    connect(cmbCust_, &QComboBox::activated, this, [this] { customerChosen(); });
    connect(cmbPONo_, &QComboBox::activated, this, [this] {
        if (cmbPONo_->currentIndex() >= 0) showOrder(cmbPONo_->currentData().toLongLong());
    });
    enterMovesOn(this);
}

bool FrmPONoChng::load() {
    if (!Screen::load()) return false;
    try {
        fillCustomers(prod().db(), cmbCust_);
        if (orderId_ != 0) {
            const auto o = Orders::load(prod().db(), orderId_);
            if (o) {
                cmbCust_->setCurrentIndex(cmbCust_->findData(o->custId));
                customerChosen();
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

void FrmPONoChng::customerChosen() {
    cmbPONo_->clear();
    if (cmbCust_->currentIndex() < 0) return;
    try {
        QSqlQuery q =
            Sql::exec(prod().db(), QStringLiteral("select POId, PONo from MfgPO where CustId=? order by POId"),
                      {cmbCust_->currentData()});
        while (q.next()) cmbPONo_->addItem(q.value(1).toString(), q.value(0));
    } catch (const DbError& e) {
        logFailure(e);
    }
    cmbPONo_->setCurrentIndex(-1);
}

void FrmPONoChng::showOrder(qint64 id) {
    std::optional<Orders::Order> o;
    try {
        o = Orders::load(prod().db(), id);
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
    const Orders::NumberChange c{kind_, orderId_, txtNewPONo_->text(), dtpNewPODate_->date()};
    try {
        if (const auto p = Orders::numberChangeProblem(prod().db(), c)) {
            d.message(appTitle(), p->text, p->icon);
            txtNewPONo_->setFocus();
            return;
        }
        if (!d.ask(appTitle(), QStringLiteral("Are You Sure To Modify?"))) return;
        Sql::transaction(prod().db(), [&] { Orders::changeNumber(prod().db(), c); });
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
