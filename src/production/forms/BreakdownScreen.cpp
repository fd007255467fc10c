#include "production/forms/BreakdownScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>

#include "core/Session.h"
#include "core/Sql.h"
#include "printing/forms/PrintOutput.h"
#include "production/Machines.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

const QString kHistoryHeading = QStringLiteral(
    "Id    |Date           |Machine                      |Breakdown  happened @  | BreakDown Details              "
    "          |Breakdown  Recovered @   |Corrective Action                     | Amt. Spent | Time Spent    ");
const QString kStamp = QStringLiteral("dd/MM/yyyy hh:mm AP");

QDateEdit* dateBox(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

QDateTimeEdit* stampBox(QWidget* parent, const char* name) {
    auto* d = new QDateTimeEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(kStamp);
    return d;
}

}  // namespace

FrmBrkDnMaint::FrmBrkDnMaint()
    : MasterScreen(QStringLiteral("frmBrkDnMaint"), paddedCaption(QStringLiteral("BREAKDOWN MAINTENANCE"))) {
    txtId_ = makeLineEdit(this, "txtId", 10);
    txtId_->setReadOnly(true);
    dtpBrkDate_ = dateBox(this, "dtpBrkDate");
    cmbMachine_ = new QComboBox(this);
    cmbMachine_->setObjectName(QStringLiteral("cmbMachine"));
    cmbMachine_->setPlaceholderText(QStringLiteral("(Select a Machine)"));
    dtpBrkFrom_ = stampBox(this, "dtpBrkFrom");
    dtpBrkTo_ = stampBox(this, "dtpBrkTo");
    txtBrkDet_ = makeLineEdit(this, "txtBrkDet", 250);
    txtDetCorrect_ = makeLineEdit(this, "txtDetCorrect", 250);
    txtAmt_ = makeLineEdit(this, "txtAmt", 14);
    txtAmt_->setValidator(numberValidator(txtAmt_, 11, 2));
    txtAmt_->setAlignment(Qt::AlignRight);

    dtpFrom_ = dateBox(this, "dtpFrom");
    dtpTo_ = dateBox(this, "dtpTo");
    cmbHistMachine_ = new QComboBox(this);
    cmbHistMachine_->setObjectName(QStringLiteral("cmbHistMachine"));
    auto* view = makeButton(this, "cmdView", QStringLiteral("&View"));
    auto* print = makeButton(this, "cmdPrint", QStringLiteral("&Print"));
    msflex_ = makeListGrid(QStringLiteral("msflex"), kHistoryHeading, this);
    msflex_->setMinimumHeight(160);

    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Id"), txtId_);
    f->addRow(QStringLiteral("Date"), dtpBrkDate_);
    f->addRow(QStringLiteral("Machine"), cmbMachine_);
    f->addRow(QStringLiteral("Breakdown happened @"), dtpBrkFrom_);
    f->addRow(QStringLiteral("Breakdown Details"), txtBrkDet_);
    f->addRow(QStringLiteral("Breakdown Recovered @"), dtpBrkTo_);
    f->addRow(QStringLiteral("* Corrective Action"), txtDetCorrect_);
    f->addRow(QStringLiteral("* Amount Spent"), txtAmt_);
    auto* hist = new QHBoxLayout;
    hist->addWidget(new QLabel(QStringLiteral("From"), this));
    hist->addWidget(dtpFrom_);
    hist->addWidget(new QLabel(QStringLiteral("To"), this));
    hist->addWidget(dtpTo_);
    hist->addWidget(cmbHistMachine_, 1);
    hist->addWidget(view);
    hist->addWidget(print);
    f->addRow(QStringLiteral("History"), hist);
    f->addRow(msflex_);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Breakdown Record Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Breakdown Record Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Breakdown Record now...");
    t.afterWrite = t.showing;
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify ?");
    t.saved = QStringLiteral("Records Updated .");
    t.modified = QStringLiteral("Records Updated .");
    t.deleted = QStringLiteral("Records Deleted .");
    finishLayout(f, QStringLiteral("Breakdowns:"), t);
    // Choosing what the history shows is no change to the record shown.
    disconnect(cmbHistMachine_, nullptr, ctl_, nullptr);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (e->parentWidget() == dtpFrom_ || e->parentWidget() == dtpTo_) disconnect(e, nullptr, ctl_, nullptr);
    for (QDateTimeEdit* d : {static_cast<QDateTimeEdit*>(dtpBrkDate_), dtpBrkFrom_, dtpBrkTo_})
        connect(d, &QDateTimeEdit::dateTimeChanged, ctl_, [this, d] {
            if (d->hasFocus()) ctl_->fieldEdited();
        });
    connect(view, &QPushButton::clicked, this, &FrmBrkDnMaint::cmdView);
    connect(print, &QPushButton::clicked, this, &FrmBrkDnMaint::cmdPrint);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* it) { ctl_->showId(it->data(Qt::UserRole).toLongLong()); });
    resize(1000, 620);
}

bool FrmBrkDnMaint::load() {
    const QDate today = Clock::today();
    dtpFrom_->setDate(QDate(today.year(), today.month(), 1));
    dtpTo_->setDate(today);
    return MasterScreen::load();
}

