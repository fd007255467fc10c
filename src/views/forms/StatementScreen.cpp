#include "views/forms/StatementScreen.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateEdit>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent>

#include "core/Session.h"
#include "printing/PrintRules.h"
#include "printing/forms/PrintOutput.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

// The designer's unit: fifteen to a pixel.
int pixels(int twips) {
    return twips / 15;
}

QDateEdit* dateBox(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

}  // namespace

StatementModel::StatementModel(const QStringList& headings, const QList<int>& amountColumns, QObject* parent)
    : QAbstractTableModel(parent), headings_(headings), amountColumns_(amountColumns) {}

void StatementModel::setRows(QList<views::Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QVariant StatementModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size()) return {};
    const views::Row& r = rows_[index.row()];
    if (role == Qt::DisplayRole) return index.column() < r.cells.size() ? r.cells[index.column()] : QString();
    if (role == Qt::TextAlignmentRole && amountColumns_.contains(index.column()))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::FontRole && r.bold()) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

QVariant StatementModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < headings_.size()) return headings_[section];
    return QAbstractTableModel::headerData(section, o, role);
}

StatementScreen::StatementScreen(const views::StatementKind& kind) : Screen(kind.screen), kind_(kind) {
    setWindowTitle(paddedCaption(kind.caption));
    auto* v = new QVBoxLayout(this);
    for (const QString& h : kind.headings)
        v->addWidget(makeHeading(this, h, QStringLiteral("font-size: 14pt; font-weight: bold; color: #000080;")));
    auto* top = new QHBoxLayout;
    dtpTo_ = dateBox(this, "dtpTo");
    if (kind.asOn) {
        top->addWidget(new QLabel(QStringLiteral("As On"), this));
    } else {
        dtpFrom_ = dateBox(this, "dtpFrom");
        top->addWidget(new QLabel(QStringLiteral("Between"), this));
        top->addWidget(dtpFrom_);
    }
    top->addWidget(dtpTo_);
    if (!kind.detailOption.isEmpty()) {
        chkDetail_ = new QCheckBox(kind.detailOption, this);
        chkDetail_->setObjectName(QStringLiteral("chkDetail"));
        top->addWidget(chkDetail_);
        connect(chkDetail_, &QCheckBox::toggled, this, [this] {
            if (model_->rowCount() >= 1) applyDisplay();
        });
    }
    cmdView_ = makeButton(this, "cmdView", QStringLiteral("&View"));
    cmdPrint_ = makeButton(this, "cmdPrint", QStringLiteral("&Print"));
    auto* exit = makeButton(this, "cmdExit", QStringLiteral("CLOSE"));
    top->addWidget(cmdView_);
    top->addWidget(cmdPrint_);
    if (kind.chart) {
        chkChart_ = new QCheckBox(QStringLiteral("C&hart"), this);
        chkChart_->setObjectName(QStringLiteral("chkChart"));
        top->addWidget(chkChart_);
    }
    top->addStretch();
    top->addWidget(exit);
    v->addLayout(top);

    const QStringList heads = kind.columns.split(QLatin1Char('|'));
    QStringList captions;
    for (const QString& h : heads) captions << h.trimmed();
    model_ = new StatementModel(captions, kind.amountColumns, this);
    msflex_ = new QTableView(this);
    msflex_->setObjectName(QStringLiteral("msflex"));
    msflex_->setModel(model_);
    msflex_->verticalHeader()->setVisible(false);
    // Lines of text, not cells to type in: as many on the screen as will fit.
    msflex_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    msflex_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    msflex_->setSelectionBehavior(QAbstractItemView::SelectRows);
    msflex_->setTabKeyNavigation(false);
    offerExport(msflex_);
    auto* body = new QHBoxLayout;
    body->addWidget(msflex_, 3);
    if (kind.chart) {
        chart_ = new QChartView(this);
        chart_->setObjectName(QStringLiteral("chtMonths"));
        chart_->setMinimumWidth(320);
        chart_->setVisible(false);
        body->addWidget(chart_, 2);
        connect(chkChart_, &QCheckBox::toggled, this, [this](bool on) {
            chart_->setVisible(on);
            if (on && model_->rowCount() > 0 && !building()) start(false);
        });
    }
    v->addLayout(body, 1);
    lblStatus_ = makeStatusLabel(this);
    v->addWidget(lblStatus_);

    watcher_ = new QFutureWatcher<Result>(this);
    // One thread that lives as long as the screen, so its connection can be kept.
    pool_.setMaxThreadCount(1);
    pool_.setExpiryTimeout(-1);
    connect(watcher_, &QFutureWatcher<Result>::finished, this, &StatementScreen::finished);
    connect(cmdView_, &QPushButton::clicked, this, &StatementScreen::cmdView);
    connect(cmdPrint_, &QPushButton::clicked, this, &StatementScreen::cmdPrint);
    connect(exit, &QPushButton::clicked, this, &Screen::closeWindow);
    applyDisplay();
    resize(1000, 600);
}

StatementScreen::~StatementScreen() {
    // The build holds a connection of its own; it ends, and is closed, before the screen goes.
    watcher_->waitForFinished();
    QtConcurrent::run(&pool_, [this] { dropConnection(); }).waitForFinished();
}

