#include "sales/forms/DCScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Lookups.h"
#include "printing/forms/ShownPrint.h"
#include "ui/Grid.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Dcs = sales::Dcs;
namespace Lookups = chain::Lookups;

namespace {

const QString kHeading = QStringLiteral(
    " SlNo |Item Code / Part No.        | Particulars                                  |     Qty        |Remarks     "
    "|Stk.Qty  | PO Bal.Qty   ");
constexpr int kCode = 1, kParticulars = 2, kQty = 3, kRemark = 4, kStock = 5, kPoBal = 6;

QComboBox* listOfEarlier(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setMaxLength(50);
    return c;
}

}  // namespace

FrmDC::FrmDC() : DocumentScreen(QStringLiteral("frmDC"), QStringLiteral("SALES - Manufacturing")) {
    QLabel* heading = makeDocHeading(this, QStringLiteral("Delivery Challan"));

    const Header h = makeHeader("cmbCust", QStringLiteral("TO CUSTOMER"), QStringLiteral("DcId"), "txtDcInvID");
    QGroupBox* box = h.box;
    QGridLayout* g = h.grid;
    txtDcInvID_ = h.id;
    partyBox_->setPlaceholderText(QStringLiteral("(Select a Customer)"));

    cmbPONo_ = new QComboBox(box);
    cmbPONo_->setObjectName(QStringLiteral("cmbPONo"));
    dtpPOdate_ = makeDate(box, "dtpPOdate");
    dtpPOdate_->setReadOnly(true);
    dtpPOdate_->setFocusPolicy(Qt::NoFocus);
    auto* po = new QHBoxLayout;
    po->addWidget(cmbPONo_, 1);
    po->addWidget(dtpPOdate_);
    g->addWidget(makeCaption(box, QStringLiteral("Customer P.O. NO."), cmbPONo_), 1, 0);
    g->addLayout(po, 1, 1);
    txtDCNo_ = addField(g, 1, 2, QStringLiteral("DC NO."), "txtDCNo", 20);

    cmbTransport_ = listOfEarlier(box, "cmbTransport");
    g->addWidget(makeCaption(box, QStringLiteral("MODE OF TRANSPORT"), cmbTransport_), 2, 0);
    g->addWidget(cmbTransport_, 2, 1);
    dtpDCDate_ = makeDate(box, "dtpDCDate");
    g->addWidget(makeCaption(box, QStringLiteral("DATE"), dtpDCDate_), 2, 2);
    g->addWidget(dtpDCDate_, 2, 3);

    cmbVehicleNo_ = listOfEarlier(box, "cmbVehicleNo");
    g->addWidget(makeCaption(box, QStringLiteral("VEHICLE  NUMBER"), cmbVehicleNo_), 3, 0);
    g->addWidget(cmbVehicleNo_, 3, 1);
    cmbTransFrom_ = listOfEarlier(box, "cmbTransFrom");
    cmbTransTo_ = listOfEarlier(box, "cmbTransTo");
    auto* places = new QHBoxLayout;
    places->addWidget(cmbTransFrom_, 1);
    places->addWidget(makeCaption(box, QStringLiteral("TO"), cmbTransTo_));
    places->addWidget(cmbTransTo_, 1);
    g->addWidget(makeCaption(box, QStringLiteral("FROM"), cmbTransFrom_), 3, 2);
    g->addLayout(places, 3, 3);

    cmbDeliveryPurpose_ = listOfEarlier(box, "cmbDeliveryPurpose");
    g->addWidget(makeCaption(box, QStringLiteral("* Purpose of Delivery:"), cmbDeliveryPurpose_), 4, 0);
    g->addWidget(cmbDeliveryPurpose_, 4, 1);
    txtRem_ = addField(g, 4, 2, QStringLiteral("* NOTE:  (REMARKS)"), "txtRem", 200);
    chkDCSigned_ = new QCheckBox(QStringLiteral("Signed and Returned"), box);
    chkDCSigned_->setObjectName(QStringLiteral("chkDCSigned"));
    g->addWidget(chkDCSigned_, 5, 1);
    auto* lblMoreDet = makeLinkLabel(box, "lblMoreDet");
    lblMoreDet->setText(QStringLiteral("Click me  for  Details"));
    lblMoreDet->installEventFilter(this);
    g->addWidget(lblMoreDet, 5, 3, Qt::AlignRight);

    auto* lblRemHelp =
        new QLabel(QStringLiteral("Type 'NV' in Remarks for the Particulars having No invoice Value"), this);
    lblRemHelp->setObjectName(QStringLiteral("lblRemHelp"));
    lblUnitGuide_ = new QLabel(this);
    lblUnitGuide_->setObjectName(QStringLiteral("lblUnitGuide"));
    auto* guides = new QHBoxLayout;
    guides->addWidget(lblUnitGuide_);
    guides->addStretch();
    guides->addWidget(lblRemHelp);

    makeGrid(kHeading, 4);
    grid_->setItemColumns(kCode, kParticulars, -1);
    grid_->setNumericColumns({kQty, kStock, kPoBal});
    const auto allCodes = grid_->itemCodes;
    grid_->itemCodes = [this, allCodes] { return orderCodes_ ? *orderCodes_ : allCodes(); };
    grid_->itemByCode = [this](const QString& code) -> std::optional<ItemInfo> {
        const auto items = Lookups::itemsByCode(prod().db(), {code});
        if (items.isEmpty()) return std::nullopt;
        const chain::ItemRef& it = *items.cbegin();
        // The particulars column takes the text last used for the item.
        return ItemInfo{it.id, Lookups::proposedParticulars(prod().db(), it.id), it.unit};
    };
    lstProduct_ = new QListWidget(this);
    lstProduct_->setObjectName(QStringLiteral("lstProduct"));
    lstProduct_->setMaximumHeight(90);
    lstProduct_->hide();
    lstPicker_ = new QListWidget(this);
    lstPicker_->setObjectName(QStringLiteral("lstPicker"));
    lstPicker_->setSelectionMode(QAbstractItemView::MultiSelection);
    lstPicker_->setToolTip(QStringLiteral("Select the items with Space, then press 'Enter' key"));
    lstPicker_->hide();
    lstPicker_->installEventFilter(this);
    keepOwnEnter(lstPicker_);  // Enter takes the chosen items

    auto* side = new QHBoxLayout;
    for (const auto& [name, caption] :
         {std::pair{"lblRejRework", "Rejections"}, std::pair{"lblForm39", "Form VAT 515"}}) {
        auto* l = makeLinkLabel(this, name);
        l->setText(QString::fromLatin1(caption));
        l->installEventFilter(this);
        side->addWidget(l);
    }
    side->addStretch();
    addSearch(side, this, QStringLiteral("Search DC No."),
              QStringLiteral("Type the DC No. here, then press 'Enter' key to search"));
    addCorresAndPrint(side, this, QStringLiteral("&Printer"));

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(box);
    v->addLayout(guides);
    v->addWidget(grid_, 1);
    v->addWidget(lstProduct_);
    v->addLayout(side);
    v->addWidget(makeStatusLabel(this));
    v->addLayout(makeCommandRow(this));
    resize(1000, 720);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW DC Now...");
    t.modifying = QStringLiteral("You are about to MODIFY the existing DC Now...");
    t.deleting = QStringLiteral("You are about to DELETE the existing DC now...");
    t.emptyTable = QStringLiteral("No records to Display.");
    makeController(t);
    setNavigationTable(QStringLiteral("DcInv"), QStringLiteral("DcInvId"));
    tabChain({partyBox_, cmbPONo_, txtDCNo_, dtpDCDate_, cmbTransport_, cmbVehicleNo_, cmbTransFrom_, cmbTransTo_,
              cmbDeliveryPurpose_, txtRem_, chkDCSigned_, grid_->table(),
              findChild<QPushButton*>(QStringLiteral("cmdSave"))});

    connect(partyBox_, &QComboBox::activated, this, [this] { customerChosen(); });
    // Orders saved meanwhile at another desk are offered as soon as the list is opened.
    cmbPONo_->installEventFilter(this);
    connect(cmbPONo_, &QComboBox::activated, this, [this] { orderChosen(); });
    connect(grid_, &LineGrid::itemChosen, this, [this](int row, qint64) { refreshFigures({row}); });
    connect(grid_, &LineGrid::cellCommitted, this, [this](int row, int col) {
        if (col == kCode) refreshFigures({row});
    });
    grid_->cellLimit = [this](int row, int col, const QString& typed) {
        return col == kQty ? qtyRefusal(row, typed) : QString();
    };
    connect(grid_, &LineGrid::headingClicked, this, [this](int) { headingClicked(); });
    connect(grid_->table(), &QTableWidget::currentCellChanged, this,
            [this](int row, int col) { cellMoved(row + 1, col); });
    connect(grid_->editor(), &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (grid_->editColumn() != kParticulars || !lstProduct_->isVisible() || typed.isEmpty()) return;
        for (int i = 0; i < lstProduct_->count(); ++i)
            if (lstProduct_->item(i)->text().startsWith(typed, Qt::CaseInsensitive)) {
                lstProduct_->setCurrentRow(i);
                return;
            }
        lstProduct_->setCurrentRow(-1);
    });
    // Seen before the grid's own keys: Enter on a particulars text the list completes takes the list's text.
    grid_->editor()->installEventFilter(this);
    connect(lstProduct_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        if (grid_->isEditing() && grid_->editColumn() == kParticulars)
            grid_->setText(grid_->editRow(), kParticulars, it->text());
    });
    connect(lstPicker_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        lstPicker_->clearSelection();
        it->setSelected(true);
        takePicked();
    });
    connect(ctl_, &RecordController::stateChanged, this, [this](RecState s) {
        // Shown figures are those of the state: a modified DC's own quantities count as available.
        if (s != RecState::Adding) refreshAllFigures();
    });
}

