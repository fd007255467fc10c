#include "cash/forms/LedgerScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "cash/Vouchers.h"
#include "cash/forms/CashPanel.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "printing/PrintRules.h"
#include "ui/Grid.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

constexpr int kBillCol = 1, kAmountCol = 2;

const QString kBillsHeading = QStringLiteral("Sl No      |Bill No                            |Amount            ");

}  // namespace

const LedgerScreenKind& receiptsScreen() {
    static const LedgerScreenKind k = [] {
        LedgerScreenKind k;
        k.side = &Ledger::receipts();
        k.caption = QStringLiteral("CASH FLOW - RECEIPTS");
        k.heading = QStringLiteral("Receipts");
        k.numberName = "lblRecpId";
        k.numberCaption = QStringLiteral("Receipt No");
        k.dateName = "DTPRecpDate";
        k.headCaption = QStringLiteral("Income Type");
        k.partyCaption = QStringLiteral("Pay From");
        k.typeCaption = QStringLiteral("Receipt Type");
        RecordTexts& t = k.texts;
        t.adding = QStringLiteral("You are about to ADD a NEW Receipt Now...");
        t.modifying = QStringLiteral("You are about to MODIFY the existing Receipt now...");
        t.deleting = QStringLiteral("You are about to DELETE the existing Receipt now...");
        t.emptyTable = QStringLiteral("No Records to Display...");
        t.emptyIcon = MsgIcon::Exclamation;
        t.sayEmpty = true;
        t.saveQuestion = QStringLiteral("Are You Sure To Save?");
        t.modifyQuestion = QStringLiteral("Are You Sure To Modify?");
        t.deleteQuestion = QStringLiteral("Make sure to Delete this Record\n\nAre You Sure to Delete This Record...?");
        t.saved = QStringLiteral("Record Saved Successfully...");
        t.modified = QStringLiteral("Record Modified Successfully...");
        t.deleted = QStringLiteral("Record Deleted Successfully...");
        t.showFirstOnLoad = false;
        t.deleteGoesFirst = false;
        t.deleteGoesLast = true;
        return k;
    }();
    return k;
}

const LedgerScreenKind& paymentsScreen() {
    static const LedgerScreenKind k = [] {
        LedgerScreenKind k = receiptsScreen();
        k.side = &Ledger::payments();
        k.caption = QStringLiteral("CASH FLOW - PAYMENTS");
        k.heading = QStringLiteral("Payments");
        k.numberName = "txtPayId";
        k.numberCaption = QStringLiteral("Payment No");
        k.dateName = "DTPPayDate";
        k.headCaption = QStringLiteral("Expense Type");
        k.partyCaption = QStringLiteral("Pay To");
        k.typeCaption = QStringLiteral("Payment Type");
        k.voucher = true;
        RecordTexts& t = k.texts;
        t.adding = QStringLiteral("You are about to ADD a NEW Payment Now...");
        t.modifying = QStringLiteral("You are about to MODIFY the existing Payment now...");
        t.deleting = QStringLiteral("You are about to DELETE the existing Payment now...");
        return k;
    }();
    return k;
}

