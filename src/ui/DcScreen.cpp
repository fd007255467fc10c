#include "ui/DcScreen.h"

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
#include <QSet>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "ui/Form39Screen.h"
#include "ui/Grid.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Challans = chain::Challans;
namespace Lookups = chain::Lookups;

namespace {

constexpr int kCode = 1, kParticulars = 2, kQty = 3;

QComboBox* pickList(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QDateEdit* shownDate(QWidget* parent, const QString& name) {
    QDateEdit* d = makeDate(parent, name.toLatin1().constData());
    d->setReadOnly(true);
    d->setFocusPolicy(Qt::NoFocus);
    return d;
}

}  // namespace

DcScreen::DcScreen(const DcScreenKind& kind) : DocumentScreen(kind.screen, kind.caption), k_(kind), dk_(*kind.kind) {
    QLabel* heading = makeDocHeading(this, k_.heading);

    const QByteArray partyField = k_.partyField.toLatin1();
    const Header h =
        makeHeader(partyField.constData(), k_.party, QStringLiteral("DcId"), k_.idName.toLatin1().constData());
    QGroupBox* box = h.box;
    QGridLayout* g = h.grid;
    txtId_ = h.id;
    partyBox_->setPlaceholderText(k_.partyPlaceholder);
    if (!k_.partyTip.isEmpty()) partyBox_->setToolTip(k_.partyTip);

    cmbPONo_ = pickList(box, "cmbPONo");
    if (!k_.poHint.isEmpty()) cmbPONo_->setToolTip(k_.poHint);
    dtpPOdate_ = shownDate(box, k_.poDateName);
    auto* po = new QHBoxLayout;
    po->addWidget(cmbPONo_, 1);
    po->addWidget(dtpPOdate_);
    g->addWidget(makeCaption(box, k_.poCaption, cmbPONo_), 1, 0);
    g->addLayout(po, 1, 1);
    txtDCNo_ = addField(g, 1, 2, k_.dcNo, "txtDCNo", 20);

    cmbTransport_ = makeEarlierValuesBox(box, "cmbTransport");
    g->addWidget(makeCaption(box, QStringLiteral("MODE OF TRANSPORT"), cmbTransport_), 2, 0);
    g->addWidget(cmbTransport_, 2, 1);
    dtpDCDate_ = makeDate(box, "dtpDCDate");
    g->addWidget(makeCaption(box, QStringLiteral("DATE"), dtpDCDate_), 2, 2);
    g->addWidget(dtpDCDate_, 2, 3);

    cmbVehicleNo_ = makeEarlierValuesBox(box, "cmbVehicleNo");
    g->addWidget(makeCaption(box, QStringLiteral("VEHICLE  NUMBER"), cmbVehicleNo_), 3, 0);
    g->addWidget(cmbVehicleNo_, 3, 1);
    cmbTransFrom_ = makeEarlierValuesBox(box, "cmbTransFrom");
    cmbTransTo_ = makeEarlierValuesBox(box, "cmbTransTo");
    auto* places = new QHBoxLayout;
    places->addWidget(cmbTransFrom_, 1);
    places->addWidget(makeCaption(box, QStringLiteral("TO"), cmbTransTo_));
    places->addWidget(cmbTransTo_, 1);
    g->addWidget(makeCaption(box, QStringLiteral("FROM"), cmbTransFrom_), 3, 2);
    g->addLayout(places, 3, 3);

    if (dk_.purpose) {
        cmbDeliveryPurpose_ = makeEarlierValuesBox(box, "cmbDeliveryPurpose");
        if (dk_.purposeWidth > 0) cmbDeliveryPurpose_->lineEdit()->setMaxLength(dk_.purposeWidth);
        g->addWidget(makeCaption(box, QStringLiteral("* Purpose of Delivery:"), cmbDeliveryPurpose_), 4, 0);
        g->addWidget(cmbDeliveryPurpose_, 4, 1);
    }
    txtRem_ = addField(g, 4, dk_.purpose ? 2 : 0, k_.remark, "txtRem", 200);
    if (dk_.drawsOn) {
        cmbRefDCno_ = pickList(box, k_.refField.toLatin1().constData());
        dtpRefDcDate_ = shownDate(box, QStringLiteral("dtpRefDcDate"));
        auto* ref = new QHBoxLayout;
        ref->addWidget(cmbRefDCno_, 1);
        ref->addWidget(dtpRefDcDate_);
        g->addWidget(makeCaption(box, k_.refCaption, cmbRefDCno_), 5, 0);
        g->addLayout(ref, 5, 1);
    }
    if (dk_.weightAndDue) {
        txtEstiWt_ = addField(g, 5, 0, QStringLiteral("* Estimated Wt in Kgs."), "txtEstiWt", 50);
        dtpDueDate_ = makeDate(box, "dtpDueDate");
        // The lowest date shows blank: no day is given.
        dtpDueDate_->setMinimumDate(QDate(2000, 1, 1));
        dtpDueDate_->setSpecialValueText(QStringLiteral(" "));
        g->addWidget(makeCaption(box, QStringLiteral("* Due Date"), dtpDueDate_), 5, 2);
        g->addWidget(dtpDueDate_, 5, 3);
    }
    if ((dk_.purpose && dk_.signedCopy) || dk_.signedAlone) {
        chkDCSigned_ = new QCheckBox(QStringLiteral("Signed and Returned"), box);
        chkDCSigned_->setObjectName(QStringLiteral("chkDCSigned"));
        g->addWidget(chkDCSigned_, dk_.drawsOn ? 6 : 5, 1);
    }
    lblMoreDet_ = makeLinkLabel(box, "lblMoreDet");
    lblMoreDet_->setText(QStringLiteral("Click me  for  Details"));
    lblMoreDet_->installEventFilter(this);
    g->addWidget(lblMoreDet_, dk_.drawsOn || dk_.weightAndDue ? 6 : 5, 3, Qt::AlignRight);

    lblUnitGuide_ = new QLabel(this);
    lblUnitGuide_->setObjectName(QStringLiteral("lblUnitGuide"));
    auto* guides = new QHBoxLayout;
    guides->addWidget(lblUnitGuide_);
    guides->addStretch();
    if (!k_.remarkHint.isEmpty()) {
        auto* lblRemHelp = new QLabel(k_.remarkHint, this);
        lblRemHelp->setObjectName(QStringLiteral("lblRemHelp"));
        guides->addWidget(lblRemHelp);
    }

    makeGrid(k_.gridHeading, remarkCol());
    grid_->setItemColumns(kCode, kParticulars, -1);
    QList<int> numeric{kQty};
    for (int c : {k_.stockCol, k_.onHandCol, k_.poBalCol, k_.rateCol})
        if (c > 0) numeric << c;
    grid_->setNumericColumns(numeric);
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

    auto* notes = new QHBoxLayout;
    notes->setSpacing(40);
    for (const QString& n : k_.notes) {
        auto* l = new QLabel(n, this);
        l->setObjectName(QStringLiteral("lblNote"));
        notes->addWidget(l);
    }
    notes->addStretch();

    auto* side = new QHBoxLayout;
    for (const auto& [name, caption, shown] : {std::tuple{"lblRejRework", "Rejections", !k_.rejections.isEmpty()},
                                               std::tuple{"lblForm39", "Form VAT 515", k_.form39 != nullptr},
                                               std::tuple{"lblExciseDC", "Excise DC", bool(k_.printExcise)}}) {
        if (!shown) continue;
        auto* l = makeLinkLabel(this, name);
        l->setText(QString::fromLatin1(caption));
        l->installEventFilter(this);
        side->addWidget(l);
    }
    if (!k_.pendingSide.isEmpty()) {
        auto* l = makeLinkLabel(this, k_.pendingSide.toLatin1().constData());
        l->setText(k_.pendingSideCaption);
        l->installEventFilter(this);
        side->addWidget(l);
    }
    side->addStretch();
    addSearch(side, this, QStringLiteral("Search DC No."),
              QStringLiteral("Type the DC No. here, then press 'Enter' key to search"));
    addCorresAndPrint(side, this, QStringLiteral("&Printer"))->setVisible(bool(k_.print));

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(box);
    v->addLayout(guides);
    v->addWidget(grid_, 1);
    v->addLayout(notes);
    v->addWidget(lstProduct_);
    v->addLayout(side);
    v->addWidget(makeStatusLabel(this));
    v->addLayout(makeCommandRow(this));
    resize(1000, 720);

    makeController(k_.record);
    setNavigationTable(dk_.header, dk_.key);
    QList<QWidget*> order{partyBox_, cmbPONo_};
    if (cmbRefDCno_) order << cmbRefDCno_;
    order << txtDCNo_ << dtpDCDate_ << cmbTransport_ << cmbVehicleNo_ << cmbTransFrom_ << cmbTransTo_;
    if (cmbDeliveryPurpose_) order << cmbDeliveryPurpose_;
    order << txtRem_;
    if (txtEstiWt_) order << txtEstiWt_ << dtpDueDate_;
    if (chkDCSigned_) order << chkDCSigned_;
    order << grid_->table() << findChild<QPushButton*>(QStringLiteral("cmdSave"));
    for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);

