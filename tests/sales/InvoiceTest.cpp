// Sales invoices on both engines: DCs invoiced together, the proposals, the checks in their
// order, numbering shared with job-work invoices, the money-received block, delete, the
// percentages that come back, and the printed invoice read back from its workbook.
#include <QCoreApplication>
#include <QSqlQuery>

#include "core/ClsProd.h"
#include "core/Refusal.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "printing/DocumentPrint.h"
#include "sales/Invoices.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::sales;
using namespace kavra::test;
namespace Inv = kavra::sales::Invoices;

namespace {

struct DcLine {
    qint64 item;
    double qty;
    const char* remark = " ";
    double rej = 0, rew = 0;
};

class InvoiceDomain : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Customer (CustId, CustName, CustAddr, VATRegNo, KSTNo, CSTNo) values "
             "(1, 'ACME', 'Peenya\nBengaluru', '29AC', 'K-1', 'C-1'), (2, 'BHARAT', 'Hosur', ' ', ' ', ' ')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, MeasureUnit, Rate) values "
             "(1, 'A100', 'Bolt', 'NOS', 10), (2, 'B200', 'Bush', 'NOS', 25), (3, 'C300', 'Cover', 'SET', 0)");
    }

    // A DC as the DC screen leaves it: no invoice yet, lines without rates.
    qint64 dc(qint64 cust, const QString& no, std::initializer_list<DcLine> lines, const QString& poNo = " ",
              bool asPerRej = false) {
        const qint64 id = Sql::proposedId(*db, "DcInv", "DcInvId");
        const QDate d(2026, 6, 1);
        exec(*db,
             "insert into DcInv (DcInvId, CustId, DcNo, DcDate, DcDateT, PONo, RejRem, InvAsPerRej) values "
             "(?,?,?,?,?,?,' ',?)",
             {id, cust, no, d.toString("dd/MM/yyyy"), Db::day(d), poNo, asPerRej});
        int sl = 0;
        for (const DcLine& l : lines)
            exec(*db,
                 "insert into DcInvSub (DcInvId, SlNo, ItemId, Qty, DcRowRem, RejQty, RewQty, RejRowRem) values "
                 "(?,?,?,?,?,?,?,' ')",
                 {id, ++sl, l.item, l.qty, QString::fromLatin1(l.remark), l.rej, l.rew});
        return id;
    }

    Inv::Invoice invoice(qint64 cust, QList<qint64> dcs, const QString& no, const QDateTime& at, const char* rate) {
        Inv::Invoice inv;
        inv.custId = cust;
        inv.dcIds = dcs;
        inv.invNo = no;
        inv.invDate = at;
        inv.lines = Inv::dcLines(*db, dcs);
        for (Inv::Line& l : inv.lines) l.rate = QString::fromLatin1(rate).toDouble();
        return inv;
    }

    qint64 save(const Inv::Invoice& inv, qint64 shownId = 0) {
        qint64 id = 0;
        Sql::transaction(*db, [&] { id = Inv::save(*db, inv, false, shownId, 1); });
        return id;
    }

    QString problem(const Inv::Invoice& inv, qint64 shownId = 0) {
        const auto p = Inv::validate(*db, inv, false, shownId, 1);
        return p ? p->text : QString();
    }

    QVariant col(qint64 dcInvId, const char* column) {
        return Sql::scalar(*db, QStringLiteral("select %1 from DcInv where DcInvId=?").arg(column), {dcInvId});
    }

    const QDateTime june{QDate(2026, 6, 10), QTime(11, 30)};
    QSqlDatabase* db = nullptr;
};

