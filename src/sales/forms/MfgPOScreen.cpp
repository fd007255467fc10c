#include "sales/forms/MfgPOScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Rows.h"
#include "printing/forms/ShownPrint.h"
#include "sales/SalesKinds.h"
#include "ui/LineGrid.h"
#include "ui/PONoChngScreen.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Orders = sales::Orders;

namespace {

const QString kHeading = QStringLiteral(
    " Sl.No | Item Code / Part No.              | Item/Comp. Name          |  UOM          |  Qty        | Rate      "
    "  | Discount%   ");

// The order value as the box shows it: at least two digits before the point.
QString valueText(Money m) {
    QString s = m.toString();
    const int sign = s.startsWith(QLatin1Char('-')) ? 1 : 0;
    const int whole = int(s.indexOf(QLatin1Char('.'))) - sign;
    if (whole < 2) s.insert(sign, QString(2 - whole, QLatin1Char('0')));
    return s;
}

QString percentText(double v) {
    return v == 0 ? QString() : text::plain(v);
}

// Double-clicks on a box run an action.
class DoubleClick : public QObject {
  public:
    DoubleClick(QObject* parent, std::function<void()> f) : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) f_();
        return false;
    }

  private:
    std::function<void()> f_;
};

}  // namespace

FrmMfgPO::FrmMfgPO() : DocumentScreen(QStringLiteral("frmMfgPO"), QStringLiteral("SALES - Manufacturing")) {
    QLabel* heading = makeDocHeading(this, QStringLiteral("Purchase Order (Incoming)"));

    const Header h = makeHeader("cmbCust", QStringLiteral("FROM CUSTOMER"), QStringLiteral("PO Id"), "txtId");
    QGroupBox* box = h.box;
    QGridLayout* g = h.grid;
    txtId_ = h.id;
    partyBox_->setPlaceholderText(QStringLiteral("(Select a Customer)"));

    rtbAddr_ = new QTextEdit(box);
    rtbAddr_->setObjectName(QStringLiteral("rtbAddr"));
    rtbAddr_->setAcceptRichText(false);
    rtbAddr_->setTabChangesFocus(true);
    rtbAddr_->setFixedHeight(rtbAddr_->fontMetrics().lineSpacing() * 4 + 12);
    auto* addrCaption = new QVBoxLayout;
    addrCaption->addWidget(makeCaption(box, QStringLiteral("CUSTOMER    ADDRESS"), rtbAddr_));
    addrCaption->addWidget(new QLabel(QStringLiteral("SHIP  TO"), box));
    g->addLayout(addrCaption, 1, 0, 3, 1);
    g->addWidget(rtbAddr_, 1, 1, 3, 1);
    txtPOno_ = addField(g, 1, 2, QStringLiteral("Customer PO  NO."), "txtPOno", 50);
    dtpPoDate_ = makeDate(box, "dtpPoDate");
    g->addWidget(makeCaption(box, QStringLiteral("DATE"), dtpPoDate_), 2, 2);
    g->addWidget(dtpPoDate_, 2, 3);
    dtpValidFrom_ = makeDate(box, "dtpValidFrom");
    dtpValidTo_ = makeDate(box, "dtpValidTo");
    auto* valid = new QHBoxLayout;
    valid->addWidget(dtpValidFrom_);
    valid->addWidget(makeCaption(box, QStringLiteral("* TO"), dtpValidTo_));
    valid->addWidget(dtpValidTo_);
    g->addWidget(makeCaption(box, QStringLiteral("VALID     *  FROM"), dtpValidFrom_), 3, 2);
    g->addLayout(valid, 3, 3);

    txtCST_ = addField(g, 4, 0, QStringLiteral("CST No && Date"), "txtCST", 60);
    txtTinNo_ = addField(g, 5, 0, QStringLiteral("TIN No && Date"), "txtTinNo", 60);
    for (QLineEdit* e : {txtCST_, txtTinNo_}) showOnly(e);
    txtPayTerm_ = addField(g, 4, 2, QStringLiteral("PAYMENT TERMS"), "txtPayTerm", 100);
    txtTINperc_ = new QLineEdit(box);
    txtTINperc_->setObjectName(QStringLiteral("txtTINperc"));
    txtCSTperc_ = new QLineEdit(box);
    txtCSTperc_->setObjectName(QStringLiteral("txtCSTperc"));
    auto* taxes = new QHBoxLayout;
    taxes->addWidget(txtTINperc_);
    taxes->addWidget(makeCaption(box, QStringLiteral("CST %"), txtCSTperc_));
    taxes->addWidget(txtCSTperc_);
    g->addWidget(makeCaption(box, QStringLiteral("VAT %"), txtTINperc_), 5, 2);
    g->addLayout(taxes, 5, 3);

    txtPackForwd_ = new QLineEdit(box);
    txtPackForwd_->setObjectName(QStringLiteral("txtPackForwd"));
    cmbPackForwdType_ = new QComboBox(box);
    cmbPackForwdType_->setObjectName(QStringLiteral("cmbPackForwdType"));
    cmbPackForwdType_->addItems({QStringLiteral("Amount"), QStringLiteral("Percentage")});
    auto* pack = new QHBoxLayout;
    pack->addWidget(txtPackForwd_);
    pack->addWidget(cmbPackForwdType_);
    g->addWidget(makeCaption(box, QStringLiteral("PACKING &  FORWARDING"), txtPackForwd_), 6, 0);
    g->addLayout(pack, 6, 1);
    txtOtherChrg_ = addField(g, 6, 2, QStringLiteral("OTHER CHARGES"), "txtOtherChrg", 14);

    txtVal_ = new QLineEdit(box);
    txtVal_->setObjectName(QStringLiteral("txtVal"));
    txtVal_->setMaxLength(16);
    txtVal_->setToolTip(QStringLiteral("Double Click the box to obtain value from the system"));
    auto* valCaption = new QVBoxLayout;
    valCaption->addWidget(makeCaption(box, QStringLiteral("P.O. VALUE  (inclusive of Taxes)"), txtVal_));
    valCaption->addWidget(new QLabel(QStringLiteral("(In  Rs)"), box));
    g->addLayout(valCaption, 7, 0);
    g->addWidget(txtVal_, 7, 1);
    txtRem_ = addField(g, 7, 2, QStringLiteral("REMARKS"), "txtRem", 200);

    txtProfInvno_ = new QLineEdit(box);
    txtProfInvno_->setObjectName(QStringLiteral("txtProfInvno"));
    txtProfInvno_->setMaxLength(20);
    dtpProfInvDate_ = makeDate(box, "dtpProfInvDate");
    cmdProfInvGenerate_ = makeButton(box, "cmdProfInvGenerate", QStringLiteral("&Generate"));
    auto* prof = new QHBoxLayout;
    prof->addWidget(txtProfInvno_);
    prof->addWidget(dtpProfInvDate_);
    prof->addWidget(cmdProfInvGenerate_);
    g->addWidget(makeCaption(box, QStringLiteral("Prof.Inv.  NO."), txtProfInvno_), 8, 0);
    g->addLayout(prof, 8, 1);
    chkReTrkRej_ = new QCheckBox(QStringLiteral("Rejections Re-Tracking with this PO Required"), box);
    chkReTrkRej_->setObjectName(QStringLiteral("chkReTrkRej"));
    g->addWidget(chkReTrkRej_, 8, 2, 1, 2);
    imgCancel_ = new QLabel(QStringLiteral("cancelled"), box);
    imgCancel_->setObjectName(QStringLiteral("imgCancel"));
    imgCancel_->setStyleSheet(
        QStringLiteral("color: #c00000; font-size: 18pt; font-weight: bold; border: 3px solid #c00000; padding: 2px;"));
    imgCancel_->hide();
    g->addWidget(imgCancel_, 0, 4, 3, 1, Qt::AlignCenter);
    for (QLineEdit* e : {txtTINperc_, txtCSTperc_, txtPackForwd_, txtOtherChrg_, txtVal_}) numericOnly(e);
    for (QLineEdit* e : {txtTINperc_, txtCSTperc_}) e->setMaxLength(6);
    txtPackForwd_->setMaxLength(14);

    auto* hints = new QHBoxLayout;
    for (const char* h : {"Press  F10 Key  ---> Cancel PO", "(Press  F5 Key  ---> Add New ITEM)",
                          "Press  F11 Key  ---> Change PO No.", "* Optional Fields"})
        hints->addWidget(new QLabel(QString::fromLatin1(h), this));
    hints->addStretch();

    makeGrid(kHeading, 6);
    grid_->setNumericColumns({4, 5, 6});
    grid_->setRateDiscountColumns(5, 6);
    grid_->setFirstEditableStoredColumn(4);
    grid_->proposeRateDiscount = [this](qint64 itemId) -> std::optional<QPair<QString, QString>> {
        const auto r = Orders::proposedRate(prod().db(), itemId);
        if (!r) return std::nullopt;
        return QPair<QString, QString>{chain::Rows::rateText(r->first), text::plain(r->second)};
    };

    auto* search = new QHBoxLayout;
    addSearch(search, this, QStringLiteral("Search PO No."),
              QStringLiteral("Type the P.O. No. here, then press 'Enter' key to search"));
    search->addStretch();
    addCorresAndPrint(search, this, QStringLiteral("&Prof. Inv."));

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(box);
    v->addLayout(hints);
    v->addWidget(new QLabel(QStringLiteral("Enter ITEM Particulars Below:"), this));
    v->addWidget(grid_, 1);
    v->addLayout(search);
    v->addWidget(makeStatusLabel(this));
    v->addLayout(makeCommandRow(this));
    resize(1000, 760);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW P.O. Now...");
    t.modifying = QStringLiteral("You are about to MODIFY the existing P.O. now...");
    t.deleting = QStringLiteral("You are about to DELETE the existing P.O. now...");
    t.emptyTable = QStringLiteral("No records to Display !");
    makeController(t);
    setNavigationTable(QStringLiteral("MfgPO"), QStringLiteral("POId"));

    tabChain({partyBox_,
              rtbAddr_,
              txtPOno_,
              dtpPoDate_,
              dtpValidFrom_,
              dtpValidTo_,
              txtPayTerm_,
              txtTINperc_,
              txtCSTperc_,
              txtPackForwd_,
              cmbPackForwdType_,
              txtOtherChrg_,
              txtVal_,
              txtRem_,
              txtProfInvno_,
              dtpProfInvDate_,
              cmdProfInvGenerate_,
              chkReTrkRej_,
              grid_->table(),
              findChild<QPushButton*>(QStringLiteral("cmdSave"))});

    connect(partyBox_, &QComboBox::activated, this, [this] { customerChosen(); });
    txtVal_->installEventFilter(new DoubleClick(txtVal_, [this] {
        if (txtVal_->isEnabled()) computeValue();
    }));
    connect(cmdProfInvGenerate_, &QPushButton::clicked, this, [this] {
        try {
            txtProfInvno_->setText(Orders::nextProformaNo(prod().db()));
        } catch (const DbError& e) {
            logFailure(e);
        }
    });
}

