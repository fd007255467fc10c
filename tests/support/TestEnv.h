#pragma once
// Runs a test once per database engine. SQLite works in a fresh temporary folder;
// PostgreSQL uses the server named by KAVRA_TEST_PG_HOST (host or socket folder),
// KAVRA_TEST_PG_PORT, KAVRA_TEST_PG_USER and KAVRA_TEST_PG_PASSWORD, with database
// names prefixed per test so parallel runs never meet. Without a server the
// PostgreSQL runs are skipped, unless KAVRA_TEST_PG_REQUIRED=1.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QVariantList>
#include <deque>
#include <string>
#include <vector>

#include "core/Db.h"
#include "core/Refusal.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/YearSetup.h"
#include "support/ScriptedDialogs.h"

// Readable failure output for Qt text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(", ").toStdString() << ']';
}

namespace kavra {
inline void PrintTo(Engine e, std::ostream* os) {
    *os << (e == Engine::PostgreSQL ? "PostgreSQL" : "SQLite");
}
}  // namespace kavra

namespace kavra::test {

// The message of a check's refusal, "" when it passes.
inline QString refusalText(const Check& c) {
    return c ? c->text : QString();
}

std::vector<Engine> engines();
std::string engineName(const ::testing::TestParamInfo<Engine>& info);

class EngineTest : public ::testing::TestWithParam<Engine> {
  protected:
    void SetUp() override;
    void TearDown() override;

    bool isPg() const { return GetParam() == Engine::PostgreSQL; }
    // Creates the financial year from 1 April minYear and makes it the session's company.
    YearSetup::Result makeYear(int minYear = 2026);
    // How a suite's SetUp starts: the engine ready, the year from April 2026 made and, when
    // now is valid, the clock pinned there. False when the test is skipped or has failed.
    bool startYear(const QDateTime& now = {});
    // The year made, the administrator signed in on workstation 1, every question answered Yes:
    // where screen tests start.
    void openAsAdministrator();
    // How a screen suite's SetUp starts: the engine ready, openAsAdministrator and, when now
    // is valid, the clock pinned there. False when the test is skipped or has failed.
    bool startAsAdministrator(const QDateTime& now = {});
    // A connection closed at tear-down.
    QSqlDatabase& open(const QString& name);
    QSqlDatabase& company();  // the session's company database
    // A connection that applies no migrations, to build a database as an older version left it.
    QSqlDatabase& openUnmigrated(const QString& name);
    // Bound statement / single value on a connection.
    void exec(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
    qint64 count(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
    // Day and time as bound values.
    static QVariant at(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0);

    QString programDir() const { return dir_.path(); }
    ScriptedDialogs dialogs;

  private:
    void dropOwnDatabases();
    QTemporaryDir dir_;
    std::deque<QSqlDatabase> conns_;
    QStringList years_;
    bool ready_ = false;
};

}  // namespace kavra::test

// Every engine test suite is instantiated with this, so the engine shows in the test name.
#define KAVRA_ON_EVERY_ENGINE(Suite) \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(::kavra::test::engines()), ::kavra::test::engineName)