TEST_P(InvoiceDomain, TwoDcsOnOneInvoiceCarryTheSameValueAndDeleteResetsBoth) {
    const qint64 a = dc(1, "9", {{1, 10}, {2, 4, "NV"}});
    const qint64 b = dc(1, "10", {{2, 6, " ", 1, 2}, {3, 1}}, " ", true);
    dc(2, "11", {{1, 1}});
    const QList<Inv::Choice> open = Inv::openDcs(*db, 1);
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(open[0].text, "10");  // newest number first, as numbers
    EXPECT_EQ(Inv::customersToInvoice(*db).size(), 2);

    Inv::Invoice inv = invoice(1, {b, a}, "21", june, "12.50");
    // "NV" is not billed; the second DC is billed net of rejected and reworked quantity.
    ASSERT_EQ(inv.lines.size(), 3);
    EXPECT_EQ(inv.lines[0].dcId, a);
    EXPECT_DOUBLE_EQ(inv.lines[1].qty, 3);
    EXPECT_EQ(inv.lines[2].particulars, "Cover");
    inv.lines[2].discount = 10;
    inv.taxes.vat = 12.5;
    // (10 + 3) x 12.50 = 162.50; 12.50 less 10% = 11.25 -> 173.75; VAT 12.5% = 21.71875 -> 195.47.
    ASSERT_EQ(problem(inv), "");
    const qint64 id = save(inv);
    EXPECT_EQ(id, b);
    for (qint64 d : {a, b}) {
        EXPECT_EQ(col(d, "InvNo").toString(), "21");
        EXPECT_EQ(col(d, "TotVal").toLongLong(), 19547);
        EXPECT_EQ(col(d, "Balance").toLongLong(), 19547);
        EXPECT_EQ(col(d, "InvDate").toString(), "10/06/2026 11:30 AM");
        EXPECT_EQ(col(d, "PayTerm").toString(), " ");
    }
    EXPECT_EQ(count(*db, "select count(*) from DcInvSub where Rate=12.5"), 3);
    EXPECT_EQ(count(*db, "select Discount from DcInvSub where DcInvId=? and SlNo=2", {b}), 10);
    EXPECT_EQ(count(*db, "select Rate from DcInvSub where DcInvId=? and SlNo=2", {a}), 0);  // the NV line
    EXPECT_EQ(Inv::navigation(*db), QList<qint64>{b});
    EXPECT_EQ(Inv::invoiceOf(*db, a), b);
    EXPECT_TRUE(Inv::openDcs(*db, 1).isEmpty());
    EXPECT_EQ(Inv::find(*db, "21").id, b);
    const Found none = Inv::find(*db, "22");
    EXPECT_FALSE(none.id);
    EXPECT_EQ(none.message, " NO Inv No. exists with this No.");

    const auto shown = Inv::load(*db, b);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->dcIds, (QList<qint64>{a, b}));
    EXPECT_EQ(shown->totVal.paise(), 19547);
    EXPECT_EQ(shown->lines.size(), 3);
    EXPECT_EQ(Inv::value(*shown, false).total.paise(), 19547);

    Sql::transaction(*db, [&] { Inv::remove(*db, b); });
    for (qint64 d : {a, b}) {
        EXPECT_TRUE(col(d, "InvNo").isNull());
        EXPECT_TRUE(col(d, "InvDateT").isNull());
        EXPECT_EQ(col(d, "TotVal").toLongLong(), 0);
        EXPECT_EQ(col(d, "VAT").toDouble(), 0);
        EXPECT_FALSE(col(d, "IsFormH").toBool());
    }
    EXPECT_EQ(count(*db, "select count(*) from DcInvSub where Rate<>0 or Discount<>0"), 0);
    EXPECT_EQ(Inv::openDcs(*db, 1).size(), 2);
    EXPECT_TRUE(Inv::navigation(*db).isEmpty());
}