bool FrmMfgPO::load() {
    return ctl_->open([this] {
        fillParties(prod().db(), partyBox_, QStringLiteral("Customer"), QStringLiteral("CustId"),
                    QStringLiteral("CustName"));
    });
}

QList<qint64> FrmMfgPO::navigation() {
    return Orders::ids(prod().db());
}

qint64 FrmMfgPO::proposeId() {
    return Orders::proposedId(prod().db());
}

void FrmMfgPO::showCustomerNumbers(qint64 custId) {
    QSqlQuery q =
        Sql::exec(prod().db(), QStringLiteral("select CSTNo, VATRegNo from Customer where CustId=?"), {custId});
    const bool found = q.next();
    txtCST_->setText(found ? q.value(0).toString().trimmed() : QString());
    txtTinNo_->setText(found ? q.value(1).toString().trimmed() : QString());
}

void FrmMfgPO::showRecord(qint64 id) {
    const auto o = Orders::load(prod().db(), id);
    if (!o) return;
    txtId_->setText(QString::number(o->id));
    partyBox_->setCurrentIndex(partyBox_->findData(o->custId));
    showCustomerNumbers(o->custId);
    rtbAddr_->setPlainText(o->address);
    txtPOno_->setText(o->poNo);
    dtpPoDate_->setDate(o->poDate);
    dtpValidFrom_->setDate(o->validFrom.isValid() ? o->validFrom : o->poDate);
    dtpValidTo_->setDate(o->validTo.isValid() ? o->validTo : o->poDate);
    txtPayTerm_->setText(o->payTerm);
    txtRem_->setText(o->remark);
    txtTINperc_->setText(percentText(o->tinPerc));
    txtCSTperc_->setText(percentText(o->cstPerc));
    txtPackForwd_->setText(o->packForwd == 0 ? QString() : text::plain(o->packForwd));
    cmbPackForwdType_->setCurrentIndex(o->packIsPerc ? 1 : 0);
    txtOtherChrg_->setText(o->otherChrg == 0 ? QString() : Money::fromRupees(o->otherChrg).toString());
    txtVal_->setText(valueText(o->value));
    txtProfInvno_->setText(o->profInvNo);
    dtpProfInvDate_->setDate(o->profInvDate.isValid() ? o->profInvDate : Clock::today());
    chkReTrkRej_->setChecked(o->reTrkRej);
    cancelled_ = o->cancelled;
    imgCancel_->setVisible(cancelled_);
    grid_->clearLines();
    for (const Orders::Line& l : o->lines)
        grid_->addLine({l.itemCode, l.itemName, l.uom, text::plain(l.qty), chain::Rows::rateText(l.rate),
                        text::plain(l.discount)});
    grid_->setStoredLineCount(int(o->lines.size()));
    partly_ = Orders::partlyProcessed(prod().db(), id);
    grid_->setPartlyProcessed(partly_);
}

