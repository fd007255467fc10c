#include "quality/forms/CalibrateScreens.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/Session.h"
#include "core/Sql.h"
#include "printing/forms/PrintOutput.h"
#include "ui/Grid.h"
#include "ui/StartupScreens.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

const QString kHistoryHeading = QStringLiteral(
    "Id | CalibRepId    |Guage/Instrument           |Unique ID      |Expected Calib. Date| Caliberated On  |Calib. "
    "Report No. | Status | Authorised By |Calib. Details");
const QString kDueHeading = QStringLiteral(
    "SlNo   | Item code (Item Name)                   | Unique Id No.  |Calibration Due On  |  Days Left |  Due  by  "
    "     ");
const QString kDay = QStringLiteral("dd/MM/yyyy");

QDateEdit* dateBox(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(kDay);
    d->setCalendarPopup(true);
    return d;
}

QComboBox* combo(QWidget* parent, const char* name, bool editable) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(editable);
    if (editable) c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

}  // namespace

// The report frame: its own navigation over the shown instrument's reports; reports are
// added and deleted, never changed.
class FrmCalibrate::ReportFrame : public RecordHost {
  public:
    explicit ReportFrame(FrmCalibrate* s) : s_(s) {}
    QList<qint64> navigation() override {
        return Sql::ids(s_->prod().db(),
                        QStringLiteral("select CalibRepId from CalibrateRep where Id=? order by "
                                       "CalibRepId"),
                        {s_->shownId_});
    }
    qint64 proposeId() override { return Calibration::proposedReportId(s_->prod().db()); }
    void showRecord(qint64 id) override {
        QSqlQuery q = Sql::exec(s_->prod().db(),
                                QStringLiteral("select ExpectedCalibrate, DOC, CalibrateNo, CalibrateStat, Authorised, "
                                               "CalibrateDet from CalibrateRep where CalibRepId=?"),
                                {id});
        if (!q.next()) return;
        s_->dtpExpectedCalibrate_->setDate(Db::toDate(q.value(0)));
        s_->dtpDOCalibrate_->setDate(Db::toDate(q.value(1)));
        s_->txtCalibrateNo_->setText(q.value(2).toString().trimmed());
        s_->txtCalibrateStat_->setText(q.value(3).toString().trimmed());
        s_->txtAuthorised_->setText(q.value(4).toString().trimmed());
        s_->txtCalibrateDet_->setPlainText(q.value(5).toString().trimmed());
    }
    void clearForNew(qint64) override {
        // The date it was due is proposed as the date it was scheduled for.
        const QDate next = s_->dtpNextCalibrate_->date();
        s_->dtpExpectedCalibrate_->setDate(next.isValid() ? next : Clock::today());
        s_->dtpDOCalibrate_->setDate(Clock::today());
        for (QLineEdit* e : {s_->txtCalibrateNo_, s_->txtCalibrateStat_, s_->txtAuthorised_}) e->clear();
        s_->txtCalibrateDet_->clear();
    }
    Calibration::Report read() const {
        return {s_->ctl_->state() == RecState::Adding ? 0 : s_->shownId_,
                0,
                s_->dtpExpectedCalibrate_->date(),
                s_->dtpDOCalibrate_->date(),
                s_->txtCalibrateNo_->text(),
                s_->txtCalibrateStat_->text(),
                s_->txtAuthorised_->text(),
                s_->txtCalibrateDet_->toPlainText()};
    }
    Check validate(bool) override { return Calibration::validateReport(read()); }
    qint64 write(bool, qint64 id) override {
        Calibration::Report r = read();
        r.id = id;
        return Calibration::saveReport(s_->prod().db(), r);
    }
    void remove(qint64 id) override { Calibration::removeReport(s_->prod().db(), id); }
    void refreshLists() override {
        if (s_->msflex_->isVisible()) s_->cmdView();
    }

  private:
    FrmCalibrate* s_;
};

