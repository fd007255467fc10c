#include "production/forms/MaintenanceScreens.h"

#include <QCalendarWidget>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Session.h"
#include "core/Sql.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

const QString kDayHeading = QStringLiteral(
    " Machine Name            |Schedule                                                                              "
    "| Scheduled Day          ");
const QString kMonthHeading = QStringLiteral(
    " Machine Name            |Schedule                                                                              "
    "| Scheduled Month        ");
const QString kProcessHeading = QStringLiteral("Machine Name   | M1 |Y/N| M2 |Y/N| M3 |Y/N| M4 |Y/N| M5 |Y/N| M6 |Y/N");
const QString kMissHeading =
    QStringLiteral("Due On      |Machine Name            |Type            |Schedule            ");

QPushButton* commandRow(QWidget* s, QVBoxLayout* v, QPushButton** modify) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    *modify = makeButton(s, "cmdModify", QStringLiteral("&Modify"));
    auto* close = makeButton(s, "cmdExit", QStringLiteral("&CLOSE"));
    row->addWidget(*modify);
    row->addWidget(close);
    v->addLayout(row);
    QObject::connect(close, &QPushButton::clicked, static_cast<Screen*>(s), &Screen::closeWindow);
    return close;
}

}  // namespace

// ---------------------------------------------------------------- schedules

FrmMaintain::FrmMaintain() : Screen(QStringLiteral("frmMaintain")) {
    setWindowTitle(paddedCaption(QStringLiteral("Maintenance Schedule")));
    lstTypes_ = new QListWidget(this);
    lstTypes_->setObjectName(QStringLiteral("lstTypes"));
    neverExport(lstTypes_);
    for (int t = 1; t <= Maintenance::kTypes; ++t) lstTypes_->addItem(Maintenance::typeName(t));
    lstTypes_->setMaximumWidth(160);
    msflex_ = makeListGrid(QStringLiteral("msflex"), kDayHeading, this);
    lblHelp_ = new QLabel(this);
    lblHelp_->setObjectName(QStringLiteral("lblHelp"));
    txtSchedule_ = makeLineEdit(this, "txtSchedule", 200);
    txtDay_ = makeLineEdit(this, "txtDay", 2);
    txtDay_->setValidator(numberValidator(txtDay_, 2, 0));
    auto* edit = new QFormLayout;
    edit->addRow(QStringLiteral("Schedule"), txtSchedule_);
    edit->addRow(QStringLiteral("Scheduled Day / Month"), txtDay_);
    auto* right = new QVBoxLayout;
    right->addWidget(msflex_, 1);
    right->addWidget(lblHelp_);
    right->addLayout(edit);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Maintenance Types"), this));
    left->addWidget(lstTypes_);
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    QPushButton* modify = nullptr;
    commandRow(this, v, &modify);
    connect(modify, &QPushButton::clicked, this, &FrmMaintain::cmdModify);
    connect(lstTypes_, &QListWidget::currentRowChanged, this, [this](int r) { showType(r + 1); });
    connect(msflex_, &QTableWidget::currentCellChanged, this, [this](int r) { showRow(r); });
    // What is typed goes straight into the machine's row.
    connect(txtSchedule_, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (msflex_->currentRow() >= 0) setCell(msflex_, msflex_->currentRow(), 1, t);
    });
    connect(txtDay_, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (msflex_->currentRow() >= 0) setCell(msflex_, msflex_->currentRow(), 2, t);
    });
    resize(980, 460);
}

bool FrmMaintain::load() {
    if (!Screen::load()) return false;
    lstTypes_->setFocus();
    return true;
}

void FrmMaintain::showType(int type) {
    type_ = type;
    const Maintenance::TypeRule& r = Maintenance::rule(type);
    setGridHeading(msflex_, r.isMonth ? kMonthHeading : kDayHeading);
    lblHelp_->setText(r.help);
    msflex_->setRowCount(0);
    tryDb([&] { shown_ = Maintenance::scheduleGrid(prod().db(), type); });
    msflex_->setRowCount(int(shown_.size()));
    for (int i = 0; i < shown_.size(); ++i) {
        setCell(msflex_, i, 0, shown_[i].machName);
        setCell(msflex_, i, 1, shown_[i].text);
        setCell(msflex_, i, 2, shown_[i].number);
    }
    if (!shown_.isEmpty()) msflex_->setCurrentCell(0, 0);
    showRow(msflex_->currentRow());
}

void FrmMaintain::showRow(int row) {
    const bool on = row >= 0 && row < msflex_->rowCount();
    txtSchedule_->setText(on ? msflex_->item(row, 1)->text() : QString());
    txtDay_->setText(on ? msflex_->item(row, 2)->text() : QString());
}

QList<Maintenance::ScheduleRow> FrmMaintain::rows() const {
    QList<Maintenance::ScheduleRow> out = shown_;
    for (int i = 0; i < out.size() && i < msflex_->rowCount(); ++i) {
        out[i].text = msflex_->item(i, 1)->text();
        out[i].number = msflex_->item(i, 2)->text();
    }
    return out;
}

void FrmMaintain::cmdModify() {
    Dialogs& dlg = Dialogs::current();
    const QList<Maintenance::ScheduleRow> typed = rows();
    if (Check c = Maintenance::validateSchedules(type_, typed)) {
        dlg.message(appTitle(), c->text, c->icon);
        if (c->onGrid()) {
            msflex_->setCurrentCell(c->row - 1, c->col);
            (c->col == 1 ? txtSchedule_ : txtDay_)->setFocus();
        } else {
            lstTypes_->setFocus();
        }
        return;
    }
    try {
        Sql::transaction(prod().db(), [&] { Maintenance::saveSchedules(prod().db(), type_, typed); });
    } catch (const DbError& e) {
        logFailure(e);
        return;
    } catch (const Refused& r) {
        dlg.message(appTitle(), r.text(), r.icon());
        return;
    }
    dlg.information(appTitle(), QStringLiteral("Data stored successfully ."));
}