LedgerScreen::LedgerScreen(const LedgerScreenKind& kind)
    : DocumentScreen(kind.side->screen, kind.caption), kind_(kind), side_(*kind.side) {
    QLabel* heading = makeDocHeading(this, kind.heading);
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("fraHeader"));
    headerBox_ = box;
    auto* g = new QGridLayout(box);

    QWidget* number;
    if (side_.numberTyped) {
        txtNumber_ = makeLineEdit(box, kind.numberName, 10);
        numericOnly(txtNumber_);
        number = txtNumber_;
    } else {
        lblNumber_ = new QLabel(box);
        lblNumber_->setObjectName(QString::fromLatin1(kind.numberName));
        lblNumber_->setStyleSheet(QStringLiteral("font-weight: bold;"));
        number = lblNumber_;
    }
    lblId_ = new QLabel(box);
    lblId_->setObjectName(QStringLiteral("lblId"));
    lblId_->hide();
    date_ = makeDate(box, kind.dateName);
    g->addWidget(new QLabel(kind.numberCaption, box), 0, 0);
    g->addWidget(number, 0, 1);
    g->addWidget(makeCaption(box, QStringLiteral("Date"), date_), 0, 2);
    g->addWidget(date_, 0, 3);

    optCash_ = new QRadioButton(QStringLiteral("&Cash"), box);
    optCash_->setObjectName(QStringLiteral("optCash"));
    optBank_ = new QRadioButton(QStringLiteral("&Bank"), box);
    optBank_->setObjectName(QStringLiteral("optBank"));
    optBank_->setChecked(true);
    auto* side = new QHBoxLayout;
    side->addWidget(optBank_);
    side->addWidget(optCash_);
    side->addStretch();
    g->addLayout(side, 1, 1, 1, 3);

    frameBank_ = new QGroupBox(QStringLiteral("Bank Details"), box);
    frameBank_->setObjectName(QStringLiteral("frameBank"));
    auto* b = new QGridLayout(frameBank_);
    cmbBank_ = new QComboBox(frameBank_);
    cmbBank_->setObjectName(QStringLiteral("cmbBank"));
    cmbBank_->setMinimumWidth(240);
    txtChNo_ = makeLineEdit(frameBank_, "txtChNo", 30);
    dtpChDate_ = makeOptionalDate(frameBank_, "DTPCHDate");
    b->addWidget(makeCaption(frameBank_, QStringLiteral("Our Bank Ac"), cmbBank_), 0, 0);
    b->addWidget(cmbBank_, 0, 1, 1, 3);
    b->addWidget(makeCaption(frameBank_, QStringLiteral("*Cheque No"), txtChNo_), 1, 0);
    b->addWidget(txtChNo_, 1, 1);
    b->addWidget(makeCaption(frameBank_, QStringLiteral("*Cheque Date"), dtpChDate_), 1, 2);
    b->addWidget(dtpChDate_, 1, 3);
    g->addWidget(frameBank_, 2, 0, 1, 4);

    txtHead_ = addField(g, 3, 0, kind.headCaption, side_.fldHead.toLatin1().constData(), 100);
    txtParty_ = addField(g, 4, 0, kind.partyCaption, side_.fldParty.toLatin1().constData(), 100);
    txtType_ = addField(g, 5, 0, kind.typeCaption, side_.fldType.toLatin1().constData(), 40);
    txtAmount_ = addField(g, 6, 0, QStringLiteral("Amount"), side_.fldAmount.toLatin1().constData(), 16);
    numericOnly(txtAmount_);
    txtAmount_->setAlignment(Qt::AlignRight);
    lblWords_ = new QLabel(box);
    lblWords_->setObjectName(QStringLiteral("lblWords"));
    lblWords_->setWordWrap(true);
    lblWords_->setStyleSheet(QStringLiteral("color: #20406a; font-style: italic;"));
    // Its two lines are kept free, so showing it moves nothing else on the screen.
    QSizePolicy keep = lblWords_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    lblWords_->setSizePolicy(keep);
    lblWords_->setMinimumHeight(2 * lblWords_->fontMetrics().lineSpacing() + 4);
    lblWords_->hide();
    g->addWidget(lblWords_, 7, 1, 1, 3);
    txtDesc_ = addField(g, 8, 0, QStringLiteral("* Description"), side_.fldDesc.toLatin1().constData(), 200);
    // The fields span the box; their captions sit in column 0.
    int row = 3;
    for (QLineEdit* e : {txtHead_, txtParty_, txtType_, txtAmount_}) {
        g->removeWidget(e);
        g->addWidget(e, row++, 1, 1, 3);
    }
    g->removeWidget(txtDesc_);
    g->addWidget(txtDesc_, 8, 1, 1, 3);
    g->setRowStretch(9, 1);

    makeGrid(kBillsHeading, 2);
    grid_->table()->setObjectName(QStringLiteral("msflexBills"));
    grid_->setItemColumns(kBillCol, -1, -1);
    grid_->setNumericColumns({kAmountCol});
    // The party's open bills, as Balance Details last read them.
    grid_->itemCodes = [this] {
        QStringList bills;
        for (const BillBooks::OpenBill& b : details_.open) bills << b.invNo;
        return bills;
    };
    grid_->itemByCode = [this](const QString& bill) -> std::optional<ItemInfo> {
        const auto rule = side_.rule(head_);
        if (!rule || !rule->book) return std::nullopt;
        const auto party = Ledger::partyId(prod().db(), *rule, txtParty_->text());
        if (!party || !BillBooks::balanceOf(prod().db(), *rule->book, *party, bill)) return std::nullopt;
        return ItemInfo{1, bill, QString()};
    };
    connect(grid_, &LineGrid::itemChosen, this, [this](int row, qint64) {
        const auto rule = side_.rule(head_);
        if (!rule || !rule->book || !grid_->text(row, kAmountCol).trimmed().isEmpty()) return;
        tryDb([&] {
            const auto party = Ledger::partyId(prod().db(), *rule, txtParty_->text());
            const auto balance =
                party ? BillBooks::balanceOf(prod().db(), *rule->book, *party, grid_->text(row, kBillCol))
                      : std::nullopt;
            if (balance && !balance->isZero()) grid_->setText(row, kAmountCol, balance->toString());
        });
        sumGrid();
    });
    connect(grid_, &LineGrid::cellCommitted, this, [this](int, int col) {
        if (col == kAmountCol) sumGrid();
    });
    grid_->table()->viewport()->installEventFilter(this);

    lstView_ = new QListWidget(this);
    lstView_->setObjectName(QStringLiteral("lstView"));
    lstView_->setFocusPolicy(Qt::NoFocus);
    lstView_->hide();
    neverExport(lstView_);
    connect(lstView_, &QListWidget::itemDoubleClicked, this, [this] {
        QLineEdit* box = pick_ == Pick::Head ? txtHead_ : pick_ == Pick::Party ? txtParty_ : txtType_;
        if (pick_ != Pick::None && takePick(box)) focusNextField(box);
    });
    for (QLineEdit* e : {txtHead_, txtParty_, txtType_}) {
        attachTypeAhead(e, lstView_);
        keepOwnEnter(e);
        e->installEventFilter(this);
    }
    keepOwnEnter(txtAmount_);
    txtAmount_->installEventFilter(this);

    msfBal_ = makeListGrid(QStringLiteral("msfBal"), QStringLiteral("Particulars             |Amount          "), this);
    msfBal_->setFocusPolicy(Qt::ClickFocus);
    auto* balBox = new QGroupBox(QStringLiteral("Balance Details"), this);
    (new QVBoxLayout(balBox))->addWidget(msfBal_);
    cash_ = new CashPanel(this);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Bills List"), this));
    right->addWidget(grid_, 3);
    auto* panels = new QHBoxLayout;
    panels->addWidget(balBox, 1);
    panels->addWidget(cash_, 1);
    right->addLayout(panels, 2);
    auto* body = new QHBoxLayout;
    body->addWidget(box, 5);
    body->addLayout(right, 6);

    auto* links = new QHBoxLayout;
    links->addStretch();
    addCorresAndPrint(links, this, QStringLiteral("&Printer"));
    if (kind.voucher) {
        QPushButton* cheque = makeButton(this, "cmdCheqPrint", QStringLiteral("&Cheque"));
        links->addWidget(cheque);
        connect(cheque, &QPushButton::clicked, this, [this] { printCheque(); });
    }

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(body, 1);
    v->addLayout(links);
    v->addWidget(makeStatusLabel(this));
    v->addLayout(makeCommandRow(this));
    resize(1240, 700);

    makeController(kind.texts);
    setNavigationTable(QStringLiteral("FundTrans"), QStringLiteral("FundTransId"), Ledger::sideWhere(side_));
    connect(ctl_, &RecordController::stateChanged, this,
            [this](RecState s) { grid_->setEditable(s == RecState::Adding); });

    connect(optBank_, &QRadioButton::toggled, this, [this] { bankChosen(); });
    connect(txtHead_, &QLineEdit::textChanged, this, [this] { headChanged(); });
    connect(txtType_, &QLineEdit::textChanged, this, [this] { typeChanged(); });
    connect(txtParty_, &QLineEdit::textChanged, this, [this] {
        if (!filling_) refreshDetails();
    });
    connect(txtAmount_, &QLineEdit::textChanged, this,
            [this](const QString& t) { lblWords_->setText(Ledger::amountInWords(Money::parse(t))); });
    QList<QWidget*> chain;
    if (txtNumber_) chain << txtNumber_;
    chain << QList<QWidget*>{date_,
                             optBank_,
                             optCash_,
                             cmbBank_,
                             txtChNo_,
                             dtpChDate_,
                             txtHead_,
                             txtParty_,
                             txtType_,
                             txtAmount_,
                             txtDesc_,
                             grid_->table(),
                             findChild<QWidget*>(QStringLiteral("cmdSave"))};
    tabChain(chain);
}