void FrmBrkDnMaint::fillMachines() {
    QSqlQuery q = Sql::exec(prod().db(), QStringLiteral("select MachId, MachName from Machine order by MachName"));
    cmbMachine_->clear();
    cmbHistMachine_->clear();
    cmbHistMachine_->addItem(QStringLiteral("ALL"), 0);
    while (q.next()) {
        cmbMachine_->addItem(q.value(1).toString().trimmed(), q.value(0));
        cmbHistMachine_->addItem(q.value(1).toString().trimmed(), q.value(0));
    }
}

void FrmBrkDnMaint::refreshLists() {
    fillMachines();
    lstNames_->clear();
    QSqlQuery q = Sql::exec(prod().db(), QStringLiteral("select b.Id, b.BrkDate, m.MachName from BrkDown b left join "
                                                        "Machine m on m.MachId=b.MachId order by b.Id"));
    while (q.next()) {
        auto* it = new QListWidgetItem(q.value(0).toString() + QStringLiteral(" - ") +
                                       Db::toDate(q.value(1)).toString(QStringLiteral("dd/MM/yyyy")) +
                                       QStringLiteral(" - ") + q.value(2).toString().trimmed());
        it->setData(Qt::UserRole, q.value(0));
        lstNames_->addItem(it);
    }
}

QList<qint64> FrmBrkDnMaint::navigation() {
    return Breakdowns::ids(prod().db());
}

qint64 FrmBrkDnMaint::proposeId() {
    return Breakdowns::proposedId(prod().db());
}

void FrmBrkDnMaint::showRecord(qint64 id) {
    const auto b = Breakdowns::load(prod().db(), id);
    if (!b) return;
    txtId_->setText(QString::number(b->id));
    dtpBrkDate_->setDate(b->date);
    cmbMachine_->setCurrentIndex(cmbMachine_->findData(b->machId));
    dtpBrkFrom_->setDateTime(b->from);
    dtpBrkTo_->setDateTime(b->to);
    txtBrkDet_->setText(b->details);
    txtDetCorrect_->setText(b->corrective);
    txtAmt_->setText(b->amount.isZero() ? QString() : b->amount.toString());
}

void FrmBrkDnMaint::clearForNew(qint64 id) {
    txtId_->setText(QString::number(id));
    const QDateTime now = Clock::now();
    dtpBrkDate_->setDate(now.date());
    cmbMachine_->setCurrentIndex(-1);
    dtpBrkFrom_->setDateTime(now);
    dtpBrkTo_->setDateTime(now);
    for (QLineEdit* e : {txtBrkDet_, txtDetCorrect_, txtAmt_}) e->clear();
    dtpBrkDate_->setFocus();
}

Breakdowns::Breakdown FrmBrkDnMaint::read() const {
    Breakdowns::Breakdown b;
    b.id = txtId_->text().toLongLong();
    b.date = dtpBrkDate_->date();
    b.machId = cmbMachine_->currentIndex() < 0 ? 0 : cmbMachine_->currentData().toLongLong();
    b.from = dtpBrkFrom_->dateTime();
    b.to = dtpBrkTo_->dateTime();
    b.details = txtBrkDet_->text();
    b.corrective = txtDetCorrect_->text();
    b.amount = Money::parse(txtAmt_->text());
    return b;
}

Check FrmBrkDnMaint::validate(bool adding) {
    (void)adding;
    return Breakdowns::validate(read());
}

qint64 FrmBrkDnMaint::write(bool adding, qint64 id) {
    Breakdowns::Breakdown b = read();
    b.id = id;
    return Breakdowns::save(prod().db(), b, adding);
}

void FrmBrkDnMaint::remove(qint64 id) {
    Breakdowns::remove(prod().db(), id);
}

void FrmBrkDnMaint::cmdView() {
    QList<Breakdowns::HistoryRow> rows;
    if (!tryDb([&] {
            rows = Breakdowns::history(prod().db(), dtpFrom_->date(), dtpTo_->date(),
                                       cmbHistMachine_->currentData().toLongLong());
        }))
        return;
    msflex_->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const Breakdowns::Breakdown& b = rows[i].b;
        const QStringList cells{QString::number(b.id),
                                b.date.toString(QStringLiteral("dd/MM/yyyy")),
                                rows[i].machName,
                                b.from.toString(kStamp),
                                b.details,
                                b.to.toString(kStamp),
                                b.corrective,
                                b.amount.toString(),
                                Breakdowns::timeSpent(b.from, b.to)};
        for (int c = 0; c < cells.size(); ++c) setCell(msflex_, i, c, cells[c]);
    }
    if (rows.isEmpty()) Dialogs::current().information(appTitle(), QStringLiteral("No Records to Display!!!"));
}

void FrmBrkDnMaint::cmdPrint() {
    if (msflex_->rowCount() == 0) {
        Dialogs::current().information(appTitle(), QStringLiteral("No Records to Display!!!"));
        return;
    }
    Print::ExportOptions o;
    o.landscape = true;
    o.leftHeader = Breakdowns::printTitle(dtpFrom_->date(), dtpTo_->date());
    try {
        Print::exportView(prod().db(), msflex_, QStringLiteral("Breakdown History"), o);
    } catch (const DbError& e) {
        logFailure(e);
    }
}

}  // namespace kavra