FrmCalibrate::FrmCalibrate() : Screen(QStringLiteral("frmCalibrate")) {
    setWindowTitle(paddedCaption(QStringLiteral("Calibration History & Maintenance")));
    cmbInsGauge_ = combo(this, "cmbInsGauge", false);
    cmbInsGauge_->setPlaceholderText(QStringLiteral("(Select an Instrument)"));
    cmbInsGaugeIDno_ = combo(this, "cmbInsGaugeIDno", true);
    txtFreq_ = makeLineEdit(this, "txtFreq", 50);
    txtInsGaugeRange_ = makeLineEdit(this, "txtInsGaugeRange", 50);
    txtLC_ = makeLineEdit(this, "txtLC", 50);
    txtOtherDet_ = makeLineEdit(this, "txtOtherDet", 250);
    dtpNextCalibrate_ = dateBox(this, "dtpNextCalibrate");
    auto* inst = new QFormLayout;
    inst->addRow(QStringLiteral("Instrument / Gauge"), cmbInsGauge_);
    inst->addRow(QStringLiteral("Unique Identification No."), cmbInsGaugeIDno_);
    inst->addRow(QStringLiteral("Frequency of Calibration"), txtFreq_);
    inst->addRow(QStringLiteral("Range"), txtInsGaugeRange_);
    inst->addRow(QStringLiteral("Least Count"), txtLC_);
    inst->addRow(QStringLiteral("Other Details"), txtOtherDet_);
    inst->addRow(QStringLiteral("Scheduled Date of NEXT Calibration"), dtpNextCalibrate_);
    auto* instButtons = new QHBoxLayout;
    for (auto [name, caption] : {std::pair{"cmdNew", "&New"}, std::pair{"cmdSave", "&Save"},
                                 std::pair{"cmdModify", "&Modify"}, std::pair{"cmdDelete", "&Delete"}})
        instButtons->addWidget(makeButton(this, name, QString::fromUtf8(caption)));
    inst->addRow(instButtons);
    auto* instBox = new QGroupBox(QStringLiteral("Details of Instrument / Gauges"), this);
    instBox->setLayout(inst);

    dtpExpectedCalibrate_ = dateBox(this, "dtpExpectedCalibrate");
    dtpDOCalibrate_ = dateBox(this, "dtpDOCalibrate");
    txtCalibrateNo_ = makeLineEdit(this, "txtCalibrateNo", 50);
    txtCalibrateStat_ = makeLineEdit(this, "txtCalibrateStat", 100);
    txtAuthorised_ = makeLineEdit(this, "txtAuthorised", 100);
    txtCalibrateDet_ = new QTextEdit(this);
    txtCalibrateDet_->setObjectName(QStringLiteral("txtCalibrateDet"));
    txtCalibrateDet_->setAcceptRichText(false);
    txtCalibrateDet_->setTabChangesFocus(true);
    txtCalibrateDet_->setMaximumHeight(70);
    auto* rep = new QFormLayout;
    rep->addRow(QStringLiteral("Expected Calibration Date"), dtpExpectedCalibrate_);
    rep->addRow(QStringLiteral("Date of Calibration was made"), dtpDOCalibrate_);
    rep->addRow(QStringLiteral("Calibration Report No."), txtCalibrateNo_);
    rep->addRow(QStringLiteral("Calibration Status"), txtCalibrateStat_);
    rep->addRow(QStringLiteral("*  Authorised By"), txtAuthorised_);
    rep->addRow(QStringLiteral("*  Calibration Details"), txtCalibrateDet_);
    auto* repButtons = new QHBoxLayout;
    for (auto [name, caption] :
         {std::pair{"cmdNewRep", "Ne&w"}, std::pair{"cmdSaveRep", "Sa&ve"}, std::pair{"cmdDeleteRep", "De&lete"}})
        repButtons->addWidget(makeButton(this, name, QString::fromUtf8(caption)));
    rep->addRow(repButtons);
    auto* repBox = new QGroupBox(QStringLiteral("Calibration REPORT Details"), this);
    repBox->setLayout(rep);

    msflex_ = makeListGrid(QStringLiteral("msflex"), kHistoryHeading, this);
    msflex_->hide();
    auto* frames = new QHBoxLayout;
    frames->addWidget(instBox, 1);
    frames->addWidget(repBox, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(makeStatusLabel(this), 1);
    auto* view = makeButton(this, "cmdView", QStringLiteral("View &History"));
    auto* due = makeButton(this, "cmdDue", QStringLiteral("View Due"));
    auto* close = makeButton(this, "cmdExit", QStringLiteral("&CLOSE"));
    bottom->addWidget(view);
    bottom->addWidget(due);
    bottom->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addLayout(frames);
    v->addWidget(msflex_, 1);
    v->addLayout(bottom);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Instrument Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Instrument Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Instrument now...");
    t.afterWrite = t.showing;
    t.fieldsLockedInBrowse = false;
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify ?");
    t.saved = QStringLiteral("Records Updated .");
    t.modified = QStringLiteral("Records Updated .");
    t.deleted = QStringLiteral("Records Deleted");
    ctl_ = new RecordController(this, this, t);
    RecordTexts r;
    r.fieldsLockedInBrowse = false;
    r.emptyTable.clear();
    r.saved = QStringLiteral("Records Updated   (Don't forget to set the Next Calibration Date...)");
    r.deleted = QStringLiteral("Records Deleted");
    repHost_ = std::make_unique<ReportFrame>(this);
    RecordButtons b;
    b.newName = QStringLiteral("cmdNewRep");
    b.saveName = QStringLiteral("cmdSaveRep");
    b.modifyName.clear();
    b.deleteName = QStringLiteral("cmdDeleteRep");
    b.screenWide = false;
    repCtl_ = new RecordController(this, repHost_.get(), r, b);
    // A report belongs to a stored instrument: none is written while a new one is being entered.
    connect(ctl_, &RecordController::stateChanged, repBox,
            [this, repBox](RecState st) { repBox->setEnabled(st != RecState::Adding && ctl_->currentId() != 0); });
    repBox->setEnabled(ctl_->state() != RecState::Adding && ctl_->currentId() != 0);

    for (QLineEdit* e : {txtFreq_, txtInsGaugeRange_, txtLC_, txtOtherDet_})
        connect(e, &QLineEdit::textEdited, ctl_, &RecordController::fieldEdited);
    connect(cmbInsGaugeIDno_->lineEdit(), &QLineEdit::textEdited, ctl_, &RecordController::fieldEdited);
    connect(dtpNextCalibrate_, &QDateEdit::dateChanged, ctl_, [this] {
        if (dtpNextCalibrate_->hasFocus()) ctl_->fieldEdited();
    });
    // Choosing the instrument lists its pieces; choosing a piece shows it.
    connect(cmbInsGauge_, &QComboBox::activated, this, [this] {
        tryDb([&] { fillPieces(chosenItem()); });
        if (ctl_->state() == RecState::Adding) return;
        if (cmbInsGaugeIDno_->count() > 0)
            showInstrument(cmbInsGaugeIDno_->itemData(0).toLongLong());
        else
            ctl_->fieldEdited();
    });
    connect(cmbInsGaugeIDno_, &QComboBox::activated, this, [this](int i) {
        if (ctl_->state() != RecState::Adding) showInstrument(cmbInsGaugeIDno_->itemData(i).toLongLong());
    });
    connect(view, &QPushButton::clicked, this, &FrmCalibrate::cmdView);
    connect(due, &QPushButton::clicked, this, [] { Screens::open(QStringLiteral("frmCalibrateDUE")); });
    resize(1100, 600);
}

FrmCalibrate::~FrmCalibrate() = default;

bool FrmCalibrate::load() {
    return ctl_->open([this] { refreshLists(); });
}

bool FrmCalibrate::openOn(qint64 id) {
    if (!Screens::open(QStringLiteral("frmCalibrate"))) return false;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* s = qobject_cast<FrmCalibrate*>(w)) s->showInstrument(id);
    return true;
}