bool LedgerScreen::load() {
    return ctl_->open([this] {
        QSqlQuery q = Sql::exec(prod().db(), QStringLiteral("select BankId, BankName from Banks order by BankName"));
        while (q.next()) cmbBank_->addItem(q.value(1).toString().trimmed(), q.value(0));
        cash_->refresh(prod().db());
    });
}

// ---- Records.

QList<qint64> LedgerScreen::navigation() {
    return Ledger::numbers(prod().db(), side_);
}

qint64 LedgerScreen::proposeId() {
    return Ledger::proposedNumber(prod().db(), side_);
}

qint64 LedgerScreen::shownNumber() const {
    return (txtNumber_ ? txtNumber_->text() : lblNumber_->text()).trimmed().toLongLong();
}

void LedgerScreen::showNumber(qint64 number) {
    (txtNumber_ ? static_cast<void>(txtNumber_->setText(QString::number(number)))
                : static_cast<void>(lblNumber_->setText(QString::number(number))));
}

void LedgerScreen::clearForNew(qint64 number) {
    filling_ = true;
    proposedNumber_ = number;
    showNumber(number);
    lblId_->setText(QString::number(Ledger::proposedId(prod().db())));
    date_->setDate(Clock::today());
    optBank_->setChecked(true);
    cmbBank_->setCurrentIndex(cmbBank_->count() == 1 ? 0 : -1);
    txtChNo_->clear();
    setOptionalDate(dtpChDate_, QDate());
    for (QLineEdit* e : {txtHead_, txtParty_, txtType_, txtAmount_, txtDesc_}) e->clear();
    head_ = 0;
    type_ = 0;
    grid_->clearLines();
    details_ = {};
    msfBal_->setRowCount(0);
    filling_ = false;
    bankChosen();
    QTimer::singleShot(0, txtHead_, [this] {
        // The box may hold the focus already (a message shown on opening gave it back): its list opens anyway.
        const bool had = txtHead_->hasFocus();
        txtHead_->setFocus(Qt::OtherFocusReason);
        if (had && ctl_->state() == RecState::Adding) showPicks(txtHead_);
    });
}

