// The fund ledger's receipts on both engines: one road from an automatic cash receipt to the
// deletion of everything, with the invoices, the opening balance, advances, the bank rows and
// the cash and bank panel checked at each step; Save's checks in their order; two desks over
// one invoice's balance.
#include "cash/Balances.h"
#include "cash/Ledger.h"
#include "cash/LedgerEntries.h"
#include "core/Sql.h"
#include "core/chain/Bills.h"
#include "masters/Parties.h"
#include "sales/SalesKinds.h"
#include "support/TestEnv.h"
#include "support/TwoDesks.h"

using namespace kavra;
using namespace kavra::test;

namespace {

const Ledger::Side& R = Ledger::receipts();

class LedgerTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 1), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Customer (CustId, CustName, OpenBal, OpenBalPndg) values (1, 'ACME', 50000, 50000), "
             "(2, 'BHARAT', 0, 0)");
        // Invoice A of 1,000.00 over two DCs, B of 800.00; a labour and a service invoice.
        exec(*db,
             "insert into DcInv (DcInvId, CustId, DcNo, InvNo, TotVal, Balance, InvDateT) values (1, 1, '1', 'A', "
             "100000, 100000, ?), (2, 1, '2', 'A', 100000, 100000, ?), (3, 1, '3', 'B', 80000, 80000, ?)",
             {at(2026, 5, 1), at(2026, 5, 1), at(2026, 5, 2)});
        exec(*db,
             "insert into InvoiceServOut (DcId, CustId, InvNo, TotVal, Balance) values (1, 1, 'S1', 20000, 20000)");
        exec(*db,
             "insert into Banks (BankId, BankName, BankOPBal, IsDebit, CreditLimit) values (1, 'SBI', 0, FALSE, "
             "0)");
        exec(*db, "insert into Income (IncomeCode, IncomeName, IncomeDesc, IsDirect) values (4, 'RENT', '', TRUE)");
    }
    Ledger::Entry entry(qint64 head, const QString& party, int type, const char* amount, QList<Ledger::Row> rows = {}) {
        return newEntry(*db, R, head, party, type, amount, rows);
    }
    Ledger::Entry save(const Ledger::Entry& e) { return checkedSave(*db, R, e); }
    QString balances() {  // A (both rows), B, opening pending
        return QStringLiteral("%1/%2 %3 %4")
            .arg(count(*db, "select min(Balance) from DcInv where InvNo='A'"))
            .arg(count(*db, "select max(Balance) from DcInv where InvNo='A'"))
            .arg(count(*db, "select Balance from DcInv where InvNo='B'"))
            .arg(count(*db, "select OpenBalPndg from Customer where CustId=1"));
    }
    QString panel() {
        const Balances::Panel p = Balances::cashAndBanks(*db);
        return p.banks.value(0).balance.toString() + " " + p.cash.toString();
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(LedgerTest, ReceiptsSettleAndDeletionGivesEverythingBack) {
    ASSERT_EQ(panel(), "0.00 0.00");
    // Automatic, in cash: A whole, B in part, on every DC row.
    Ledger::Entry a = entry(1, "acme ", Ledger::kAutomatic, "1500");
    a.rows = Ledger::automaticRows(*db, R, 1, "ACME", a.amount);
    ASSERT_EQ(a.rows.size(), 2);
    EXPECT_EQ(a.rows[1].amount.toString(), "500.00");
    a = save(a);
    EXPECT_EQ(balances(), "0/0 30000 50000");
    EXPECT_EQ(panel(), "0.00 1500.00");
    EXPECT_EQ(count(*db, "select count(*) from FundTrans where Id=? and FundTransId=? and P_R_A=2 and Amt>0",
                    {a.id, a.number}),
              2);
    // A sales invoice with money against it is locked.
    EXPECT_NE(refusalText(chain::Bills::modifyBlock(*db, sales::billKind(), 3)), "");

    // Manual, by cheque: one bank row for the whole amount, linked by the entry's Id.
    Ledger::Entry m = entry(1, "ACME", Ledger::kManual, "300", {{"B", Money::parse("300")}});
    m.source = Ledger::Source::Bank;
    m.bankId = 1;
    m.chNo = "445566";
    m.chDate = QDate(2026, 5, 30);
    m = save(m);
    EXPECT_EQ(balances(), "0/0 0 50000");
    EXPECT_EQ(count(*db, "select DrawAmt from BankTrans where Id=?", {m.id}), 30000);
    EXPECT_EQ(panel(), "300.00 1500.00");

    // Opening balance, an advance and a head of the user's own.
    const Ledger::Entry o = save(entry(2, "ACME", Ledger::kOpening, "200"));
    const Ledger::Entry adv = save(entry(1, "ACME", 5, "400"));
    const Ledger::Entry rent = save(entry(4, "Mr. Rao", Ledger::kAutomatic, "1000"));
    EXPECT_EQ(balances(), "0/0 0 30000");
    EXPECT_EQ(count(*db, "select AmtBal from FundTrans where Id=?", {adv.id}), 40000);
    EXPECT_EQ(count(*db, "select count(*) from FundTrans where Id=? and TrackBill=' '", {rent.id}), 1);
    const Ledger::Details d = Ledger::details(*db, R, 1, "ACME");
    EXPECT_EQ(d.advance.toString(), "400.00");
    EXPECT_EQ(d.opening.toString(), "300.00");
    EXPECT_TRUE(d.open.isEmpty());
    EXPECT_EQ(Ledger::details(*db, R, 4, "MR. RAO").advance.toString(), "0.00");
    EXPECT_EQ(panel(), "300.00 3100.00");
    EXPECT_EQ(Ledger::numbers(*db, R).size(), 5);

    // Modify: bank to cash moves the money between them and drops the bank row; no balance moves.
    Ledger::Entry mc = *Ledger::load(*db, R, m.number);
    EXPECT_EQ(mc.rows.size(), 1);
    EXPECT_EQ(mc.chNo, "445566");
    mc.source = Ledger::Source::Cash;
    mc.desc = "by hand";
    Ledger::modify(*db, R, mc);
    EXPECT_EQ(count(*db, "select count(*) from BankTrans"), 0);
    EXPECT_EQ(panel(), "0.00 3400.00");
    EXPECT_EQ(balances(), "0/0 0 30000");

    // An adjusted advance is neither changed nor deleted until the adjustment goes.
    exec(*db, "update FundTrans set AmtBal=10000 where Id=?", {adv.id});
    EXPECT_EQ(refusalText(Ledger::changeBlock(*db, R, adv.number)), R.advanceUsed);
    EXPECT_THROW(Ledger::remove(*db, R, adv.number), Refused);
    exec(*db, "update FundTrans set AmtBal=Amt where Id=?", {adv.id});

    // The customer renamed: its receipts follow and deletion still finds its invoices.
    auto acme = *Parties::load(*db, Parties::customer(), 1);
    acme.name = "ACME TOOLS";
    Sql::transaction(*db, [&] { Parties::save(*db, Parties::customer(), acme, false, QDate(2026, 6, 1)); });
    for (const auto& e : {a, m, o, adv, rent}) Ledger::remove(*db, R, e.number);
    EXPECT_EQ(balances(), "100000/100000 80000 50000");
    EXPECT_EQ(count(*db, "select count(*) from FundTrans"), 0);
    EXPECT_EQ(panel(), "0.00 0.00");
    EXPECT_EQ(refusalText(chain::Bills::modifyBlock(*db, sales::billKind(), 3)), "");
}

TEST_P(LedgerTest, SaveChecksInOrderTheFirstFailureWins) {
    auto with = [&](auto change) {
        Ledger::Entry e = entry(1, "ACME", Ledger::kManual, "100", {{"A", Money::parse("100")}});
        change(e);
        const Check c = Ledger::validate(*db, R, e, true);
        return c ? c->text + (c->row ? QStringLiteral(" @%1,%2").arg(c->row).arg(c->col) : " @" + c->field) : QString();
    };
    using E = Ledger::Entry&;
    const Money hundred = Money::parse("100");
    EXPECT_EQ(with([](E e) { e.source = Ledger::Source::Bank, e.head = 0; }), R.selectBank + " @cmbBank");
    EXPECT_EQ(with([](E e) { e.source = Ledger::Source::Bank, e.bankId = 1, e.chDate = QDate(2026, 6, 1); }),
              R.chequeNo + " @txtChNo");
    EXPECT_EQ(with([](E e) { e.source = Ledger::Source::Bank, e.bankId = 1, e.chNo = "1"; }),
              R.chequeDate + " @DTPCHDate");
    EXPECT_EQ(with([](E e) { e.head = 0, e.party = ""; }), R.enterHead + " @txtIncType");
    EXPECT_EQ(with([](E e) { e.party = " ", e.type = 0; }), R.enterParty + " @txtFromWhom");
    EXPECT_EQ(with([](E e) { e.type = 0, e.amount = {}; }), R.typeForBills + " @txtRecpType");
    EXPECT_EQ(with([](E e) { e.head = 4, e.type = Ledger::kOpening; }), R.typeForOthers + " @txtRecpType");
    EXPECT_EQ(with([](E e) { e.amount = {}, e.party = "NOBODY"; }), R.enterAmount + " @txtAmount");
    EXPECT_EQ(with([](E e) { e.party = "NOBODY"; }), "Customer does not exists  @txtFromWhom");
    EXPECT_EQ(with([](E e) { e.amount = Money::parse("99"); }), R.equalBills + " @txtAmount");
    EXPECT_EQ(with([&](E e) {
                  e.rows = {{"A", hundred}, {"B", hundred}, {"a", hundred}};
                  e.amount = Money::parse("300");
              }),
              "Duplication of Rows are not Allowed See Rows: 1 , 3 @1,1");
    EXPECT_EQ(with([&](E e) { e.rows = {{"B", Money()}, {"", hundred}}; }), "Please enter the Amount See Row : 1 @1,2");
    EXPECT_EQ(with([&](E e) {
                  e.rows = {{"B", hundred}, {" ", Money()}};
              }),
              "Please enter the Bill No See Row : 2 @2,1");
    EXPECT_EQ(with([&](E e) { e.rows = {{"S1", hundred}}; }), "Bill Doesn't Exist @1,1");
    EXPECT_EQ(with([](E e) {
                  e.rows = {{"B", Money::parse("800.01")}}, e.amount = Money::parse("800.01");
              }),
              R.billOver + " @1,2");
    // Service invoices are not held to their balance row by row, only in total.
    EXPECT_EQ(with([](E e) {
                  e.head = 3, e.rows = {{"S1", Money::parse("300")}}, e.amount = Money::parse("300");
              }),
              "");
    EXPECT_EQ(with([](E e) {
                  e.head = 3, e.type = Ledger::kAutomatic, e.rows = {{"S1", Money::parse("300")}};
                  e.amount = Money::parse("300");
              }),
              R.totalOver + " @txtAmount");
    EXPECT_EQ(with([](E e) { e.type = Ledger::kOpening, e.amount = Money::parse("500.01"); }),
              R.openingOver + " @txtAmount");
    EXPECT_EQ(with([](E e) { e.type = Ledger::kOpening, e.amount = Money::parse("500"); }), "");
    EXPECT_EQ(with([](E e) { e.head = 4, e.party = "Anyone", e.type = 5; }), "");
    // A modify asks only the bank checks.
    Ledger::Entry e = entry(1, "", 0, "0");
    e.source = Ledger::Source::Bank;
    EXPECT_EQ(refusalText(Ledger::validate(*db, R, e, false)), R.selectBank);
    e.bankId = 1;
    EXPECT_EQ(refusalText(Ledger::validate(*db, R, e, false)), "");
}

TEST_P(LedgerTest, TwoDesksNeverTakeAnInvoiceBelowNothingNorOneId) {
    // Both desks proposed the same Id and number and each takes all of B.
    const Ledger::Entry e = entry(1, "ACME", Ledger::kManual, "800", {{"B", Money::parse("800")}});
    const auto runs = twoDesks([&](QSqlDatabase& conn, int) { Ledger::save(conn, R, e); });
    EXPECT_EQ(int(runs[0].ok) + int(runs[1].ok), 1) << runs[0].error.toStdString() << runs[1].error.toStdString();
    EXPECT_EQ(runs[0].refused + runs[1].refused, R.billOver);
    EXPECT_EQ(count(*db, "select Balance from DcInv where InvNo='B'"), 0);
    EXPECT_EQ(count(*db, "select count(*) from FundTrans"), 1);

    // Half each: both go in, under Ids and numbers of their own.
    const Ledger::Entry half = entry(1, "ACME", Ledger::kManual, "500", {{"A", Money::parse("500")}});
    const auto both = twoDesks([&](QSqlDatabase& conn, int) { Ledger::save(conn, R, half); });
    EXPECT_TRUE(both[0].ok && both[1].ok) << both[0].error.toStdString() << both[1].refused.toStdString();
    EXPECT_EQ(count(*db, "select count(distinct Id) from FundTrans"), 3);
    EXPECT_EQ(count(*db, "select count(distinct FundTransId) from FundTrans"), 3);
    EXPECT_EQ(balances(), "0/0 0 50000");
}

KAVRA_ON_EVERY_ENGINE(LedgerTest);

}  // namespace