// ---------------------------------------------------------------- process

FrmMaintainPro::FrmMaintainPro() : Screen(QStringLiteral("frmMaintainPro")) {
    setWindowTitle(paddedCaption(QStringLiteral("MAINTENANCE - PROCESS")));
    auto* heading =
        makeHeading(this, QStringLiteral("Maintenance Process"), QStringLiteral("font-size: 14pt; font-weight: bold;"));
    MonthView1_ = new QCalendarWidget(this);
    MonthView1_->setObjectName(QStringLiteral("MonthView1"));
    MonthView1_->setMaximumWidth(320);
    lblDate_ = new QLabel(this);
    lblDate_->setObjectName(QStringLiteral("lblDate"));
    lblJob_ = new QLabel(this);
    lblJob_->setObjectName(QStringLiteral("lblJob"));
    msflex_ = makeListGrid(QStringLiteral("msflex"), kProcessHeading, this);
    msflex_->setSelectionBehavior(QAbstractItemView::SelectItems);
    msflex_->setSelectionMode(QAbstractItemView::SingleSelection);
    msflex_->installEventFilter(this);
    msflexMiss_ = makeListGrid(QStringLiteral("msflexMiss"), kMissHeading, this);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(MonthView1_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(lblDate_);
    right->addWidget(msflex_, 2);
    right->addWidget(lblJob_);
    right->addWidget(new QLabel(QStringLiteral("Jobs of the last 30 days not done:"), this));
    right->addWidget(msflexMiss_, 1);
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(top, 1);
    commandRow(this, v, &cmdModify_);
    connect(cmdModify_, &QPushButton::clicked, this, &FrmMaintainPro::cmdModify);
    connect(MonthView1_, &QCalendarWidget::selectionChanged, this, [this] { showDay(MonthView1_->selectedDate()); });
    connect(msflex_, &QTableWidget::cellClicked, this, &FrmMaintainPro::toggle);
    resize(1000, 560);
}

bool FrmMaintainPro::load() {
    if (!Screen::load()) return false;
    bool none = false;
    tryDb([&] { none = !Sql::any(prod().db(), QStringLiteral("select 1 from Machine")); });
    if (none) {
        Dialogs::current().information(appTitle(), QStringLiteral("No Machine exists!!!"));
        cmdModify_->setEnabled(false);
    }
    const QDate today = Clock::today();
    MonthView1_->setSelectedDate(today);
    showDay(today);
    return true;
}

void FrmMaintainPro::showDay(const QDate& day) {
    day_ = day;
    lblDate_->setText(QStringLiteral("Maintenance On ") + day.toString(QStringLiteral("dd/MM/yyyy")));
    lblJob_->clear();
    QList<Maintenance::Miss> missed;
    rows_.clear();
    tryDb([&] {
        rows_ = Maintenance::processGrid(prod().db(), day);
        missed = Maintenance::misses(prod().db(), day);
    });
    msflex_->setRowCount(int(rows_.size()));
    for (int i = 0; i < rows_.size(); ++i) {
        setCell(msflex_, i, 0, rows_[i].machName);
        for (int t = 1; t <= Maintenance::kTypes; ++t) {
            const Maintenance::Job& j = rows_[i].jobs[t - 1];
            setCell(msflex_, i, 2 * t - 1, j.due ? QStringLiteral("M%1").arg(t) : QString());
            setCell(msflex_, i, 2 * t, j.due ? (j.done ? QStringLiteral("Y") : QStringLiteral("N")) : QString());
        }
    }
    msflexMiss_->setRowCount(int(missed.size()));
    for (int i = 0; i < missed.size(); ++i) {
        setCell(msflexMiss_, i, 0, missed[i].day.toString(QStringLiteral("dd/MM/yyyy")));
        setCell(msflexMiss_, i, 1, missed[i].machName);
        setCell(msflexMiss_, i, 2, Maintenance::typeName(missed[i].type));
        setCell(msflexMiss_, i, 3, Maintenance::splitDescr(missed[i].descr).text);
    }
}

void FrmMaintainPro::toggle(int row, int col) {
    if (row < 0 || row >= rows_.size() || col < 2 || col % 2 != 0) return;
    const int type = col / 2;
    Maintenance::Job& j = rows_[row].jobs[type - 1];
    if (!j.due) return;
    j.done = !j.done;
    msflex_->item(row, col)->setText(j.done ? QStringLiteral("Y") : QStringLiteral("N"));
    lblJob_->setText(QStringLiteral("MACHINE : ") + rows_[row].machName + QStringLiteral("    TYPE: ") +
                     Maintenance::typeName(type) + QStringLiteral("    Maintenance on ") +
                     Maintenance::splitDescr(j.descr).text);
}

bool FrmMaintainPro::eventFilter(QObject* o, QEvent* e) {
    // Space marks the current job from the keyboard, as a click does.
    if (o == msflex_ && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Space) {
        toggle(msflex_->currentRow(), msflex_->currentColumn());
        return true;
    }
    return Screen::eventFilter(o, e);
}

void FrmMaintainPro::cmdModify() {
    try {
        Sql::transaction(prod().db(), [&] { Maintenance::record(prod().db(), day_, rows_); });
    } catch (const DbError& e) {
        logFailure(e);
        return;
    }
    Dialogs::current().information(appTitle(), QStringLiteral("Data stored successfully ."));
    showDay(day_);
}

}  // namespace kavra
