#include "ui/BillScreen.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Rows.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Bills = chain::Bills;

namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLen, bool numeric = false) {
    QLineEdit* e = makeLineEdit(parent, name, maxLen);
    if (numeric) {
        e->setValidator(numberValidator(e));
        e->setAlignment(Qt::AlignRight);
    }
    return e;
}

QComboBox* typeCombo(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems({QStringLiteral("Amount"), QStringLiteral("Percentage")});
    return c;
}

}  // namespace

RecordTexts BillScreenKind::texts() {
    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Invoice Now...");
    t.modifying = QStringLiteral("You are about to MODIFY the existing Invoice Now...");
    t.deleting = QStringLiteral("You are about to DELETE the existing Invoice now...");
    t.saveQuestion = QStringLiteral("Are You Sure To Save?");
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify?");
    t.deleteQuestion = QStringLiteral("Are You Sure To DELETE this INVOICE ? ");
    t.saved = t.modified = QStringLiteral("Record Stored successfully .");
    t.deleted = QStringLiteral("Records Deleted");
    return t;
}

QString BillScreen::numberText(double v) {
    return v == 0 ? QString() : text::plain(v);
}

// A percentage worked back from a stored amount: a few decimals are enough to read it.
QString BillScreen::percentText(double v) {
    return v == 0 ? QString() : text::plain(std::round(v * 1e6) / 1e6);
}

QString BillScreen::moneyText(double v) {
    return v == 0 ? QString() : chain::Rows::rateText(v);
}

