#include "ui/OrderScreen.h"

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
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/Text.h"
#include "core/chain/Rows.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace OrderEngine = chain::Orders;

namespace {

const QString kHeading = QStringLiteral(
    " Sl.No | Item Code / Part No.              | Item/Comp. Name          |  UOM          |  Qty        | Rate      "
    "  | Discount%   ");

// A double-click on the value box computes it.
class ValueClick : public QObject {
  public:
    ValueClick(QLineEdit* box, std::function<void()> f) : QObject(box), box_(box), f_(std::move(f)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick && box_->isEnabled()) f_();
        return false;
    }

  private:
    QLineEdit* box_;
    std::function<void()> f_;
};

}  // namespace

QString orderValueText(Money m) {
    QString s = m.toString();
    const int sign = s.startsWith(QLatin1Char('-')) ? 1 : 0;
    const int whole = int(s.indexOf(QLatin1Char('.'))) - sign;
    if (whole < 2) s.insert(sign, QString(2 - whole, QLatin1Char('0')));
    return s;
}

OrderScreen::OrderScreen(const QString& screenName, const chain::OrderKind& kind, OrderScreenTexts texts)
    : DocumentScreen(screenName, texts.caption), kind_(kind), texts_(std::move(texts)) {
    heading_ = makeDocHeading(this, texts_.heading);
    const QByteArray partyField = texts_.partyField.toLatin1();
    const Header h = makeHeader(partyField.constData(), texts_.partyCaption, texts_.idCaption, "txtId");
    QGroupBox* box = h.box;
    QGridLayout* g = h.grid;
    headerGrid_ = g;
    txtId_ = h.id;
    partyBox_->setPlaceholderText(texts_.partyPlaceholder);

    rtbAddr_ = new QTextEdit(box);
    rtbAddr_->setObjectName(QStringLiteral("rtbAddr"));
    rtbAddr_->setAcceptRichText(false);
    rtbAddr_->setTabChangesFocus(true);
    rtbAddr_->setFixedHeight(rtbAddr_->fontMetrics().lineSpacing() * 4 + 12);
    addrCaption_ = new QVBoxLayout;
    addrCaption_->addWidget(makeCaption(box, texts_.addressCaption, rtbAddr_));
    g->addLayout(addrCaption_, 1, 0, 3, 1);
    g->addWidget(rtbAddr_, 1, 1, 3, 1);
    txtPOno_ = addField(g, 1, 2, texts_.poCaption, "txtPOno", 50);
    dtpPoDate_ = makeDate(box, "dtpPoDate");
    g->addWidget(makeCaption(box, QStringLiteral("DATE"), dtpPoDate_), 2, 2);
    g->addWidget(dtpPoDate_, 2, 3);
    dtpValidFrom_ = makeDate(box, "dtpValidFrom");
    dtpValidTo_ = makeDate(box, "dtpValidTo");
    auto* valid = new QHBoxLayout;
    valid->addWidget(dtpValidFrom_);
    valid->addWidget(makeCaption(box, texts_.validToCaption, dtpValidTo_));
    valid->addWidget(dtpValidTo_);
    g->addWidget(makeCaption(box, texts_.validCaption, dtpValidFrom_), 3, 2);
    g->addLayout(valid, 3, 3);
    txtCST_ = addField(g, 4, 0, QStringLiteral("CST No && Date"), "txtCST", 60);
    txtTinNo_ = addField(g, 5, 0, texts_.taxCaption, texts_.taxField.toLatin1().constData(), 60);
    if (!texts_.payTermCaption.isEmpty()) txtPayTerm_ = addField(g, 4, 2, texts_.payTermCaption, "txtPayTerm", 100);
    txtVal_ = new QLineEdit(box);
    txtVal_->setObjectName(QStringLiteral("txtVal"));
    txtVal_->setMaxLength(16);
    txtVal_->setToolTip(QStringLiteral("Double Click the box to obtain value from the system"));
    numericOnly(txtVal_);
    txtRem_ = new QLineEdit(box);
    txtRem_->setObjectName(QStringLiteral("txtRem"));
    txtRem_->setMaxLength(200);
    chkReTrkRej_ = new QCheckBox(QStringLiteral("Rejections Re-Tracking with this PO Required"), box);
    chkReTrkRej_->setObjectName(QStringLiteral("chkReTrkRej"));
    imgCancel_ = new QLabel(QStringLiteral("cancelled"), box);
    imgCancel_->setObjectName(QStringLiteral("imgCancel"));
    imgCancel_->setStyleSheet(
        QStringLiteral("color: #c00000; font-size: 18pt; font-weight: bold; border: 3px solid #c00000; padding: 2px;"));
    imgCancel_->hide();
    g->addWidget(imgCancel_, 0, 4, 3, 1, Qt::AlignCenter);

    connect(partyBox_, &QComboBox::activated, this, [this] { customerChosen(); });
    txtVal_->installEventFilter(new ValueClick(txtVal_, [this] { computeValue(); }));
}