void LedgerScreen::showRecord(qint64 number) {
    const auto e = Ledger::load(prod().db(), side_, number);
    if (!e) return;
    filling_ = true;
    showNumber(e->number);
    lblId_->setText(QString::number(e->id));
    date_->setDate(e->date);
    (e->source == Ledger::Source::Cash ? optCash_ : optBank_)->setChecked(true);
    cmbBank_->setCurrentIndex(e->source == Ledger::Source::Bank ? cmbBank_->findData(e->bankId) : -1);
    txtChNo_->setText(e->chNo);
    setOptionalDate(dtpChDate_, e->chDate);
    head_ = e->head;
    type_ = e->type;
    txtHead_->setText(Ledger::headName(prod().db(), side_, e->head));
    txtParty_->setText(e->party);
    txtType_->setText(Ledger::typeText(side_, e->type));
    txtAmount_->setText(e->amount.toString());
    txtDesc_->setText(e->desc);
    grid_->clearLines();
    for (const Ledger::Row& r : e->rows) grid_->addLine({r.bill, r.amount.toString()});
    filling_ = false;
    bankChosen();
    refreshDetails();
}

void LedgerScreen::setFieldsEnabled(bool on) {
    DocumentScreen::setFieldsEnabled(on);
    // A stored entry keeps what it settled: only its date, description and bank details change.
    const bool adding = ctl_ && ctl_->state() == RecState::Adding;
    for (QLineEdit* e : {txtHead_, txtParty_, txtType_, txtAmount_}) e->setEnabled(on && adding);
    if (txtNumber_) txtNumber_->setEnabled(on);
    frameBank_->setEnabled(on && optBank_->isChecked());
    if (!on) lstView_->hide();
}