BillScreen::BillScreen(const BillScreenKind& kind) : DocumentScreen(kind.screen, kind.caption), kind_(kind) {
    auto* heading = new QLabel(kind.heading, this);
    heading->setStyleSheet(QStringLiteral("font-size: 15pt; font-weight: bold;"));

    // Party and DCs at the left, the bill's number and terms at the right.
    cmbCust_ = new QComboBox(this);
    cmbCust_->setObjectName(kind.partyField);
    cmbCust_->setMinimumWidth(260);
    partyBox_ = cmbCust_;
    lstDcNo_ = new QListWidget(this);
    lstDcNo_->setObjectName(QStringLiteral("lstDcNo"));
    lstDcNo_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstDcNo_->setMaximumHeight(110);
    auto* left = new QGridLayout;
    left->addWidget(new QLabel(kind.party, this), 0, 0);
    left->addWidget(cmbCust_, 0, 1);
    left->addWidget(new QLabel(QStringLiteral("DC No"), this), 1, 0, Qt::AlignTop);
    left->addWidget(lstDcNo_, 1, 1);
    left->addWidget(new QLabel(QStringLiteral("Ctrl + Left  Mouse Button"), this), 2, 1);

    auto* right = new QGridLayout;
    right->addWidget(new QLabel(QStringLiteral("INVOICE NO"), this), 0, 0);
    right->addWidget(lineEdit(this, "txtInvNo", 20), 0, 1);
    dtpInvDate_ = new QDateTimeEdit(this);
    dtpInvDate_->setObjectName(QStringLiteral("dtpInvDate"));
    dtpInvDate_->setDisplayFormat(kind.kind->dayOnly ? QStringLiteral("dd/MM/yyyy")
                                                     : QStringLiteral("dd/MM/yyyy hh:mm AP"));
    dtpInvDate_->setCalendarPopup(true);
    right->addWidget(new QLabel(QStringLiteral("DATE"), this), 1, 0);
    right->addWidget(dtpInvDate_, 1, 1);
    right->addWidget(new QLabel(QStringLiteral("PAYMENT TERMS"), this), 2, 0);
    right->addWidget(lineEdit(this, "txtPayTerm", 100), 2, 1);
    // The bill's identifier, kept for the record, never typed.
    auto* id = lineEdit(this, "txtDcInvId", 12);
    id->setReadOnly(true);
    id->setFocusPolicy(Qt::NoFocus);
    id->hide();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addSpacing(20);
    top->addLayout(right, 2);

    makeGrid(kind.gridHeading, discountCol());
    grid_->setItemColumns(-1, -1, -1);
    QList<int> numeric{QtyCol, rateCol(), discountCol(), amountCol()};
    if (altQtyCol() >= 0) numeric << altQtyCol();
    grid_->setNumericColumns(numeric);
    // Lines come from the DCs: only their billing quantity, rate and discount are typed.
    grid_->setPartlyProcessed(true);
    grid_->setFirstEditableStoredColumn(altQtyCol() >= 0 ? altQtyCol() : rateCol());
    grid_->table()->setToolTip(kind.gridHint);
    grid_->editor()->setToolTip(kind.gridHint);
    grid_->table()->setColumnHidden(DcIdCol, true);
    grid_->setMinimumHeight(170);
    if (altQtyCol() >= 0) {
        lblUnitGuide_ = new QLabel(this);
        lblUnitGuide_->setObjectName(QStringLiteral("lblUnitGuide"));
        connect(grid_->table(), &QTableWidget::currentCellChanged, this, [this](int row) { showUnitGuide(row + 1); });
    }

    // Charges; the kind's taxes beside them.
    auto* taxes = new QGroupBox(this);
    taxGrid_ = new QGridLayout(taxes);
    cmbPackForwdType_ = typeCombo(taxes, "cmbPackForwdType");
    cmbFinalDiscType_ = typeCombo(taxes, "cmbFinalDiscType");
    taxField(0, 0, QStringLiteral("PACKING &  FORWARDING"), "txtPackForwd", cmbPackForwdType_);
    taxField(1, 0, QStringLiteral("OTHER CHARGES"), "txtOtherChrg");
    taxField(2, 0, QStringLiteral("FINAL DISCOUNT"), "txtFinalDisc", cmbFinalDiscType_);
    auto* total = lineEdit(taxes, "txtTotVal", 16);
    total->setReadOnly(true);
    total->setAlignment(Qt::AlignRight);
    total->setToolTip(QStringLiteral("Double-click to work the value out again"));
    total->setStyleSheet(QStringLiteral("font-weight: bold;"));
    total->setFocusPolicy(Qt::ClickFocus);
    total->installEventFilter(this);
    taxGrid_->addWidget(new QLabel(QStringLiteral("TOTAL INVOICE VALUE\n(In  Rs)"), taxes), 3, 0);
    taxGrid_->addWidget(total, 3, 1);
    auto* rem = lineEdit(taxes, "txtInvRem", 200);
    taxGrid_->addWidget(new QLabel(QStringLiteral("* NOTE:  (REMARKS)"), taxes), 10, 0);
    taxGrid_->addWidget(rem, 10, 1, 1, 8);
    for (QComboBox* c : {cmbPackForwdType_, cmbFinalDiscType_}) {
        connect(c, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
        watch(c);
    }

    // Search, links, status and commands.
    auto* lblGO = makeLinkLabel(this, "lblGO");
    lblGO->setText(QStringLiteral("Search Inv No."));
    auto* txtGO = lineEdit(this, "txtGO", 20);
    txtGO->setToolTip(QStringLiteral("Type the Invoice No. here, then press 'Enter' key to search"));
    txtGO->setMaximumWidth(120);
    auto* links = new QHBoxLayout;
    links->addWidget(lblGO);
    links->addWidget(txtGO);
    links->addStretch();
    if (lblUnitGuide_) {
        links->addWidget(lblUnitGuide_);
        links->addStretch();
    }
    for (const BillScreenKind::Link& l : kind.links) {
        QLabel* link = makeLinkLabel(this, l.name);
        link->setText(l.caption);
        link->installEventFilter(this);
        links->addWidget(link);
        links->addSpacing(16);
    }
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(makeStatusLabel(this), 1);
    statusRow->addWidget(makeLinkLabel(this, "lblCorres"));
    QHBoxLayout* commands = makeCommandRow(this);
    commands->insertWidget(4, makeButton(this, "cmdPrint", QStringLiteral("&Printer")));
    findChild<QPushButton*>(QStringLiteral("cmdPrint"))->setVisible(kind.prints);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(top);
    v->addWidget(grid_, 1);
    v->addWidget(taxes);
    v->addLayout(links);
    v->addLayout(statusRow);
    v->addLayout(commands);

    RecordTexts texts = kind.record;
    texts.showFirstOnLoad = false;  // the newest bill
    makeController(texts);

    cmdSave_ = findChild<QPushButton*>(QStringLiteral("cmdSave"));
    findChild<QPushButton*>(QStringLiteral("cmdModify"))->hide();
    connect(cmdSave_, &QPushButton::clicked, this, [this] {
        if (ctl_->state() == RecState::Modifying) ctl_->cmdModify();
    });
    connect(ctl_, &RecordController::stateChanged, this, [this](RecState s) {
        cmdSave_->setText(s == RecState::Adding ? QStringLiteral("&Save") : QStringLiteral("&Modify"));
        if (s == RecState::Modifying) cmdSave_->setEnabled(true);
    });
    grid_->table()->viewport()->installEventFilter(this);
    grid_->editor()->installEventFilter(this);
    connect(grid_, &LineGrid::cellCommitted, this, [this] { recompute(); });
    connect(grid_->editor(), &QLineEdit::textEdited, this, [this] { recompute(); });

    connect(cmbCust_, &QComboBox::activated, this, [this] { customerChosen(); });
    connect(lstDcNo_, &QListWidget::itemSelectionChanged, this, [this] { dcSelectionChanged(); });
    lstDcNo_->viewport()->installEventFilter(this);
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmbCust_, lstDcNo_, dtpInvDate_, edit("txtInvNo"), edit("txtPayTerm"), rem})
        watch(w);
    resize(1000, 720);
}