bool FrmDC::load() {
    return ctl_->open([this] {
        fillParties(prod().db(), partyBox_, QStringLiteral("Customer"), QStringLiteral("CustId"),
                    QStringLiteral("CustName"));
        fillEarlierLists();
    });
}

void FrmDC::fillEarlierLists() {
    const Dcs::EarlierTexts t = Dcs::earlierTexts(prod().db());
    const std::pair<QComboBox*, const QStringList*> lists[] = {{cmbTransport_, &t.transport},
                                                               {cmbVehicleNo_, &t.vehicleNo},
                                                               {cmbTransFrom_, &t.transFrom},
                                                               {cmbTransTo_, &t.transTo},
                                                               {cmbDeliveryPurpose_, &t.deliveryPurpose}};
    for (const auto& [c, texts] : lists) {
        const QString keep = c->currentText();
        c->clear();
        c->addItems(*texts);
        c->setEditText(keep);
    }
}

QList<qint64> FrmDC::navigation() {
    return Dcs::ids(prod().db());
}

qint64 FrmDC::proposeId() {
    return Dcs::proposedId(prod().db());
}

QString FrmDC::orderNo() const {
    return cmbPONo_->currentIndex() >= 0 ? cmbPONo_->currentText().trimmed() : QString();
}

Dcs::Context FrmDC::context() const {
    // While a stored DC is modified its own quantities count as available.
    const bool modifying = ctl_->state() == RecState::Modifying && ctl_->currentId() != 0;
    return Dcs::Context{partyId(), orderNo(), modifying ? stored_ : std::nullopt};
}