QSqlDatabase& StatementScreen::connection(const QString& dbName) {
    if (held_.isValid() && heldName_ != dbName) dropConnection();
    if (!held_.isValid()) {
        held_ = Db::open(dbName);
        heldName_ = dbName;
    }
    return held_;
}

void StatementScreen::dropConnection() {
    Db::close(held_);
    heldName_.clear();
}

bool StatementScreen::load() {
    if (!Screen::load()) return false;
    const QDate today = Clock::today();
    dtpTo_->setDate(today);
    if (dtpFrom_) dtpFrom_->setDate(today.addDays(-30));
    return true;
}

views::Period StatementScreen::period() const {
    return {dtpFrom_ ? dtpFrom_->date() : dtpTo_->date(), dtpTo_->date()};
}

bool StatementScreen::building() const {
    return watcher_->isRunning();
}

void StatementScreen::cmdView() {
    if (building()) return;
    if (const Check c = views::checkPeriod(kind_, period())) {
        Dialogs::current().message(appTitle(), c->text, c->icon);
        if (QWidget* w = findChild<QWidget*>(c->field)) w->setFocus();
        return;
    }
    start(true);
}

void StatementScreen::start(bool withRows) {
    const QString dbName = Session::current().companyDb;
    const views::Period p = period();
    const bool withChart = chart_ && chart_->isVisible() && kind_.chart;
    const views::StatementKind* k = &kind_;
    lblStatus_->setText(QStringLiteral("Please wait..."));
    cmdView_->setEnabled(false);
    progress_ = new QProgressDialog(QStringLiteral("Drawing up the statement..."), QString(), 0, 0, this);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(1000);
    progress_->setValue(0);
    if (withRows) shown_ = p;
    watcher_->setFuture(QtConcurrent::run(&pool_, [this, dbName, p, k, withRows, withChart] {
        Result r;
        r.withRows = withRows;
        // A build writes nothing, so one lost to a restarted server is simply run again on a
        // fresh connection; any other failure is reported, and the next View starts afresh.
        for (int attempt = 0;; ++attempt) {
            try {
                QSqlDatabase& db = connection(dbName);
                if (withRows) r.rows = k->build(db, p);
                if (withChart) r.chart = k->chart(db, p);
                return r;
            } catch (const DbError& e) {
                dropConnection();
                if (!e.lost() || attempt > 0) {
                    r.error = e.text();
                    return r;
                }
            }
        }
    }));
}

void StatementScreen::finished() {
    delete progress_;
    progress_ = nullptr;
    cmdView_->setEnabled(true);
    const Result r = watcher_->result();
    if (!r.error.isEmpty()) {
        lblStatus_->clear();
        logFailure(DbError(r.error));
        return;
    }
    if (r.withRows) {
        model_->setRows(r.rows);
        applyDisplay();
    }
    if (chart_ && chart_->isVisible()) showChart(r.chart);
    lblStatus_->setText(
        QStringLiteral("Statement between %1 and %2")
            .arg(shown_.from.toString(QStringLiteral("dd/MM/yyyy")), shown_.to.toString(QStringLiteral("dd/MM/yyyy"))));
}

void StatementScreen::applyDisplay() {
    const bool detailed = !chkDetail_ || chkDetail_->isChecked();
    for (int c = 0; c < kind_.widths.size(); ++c) {
        const bool shown = kind_.widths[c] > 0 && (detailed || !kind_.detailColumns.contains(c));
        msflex_->setColumnHidden(c, !shown);
        if (shown) msflex_->setColumnWidth(c, pixels(kind_.widths[c]));
    }
    const QList<views::Row>& rows = model_->rows();
    for (int r = 0; r < rows.size(); ++r) msflex_->setRowHidden(r, !detailed && rows[r].detail());
    // A figure is never cut short: its column widens to the widest shown (the header looks
    // at a bounded number of rows).
    for (int c : kind_.amountColumns) {
        if (msflex_->isColumnHidden(c)) continue;
        msflex_->resizeColumnToContents(c);
        msflex_->setColumnWidth(c, std::max(pixels(kind_.widths.value(c)), msflex_->columnWidth(c)));
    }
}

void StatementScreen::showChart(const views::Chart& c) {
    auto* chart = new QChart;
    chart->setTitle(c.title);
    auto* series = new QBarSeries(chart);
    double top = 0;
    for (int s = 0; s < c.series.size(); ++s) {
        auto* set = new QBarSet(c.seriesNames.value(s), series);
        for (double v : c.series[s]) {
            *set << v;
            top = std::max(top, v);
        }
        series->append(set);
    }
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis(chart);
    x->append(c.months);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis(chart);
    // Whole rupees on the scale, at least a hundred of them, so no two labels read the same.
    y->setRange(0, std::max(top * 1.1, 100.0));
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    QChart* old = chart_->chart();
    chart_->setChart(chart);
    delete old;
}

void StatementScreen::cmdPrint() {
    Dialogs& d = Dialogs::current();
    if (model_->rowCount() < 1) {
        d.exclamation(appTitle(), kind_.noPrint);
        return;
    }
    try {
        if (const auto p = Print::companyDetailsProblem(prod().db())) {
            d.exclamation(appTitle(), *p);
            return;
        }
        Print::ExportOptions o;
        o.titles = kind_.printTitles(shown_);
        Print::exportTable(prod().db(), msflex_, kind_.caption, o);
    } catch (const DbError& e) {
        logFailure(e);
    }
}

}  // namespace kavra