void OrderScreen::placeTail(int valueRow, int valueCol, int remRow, int remCol, int chkRow, int chkCol) {
    QWidget* box = headerBox_;
    auto* valCaption = new QVBoxLayout;
    valCaption->addWidget(makeCaption(box, texts_.valueCaption, txtVal_));
    valCaption->addWidget(new QLabel(QStringLiteral("(In  Rs)"), box));
    headerGrid_->addLayout(valCaption, valueRow, valueCol);
    headerGrid_->addWidget(txtVal_, valueRow, valueCol + 1);
    headerGrid_->addWidget(makeCaption(box, QStringLiteral("REMARKS"), txtRem_), remRow, remCol);
    headerGrid_->addWidget(txtRem_, remRow, remCol + 1);
    headerGrid_->addWidget(chkReTrkRej_, chkRow, chkCol, 1, 2);
}

void OrderScreen::finish(const QList<QWidget*>& middle) {
    auto* hints = new QHBoxLayout;
    for (const char* t : {"Press  F10 Key  ---> Cancel PO", "(Press  F5 Key  ---> Add New ITEM)",
                          "Press  F11 Key  ---> Change PO No.", "* Optional Fields"})
        hints->addWidget(new QLabel(QString::fromLatin1(t), this));
    hints->addStretch();

    makeGrid(texts_.gridHeading.isEmpty() ? kHeading : texts_.gridHeading, 6);
    grid_->setNumericColumns({4, 5, 6});
    grid_->setRateDiscountColumns(5, 6);
    grid_->setFirstEditableStoredColumn(4);
    grid_->proposeRateDiscount = [this](qint64 itemId) -> std::optional<QPair<QString, QString>> {
        const auto r = OrderEngine::proposedRate(prod().db(), kind_, itemId);
        if (!r) return std::nullopt;
        return QPair<QString, QString>{chain::Rows::rateText(r->first), text::plain(r->second)};
    };

    auto* search = new QHBoxLayout;
    addSearch(search, this, QStringLiteral("Search PO No."),
              QStringLiteral("Type the P.O. No. here, then press 'Enter' key to search"));
    search->addStretch();
    QPushButton* print =
        addCorresAndPrint(search, this, texts_.printCaption.isEmpty() ? QStringLiteral("&Print") : texts_.printCaption);
    print->setVisible(!texts_.printCaption.isEmpty());

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading_);
    v->addWidget(headerBox_);
    v->addLayout(hints);
    v->addWidget(new QLabel(QStringLiteral("Enter ITEM Particulars Below:"), this));
    v->addWidget(grid_, 1);
    v->addLayout(search);
    v->addWidget(makeStatusLabel(this));
    v->addLayout(makeCommandRow(this));
    resize(1000, 760);

    makeController(texts_.record);
    setNavigationTable(kind_.header, QStringLiteral("POId"));
    QList<QWidget*> tabs{partyBox_, rtbAddr_, txtPOno_, dtpPoDate_, dtpValidFrom_, dtpValidTo_};
    tabs << middle;
    tabs << chkReTrkRej_ << grid_->table() << findChild<QPushButton*>(QStringLiteral("cmdSave"));
    for (int i = 0; i + 1 < tabs.size(); ++i) setTabOrder(tabs[i], tabs[i + 1]);
}

