#include "purchase/forms/PurchaseBillScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Challans.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Bills = purchase::Bills;
namespace Rows = chain::Rows;

namespace {

const QString kHeading = QStringLiteral(
    " Sl.No |   Item Code / Part No./ Drg. No.          |    Qty    | Alt.Qty  |    Rate /Alt.Unit    |   Disc % | "
    "ED (Rs.)  | ED.Cess%   | H.ED Cess% |  Tax % |Amount        |PO Bal.Qty   ");

QComboBox* typeCombo(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems({QStringLiteral("Amount"), QStringLiteral("Percentage")});
    return c;
}

QString figure(double v) {
    return text::plain(v);
}

}  // namespace

FrmPurchase::FrmPurchase() : DocumentScreen(QStringLiteral("frmPurchase"), QStringLiteral("PURCHASE")) {
    QLabel* heading = makeDocHeading(this, QStringLiteral("Purchase"));
    const Header h = makeHeader("cmbVendor", QStringLiteral("FROM VENDOR"), QStringLiteral("Bill Id"), "txtPurchId");
    QGroupBox* box = h.box;
    QGridLayout* g = h.grid;
    cmbVendor_ = h.party;
    txtId_ = h.id;
    cmbVendor_->setPlaceholderText(QStringLiteral("(Select a Vendor)"));
    cmbPONo_ = new QComboBox(box);
    cmbPONo_->setObjectName(QStringLiteral("cmbPONo"));
    dtpPODate_ = makeDate(box, "dtpPODate");
    auto* po = new QHBoxLayout;
    po->addWidget(cmbPONo_, 1);
    po->addWidget(dtpPODate_);
    g->addWidget(makeCaption(box, QStringLiteral("P.O  NO"), cmbPONo_), 1, 0);
    g->addLayout(po, 1, 1);
    addField(g, 1, 2, QStringLiteral("INVOICE NO"), "txtInvNo", 30);
    dtpInvDate_ = makeDate(box, "dtpInvDate");
    g->addWidget(makeCaption(box, QStringLiteral("DATE"), dtpInvDate_), 2, 2);
    g->addWidget(dtpInvDate_, 2, 3);
    addField(g, 2, 0, QStringLiteral("MODE OF TRANSPORT"), "txtTransport", 50);
    addField(g, 3, 0, QStringLiteral("VEHICLE  NUMBER"), "txtVehicleNo", 30);
    optVAT_ = new QRadioButton(QStringLiteral("VAT"), box);
    optVAT_->setObjectName(QStringLiteral("optVAT"));
    optCST_ = new QRadioButton(QStringLiteral("CST"), box);
    optCST_->setObjectName(QStringLiteral("optCST"));
    auto* tax = new QHBoxLayout;
    tax->addWidget(optVAT_);
    tax->addWidget(optCST_);
    tax->addStretch();
    g->addWidget(new QLabel(QStringLiteral("Select Either one Tax:"), box), 3, 2);
    g->addLayout(tax, 3, 3);

    makeGrid(kHeading, TaxCol);
    grid_->setItemColumns(CodeCol, -1, -1);
    grid_->setNumericColumns(
        {QtyCol, AltQtyCol, RateCol, DiscCol, EdCol, EdCessCol, HEdCessCol, TaxCol, AmountCol, PoBalCol});
    grid_->itemCodes = [this] {
        QStringList codes;
        tryDb([&] {
            const QString po = cmbPONo_->currentText().trimmed();
            const auto ordered = po.isEmpty()
                                     ? std::nullopt
                                     : chain::Challans::openOrderItemCodes(prod().db(), Bills::kind(),
                                                                           cmbVendor_->currentData().toLongLong(), po);
            codes = ordered ? *ordered
                            : Sql::texts(prod().db(), QStringLiteral("select ItemCode from Item order by ItemCode"));
        });
        return codes;
    };
    grid_->cellLimit = [this](int row, int col, const QString& typed) -> QString {
        if (col != QtyCol || cmbPONo_->currentText().trimmed().isEmpty()) return {};
        const auto items = chain::Lookups::itemsByCode(prod().db(), {grid_->text(row, CodeCol).trimmed()});
        if (items.isEmpty()) return {};
        const double left = poLeft_.value(items.cbegin()->id);
        if (text::typed(typed) > left + 1e-9)
            return QStringLiteral("Qty should not be greater than ") + Rows::qtyText(left);
        return {};
    };
    connect(grid_, &LineGrid::itemChosen, this, [this](int row, qint64 id) { itemChosen(row, id); });
    connect(grid_, &LineGrid::cellCommitted, this, [this] { recompute(); });
    connect(grid_, &LineGrid::headingClicked, this, [this](int) { headingClicked(); });
    connect(grid_->table(), &QTableWidget::currentCellChanged, this, [this](int row) { cellMoved(row + 1); });

    // Charges, terms and the value.
    auto* charges = new QGroupBox(this);
    addFieldBox(charges);
    auto* c = new QGridLayout(charges);
    cmbPackForwdType_ = typeCombo(charges, "cmbPackForwdType");
    cmbFinalDiscType_ = typeCombo(charges, "cmbFinalDiscType");
    auto number = [&](int row, int col, const QString& caption, const char* name, QWidget* beside = nullptr) {
        QLineEdit* e = addField(c, row, col, caption, name, 14);
        numericOnly(e);
        e->setAlignment(Qt::AlignRight);
        if (beside) c->addWidget(beside, row, col + 2);
        connect(e, &QLineEdit::textChanged, this, [this] { recompute(); });
        return e;
    };
    number(0, 0, QStringLiteral("PACKING &  FORWARDING"), "txtPackForwd", cmbPackForwdType_);
    number(1, 0, QStringLiteral("INSURANCE"), "txtInsurance");
    number(2, 0, QStringLiteral("ANY  OTHER CHARGES"), "txtOtherChrg");
    number(3, 0, QStringLiteral("FINAL DISCOUNT"), "txtFinalDisc", cmbFinalDiscType_);
    addField(c, 0, 3, QStringLiteral("PAYMENT TERMS"), "txtPayTerm", 100);
    addField(c, 1, 3, QStringLiteral("REMARKS"), "txtRem", 200);
    QLineEdit* total = addField(c, 3, 3, QStringLiteral("TOTAL PURCHASE VALUE\n(In  Rs)"), "txtTotVal", 16);
    total->setReadOnly(true);
    total->setAlignment(Qt::AlignRight);
    total->setFocusPolicy(Qt::ClickFocus);
    total->setStyleSheet(QStringLiteral("font-weight: bold;"));
    total->setToolTip(QStringLiteral("Double-click to work the value out again"));
    total->installEventFilter(this);
    for (QComboBox* t : {cmbPackForwdType_, cmbFinalDiscType_})
        connect(t, &QComboBox::currentIndexChanged, this, [this] { recompute(); });

    auto* links = new QHBoxLayout;
    addSearch(links, this, QStringLiteral("Search Inv No."),
              QStringLiteral("Type the Invoice No. here, then press 'Enter' key to search"));
    lblUnitGuide_ = new QLabel(this);
    lblUnitGuide_->setObjectName(QStringLiteral("lblUnitGuide"));
    links->addStretch();
    links->addWidget(lblUnitGuide_);
    links->addStretch();
    for (const auto& [name, caption] :
         {std::pair{"lblRejRework", "Rejections"}, std::pair{"lblCreditNote", "Credit Note"}}) {
        QLabel* l = makeLinkLabel(this, name);
        l->setText(QString::fromLatin1(caption));
        notAvailableYet(l);
        links->addWidget(l);
        links->addSpacing(12);
    }
    links->addWidget(makeLinkLabel(this, "lblCorres"));

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(box);
    v->addWidget(new QLabel(QStringLiteral("(Press  F5 Key  ---> Add New ITEM)"), this));
    v->addWidget(grid_, 1);
    v->addWidget(charges);
    v->addLayout(links);
    v->addWidget(makeStatusLabel(this));
    v->addLayout(makeCommandRow(this));
    resize(1220, 760);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Purchase Bill Now...");
    t.modifying = QStringLiteral("You are about to MODIFY the existing Purchase Bill now...");
    t.deleting = QStringLiteral("You are about to DELETE the existing Purchase Bill now...");
    t.saveQuestion = QStringLiteral("Are You Sure To Save?");
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify ?");
    t.deleteQuestion = QStringLiteral("Are You Sure To Delete ?");
    t.emptyTable = QStringLiteral("No records to Display .");
    makeController(t);
    setNavigationTable(QStringLiteral("Purchase"), QStringLiteral("PurchId"));

    connect(cmbVendor_, &QComboBox::activated, this, [this] { vendorChosen(); });
    connect(cmbPONo_, &QComboBox::activated, this, [this] { orderChosen(); });
    tabChain({cmbVendor_, cmbPONo_, dtpPODate_, edit("txtInvNo"), dtpInvDate_, edit("txtTransport"),
              edit("txtVehicleNo"), optVAT_, optCST_, grid_->table(), edit("txtPackForwd"), cmbPackForwdType_,
              edit("txtInsurance"), edit("txtOtherChrg"), edit("txtFinalDisc"), cmbFinalDiscType_, edit("txtPayTerm"),
              edit("txtRem"), findChild<QWidget*>(QStringLiteral("cmdSave"))});
}

