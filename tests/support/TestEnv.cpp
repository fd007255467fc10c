#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "core/Login.h"
#include "core/Session.h"
#include "core/Sql.h"

namespace kavra::test {

namespace {

std::atomic<int> g_testSerial{0};

QString env(const char* name) {
    return qEnvironmentVariable(name);
}

// The server's databases that carry this test's prefix, found and dropped through
// the maintenance database so that leftovers of a crashed run cannot be reused.
void dropPrefixed(const QString& prefix) {
    const QString conn = QStringLiteral("kavra_test_admin");
    {
        QSqlDatabase adm = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), conn);
        const DbConfig& cfg = dbConfig();
        adm.setHostName(cfg.host);
        adm.setPort(cfg.port);
        adm.setUserName(cfg.user);
        adm.setPassword(cfg.password);
        adm.setDatabaseName(QStringLiteral("postgres"));
        if (!adm.open()) {
            ADD_FAILURE() << "PostgreSQL: " << adm.lastError().text().toStdString();
        } else {
            QStringList names;
            QSqlQuery q = Sql::exec(adm, QStringLiteral("select datname from pg_database where left(datname, ?)=?"),
                                    {int(prefix.size()), prefix});
            while (q.next()) names << q.value(0).toString();
            q = QSqlQuery();
            for (const QString& n : names)
                Sql::exec(adm, QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(n));
            adm.close();
        }
    }
    QSqlDatabase::removeDatabase(conn);
}

}  // namespace

std::vector<Engine> engines() {
    return {Engine::SQLite, Engine::PostgreSQL};
}

std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::PostgreSQL ? "PostgreSQL" : "SQLite";
}

void EngineTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    DbConfig cfg;
    cfg.programDir = dir_.path();
    if (isPg()) {
        if (env("KAVRA_TEST_PG_HOST").isEmpty()) {
            if (env("KAVRA_TEST_PG_REQUIRED") == QLatin1String("1"))
                FAIL() << "KAVRA_TEST_PG_REQUIRED=1 but KAVRA_TEST_PG_HOST is not set";
            GTEST_SKIP() << "no PostgreSQL server (set KAVRA_TEST_PG_HOST)";
        }
        cfg.engine = Engine::PostgreSQL;
        cfg.host = env("KAVRA_TEST_PG_HOST");
        if (!env("KAVRA_TEST_PG_PORT").isEmpty()) cfg.port = env("KAVRA_TEST_PG_PORT").toInt();
        cfg.user = env("KAVRA_TEST_PG_USER");
        cfg.password = env("KAVRA_TEST_PG_PASSWORD");
        cfg.prefix = QStringLiteral("kt%1_%2_").arg(QCoreApplication::applicationPid()).arg(++g_testSerial);
    }
    dbConfig() = cfg;
    Session::current() = Session{};
    Dialogs::install(&dialogs);
    ready_ = true;
    if (isPg()) dropPrefixed(cfg.prefix);
}

void EngineTest::TearDown() {
    for (QSqlDatabase& db : conns_) Db::close(db);
    conns_.clear();
    if (ready_) dropOwnDatabases();
    Session::current() = Session{};
    Clock::pin(QDateTime());
    Dialogs::install(nullptr);
}

void EngineTest::dropOwnDatabases() {
    QStringList names{QStringLiteral("DBStart"), QStringLiteral("tarka")};
    names += years_;
    try {
        for (const QString& n : names) Db::drop(n);
    } catch (const DbError& e) {
        ADD_FAILURE() << "drop: " << e.text().toStdString();
    }
    // Anything else a test made under the prefix goes too.
    if (isPg()) dropPrefixed(dbConfig().prefix);
}

YearSetup::Result EngineTest::makeYear(int minYear) {
    const YearSetup::Result r = YearSetup::createYear(minYear);
    years_ << r.companyDb << QStringLiteral("tarkaISO") + r.companyDb.mid(2);
    Session::current().companyDb = r.companyDb;
    return r;
}

bool EngineTest::startYear(const QDateTime& now) {
    EngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return false;
    makeYear(2026);
    if (now.isValid()) Clock::pin(now);
    return true;
}

void EngineTest::openAsAdministrator() {
    makeYear(2026);
    Session::current().userId = 1;
    Session::current().sysId = 1;
    dialogs.setDefaultAnswer(true);
}

bool EngineTest::startAsAdministrator(const QDateTime& now) {
    EngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return false;
    openAsAdministrator();
    if (now.isValid()) Clock::pin(now);
    return true;
}

QSqlDatabase& EngineTest::open(const QString& name) {
    conns_.push_back(Db::open(name));
    return conns_.back();
}

QSqlDatabase& EngineTest::openUnmigrated(const QString& name) {
    const DbConfig& cfg = dbConfig();
    QSqlDatabase db =
        QSqlDatabase::addDatabase(isPg() ? "QPSQL" : "QSQLITE", QStringLiteral("kavra_test_raw_%1").arg(conns_.size()));
    if (isPg()) {
        db.setHostName(cfg.host);
        db.setPort(cfg.port);
        db.setUserName(cfg.user);
        db.setPassword(cfg.password);
        db.setDatabaseName(cfg.prefix + name.toLower());
    } else {
        db.setDatabaseName(Db::filePath(name));
    }
    EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
    conns_.push_back(db);
    return conns_.back();
}

QSqlDatabase& EngineTest::company() {
    return open(Session::current().companyDb);
}

void EngineTest::exec(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    Sql::exec(db, sql, params);
}

qint64 EngineTest::count(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    return Sql::scalar(db, sql, params).toLongLong();
}

QVariant EngineTest::at(int y, int m, int d, int hh, int mm, int ss) {
    return Db::ts(QDateTime(QDate(y, m, d), QTime(hh, mm, ss)));
}

}  // namespace kavra::test
