// Several desks as an office runs them: one user at two desks, a desk killed mid-work, two
// copies on one workstation, compaction while another program works, backups cut short,
// restore, and a server restarted under an open screen.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include "core/ClsProd.h"
#include "core/Housekeeping.h"
#include "core/Migrations.h"
#include "support/Desks.h"
#include "support/TestEnv.h"

namespace kavra::test {
namespace {

class Office : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 12, 7), QTime(10, 0)))) return;
        db = &company();
        exec(*db, "insert into User1 (UserId, UserName, UserPassword) values (2, 'RAVI', '')");
        exec(*db, "insert into ImpSystems (SysId, SysName, SysIP) values (1, 'STORES-PC', '10.0.0.1')");
        exec(*db, "insert into ImpSystems (SysId, SysName, SysIP) values (2, 'OFFICE-PC', '10.0.0.2')");
    }
    void TearDown() override {
        for (auto& d : desks) d.reset();
        for (Session* s : {&stores, &office}) s->presence.reset();
        EngineTest::TearDown();
    }
    // A desk of this process: its own holds and connection, as a second program would have.
    std::unique_ptr<clsProd> sitDown(Session& s, qint64 sysId, qint64 userId, const QString& name) {
        s.companyDb = Session::current().companyDb;
        s.sysId = sysId;
        s.userId = userId;
        s.userName = name;
        s.presence = std::make_shared<Db::Presence>(s.companyDb);
        EXPECT_TRUE(s.presence->claimDesk(sysId));
        auto p = std::make_unique<clsProd>(&s);
        EXPECT_EQ(p->OpenCompanyDatabase(), QString());
        p->ReleaseAllScreens(dialogs);
        p->ReleaseGoneWorkstations();
        return p;
    }
    // A desk of its own process (kavra_desk), killed with kill -9 when the test says.
    static std::unique_ptr<desks::Racer> desk(qint64 sysId, qint64 userId, const QStringList& screens,
                                              const QString& backupFolder = {}) {
        QStringList args{"--sys", QString::number(sysId), "--user", QString::number(userId)};
        for (const QString& s : screens) args << "--screen" << s;
        if (!backupFolder.isEmpty()) args << "--backup-loop" << backupFolder;
        return std::make_unique<desks::Racer>(KAVRA_DESK_PROGRAM, Session::current().companyDb, Clock::today(), args);
    }
    // How a desk that refused to start ended (3: its workstation taken, 4: a screen of it held).
    static int refusedWith(desks::Racer& d) {
        EXPECT_FALSE(d.ready());
        d.finish(10000);
        return d.exitCode();
    }
    qint64 rows(qint64 sysId) { return count(*db, "select count(*) from OnlineUsers where SysId=?", {sysId}); }

    QSqlDatabase* db = nullptr;
    Session stores, office;
    std::unique_ptr<desks::Racer> desks[2];
};

TEST_P(Office, OneUserAtTwoDesksKeepsBothDesksLocks) {
    auto a = sitDown(stores, 1, 1, "ADMINISTRATOR");
    a->RegisterScreen("mdiSSI", 3, dialogs);
    ASSERT_EQ(a->CheckScreenLock("frmDC", 3, dialogs), 3);
    a->RegisterScreen("frmDC", 3, dialogs);
    EXPECT_EQ(a->SameUserElsewhere(), QString());

    // The same user logs in at the office: the stores desk's rows stay, and the user is told.
    auto b = sitDown(office, 2, 1, "ADMINISTRATOR");
    EXPECT_EQ(rows(1), 2);
    EXPECT_EQ(b->SameUserElsewhere(),
              "The user ADMINISTRATOR is also logged in at the workstation STORES-PC (10.0.0.1) since 07/12/2026 "
              "10:00:00.\n\nBoth workstations keep their own screens. So that the work of each person can be told "
              "apart, give every person a user of their own (Master > Admin > Users).");
    EXPECT_EQ(b->CheckScreenLock("frmDC", 3, dialogs), 1);
    EXPECT_TRUE(dialogs.last().text.contains("System Name : STORES-PC"));
    // Nor does a second sign-in at the stores desk's neighbour give the screen away.
    b->RegisterScreen("frmInvoice", 3, dialogs);
    EXPECT_EQ(a->CheckScreenLock("frmInvoice", 3, dialogs), 1);

    // Once the stores desk closes the screen, the office may have it.
    a->ReleaseScreen("frmDC", dialogs);
    dialogs.clear();
    EXPECT_EQ(b->CheckScreenLock("frmDC", 3, dialogs), 3);
    EXPECT_EQ(dialogs.count(), 0);
}