    connect(partyBox_, &QComboBox::activated, this, [this] { customerChosen(); });
    // Orders and DCs saved meanwhile at another desk are offered as soon as the list is opened.
    cmbPONo_->installEventFilter(this);
    connect(cmbPONo_, &QComboBox::activated, this, [this] { orderChosen(); });
    if (cmbRefDCno_) {
        cmbRefDCno_->installEventFilter(this);
        connect(cmbRefDCno_, &QComboBox::activated, this, [this] { refChosen(); });
    }
    connect(grid_, &LineGrid::itemChosen, this, [this](int row, qint64 itemId) {
        proposeRate(row, itemId);
        refreshFigures({row});
    });
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
        lblMoreDet_->setVisible(s != RecState::Adding);
        // Shown figures are those of the state: a modified DC's own quantities count as available.
        if (s != RecState::Adding) refreshAllFigures();
    });
}

bool DcScreen::load() {
    return ctl_->open([this] {
        fillCustomers(false);
        fillEarlierLists();
        readStockLink();
        if (k_.stockCol > 0 && k_.stockOnlyLinked) grid_->table()->setColumnHidden(k_.stockCol, !reducesStock());
    });
}

void DcScreen::fillCustomers(bool adding) {
    const qint64 keep = partyId();
    partyBox_->clear();
    fillParties(prod().db(), partyBox_, dk_.partyTable, dk_.party, dk_.partyName);
    // A new DC that answers the party's DCs is for a party who still has something open.
    if (adding && dk_.drawsOn) {
        const QList<qint64> open = Challans::partiesWithOpen(prod().db(), dk_);
        const QSet<qint64> with(open.cbegin(), open.cend());
        for (int i = partyBox_->count() - 1; i >= 0; --i)
            if (!with.contains(partyBox_->itemData(i).toLongLong())) partyBox_->removeItem(i);
    }
    partyBox_->setCurrentIndex(partyBox_->findData(keep));
}

