// The database server restarted under an open screen: the next command says so in plain
// words, the program connects again and holds its screens again, or gives up a screen that
// another desk took meanwhile; closing afterwards still records the logout.
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "core/ClsProd.h"
#include "core/Housekeeping.h"
#include "core/forms/AdminScreens.h"
#include "core/forms/FrmLogin.h"
#include "core/forms/MdiSSI.h"
#include "support/TestEnv.h"
#include "views/forms/StatementScreen.h"
#include "views/forms/ViewScreens.h"

using namespace kavra;
using namespace kavra::test;

namespace {

// A server of the test's own, since restarting the shared one would cut other tests off.
class OwnServer {
  public:
    bool start() {
        if (!dir_.isValid()) return false;
        // The server runs as its own user, which must reach the folder.
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                               QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                               QFileDevice::ExeGroup);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KAVRA_TEST_PG_PORT", "55499");
        p.setProcessEnvironment(env);
        p.start("bash", {QStringLiteral(KAVRA_SOURCE_DIR "/scripts/pg-throwaway.sh"), "start", path()});
        return p.waitForFinished(60000) && p.exitCode() == 0;
    }
    bool restart() {
        QStringList cmd{"/usr/lib/postgresql/15/bin/pg_ctl", "-D", path() + "/data", "-m", "fast", "-w", "restart"};
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (getuid() == 0)
            p.start("runuser", QStringList{"-u", "postgres", "--"} + cmd);
        else
            p.start(cmd.first(), cmd.mid(1));
        return p.waitForFinished(60000) && p.exitCode() == 0;
    }
    ~OwnServer() {
        QProcess p;
        p.start("bash", {QStringLiteral(KAVRA_SOURCE_DIR "/scripts/pg-throwaway.sh"), "stop", path()});
        p.waitForFinished(60000);
    }
    QString path() const { return dir_.path() + "/pg"; }

  private:
    QTemporaryDir dir_{"/tmp/kavra-restart-XXXXXX"};
};

class ServerRestart : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(server_.start());
        dbConfig().host = server_.path();
        dbConfig().port = 55499;
        dbConfig().user = "postgres";
        dbConfig().password.clear();
        registerAdminScreens();
        Clock::pin(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        makeYear(2026);
        dialogs.setDefaultAnswer(true);
        FrmLogin login;
        login.setWorkstation({"10.0.0.5", "OFFICE-PC"});
        login.setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        ASSERT_TRUE(login.start());
        Session& s = Session::current();
        // Signed in as the login screen would, without typing.
        s.userId = 1;
        s.userName = "ADMINISTRATOR";
        s.logId = 1;
        exec(company(), "insert into Logs (id, Dates, userid) values (1, ?, 1)", {at(2026, 12, 7, 10)});
        main_ = new MdiSSI;
        main_->setConfirmExit(false);
        main_->show();
        ASSERT_TRUE(main_->openScreen("frmUserEntry"));
        dialogs.clear();
    }
    void TearDown() override {
        delete main_;
        Session::current().presence.reset();
        EngineTest::TearDown();
    }
    // Screen locks held on the server, by any session.
    qint64 heldScreens() {
        QSqlDatabase& db = company();
        return count(db,
                     "select count(*) from pg_locks where locktype='advisory' and granted and "
                     "classid=?::bigint::oid",
                     {0x4B560003});
    }
    void expectNoEmptyBox() {
        for (const Shown& m : dialogs.shown()) EXPECT_FALSE(m.text.trimmed().isEmpty()) << m.title.toStdString();
    }

    OwnServer server_;
    MdiSSI* main_ = nullptr;
};

