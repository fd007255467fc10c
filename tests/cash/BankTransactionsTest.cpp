// Bank transactions on both engines: what each kind does to the cash and bank balances, a
// transfer's two rows under one number going together, a shown one saved again over its own
// rows, and the refusals in their order.
#include "cash/Balances.h"
#include "cash/BankTransactions.h"
#include "core/Sql.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
namespace BT = kavra::BankTransactions;

namespace {

class BankTransTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
        db = &company();
        exec(*db,
             "insert into Banks (BankId, BankName, BankOPBal, IsDebit, CreditLimit) values (1, 'A', 1000000, ?, 0), "
             "(2, 'B', 0, ?, 0)",
             {false, false});
        exec(*db, "update Misc set OpenBal=500000");  // 5,000.00 in cash
    }
    qint64 save(BT::Transaction t, bool adding = true) {
        qint64 n = 0;
        Sql::transaction(*db, [&] { n = BT::save(*db, t, adding); });
        return n;
    }
    // Cash, A and B as the panel shows them.
    QStringList balances() {
        const Balances::Panel p = Balances::cashAndBanks(*db);
        return {p.cash.toString(), p.banks.value(0).balance.toString(), p.banks.value(1).balance.toString()};
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(BankTransTest, EachKindMovesCashAndBanksAndGoesWhole) {
    const QDate day(2026, 6, 10);
    const qint64 transfer =
        save({BT::proposedNumber(*db), day, BT::Kind::Transfer, 1, 2, Money::parse("2000"), "CH 114", day, "to B"});
    EXPECT_EQ(balances(), (QStringList{"5000.00", "8000.00", "2000.00"}));
    EXPECT_EQ(count(*db, "select count(*) from BankTrans where TransId=?", {transfer}), 2);
    const auto shown = BT::load(*db, transfer);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->kind, BT::Kind::Transfer);
    EXPECT_EQ(shown->bankId, 1);
    EXPECT_EQ(shown->toBankId, 2);
    EXPECT_EQ(shown->amount.toString(), "2000.00");
    EXPECT_EQ(shown->chNo, "CH 114");
    EXPECT_EQ(shown->chDate, day);

    const qint64 deposit =
        save({BT::proposedNumber(*db), day, BT::Kind::Deposit, 2, 0, Money::parse("500"), {}, {}, {}});
    EXPECT_EQ(balances(), (QStringList{"4500.00", "8000.00", "2500.00"}));
    const qint64 withdrawal =
        save({BT::proposedNumber(*db), day, BT::Kind::Withdrawal, 1, 0, Money::parse("300.50"), {}, {}, "petty"});
    EXPECT_EQ(balances(), (QStringList{"4800.50", "7699.50", "2500.00"}));
    EXPECT_EQ(BT::numbers(*db), (QList<qint64>{transfer, deposit, withdrawal}));  // the hidden row not listed
    EXPECT_EQ(BT::load(*db, withdrawal)->kind, BT::Kind::Withdrawal);

    // A shown deposit saved again with another amount and bank: still one row, same number.
    BT::Transaction edited = *BT::load(*db, deposit);
    edited.amount = Money::parse("750");
    edited.bankId = 1;
    EXPECT_EQ(save(edited, false), deposit);
    EXPECT_EQ(count(*db, "select count(*) from BankTrans where TransId=?", {deposit}), 1);
    EXPECT_EQ(balances(), (QStringList{"4550.50", "8449.50", "2000.00"}));
    // A transfer shown and saved as a deposit drops its hidden row.
    BT::Transaction t = *shown;
    t.kind = BT::Kind::Deposit;
    save(t, false);
    EXPECT_EQ(count(*db, "select count(*) from BankTrans where TransId=?", {transfer}), 1);
    t.kind = BT::Kind::Transfer;
    save(t, false);

    // A money screen's own bank row is neither shown nor removed here; the next number passes it.
    exec(*db, "insert into BankTrans (TransId, BankId, DrawAmt, Id) values (?, 1, 100, 9)", {withdrawal + 1});
    EXPECT_EQ(save({withdrawal + 1, day, BT::Kind::Deposit, 1, 0, Money::parse("1"), {}, {}, {}}), withdrawal + 2);
    Sql::transaction(*db, [&] { BT::remove(*db, transfer); });
    EXPECT_EQ(count(*db, "select count(*) from BankTrans where TransId=?", {transfer}), 0);
    EXPECT_EQ(balances(), (QStringList{"4549.50", "10450.50", "0.00"}));
    EXPECT_EQ(count(*db, "select count(*) from BankTrans where Id=9"), 1);
}

TEST_P(BankTransTest, RefusalsComeInOrder) {
    const QDate day(2026, 6, 10);
    struct Case {
        BT::Transaction t;
        const char *text, *field;
    } cases[] = {
        {{1, day, BT::Kind::Deposit, 0, 0, Money::parse("5"), {}, {}, {}}, "Please Select a Bank", "cmbBank"},
        {{1, day, BT::Kind::Withdrawal, 1, 0, Money(), {}, {}, {}}, "Please Enter the Amount", "txtAmount"},
        {{1, day, BT::Kind::Transfer, 0, 2, Money::parse("5"), {}, {}, {}},
         "Please Select a \"From Bank\" ",
         "cmbFrom"},
        {{1, day, BT::Kind::Transfer, 1, 0, Money::parse("5"), {}, {}, {}}, "Please Select a \"To Bank\" ", "cmbTo"},
        {{1, day, BT::Kind::Transfer, 2, 2, Money(), {}, {}, {}},
         "'From Bank' and 'To Bank' are Same...\nIt should  be Different",
         "cmbTo"},
        {{1, day, BT::Kind::Transfer, 1, 2, Money(), {}, {}, {}}, "Please Enter the Amount", "txtTransAmount"},
        {{1, day, BT::Kind::Transfer, 1, 2, Money::parse("5"), " ", day, {}},
         "Please enter the cheque number...",
         "txtChNo"},
        {{1, day, BT::Kind::Transfer, 1, 2, Money::parse("5"), "77", {}, {}},
         "Please enter the cheque Date...",
         "DTPCHDate"},
    };
    for (const Case& c : cases) {
        const Check r = BT::validate(c.t);
        ASSERT_TRUE(r) << c.text;
        EXPECT_EQ(r->text, c.text);
        EXPECT_EQ(r->field, c.field);
    }
    EXPECT_FALSE(BT::validate({1, day, BT::Kind::Transfer, 1, 2, Money::parse("5"), {}, {}, {}}));
    // A bank gone at another desk meanwhile: nothing written.
    EXPECT_THROW(save({1, day, BT::Kind::Deposit, 7, 0, Money::parse("5"), {}, {}, {}}), Refused);
    EXPECT_EQ(count(*db, "select count(*) from BankTrans"), 0);
}

KAVRA_ON_EVERY_ENGINE(BankTransTest);

}  // namespace
