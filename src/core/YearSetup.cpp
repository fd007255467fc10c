#include "core/YearSetup.h"

#include <QSqlQuery>

#include "core/Db.h"
#include "core/Login.h"
#include "core/Password.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "data/Schema.h"

namespace kavra::YearSetup {

namespace {

struct Conn {
    QSqlDatabase db;
    explicit Conn(const QString& name) : db(Db::open(name)) {}
    ~Conn() { Db::close(db); }
};

void ensure(const QString& name) {
    Db::create(name);
    Conn c(name);  // opening applies the migrations
}

}  // namespace

bool noYearYet() {
    if (!Db::exists(QStringLiteral("DBStart"))) return true;
    Conn start(QStringLiteral("DBStart"));
    return Login::latestMinYear(start.db) == 0;
}

Result createYear(int minYear) {
    Result r;
    r.companyDb = Login::companyDbOfLabel(Login::yearLabel(minYear));
    ensure(QStringLiteral("DBStart"));
    ensure(QStringLiteral("tarka"));
    Conn start(QStringLiteral("DBStart"));
    const bool listed = Sql::any(start.db, QStringLiteral("select 1 from DB_Years where minYear=?"), {minYear});
    if (listed && Db::exists(r.companyDb)) return r;

    // The year to carry from: the latest earlier year whose database is there.
    int previous = 0;
    {
        QSqlQuery q = Sql::exec(
            start.db, QStringLiteral("select minYear from DB_Years where minYear<? order by minYear desc"), {minYear});
        while (q.next()) {
            const int y = q.value(0).toInt();
            if (Db::exists(Login::companyDbOfLabel(Login::yearLabel(y)))) {
                previous = y;
                break;
            }
        }
    }
    try {
        ensure(r.companyDb);
        ensure(QStringLiteral("tarkaISO") + r.companyDb.mid(2));
        Conn company(r.companyDb);
        if (previous) {
            Conn old(Login::companyDbOfLabel(Login::yearLabel(previous)));
            const QStringList oldTables = Db::tables(old.db);
            const QStringList newTables = Db::tables(company.db);
            Sql::transaction(company.db, [&] {
                for (const QString& t : data::carryForwardTables()) {
                    if (!oldTables.contains(t.toLower()) || !newTables.contains(t.toLower())) continue;
                    Sql::exec(company.db, QStringLiteral("delete from %1").arg(t));
                    Db::copyRows(old.db, company.db, t);
                }
            });
            r.carriedFrom = previous;
        }
        // A new database is compact already; the first compaction falls due a week on.
        Sql::exec(company.db, QStringLiteral("update Misc set LastCompactDB=?"), {Db::day(Clock::today())});
        if (!Sql::any(company.db, QStringLiteral("select 1 from User1"))) {
            const QString h = Password::hash(QString::fromLatin1(kFirstPassword));
            QStringList cols, marks;
            QVariantList vals{1};
            for (int n = 1; n <= 48; ++n) {
                cols << QStringLiteral("R%1").arg(n);
                marks << QStringLiteral("?");
                vals << true;
            }
            Sql::transaction(company.db, [&] {
                Sql::exec(company.db,
                          QStringLiteral("insert into User1 (UserId, UserName, UserPassword) values (1,?,?)"),
                          {QString::fromLatin1(kAdminName), h});
                Sql::exec(company.db,
                          QStringLiteral("insert into UserRights (UserId,%1) values (?,%2)")
                              .arg(cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                          vals);
            });
            r.adminCreated = true;
        }
    } catch (...) {
        // Leave no half-made year behind: the year row is written only after its database is complete.
        if (!listed) {
            Db::drop(r.companyDb);
        }
        throw;
    }
    Sql::transaction(start.db, [&] {
        if (!listed)
            Sql::exec(start.db, QStringLiteral("insert into DB_Years (minYear, maxYear, CurrYear) values (?,?,FALSE)"),
                      {minYear, minYear + 1});
    });
    Login::makeCurrent(start.db, minYear);
    r.created = true;
    return r;
}

}  // namespace kavra::YearSetup
