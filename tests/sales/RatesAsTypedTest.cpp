// A rate typed with three or four decimals is kept as typed from the order line through
// the DC and the invoice to the printed page, and each line's amount is rounded once.
#include <QCoreApplication>

#include "core/Session.h"
#include "core/Sql.h"
#include "printing/DocumentPrint.h"
#include "printing/Workbook.h"
#include "sales/DeliveryChallans.h"
#include "sales/Invoices.h"
#include "sales/Orders.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::sales;
using namespace kavra::test;

namespace {

class RatesAsTyped : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db, "insert into Customer (CustId, CustName, CustAddr) values (1, 'ACME', 'Peenya')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
             "(1, 'W1', 'Washer', 5, 'NOS', 0.25), (2, 'S2', 'Spring', 5, 'NOS', 1), (3, 'P3', 'Pin', 5, 'NOS', 1)");
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(RatesAsTyped, FromTheOrderLineThroughTheDcAndInvoiceToThePrint) {
    Orders::Order o;
    o.id = 1;
    o.custId = 1;
    o.address = "Peenya";
    o.poNo = "PO-R";
    o.poDate = QDate(2026, 6, 1);
    const std::tuple<const char*, double, double> lines[] = {
        {"W1", 10000, 0.125}, {"S2", 3, 12.345}, {"P3", 7, 7.1234}};
    for (const auto& [code, qty, rate] : lines) {
        Orders::Line l;
        l.itemCode = code;
        l.itemName = code;
        l.uom = "NOS";
        l.qty = qty;
        l.rate = rate;
        o.lines << l;
    }
    o.value = Orders::computedValue(o);
    EXPECT_EQ(o.value.toString(), "1336.90");  // 1250 + 37.035 + 49.8638, rounded once
    ASSERT_FALSE(Orders::validate(*db, o, true));
    Sql::transaction(*db, [&] { Orders::save(*db, o, true); });
    EXPECT_DOUBLE_EQ(Orders::load(*db, 1)->lines[0].rate, 0.125);
    EXPECT_DOUBLE_EQ(Orders::proposedRate(*db, 3)->first, 7.1234);

    Dcs::Dc d;
    d.id = 1;
    d.party = 1;
    d.dcNo = "1";
    d.dcDate = QDate(2026, 6, 10);
    d.poNo = "PO-R";
    d.poDate = o.poDate;
    for (const auto& [code, qty, rate] : lines) d.lines << Dcs::Line{code, code, qty, QString(), {}};
    Sql::transaction(*db, [&] { Dcs::save(*db, d, true, false, 1); });

    Invoices::Invoice inv;
    inv.custId = 1;
    inv.dcIds = {1};
    inv.invNo = "1";
    inv.invDate = QDateTime(QDate(2026, 6, 11), QTime(10, 0));
    inv.lines = Invoices::dcLines(*db, inv.dcIds);
    Invoices::proposeRates(*db, 1, inv.lines);
    ASSERT_EQ(inv.lines.size(), 3);
    EXPECT_DOUBLE_EQ(inv.lines[1].rate, 12.345);
    const InvoiceCalc::Result v = Invoices::value(inv, false);
    EXPECT_EQ(v.amounts[0].toString(), "1250.00");  // not 1300.00 from a rate held as 0.13
    EXPECT_EQ(v.amounts[1].toString(), "37.04");    // 37.035, not 37.05 from 12.35
    EXPECT_EQ(v.amounts[2].toString(), "49.86");
    EXPECT_EQ(v.total.toString(), "1336.90");
    ASSERT_FALSE(Invoices::validate(*db, inv, false, 0, 1));
    qint64 id = 0;
    Sql::transaction(*db, [&] { id = Invoices::save(*db, inv, false, 0, 1); });
    EXPECT_DOUBLE_EQ(Sql::scalar(*db, "select Rate from DcInvSub where SlNo=3").toDouble(), 7.1234);
    EXPECT_EQ(Invoices::load(*db, id)->totVal.toString(), "1336.90");

    Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
    const QString path = programDir() + "/inv.xlsx";
    ASSERT_EQ(Print::writeDocument(*db, Invoices::printDocument(*db, id), path), 1);
    const Print::Workbook wb = Print::Workbook::load(path);
    EXPECT_EQ(Print::valueAt(wb, 1, "Total").toDouble(), 1336.90);
    const Print::Document doc = Invoices::printDocument(*db, id);
    EXPECT_DOUBLE_EQ(doc.lines[0][4].toDouble(), 0.125);
    EXPECT_DOUBLE_EQ(doc.lines[2][4].toDouble(), 7.1234);
}

KAVRA_ON_EVERY_ENGINE(RatesAsTyped);

}  // namespace