void DcScreen::fillEarlierLists() {
    QStringList cols{QStringLiteral("Transport"), QStringLiteral("VehicleNo"), QStringLiteral("TransFrom"),
                     QStringLiteral("TransTo")};
    QList<QComboBox*> lists{cmbTransport_, cmbVehicleNo_, cmbTransFrom_, cmbTransTo_};
    if (cmbDeliveryPurpose_) {
        cols << QStringLiteral("DeliveryPurpose");
        lists << cmbDeliveryPurpose_;
    }
    const QList<QStringList> texts = Lookups::recentTexts(prod().db(), dk_.header, dk_.key, cols);
    for (int i = 0; i < lists.size(); ++i) {
        QComboBox* c = lists[i];
        const QString keep = c->currentText();
        c->clear();
        c->addItems(texts[i]);
        c->setEditText(keep);
    }
}

void DcScreen::keepEarlier(const Challans::Record& saved) {
    // The saved texts join the lists without reading every DC again.
    const std::pair<QComboBox*, QString> lists[] = {{cmbTransport_, saved.transport},
                                                    {cmbVehicleNo_, saved.vehicleNo},
                                                    {cmbTransFrom_, saved.transFrom},
                                                    {cmbTransTo_, saved.transTo},
                                                    {cmbDeliveryPurpose_, saved.deliveryPurpose}};
    for (const auto& [c, text] : lists)
        if (c && !text.isEmpty() && c->findText(text, Qt::MatchFixedString) < 0) c->insertItem(0, text);
}

