// Creating financial years, schema migrations and the numbered backup copies.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "core/Housekeeping.h"
#include "core/Login.h"
#include "core/Migrations.h"
#include "core/Password.h"
#include "core/Users.h"
#include "data/Menu.h"
#include "support/TestEnv.h"

namespace kavra::test {
namespace {

class Years : public EngineTest {};

TEST_P(Years, FirstYearGetsTheAdministratorAndMakingItAgainChangesNothing) {
    EXPECT_TRUE(YearSetup::noYearYet());
    const YearSetup::Result r = makeYear(2026);
    EXPECT_TRUE(r.created);
    EXPECT_TRUE(r.adminCreated);
    EXPECT_EQ(r.carriedFrom, 0);
    EXPECT_EQ(r.companyDb, "DB2026_27");
    EXPECT_FALSE(YearSetup::noYearYet());

    QSqlDatabase& db = company();
    EXPECT_EQ(Sql::scalar(db, "select UserName from User1 where UserId=1").toString(), "ADMINISTRATOR");
    const QString stored = Sql::scalar(db, "select UserPassword from User1 where UserId=1").toString();
    EXPECT_TRUE(Password::verify(YearSetup::kFirstPassword, stored));
    EXPECT_FALSE(Password::verify("kavra@123", stored));

    QSqlQuery q = Sql::exec(db, "select slNo, Topic, SubTopic from ViewRights order by slNo");
    const QVector<data::RightRow> expected = data::rightRows();
    int n = 0;
    for (; q.next(); ++n) {
        ASSERT_LT(n, expected.size());
        EXPECT_EQ(q.value(0).toInt(), n + 1);
        EXPECT_EQ(q.value(1).toString(), expected[n].topic);
        EXPECT_EQ(q.value(2).toString(), expected[n].subTopic);
    }
    EXPECT_EQ(n, 45);

    Users::add(db, 2, "bob", "pw");
    const YearSetup::Result again = makeYear(2026);
    EXPECT_FALSE(again.created);
    EXPECT_FALSE(again.adminCreated);
    EXPECT_EQ(count(db, "select count(*) from User1"), 2);
    EXPECT_EQ(count(open("DBStart"), "select count(*) from DB_Years"), 1);
}

TEST_P(Years, NewYearCarriesUsersAndRightsForward) {
    makeYear(2026);
    QVector<bool> r(45, false);
    r[3] = r[40] = true;
    {
        QSqlDatabase& old = company();
        Users::add(old, 2, "bob", "pw");
        ASSERT_TRUE(Users::storeRights(old, 2, r));
        exec(old, "update Misc set LastCompactDB=?", {Db::day(QDate(2027, 3, 1))});
    }
    Clock::pin(QDateTime(QDate(2027, 4, 1), QTime(9, 30)));
    const YearSetup::Result next = makeYear(2027);
    EXPECT_TRUE(next.created);
    EXPECT_FALSE(next.adminCreated);
    EXPECT_EQ(next.carriedFrom, 2026);

    QSqlDatabase& db = company();
    EXPECT_EQ(Login::userNames(db), QStringList({"ADMINISTRATOR", "bob"}));
    EXPECT_EQ(Users::rights(db, 2), r);
    EXPECT_EQ(Users::rights(db, 1), QVector<bool>(45, true));
    // The new year's compaction date is its own, not last year's.
    EXPECT_EQ(Db::toDate(Sql::scalar(db, "select LastCompactDB from Misc")), QDate(2027, 4, 1));
    EXPECT_EQ(count(db, "select count(*) from Misc"), 1);
    EXPECT_EQ(count(db, "select count(*) from ViewRights"), 45);

    QSqlDatabase& start = open("DBStart");
    EXPECT_EQ(Login::yearLabels(start), QStringList({"2026-27", "2027-28"}));
    EXPECT_EQ(Login::currentYearLabel(start), "2027-28");
}

// The tables each kind of database is to hold, read from its migrations.
QSet<QString> tablesOf(data::DbKind kind) {
    static const QRegularExpression re("^CREATE TABLE (\\w+)", QRegularExpression::CaseInsensitiveOption);
    QSet<QString> out{"schemaversion"};
    for (const data::Migration& m : data::migrations(kind))
        for (const QString& st : m.statements)
            if (const auto hit = re.match(st); hit.hasMatch()) out.insert(hit.captured(1).toLower());
    return out;
}

TEST_P(Years, EveryDatabaseIsAtTheLatestSchemaWithEveryTable) {
    makeYear(2026);
    for (const QString name : {"DBStart", "DB2026_27", "tarka", "tarkaISO2026_27"}) {
        QSqlDatabase& db = open(name);
        const data::DbKind kind = Migrations::kindOf(name);
        EXPECT_EQ(Migrations::version(db), Migrations::latest(kind)) << name.toStdString();
        QStringList have = Db::tables(db);
        have.removeAll("sqlite_sequence");
        QStringList want = tablesOf(kind).values();
        have.sort();
        want.sort();
        EXPECT_EQ(have, want) << name.toStdString();
    }
    // Upgrading again applies nothing twice.
    QSqlDatabase& db = company();
    const qint64 applied = count(db, "select count(*) from SchemaVersion");
    Migrations::upgrade(db, data::DbKind::Company);
    EXPECT_EQ(count(db, "select count(*) from SchemaVersion"), applied);
    EXPECT_EQ(count(db, "select count(*) from ViewRights"), 45);
    EXPECT_EQ(count(db, "select count(*) from Misc"), 1);
}

// Steps are numbered by who took them; a number may be free.
TEST_P(Years, EveryEarlierSchemaUpgradesToExactlyTheNewOneKeepingItsRows) {
    makeYear(2026);
    const QStringList fresh = Db::schemaOutline(company());
    const auto& steps = data::migrations(data::DbKind::Company);
    const int newest = Migrations::latest(data::DbKind::Company);
    for (const data::Migration& step : steps) {
        const int v = step.version;
        if (v >= newest) break;
        const QString name = QString("DB%1_%2").arg(2000 + v).arg((v + 1) % 100, 2, 10, QLatin1Char('0'));
        Db::create(name);
        {
            QSqlDatabase& old = openUnmigrated(name);
            Migrations::upgradeWith(old, data::DbKind::Company, GetParam(), v);
            ASSERT_EQ(Migrations::version(old), v);
            exec(old, "insert into User1 (UserId, UserName) values (5, 'OLDUSER')");
            old.close();
        }
        QSqlDatabase& db = open(name);
        EXPECT_EQ(Migrations::version(db), newest) << "from " << v;
        EXPECT_EQ(Db::schemaOutline(db), fresh) << "from " << v;
        EXPECT_EQ(count(db, "select count(*) from SchemaVersion"), qint64(steps.size())) << "from " << v;
        EXPECT_EQ(Sql::scalar(db, "select UserName from User1 where UserId=5").toString(), "OLDUSER") << "from " << v;
    }
}

TEST_P(Years, AStepEditedAfterItWasAppliedIsRefusedAndAnOldDatabaseGetsItsFingerprints) {
    makeYear(2026);
    {
        QSqlDatabase& db = company();
        EXPECT_EQ(count(db, "select count(*) from SchemaVersion where Checksum is null or Checksum = ''"), 0);
        // As a database from before fingerprints were kept.
        exec(db, "update SchemaVersion set Checksum = null");
        Migrations::upgrade(db, data::DbKind::Company);
        EXPECT_EQ(count(db, "select count(*) from SchemaVersion where Checksum is null or Checksum = ''"), 0);
        exec(db, "update SchemaVersion set Checksum = 'edited' where Version = 2");
        try {
            Migrations::upgrade(db, data::DbKind::Company);
            ADD_FAILURE() << "an edited step was accepted";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains("schema step 2")) << e.text().toStdString();
        }
    }
}

// Released steps are frozen: a change to one shows here before it reaches a company.
TEST(ReleasedSchema, StepsKeepTheirFingerprints) {
    const QStringList released = {"4703aca87b77e228", "6298b0a90fbd3606", "bef2465a7db681f2", "4e457cc7216897db",
                                  "ab7781c0116dfdd8", "fa985aca9fb2f0ed", "c3cc111da0b0ef15", "2a9e0d29bf662627"};
    const auto& steps = data::migrations(data::DbKind::Company);
    ASSERT_GE(steps.size(), size_t(released.size()));
    for (int i = 0; i < released.size(); ++i)
        EXPECT_EQ(Migrations::checksum(steps[size_t(i)]), released[i]) << "step " << steps[size_t(i)].version;
}

class Backups : public EngineTest {};

TEST_P(Backups, KeepsTheNewest16Copies) {
    makeYear(2026);
    const QString folder = programDir() + "/DB_BKUP";
    EXPECT_EQ(House::writeBackup(folder, "DB2026_27"), 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"DB1.db"});
    for (int n = 2; n <= 16; ++n) ASSERT_TRUE(QFile::copy(folder + "/DB1.db", folder + QString("/DB%1.db").arg(n)));

    EXPECT_EQ(House::writeBackup(folder, "DB2026_27"), 17);
    const QStringList left = QDir(folder).entryList(QDir::Files);
    EXPECT_EQ(left.size(), 16);
    EXPECT_FALSE(left.contains("DB1.db"));
    EXPECT_TRUE(left.contains("DB2.db"));
    EXPECT_TRUE(left.contains("DB17.db"));

    // The copy is a database of its own, whatever the engine.
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase("QSQLITE", "backup_check");
        copy.setDatabaseName(folder + "/DB17.db");
        ASSERT_TRUE(copy.open());
        EXPECT_EQ(Sql::scalar(copy, "select UserName from User1 where UserId=1").toString(), "ADMINISTRATOR");
        EXPECT_EQ(Sql::scalar(copy, "select count(*) from ViewRights").toInt(), 45);
        copy.close();
    }
    QSqlDatabase::removeDatabase("backup_check");
}

KAVRA_ON_EVERY_ENGINE(Years);
KAVRA_ON_EVERY_ENGINE(Backups);

}  // namespace
}  // namespace kavra::test