bool OrderScreen::load() {
    return ctl_->open([this] { fillParties(prod().db(), partyBox_, kind_.partyTable, kind_.party, kind_.partyName); });
}

QList<qint64> OrderScreen::navigation() {
    return OrderEngine::ids(prod().db(), kind_);
}

qint64 OrderScreen::proposeId() {
    return OrderEngine::proposedId(prod().db(), kind_);
}

Check OrderScreen::deleteBlock() {
    return OrderEngine::deleteBlock(prod().db(), kind_, ctl_->currentId());
}

void OrderScreen::remove(qint64 id) {
    OrderEngine::remove(prod().db(), kind_, id);
}

Found OrderScreen::find(const QString& text) {
    return OrderEngine::find(prod().db(), kind_, text, partyId());
}

void OrderScreen::showFields(const OrderFields& f) {
    txtId_->setText(QString::number(f.id));
    partyBox_->setCurrentIndex(partyBox_->findData(f.party));
    rtbAddr_->setPlainText(f.address);
    txtCST_->setText(f.cst);
    txtTinNo_->setText(f.tin);
    txtPOno_->setText(f.poNo);
    dtpPoDate_->setDate(f.poDate);
    dtpValidFrom_->setDate(f.validFrom.isValid() ? f.validFrom : f.poDate);
    dtpValidTo_->setDate(f.validTo.isValid() ? f.validTo : f.poDate);
    if (txtPayTerm_) txtPayTerm_->setText(f.payTerm);
    txtRem_->setText(f.remark);
    chkReTrkRej_->setChecked(f.reTrkRej);
    cancelled_ = f.cancelled;
    imgCancel_->setVisible(cancelled_);
    showOrderLines(f.lines);
    partly_ = OrderEngine::partlyProcessed(prod().db(), kind_, f.id);
    grid_->setPartlyProcessed(partly_);
}

void OrderScreen::clearFields(qint64 id) {
    txtId_->setText(QString::number(id));
    partyBox_->setCurrentIndex(-1);
    rtbAddr_->clear();
    for (QLineEdit* e : {txtCST_, txtTinNo_, txtPOno_, txtPayTerm_, txtVal_, txtRem_})
        if (e) e->clear();
    for (QDateEdit* d : {dtpPoDate_, dtpValidFrom_, dtpValidTo_}) d->setDate(Clock::today());
    bool reTrack = false;
    tryDb([&] { reTrack = reTrackByDefault(); });
    chkReTrkRej_->setChecked(reTrack);
    cancelled_ = false;
    partly_ = false;
    imgCancel_->hide();
    grid_->clearLines();
    grid_->setPartlyProcessed(false);
    grid_->refreshItemCodes();
}

OrderFields OrderScreen::readFields() const {
    OrderFields f;
    f.id = txtId_->text().toLongLong();
    f.party = partyId();
    f.address = rtbAddr_->toPlainText();
    f.cst = txtCST_->text();
    f.tin = txtTinNo_->text();
    f.poNo = txtPOno_->text();
    f.poDate = dtpPoDate_->date();
    f.validFrom = dtpValidFrom_->date();
    f.validTo = dtpValidTo_->date();
    f.payTerm = txtPayTerm_ ? txtPayTerm_->text() : QString();
    f.remark = txtRem_->text();
    f.value = Money::parse(txtVal_->text());
    f.reTrkRej = chkReTrkRej_->isChecked();
    f.lines = orderLines();
    return f;
}

bool OrderScreen::partlyProcessed() {
    return ctl_->currentId() != 0 && OrderEngine::partlyProcessed(prod().db(), kind_, ctl_->currentId());
}

QList<QWidget*> OrderScreen::frozenWhenPartly() {
    return {partyBox_, txtPOno_, dtpPoDate_};
}

QWidget* OrderScreen::beforeGrid() {
    return chkReTrkRej_;
}

void OrderScreen::otherKey(int key) {
    if (key == Qt::Key_F10)
        cancelOrRevert(cancelled_,
                       [this](qint64 id, bool cancel) { OrderEngine::setCancelled(prod().db(), kind_, id, cancel); });
    if (key == Qt::Key_F11) changeOrderNumber(kind_);
}

}  // namespace kavra
