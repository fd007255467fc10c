// Income and expense heads and banks on both engines: the system's own heads out of reach of the
// masters, names unique without regard to case, and a head in use kept until its entry goes.
#include "cash/Balances.h"
#include "cash/Banks.h"
#include "cash/Heads.h"
#include "core/Sql.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class HeadsTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
        db = &company();
    }
    qint64 add(const Heads::Kind& k, const QString& name) {
        EXPECT_EQ(refusalText(Heads::validate(*db, k, {0, name, {}, true}, true)), "");
        qint64 code = 0;
        Sql::transaction(*db, [&] { code = Heads::save(*db, k, {Heads::proposedId(*db, k), name, {}, true}, true); });
        return code;
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(HeadsTest, SystemHeadsAreOutOfReachAndUserHeadsFollowThem) {
    for (const Heads::Kind* k : {&Heads::income(), &Heads::expense()}) {
        SCOPED_TRACE(k->table.toStdString());
        EXPECT_TRUE(Heads::ids(*db, *k).isEmpty());  // the reserved rows are there, but never listed
        const qint64 first = add(*k, "Scrap Sales");
        EXPECT_EQ(first, k->reserved + 1);
        EXPECT_EQ(Heads::names(*db, *k), QStringList{"Scrap Sales"});
        EXPECT_EQ(refusalText(Heads::validate(*db, *k, {0, "SCRAP sales", {}, true}, true)),
                  "An Entry Already Exists...Try Another!");
        EXPECT_EQ(refusalText(Heads::validate(*db, *k, {0, " ", {}, true}, true)), k->enterName);
        EXPECT_EQ(refusalText(Heads::validate(*db, *k, {k->reserved, "Anything", {}, true}, false)), k->modifyRefused);
        EXPECT_EQ(refusalText(Heads::deleteBlock(*db, *k, 1)), k->deleteReserved);
        // Renamed and marked indirect in place.
        Sql::transaction(*db, [&] { Heads::save(*db, *k, {first, "Scrap", "metal scrap", false}, false); });
        const auto h = Heads::load(*db, *k, first);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->name, "Scrap");
        EXPECT_FALSE(h->direct);
        EXPECT_EQ(Heads::codeOfName(*db, *k, "scrap"), first);
        // In use by an entry of its side only: kept until that entry goes.
        exec(*db, "insert into FundTrans (Id, IsExpense, ExpIncId, Amt) values (1, ?, ?, 100)", {!k->isExpense, first});
        EXPECT_EQ(refusalText(Heads::deleteBlock(*db, *k, first)), "");
        exec(*db, "update FundTrans set IsExpense=?", {k->isExpense});
        EXPECT_EQ(refusalText(Heads::deleteBlock(*db, *k, first)), k->deleteUsed);
        exec(*db, "delete from FundTrans");
        Sql::transaction(*db, [&] { Heads::remove(*db, *k, first); });
        EXPECT_FALSE(Heads::load(*db, *k, first));
    }
}

// Banks: names unique whatever the case, amounts kept to the paisa, a bank in use kept.
TEST_P(HeadsTest, BanksAreUniqueByNameAndKeptWhileNamed) {
    Banks::Bank b{Banks::proposedId(*db), "SBI Peenya 1023", Money::parse("5000"), true, Money::parse("25000.50")};
    EXPECT_EQ(refusalText(Banks::validate(*db, {0, " ", {}, false, {}}, true)), "Please enter the bank Name.....");
    qint64 id = 0;
    Sql::transaction(*db, [&] { id = Banks::save(*db, b, true); });
    EXPECT_EQ(refusalText(Banks::validate(*db, {0, "sbi PEENYA 1023", {}, false, {}}, true)),
              "Bank Name Already Exists ");
    const auto back = Banks::load(*db, id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->openingBalance.toString(), "5000.00");
    EXPECT_TRUE(back->isDebit);
    EXPECT_EQ(back->creditLimit.paise(), 2500050);
    for (const char* use : {"insert into FundTrans (Id, BankId, Amt) values (1, ?, 100)",
                            "insert into BankTrans (TransId, BankId, DeptAmt) values (1, ?, 100)"}) {
        exec(*db, use, {id});
        EXPECT_EQ(refusalText(Banks::deleteBlock(*db, id)), "Since, Some Transaction has been made in this Bank");
        exec(*db, "delete from FundTrans");
        exec(*db, "delete from BankTrans");
    }
    Sql::transaction(*db, [&] { Banks::remove(*db, id); });
    EXPECT_TRUE(Banks::ids(*db).isEmpty());
}