TEST_P(Office, AKilledDeskLocksNobodyOut) {
    desks[0] = desk(2, 2, QStringList{"frmDC", "frmItem"});
    ASSERT_TRUE(desks[0]->ready()) << desks[0]->errors().toStdString();
    auto a = sitDown(stores, 1, 1, "ADMINISTRATOR");
    EXPECT_EQ(rows(2), 3);  // a running desk's rows survive another's login
    EXPECT_EQ(a->CheckScreenLock("frmDC", 3, dialogs), 1);
    EXPECT_TRUE(dialogs.last().text.contains("User Name : RAVI"));

    desks[0]->killHard();
    dialogs.clear();
    EXPECT_EQ(a->CheckScreenLock("frmDC", 3, dialogs), 3);
    EXPECT_EQ(dialogs.count(), 0);
    // Its rows go at the next login anywhere; the screen taken meanwhile stays held.
    a->ReleaseGoneWorkstations();
    EXPECT_EQ(rows(2), 0);
    a->RegisterScreen("frmDC", 3, dialogs);
    desks[1] = desk(2, 2, QStringList{"frmDC"});
    EXPECT_EQ(refusedWith(*desks[1]), 4);
}

TEST_P(Office, ASecondCopyOnOneWorkstationIsRefusedWhileTheFirstRuns) {
    desks[0] = desk(2, 2, QStringList{});
    ASSERT_TRUE(desks[0]->ready()) << desks[0]->errors().toStdString();
    Db::Presence copy(Session::current().companyDb);
    EXPECT_FALSE(copy.claimDesk(2));
    desks[1] = desk(2, 2, QStringList{});
    EXPECT_EQ(refusedWith(*desks[1]), 3);
    // Another workstation is not held back.
    EXPECT_TRUE(copy.claimDesk(1));
    desks[0]->killHard();
    Db::Presence again(Session::current().companyDb);
    EXPECT_TRUE(again.claimDesk(2));
}

TEST_P(Office, CompactionWaitsWhileAnotherProgramHasTheDatabase) {
    exec(*db, "insert into Logs (id, Dates, userid) values (1, ?, 1)", {at(2026, 12, 7, 9)});
    desks[0] = desk(2, 2, QStringList{});
    ASSERT_TRUE(desks[0]->ready()) << desks[0]->errors().toStdString();
    Db::Presence p(Session::current().companyDb);
    // Screen rows say nothing either way: none are left, yet the other program is there.
    exec(*db, "delete from OnlineUsers");
    EXPECT_EQ(p.othersOpen(), 1);
    EXPECT_FALSE(p.takeAlone());
    desks[0]->killHard();
    EXPECT_EQ(p.othersOpen(), 0);
    ASSERT_TRUE(p.takeAlone());
    // While it is compacting, a program that starts is kept out.
    if (!isPg()) EXPECT_THROW(Db::Presence(Session::current().companyDb), DbError);
    Db::close(*db);
    QSqlDatabase::removeDatabase(db->connectionName());
    House::compactAll(Session::current().companyDb);
    p.share();
    QSqlDatabase& again = company();
    EXPECT_EQ(count(again, "select count(*) from Logs"), 1);
}

