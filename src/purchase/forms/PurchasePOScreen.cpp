#include "purchase/forms/PurchasePOScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "printing/forms/ShownPrint.h"
#include "purchase/PurchaseKinds.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Orders = purchase::Orders;

namespace {

OrderScreenTexts texts() {
    OrderScreenTexts t;
    t.caption = QStringLiteral("PURCHASE");
    t.heading = QStringLiteral("Purchase Order - Outgoing");
    t.idCaption = QStringLiteral("PO Id");
    t.poCaption = QStringLiteral("OUR P.O. NO.");
    t.validCaption = QStringLiteral("VALID      * FROM");
    t.validToCaption = QStringLiteral("TO");
    t.valueCaption = QStringLiteral("P.O VALUE  (without taxes and insurance)");
    t.printCaption = QStringLiteral("&Print");
    t.partyField = QStringLiteral("cmbVendor");
    t.partyCaption = QStringLiteral("TO  VENDOR");
    t.partyPlaceholder = QStringLiteral("(Select a Vendor)");
    t.addressCaption = QStringLiteral("VENDOR   ADDRESS");
    t.taxField = QStringLiteral("txtKST");
    t.taxCaption = QStringLiteral("KST No && Date");
    t.payTermCaption.clear();
    t.gridHeading = QStringLiteral(
        " Sl.No |   Item Code / Part No.       |Item  / Part Name                |  UOM          |  Qty        | "
        "Rate        | Disc %   ");
    t.record.modifying = QStringLiteral("You are about to MODIFY the existing P.O. now...");
    t.record.emptyTable = QStringLiteral("No records to Display .");
    return t;
}

}  // namespace

FrmPurchasePO::FrmPurchasePO()
    : SupplierOrderScreenOf(QStringLiteral("frmPurchasePO"), purchase::orderKind(), texts()) {
    QWidget* box = headerBox_;
    QGridLayout* g = headerGrid();

    txtRefQuoteNo_ = new QLineEdit(box);
    txtRefQuoteNo_->setObjectName(QStringLiteral("txtRefQuoteNo"));
    txtRefQuoteNo_->setMaxLength(50);
    dtpRefQuoteDate_ = makeDate(box, "dtpRefQuoteDate");
    auto* quote = new QHBoxLayout;
    quote->addWidget(txtRefQuoteNo_, 1);
    quote->addWidget(dtpRefQuoteDate_);
    g->addWidget(makeCaption(box, QStringLiteral("* Ref.Quote"), txtRefQuoteNo_), 5, 2);
    g->addLayout(quote, 5, 3);

    placeTail(6, 0, 6, 2, 7, 2);
    chkTestCert_ = new QCheckBox(QStringLiteral("TEST  CERTIFICATE  REQUIRED (if YES tick this button)"), box);
    chkTestCert_->setObjectName(QStringLiteral("chkTestCert"));
    g->addWidget(chkTestCert_, 7, 0, 1, 2);

    placeTerms(8);

    lstItem_ = new QListWidget(box);
    lstItem_->setObjectName(QStringLiteral("lstItem"));
    lstItem_->setToolTip(QStringLiteral("Double Click to Select an item"));
    lstItem_->setMaximumWidth(160);
    // A mouse shortcut: from the keyboard the grid's own item list does the same.
    lstItem_->setFocusPolicy(Qt::ClickFocus);
    g->addWidget(new QLabel(QStringLiteral("Double Click to Select an item"), box), 3, 4);
    g->addWidget(lstItem_, 4, 4, 6, 1);

    finish({cmbKindAttn_, txtRefQuoteNo_, dtpRefQuoteDate_, txtVal_, txtRem_, chkTestCert_, rtbTerms_});

    // Vendors are ordered in the item's other unit.
    grid_->itemByCode = [this](const QString& code) -> std::optional<ItemInfo> {
        const auto items = chain::Lookups::itemsByCode(prod().db(), {code});
        if (items.isEmpty()) return std::nullopt;
        const chain::ItemRef& it = *items.cbegin();
        const QString alt = Sql::scalar(prod().db(), QStringLiteral("select AltUnit from Item where ItemId=?"), {it.id})
                                .toString()
                                .trimmed();
        return ItemInfo{it.id, it.name, alt.isEmpty() ? it.unit : alt};
    };
    connect(lstItem_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* i) { itemPicked(i->text()); });
}