QList<qint64> DcScreen::navigation() {
    return Challans::ids(prod().db(), dk_);
}

qint64 DcScreen::proposeId() {
    return Challans::proposedId(prod().db(), dk_);
}

QString DcScreen::orderNo() const {
    return cmbPONo_->currentIndex() >= 0 ? cmbPONo_->currentText().trimmed() : QString();
}

QString DcScreen::refDcNo() const {
    return cmbRefDCno_ && cmbRefDCno_->currentIndex() >= 0 ? cmbRefDCno_->currentText().trimmed() : QString();
}

void DcScreen::readStockLink() {
    // Read once per document shown or begun, not on every key the quantity cell checks.
    tryDb([&] { reduce_ = Challans::linkedToStock(prod().db(), dk_); });
}

Challans::Context DcScreen::context() const {
    // While a stored DC is modified its own quantities count as available.
    const bool modifying = ctl_->state() == RecState::Modifying && ctl_->currentId() != 0 && stored_;
    return Challans::Context{partyId(), orderNo(),
                             modifying ? std::optional(Challans::storedOf(*stored_)) : std::nullopt, refDcNo()};
}

void DcScreen::fillOrders(qint64 party, const QString& keep) {
    cmbPONo_->clear();
    if (party != 0) cmbPONo_->addItems(Challans::openOrders(prod().db(), dk_, party));
    if (!keep.isEmpty() && cmbPONo_->findText(keep) < 0) cmbPONo_->addItem(keep);  // a stored DC's order, now closed
    cmbPONo_->setCurrentIndex(keep.isEmpty() ? -1 : cmbPONo_->findText(keep));
}

void DcScreen::fillRefs(const QString& keep) {
    if (!cmbRefDCno_) return;
    cmbRefDCno_->clear();
    if (partyId() != 0) cmbRefDCno_->addItems(Challans::openSources(prod().db(), dk_, partyId(), orderNo()));
    if (!keep.isEmpty() && cmbRefDCno_->findText(keep) < 0) cmbRefDCno_->addItem(keep);
    cmbRefDCno_->setCurrentIndex(keep.isEmpty() ? -1 : cmbRefDCno_->findText(keep));
}

void DcScreen::useOrderItems(bool tellWhenClosed) {
    orderCodes_.reset();
    const QString po = orderNo();
    if (dk_.drawsOn) {
        // Only what the party's open DCs still hold can go back.
        QStringList codes;
        if (partyId() != 0)
            for (const chain::ItemRef& it : Challans::pickItems(prod().db(), dk_, partyId(), po, refDcNo()))
                codes << it.code;
        orderCodes_ = codes;
    } else if (!po.isEmpty()) {
        orderCodes_ = Challans::openOrderItemCodes(prod().db(), dk_, partyId(), po);
        if (!orderCodes_ && tellWhenClosed) Dialogs::current().exclamation(appTitle(), k_.orderClosed);
    }
    grid_->refreshItemCodes();
}