bool FrmMfgPO::partlyProcessed() {
    return ctl_->currentId() != 0 && Orders::partlyProcessed(prod().db(), ctl_->currentId());
}

QList<QWidget*> FrmMfgPO::frozenWhenPartly() {
    return {partyBox_, txtPOno_, dtpPoDate_};
}

QWidget* FrmMfgPO::beforeGrid() {
    return chkReTrkRej_;
}

void FrmMfgPO::clearForNew(qint64 id) {
    txtId_->setText(QString::number(id));
    partyBox_->setCurrentIndex(-1);
    rtbAddr_->clear();
    for (QLineEdit* e : {txtCST_, txtTinNo_, txtPOno_, txtPayTerm_, txtTINperc_, txtCSTperc_, txtPackForwd_,
                         txtOtherChrg_, txtVal_, txtRem_, txtProfInvno_})
        e->clear();
    for (QDateEdit* d : {dtpPoDate_, dtpValidFrom_, dtpValidTo_, dtpProfInvDate_}) d->setDate(Clock::today());
    cmbPackForwdType_->setCurrentIndex(0);
    bool reTrack = false;
    try {
        reTrack = Orders::reTrackByDefault(prod().db());
    } catch (const DbError& e) {
        logFailure(e);
    }
    chkReTrkRej_->setChecked(reTrack);
    cancelled_ = false;
    partly_ = false;
    imgCancel_->hide();
    grid_->clearLines();
    grid_->setPartlyProcessed(false);
    grid_->refreshItemCodes();
}