TEST_P(Office, BackupRestoreAndReopen) {
    const QString folder = programDir() + "/DB_BKUP";
    exec(*db, "insert into Logs (id, Dates, userid) values (1, ?, 1)", {at(2026, 12, 7, 9)});
    House::startBackup(folder, Session::current().companyDb);
    EXPECT_EQ(House::finishBackup(), QString());
    ASSERT_EQ(House::backups(folder), QStringList{folder + "/DB1.db"});
    EXPECT_EQ(Db::checkCopy(folder + "/DB1.db", data::DbKind::Company, true), QString());
    exec(*db, "insert into Logs (id, Dates, userid) values (2, ?, 1)", {at(2026, 12, 7, 10)});
    if (isPg()) {
        EXPECT_THROW(Db::restore(Session::current().companyDb, folder + "/DB1.db", Clock::now()), DbError);
        return;
    }
    // A copy that is no database, or of a newer version, is refused and changes nothing.
    QFile junk(folder + "/junk.db");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    Db::close(*db);
    QSqlDatabase::removeDatabase(db->connectionName());
    EXPECT_THROW(Db::restore(Session::current().companyDb, folder + "/junk.db", Clock::now()), DbError);
    {
        QSqlDatabase& cur = company();
        EXPECT_EQ(count(cur, "select count(*) from Logs"), 2);
        Db::close(cur);
    }
    const QString live = Db::filePath(Session::current().companyDb);
    // A writer's journal left beside the database goes aside with it, never onto the copy.
    {
        QSqlDatabase w = QSqlDatabase::addDatabase("QSQLITE", "wal_writer");
        w.setDatabaseName(live);
        ASSERT_TRUE(w.open());
        Sql::exec(w, "PRAGMA journal_mode=WAL");
        Sql::exec(w, "PRAGMA wal_autocheckpoint=0");
        Sql::exec(w, "insert into Logs (id, Dates, userid) values (3, '2026-12-07 11:00:00', 1)");
        QFile::copy(live + "-wal", live + "-wal.keep");
        QFile::copy(live + "-shm", live + "-shm.keep");
        w.close();
    }
    QSqlDatabase::removeDatabase("wal_writer");
    QFile::remove(live + "-wal");
    QFile::rename(live + "-wal.keep", live + "-wal");
    QFile::rename(live + "-shm.keep", live + "-shm");
    const QString aside = Db::restore(Session::current().companyDb, folder + "/DB1.db", Clock::now());
    EXPECT_FALSE(QFile::exists(live + "-wal"));
    QSqlDatabase& back = company();
    EXPECT_EQ(count(back, "select count(*) from Logs"), 1);
    EXPECT_EQ(Migrations::version(back), Migrations::latest(data::DbKind::Company));
    // What was replaced can still be read, journal included.
    QSqlDatabase old = QSqlDatabase::addDatabase("QSQLITE", "aside_check");
    old.setDatabaseName(aside);
    ASSERT_TRUE(old.open());
    EXPECT_EQ(Sql::scalar(old, "select count(*) from Logs").toInt(), 3);
    old.close();
    old = QSqlDatabase();
    QSqlDatabase::removeDatabase("aside_check");
}

TEST_P(Office, ABackupKilledMidwayLeavesNoCountedCopy) {
    // Enough rows that a copy takes a while on either engine.
    exec(*db, "insert into Logs (id, Dates, userid) values (1, ?, 1)", {at(2026, 12, 7, 9)});
    exec(*db, "insert into errlog (ErrText, ErrDateT) values (?, ?)", {QString(200, 'x'), at(2026, 12, 7, 9)});
    for (int n = 0; n < 14; ++n)
        exec(*db, QStringLiteral("insert into errlog select %1 || ErrText, ErrDateT from errlog").arg(n), {});
    const QString folder = programDir() + "/DB_BKUP";
    for (int round = 0; round < 3; ++round) {
        desks[0] = desk(0, 0, QStringList{}, folder);
        ASSERT_TRUE(desks[0]->ready()) << desks[0]->errors().toStdString();
        QThread::msleep(100 + QRandomGenerator::global()->bounded(400));
        desks[0]->killHard();
    }
    for (const QString& f : House::backups(folder))
        EXPECT_EQ(Db::checkCopy(f, data::DbKind::Company, false), QString()) << f.toStdString();
    const int before = House::backups(folder).size();
    const int n = House::writeBackup(folder, Session::current().companyDb);
    EXPECT_EQ(House::backups(folder).size(), std::min(before + 1, House::kBackupsKept));
    EXPECT_EQ(House::backups(folder).first(), QStringLiteral("%1/DB%2.db").arg(folder).arg(n));
    EXPECT_TRUE(QDir(folder).entryList({"*.part"}, QDir::Files).isEmpty());
}

KAVRA_ON_EVERY_ENGINE(Office);

}  // namespace
}  // namespace kavra::test