void DcScreen::showRecord(qint64 id) {
    readStockLink();
    stored_ = Challans::record(prod().db(), dk_, id);
    if (!stored_) return;
    const Challans::Record& d = *stored_;
    txtId_->setText(QString::number(d.id));
    if (partyBox_->findData(d.party) < 0) fillCustomers(false);
    partyBox_->setCurrentIndex(partyBox_->findData(d.party));
    fillOrders(d.party, d.poNo);
    dtpPOdate_->setDate(d.poDate.isValid() ? d.poDate : d.dcDate);
    if (cmbRefDCno_) {
        // Several DCs answered show as the stored list.
        cmbRefDCno_->clear();
        cmbRefDCno_->addItem(d.refDcNo);
        cmbRefDCno_->setCurrentIndex(d.refDcNo.isEmpty() ? -1 : 0);
        dtpRefDcDate_->setDate(d.refDcDate.isValid() ? d.refDcDate : d.dcDate);
    }
    txtDCNo_->setText(d.dcNo);
    dtpDCDate_->setDate(d.dcDate);
    cmbTransport_->setEditText(d.transport);
    cmbVehicleNo_->setEditText(d.vehicleNo);
    cmbTransFrom_->setEditText(d.transFrom);
    cmbTransTo_->setEditText(d.transTo);
    if (cmbDeliveryPurpose_) cmbDeliveryPurpose_->setEditText(d.deliveryPurpose);
    txtRem_->setText(d.remark);
    if (chkDCSigned_) chkDCSigned_->setChecked(d.signedReturned);
    if (txtEstiWt_) {
        txtEstiWt_->setText(d.estiWt);
        dtpDueDate_->setDate(d.dueDate.value_or(dtpDueDate_->minimumDate()));
    }
    lstPicker_->hide();
    lstProduct_->hide();
    grid_->clearLines();
    for (const Challans::Line& l : d.lines) {
        QStringList cells{l.itemCode, l.particulars, text::plain(l.qty)};
        if (k_.rateCol > 0) cells << chain::Rows::rateText(l.rate);
        grid_->addLine(cells << l.remark);
    }
    grid_->setStoredLineCount(int(d.lines.size()));
    useOrderItems(false);
}

void DcScreen::clearForNew(qint64 id) {
    readStockLink();
    stored_.reset();
    txtId_->setText(QString::number(id));
    cmbPONo_->clear();
    for (QDateEdit* d : {dtpPOdate_, dtpDCDate_}) d->setDate(Clock::today());
    txtDCNo_->clear();
    try {
        fillCustomers(true);
        fillEarlierLists();
        if (dk_.numbers == chain::DcNumbers::Book) txtDCNo_->setText(QString::number(prod().NextDcNumber(dk_.book)));
    } catch (const DbError& e) {
        logFailure(e);
    }
    partyBox_->setCurrentIndex(-1);
    if (cmbRefDCno_) {
        cmbRefDCno_->clear();
        dtpRefDcDate_->setDate(Clock::today());
    }
    for (QComboBox* c : {cmbTransport_, cmbVehicleNo_, cmbTransFrom_, cmbTransTo_, cmbDeliveryPurpose_})
        if (c) c->setEditText(QString());
    txtRem_->clear();
    if (chkDCSigned_) chkDCSigned_->setChecked(false);
    if (txtEstiWt_) {
        txtEstiWt_->clear();
        dtpDueDate_->setDate(dtpDueDate_->minimumDate());
    }
    lstPicker_->hide();
    lstProduct_->hide();
    lblUnitGuide_->clear();
    grid_->clearLines();
    orderCodes_.reset();
    if (dk_.drawsOn) orderCodes_ = QStringList();
    grid_->refreshItemCodes();
}