void FrmCalibrate::showInstrument(qint64 id) {
    ctl_->showId(id);
}

void FrmCalibrate::fillItems() {
    cmbInsGauge_->clear();
    for (const Calibration::ItemChoice& c : Calibration::instrumentItems(prod().db()))
        cmbInsGauge_->addItem(c.code, c.itemId);
}

void FrmCalibrate::fillPieces(qint64 itemId) {
    const QString typed = cmbInsGaugeIDno_->currentText();
    cmbInsGaugeIDno_->clear();
    for (const Calibration::Instrument& in : Calibration::piecesOf(prod().db(), itemId))
        cmbInsGaugeIDno_->addItem(in.uniqueNo, in.id);
    cmbInsGaugeIDno_->setEditText(ctl_->state() == RecState::Adding ? typed : QString());
}

qint64 FrmCalibrate::chosenItem() const {
    return cmbInsGauge_->currentIndex() < 0 ? 0 : cmbInsGauge_->currentData().toLongLong();
}

void FrmCalibrate::refreshLists() {
    const qint64 item = chosenItem();
    fillItems();
    cmbInsGauge_->setCurrentIndex(cmbInsGauge_->findData(item));
}

QList<qint64> FrmCalibrate::navigation() {
    return Sql::ids(prod().db(), QStringLiteral("select Id from Calibrate order by Id"));
}

