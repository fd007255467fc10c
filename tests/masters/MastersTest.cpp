// Company settings, items, categories and units on both engines.
#include "core/ClsProd.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "masters/Items.h"
#include "masters/Misc.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class Masters : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 12, 6), QTime(10, 0)))) return;
    }
    Items::Item item(qint64 id, const QString& code) {
        Items::Item it;
        it.id = id;
        it.code = code;
        it.name = "Flange";
        it.categoryCode = 1;
        it.unit = "NOS";
        it.altUnit = "KGS";
        it.rate = 12.5;
        return it;
    }
};

TEST_P(Masters, FirstSaveOnEmptyMiscMakesOneRowWithBlanksForClearedTexts) {
    QSqlDatabase& db = company();
    exec(db, "delete from Misc");
    EXPECT_FALSE(Misc::load(db).has_value());
    Misc::Settings s;
    s.printHead = "  ACME TOOLS\nPEENYA  ";
    s.myKST = "   ";
    Misc::save(db, s, Session::current());
    Misc::save(db, s, Session::current());  // a second save must not add a row
    EXPECT_EQ(count(db, "select count(*) from Misc"), 1);
    EXPECT_EQ(Sql::scalar(db, "select MyKST from Misc").toString(), " ");
    EXPECT_EQ(Sql::scalar(db, "select PrintHead from Misc").toString(), "ACME TOOLS\nPEENYA");
    const auto back = Misc::load(db);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bookType, 1);
    EXPECT_EQ(back->bookTypeInv, 1);

    Misc::More m;
    m.openBal = Money::parse("1500.75");
    m.dateOpenBal = QDate(2026, 4, 1);
    m.pf = 12;
    Misc::saveMore(db, m);
    const auto more = Misc::loadMore(db);
    ASSERT_TRUE(more);
    EXPECT_EQ(more->openBal.paise(), 150075);
    EXPECT_EQ(more->dateOpenBal, QDate(2026, 4, 1));
    EXPECT_EQ(more->pf, 12);
}

// What each mode numbers is the numbering tests' business; here, that a save hands it on.
TEST_P(Masters, NumberingModeChangeIsSeenByTheNextDcNumber) {
    QSqlDatabase& db = company();
    exec(db, "insert into DcSubConOutgoing (DcId, DcNo, DcDateT) values (1, '12', ?)", {at(2026, 6, 3)});
    clsProd prod;
    ASSERT_TRUE(prod.OpenCompanyDatabase().isEmpty());
    Misc::Settings s = *Misc::load(db);
    s.bookType = 3;
    s.bookTypeInv = 2;
    Misc::save(db, s, Session::current());
    EXPECT_EQ(prod.NextDcNumber("DCINV", dialogs), 13);
    EXPECT_EQ(Session::current().invMode, 2);
}

TEST_P(Masters, ItemCodesAreUniqueWithoutRegardToCaseAndUsedItemsStay) {
    QSqlDatabase& db = company();
    Items::save(db, item(1, "AB-100"), true);
    const auto dup = Items::validate(db, item(2, "ab-100"));
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->text, "An Entry Already Exists...Try Another!");
    EXPECT_FALSE(Items::validate(db, item(1, "AB-100")));  // itself is no duplicate
    Items::Item noAlt = item(2, "AB-200");
    noAlt.altUnit.clear();
    EXPECT_EQ(Items::validate(db, noAlt)->text, "Enter the Alternate Unit.....");
    Items::Item same = item(2, "AB-200");  // the same name is allowed
    EXPECT_FALSE(Items::validate(db, same));
    Items::save(db, same, true);
    EXPECT_EQ(Sql::scalar(db, "select RackNo from Item where ItemId=2").toString(), " ");
    EXPECT_EQ(Items::load(db, 2)->rate, 12.5);

    exec(db, "insert into DcInvSub (DcInvId, SlNo, ItemId) values (1, 1, 1)");
    EXPECT_EQ(refusalText(Items::deleteBlock(db, 1)),
              "This record cannot be deleted, Since this item is being used in 'DC - Sales' Screen!!!");
    exec(db, "insert into PurchPOSub (POId, SlNo, ItemId, CategoryCode) values (1, 1, 1, 1)");
    EXPECT_EQ(refusalText(Items::deleteBlock(db, 1)),
              "This record cannot be deleted, Since this item is being used "
              "in 'Purchase Order' Screen!!!");
    EXPECT_TRUE(refusalText(Items::deleteBlock(db, 2)).isEmpty());
}

TEST_P(Masters, SuppliedCategoriesAndUnitsAreProtected) {
    QSqlDatabase& db = company();
    using Categories::Category;
    EXPECT_EQ(Categories::validate(db, Category{3, "TOOLS", ""}, false)->text, "You cannot Modify this Category!!!");
    EXPECT_FALSE(Categories::validate(db, Category{4, "SUB ASSEMBLY", "x"}, false));
    EXPECT_EQ(refusalText(Categories::deleteBlock(db, 4)), "You cannot Delete this Category!!!");
    Categories::save(db, Category{7, "CASTINGS", ""}, true);
    EXPECT_FALSE(Categories::validate(db, Category{7, "CASTINGS", "grey iron"}, false));
    EXPECT_EQ(Categories::validate(db, Category{8, "castings", ""}, true)->text,
              "An Entry Already Exists...Try Another!");
    EXPECT_TRUE(refusalText(Categories::deleteBlock(db, 7)).isEmpty());
    Items::Item it = item(1, "C-1");
    it.categoryCode = 7;
    Items::save(db, it, true);
    EXPECT_EQ(refusalText(Categories::deleteBlock(db, 7)),
              "This record cannot be deleted, Since this category is being used in 'Item' Screen !!!");

    // A unit used only as an alternate unit may go; the main unit may not.
    EXPECT_TRUE(refusalText(Units::deleteBlock(db, "KGS")).isEmpty());
    EXPECT_FALSE(refusalText(Units::deleteBlock(db, "NOS")).isEmpty());
    EXPECT_EQ(Units::validateNew(db, "nos", "Numbers")->text, "An Entry Already Exists...Try Another!");
    EXPECT_EQ(Units::validateModify(db, "KGS", "MTR", "x")->text, "An Entry Already Exists... Try Another.");
    Units::modify(db, "KGS", "KG", "Kilograms");
    EXPECT_EQ(Items::load(db, 1)->altUnit, "KGS");  // items keep the old code
}

KAVRA_ON_EVERY_ENGINE(Masters);

}  // namespace