Challans::Record DcScreen::read() const {
    Challans::Record d;
    d.id = txtId_->text().toLongLong();
    d.party = partyId();
    d.dcNo = txtDCNo_->text().trimmed();
    d.dcDate = dtpDCDate_->date();
    d.poNo = orderNo();
    d.poDate = dtpPOdate_->date();
    d.refDcNo = refDcNo();
    d.transport = cmbTransport_->currentText().trimmed();
    d.vehicleNo = cmbVehicleNo_->currentText().trimmed();
    d.transFrom = cmbTransFrom_->currentText().trimmed();
    d.transTo = cmbTransTo_->currentText().trimmed();
    if (cmbDeliveryPurpose_) d.deliveryPurpose = cmbDeliveryPurpose_->currentText().trimmed();
    d.remark = txtRem_->text().trimmed();
    d.signedReturned = chkDCSigned_ && chkDCSigned_->isChecked();
    if (txtEstiWt_) {
        d.estiWt = txtEstiWt_->text().trimmed();
        if (dtpDueDate_->date() != dtpDueDate_->minimumDate()) d.dueDate = dtpDueDate_->date();
    }
    const int n = usedLines();
    for (int r = 1; r <= n; ++r) {
        Challans::Line l{grid_->text(r, kCode).trimmed(),
                         grid_->text(r, kParticulars).trimmed(),
                         text::typed(grid_->text(r, kQty)),
                         grid_->text(r, remarkCol()).trimmed(),
                         {}};
        if (k_.rateCol > 0) l.rate = text::typed(grid_->text(r, k_.rateCol));
        d.lines << l;
    }
    return d;
}

Check DcScreen::validate(bool adding) {
    readStockLink();
    return Challans::validate(prod().db(), dk_, Challans::toDc(dk_, read()), adding, reducesStock(),
                              prod().session().dcMode);
}

void DcScreen::notice(qint64 id) {
    // Said before anything is written, so no lock is held while the message waits.
    if (!k_.changeNotice) return;
    if (const auto stored = Challans::record(prod().db(), dk_, id))
        if (const auto n = k_.changeNotice(*stored)) Dialogs::current().information(appTitle(), *n);
}

qint64 DcScreen::write(bool adding, qint64 id) {
    if (!adding) notice(id);
    Challans::Record d = read();
    d.id = id;
    reduce_ = Challans::linkedToStock(prod().db(), dk_);  // the setting as it stands inside the write
    const qint64 saved = Challans::save(prod().db(), dk_, Challans::toDc(dk_, d), adding, reducesStock(),
                                        prod().session().dcMode, k_.hooks);
    keepEarlier(d);
    return saved;
}

Check DcScreen::modifyBlock() {
    return Challans::changeBlock(prod().db(), dk_, ctl_->currentId(), false);
}

Check DcScreen::deleteBlock() {
    return Challans::changeBlock(prod().db(), dk_, ctl_->currentId(), true);
}

bool DcScreen::mayModify() {
    const Check r = Challans::clickBlock(prod().db(), dk_, ctl_->currentId());
    if (r) Dialogs::current().message(appTitle(), r->text, r->icon);
    return !r;
}

bool DcScreen::partlyProcessed() {
    // Lines that went back already keep their item and particulars.
    bool drawn = false;
    if (!dk_.openBalance.isEmpty() && ctl_->currentId() != 0)
        tryDb([&] { drawn = Challans::drawnOn(prod().db(), dk_, ctl_->currentId()); });
    return drawn;
}

QWidget* DcScreen::beforeGrid() {
    if (chkDCSigned_) return chkDCSigned_;
    if (dtpDueDate_) return dtpDueDate_;
    return txtRem_;
}

void DcScreen::remove(qint64 id) {
    notice(id);
    Challans::remove(prod().db(), dk_, id, k_.hooks);
}

QString DcScreen::confirmText(bool adding) {
    if (adding || !k_.modifyQuestion) return {};
    try {
        if (const auto stored = Challans::record(prod().db(), dk_, ctl_->currentId()))
            return k_.modifyQuestion(*stored);
    } catch (const DbError& e) {
        logFailure(e);
    }
    return {};
}

Found DcScreen::find(const QString& text) {
    return Challans::find(prod().db(), dk_, text, partyId());
}

