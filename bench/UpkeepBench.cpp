// Figures for the quality desk and the maintenance shop: the due list over 5,000 instruments
// with 50,000 reports, and the process grid of one day for 500 machines with six schedules
// each and a year of recorded jobs (with the misses of the 30 days before it).
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <cstdio>
#include <functional>

#include "core/Db.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "production/Maintenance.h"
#include "quality/Calibration.h"

namespace kavra {

namespace {

constexpr int kInstruments = 5000, kReports = 50000, kMachines = 500;
constexpr qint64 kFirstItem = 960001;

// Inserts rows a few hundred per statement.
void insertMany(QSqlDatabase& db, const QString& head, const QString& marks, int rows,
                const std::function<QVariantList(int)>& values) {
    const int chunk = 200;
    for (int from = 0; from < rows; from += chunk) {
        const int n = std::min(chunk, rows - from);
        QStringList all;
        QVariantList params;
        for (int i = 0; i < n; ++i) {
            all << marks;
            params << values(from + i);
        }
        Sql::exec(db, head + all.join(QLatin1Char(',')), params);
    }
}

}  // namespace

void upkeepBench(QSqlDatabase& db) {
    const QDate today = Clock::today();
    Sql::transaction(db, [&] {
        insertMany(db,
                   QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "),
                   QStringLiteral("(?,?,?,5,'NOS')"), 50, [](int i) {
                       return QVariantList{kFirstItem + i, QStringLiteral("GAUGE-%1").arg(i),
                                           QStringLiteral("Bench gauge %1").arg(i)};
                   });
        // Dates spread over two years either side of today, so a few hundred fall in the window.
        insertMany(db, QStringLiteral("insert into Calibrate (Id, ItemId, InsGaugeId, Freq, NextCalibrate) values "),
                   QStringLiteral("(?,?,?,'1 year',?)"), kInstruments, [&](int i) {
                       return QVariantList{i + 1, kFirstItem + i % 50, QStringLiteral("G%1").arg(i),
                                           Db::day(today.addDays((i * 37) % 1460 - 730))};
                   });
        insertMany(db,
                   QStringLiteral("insert into CalibrateRep (Id, CalibRepId, ExpectedCalibrate, DOC, CalibrateNo) "
                                  "values "),
                   QStringLiteral("(?,?,?,?,?)"), kReports, [&](int i) {
                       const QDate d = today.addDays(-(i % 700));
                       return QVariantList{i % kInstruments + 1, i + 1, Db::day(d), Db::day(d),
                                           QStringLiteral("CR-%1").arg(i)};
                   });
        insertMany(db, QStringLiteral("insert into Machine (MachId, MachName) values "), QStringLiteral("(?,?)"),
                   kMachines, [](int i) {
                       return QVariantList{i + 1, QStringLiteral("BENCH MACHINE %1").arg(i + 1)};
                   });
        const int numbers[] = {0, 7, 13, 28, 3, 6, 12};
        insertMany(db, QStringLiteral("insert into MaintainSch (MachId, MainId, Descr) values "),
                   QStringLiteral("(?,?,?)"), kMachines * 6, [&](int i) {
                       const int type = i % 6 + 1;
                       const int number = (i / 6) % numbers[type] + 1;
                       return QVariantList{i / 6 + 1, type, Maintenance::joinDescr(QStringLiteral("Job"), number)};
                   });
    });
    // A year of recorded jobs: every due job of every day before today, most of them done.
    QList<std::array<int, 3>> jobs;  // day offset, machine, type
    for (int back = 365; back >= 1; --back) {
        const QDate d = today.addDays(-back);
        const auto rows = Maintenance::processGrid(db, d);
        for (const auto& r : rows)
            for (int t = 1; t <= Maintenance::kTypes; ++t)
                if (r.jobs[t - 1].due) jobs.push_back({back, int(r.machId), t});
    }
    Sql::transaction(db, [&] {
        insertMany(db, QStringLiteral("insert into MaintainData (MachId, MainId, MainDate, StatusC, Descr) values "),
                   QStringLiteral("(?,?,?,?,'Job')"), int(jobs.size()), [&](int i) {
                       const auto& j = jobs[i];
                       return QVariantList{j[1], j[2], Db::day(today.addDays(-j[0])), i % 10 != 0};
                   });
    });
    Db::optimize(db);

    QElapsedTimer t;
    t.start();
    const auto due = Calibration::dueList(db, today, {});
    const qint64 dueMs = t.elapsed();
    t.restart();
    const auto rows = Maintenance::processGrid(db, today);
    const qint64 gridMs = t.elapsed();
    t.restart();
    const auto missed = Maintenance::misses(db, today);
    const qint64 missMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Maintenance::record(db, today, rows); });
    const qint64 recordMs = t.elapsed();
    std::printf("calibration due list, %d instruments / %d reports: %lld ms (%lld listed)\n", kInstruments, kReports,
                (long long)dueMs, (long long)due.size());
    std::printf(
        "maintenance process grid, %d machines x 6 schedules, %lld jobs recorded: %lld ms; misses of 30 days "
        "%lld ms (%lld); Modify %lld ms\n",
        kMachines, (long long)jobs.size(), (long long)gridMs, (long long)missMs, (long long)missed.size(),
        (long long)recordMs);
}

}  // namespace kavra