TEST_P(InvoiceDomain, NumbersAreSharedWithJobWorkInvoicesWithinTheirYear) {
    const qint64 a = dc(1, "1", {{1, 1}});
    save(invoice(1, {a}, "5", june, "100"));
    clsProd prod;
    ASSERT_EQ(prod.OpenCompanyDatabase(), "");
    EXPECT_EQ(prod.NextInvoiceNumber("DCINV", dialogs), 6);
    exec(*db,
         "insert into DcOutgoingInv (DcId, DcNo, CustId, InvNo, InvDate, InvDateT) values (1, '1', 2, '9', ' ', ?)",
         {at(2026, 6, 10, 12, 0)});
    EXPECT_EQ(prod.NextInvoiceNumber("DCINV", dialogs), 10);
    exec(*db,
         "insert into DcOutgoingInv (DcId, DcNo, CustId, InvNo, InvDate, InvDateT) values (2, '2', 2, '7', ' ', ?)",
         {at(2027, 4, 20)});

    const qint64 b = dc(1, "2", {{1, 1}});
    Inv::Invoice inv = invoice(1, {b}, "5", june, "100");
    EXPECT_EQ(problem(inv), " A Record with Same Invoice No. already exists !!!");
    inv.invDate = QDateTime(QDate(2027, 5, 1), QTime(10, 0));  // next financial year
    EXPECT_EQ(problem(inv), "");
    inv.invNo = "7";
    EXPECT_EQ(problem(inv), " A Record with Same Invoice No. already made for SALES - Labour Work !!!");
    inv.invDate = june;
    EXPECT_EQ(problem(inv), "");
    inv.invNo = "5";
    inv.invDate = QDateTime(QDate(2027, 3, 31), QTime(23, 0));  // still the year of invoice 5
    EXPECT_EQ(problem(inv), " A Record with Same Invoice No. already exists !!!");

    // Two invoices numbered 5 in two years: each keeps its own DCs.
    inv.invDate = QDateTime(QDate(2027, 5, 1), QTime(10, 0));
    const qint64 second = save(inv);
    EXPECT_EQ(Inv::navigation(*db), (QList<qint64>{a, second}));
    EXPECT_EQ(Inv::load(*db, a)->dcIds, QList<qint64>{a});
    // Modifying an invoice keeps its number without meeting itself.
    EXPECT_EQ(problem(*Inv::load(*db, a), a), "");
    Sql::transaction(*db, [&] { Inv::remove(*db, second); });
    EXPECT_EQ(col(a, "InvNo").toString(), "5");
}

TEST_P(InvoiceDomain, ChecksComeInTheirOrder) {
    const qint64 onlyNv = dc(1, "1", {{1, 2, "nv"}});
    const qint64 d = dc(1, "2", {{1, 2}, {2, 1}});
    Inv::Invoice inv;
    inv.invDate = june;
    EXPECT_EQ(problem(inv), "Select a customer Name.....");
    inv.custId = 1;
    EXPECT_EQ(problem(inv), "Select atleast a DC..... ");
    inv = invoice(1, {onlyNv}, "", june, "10");
    EXPECT_EQ(problem(inv), "Select a DcNo to have the invoice particulars.....");
    inv = invoice(1, {d}, "", june, "10");
    inv.lines[1].rate = 0;
    const auto p = Inv::validate(*db, inv, false, 0, 1);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->text, "Enter the Valid Rate .....");
    EXPECT_EQ(p->row, 2);
    inv.lines[1].rate = 5;
    inv.finalDisc = 25;  // 2 x 10 + 5 = 25, all taken off
    EXPECT_EQ(problem(inv), "Enter a Valid  Invoice Value .....");
    inv.finalDisc = 0;
    EXPECT_EQ(problem(inv), "Enter the Invoice Number .....");
    inv.invNo = "nil";
    EXPECT_EQ(problem(inv), "Enter the Invoice Number .....");
}

