// Service invoices on both engines: the value as the labour invoice works it, the number
// proposed within the financial year, uniqueness in the table or per vendor, the lines with
// their particulars kept for later invoices, and the blocks on a changed invoice.
#include "core/Sql.h"
#include "sales/ServiceInvoices.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
namespace SI = kavra::sales::ServiceInvoices;

namespace {

SI::Invoice twoLines() {
    SI::Invoice inv;
    // 2 x 100.00 = 200.00; 5 x 20.00 less 10% = 90.00: 290.00.
    inv.lines = {{0, "P1", "Hardening", {}, 2, 2, 100, 0}, {0, "P1", "Grinding", {}, 5, 5, 20, 10}};
    return inv;
}

TEST(ServiceInvoiceValue, WorkedAsTheLabourBill) {
    struct Case {
        const char* name;
        void (*set)(SI::Invoice&);
        const char *plain, *rounded;
    } cases[] = {
        {"LinesOnly", [](SI::Invoice&) {}, "290.00", "290.00"},
        // 290 + packing 10 = 300; VAT 4% = 12; service tax 10% of 312 = 31.2; cess 2% = 0.624;
        // + other 6 = 349.824; less 4.00 = 345.824.
        {"AmountsAndEveryTax",
         [](SI::Invoice& i) {
             i.packForwd = 10, i.vat = 4, i.servTax = 10, i.cessOnServTax = 2, i.otherCharges = 6, i.finalDisc = 4;
         },
         "345.82", "346.00"},
        // Packing 10% = 29 -> 319; final 5% = 15.95 -> 303.05.
        {"Percentages",
         [](SI::Invoice& i) { i.packForwd = 10, i.packPerc = true, i.finalDisc = 5, i.finalDiscPerc = true; }, "303.05",
         "303.00"},
        // VAT 12.5% = 36.25 -> 326.25.
        {"VatOnly", [](SI::Invoice& i) { i.vat = 12.5; }, "326.25", "326.00"},
        // A half rupee goes up.
        {"HalfUp",
         [](SI::Invoice& i) {
             i.lines = {{0, "P1", "X", {}, 1, 1, 100.5, 0}};
         },
         "100.50", "101.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SI::Invoice inv = twoLines();
        c.set(inv);
        EXPECT_EQ(SI::value(inv, false).total.toString(), c.plain);
        EXPECT_EQ(SI::value(inv, true).total.toString(), c.rounded);
    }
}

class ServiceInvoiceTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 1), QTime(10, 0)))) return;
        db = &company();
        exec(*db, "insert into Customer (CustId, CustName) values (1, 'ACME'), (2, 'BHARAT')");
        exec(*db, "insert into Vendor (VendorCode, VendorName) values (1, 'KIRAN'), (2, 'LAXMI')");
        exec(*db, "insert into Item (ItemId, ItemCode, ItemName, MeasureUnit) values (1, 'P1', 'Pin', 'NOS')");
    }
    SI::Invoice invoice(qint64 party, const char* no, QDate day = QDate(2026, 6, 1)) {
        SI::Invoice inv = twoLines();
        inv.party = party;
        inv.invNo = no;
        inv.invDate = inv.dcDate = day;
        return inv;
    }
    qint64 save(const SI::Kind& k, const SI::Invoice& inv, qint64 shown = 0) {
        qint64 id = 0;
        Sql::transaction(*db, [&] { id = SI::save(*db, k, inv, false, shown); });
        return id;
    }
    QString refusal(const SI::Kind& k, const SI::Invoice& inv, qint64 shown = 0) {
        const Check r = SI::validate(*db, k, inv, false, shown);
        if (!r || !r->onGrid()) return refusalText(r);
        return QStringLiteral("%1 @%2,%3").arg(r->text).arg(r->row).arg(r->col);
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(ServiceInvoiceTest, NumbersRunWithinTheYear) {
    const SI::Kind& out = SI::outgoing();
    EXPECT_EQ(SI::proposedNumber(*db, out, QDate(2026, 6, 1)), "1");
    SI::Invoice march = invoice(1, "7", QDate(2027, 3, 31));
    march.packForwd = 10, march.packPerc = true;  // kept as 29.00, read back as 10%
    const qint64 id = save(out, march);
    EXPECT_EQ(SI::proposedNumber(*db, out, QDate(2027, 3, 31)), "8");
    EXPECT_EQ(SI::proposedNumber(*db, out, QDate(2027, 4, 1)), "1");  // a new year starts again
    save(out, invoice(2, "1", QDate(2027, 4, 2)));
    EXPECT_EQ(SI::proposedNumber(*db, out, QDate(2027, 4, 2)), "2");
    EXPECT_EQ(SI::proposedNumber(*db, out, QDate(2026, 12, 1)), "8");
    EXPECT_EQ(SI::proposedNumber(*db, SI::incoming(), QDate(2026, 6, 1)), "");  // the vendor's number is typed

    const auto back = SI::load(*db, out, id);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->packForwd, 10);
    EXPECT_EQ(back->totVal.toString(), "319.00");
    EXPECT_EQ(back->balance, back->totVal);
    ASSERT_EQ(back->lines.size(), 2);
    EXPECT_EQ(back->lines[1].particulars, "Grinding");
    EXPECT_EQ(back->lines[1].itemCode, "P1");
    EXPECT_EQ(count(*db, "select PackForwd*100 from InvoiceServOut where DcId=?", {id}), 2900);
    EXPECT_EQ(SI::particulars(*db), (QStringList{"Grinding", "Hardening"}));
    EXPECT_EQ(SI::find(*db, out, "7").id, id);
    EXPECT_EQ(SI::find(*db, out, "70").message, " NO Invoice exists with this No.");

    // Saved again with one line: the lines are written afresh, the notes and deductions zeroed.
    SI::Invoice edited = *back;
    edited.lines.removeLast();
    exec(*db, "update InvoiceServOut set Debit=5, TDS=5 where DcId=?", {id});
    save(out, edited, id);
    EXPECT_EQ(count(*db, "select count(*) from InvoiceServOutSub where DcId=?", {id}), 1);
    EXPECT_EQ(count(*db, "select Debit+TDS+DebitAmt from InvoiceServOut where DcId=?", {id}), 0);
    EXPECT_EQ(SI::load(*db, out, id)->totVal.toString(), "220.00");
}