Orders::Order FrmMfgPO::read() const {
    Orders::Order o;
    o.id = txtId_->text().toLongLong();
    o.custId = partyBox_->currentIndex() >= 0 ? partyBox_->currentData().toLongLong() : 0;
    o.address = rtbAddr_->toPlainText();
    o.poNo = txtPOno_->text();
    o.poDate = dtpPoDate_->date();
    o.validFrom = dtpValidFrom_->date();
    o.validTo = dtpValidTo_->date();
    o.payTerm = txtPayTerm_->text();
    o.remark = txtRem_->text();
    o.tinPerc = text::typed(txtTINperc_->text());
    o.cstPerc = text::typed(txtCSTperc_->text());
    o.packForwd = text::typed(txtPackForwd_->text());
    o.packIsPerc = cmbPackForwdType_->currentIndex() == 1;
    o.otherChrg = text::typed(txtOtherChrg_->text());
    o.value = Money::parse(txtVal_->text());
    o.profInvNo = txtProfInvno_->text();
    o.profInvDate = dtpProfInvDate_->date();
    o.reTrkRej = chkReTrkRej_->isChecked();
    const int n = usedLines();
    for (int r = 1; r <= n; ++r) {
        Orders::Line l;
        l.slNo = r;
        l.itemCode = grid_->text(r, 1).trimmed();
        l.itemName = grid_->text(r, 2).trimmed();
        l.uom = grid_->text(r, 3).trimmed();
        l.qty = text::typed(grid_->text(r, 4));
        l.rate = text::typed(grid_->text(r, 5));
        l.discount = text::typed(grid_->text(r, 6));
        o.lines << l;
    }
    return o;
}

