// Users, their rights, the login checks and the login record.
#include "core/Login.h"
#include "core/Users.h"
#include "support/TestEnv.h"

namespace kavra::test {
namespace {

class UsersAndLogin : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
        db = &company();
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(UsersAndLogin, LogKeepsTheLatest500Logins) {
    const QDateTime t0(QDate(2026, 6, 1), QTime(8, 0));
    for (int i = 1; i <= 500; ++i) ASSERT_EQ(Login::recordLogin(*db, 1, t0.addSecs(60 * i)), i);
    EXPECT_EQ(count(*db, "select count(*) from Logs"), 500);
    EXPECT_EQ(count(*db, "select min(id) from Logs"), 1);

    EXPECT_EQ(Login::recordLogin(*db, 1, t0.addDays(1)), 501);
    EXPECT_EQ(count(*db, "select count(*) from Logs"), 500);
    EXPECT_EQ(count(*db, "select min(id) from Logs"), 2);
    EXPECT_EQ(Db::toDateTime(Sql::scalar(*db, "select Dates from Logs where id=501")), t0.addDays(1));
}

TEST_P(UsersAndLogin, RightsNeedAUserRightsRow) {
    // A user entered without rights (as older databases hold them).
    exec(*db, "insert into User1 (UserId, UserName, UserPassword) values (7, 'NORIGHTS', '')");
    EXPECT_FALSE(Users::rights(*db, 7).has_value());
    EXPECT_FALSE(Users::storeRights(*db, 7, QVector<bool>(45, true)));
    EXPECT_EQ(count(*db, "select count(*) from UserRights where UserId=7"), 0);

    Users::add(*db, 8, "  clerk ", "pw");
    EXPECT_EQ(Sql::scalar(*db, "select UserName from User1 where UserId=8").toString(), "clerk");
    const auto fresh = Users::rights(*db, 8);
    ASSERT_TRUE(fresh.has_value());
    EXPECT_EQ(*fresh, QVector<bool>(45, false));

    QVector<bool> r(45, false);
    for (int n : {0, 1, 17, 44}) r[n] = true;
    EXPECT_TRUE(Users::storeRights(*db, 8, r));
    EXPECT_EQ(Users::rights(*db, 8), r);
    // The administrator's row is untouched.
    EXPECT_EQ(Users::rights(*db, 1), QVector<bool>(45, true));
}

TEST_P(UsersAndLogin, ValidateChecksInOrder) {
    Users::add(*db, 2, "bob", "pw");
    auto problem = [&](qint64 id, const QString& name, const QString& pw, const QString& confirm) {
        const auto p = Users::validate(*db, id, name, pw, confirm);
        return p ? std::make_pair(p->text, p->field) : std::make_pair(QString(), Users::Problem::None);
    };
    using P = Users::Problem;
    EXPECT_EQ(problem(3, "  ", "", "x"), std::make_pair(QString("Please Enter the user Name....."), P::Name));
    EXPECT_EQ(problem(3, "BOB", "", "x"), std::make_pair(QString("Please Enter the Password....."), P::Password));
    EXPECT_EQ(problem(3, "BOB", "a", "b"),
              std::make_pair(QString("Your Passwords are not Identical ....."), P::Password));
    EXPECT_EQ(problem(3, " BOB ", "a", "a"),
              std::make_pair(QString("An Entry Already Exists...Try Another!"), P::Name));
    EXPECT_EQ(problem(2, "BOB", "a", "a").second, P::None);  // renaming bob himself
    EXPECT_EQ(problem(3, "bobby", "a", "a").second, P::None);
}

TEST_P(UsersAndLogin, CredentialsAreCheckedExactly) {
    Users::add(*db, 2, "bob", "Secret1");
    qint64 id = 0;
    auto r = Login::checkCredentials(*db, "bob", "secret1", &id);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text, " Invalid Password ...");
    EXPECT_EQ(r->focus, Login::Refusal::Password);

    r = Login::checkCredentials(*db, "nobody", "Secret1", &id);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text, "Not a Valid User... Sorry! ");
    EXPECT_EQ(r->icon, MsgIcon::Critical);
    EXPECT_EQ(r->focus, Login::Refusal::Name);
    EXPECT_EQ(id, 0);

    EXPECT_FALSE(Login::checkCredentials(*db, "BOB", "Secret1", &id).has_value());
    EXPECT_EQ(id, 2);
    EXPECT_FALSE(Login::checkCredentials(*db, YearSetup::kAdminName, YearSetup::kFirstPassword, &id).has_value());
    EXPECT_EQ(id, 1);
}

TEST_P(UsersAndLogin, BlanksAroundAPasswordCountNeitherWhenSetNorAtLogin) {
    Users::add(*db, 2, "bob", " two words ");
    Users::add(*db, 3, "ann", "pw");
    Users::modify(*db, 3, "ann", "pw  ");
    qint64 id = 0;
    EXPECT_FALSE(Login::checkCredentials(*db, "bob", "two words", &id).has_value());
    EXPECT_FALSE(Login::checkCredentials(*db, "bob", "  two words", &id).has_value());
    EXPECT_TRUE(Login::checkCredentials(*db, "bob", "twowords", &id).has_value());
    EXPECT_FALSE(Login::checkCredentials(*db, "ann", "pw", &id).has_value());
    EXPECT_EQ(id, 3);
    // Only blanks is no password at all.
    ASSERT_TRUE(Users::validate(*db, 4, "cy", "   ", "   ").has_value());
    EXPECT_EQ(Users::validate(*db, 4, "cy", "   ", "   ")->text, "Please Enter the Password.....");
    EXPECT_FALSE(Users::validate(*db, 4, "cy", "pw ", "pw").has_value());
}

TEST(LoginDelay, FreeTriesThenDoublingUpToAMinute) {
    QList<int> got;
    for (int n = 0; n <= 12; ++n) got << Login::delayAfterFailures(n);
    EXPECT_EQ(got, (QList<int>{0, 0, 0, 0, 2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000, 60000}));
}

KAVRA_ON_EVERY_ENGINE(UsersAndLogin);

}  // namespace
}  // namespace kavra::test
