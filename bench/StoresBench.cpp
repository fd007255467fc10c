// Figures for the stores: stock on hand over many lots, an issue drawing on many lots.
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>
#include <cstdio>

#include "core/Session.h"
#include "core/Sql.h"
#include "inventory/Stores.h"

namespace kavra {

namespace {

constexpr qint64 kItem = 900001;
constexpr qint64 kFirstNote = 5000000;

// Notes of one line each, written a few hundred rows per statement.
void fillLots(QSqlDatabase& db, int lots, double qty) {
    const int chunk = 400;
    const QString day = Db::day(Clock::today()).toString();
    Sql::transaction(db, [&] {
        for (int start = 0; start < lots; start += chunk) {
            const int n = std::min(chunk, lots - start);
            QStringList heads, lines;
            QVariantList hp, lp;
            for (int i = 0; i < n; ++i) {
                const qint64 id = kFirstNote + start + i;
                heads << QStringLiteral("(?,?,?,2,'Bench',' ')");
                hp << id << id << day;
                lines << QStringLiteral("(?,1,?,1,?,?)");
                lp << id << kItem << qty << qty;
            }
            Sql::exec(db,
                      QStringLiteral("insert into STN (Id, STNNo, STNDate, TS, PrepBy, RemAny) values ") +
                          heads.join(QLatin1Char(',')),
                      hp);
            Sql::exec(db,
                      QStringLiteral("insert into STNSub (Id, SlNo, ItemId, catC, Qty, BalQty) values ") +
                          lines.join(QLatin1Char(',')),
                      lp);
        }
    });
}

}  // namespace

void storesBench(QSqlDatabase& db) {
    using namespace inventory;
    const int lots = 100000;
    Sql::exec(db,
              QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
                             "(?, 'BENCH-LOTS', 'Bench lots', 1, 'NOS')"),
              {kItem});
    QElapsedTimer t;
    t.start();
    fillLots(db, lots, 2);
    const qint64 fillMs = t.elapsed();
    Sql::exec(db, QStringLiteral("ANALYZE"));

    const int runs = 20;
    double stock = 0;
    t.restart();
    for (int i = 0; i < runs; ++i) stock = Stores::stockOf(db, kItem);
    const double stockMs = double(t.nsecsElapsed()) / 1e6 / runs;

    // 1,000 whole lots of 2 and half of the next: 1,001 lots drawn.
    qint64 issue = 0;
    t.restart();
    Sql::transaction(db, [&] {
        issue = Stores::raiseIssue(db, IssueSource::Manual, Clock::today(), QStringLiteral(" Bench"), {},
                                   {{kItem, 1, 2001}});
    });
    const double issueMs = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    Sql::transaction(db, [&] { Stores::reverseIssue(db, issue); });
    const double reverseMs = double(t.nsecsElapsed()) / 1e6;
    const double after = Stores::stockOf(db, kItem);

    std::printf("stores: stock on hand of one item with %d lots: %.2f ms (stock %.0f; filling took %lld ms)\n", lots,
                stockMs, stock, (long long)fillMs);
    std::printf("stores: an issue drawing on 1,001 lots: %.1f ms; taking it back: %.1f ms (stock after %.0f)\n",
                issueMs, reverseMs, after);
}

}  // namespace kavra