Check FrmMfgPO::validate(bool adding) {
    return Orders::validate(prod().db(), read(), adding);
}

qint64 FrmMfgPO::write(bool adding, qint64 id) {
    Orders::Order o = read();
    o.id = id;
    return Orders::save(prod().db(), o, adding);
}

Check FrmMfgPO::deleteBlock() {
    return Orders::deleteBlock(prod().db(), ctl_->currentId());
}

void FrmMfgPO::remove(qint64 id) {
    Orders::remove(prod().db(), id);
}

Found FrmMfgPO::find(const QString& text) {
    return Orders::find(prod().db(), text, partyId());
}

void FrmMfgPO::customerChosen() {
    if (partyBox_->currentIndex() < 0) return;
    const qint64 cust = partyBox_->currentData().toLongLong();
    try {
        txtTINperc_->clear();
        txtCSTperc_->clear();
        const auto taxes = Orders::lastTaxes(prod().db(), cust);
        if (taxes.first != 0)
            txtTINperc_->setText(text::plain(taxes.first));
        else if (taxes.second != 0)
            txtCSTperc_->setText(text::plain(taxes.second));
        rtbAddr_->setPlainText(
            Sql::scalar(prod().db(), QStringLiteral("select CustAddr from Customer where CustId=?"), {cust})
                .toString()
                .trimmed());
        showCustomerNumbers(cust);
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmMfgPO::computeValue() {
    txtVal_->setText(valueText(Orders::computedValue(read())));
}

void FrmMfgPO::cancelOrRevert() {
    const qint64 id = ctl_->currentId();
    if (id == 0 || ctl_->state() == RecState::Adding) return;
    Dialogs& d = Dialogs::current();
    const bool cancel = !cancelled_;
    if (!d.ask(appTitle(), cancel ? QStringLiteral("Are You sure to Cancel this Purchase Order?")
                                  : QStringLiteral("Are You sure to Revert this Cancelled Purchase Order?")))
        return;
    try {
        Orders::setCancelled(prod().db(), id, cancel);
    } catch (const DbError& e) {
        logFailure(e);
        return;
    }
    ctl_->showId(id);
}

void FrmMfgPO::changeNumber() {
    auto* cmdModify = findChild<QPushButton*>(QStringLiteral("cmdModify"));
    const qint64 id = ctl_->currentId();
    if (id == 0 || !cmdModify || !cmdModify->isEnabled()) return;
    auto* side = new FrmPONoChng(sales::orderKind(), id);
    if (!openSide(side)) return;
    // The shown order and its number are read again once the change screen closes.
    connect(side, &QObject::destroyed, this, [this, id] { ctl_->showId(id); });
}

void FrmMfgPO::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Orders::proforma(prod().db(), id); },
        Print::Document{QStringLiteral("ProfInvMfg"), QString()});
}

void FrmMfgPO::otherKey(int key) {
    if (key == Qt::Key_F10) cancelOrRevert();
    if (key == Qt::Key_F11) changeNumber();
}

}  // namespace kavra