QLineEdit* FrmPurchase::edit(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

bool FrmPurchase::load() {
    return ctl_->open([this] {
        roff_ = Bills::roundsPurchases(prod().db());
        fillParties(prod().db(), cmbVendor_, QStringLiteral("Vendor"), QStringLiteral("VendorCode"),
                    QStringLiteral("VendorName"));
    });
}

// ---------------------------------------------------------------- records

QList<qint64> FrmPurchase::navigation() {
    return Bills::ids(prod().db());
}

qint64 FrmPurchase::proposeId() {
    return Bills::proposedId(prod().db());
}

void FrmPurchase::fillOrders(const QString& keep) {
    cmbPONo_->clear();
    const qint64 vendor = cmbVendor_->currentData().toLongLong();
    QStringList orders = vendor ? Bills::openOrders(prod().db(), vendor) : QStringList();
    if (!keep.isEmpty() && !orders.contains(keep)) orders.prepend(keep);
    cmbPONo_->addItems(orders);
    cmbPONo_->setCurrentIndex(orders.indexOf(keep));
}

void FrmPurchase::showRecord(qint64 id) {
    const std::optional<Bills::Bill> b = Bills::load(prod().db(), id);
    if (!b) return;
    filling_ = true;
    shownId_ = id;
    txtId_->setText(QString::number(id));
    cmbVendor_->setCurrentIndex(cmbVendor_->findData(b->vendor));
    fillOrders(b->poNo);
    dtpPODate_->setDate(b->poDate.isValid() ? b->poDate : b->invDate);
    edit("txtInvNo")->setText(b->invNo);
    dtpInvDate_->setDate(b->invDate);
    edit("txtTransport")->setText(b->transport);
    edit("txtVehicleNo")->setText(b->vehicleNo);
    optVAT_->setAutoExclusive(false);
    optCST_->setAutoExclusive(false);
    optVAT_->setChecked(b->tax == Bills::TaxKind::VAT);
    optCST_->setChecked(b->tax == Bills::TaxKind::CST);
    optVAT_->setAutoExclusive(true);
    optCST_->setAutoExclusive(true);
    cmbPackForwdType_->setCurrentIndex(b->packPerc ? 1 : 0);
    cmbFinalDiscType_->setCurrentIndex(b->finalDiscPerc ? 1 : 0);
    edit("txtPackForwd")->setText(b->packForwd ? figure(b->packForwd) : QString());
    edit("txtFinalDisc")->setText(b->finalDisc ? figure(b->finalDisc) : QString());
    edit("txtInsurance")->setText(b->insurance ? figure(b->insurance) : QString());
    edit("txtOtherChrg")->setText(b->otherCharges ? figure(b->otherCharges) : QString());
    edit("txtPayTerm")->setText(b->payTerm);
    edit("txtRem")->setText(b->remark);
    grid_->clearLines();
    for (const Bills::Line& l : b->lines)
        grid_->addLine({l.itemCode, figure(l.qty), figure(l.altQty), Rows::rateText(l.rate), figure(l.discount),
                        figure(l.excise), figure(l.cessOnED), figure(l.highCessOnED), figure(l.taxes)});
    grid_->setStoredLineCount(grid_->lineCount());
    filling_ = false;
    refreshBalances();
    recompute();
    edit("txtTotVal")->setText(b->totVal.toString());
}

void FrmPurchase::clearForNew(qint64 id) {
    filling_ = true;
    shownId_ = 0;
    txtId_->setText(QString::number(id));
    cmbVendor_->setCurrentIndex(-1);
    cmbPONo_->clear();
    for (const char* n : {"txtInvNo", "txtTransport", "txtVehicleNo", "txtPackForwd", "txtInsurance", "txtOtherChrg",
                          "txtFinalDisc", "txtPayTerm", "txtRem", "txtTotVal"})
        edit(n)->clear();
    for (QDateEdit* d : {dtpPODate_, dtpInvDate_}) d->setDate(Clock::today());
    optVAT_->setAutoExclusive(false);
    optCST_->setAutoExclusive(false);
    optVAT_->setChecked(false);
    optCST_->setChecked(false);
    optVAT_->setAutoExclusive(true);
    optCST_->setAutoExclusive(true);
    cmbPackForwdType_->setCurrentIndex(0);
    cmbFinalDiscType_->setCurrentIndex(0);
    grid_->clearLines();
    grid_->refreshItemCodes();
    poLeft_.clear();
    lblUnitGuide_->clear();
    filling_ = false;
    cmbVendor_->setFocus();
}

Bills::Bill FrmPurchase::read() const {
    Bills::Bill b;
    b.id = txtId_->text().toLongLong();
    b.vendor = cmbVendor_->currentIndex() >= 0 ? cmbVendor_->currentData().toLongLong() : 0;
    b.invNo = edit("txtInvNo")->text().trimmed();
    b.invDate = dtpInvDate_->date();
    b.poNo = cmbPONo_->currentText().trimmed();
    b.poDate = dtpPODate_->date();
    b.transport = edit("txtTransport")->text();
    b.vehicleNo = edit("txtVehicleNo")->text();
    b.tax = optVAT_->isChecked()   ? Bills::TaxKind::VAT
            : optCST_->isChecked() ? Bills::TaxKind::CST
                                   : Bills::TaxKind::None;
    b.packPerc = cmbPackForwdType_->currentIndex() == 1;
    b.packForwd = text::typed(edit("txtPackForwd")->text());
    b.finalDiscPerc = cmbFinalDiscType_->currentIndex() == 1;
    b.finalDisc = text::typed(edit("txtFinalDisc")->text());
    b.insurance = text::typed(edit("txtInsurance")->text());
    b.otherCharges = text::typed(edit("txtOtherChrg")->text());
    b.payTerm = edit("txtPayTerm")->text();
    b.remark = edit("txtRem")->text();
    for (int row = 1; row <= usedLines(); ++row) {
        Bills::Line l;
        l.itemCode = grid_->text(row, CodeCol).trimmed();
        auto n = [&](int col) { return text::typed(grid_->text(row, col)); };
        l.qty = n(QtyCol);
        l.altQty = n(AltQtyCol);
        l.rate = n(RateCol);
        l.discount = n(DiscCol);
        l.excise = n(EdCol);
        l.cessOnED = n(EdCessCol);
        l.highCessOnED = n(HEdCessCol);
        l.taxes = n(TaxCol);
        b.lines << l;
    }
    return b;
}

// ---------------------------------------------------------------- choosing

void FrmPurchase::vendorChosen() {
    if (filling_ || ctl_->state() == RecState::Browse) return;
    tryDb([&] {
        const qint64 vendor = cmbVendor_->currentData().toLongLong();
        const Bills::TaxKind t = Bills::proposedTax(prod().db(), vendor);
        if (t == Bills::TaxKind::VAT) optVAT_->setChecked(true);
        if (t == Bills::TaxKind::CST) optCST_->setChecked(true);
        fillOrders({});
        grid_->refreshItemCodes();
        poLeft_.clear();
    });
}

void FrmPurchase::orderChosen() {
    if (filling_) return;
    tryDb([&] {
        if (const auto d =
                Bills::orderDate(prod().db(), cmbVendor_->currentData().toLongLong(), cmbPONo_->currentText()))
            dtpPODate_->setDate(*d);
        grid_->refreshItemCodes();
        refreshBalances();
    });
}

void FrmPurchase::itemChosen(int row, qint64 itemId) {
    tryDb([&] {
        const Bills::Proposal p =
            Bills::propose(prod().db(), cmbVendor_->currentData().toLongLong(), cmbPONo_->currentText(), itemId);
        grid_->setText(row, RateCol, Rows::rateText(p.rate));
        grid_->setText(row, DiscCol, figure(p.discount));
        grid_->setText(row, EdCol, figure(p.excise));
        grid_->setText(row, EdCessCol, figure(p.cessOnED));
        grid_->setText(row, HEdCessCol, figure(p.highCessOnED));
        grid_->setText(row, TaxCol, figure(p.taxes));
        refreshBalances();
    });
    recompute();
}

// The heading puts the editor on the item of the last line (Down adds one), the list then
// holding the order's items, once the vendor and (where it has open orders) the order are chosen.
void FrmPurchase::headingClicked() {
    if (ctl_->state() == RecState::Browse) return;
    Dialogs& d = Dialogs::current();
    if (cmbVendor_->currentIndex() < 0) {
        d.information(appTitle(), QStringLiteral("Please select a Vendor Name ....!!!"));
        cmbVendor_->setFocus();
        return;
    }
    if (ctl_->state() == RecState::Adding && cmbPONo_->currentText().trimmed().isEmpty() && cmbPONo_->count() > 0) {
        d.information(appTitle(), QStringLiteral("Select A Purchase Order from the List!!!"));
        cmbPONo_->setFocus();
        return;
    }
    grid_->refreshItemCodes();
    grid_->beginEdit(std::max(1, grid_->lineCount()), CodeCol);
}

// The order's balance beside each line, the shown bill's own quantity counted as available.
void FrmPurchase::refreshBalances() {
    const QString po = cmbPONo_->currentText().trimmed();
    QStringList codes;
    for (int row = 1; row <= grid_->lineCount(); ++row) codes << grid_->text(row, CodeCol).trimmed();
    const auto items = chain::Lookups::itemsByCode(prod().db(), codes);
    QList<qint64> ids;
    for (const auto& it : items) ids << it.id;
    poLeft_ = po.isEmpty()
                  ? QHash<qint64, double>()
                  : Bills::orderBalances(prod().db(), cmbVendor_->currentData().toLongLong(), po, shownId_, ids);
    for (int row = 1; row <= grid_->lineCount(); ++row) {
        const auto it = items.constFind(codes[row - 1]);
        grid_->setText(row, PoBalCol,
                       po.isEmpty() || it == items.cend() ? QString() : Rows::qtyText(poLeft_.value(it->id)));
    }
}

void FrmPurchase::recompute() {
    if (filling_) return;
    const Bills::Bill b = read();
    const purchase::BillValue::Result v = Bills::value(b, roff_);
    for (int i = 0; i < v.amounts.size(); ++i) grid_->setText(i + 1, AmountCol, v.amounts[i].toString());
    edit("txtTotVal")->setText(b.lines.isEmpty() ? QString() : v.total.toString());
}

void FrmPurchase::cellMoved(int row) {
    if (row < 1 || row > grid_->lineCount()) return;
    const QString code = grid_->text(row, CodeCol).trimmed();
    tryDb([&] {
        QSqlQuery q =
            Sql::exec(prod().db(), QStringLiteral("select MeasureUnit, AltUnit from Item where ItemCode=?"), {code});
        if (!q.next()) return lblUnitGuide_->clear();
        const QString unit = q.value(0).toString().trimmed(), alt = q.value(1).toString().trimmed();
        QString guide = QStringLiteral("ITEM : ") + code + QStringLiteral("    UOM :  ");
        if (alt.isEmpty() || unit.compare(alt, Qt::CaseInsensitive) == 0)
            guide += unit + QStringLiteral(" (Qty && Alt.Qty should be same)");
        else
            guide += alt + QStringLiteral(" (Qty)-->P.O.  /  ") + unit + QStringLiteral(" (Alt.Qty)-->Stock ");
        lblUnitGuide_->setText(guide);
    });
}

// ---------------------------------------------------------------- rules

Check FrmPurchase::validate(bool adding) {
    return Bills::validate(prod().db(), read(), adding, roff_);
}

qint64 FrmPurchase::write(bool adding, qint64) {
    return Bills::save(prod().db(), read(), adding, roff_);
}

Check FrmPurchase::modifyBlock() {
    return Bills::changeBlock(prod().db(), ctl_->currentId(), false);
}

Check FrmPurchase::deleteBlock() {
    return Bills::changeBlock(prod().db(), ctl_->currentId(), true);
}

void FrmPurchase::remove(qint64 id) {
    Bills::remove(prod().db(), id);
}

QString FrmPurchase::confirmText(bool) {
    return {};
}

Found FrmPurchase::find(const QString& text) {
    return Bills::find(prod().db(), text, partyId());
}

bool FrmPurchase::mayModify() {
    const Check r = Bills::clickBlock(prod().db(), ctl_->currentId());
    if (r) Dialogs::current().message(appTitle(), r->text, r->icon);
    return !r;
}

QWidget* FrmPurchase::beforeGrid() {
    return optCST_;
}

QList<QWidget*> FrmPurchase::afterGrid() {
    return {edit("txtPackForwd")};
}

bool FrmPurchase::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick && o == edit("txtTotVal")) {
        recompute();
        return true;
    }
    return DocumentScreen::eventFilter(o, e);
}

}  // namespace kavra
