// Income and expense heads and banks on both engines: the system's own heads out of reach of the
// masters, names unique without regard to case, and a head in use kept until its entry goes.
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

KAVRA_ON_EVERY_ENGINE(HeadsTest);

}  // namespace