void FrmPurchasePO::refreshLists() {
    SupplierOrderScreenOf::refreshLists();
    tryDb([&] {
        lstItem_->clear();
        lstItem_->addItems(Sql::texts(prod().db(), QStringLiteral("select ItemCode from Item order by ItemCode")));
    });
}

void FrmPurchasePO::showRecord(qint64 id) {
    const auto o = Orders::load(prod().db(), id);
    if (!o) return;
    showFields({o->id,
                o->vendorCode,
                {},
                {},
                {},
                o->poNo,
                {},
                o->remark,
                o->poDate,
                o->validFrom,
                o->validTo,
                o->value,
                o->reTrkRej,
                o->cancelled,
                o->lines});
    txtVal_->setText(orderValueText(o->value));
    showSupplier(o->vendorCode, o->kindAttn, o->body);
    txtRefQuoteNo_->setText(o->refQuoteNo);
    dtpRefQuoteDate_->setDate(o->refQuoteDate.isValid() ? o->refQuoteDate : o->poDate);
    chkTestCert_->setChecked(o->testCert);
}

void FrmPurchasePO::clearForNew(qint64 id) {
    clearFields(id);
    clearSupplier();
    txtRefQuoteNo_->clear();
    dtpRefQuoteDate_->setDate(Clock::today());
    chkTestCert_->setChecked(false);
    if (lstItem_->count() == 0) refreshLists();
    tryDb([&] { txtPOno_->setText(Orders::proposedNumber(prod().db(), Clock::today())); });
}

Orders::Order FrmPurchasePO::read() const {
    const OrderFields f = readFields();
    Orders::Order o;
    o.id = f.id;
    o.vendorCode = f.party;
    o.kindAttn = cmbKindAttn_->currentText();
    o.poNo = f.poNo;
    o.poDate = f.poDate;
    o.validFrom = f.validFrom;
    o.validTo = f.validTo;
    o.refQuoteNo = txtRefQuoteNo_->text();
    o.refQuoteDate = dtpRefQuoteDate_->date();
    o.remark = f.remark;
    o.testCert = chkTestCert_->isChecked();
    o.reTrkRej = f.reTrkRej;
    o.value = f.value;
    o.body = rtbTerms_->toPlainText();
    o.lines = f.lines;
    return o;
}

void FrmPurchasePO::itemPicked(const QString& code) {
    if (!grid_->isEditable() || !grid_->itemByCode) return;
    std::optional<ItemInfo> item;
    std::optional<QPair<QString, QString>> rate;
    tryDb([&] {
        item = grid_->itemByCode(code);
        if (item && grid_->proposeRateDiscount) rate = grid_->proposeRateDiscount(item->id);
    });
    if (!item) return;
    grid_->commitEditor();
    // The line being edited, else a new one at the end.
    int row = grid_->isEditing() ? grid_->editRow() : 0;
    if (row == 0 || (row <= grid_->storedLineCount() && partly_)) {
        grid_->addLine({});
        row = grid_->lineCount();
    }
    grid_->setText(row, 1, code);
    grid_->setText(row, 2, item->name);
    grid_->setText(row, 3, item->unit);
    if (rate) {
        grid_->setText(row, 5, rate->first);
        grid_->setText(row, 6, rate->second);
    }
    grid_->beginEdit(row, 4);
}

void FrmPurchasePO::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Orders::printOut(prod().db(), id); },
        Print::Document{QStringLiteral("PurchPo"), QString()});
}

}  // namespace kavra