TEST_P(ServerRestart, TheNextCommandSaysSoAndTheScreensAreHeldAgain) {
    ASSERT_TRUE(server_.restart());
    // The next command: another screen from the menu.
    EXPECT_TRUE(main_->openScreen("frmUserRights"));
    ASSERT_GE(dialogs.count(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs.shown().first().text.startsWith("The connection to the database server was lost"));
    EXPECT_EQ(main_->area()->subWindowList().size(), 2);
    EXPECT_EQ(heldScreens(), 2);
    // Another desk is refused the screen held since before the restart.
    Session other;
    other.companyDb = Session::current().companyDb;
    other.sysId = 40;
    other.userId = 1;
    other.presence = std::make_shared<Db::Presence>(other.companyDb);
    ASSERT_TRUE(other.presence->claimDesk(40));
    clsProd desk(&other);
    ASSERT_EQ(desk.OpenCompanyDatabase(), QString());
    EXPECT_EQ(desk.CheckScreenLock("frmUserEntry", 3, dialogs), 1);
    expectNoEmptyBox();

    // Restarted again and closed: the logout is written all the same, without raw engine text.
    ASSERT_TRUE(server_.restart());
    dialogs.clear();
    main_->close();
    EXPECT_EQ(House::finishBackup(), QString());
    EXPECT_FALSE(Sql::scalar(company(), "select OutTime from Logs where id=1").isNull());
    for (const Shown& m : dialogs.shown()) EXPECT_FALSE(m.text.contains("FATAL")) << m.text.toStdString();
    expectNoEmptyBox();
}

TEST_P(ServerRestart, AScreenAnotherDeskTookMeanwhileIsGivenUp) {
    ASSERT_TRUE(server_.restart());
    // While this desk has not noticed, another takes the DC screen... here the users screen.
    Session other;
    other.companyDb = Session::current().companyDb;
    other.sysId = 40;
    other.userId = 1;
    other.presence = std::make_shared<Db::Presence>(other.companyDb);
    ASSERT_TRUE(other.presence->claimDesk(40));
    exec(company(), "insert into ImpSystems (SysId, SysName, SysIP) values (40, 'STORES-PC', '10.0.0.9')");
    clsProd desk(&other);
    ASSERT_EQ(desk.OpenCompanyDatabase(), QString());
    ASSERT_EQ(desk.CheckScreenLock("frmUserEntry", 3, dialogs), 3);
    desk.RegisterScreen("frmUserEntry", 3, dialogs);
    dialogs.clear();

    EXPECT_TRUE(main_->openScreen("frmViewImpSys"));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_GE(dialogs.count(), 2);
    EXPECT_TRUE(dialogs.shown()[0].text.startsWith("The connection to the database server was lost"));
    EXPECT_TRUE(dialogs.shown()[1].text.startsWith("This Screen was already opened by"));
    EXPECT_TRUE(dialogs.shown()[1].text.contains("System Name : STORES-PC"));
    EXPECT_EQ(Screens::find(main_->area(), "frmUserEntry"), nullptr);
    EXPECT_NE(Screens::find(main_->area(), "frmViewImpSys"), nullptr);
    expectNoEmptyBox();
}

// A statement keeps its reading connection between Views; after a restart it reads on a new one.
TEST_P(ServerRestart, AStatementIsDrawnUpAgainOnAFreshConnection) {
    registerViewScreens();
    ASSERT_TRUE(main_->openScreen("frmView_GPL_NPL"));
    QMdiSubWindow* w = Screens::find(main_->area(), "frmView_GPL_NPL");
    auto* s = w ? qobject_cast<StatementScreen*>(w->widget()) : nullptr;
    ASSERT_NE(s, nullptr);
    auto view = [&] {
        s->cmdView();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !s->building(); }, 20000));
        QCoreApplication::processEvents();
        return s->findChild<QLabel*>("lblStatus")->text();
    };
    EXPECT_TRUE(view().startsWith("Statement between"));
    ASSERT_TRUE(server_.restart());
    dialogs.clear();
    EXPECT_TRUE(view().startsWith("Statement between"));
    EXPECT_EQ(s->model()->rowCount(), 11);
    EXPECT_EQ(dialogs.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, ServerRestart, ::testing::Values(Engine::PostgreSQL), engineName);

}  // namespace