Ledger::Entry LedgerScreen::entry() const {
    Ledger::Entry e;
    e.id = lblId_->text().toLongLong();
    e.number = shownNumber();
    e.numberAsTyped = txtNumber_ && e.number != proposedNumber_;
    e.date = date_->date();
    e.source = optCash_->isChecked() ? Ledger::Source::Cash : Ledger::Source::Bank;
    e.bankId = cmbBank_->currentIndex() >= 0 ? cmbBank_->currentData().toLongLong() : 0;
    e.chNo = txtChNo_->text();
    e.chDate = optionalDate(dtpChDate_);
    e.head = head_;
    e.party = txtParty_->text().trimmed();
    e.type = type_;
    e.desc = txtDesc_->text();
    e.amount = Money::parse(txtAmount_->text());
    const int lines = usedLines();
    for (int r = 1; r <= lines; ++r)
        e.rows.append({grid_->text(r, kBillCol).trimmed(), Money::parse(grid_->text(r, kAmountCol))});
    return e;
}

Check LedgerScreen::validate(bool adding) {
    grid_->commitEditor();
    return Ledger::validate(prod().db(), side_, entry(), adding);
}

qint64 LedgerScreen::write(bool adding, qint64 number) {
    Ledger::Entry e = entry();
    // A typed number is the box's; a proposed one is what New proposed.
    if (!txtNumber_) e.number = number;
    if (!adding) {
        Ledger::modify(prod().db(), side_, e);
        return e.number;
    }
    const Ledger::Entry saved = Ledger::save(prod().db(), side_, e);
    lblId_->setText(QString::number(saved.id));
    return saved.number;
}

Check LedgerScreen::modifyBlock() {
    return Ledger::changeBlock(prod().db(), side_, ctl_->currentId());
}

Check LedgerScreen::deleteBlock() {
    return Ledger::changeBlock(prod().db(), side_, ctl_->currentId());
}

void LedgerScreen::remove(qint64 number) {
    Ledger::remove(prod().db(), side_, number);
}

void LedgerScreen::print() {
    if (!kind_.voucher) return;
    Dialogs& dlg = Dialogs::current();
    if (const auto p = Print::companyDetailsProblem(prod().db())) {
        dlg.exclamation(appTitle(), *p);
        return;
    }
    if (ctl_->state() == RecState::Adding) {
        dlg.exclamation(appTitle(), QStringLiteral("You have to save the Record First in order to take a Print!!!"));
        return;
    }
    tryDb([&] {
        if (const auto doc = Vouchers::voucher(prod().db(), side_, ctl_->currentId()))
            Print::printChecked(prod().db(), dlg, *doc, false);
    });
}