TEST_P(InvoiceDomain, MoneyReceivedStopsModifyAndDeleteAndAStaleChoiceWritesNothing) {
    const qint64 a = dc(1, "1", {{1, 1}});
    const qint64 b = dc(1, "2", {{1, 1}});
    const qint64 id = save(invoice(1, {a, b}, "3", june, "100"));
    exec(*db, "update DcInv set Balance=4000 where DcInvId in (?,?)", {a, b});
    EXPECT_EQ(refusalText(Inv::modifyBlock(*db, id)),
              "Modification not allowed, since Some Cash Flow is made in this Regard!!!");
    EXPECT_EQ(refusalText(Inv::deleteBlock(*db, id)),
              "Deletion not allowed , since some Cash Flow has been made in this Regard!!!");
    Inv::Invoice again = *Inv::load(*db, id);
    EXPECT_EQ(problem(again, id), "Modification not allowed, since Some Cash Flow is made in this Regard!!!");
    again.invNo = "4";
    EXPECT_THROW(save(again, id), Refused);
    EXPECT_THROW(Sql::transaction(*db, [&] { Inv::remove(*db, id); }), Refused);
    EXPECT_EQ(col(a, "InvNo").toString(), "3");
    EXPECT_EQ(col(b, "TotVal").toLongLong(), 20000);

    // A DC invoiced at another desk since it was chosen: nothing of the new invoice stays.
    const qint64 c = dc(2, "3", {{1, 1}});
    const qint64 e = dc(2, "4", {{1, 1}});
    Inv::Invoice late = invoice(2, {c, e}, "8", june, "100");
    exec(*db, "update DcInv set InvNo='7' where DcInvId=?", {e});
    try {
        save(late);
        ADD_FAILURE() << "saved over an invoiced DC";
    } catch (const Refused& r) {
        EXPECT_EQ(r.text(), "DC No. 4 has been invoiced already. Select the DC(s) again.");
    }
    EXPECT_TRUE(col(c, "InvNo").isNull());
    // A line gone from its DC is found only after the DC row was written: that goes too.
    Inv::Invoice broken = invoice(2, {c}, "8", june, "100");
    broken.lines[0].slNo = 99;
    EXPECT_THROW(save(broken), Refused);
    EXPECT_TRUE(col(c, "InvNo").isNull());
    EXPECT_EQ(col(c, "TotVal").toLongLong(), 0);
}

TEST_P(InvoiceDomain, ProposalsComeFromTheOrderThenThePastInvoicesThenTheItem) {
    exec(*db,
         "insert into MfgPO (POId, CustId, PONo, PODate, TINperc, CSTperc) values (1, 1, 'PO-7', '01/06/2026', "
         "5, 0)");
    exec(*db,
         "insert into MfgPOSub (POId, SlNo, ItemId, Qty, Rate, Discount, QtyToSend) values (1, 1, 1, 10, 11.5, "
         "2.5, 10)");
    // The customer's latest invoice, before: excise, cesses and the forms follow from it.
    const qint64 old = dc(1, "1", {{2, 1}});
    Inv::Invoice first = invoice(1, {old}, "1", june, "30");
    first.taxes = {10, 2, 1, 0, 4, 5, 0, false, true, false, 75};
    save(first);

    const qint64 withPo = dc(1, "2", {{1, 2}, {2, 3}, {3, 1}}, "PO-7");
    QVector<Inv::Line> lines = Inv::dcLines(*db, {withPo});
    Inv::proposeRates(*db, 1, lines);
    EXPECT_DOUBLE_EQ(lines[0].rate, 11.5);  // the order line
    EXPECT_DOUBLE_EQ(lines[0].discount, 2.5);
    EXPECT_DOUBLE_EQ(lines[1].rate, 30);  // not on the order: last invoiced
    EXPECT_DOUBLE_EQ(lines[2].rate, 0);   // never invoiced: the item's own rate

    Inv::Taxes t = Inv::proposeTaxes(*db, 1, {withPo});
    EXPECT_DOUBLE_EQ(t.vat, 5);  // from the order
    EXPECT_DOUBLE_EQ(t.cst, 0);
    EXPECT_DOUBLE_EQ(t.excise, 10);
    EXPECT_DOUBLE_EQ(t.highCessOnED, 1);
    EXPECT_DOUBLE_EQ(t.kst, 4);
    EXPECT_TRUE(t.form37);
    EXPECT_DOUBLE_EQ(t.otherCharges, 75);
    const qint64 noPo = dc(1, "3", {{1, 1}});
    t = Inv::proposeTaxes(*db, 1, {noPo});
    EXPECT_DOUBLE_EQ(t.vat, 0);
    EXPECT_DOUBLE_EQ(t.kst, 4);
    lines = Inv::dcLines(*db, {noPo});
    Inv::proposeRates(*db, 1, lines);
    EXPECT_DOUBLE_EQ(lines[0].rate, 10);
    EXPECT_DOUBLE_EQ(Inv::proposeTaxes(*db, 2, {}).excise, 0);  // a customer never invoiced
}

