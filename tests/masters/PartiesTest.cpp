// Customers, suppliers and vendors on both engines.
#include "core/Session.h"
#include "core/Sql.h"
#include "masters/Parties.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

const QString kOddName = "Shree Ga\u1E47e\u015Ba Engg. & Co's";

class PartiesTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
    }
    Parties::Party party(qint64 id, const QString& name, const char* bal = "0") {
        Parties::Party p;
        p.id = id;
        p.name = name;
        p.addr = "12, II Phase\nPeenya Industrial Area\nBengaluru 560058";
        p.openBal = Money::parse(QString::fromLatin1(bal));
        return p;
    }
    void receipt(QSqlDatabase& db, bool isExpense, int head, const QString& name) {
        exec(db,
             "insert into FundTrans (Id, FundTransId, P_R_A, IsExpense, ExpIncId, PartyName, Amt) "
             "values (?, 1, 2, ?, ?, ?, 10000)",
             {++ledgerId_, isExpense, head, name});
    }
    qint64 ledgerId_ = 0;
};

TEST_P(PartiesTest, RenameRewritesOnlyTheLedgerRowsOfThatNameAndKind) {
    QSqlDatabase& db = company();
    const QDate today(2026, 12, 6);
    Parties::save(db, Parties::customer(), party(1, kOddName), true, today);
    ASSERT_EQ(Parties::idOfName(db, Parties::customer(), kOddName), 1);
    ASSERT_EQ(Parties::idOfName(db, Parties::customer(), kOddName.toLower()), 1);  // Latin letters ignore case
    receipt(db, false, 1, kOddName + "  ");                                        // trailing blanks still match
    receipt(db, false, 2, kOddName);
    receipt(db, false, 3, kOddName);  // service receipts are not a customer's head here
    receipt(db, true, 3, kOddName);   // a vendor payment under the same name
    receipt(db, false, 1, kOddName + " Unit 2");

    const QString renamed = "Shree Ga\u1E47e\u015Ba Engineering's";
    EXPECT_TRUE(Parties::modifyQuestion(Parties::customer(), kOddName, renamed)
                    .startsWith(" You are about to change the existing Customer Name '" + kOddName +
                                "'\n to a New Name  '" + renamed));
    Parties::save(db, Parties::customer(), party(1, renamed), false, today);
    EXPECT_EQ(count(db, "select count(*) from FundTrans where PartyName=?", {renamed}), 2);
    EXPECT_EQ(count(db, "select count(*) from FundTrans where PartyName=?", {kOddName}), 2);
    EXPECT_EQ(Parties::load(db, Parties::customer(), 1)->name, renamed);

    // A vendor rename follows expense head 3 only.
    Parties::save(db, Parties::vendor(), party(1, kOddName), true, today);
    Parties::save(db, Parties::vendor(), party(1, "NEW VENDOR"), false, today);
    EXPECT_EQ(count(db, "select count(*) from FundTrans where PartyName='NEW VENDOR'"), 1);
}

TEST_P(PartiesTest, DeleteRefusalsFireInTheirOrder) {
    QSqlDatabase& db = company();
    const auto& k = Parties::customer();
    Parties::save(db, k, party(7, "ACME"), true, QDate(2026, 12, 6));
    // A receipt alone keeps the customer.
    receipt(db, false, 2, "ACME");
    EXPECT_EQ(refusalText(Parties::deleteBlock(db, k, 7)),
              "This record cannot be deleted, Since this Customer "
              "Name is being used in 'Receipts/Adjustment' Screen !!!");
    const std::pair<const char*, const char*> uses[] = {
        {"insert into DailyProd (ItemId, Customer) values (1, 7)", "Production Log"},
        {"insert into Quote (Id, CustId) values (1, 7)", "Quotation"},
        {"insert into MfgPO (POId, CustId) values (1, 7)", "Purchase Order - Sales"},
        {"insert into LabPO (POId, CustId) values (1, 7)", "Purchase Order - Labour"},
        {"insert into DcInv (DcInvId, CustId) values (1, 7)", "DC - Sales"},
        {"insert into DcIncoming (DcId, CustId) values (1, 7)", "DC Incoming - Labour"},
        {"insert into InspectionInde (ItemId, CustId) values (1, 7)", "Inspection -Individual Samples"},
    };
    // Added last to first: each new use must take over the message.
    for (int i = int(std::size(uses)) - 1; i >= 0; --i) {
        exec(db, QString::fromLatin1(uses[i].first));
        EXPECT_EQ(refusalText(Parties::deleteBlock(db, k, 7)),
                  QString("This record cannot be deleted, Since this Customer Name is being used in '%1' Screen "
                          "!!!")
                      .arg(QString::fromLatin1(uses[i].second)));
    }
    Parties::save(db, Parties::supplier(), party(3, "PLATERS"), true, QDate(2026, 12, 6));
    EXPECT_TRUE(refusalText(Parties::deleteBlock(db, Parties::supplier(), 3)).isEmpty());
    exec(db, "insert into DcSubConOutgoing (DcId, SuppId) values (1, 3)");
    EXPECT_EQ(refusalText(Parties::deleteBlock(db, Parties::supplier(), 3)),
              "This record cannot be deleted, Since this Supplier Name is being used in 'DC Outgoing - "
              "SubContract' Screen !!!");
}

TEST_P(PartiesTest, OpeningBalanceIsFixedOnceSettledAndDatedWhenFirstGiven) {
    QSqlDatabase& db = company();
    const auto& k = Parties::customer();
    Parties::save(db, k, party(1, "ACME"), true, QDate(2026, 5, 1));
    auto p = Parties::load(db, k, 1);
    EXPECT_FALSE(p->openBalDate.isValid());
    EXPECT_EQ(p->kst, QString());  // stored as " ", shown trimmed
    EXPECT_EQ(Sql::scalar(db, "select KSTNo from Customer where CustId=1").toString(), " ");

    Parties::save(db, k, party(1, "ACME", "1000.50"), false, QDate(2026, 6, 1));
    p = Parties::load(db, k, 1);
    EXPECT_EQ(p->openBalPndg.paise(), 100050);
    EXPECT_EQ(p->openBalDate, QDate(2026, 6, 1));
    EXPECT_EQ(p->createdDate, QDate(2026, 5, 1));
    EXPECT_TRUE(Parties::openBalanceEditable(*p));

    // A receipt settled part of it: the pending part is no longer the screen's to set.
    exec(db, "update Customer set OpenBalPndg=40000 where CustId=1");
    p = Parties::load(db, k, 1);
    EXPECT_FALSE(Parties::openBalanceEditable(*p));
    Parties::save(db, k, party(1, "ACME", "1000.50"), false, QDate(2026, 7, 1));
    p = Parties::load(db, k, 1);
    EXPECT_EQ(p->openBalPndg.paise(), 40000);
    EXPECT_EQ(p->openBalDate, QDate(2026, 6, 1));

    EXPECT_EQ(Parties::validate(db, k, party(2, "acme"), true)->text, "An Entry Already Exists...Try Another.");
    EXPECT_EQ(Parties::validate(db, Parties::vendor(), party(2, QString()), true)->text,
              "Please Enter the Vendor Name.....");
}

KAVRA_ON_EVERY_ENGINE(PartiesTest);

}  // namespace