void LedgerScreen::printCheque() {
    const bool adding = ctl_->state() == RecState::Adding;
    std::optional<Ledger::Entry> e;
    if (!adding) tryDb([&] { e = Ledger::load(prod().db(), side_, ctl_->currentId()); });
    if (const Check c = Vouchers::chequeProblem(e.value_or(entry()), adding || !e)) {
        ctl_->refuse(*c);
        return;
    }
    tryDb([&] { Print::printChecked(prod().db(), Dialogs::current(), Vouchers::chequeLeaf(*e), false); });
}

void LedgerScreen::refreshLists() {
    cash_->refresh(prod().db());
}

// ---- The boxes.

void LedgerScreen::headChanged() {
    if (filling_) return;
    tryDb([&] { head_ = Ledger::headOfName(prod().db(), side_, txtHead_->text()).value_or(0); });
    // The type texts differ between heads; a type the head does not take counts as none.
    const int typed = Ledger::typeCode(side_, txtType_->text());
    type_ = 0;
    for (const Ledger::TypeText& t : Ledger::typesFor(side_, head_))
        if (t.code == typed) type_ = typed;
    grid_->clearLines();
    refreshDetails();
}

void LedgerScreen::typeChanged() {
    if (filling_) return;
    type_ = Ledger::typeCode(side_, txtType_->text());
    grid_->clearLines();
    refreshDetails();
}