void DcScreen::customerChosen() {
    try {
        fillOrders(partyId(), QString());
        fillRefs(QString());
        dtpPOdate_->setDate(dtpDCDate_->date());
        useOrderItems(false);
        refreshAllFigures();
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void DcScreen::orderChosen() {
    try {
        if (const auto d = Challans::orderDate(prod().db(), dk_, partyId(), orderNo())) dtpPOdate_->setDate(*d);
        fillRefs(QString());
        useOrderItems(true);
        refreshAllFigures();
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void DcScreen::refChosen() {
    try {
        if (const auto d = Challans::sourceDate(prod().db(), dk_, partyId(), refDcNo())) dtpRefDcDate_->setDate(*d);
        useOrderItems(false);
        refreshAllFigures();
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void DcScreen::refreshFigures(const QList<int>& rows) {
    tryDb([&] {
        QStringList codes;
        for (int r : rows) codes << grid_->text(r, kCode).trimmed();
        const QHash<QString, chain::ItemRef> items = Lookups::itemsByCode(prod().db(), codes);
        QList<qint64> ids;
        for (const chain::ItemRef& it : items) ids << it.id;
        const QHash<qint64, Challans::Figures> f = Challans::figures(prod().db(), dk_, context(), ids);
        const bool withOrder = !orderNo().isEmpty();
        for (int r : rows) {
            if (r < 1 || r > grid_->lineCount()) continue;
            const auto it = items.constFind(grid_->text(r, kCode).trimmed());
            const bool known = it != items.cend();
            const Challans::Figures fig = known ? f.value(it->id) : Challans::Figures{};
            if (k_.stockCol > 0) grid_->setText(r, k_.stockCol, known ? text::plain(fig.stock) : QString());
            if (k_.onHandCol > 0) grid_->setText(r, k_.onHandCol, known ? text::plain(fig.onHand) : QString());
            if (k_.poBalCol > 0)
                grid_->setText(r, k_.poBalCol, known && withOrder ? text::plain(fig.poBalance) : QString());
        }
    });
    if (grid_->isEditing() && rows.contains(grid_->editRow())) cellMoved(grid_->editRow(), grid_->editColumn());
}

void DcScreen::refreshAllFigures() {
    QList<int> rows;
    for (int r = 1; r <= grid_->lineCount(); ++r) rows << r;
    if (!rows.isEmpty()) refreshFigures(rows);
}

QString DcScreen::qtyRefusal(int row, const QString& typed) {
    const double qty = text::typed(typed);
    auto over = [&](int col) {
        if (col <= 0) return QString();
        const QString limit = grid_->text(row, col).trimmed();
        if (limit.isEmpty() || qty <= text::typed(limit)) return QString();
        return QStringLiteral("Qty should not be greater than ") + limit;
    };
    if (QString why = over(k_.onHandCol); !why.isEmpty()) return why;
    if (!orderNo().isEmpty())
        if (QString why = over(k_.poBalCol); !why.isEmpty()) return why;
    return reducesStock() ? over(k_.stockCol) : QString();
}

void DcScreen::cellMoved(int row, int col) {
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

void DcScreen::proposeRate(int row, qint64 itemId) {
    if (k_.rateCol <= 0 || !k_.proposedRate || !grid_->text(row, k_.rateCol).trimmed().isEmpty()) return;
    tryDb([&] { grid_->setText(row, k_.rateCol, chain::Rows::rateText(k_.proposedRate(prod().db(), itemId))); });
}

void DcScreen::headingClicked() {
    if (ctl_->state() == RecState::Browse) return;
    Dialogs& d = Dialogs::current();
    if (partyId() == 0) {
        d.critical(appTitle(), k_.headingNoParty);
        return;
    }
    try {
        if (orderNo().isEmpty() && !Challans::openOrders(prod().db(), dk_, partyId()).isEmpty()) {
            d.critical(appTitle(), QStringLiteral("Select A Purchase Order from the List!!!"));
            return;
        }
        lstPicker_->clear();
        for (const chain::ItemRef& it : Challans::pickItems(prod().db(), dk_, partyId(), orderNo(), refDcNo())) {
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

void DcScreen::takePicked() {
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
            if (items.isEmpty()) return;
            grid_->setText(row, kParticulars, Lookups::proposedParticulars(prod().db(), items.cbegin()->id));
            proposeRate(row, items.cbegin()->id);
        });
        refreshFigures({row});
        if (first == 0) first = row;
    }
    if (first != 0)
        grid_->beginEdit(first, kQty);
    else if (grid_->lineCount() > 0)
        grid_->beginEdit(grid_->lineCount(), kQty);
}

void DcScreen::openSideScreen(const QString& name) {
    if (ctl_->currentId() == 0) return;
    if (!Screens::has(name))
        Dialogs::current().information(appTitle(), QStringLiteral("This screen is not available yet."));
    else if (prod().CheckScreenLock(name, 3) != 1)
        Screens::open(name);
}

bool DcScreen::eventFilter(QObject* o, QEvent* e) {
    const bool opening = (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::FocusIn) &&
                         ctl_->state() != RecState::Browse && partyId() != 0;
    if (o == cmbPONo_ && opening) tryDb([&] { fillOrders(partyId(), orderNo()); });
    if (cmbRefDCno_ && o == cmbRefDCno_ && opening) tryDb([&] { fillRefs(refDcNo()); });
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
        if (name == QLatin1String("lblRejRework")) {
            openSideScreen(k_.rejections);
            return true;
        }
        if (name == QLatin1String("lblExciseDC")) {
            if (ctl_->currentId() != 0 && k_.printExcise) k_.printExcise(this, ctl_->currentId());
            return true;
        }
        if (!k_.pendingSide.isEmpty() && name == k_.pendingSide) {
            Dialogs::current().information(appTitle(), k_.pendingSideText);
            return true;
        }
        if (name == QLatin1String("lblForm39")) {
            if (ctl_->currentId() != 0 && k_.form39) openSide(new Form39Screen(*k_.form39, ctl_->currentId()));
            return true;
        }
    }
    return DocumentScreen::eventFilter(o, e);
}

void DcScreen::showDetails() {
    if (partyId() == 0) {
        Dialogs::current().critical(appTitle(), k_.detailsNoParty);
        return;
    }
    // Billed kinds show the bill; kinds kept open for the other direction whether all went back.
    const QString fourth = dk_.billed            ? QStringLiteral("InvNo")
                           : dk_.tally.isEmpty() ? QStringLiteral("null")
                                                 : dk_.tally;
    const QString fourthCaption = dk_.billed ? QStringLiteral("Invoice No.  ") : QStringLiteral("Sent back    ");
    auto* list = makeListGrid(
        QStringLiteral("grdDCDetails"),
        QStringLiteral("DC No.    |DC Date     |Customer P.O. NO.   |") + fourthCaption + QStringLiteral("|Items"),
        nullptr);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setWindowTitle(QStringLiteral("DC Details - ") + partyBox_->currentText());
    try {
        QSqlQuery q = Sql::exec(prod().db(),
                                QStringLiteral("select DcNo, DcDate, PONo, %1, NoOfItems from %2 where %3=? "
                                               "order by DcDateT desc, %4 desc limit 500")
                                    .arg(fourth, dk_.header, dk_.party, dk_.key),
                                {partyId()});
        while (q.next()) {
            const int r = list->rowCount();
            list->insertRow(r);
            for (int c = 0; c < 5; ++c) {
                QString t = q.value(c).toString().trimmed();
                if (c == 3 && !dk_.billed) t = q.value(c).toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
                setCell(list, r, c, t);
            }
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    list->resize(640, 400);
    list->show();
}

void DcScreen::print() {
    if (k_.print) k_.print(this, ctl_->currentId());
}

}  // namespace kavra