void FrmDC::fillOrders(qint64 custId, const QString& keep) {
    cmbPONo_->clear();
    if (custId != 0) cmbPONo_->addItems(Dcs::openOrders(prod().db(), custId));
    if (!keep.isEmpty() && cmbPONo_->findText(keep) < 0) cmbPONo_->addItem(keep);  // a stored DC's order, now closed
    cmbPONo_->setCurrentIndex(keep.isEmpty() ? -1 : cmbPONo_->findText(keep));
}

void FrmDC::useOrderItems(bool tellWhenClosed) {
    orderCodes_.reset();
    const QString po = orderNo();
    if (!po.isEmpty()) {
        orderCodes_ = Dcs::openOrderItemCodes(prod().db(), partyId(), po);
        if (!orderCodes_ && tellWhenClosed)
            Dialogs::current().exclamation(appTitle(),
                                           QStringLiteral("check 'Customer P.O. NO' i.e Purchase order ..."));
    }
    grid_->refreshItemCodes();
}

void FrmDC::showRecord(qint64 id) {
    stored_ = Dcs::load(prod().db(), id);
    if (!stored_) return;
    const Dcs::Dc& d = *stored_;
    txtDcInvID_->setText(QString::number(d.id));
    partyBox_->setCurrentIndex(partyBox_->findData(d.custId));
    fillOrders(d.custId, d.poNo);
    dtpPOdate_->setDate(d.poDate.isValid() ? d.poDate : d.dcDate);
    txtDCNo_->setText(d.dcNo);
    dtpDCDate_->setDate(d.dcDate);
    cmbTransport_->setEditText(d.transport);
    cmbVehicleNo_->setEditText(d.vehicleNo);
    cmbTransFrom_->setEditText(d.transFrom);
    cmbTransTo_->setEditText(d.transTo);
    cmbDeliveryPurpose_->setEditText(d.deliveryPurpose);
    txtRem_->setText(d.remark);
    chkDCSigned_->setChecked(d.signedReturned);
    lstPicker_->hide();
    lstProduct_->hide();
    grid_->clearLines();
    for (const Dcs::Line& l : d.lines) grid_->addLine({l.itemCode, l.particulars, text::plain(l.qty), l.remark});
    grid_->setStoredLineCount(int(d.lines.size()));
    useOrderItems(false);
}