TEST_P(InvoiceDomain, PercentagesAreStoredAsAmountsAndShownAgainAsPercentages) {
    exec(*db, "update Misc set RoffSales=TRUE");
    const qint64 a = dc(1, "1", {{1, 3}});
    Inv::Invoice inv = invoice(1, {a}, "1", june, "333.33");
    // 999.99; packing 2.5% = 24.99975 -> 1024.98975; other 10 -> 1034.98975;
    // final 1.5% = 15.5248... shown 15.52 -> 1019.46975 -> rounded 1019.
    inv.packForwd = 2.5;
    inv.packPerc = true;
    inv.finalDisc = 1.5;
    inv.finalDiscPerc = true;
    inv.taxes.otherCharges = 10;
    const bool roff = Inv::roundsSales(*db);
    ASSERT_TRUE(roff);
    qint64 id = 0;
    Sql::transaction(*db, [&] { id = Inv::save(*db, inv, roff, 0, 1); });
    EXPECT_EQ(col(a, "TotVal").toLongLong(), 101900);
    EXPECT_DOUBLE_EQ(col(a, "PackForwd").toDouble(), 25);  // 24.99975 kept as 25.00
    EXPECT_TRUE(col(a, "IsPackForwdPerc").toBool());
    EXPECT_DOUBLE_EQ(col(a, "FinalDisc").toDouble(), 15.52);
    EXPECT_TRUE(col(a, "IsFinalDiscPerc").toBool());

    const Inv::Invoice back = *Inv::load(*db, id);
    EXPECT_TRUE(back.packPerc);
    EXPECT_NEAR(back.packForwd, 2.5, 1e-4);  // 25.00 of 999.99
    EXPECT_NEAR(back.finalDisc, 1.5, 1e-3);  // 15.52 of 1034.99
    EXPECT_EQ(Inv::value(back, roff).total.paise(), 101900);
    // Saved again unchanged, the amounts stay what they were.
    Sql::transaction(*db, [&] { Inv::save(*db, back, roff, id, 1); });
    EXPECT_DOUBLE_EQ(col(a, "PackForwd").toDouble(), 25);
    EXPECT_DOUBLE_EQ(col(a, "FinalDisc").toDouble(), 15.52);
}

