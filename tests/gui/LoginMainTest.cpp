// The login screen, the main window and the administrator's screens, driven by control name.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "core/Housekeeping.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/forms/AdminScreens.h"
#include "core/forms/FrmLogin.h"
#include "core/forms/MdiSSI.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class GuiTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        registerAdminScreens();
        Clock::pin(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
        makeYear(2026);
        dialogs.setDefaultAnswer(true);
    }
    void TearDown() override {
        delete main_;
        main_ = nullptr;
        EngineTest::TearDown();
    }

    template <typename T>
    static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    std::unique_ptr<FrmLogin> startLogin(const QString& ip = "10.0.0.5", const QString& host = "OFFICE-PC") {
        auto login = std::make_unique<FrmLogin>();
        login->setWorkstation({ip, host});
        login->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        return login;
    }

    // Types a name and password as a user would and presses Enter in the password box.
    bool typeLogin(FrmLogin& login, const QString& name, const QString& pw) {
        QSignalSpy ok(&login, &FrmLogin::loggedIn);
        auto* nameBox = child<QComboBox>(&login, "cmbUserName");
        nameBox->lineEdit()->clear();
        QTest::keyClicks(nameBox->lineEdit(), name);
        QTest::keyClick(nameBox->lineEdit(), Qt::Key_Return);
        auto* pwBox = child<QLineEdit>(&login, "txtPassword");
        pwBox->clear();
        QTest::keyClicks(pwBox, pw);
        QTest::keyClick(pwBox, Qt::Key_Return);
        return ok.count() == 1;
    }

    MdiSSI* showMain() {
        main_ = new MdiSSI;
        main_->setConfirmExit(false);
        main_->show();
        return main_;
    }

    void addUserThroughScreen(const QString& name, const QString& pw) {
        FrmUserEntry users;
        ASSERT_TRUE(users.load());
        QTest::mouseClick(child<QPushButton>(&users, "cmdNew"), Qt::LeftButton);
        QTest::keyClicks(child<QLineEdit>(&users, "txtUserName"), name);
        QTest::keyClicks(child<QLineEdit>(&users, "txtUserPassword"), pw);
        QTest::keyClicks(child<QLineEdit>(&users, "txtConfmPwd"), pw);
        QTest::mouseClick(child<QPushButton>(&users, "cmdSave"), Qt::LeftButton);
        ASSERT_TRUE(dialogs.last().text.startsWith("Records Saved!")) << dialogs.last().text.toStdString();
    }

    MdiSSI* main_ = nullptr;
};

