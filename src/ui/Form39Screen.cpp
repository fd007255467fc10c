#include "ui/Form39Screen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "ui/DocumentScreen.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Form39 = chain::Form39;

Form39Screen::Form39Screen(const Form39::Kind& kind, qint64 dcId) : Screen(kind.screen), kind_(kind), dcId_(dcId) {
    setWindowTitle(paddedCaption(QStringLiteral("FORM VAT 515")));
    QLabel* heading = makeDocHeading(this, QStringLiteral("Form VAT 515"));
    auto* box = new QWidget(this);
    auto* g = new QGridLayout(box);
    txtDCNo_ = addField(g, 0, 0, QStringLiteral("DC NO."), "txtDCNo", 20);
    showOnly(txtDCNo_);
    dtpDCDate_ = makeDate(box, "dtpDCDate");
    dtpDCDate_->setEnabled(false);
    g->addWidget(makeCaption(box, QStringLiteral("DATE"), dtpDCDate_), 0, 2);
    g->addWidget(dtpDCDate_, 0, 3);
    txtCust_ = addField(g, 1, 0, QStringLiteral("CUSTOMER"), "txtCust", 100);
    showOnly(txtCust_);
    txtForm39No_ = addField(g, 2, 0, QStringLiteral("VAT 515 Sl.No."), "txtForm39No", 10);
    numericOnly(txtForm39No_);
    cmbGoodsName_ = new QComboBox(box);
    cmbGoodsName_->setObjectName(QStringLiteral("cmbGoodsName"));
    cmbGoodsName_->setEditable(true);
    cmbGoodsName_->setInsertPolicy(QComboBox::NoInsert);
    cmbGoodsName_->lineEdit()->setMaxLength(100);
    g->addWidget(makeCaption(box, QStringLiteral("Goods Name"), cmbGoodsName_), 3, 0);
    g->addWidget(cmbGoodsName_, 3, 1, 1, 3);
    txtGoodsQty_ = addField(g, 4, 0, QStringLiteral("Goods Qty"), "txtGoodsQty", 50);
    txtGoodsVal_ = addField(g, 4, 2, QStringLiteral("Goods Value"), "txtGoodsVal", 50);
    txtPurpose_ = addField(g, 5, 0, QStringLiteral("Purpose"), "txtPurpose", 100);
    txtDocuNature_ = addField(g, 5, 2, QStringLiteral("Nature of Document"), "txtDocuNature", 100);
    txtLRNo_ = addField(g, 6, 0, QStringLiteral("L.R. No."), "txtLRNo", 50);

    auto* buttons = new QHBoxLayout;
    auto* cmdSave = makeButton(this, "cmdSave", QStringLiteral("&Store"));
    auto* cmdExit = makeButton(this, "cmdExit", QStringLiteral("&CLOSE"));
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdExit);
    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(box);
    v->addLayout(buttons);
    v->addWidget(makeStatusLabel(this));
    resize(620, 300);
    tabChain({txtForm39No_, cmbGoodsName_, txtGoodsQty_, txtGoodsVal_, txtPurpose_, txtDocuNature_, txtLRNo_, cmdSave,
              cmdExit});
    connect(cmdSave, &QPushButton::clicked, this, [this] { store(); });
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
}

bool Form39Screen::load() {
    if (!Screen::load()) return false;
    bool found = false;
    tryDb([&] {
        const auto s = Form39::load(prod().db(), kind_, dcId_);
        if (!s) return;
        found = true;
        cmbGoodsName_->addItems(Form39::goodsNames(prod().db(), kind_));
        txtDCNo_->setText(s->dcNo);
        dtpDCDate_->setDate(s->dcDate);
        txtCust_->setText(s->party);
        const Form39::Entry& e = s->entry;
        txtForm39No_->setText(QString::number(e.no != 0 ? e.no : Form39::proposed(prod().db(), kind_, s->dcDate)));
        cmbGoodsName_->setEditText(e.goodsName);
        txtGoodsQty_->setText(e.goodsQty);
        txtGoodsVal_->setText(e.goodsVal);
        txtPurpose_->setText(e.purpose);
        txtDocuNature_->setText(e.docuNature);
        txtLRNo_->setText(e.lrNo);
    });
    if (!found) Dialogs::current().critical(appTitle(), QStringLiteral("No records to Display."));
    txtForm39No_->setFocus();
    return found;
}

Form39::Entry Form39Screen::read() const {
    return Form39::Entry{dcId_,
                         txtForm39No_->text().toLongLong(),
                         cmbGoodsName_->currentText(),
                         txtGoodsQty_->text(),
                         txtGoodsVal_->text(),
                         txtPurpose_->text(),
                         txtDocuNature_->text(),
                         txtLRNo_->text()};
}

void Form39Screen::store() {
    Dialogs& d = Dialogs::current();
    const Form39::Entry e = read();
    auto refuse = [&](const Refusal& r) {
        d.message(appTitle(), r.text, r.icon);
        if (auto* w = findChild<QWidget*>(r.field)) w->setFocus();
    };
    try {
        if (const Check c = Form39::validate(prod().db(), kind_, e)) return refuse(*c);
        if (!d.ask(appTitle(), QStringLiteral("Are You Sure To Store?"))) return;
        Sql::transaction(prod().db(), [&] { Form39::store(prod().db(), kind_, e); });
    } catch (const Refused& r) {
        return refuse(r.refusal());
    } catch (const DbError& ex) {
        logFailure(ex);
        return;
    }
    d.information(appTitle(), QStringLiteral("Records Modified..."));
}

}  // namespace kavra