TEST_P(InvoiceDomain, ThePrintedInvoiceShowsTheTaxesThatApplyAndTheAmountInWords) {
    exec(*db, "update Misc set PrintHead='SHREE TOOLS', MyVATRegNo='29ST', MyKST='KST-9', MyCST='CST-9'");
    const qint64 a = dc(1, "14", {{1, 7}});
    const qint64 b = dc(1, "15", {{2, 1, "NV"}});
    Inv::Invoice inv = invoice(1, {a, b}, "31", june, "143");
    // 1001; packing 15 (amount); ED 10% = 101.6 -> 102; cess 2% = 2.04 -> 2; higher 1% of
    // 101.6 = 1.016 -> 1; CST 2% of 1121 = 22.42 -> 22; total 1143.00.
    inv.packForwd = 15;
    inv.taxes.excise = 10;
    inv.taxes.cessOnED = 2;
    inv.taxes.highCessOnED = 1;
    inv.taxes.cst = 2;
    inv.taxes.formC = true;
    inv.payTerm = "30 days";
    const qint64 id = save(inv);
    ASSERT_EQ(col(a, "TotVal").toLongLong(), 114300);

    Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
    const QString path = programDir() + "/inv.xlsx";
    ASSERT_EQ(Print::writeDocument(*db, Inv::printDocument(*db, id), path), 1);
    const Print::Workbook wb = Print::Workbook::load(path);
    auto at = [&](const char* name) { return Print::valueAt(wb, 1, QString::fromLatin1(name)); };
    auto hidden = [&](const char* name) { return Print::rowHiddenAt(wb, 1, QString::fromLatin1(name)); };
    EXPECT_EQ(at("InvNo").toString(), "31");
    EXPECT_EQ(at("InvDate").toString(), "10/06/2026");
    EXPECT_EQ(at("DCRefs").toString(), "14 Dt. 01/06/2026,15 Dt. 01/06/2026");
    EXPECT_EQ(at("PayTerms").toString(), "Payment Terms: 30 days");
    EXPECT_EQ(at("PartyTIN").toString(), "Party's TIN : 29AC");
    EXPECT_EQ(at("OurCST").toString(), "Our CST : CST-9");
    EXPECT_EQ(at("FormText").toString(), "Against Form 'C'");
    const Print::CellRange lines = *wb.name("Lines");
    EXPECT_EQ(wb.value(0, lines.row, lines.col + 1).toString(), "Bolt");
    EXPECT_EQ(wb.value(0, lines.row, lines.col + 3).toString(), "NOS");
    EXPECT_DOUBLE_EQ(wb.value(0, lines.row, lines.col + 6).toDouble(), 1001);
    EXPECT_TRUE(wb.rowHidden(0, lines.row + 1));  // the NV line is not billed
    EXPECT_DOUBLE_EQ(at("Packing").toDouble(), 15);
    EXPECT_DOUBLE_EQ(at("Excise").toDouble(), 102);
    EXPECT_EQ(at("ExciseLabel").toString(), "Excise Duty @ 10%");
    EXPECT_DOUBLE_EQ(at("EduCess").toDouble(), 2);
    EXPECT_DOUBLE_EQ(at("HECess").toDouble(), 1);
    EXPECT_DOUBLE_EQ(at("SalesTax").toDouble(), 22);
    EXPECT_EQ(at("SalesTaxLabel").toString(), "CST @ 2%");
    for (const char* row : {"TaxCess", "VAT", "Surcharge", "Others", "Discount", "RoundOff"})
        EXPECT_TRUE(hidden(row)) << row;
    EXPECT_FALSE(hidden("Excise"));
    EXPECT_DOUBLE_EQ(at("Total").toDouble(), 1143);
    EXPECT_EQ(at("AmountInWords").toString(), "RUPEES .ONE THOUSAND, ONE  HUNDRED, FOURTY THREE ONLY");

    // Form 'H': no taxes, its text, and paise in words.
    const qint64 c = dc(2, "16", {{1, 1}});
    Inv::Invoice h = invoice(2, {c}, "32", june, "1050.50");
    h.taxes.formH = true;
    const qint64 hid = save(h);
    ASSERT_EQ(Print::writeDocument(*db, Inv::printDocument(*db, hid), path), 1);
    const Print::Workbook wh = Print::Workbook::load(path);
    EXPECT_EQ(Print::valueAt(wh, 1, "FormText").toString(), "No Taxes under Form H");
    for (const char* row : {"Packing", "Excise", "EduCess", "HECess", "SalesTax", "TaxCess", "VAT"})
        EXPECT_TRUE(Print::rowHiddenAt(wh, 1, row)) << row;
    EXPECT_EQ(Print::valueAt(wh, 1, "AmountInWords").toString(), "RUPEES .ONE THOUSAND, FIFTY  AND PAISE FIFTY  ONLY");
}

KAVRA_ON_EVERY_ENGINE(InvoiceDomain);

}  // namespace