qint64 FrmCalibrate::proposeId() {
    return Calibration::proposedId(prod().db());
}

void FrmCalibrate::showRecord(qint64 id) {
    const auto in = Calibration::load(prod().db(), id);
    if (!in) return;
    shownId_ = id;
    cmbInsGauge_->setCurrentIndex(cmbInsGauge_->findData(in->itemId));
    fillPieces(in->itemId);
    cmbInsGaugeIDno_->setCurrentIndex(cmbInsGaugeIDno_->findData(id));
    cmbInsGaugeIDno_->setEditText(in->uniqueNo);
    txtFreq_->setText(in->freq);
    txtInsGaugeRange_->setText(in->range);
    txtLC_->setText(in->leastCount);
    txtOtherDet_->setText(in->otherDet);
    dtpNextCalibrate_->setDate(in->nextCalibrate.isValid() ? in->nextCalibrate : Clock::today());
    repCtl_->start();
    if (msflex_->isVisible()) cmdView();
}

void FrmCalibrate::clearForNew(qint64 id) {
    (void)id;
    shownId_ = 0;
    cmbInsGaugeIDno_->setEditText(QString());
    for (QLineEdit* e : {txtFreq_, txtInsGaugeRange_, txtLC_, txtOtherDet_}) e->clear();
    dtpNextCalibrate_->setDate(Clock::today());
    repHost_->clearForNew(0);
    cmbInsGauge_->setFocus();
}

Calibration::Instrument FrmCalibrate::read() const {
    return {ctl_->currentId(),
            chosenItem(),
            cmbInsGaugeIDno_->currentText(),
            txtFreq_->text(),
            txtInsGaugeRange_->text(),
            txtLC_->text(),
            txtOtherDet_->text(),
            dtpNextCalibrate_->date()};
}

Check FrmCalibrate::validate(bool adding) {
    return Calibration::validate(prod().db(), read(), adding);
}

qint64 FrmCalibrate::write(bool adding, qint64 id) {
    Calibration::Instrument in = read();
    in.id = id;
    return Calibration::save(prod().db(), in, adding);
}

Check FrmCalibrate::deleteBlock() {
    return Calibration::deleteBlock(prod().db(), ctl_->currentId());
}

void FrmCalibrate::remove(qint64 id) {
    Calibration::remove(prod().db(), id);
}

void FrmCalibrate::cmdView() {
    const qint64 item = chosenItem();
    QString refusal;
    QList<Calibration::HistoryRow> rows;
    if (!tryDb([&] {
            refusal = Calibration::historyRefusal(prod().db(), item);
            if (refusal.isEmpty()) rows = Calibration::history(prod().db(), item);
        }))
        return;
    if (!refusal.isEmpty()) {
        Dialogs::current().information(appTitle(), refusal);
        return;
    }
    msflex_->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const Calibration::Report& r = rows[i].report;
        const QStringList cells{QString::number(r.instrumentId),
                                QString::number(r.id),
                                rows[i].itemCode,
                                rows[i].uniqueNo,
                                r.expected.toString(kDay),
                                r.done.toString(kDay),
                                r.number,
                                r.status,
                                r.authorised,
                                r.details};
        for (int c = 0; c < cells.size(); ++c) setCell(msflex_, i, c, cells[c]);
    }
    msflex_->show();
}