TEST_P(ServiceInvoiceTest, NumbersAreUniqueInTheTableOrPerVendor) {
    const SI::Kind &out = SI::outgoing(), &in = SI::incoming();
    const qint64 first = save(in, invoice(1, "101"));
    EXPECT_EQ(refusal(in, invoice(2, "101")), "");
    save(in, invoice(2, "101"));
    EXPECT_EQ(refusal(in, invoice(1, "101")), " A Record with Same Invoice No. already exists with this Vendor!!!");
    EXPECT_EQ(refusal(in, invoice(1, "101"), first), "");  // itself
    EXPECT_THROW(save(in, invoice(1, "101")), Refused);

    save(out, invoice(1, "101"));
    EXPECT_EQ(refusal(out, invoice(2, "101")), " A Record with Same Invoice No. already exists !!!");

    // The header and the lines refused in their order.
    SI::Invoice bad = invoice(1, "5");
    struct Case {
        void (*spoil)(SI::Invoice&);
        const char* text;
    } cases[] = {
        {[](SI::Invoice& i) { i.party = 0; }, "Select a Vendor Name....."},
        {[](SI::Invoice& i) { i.invNo = " "; }, "Enter the Invoice Number ....."},
        {[](SI::Invoice& i) { i.cessOnServTax = 2; },
         "Service Tax must be entered...   in order to have Cess on Service Tax !"},
        {[](SI::Invoice& i) { i.lines.clear(); },
         "Please Enter the Item details by clicking the grid heading..... @1,1"},
        {[](SI::Invoice& i) { i.lines[1].itemCode = "ZZ"; },
         "Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!! @2,1"},
        {[](SI::Invoice& i) { i.lines[1].particulars = " "; }, "Enter Particulars for the SlNo. 2 @2,2"},
        {[](SI::Invoice& i) { i.lines[0].qty = 0; }, "Enter the Valid Qty  1 @1,3"},
        {[](SI::Invoice& i) { i.lines[0].altQty = 0; }, "Enter the Valid Alternate Qty  1 @1,4"},
        {[](SI::Invoice& i) { i.lines[0].rate = 0; }, "Enter the Valid Rate  1 @1,5"},
        {[](SI::Invoice& i) { i.lines[0].discount = 100, i.lines[1].discount = 100; },
         "Enter a Valid  Invoice Value ....."},
    };
    for (const Case& c : cases) {
        SI::Invoice i = bad;
        c.spoil(i);
        EXPECT_EQ(refusal(in, i), c.text);
    }
}

TEST_P(ServiceInvoiceTest, RejectionsThenMoneyLockIt) {
    const SI::Kind& out = SI::outgoing();
    SI::Invoice inv = invoice(1, "1");
    inv.dcNo = "REF-9";
    const qint64 id = save(out, inv);
    EXPECT_EQ(refusalText(SI::changeBlock(*db, out, id)), "");
    exec(*db, "update InvoiceServOut set Balance=Balance-100 where DcId=?", {id});
    exec(*db, "update InvoiceServOutSub set RejQty=1 where DcId=? and SlNo=2", {id});
    EXPECT_EQ(refusalText(SI::changeBlock(*db, out, id)),
              "Modification/Deletion not allowed with this DC No: REF-9, since Rejection and Rework Qty from Customer "
              "has been made!!!");
    exec(*db, "update InvoiceServOutSub set RejQty=0");
    EXPECT_EQ(refusalText(SI::changeBlock(*db, out, id)),
              "Modification/Deletion not allowed, since Some Cash Flow is made in this Regard!!!");
    EXPECT_THROW(Sql::transaction(*db, [&] { SI::remove(*db, out, id); }), Refused);
    EXPECT_THROW(save(out, inv, id), Refused);
    exec(*db, "update InvoiceServOut set Balance=TotVal");
    Sql::transaction(*db, [&] { SI::remove(*db, out, id); });
    EXPECT_EQ(count(*db, "select count(*) from InvoiceServOutSub"), 0);
    EXPECT_FALSE(SI::load(*db, out, id));
}

KAVRA_ON_EVERY_ENGINE(ServiceInvoiceTest);

}  // namespace