void FrmDC::clearForNew(qint64 id) {
    stored_.reset();
    txtDcInvID_->setText(QString::number(id));
    partyBox_->setCurrentIndex(-1);
    cmbPONo_->clear();
    for (QDateEdit* d : {dtpPOdate_, dtpDCDate_}) d->setDate(Clock::today());
    try {
        fillEarlierLists();
        txtDCNo_->setText(QString::number(prod().NextDcNumber(QStringLiteral("DCINV"))));
    } catch (const DbError& e) {
        logFailure(e);
    }
    for (QComboBox* c : {cmbTransport_, cmbVehicleNo_, cmbTransFrom_, cmbTransTo_, cmbDeliveryPurpose_})
        c->setEditText(QString());
    txtRem_->clear();
    chkDCSigned_->setChecked(false);
    lstPicker_->hide();
    lstProduct_->hide();
    lblUnitGuide_->clear();
    grid_->clearLines();
    orderCodes_.reset();
    grid_->refreshItemCodes();
}

Dcs::Dc FrmDC::read() const {
    Dcs::Dc d;
    d.id = txtDcInvID_->text().toLongLong();
    d.custId = partyId();
    d.dcNo = txtDCNo_->text().trimmed();
    d.dcDate = dtpDCDate_->date();
    d.poNo = orderNo();
    d.poDate = dtpPOdate_->date();
    d.transport = cmbTransport_->currentText().trimmed();
    d.vehicleNo = cmbVehicleNo_->currentText().trimmed();
    d.transFrom = cmbTransFrom_->currentText().trimmed();
    d.transTo = cmbTransTo_->currentText().trimmed();
    d.deliveryPurpose = cmbDeliveryPurpose_->currentText().trimmed();
    d.remark = txtRem_->text().trimmed();
    d.signedReturned = chkDCSigned_->isChecked();
    const int n = usedLines();
    for (int r = 1; r <= n; ++r)
        d.lines << Dcs::Line{grid_->text(r, kCode).trimmed(),
                             grid_->text(r, kParticulars).trimmed(),
                             text::typed(grid_->text(r, kQty)),
                             grid_->text(r, kRemark).trimmed(),
                             {}};
    return d;
}