// The cash and bank panel over every term: payments, receipts and both refunds by cash and
// by bank, the bank screen's deposit, withdrawal and transfer, the entries' own bank rows
// (never counted), the cash opening balance and an overdrawn bank's opening.
TEST_P(HeadsTest, CashAndBankPanelCountsEveryTermOnce) {
    exec(*db,
         "insert into Banks (BankId, BankName, BankOPBal, IsDebit, CreditLimit) values (1, 'SBI', 500000, ?, "
         "2000000), (2, 'CANARA', 100000, ?, 0)",
         {true, false});
    exec(*db, "update Misc set OpenBal=1000000");  // 10,000.00 cash to start with
    struct Row {
        int kind, side;
        bool expense;
        int bank;
        qint64 paise;
    };
    int id = 0;
    for (const Row& r : {Row{1, 2, true, 0, 30000},    // paid 300.00 in cash
                         Row{2, 2, false, 0, 120000},  // received 1,200.00 in cash
                         Row{3, 2, false, 0, 5000},    // refunded 50.00 of an advance received, in cash
                         Row{3, 2, true, 0, 2500},     // got back 25.00 of an advance paid, in cash
                         Row{2, 1, false, 1, 800000},  // 8,000.00 into SBI
                         Row{1, 1, true, 1, 150000},   // 1,500.00 paid from SBI
                         Row{3, 1, false, 2, 10000},   // refunded 100.00 through CANARA
                         Row{3, 1, true, 2, 4000},     // got back 40.00 into CANARA
                         Row{3, 3, false, 0, 99900}})  // adjusted against bills: no money moves
        exec(*db, "insert into FundTrans (Id, P_R_A, P_R_A_SRC_DST, IsExpense, BankId, Amt) values (?,?,?,?,?,?)",
             {++id, r.kind, r.side, r.expense, r.bank, r.paise});
    exec(*db,
         "insert into BankTrans (TransId, BankId, DeptAmt, DrawAmt, IsHiddenTrans, Id) values "
         "(1, 1, 50000, 0, ?, 0), (2, 2, 0, 20000, ?, 0), (3, 1, 0, 200000, ?, 0), (3, 2, 200000, 0, ?, 0), "
         "(4, 1, 0, 800000, ?, 5)",
         {false, false, false, true, false});
    const Balances::Panel p = Balances::cashAndBanks(*db);
    // 10,000 - 300 - 50 + 1,200 + 25 - 500 deposited + 200 withdrawn = 10,575.00
    EXPECT_EQ(p.cash.toString(), "10575.00");
    ASSERT_EQ(p.banks.size(), 2);
    EXPECT_EQ(p.banks[0].name, "CANARA");  // by name
    // CANARA: 1,000 opening - 100 + 40 - 200 withdrawn + 2,000 transferred in = 2,740.00
    EXPECT_EQ(Balances::panelText(p.banks[0].balance), "2740.00 (+)");
    // SBI: -5,000 overdrawn + 8,000 - 1,500 + 500 deposited - 2,000 transferred out = 0.00; its entry's own row not
    // counted
    EXPECT_EQ(Balances::panelText(p.banks[1].balance), "0.00 (+)");
    EXPECT_EQ(p.banks[1].creditLimit.toString(), "20000.00");
    exec(*db, "update Banks set BankOPBal=BankOPBal+100 where BankId=1");
    EXPECT_EQ(Balances::panelText(Balances::cashAndBanks(*db).banks[1].balance), "1.00 (-)");
}

KAVRA_ON_EVERY_ENGINE(HeadsTest);

}  // namespace
