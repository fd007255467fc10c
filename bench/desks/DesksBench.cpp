// Several desks saving DCs against the same few orders at once, each desk a process of its own:
//   kavra_desks_bench [--server host:port --db-user u ...] [--desks N] [--seconds S]
// (8 desks for 30 s unless told). Runs in a temporary program folder (or under a temporary
// database prefix on a server) and prints saves per second, the refusals by reason, errors,
// and whether the books add up afterwards.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Dialogs.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/YearSetup.h"
#include "support/Desks.h"

using namespace kavra;

namespace {

class YesDialogs : public Dialogs {
  public:
    void showMessage(const QString&, const QString&, MsgIcon) override {}
    bool askQuestion(const QString&, const QString&, bool) override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    DbConfig& cfg = dbConfig();
    if (const QString err = cfg.parse(args); !err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 2;
    }
    auto option = [&](const char* name, int otherwise) {
        const int i = args.indexOf(QLatin1String(name));
        return i > 0 && i + 1 < args.size() ? args[i + 1].toInt() : otherwise;
    };
    const int desks = option("--desks", 8), seconds = option("--seconds", 30);
    QTemporaryDir dir;
    cfg.programDir = dir.path();
    if (cfg.isPg()) cfg.prefix = QStringLiteral("kdesks%1_").arg(QCoreApplication::applicationPid());
    static YesDialogs yes;
    Dialogs::install(&yes);

    const QDate day = Clock::today();
    const YearSetup::Result year = YearSetup::createYear(clsProd::FinancialYearOf(day));
    int failed = 0;
    {
        QSqlDatabase db = Db::open(year.companyDb);
        desks::Plan plan;
        plan.items = 10;
        plan.orders = 4;
        plan.ordered = 100000;
        plan.stock = 10000000;
        desks::furnish(db, plan, day);

        std::vector<std::unique_ptr<desks::Racer>> racers;
        for (int i = 0; i < desks; ++i) {
            racers.push_back(std::make_unique<desks::Racer>(
                QStringLiteral(KAVRA_RACER_PROGRAM), year.companyDb, day,
                QStringList{"--what", "dc", "--qty-max", "5", "--seconds", QString::number(seconds)}));
            if (!racers.back()->ready()) {
                std::fprintf(stderr, "a desk did not start: %s\n", qPrintable(racers.back()->errors()));
                return 1;
            }
        }
        QElapsedTimer t;
        t.start();
        for (auto& r : racers) r->go();
        desks::Tally tally;
        for (auto& r : racers) {
            r->finish((seconds + 120) * 1000);
            tally.add(r->attempts());
        }
        const double elapsed = t.elapsed() / 1000.0;
        const QStringList faults = desks::faults(db);
        const qint64 dcs = Sql::scalar(db, QStringLiteral("select count(*) from DcInv")).toLongLong();

        QMap<QString, int> reasons;
        for (const QString& r : tally.refusals) ++reasons[r.simplified()];
        std::printf("engine: %s, %d desks for %d s\n", cfg.isPg() ? "PostgreSQL" : "SQLite", desks, seconds);
        std::printf("DCs saved: %d (%.1f per second; %lld in the books)\n", tally.saved, tally.saved / elapsed,
                    (long long)dcs);
        std::printf("refused: %d\n", tally.refused);
        for (auto it = reasons.cbegin(); it != reasons.cend(); ++it)
            std::printf("  %6d  %s\n", it.value(), qPrintable(it.key()));
        std::printf("errors: %d\n", tally.errors);
        for (const QString& e : tally.errorTexts.mid(0, 10)) std::printf("  %s\n", qPrintable(e));
        std::printf("refusals not the system's own: %d\n", int(tally.unknownRefusals.size()));
        std::printf("books: %s\n", faults.isEmpty() ? "whole" : "NOT WHOLE");
        for (const QString& f : faults.mid(0, 20)) std::printf("  %s\n", qPrintable(f));
        failed = !faults.isEmpty() || tally.errors > 0 || !tally.unknownRefusals.isEmpty();
        Db::close(db);
    }
    if (cfg.isPg())
        for (const QString& n : {QStringLiteral("DBStart"), QStringLiteral("tarka"), year.companyDb,
                                 QStringLiteral("tarkaISO") + year.companyDb.mid(2)})
            Db::drop(n);
    return failed;
}