Check FrmDC::validate(bool adding) {
    return Dcs::validate(prod().db(), read(), adding, Dcs::reducesStock(prod().db()), prod().session().dcMode);
}

void FrmDC::showStockNotice(qint64 id) {
    // Said before anything is written, so no lock is held while the message waits.
    if (const auto stored = Dcs::load(prod().db(), id))
        if (const auto notice = Dcs::stockNotice(*stored)) Dialogs::current().information(appTitle(), *notice);
}

qint64 FrmDC::write(bool adding, qint64 id) {
    if (!adding) showStockNotice(id);
    Dcs::Dc d = read();
    d.id = id;
    return Dcs::save(prod().db(), d, adding, Dcs::reducesStock(prod().db()), prod().session().dcMode);
}

Check FrmDC::modifyBlock() {
    return Dcs::changeBlock(prod().db(), ctl_->currentId(), false);
}

Check FrmDC::deleteBlock() {
    return Dcs::changeBlock(prod().db(), ctl_->currentId(), true);
}

bool FrmDC::mayModify() {
    const Check r = Dcs::clickBlock(prod().db(), ctl_->currentId());
    if (r) Dialogs::current().message(appTitle(), r->text, r->icon);
    return !r;
}

QWidget* FrmDC::beforeGrid() {
    return chkDCSigned_;
}

void FrmDC::remove(qint64 id) {
    showStockNotice(id);
    Dcs::remove(prod().db(), id);
}

QString FrmDC::confirmText(bool adding) {
    if (adding) return {};
    try {
        if (const auto stored = Dcs::load(prod().db(), ctl_->currentId())) return Dcs::modifyQuestion(*stored);
    } catch (const DbError& e) {
        logFailure(e);
    }
    return {};
}

Found FrmDC::find(const QString& text) {
    return Dcs::find(prod().db(), text);
}

void FrmDC::refreshLists() {
    fillEarlierLists();
}