TEST_P(GuiTest, NewUserGetsRightsAndLogsIn) {
    {
        auto admin = startLogin();
        ASSERT_TRUE(admin->start());
        ASSERT_TRUE(typeLogin(*admin, "administrator", QString::fromLatin1(YearSetup::kFirstPassword)));
    }
    addUserThroughScreen("RAVI", "Stores#1");

    // Give Ravi the Admin right (row 1) only, by clicking the third column.
    {
        FrmUserRights rights;
        ASSERT_TRUE(rights.load());
        auto* users = child<QListWidget>(&rights, "lstUsers");
        ASSERT_EQ(users->count(), 1);  // the administrator is not listed
        users->setCurrentRow(0);
        auto* grid = child<QTableWidget>(&rights, "msflex");
        ASSERT_EQ(grid->rowCount(), 45);
        const QRect cell = grid->visualItemRect(grid->item(0, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(grid->item(0, 2)->data(Qt::UserRole).toString(), "P");
        QTest::mouseClick(child<QPushButton>(&rights, "cmdModify"), Qt::LeftButton);
        EXPECT_EQ(dialogs.last().text, "Data Stored Successfully...");
    }

    auto login = startLogin();
    ASSERT_TRUE(login->start());
    // Lower-case typing arrives in capitals.
    ASSERT_TRUE(typeLogin(*login, "ravi", "Stores#1"));
    EXPECT_EQ(Session::current().userName, "RAVI");
    EXPECT_EQ(count(company(), "select count(*) from Logs where userid=?", {Session::current().userId}), 1);

    MdiSSI* m = showMain();
    EXPECT_TRUE(m->rightAction(1)->isEnabled());
    EXPECT_FALSE(m->rightAction(3)->isEnabled());  // customers, suppliers, vendors, machines
    EXPECT_FALSE(m->rightAction(6)->isEnabled());
}

TEST_P(GuiTest, WrongCasePasswordAndUnknownUserAreRefused) {
    auto login = startLogin();
    ASSERT_TRUE(login->start());
    EXPECT_FALSE(typeLogin(*login, "ADMINISTRATOR", "kavra@123"));
    EXPECT_EQ(dialogs.last().title, "LOGIN FAILED");
    EXPECT_EQ(dialogs.last().text, " Invalid Password ...");
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(child<QLineEdit>(login.get(), "txtPassword")->hasSelectedText());

    EXPECT_FALSE(typeLogin(*login, "NOBODY", "x"));
    EXPECT_EQ(dialogs.last().text, "Not a Valid User... Sorry! ");
    EXPECT_EQ(count(company(), "select count(*) from Logs"), 0);
    EXPECT_FALSE(login->ended());
}

TEST_P(GuiTest, RepeatedWrongPasswordsAreLoggedAndSlowTheNextTry) {
    auto login = startLogin("10.0.0.9", "GATE-PC");
    ASSERT_TRUE(login->start());
    auto* cmd = child<QPushButton>(login.get(), "cmdLogin");
    auto* wait = child<QLabel>(login.get(), "lblWait");
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(typeLogin(*login, "ADMINISTRATOR", "guess"));
    EXPECT_TRUE(cmd->isEnabled());
    EXPECT_FALSE(typeLogin(*login, "ADMINISTRATOR", "guess"));
    EXPECT_FALSE(cmd->isEnabled());
    EXPECT_FALSE(wait->isHidden());
    // Even the right password waits its turn.
    const int shown = dialogs.count();
    EXPECT_FALSE(typeLogin(*login, "ADMINISTRATOR", QString::fromLatin1(YearSetup::kFirstPassword)));
    EXPECT_EQ(dialogs.count(), shown);

    EXPECT_EQ(count(company(),
                    "select count(*) from errlog where ErrText like 'LOGIN FAILED user "
                    "\"ADMINISTRATOR\" at GATE-PC (10.0.0.9)%'"),
              4);
    QTRY_VERIFY_WITH_TIMEOUT(cmd->isEnabled(), 5000);
    EXPECT_TRUE(wait->isHidden());
    EXPECT_TRUE(typeLogin(*login, "ADMINISTRATOR", QString::fromLatin1(YearSetup::kFirstPassword)));
}

TEST_P(GuiTest, StartUpRefusals) {
    {
        // Declining the clock confirmation ends the program.
        dialogs.answer(false);
        auto login = startLogin();
        EXPECT_FALSE(login->start());
        EXPECT_EQ(dialogs.last().text, "Please Change the System Date and Log Again !!!");
    }
    {
        auto login = startLogin();
        login->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_FALSE(login->start());
        EXPECT_TRUE(dialogs.last().text.startsWith("System date format should be \"dd/MM/yyyy\" "));
    }
    {
        // A clock put back behind the last login.
        exec(company(), "insert into Logs (id, Dates, userid) values (1, ?, 1)", {at(2026, 12, 7, 9)});
        auto login = startLogin();
        EXPECT_FALSE(login->start());
        EXPECT_EQ(dialogs.last().title, "LOGIN FAILED");
        EXPECT_TRUE(dialogs.last().text.endsWith("07/12/2026 09:00:00"));
    }
}

TEST_P(GuiTest, ScreensOpenOnceAndAHeldScreenIsRefused) {
    auto login = startLogin();
    ASSERT_TRUE(login->start());
    ASSERT_TRUE(typeLogin(*login, "ADMINISTRATOR", QString::fromLatin1(YearSetup::kFirstPassword)));
    login.reset();
    MdiSSI* m = showMain();
    const qint64 sys = Session::current().sysId;

    m->screenAction("frmUserEntry")->trigger();
    m->screenAction("frmUserEntry")->trigger();
    EXPECT_EQ(m->area()->subWindowList().size(), 1);
    EXPECT_EQ(count(company(), "select count(*) from OnlineUsers where ScreenId='frmUserEntry' and SysId=?", {sys}), 1);
    // Closing the screen gives its lock back.
    m->area()->subWindowList().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(count(company(), "select count(*) from OnlineUsers where ScreenId='frmUserEntry'"), 0);

    // Another workstation, running, holds the rights screen.
    Db::Presence stores(Session::current().companyDb);
    ASSERT_TRUE(stores.claimDesk(40));
    ASSERT_TRUE(stores.holdScreen("frmUserRights"));
    exec(company(), "insert into User1 (UserId, UserName, UserPassword) values (7, 'MEENA', 'x')");
    exec(company(), "insert into ImpSystems (SysId, SysName, SysIP) values (40, 'STORES-PC', '10.0.0.9')");
    exec(company(),
         "insert into OnlineUsers (DateT, SysId, UserId, UserVal, ScreenId) values (?, 40, 7, 3, "
         "'frmUserRights')",
         {at(2026, 12, 6, 9, 30)});
    m->screenAction("frmUserRights")->trigger();
    EXPECT_EQ(m->area()->subWindowList().size(), 0);
    const Shown msg = dialogs.last();
    EXPECT_EQ(msg.icon, MsgIcon::Critical);
    EXPECT_EQ(msg.text,
              "This Screen was already opened by\nUser Name : MEENA\nSystem Name : STORES-PC\n"
              "Date / Time : 06/12/2026 09:30:00\nSo U can't Save or Modify or Delete any record");

    // The administrator releases Meena's screens; the rights screen then opens.
    auto* view = new FrmViewUserScreens(7, 40);
    ASSERT_TRUE(view->load());
    EXPECT_EQ(child<QTableWidget>(view, "msflexScreens")->item(0, 2)->text(), "Master - User Rights ");
    QTest::mouseClick(child<QPushButton>(view, "cmdUnlock"), Qt::LeftButton);
    EXPECT_EQ(child<QTableWidget>(view, "msflexScreens")->rowCount(), 0);
    delete view;
    EXPECT_TRUE(m->openScreen("frmUserRights"));
}

TEST_P(GuiTest, ClosingTheMainWindowWritesLogoutAndABackup) {
    auto login = startLogin();
    ASSERT_TRUE(login->start());
    ASSERT_TRUE(typeLogin(*login, "ADMINISTRATOR", QString::fromLatin1(YearSetup::kFirstPassword)));
    login.reset();
    MdiSSI* m = showMain();
    // An entry whose screen is not built yet says so (other suites may have registered the masters).
    EXPECT_TRUE(m->findChild<QAction*>("frmOrganise")->toolTip().contains("not available"));
    m->close();
    EXPECT_EQ(House::finishBackup(), QString());
    EXPECT_FALSE(Sql::scalar(company(), "select OutTime from Logs where id=?", {Session::current().logId}).isNull());
    EXPECT_TRUE(QFile::exists(programDir() + "/DB_BKUP/DB1.db"));
    EXPECT_EQ(count(company(), "select count(*) from OnlineUsers where ScreenId='mdiSSI'"), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, GuiTest, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
