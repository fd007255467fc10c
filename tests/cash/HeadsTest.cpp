// Income and expense heads on both engines: the system's own heads out of reach of the
// masters, names unique without regard to case, and a head in use kept until its entry goes.
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

KAVRA_ON_EVERY_ENGINE(HeadsTest);

}  // namespace