void LedgerScreen::refreshDetails() {
    msfBal_->setRowCount(0);
    details_ = {};
    if (head_ > 0 && !txtParty_->text().trimmed().isEmpty())
        tryDb([&] { details_ = Ledger::details(prod().db(), side_, head_, txtParty_->text()); });
    // The grid's bill list is the party's open bills under the head.
    grid_->refreshItemCodes();
    if (head_ <= 0 || txtParty_->text().trimmed().isEmpty()) return;
    auto add = [this](const QString& what, Money m) {
        const int r = msfBal_->rowCount();
        msfBal_->insertRow(r);
        setCell(msfBal_, r, 0, what);
        setCell(msfBal_, r, 1, m.toString());
        msfBal_->item(r, 1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    if (details_.reserved) add(QStringLiteral("Opening Balance"), details_.opening);
    add(QStringLiteral("Advance Balance"), details_.advance);
    if (!details_.reserved) return;
    add(QStringLiteral("All Bill Balance"), details_.allBills);
    for (const BillBooks::OpenBill& b : details_.open) add(b.invNo, b.balance);
}

void LedgerScreen::showPicks(QLineEdit* box) {
    lstView_->clear();
    pick_ = box == txtHead_ ? Pick::Head : box == txtParty_ ? Pick::Party : Pick::Type;
    tryDb([&] {
        if (pick_ == Pick::Head)
            for (const Ledger::Pick& p : Ledger::headList(prod().db(), side_)) lstView_->addItem(p.text);
        else if (pick_ == Pick::Party)
            for (const Ledger::Pick& p : Ledger::partyList(prod().db(), side_, head_)) lstView_->addItem(p.text);
        else
            for (const Ledger::TypeText& t : Ledger::typesFor(side_, head_)) lstView_->addItem(t.text);
    });
    const QString typed = box->text().trimmed();
    for (int i = 0; i < lstView_->count(); ++i)
        if (lstView_->item(i)->text().compare(typed, Qt::CaseInsensitive) == 0) lstView_->setCurrentRow(i);
    const QPoint at = box->mapTo(this, QPoint(0, box->height()));
    lstView_->setGeometry(at.x(), at.y(), std::max(box->width(), 260),
                          std::min(200, 8 + lstView_->sizeHintForRow(0) * std::max(1, int(lstView_->count()))));
    lstView_->raise();
    lstView_->show();
}

bool LedgerScreen::takePick(QLineEdit* box) {
    QListWidgetItem* it = lstView_->isVisible() ? lstView_->currentItem() : nullptr;
    lstView_->hide();
    pick_ = Pick::None;
    if (!it) return false;
    if (box->text() != it->text()) box->setText(it->text());
    return true;
}

void LedgerScreen::bankChosen() {
    const bool on = optBank_->isChecked() && optBank_->isEnabled();
    frameBank_->setEnabled(on);
}

void LedgerScreen::sumGrid() {
    Money sum;
    for (int r = 1; r <= grid_->lineCount(); ++r) sum += Money::parse(grid_->text(r, kAmountCol));
    txtAmount_->setText(sum.toString());
}

void LedgerScreen::amountEntered() {
    const bool adding = ctl_->state() == RecState::Adding;
    if (adding && Ledger::settlesBills(side_, head_, type_)) {
        if (type_ == Ledger::kAutomatic) {
            grid_->clearLines();
            tryDb([&] {
                for (const Ledger::Row& r : Ledger::automaticRows(prod().db(), side_, head_, txtParty_->text(),
                                                                  Money::parse(txtAmount_->text())))
                    grid_->addLine({r.bill, r.amount.toString()});
            });
            txtDesc_->setFocus(Qt::TabFocusReason);
        } else {
            grid_->setFocus();
            grid_->beginEdit(std::max(1, grid_->lineCount()), kBillCol);
        }
        return;
    }
    focusNextField(txtAmount_);
}

bool LedgerScreen::eventFilter(QObject* o, QEvent* e) {
    const bool adding = ctl_ && ctl_->state() == RecState::Adding;
    if (o == grid_->table()->viewport() && e->type() == QEvent::MouseButtonPress) {
        // A click into the bills picks them by hand.
        if (adding && Ledger::settlesBills(side_, head_, Ledger::kManual) && type_ != Ledger::kManual) {
            filling_ = true;
            txtType_->setText(Ledger::typeText(side_, Ledger::kManual));
            type_ = Ledger::kManual;
            filling_ = false;
        }
        return false;
    }
    auto* box = qobject_cast<QLineEdit*>(o);
    if (!box) return DocumentScreen::eventFilter(o, e);
    if (box == txtAmount_) {
        if (e->type() == QEvent::FocusIn) {
            if (adding && Money::parse(txtAmount_->text()).isZero()) {
                const Money proposed = Ledger::proposedAmount(side_, details_, type_);
                if (!proposed.isZero()) txtAmount_->setText(proposed.toString());
            }
            lblWords_->setText(Ledger::amountInWords(Money::parse(txtAmount_->text())));
            lblWords_->show();
        } else if (e->type() == QEvent::FocusOut) {
            // Its two lines are kept free, so showing it moves nothing else on the screen.
            QSizePolicy keep = lblWords_->sizePolicy();
            keep.setRetainSizeWhenHidden(true);
            lblWords_->setSizePolicy(keep);
            lblWords_->setMinimumHeight(2 * lblWords_->fontMetrics().lineSpacing() + 4);
            lblWords_->hide();
        } else if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                amountEntered();
                return true;
            }
        }
        return false;
    }
    if (e->type() == QEvent::FocusIn && box->isEnabled() && adding) {
        showPicks(box);
    } else if (e->type() == QEvent::FocusOut) {
        lstView_->hide();
    } else if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if ((k == Qt::Key_Down || k == Qt::Key_Up) && lstView_->isVisible() && lstView_->count() > 0) {
            const int row =
                std::clamp(lstView_->currentRow() + (k == Qt::Key_Down ? 1 : -1), 0, int(lstView_->count()) - 1);
            lstView_->setCurrentRow(row);
            return true;
        }
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            takePick(box);
            focusNextField(box);
            return true;
        }
    }
    return false;
}

}  // namespace kavra