void FrmDC::customerChosen() {
    try {
        fillOrders(partyId(), QString());
        dtpPOdate_->setDate(dtpDCDate_->date());
        useOrderItems(false);
        refreshAllFigures();
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmDC::orderChosen() {
    try {
        if (const auto d = Dcs::orderDate(prod().db(), partyId(), orderNo())) dtpPOdate_->setDate(*d);
        useOrderItems(true);
        refreshAllFigures();
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmDC::refreshFigures(const QList<int>& rows) {
    tryDb([&] {
        QStringList codes;
        for (int r : rows) codes << grid_->text(r, kCode).trimmed();
        const QHash<QString, chain::ItemRef> items = Lookups::itemsByCode(prod().db(), codes);
        QList<qint64> ids;
        for (const chain::ItemRef& it : items) ids << it.id;
        const QHash<qint64, Dcs::Figures> f = Dcs::figures(prod().db(), context(), ids);
        for (int r : rows) {
            if (r < 1 || r > grid_->lineCount()) continue;
            const auto it = items.constFind(grid_->text(r, kCode).trimmed());
            if (it == items.cend()) {
                grid_->setText(r, kStock, QString());
                grid_->setText(r, kPoBal, QString());
                continue;
            }
            grid_->setText(r, kStock, text::plain(f.value(it->id).stock));
            grid_->setText(r, kPoBal, orderNo().isEmpty() ? QString() : text::plain(f.value(it->id).poBalance));
        }
    });
    if (grid_->isEditing() && rows.contains(grid_->editRow())) cellMoved(grid_->editRow(), grid_->editColumn());
}

void FrmDC::refreshAllFigures() {
    QList<int> rows;
    for (int r = 1; r <= grid_->lineCount(); ++r) rows << r;
    if (!rows.isEmpty()) refreshFigures(rows);
}

QString FrmDC::qtyRefusal(int row, const QString& typed) {
    const double qty = text::typed(typed);
    auto over = [&](int col) {
        const QString limit = grid_->text(row, col).trimmed();
        if (limit.isEmpty() || qty <= text::typed(limit)) return QString();
        return QStringLiteral("Qty should not be greater than ") + limit;
    };
    if (!orderNo().isEmpty())
        if (QString why = over(kPoBal); !why.isEmpty()) return why;
    bool reduce = false;
    try {
        reduce = Dcs::reducesStock(prod().db());
    } catch (const DbError& e) {
        logFailure(e);
    }
    return reduce ? over(kStock) : QString();
}

void FrmDC::cellMoved(int row, int col) {
    if (row < 1 || row > grid_->lineCount()) {
        lblUnitGuide_->clear();
        lstProduct_->hide();
        return;
    }
    const QString code = grid_->text(row, kCode).trimmed();
    tryDb([&] {
        const auto items = Lookups::itemsByCode(prod().db(), {code});
        const chain::ItemRef it = items.value(code);
        lblUnitGuide_->setText(QStringLiteral("ITEM : ") + code + QStringLiteral("    UOM :  ") + it.unit);
        lstProduct_->clear();
        if (col == kParticulars && it.id != 0 && grid_->isEditable())
            lstProduct_->addItems(Lookups::particularsOf(prod().db(), it.id));
    });
    lstProduct_->setVisible(lstProduct_->count() > 0);
}

void FrmDC::headingClicked() {
    if (ctl_->state() == RecState::Browse) return;
    Dialogs& d = Dialogs::current();
    if (partyId() == 0) {
        d.critical(appTitle(), QStringLiteral("Please select a Customer Name ....!!!"));
        return;
    }
    try {
        if (orderNo().isEmpty() && !Dcs::openOrders(prod().db(), partyId()).isEmpty()) {
            d.critical(appTitle(), QStringLiteral("Select A Purchase Order from the List!!!"));
            return;
        }
        lstPicker_->clear();
        for (const chain::ItemRef& it : Dcs::pickItems(prod().db(), partyId(), orderNo())) {
            auto* row = new QListWidgetItem(it.code + QStringLiteral("   -   ") + it.name, lstPicker_);
            row->setData(Qt::UserRole, it.code);
        }
    } catch (const DbError& e) {
        logFailure(e);
        return;
    }
    grid_->hideEditor();
    lstPicker_->setGeometry(grid_->geometry().adjusted(40, 24, -40, -8));
    lstPicker_->show();
    lstPicker_->raise();
    lstPicker_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    lstPicker_->setFocus();
}

void FrmDC::takePicked() {
    QStringList codes;
    for (int i = 0; i < lstPicker_->count(); ++i)
        if (lstPicker_->item(i)->isSelected()) codes << lstPicker_->item(i)->data(Qt::UserRole).toString();
    if (codes.isEmpty() && lstPicker_->currentItem()) codes << lstPicker_->currentItem()->data(Qt::UserRole).toString();
    lstPicker_->hide();
    int first = 0;
    for (const QString& code : codes) {
        bool present = false;
        for (int r = 1; r <= grid_->lineCount(); ++r)
            if (grid_->text(r, kCode).trimmed() == code) present = true;
        if (present) continue;
        int row = grid_->lineCount();
        bool lastEmpty = row > 0;
        for (int c = 1; row > 0 && c <= grid_->typedColumns(); ++c)
            if (!grid_->text(row, c).trimmed().isEmpty()) lastEmpty = false;
        if (!lastEmpty) {
            grid_->addLine({});
            row = grid_->lineCount();
        }
        grid_->setText(row, kCode, code);
        tryDb([&] {
            const auto items = Lookups::itemsByCode(prod().db(), {code});
            if (!items.isEmpty())
                grid_->setText(row, kParticulars, Lookups::proposedParticulars(prod().db(), items.cbegin()->id));
        });
        refreshFigures({row});
        if (first == 0) first = row;
    }
    if (first != 0)
        grid_->beginEdit(first, kQty);
    else if (grid_->lineCount() > 0)
        grid_->beginEdit(grid_->lineCount(), kQty);
}

bool FrmDC::eventFilter(QObject* o, QEvent* e) {
    if (o == cmbPONo_ && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::FocusIn) &&
        ctl_->state() != RecState::Browse && partyId() != 0)
        tryDb([&] { fillOrders(partyId(), orderNo()); });
    if (o == lstPicker_ && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            takePicked();
            return true;
        }
        if (k == Qt::Key_Escape) {
            lstPicker_->hide();
            if (grid_->lineCount() > 0) grid_->beginEdit(grid_->lineCount(), kCode);
            return true;
        }
    }
    if (o == grid_->editor() && e->type() == QEvent::KeyPress && grid_->editColumn() == kParticulars) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        const QString typed = grid_->editor()->text();
        const QListWidgetItem* it = lstProduct_->currentItem();
        if ((k == Qt::Key_Return || k == Qt::Key_Enter) && lstProduct_->isVisible() && it && !typed.isEmpty() &&
            it->text().startsWith(typed, Qt::CaseInsensitive))
            grid_->editor()->setText(it->text());
        return false;
    }
    if (e->type() == QEvent::MouseButtonPress) {
        const QString name = o->objectName();
        if (name == QLatin1String("lblMoreDet")) {
            showDetails();
            return true;
        }
        if (name == QLatin1String("lblRejRework") || name == QLatin1String("lblForm39")) {
            if (ctl_->currentId() == 0) return true;
            const QString screen = name == QLatin1String("lblRejRework") ? QStringLiteral("frmRejection_DC_MFG")
                                                                         : QStringLiteral("frmForm39_DC_MFG");
            if (!Screens::has(screen))
                Dialogs::current().information(appTitle(), QStringLiteral("This screen is not available yet."));
            else if (prod().CheckScreenLock(screen, 3) != 1)
                Screens::open(screen);
            return true;
        }
    }
    return DocumentScreen::eventFilter(o, e);
}

void FrmDC::showDetails() {
    if (partyId() == 0) {
        Dialogs::current().critical(appTitle(), QStringLiteral("You must select a 'Customer' from the list... "));
        return;
    }
    auto* list =
        makeListGrid(QStringLiteral("grdDCDetails"),
                     QStringLiteral("DC No.    |DC Date     |Customer P.O. NO.   |Invoice No.  |Items"), nullptr);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setWindowTitle(QStringLiteral("DC Details - ") + partyBox_->currentText());
    try {
        QSqlQuery q = Sql::exec(prod().db(),
                                QStringLiteral("select DcNo, DcDate, PONo, InvNo, NoOfItems from DcInv where CustId=? "
                                               "order by DcDateT desc, DcInvId desc"),
                                {partyId()});
        while (q.next()) {
            const int r = list->rowCount();
            list->insertRow(r);
            for (int c = 0; c < 5; ++c) setCell(list, r, c, q.value(c).toString().trimmed());
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    list->resize(640, 400);
    list->show();
}

void FrmDC::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Dcs::print(prod().db(), id); },
        Print::Document{QStringLiteral("MFGDC"), QStringLiteral("MfgDC")});
}

}  // namespace kavra
