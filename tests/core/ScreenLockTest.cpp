// Screen locks between two workstations sharing one company database.
#include "core/ClsProd.h"
#include "core/Session.h"
#include "support/TestEnv.h"

namespace kavra::test {
namespace {

class ScreenLocks : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
        db = &company();
        exec(*db, "insert into User1 (UserId, UserName, UserPassword) values (2, 'RAVI', '')");
        exec(*db, "insert into ImpSystems (SysId, SysName, SysIP) values (1, 'STORES-PC', '10.0.0.1')");
        exec(*db, "insert into ImpSystems (SysId, SysName, SysIP) values (2, 'OFFICE-PC', '10.0.0.2')");
        for (Session* s : {&stores, &office}) s->companyDb = Session::current().companyDb;
        stores.userId = 1;  // ADMINISTRATOR
        stores.sysId = 1;
        office.userId = 2;
        office.sysId = 2;
        office.mainCaption = "Kavra - Office";
        ASSERT_EQ(a.OpenCompanyDatabase(), QString());
        ASSERT_EQ(b.OpenCompanyDatabase(), QString());
    }
    void TearDown() override {
        a.CloseCompanyDatabase();
        b.CloseCompanyDatabase();
        EngineTest::TearDown();
    }
    qint64 rows(qint64 sysId, const QString& screen) {
        return count(*db, "select count(*) from OnlineUsers where SysId=? and ScreenId=?", {sysId, screen});
    }
    QSqlDatabase* db = nullptr;
    Session stores, office;
    clsProd a{&stores}, b{&office};
};

TEST_P(ScreenLocks, SecondWorkstationIsToldWhoHoldsTheScreen) {
    Clock::pin(QDateTime(QDate(2026, 5, 10), QTime(9, 15, 30)));
    EXPECT_EQ(a.CheckScreenLock("frmDC", 2, dialogs), 2);
    a.RegisterScreen("frmDC", 2, dialogs);
    Clock::pin(QDateTime(QDate(2026, 5, 10), QTime(9, 20)));

    EXPECT_EQ(b.CheckScreenLock("frmDC", 2, dialogs), 1);
    ASSERT_EQ(dialogs.count(), 1);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.last().title, "Kavra - Office");
    EXPECT_EQ(dialogs.last().text,
              "This Screen was already opened by\nUser Name : ADMINISTRATOR\nSystem Name : STORES-PC\n"
              "Date / Time : 10/05/2026 09:15:30\nSo U can't Save or Modify or Delete any record");

    // The holder itself, and other screens, stay free.
    dialogs.clear();
    EXPECT_EQ(a.CheckScreenLock("frmDC", 2, dialogs), 2);
    EXPECT_EQ(b.CheckScreenLock("frmInvoice", 2, dialogs), 2);
    EXPECT_EQ(dialogs.count(), 0);
}

TEST_P(ScreenLocks, ViewingLocksNothingAndReleaseRemovesOnlyOwnRows) {
    b.RegisterScreen("frmDC", 1, dialogs);  // only viewing
    EXPECT_EQ(a.CheckScreenLock("frmDC", 2, dialogs), 2);
    EXPECT_EQ(dialogs.count(), 0);
    a.RegisterScreen("frmDC", 2, dialogs);
    a.RegisterScreen("frmItem", 2, dialogs);
    b.RegisterScreen("frmItem", 2, dialogs);

    a.ReleaseScreen("frmDC", dialogs);
    EXPECT_EQ(rows(1, "frmDC"), 0);
    EXPECT_EQ(rows(1, "frmItem"), 1);
    EXPECT_EQ(rows(2, "frmDC"), 1);
    EXPECT_EQ(b.CheckScreenLock("frmDC", 2, dialogs), 2);
    EXPECT_EQ(b.CheckScreenLock("frmItem", 2, dialogs), 1);

    a.ReleaseAllScreens(dialogs);
    EXPECT_EQ(count(*db, "select count(*) from OnlineUsers where SysId=1"), 0);
    EXPECT_EQ(count(*db, "select count(*) from OnlineUsers where SysId=2"), 2);
    EXPECT_EQ(b.CheckScreenLock("frmItem", 2, dialogs), 2);
}

KAVRA_ON_EVERY_ENGINE(ScreenLocks);

}  // namespace
}  // namespace kavra::test