// ---------------------------------------------------------------- due list

FrmCalibrateDUE::FrmCalibrateDUE() : Screen(QStringLiteral("frmCalibrateDUE")) {
    setWindowTitle(paddedCaption(QStringLiteral("Calibration Due List")));
    txtDueBefore_ = makeLineEdit(this, "txtDueBefore", 4);
    txtDueCrossed_ = makeLineEdit(this, "txtDueCrossed", 4);
    for (QLineEdit* e : {txtDueBefore_, txtDueCrossed_}) {
        e->setValidator(numberValidator(e, 4, 0));
        e->setAlignment(Qt::AlignRight);
        e->setMaximumWidth(80);
        connect(e, &QLineEdit::editingFinished, this, &FrmCalibrateDUE::refresh);
    }
    txtDueBefore_->setText(QString::number(window_.before));
    txtDueCrossed_->setText(QString::number(window_.crossed));
    msflex_ = makeListGrid(QStringLiteral("msflex"), kDueHeading, this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Due before"), this));
    top->addWidget(txtDueBefore_);
    top->addWidget(new QLabel(QStringLiteral("days"), this));
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Due date Crossed upto"), this));
    top->addWidget(txtDueCrossed_);
    top->addWidget(new QLabel(QStringLiteral("days"), this));
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* print = makeButton(this, "cmdPrint", QStringLiteral("&Print"));
    auto* close = makeButton(this, "cmdExit", QStringLiteral("&CLOSE"));
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(msflex_, 1);
    v->addLayout(buttons);
    connect(print, &QPushButton::clicked, this, &FrmCalibrateDUE::cmdPrint);
    connect(close, &QPushButton::clicked, this, &Screen::closeWindow);
    connect(msflex_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (QTableWidgetItem* it = msflex_->item(row, 0)) FrmCalibrate::openOn(it->data(Qt::UserRole).toLongLong());
    });
    resize(900, 420);
}

bool FrmCalibrateDUE::load() {
    if (!Screen::load()) return false;
    refresh();
    return true;
}

void FrmCalibrateDUE::refresh() {
    window_.before = txtDueBefore_->text().toInt();
    window_.crossed = txtDueCrossed_->text().toInt();
    QList<Calibration::DueRow> rows;
    tryDb([&] { rows = Calibration::dueList(prod().db(), Clock::today(), window_); });
    msflex_->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const Calibration::DueRow& r = rows[i];
        const QStringList cells{QString::number(i + 1),      r.item, r.uniqueNo, r.dueOn.toString(kDay),
                                QString::number(r.daysLeft), r.dueBy};
        for (int c = 0; c < cells.size(); ++c) setCell(msflex_, i, c, cells[c]);
        msflex_->item(i, 0)->setData(Qt::UserRole, r.id);
    }
}

void FrmCalibrateDUE::cmdPrint() {
    if (msflex_->rowCount() == 0) {
        Dialogs::current().information(appTitle(), QStringLiteral("No data to Print..."));
        return;
    }
    Print::ExportOptions o;
    o.leftHeader = Calibration::dueTitle(Clock::today(), window_);
    try {
        Print::exportView(prod().db(), msflex_, QStringLiteral("Instruments and Gauges Due"), o);
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void registerQualityScreens() {
    Screens::add(QStringLiteral("frmCalibrate"), [] { return new FrmCalibrate; });
    Screens::add(QStringLiteral("frmCalibrateDUE"), [] { return new FrmCalibrateDUE; });
    StartupScreens::add(QStringLiteral("frmCalibrateDUE"), [](QSqlDatabase& db) {
        return Calibration::anyDue(db, Clock::today(), Calibration::DueWindow{});
    });
}

}  // namespace kavra
