// Payments on both engines: one road over the bill heads (purchase bills, subcontractors' and
// vendors' service invoices), an opening balance, staff and an advance of the user's own head,
// then everything deleted; the checks payments add to receipts' (the typed number, staff, the
// types a head takes); the voucher and the cheque leaf read back from their workbooks.
#include <QCoreApplication>

#include "cash/Balances.h"
#include "cash/Ledger.h"
#include "cash/LedgerEntries.h"
#include "cash/Vouchers.h"
#include "core/Sql.h"
#include "core/chain/Challans.h"
#include "printing/DocumentPrint.h"
#include "purchase/PurchaseBills.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

const Ledger::Side& P = Ledger::payments();

class PaymentTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 1), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Vendor (VendorCode, VendorName, OpenBal, OpenBalPndg) values (1, 'STEELCO', 30000, 30000), "
             "(2, 'OTHER', 0, 0)");
        exec(*db, "insert into Supplier (SuppId, SuppName, OpenBal, OpenBalPndg) values (1, 'PLATERS', 90000, 90000)");
        exec(*db, "insert into Staff (StaffId, StaffName, StatusC) values (1, 'RAVI', TRUE), (2, 'GONE', FALSE)");
        // Bill P1 of 500.00 on two rows, P2 of 400.00; a subcontractor's bill over two DCs; a service bill.
        exec(*db,
             "insert into Purchase (PurchId, VendorCode, InvNo, TotVal, Balance, InvDateT) values (1, 1, 'P1', 50000, "
             "50000, ?), (2, 1, 'P1', 50000, 50000, ?), (3, 1, 'P2', 40000, 40000, ?)",
             {at(2026, 5, 1), at(2026, 5, 1), at(2026, 5, 2)});
        exec(*db,
             "insert into DcSubConIncoming (DcId, SuppId, DcNo, InvNo, TotVal, Balance) values (1, 1, 'S-1', 'SC9', "
             "20000, 20000), (2, 1, 'S-2', 'SC9', 20000, 20000), (3, 1, 'S-3', 'Nil', 0, 0)");
        exec(*db,
             "insert into InvoiceServIn (DcId, VendorCode, InvNo, TotVal, Balance) values (1, 1, 'SV1', 10000, 10000)");
        exec(*db,
             "insert into Banks (BankId, BankName, BankOPBal, IsDebit, CreditLimit) values (1, 'SBI', 500000, FALSE, "
             "0)");
        exec(*db, "insert into Expense (ExpenseCode, ExpenseName, ExpenseDesc, IsDirect) values (6, 'RENT', '', TRUE)");
    }
    Ledger::Entry entry(qint64 head, const QString& party, int type, const char* amount, QList<Ledger::Row> rows = {}) {
        return newEntry(*db, P, head, party, type, amount, rows);
    }
    Ledger::Entry save(const Ledger::Entry& e) { return checkedSave(*db, P, e); }
    QString balances() {  // P1 (both rows), P2, the subcontractor's bill (both DCs), the service bill, openings
        return QStringLiteral("%1/%2 %3 %4/%5 %6 %7 %8")
            .arg(count(*db, "select min(Balance) from Purchase where InvNo='P1'"))
            .arg(count(*db, "select max(Balance) from Purchase where InvNo='P1'"))
            .arg(count(*db, "select Balance from Purchase where InvNo='P2'"))
            .arg(count(*db, "select min(Balance) from DcSubConIncoming where InvNo='SC9'"))
            .arg(count(*db, "select max(Balance) from DcSubConIncoming where InvNo='SC9'"))
            .arg(count(*db, "select Balance from InvoiceServIn"))
            .arg(count(*db, "select OpenBalPndg from Vendor where VendorCode=1"))
            .arg(count(*db, "select OpenBalPndg from Supplier where SuppId=1"));
    }
    QString panel() {
        const Balances::Panel p = Balances::cashAndBanks(*db);
        return p.banks.value(0).balance.toString() + " " + p.cash.toString();
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(PaymentTest, PaymentsSettleBillsAndDeletionGivesEverythingBack) {
    const QString start = balances();
    ASSERT_EQ(start, "50000/50000 40000 20000/20000 10000 30000 90000");
    ASSERT_EQ(panel(), "5000.00 0.00");
    // The pick lists: staff heads, then the bill heads, then the user's; only current staff.
    QStringList heads;
    for (const Ledger::Pick& h : Ledger::headList(*db, P)) heads << QString::number(h.key);
    EXPECT_EQ(heads.mid(0, 5).join(" "), "2 1 3 5 4");  // each group by name
    EXPECT_EQ(heads.last(), "6");
    EXPECT_EQ(Ledger::partyList(*db, P, 1).size(), 1);
    EXPECT_EQ(Ledger::typesFor(P, 2).size(), 1);
    EXPECT_EQ(Ledger::typesFor(P, 6).size(), 2);
    const Ledger::Details sc = Ledger::details(*db, P, 4, "platers");
    ASSERT_EQ(sc.open.size(), 1);
    EXPECT_EQ(sc.open[0].invNo, "SC9");

    // Head 3, automatic 700.00: P1 whole on both its rows, P2 in part.
    Ledger::Entry a = entry(3, "STEELCO", Ledger::kAutomatic, "700");
    a.rows = Ledger::automaticRows(*db, P, 3, "steelco", a.amount);
    ASSERT_EQ(a.rows.size(), 2);
    EXPECT_EQ(a.rows[0].bill + " " + a.rows[0].amount.toString(), "P1 500.00");
    EXPECT_EQ(a.rows[1].bill + " " + a.rows[1].amount.toString(), "P2 200.00");
    a = save(a);
    EXPECT_EQ(balances(), "0/0 20000 20000/20000 10000 30000 90000");
    // The bill is locked while money stands against it.
    EXPECT_NE(refusalText(chain::Challans::changeBlock(*db, purchase::Bills::kind(), 3, false)), "");

    // Head 4: the opening balance by cheque; one bank row for it.
    Ledger::Entry o = entry(4, "PLATERS", Ledger::kOpening, "250");
    o.source = Ledger::Source::Bank;
    o.bankId = 1;
    o.chNo = "000123";
    o.chDate = QDate(2026, 6, 1);
    EXPECT_EQ(Ledger::proposedAmount(P, Ledger::details(*db, P, 4, "PLATERS"), Ledger::kOpening).toString(), "900.00");
    o = save(o);
    EXPECT_EQ(count(*db, "select DrawAmt from BankTrans where Id=?", {o.id}), 25000);
    // Head 5 is held to its total only: a row above the bill's balance goes in.
    const Ledger::Entry s = save(entry(5, "STEELCO", Ledger::kManual, "150", {{"SV1", Money::parse("150")}}));
    // Staff, and a bank advance under a head of the user's own.
    const Ledger::Entry w = save(entry(2, "Ravi", Ledger::kAutomatic, "1000"));
    Ledger::Entry adv = entry(6, "LANDLORD", 4, "300");
    adv.source = Ledger::Source::Bank;
    adv.bankId = 1;
    adv = save(adv);
    EXPECT_EQ(balances(), "0/0 20000 20000/20000 -5000 30000 65000");
    EXPECT_EQ(count(*db, "select AmtBal from FundTrans where Id=?", {adv.id}), 30000);
    EXPECT_EQ(count(*db, "select count(*) from FundTrans where Id=? and PartyName='Ravi' and ExpIncId=2", {w.id}), 1);
    EXPECT_EQ(Ledger::details(*db, P, 6, "landlord").advance.toString(), "300.00");
    EXPECT_EQ(panel(), "4450.00 -1850.00");

    // A payment's number is the payments' own: a receipt's number is free for it.
    exec(*db,
         "insert into FundTrans (Id, FundTransId, SlNo, DateT, P_R_A, IsExpense, ExpIncId, PartyName, P_R_A_SRC_DST, "
         "P_R_A_TYPE, Amt) values (99, 50, 1, ?, 2, FALSE, 4, 'X', 2, 1, 100)",
         {at(2026, 6, 1)});
    Ledger::Entry typed = entry(6, "LANDLORD", Ledger::kAutomatic, "10");
    typed.number = 50;
    typed.numberAsTyped = true;
    typed = save(typed);
    EXPECT_EQ(typed.number, 50);
    typed.number = a.number;
    EXPECT_EQ(refusalText(Ledger::validate(*db, P, typed, false)), P.numberTaken);
    // Modify may renumber it to a free number.
    typed.number = 60;
    Ledger::modify(*db, P, typed);
    EXPECT_EQ(Ledger::numbers(*db, P).last(), 60);

    for (const auto& e : {a, o, s, w, adv}) Ledger::remove(*db, P, e.number);
    Ledger::remove(*db, P, 60);
    EXPECT_EQ(balances(), start);
    EXPECT_EQ(count(*db, "select count(*) from FundTrans where P_R_A=1"), 0);
    EXPECT_EQ(count(*db, "select count(*) from BankTrans"), 0);
    EXPECT_EQ(panel(), "5000.00 1.00");
    EXPECT_EQ(refusalText(chain::Challans::changeBlock(*db, purchase::Bills::kind(), 3, false)), "");
}

TEST_P(PaymentTest, ChecksPaymentsAdd) {
    auto with = [&](auto change) {
        Ledger::Entry e = entry(3, "STEELCO", Ledger::kManual, "100", {{"P2", Money::parse("100")}});
        change(e);
        const Check c = Ledger::validate(*db, P, e, true);
        return c ? c->text + (c->row ? QStringLiteral(" @%1,%2").arg(c->row).arg(c->col) : " @" + c->field) : QString();
    };
    using E = Ledger::Entry&;
    EXPECT_EQ(with([](E e) { e.head = 0; }), P.enterHead + " @txtExpType");
    EXPECT_EQ(with([](E e) { e.party = ""; }), P.enterParty + " @txtToWhom");
    EXPECT_EQ(with([](E e) { e.type = 0; }), P.typeForBills + " @txtPayType");
    EXPECT_EQ(with([](E e) { e.head = 1, e.party = "RAVI", e.type = 4; }),
              "Please Enter a Valid Pay Type Automatic Selection @txtPayType");
    EXPECT_EQ(with([](E e) { e.head = 6, e.type = Ledger::kOpening; }), P.typeForOthers + " @txtPayType");
    EXPECT_EQ(with([](E e) { e.head = 1, e.party = "GONE", e.type = 1; }), "Staff does not exists  @txtToWhom");
    EXPECT_EQ(with([](E e) { e.party = "NOBODY"; }), "Vendor does not exists  @txtToWhom");
    EXPECT_EQ(with([](E e) { e.head = 4, e.party = "PLATERS"; }), "Bill Doesn't Exist @1,1");
    EXPECT_EQ(with([](E e) {
                  e.rows = {{"P2", Money::parse("400.01")}}, e.amount = Money::parse("400.01");
              }),
              P.billOver + " @1,2");
    EXPECT_EQ(with([](E e) { e.type = Ledger::kAutomatic, e.amount = Money::parse("900.01"); }),
              P.equalBills + " @txtAmount");
    EXPECT_EQ(with([](E e) {
                  e.type = Ledger::kAutomatic, e.head = 5, e.rows = {{"SV1", Money::parse("100.01")}};
                  e.amount = Money::parse("100.01");
              }),
              "Enter the Amount Lesser \\ Equal to the total Bill Values @txtAmount");
    EXPECT_EQ(with([](E e) {
                  e.head = 4, e.party = "PLATERS", e.type = Ledger::kOpening, e.amount = Money::parse("900.01");
              }),
              "Enter the Amount Lesser \\ Equal to Opening Balance @txtAmount");
    // The number comes last, after every other check.
    const Ledger::Entry first = save(entry(6, "X", Ledger::kAutomatic, "5"));
    EXPECT_EQ(with([&](E e) { e.number = first.number; }), P.numberTaken + " @txtPayId");
    EXPECT_EQ(with([&](E e) { e.number = first.number, e.party = ""; }), P.enterParty + " @txtToWhom");
    // A typed number another desk took meanwhile is refused at save, not replaced.
    Ledger::Entry late = entry(6, "X", Ledger::kAutomatic, "5");
    late.number = first.number;
    late.numberAsTyped = true;
    EXPECT_THROW(Ledger::save(*db, P, late), Refused);
    late.numberAsTyped = false;
    EXPECT_EQ(Ledger::save(*db, P, late).number, first.number + 1);
}

TEST_P(PaymentTest, VoucherAndChequeLeaf) {
    exec(*db, "update Misc set PrintHead=?", {QStringLiteral("KAVRA WORKS\nPLOT 4\nPEENYA\nBANGALORE\nFIFTH LINE")});
    Ledger::Entry a =
        entry(3, "STEELCO", Ledger::kManual, "900", {{"P1", Money::parse("500")}, {"P2", Money::parse("400")}});
    a.source = Ledger::Source::Bank;
    a.bankId = 1;
    a.chNo = "7788";
    a.chDate = QDate(2026, 6, 2);
    a.desc = "June bills";
    a = save(a);
    const Ledger::Entry cash = save(entry(6, "LANDLORD", 4, "1500.50"));

    Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
    const QString path = programDir() + "/voucher.xlsx";
    ASSERT_EQ(Print::writeDocument(*db, *Vouchers::voucher(*db, P, a.number), path), 1);
    Print::Workbook wb = Print::Workbook::load(path);
    auto v = [&](const char* name) { return Print::valueAt(wb, 1, name).toString(); };
    EXPECT_EQ(v("PrintHead"), "KAVRA WORKS\nPLOT 4\nPEENYA\nBANGALORE");
    EXPECT_EQ(v("VoucherNo"), QString::number(a.number));
    EXPECT_EQ(v("VoucherDate"), "01/06/2026");
    EXPECT_EQ(v("PaidTo"), "STEELCO");
    EXPECT_EQ(v("Narration"), "June bills");
    EXPECT_EQ(v("Amount"), "Rs. 900.00/-");
    EXPECT_EQ(v("BankAc"), "Bank A/c  : SBI");
    EXPECT_EQ(v("ChequeRef"), "Cheque No : 7788 Dt. 02/06/2026");
    EXPECT_EQ(v("AmountInWords"), "RUPEES NINE HUNDRED ONLY");
    const auto lines = wb.name("Lines");
    ASSERT_TRUE(lines);
    EXPECT_EQ(wb.value(0, lines->row, lines->col + 1).toString(), "P1");
    EXPECT_EQ(wb.value(0, lines->row + 1, lines->col + 2).toString(), "Rs. 400.00");

    // Cash, under the head named Others: no bank rows; an advance.
    exec(*db, "update Expense set ExpenseName=' others ' where ExpenseCode=6");
    ASSERT_EQ(Print::writeDocument(*db, *Vouchers::voucher(*db, P, cash.number), path), 1);
    wb = Print::Workbook::load(path);
    EXPECT_EQ(v("HeadName"), "Expense");
    EXPECT_TRUE(Print::rowHiddenAt(wb, 1, "BankAc"));
    EXPECT_EQ(wb.value(0, lines->row, lines->col + 1).toString(), "Advance Payment");

    // The cheque leaf: only for a stored bank payment.
    const Ledger::Entry stored = *Ledger::load(*db, P, cash.number);
    EXPECT_EQ(refusalText(Vouchers::chequeProblem(stored, false)),
              "You should select the option 'Bank'  in order to print the cheque...");
    EXPECT_EQ(refusalText(Vouchers::chequeProblem(a, true)),
              "You should save the record first in order to print the cheque...");
    Ledger::Entry leaf = *Ledger::load(*db, P, a.number);
    leaf.amount = Money::parse("1500.50");
    ASSERT_EQ(refusalText(Vouchers::chequeProblem(leaf, false)), "");
    ASSERT_EQ(Print::writeDocument(*db, Vouchers::chequeLeaf(leaf), path), 1);
    wb = Print::Workbook::load(path);
    EXPECT_EQ(v("txtDate"), "01/06/2026");
    EXPECT_EQ(v("txtPayableTo"), "STEELCO");
    EXPECT_EQ(v("txtAmount"), "1500.50");
    EXPECT_EQ(v("txtAmountinWords"), "ONE THOUSAND, FIVE HUNDRED AND FIFTY Paise ONLY");
}

KAVRA_ON_EVERY_ENGINE(PaymentTest);

}  // namespace