QLineEdit* BillScreen::taxField(int row, int col, const QString& caption, const char* name, QWidget* beside) {
    QWidget* box = taxGrid_->parentWidget();
    QLineEdit* e = lineEdit(box, name, 12, true);
    taxGrid_->addWidget(new QLabel(caption, box), row, col);
    taxGrid_->addWidget(e, row, col + 1);
    if (beside) taxGrid_->addWidget(beside, row, col + 2);
    connect(e, &QLineEdit::textChanged, this, [this] { recompute(); });
    watch(e);
    return e;
}

void BillScreen::watch(QWidget* w) {
    if (headerFields_.contains(w)) return;
    headerFields_ << w;
    w->installEventFilter(this);
}

// Header, grid, charges and taxes, remarks, then Save.
void BillScreen::setTaxOrder(const QList<QWidget*>& taxes) {
    QList<QWidget*> order{cmbCust_,           lstDcNo_,       edit("txtInvNo"),     dtpInvDate_,
                          edit("txtPayTerm"), grid_->table(), edit("txtPackForwd"), cmbPackForwdType_};
    order << taxes;
    order << edit("txtOtherChrg") << edit("txtFinalDisc") << cmbFinalDiscType_ << edit("txtInvRem") << cmdSave_;
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

QWidget* BillScreen::beforeGrid() {
    return edit("txtPayTerm");
}

QList<QWidget*> BillScreen::afterGrid() {
    return {edit("txtPackForwd")};
}

QLineEdit* BillScreen::edit(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

bool BillScreen::load() {
    if (!Screen::load()) return false;
    try {
        readSettings();
        if (!Bills::anyDc(prod().db(), *kind_.kind)) {
            Dialogs::current().exclamation(appTitle(), kind_.noDc);
            for (const char* b :
                 {"cmdNew", "cmdSave", "cmdDelete", "cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"})
                findChild<QPushButton*>(QString::fromLatin1(b))->setEnabled(false);
            setFieldsEnabled(false);
            return true;
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    ctl_->start();
    return true;
}

// ---------------------------------------------------------------- records

QList<qint64> BillScreen::navigation() {
    return Bills::navigation(prod().db(), *kind_.kind);
}

QVariantList BillScreen::navigationKey(qint64 id) {
    return Bills::navigationKey(prod().db(), *kind_.kind, id);
}

QVariant BillScreen::navigationStamp() {
    return Bills::navigationStamp(prod().db(), *kind_.kind);
}

// A bill's identifier is given when it is written.
qint64 BillScreen::proposeId() {
    return 0;
}

void BillScreen::showHead(const Bills::Head& h) {
    edit("txtInvNo")->setText(h.invNo);
    dtpInvDate_->setDateTime(h.invDate);
    edit("txtPayTerm")->setText(h.payTerm);
    edit("txtInvRem")->setText(h.invRem);
    cmbPackForwdType_->setCurrentIndex(h.packPerc ? 1 : 0);
    edit("txtPackForwd")->setText(h.packPerc ? percentText(h.packForwd) : moneyText(h.packForwd));
    cmbFinalDiscType_->setCurrentIndex(h.finalDiscPerc ? 1 : 0);
    edit("txtFinalDisc")->setText(h.finalDiscPerc ? percentText(h.finalDisc) : moneyText(h.finalDisc));
    edit("txtOtherChrg")->setText(moneyText(h.otherCharges));
}

void BillScreen::showRecord(qint64 id) {
    filling_ = true;
    const std::optional<Stored> s = loadBill(id);
    if (!s) {
        filling_ = false;
        return;
    }
    const Bills::Head& h = s->bill.head;
    cmbCust_->clear();
    const chain::DcKind& dk = *kind_.kind->dc;
    cmbCust_->addItem(
        Sql::scalar(prod().db(),
                    QStringLiteral("select %1 from %2 where %3=?").arg(dk.partyName, dk.partyTable, dk.party),
                    {h.party})
            .toString(),
        h.party);
    cmbCust_->setCurrentIndex(0);
    lstDcNo_->clear();
    for (const Bills::Choice& c : Bills::dcChoices(prod().db(), *kind_.kind, h.dcIds)) {
        auto* it = new QListWidgetItem(c.text, lstDcNo_);
        it->setData(Qt::UserRole, c.id);
        it->setSelected(true);
    }
    showHead(h);
    edit("txtDcInvId")->setText(QString::number(id));
    fillLines(s->bill.lines);
    filling_ = false;
    // The value as stored; the grid's amounts are worked out from the stored rates.
    const Worked v = value(read());
    for (int i = 0; i < v.amounts.size(); ++i) grid_->setText(i + 1, amountCol(), v.amounts[i].toString());
    edit("txtTotVal")->setText(s->totVal.toString());
}

void BillScreen::clearForNew(qint64) {
    filling_ = true;
    cmbCust_->clear();
    for (const Bills::Choice& c : Bills::partiesToBill(prod().db(), *kind_.kind)) cmbCust_->addItem(c.text, c.id);
    cmbCust_->setCurrentIndex(-1);
    lstDcNo_->clear();
    showHead({});
    edit("txtTotVal")->clear();
    edit("txtDcInvId")->clear();
    clearTaxes();
    fillLines({});
    dtpInvDate_->setDateTime(Clock::now());
    if (lblUnitGuide_) lblUnitGuide_->clear();
    filling_ = false;
    if (!kind_.book.isEmpty()) edit("txtInvNo")->setText(QString::number(prod().NextInvoiceNumber(kind_.book)));
    cmbCust_->setFocus();
}

void BillScreen::setFieldsEnabled(bool on) {
    for (QWidget* w : headerFields_) w->setEnabled(on);
    // The party and the DCs of a stored bill stay as they are.
    const bool adding = on && ctl_ && ctl_->state() == RecState::Adding;
    cmbCust_->setEnabled(adding);
    lstDcNo_->setEnabled(adding);
}

void BillScreen::fillLines(const QVector<Line>& lines) {
    lines_ = lines;
    grid_->clearLines();
    for (const Line& l : lines) {
        // Kinds billing in the other unit show both quantities to the paisa's two places.
        const bool alt = altQtyCol() >= 0;
        QStringList cells{l.dcNo, QString::number(l.slNo), l.particulars,
                          alt ? QString::number(l.qty, 'f', 2) : text::plain(l.qty)};
        if (alt) cells << QString::number(l.altQty, 'f', 2);
        cells << chain::Rows::rateText(l.rate) << text::plain(l.discount) << QString();
        grid_->addLine(cells);
        grid_->setText(grid_->lineCount(), DcIdCol, QString::number(l.dcId));
    }
    grid_->setStoredLineCount(grid_->lineCount());
}

void BillScreen::showUnitGuide(int row) {
    if (row < 1 || row > lines_.size()) return;
    const Line& l = lines_[row - 1];
    const QString alt = l.altUnit.isEmpty() ? l.unit : l.altUnit;
    QString guide = QStringLiteral("ITEM : ") + l.itemCode + QStringLiteral("    UOM :  ");
    if (l.unit.compare(alt, Qt::CaseInsensitive) == 0)
        guide += l.unit + QStringLiteral(" (Qty && Alt.Qty should be same)");
    else
        guide += l.unit + QStringLiteral(" (Qty)  /  ") + alt + QStringLiteral(" (Alt.Qty) ");
    lblUnitGuide_->setText(guide);
}

// ---------------------------------------------------------------- choosing the party and DCs

void BillScreen::customerChosen() {
    if (filling_ || ctl_->state() != RecState::Adding) return;
    try {
        filling_ = true;
        lstDcNo_->clear();
        const qint64 party = cmbCust_->currentData().toLongLong();
        for (const Bills::Choice& c : Bills::openDcs(prod().db(), *kind_.kind, party)) {
            auto* it = new QListWidgetItem(c.text, lstDcNo_);
            it->setData(Qt::UserRole, c.id);
        }
        fillLines({});
        proposeTaxes(party, {});
        filling_ = false;
    } catch (const DbError& e) {
        filling_ = false;
        logFailure(e);
    }
    recompute();
}

void BillScreen::dcSelectionChanged() {
    if (filling_ || ctl_->state() != RecState::Adding) return;
    QList<QListWidgetItem*> chosen;
    for (int i = 0; i < lstDcNo_->count(); ++i)
        if (lstDcNo_->item(i)->isSelected()) chosen << lstDcNo_->item(i);
    if (oneDcPerBill_ && chosen.size() > 1) {
        // One DC per bill: the first in the list stays.
        filling_ = true;
        for (int i = 1; i < chosen.size(); ++i) chosen[i]->setSelected(false);
        filling_ = false;
        chosen = {chosen.first()};
    }
    if (chosen.isEmpty()) {
        fillLines({});
        recompute();
        Dialogs::current().information(appTitle(), QStringLiteral("Select  DC(s) from the List!"));
        return;
    }
    QList<qint64> ids;
    for (QListWidgetItem* it : chosen) ids << it->data(Qt::UserRole).toLongLong();
    try {
        const qint64 party = cmbCust_->currentData().toLongLong();
        QVector<Line> lines = Bills::lines(prod().db(), *kind_.kind, ids);
        Bills::proposeRates(prod().db(), *kind_.kind, party, lines);
        // What was already typed for lines still on the bill stays.
        const Bill typed = read();
        for (Line& l : lines)
            for (const Line& t : typed.lines)
                if (t.dcId == l.dcId && t.slNo == l.slNo) {
                    l.rate = t.rate;
                    l.discount = t.discount;
                    l.altQty = t.altQty;
                }
        filling_ = true;
        fillLines(lines);
        proposeTaxes(party, ids);
        filling_ = false;
    } catch (const DbError& e) {
        filling_ = false;
        logFailure(e);
    }
    recompute();
}

// ---------------------------------------------------------------- the value

BillScreen::Bill BillScreen::read() const {
    Bill b;
    Bills::Head& h = b.head;
    h.party = cmbCust_->currentIndex() >= 0 ? cmbCust_->currentData().toLongLong() : 0;
    for (int i = 0; i < lstDcNo_->count(); ++i)
        if (lstDcNo_->item(i)->isSelected()) h.dcIds << lstDcNo_->item(i)->data(Qt::UserRole).toLongLong();
    h.invNo = edit("txtInvNo")->text().trimmed();
    h.invDate = dtpInvDate_->dateTime();
    h.payTerm = edit("txtPayTerm")->text();
    h.invRem = edit("txtInvRem")->text();
    h.packPerc = cmbPackForwdType_->currentIndex() == 1;
    h.packForwd = text::typed(edit("txtPackForwd")->text());
    h.finalDiscPerc = cmbFinalDiscType_->currentIndex() == 1;
    h.finalDisc = text::typed(edit("txtFinalDisc")->text());
    h.otherCharges = text::typed(edit("txtOtherChrg")->text());
    for (int row = 1; row <= grid_->lineCount() && row <= lines_.size(); ++row) {
        Line l = lines_[row - 1];
        if (altQtyCol() >= 0) l.altQty = text::typed(grid_->text(row, altQtyCol()));
        l.rate = text::typed(grid_->text(row, rateCol()));
        l.discount = text::typed(grid_->text(row, discountCol()));
        b.lines << l;
    }
    return b;
}

void BillScreen::recompute() {
    if (filling_) return;
    const Bill b = read();
    const Worked v = value(b);
    for (int i = 0; i < v.amounts.size(); ++i) {
        const int row = i + 1;
        if (grid_->text(row, amountCol()) != v.amounts[i].toString())
            grid_->setText(row, amountCol(), v.amounts[i].toString());
    }
    edit("txtTotVal")->setText(b.lines.isEmpty() ? QString() : v.total.toString());
}

// ---------------------------------------------------------------- saving

Check BillScreen::validate(bool adding) {
    return validateBill(read(), adding ? 0 : ctl_->currentId());
}

void BillScreen::focusRefusal(const Refusal& r) {
    // A line's refusal concerns a typed cell: the billing quantity, the rate or the discount.
    if (!r.onGrid() || grid_->lineCount() == 0) return;
    const int first = altQtyCol() >= 0 ? altQtyCol() : rateCol();
    Refusal at = r;
    at.col = r.col >= first ? r.col : first;
    DocumentScreen::focusRefusal(at);
}

qint64 BillScreen::write(bool adding, qint64) {
    return saveBill(read(), adding ? 0 : ctl_->currentId());
}

Check BillScreen::modifyBlock() {
    return Bills::modifyBlock(prod().db(), *kind_.kind, ctl_->currentId());
}

Check BillScreen::deleteBlock() {
    return Bills::deleteBlock(prod().db(), *kind_.kind, ctl_->currentId());
}

void BillScreen::remove(qint64 id) {
    removeBill(id);
}

Found BillScreen::find(const QString& text) {
    const qint64 party = cmbCust_->currentIndex() >= 0 ? cmbCust_->currentData().toLongLong() : 0;
    return Bills::find(prod().db(), *kind_.kind, text, party);
}

// ---------------------------------------------------------------- the rest

void BillScreen::openLinked(const QString& screen) {
    if (ctl_->currentId() == 0 || ctl_->state() == RecState::Adding) return;
    if (Screens::has(screen)) {
        Screens::open(screen);
        return;
    }
    Dialogs::current().information(appTitle(), QStringLiteral("This screen is not available yet."));
}

bool BillScreen::eventFilter(QObject* o, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type == QEvent::MouseButtonDblClick && o == edit("txtTotVal")) {
        recompute();
        return true;
    }
    if (type == QEvent::MouseButtonPress) {
        if (o == lstDcNo_->viewport() && ctl_->state() == RecState::Adding && cmbCust_->currentIndex() < 0) {
            Dialogs::current().information(appTitle(), kind_.noParty);
            return true;
        }
        // The grid's lines come only from the DCs: a click into an empty grid adds none.
        if (o == grid_->table()->viewport() && grid_->lineCount() == 0) return true;
        for (const BillScreenKind::Link& l : kind_.links)
            if (o->objectName() == QLatin1String(l.name)) {
                openLinked(l.screen);
                return true;
            }
        // A click on a field of a shown bill starts modifying it.
        auto* w = qobject_cast<QWidget*>(o);
        if (w && headerFields_.contains(w) && ctl_->state() == RecState::Browse && ctl_->currentId() != 0)
            ctl_->beginModify();
    }
    if (type == QEvent::KeyPress && o == grid_->editor()) {
        // No line is added from the keyboard: Down or Enter on the last line's last column
        // stays; Enter on another line's last column goes on to the next line's first typed cell.
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        const bool lastRow = grid_->editRow() == grid_->lineCount();
        if (lastRow && (key == Qt::Key_Down || (enter && grid_->editColumn() == discountCol()))) {
            grid_->commitEditor();
            return true;
        }
        if (enter && grid_->editColumn() == discountCol()) {
            grid_->beginEdit(grid_->editRow() + 1, altQtyCol() >= 0 ? altQtyCol() : rateCol());
            return true;
        }
    }
    return DocumentScreen::eventFilter(o, e);
}

}  // namespace kavra
