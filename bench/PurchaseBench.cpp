// Figures for buying: a year of vendors' bills with their lots in the stores, and a large
// bill against a large order saved and modified on it; choosing a vendor with many bills.
#include <QComboBox>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <cstdio>

#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Sql.h"
#include "core/chain/Orders.h"
#include "core/chain/Rows.h"
#include "purchase/PurchaseBills.h"
#include "purchase/PurchaseKinds.h"
#include "purchase/forms/PurchaseBillScreen.h"
#include "ui/RecordController.h"

namespace kavra {

namespace {

constexpr qint64 kVendor = 940001, kOther = 940002;
constexpr qint64 kFirstItem = 940001;
constexpr int kItems = 100;
constexpr int kYearBills = 20000;
constexpr int kVendorBills = 2000;  // of kVendor
constexpr int kLines = 10;          // per bill of the year: 200,000 lines and lots
constexpr qint64 kFirstBill = 940001;

QString code(int i) {
    return QStringLiteral("BPUR-%1").arg(i, 3, 10, QLatin1Char('0'));
}

// Bills of ten lines, each with its transfer note, a few hundred rows per statement.
void fillYear(QSqlDatabase& db) {
    const QDate start(clsProd::FinancialYearOf(Clock::today()), 4, 1);
    const int chunk = 200;
    Sql::transaction(db, [&] {
        for (int from = 0; from < kYearBills; from += chunk) {
            const int n = std::min(chunk, kYearBills - from);
            QStringList heads, lines, notes, lots;
            QVariantList hp, lp, np, tp;
            for (int i = 0; i < n; ++i) {
                const int k = from + i;
                const qint64 id = kFirstBill + k;
                const QDate day = start.addDays(k % 360);
                heads << QStringLiteral("(?,?,?,?,?,' ','VAT',100,100,?,10)");
                hp << id << (k < kVendorBills ? kVendor : kOther) << QStringLiteral("Y-%1").arg(k + 1)
                   << chain::Rows::dateText(day) << chain::Rows::dateValue(day) << id;
                notes << QStringLiteral("(?,?,?,2,'BENCH',' ')");
                np << id << id << chain::Rows::dateValue(day);
                for (int l = 1; l <= kLines; ++l) {
                    const qint64 item = kFirstItem + (k * kLines + l) % kItems;
                    lines << QStringLiteral("(?,?,?,1,5,5,10,5)");
                    lp << id << l << item;
                    lots << QStringLiteral("(?,?,?,1,5,5)");
                    tp << id << l << item;
                }
            }
            Sql::exec(db,
                      QStringLiteral("insert into Purchase (PurchId, VendorCode, InvNo, InvDate, InvDateT, PONo, "
                                     "VATrCST, TotVal, Balance, STNId, NoOfItems) values ") +
                          heads.join(QLatin1Char(',')),
                      hp);
            Sql::exec(db,
                      QStringLiteral("insert into PurchaseSub (PurchId, SlNo, ItemId, CategoryCode, Qty, AltQty, Rate, "
                                     "StkQty) values ") +
                          lines.join(QLatin1Char(',')),
                      lp);
            Sql::exec(db,
                      QStringLiteral("insert into STN (Id, STNNo, STNDate, TS, PrepBy, RemAny) values ") +
                          notes.join(QLatin1Char(',')),
                      np);
            Sql::exec(db,
                      QStringLiteral("insert into STNSub (Id, SlNo, ItemId, catC, Qty, BalQty) values ") +
                          lots.join(QLatin1Char(',')),
                      tp);
        }
    });
}

}  // namespace

void purchaseBench(QSqlDatabase& db) {
    namespace Bills = purchase::Bills;
    Sql::transaction(db, [&] {
        Sql::exec(db,
                  QStringLiteral("insert into Vendor (VendorCode, VendorName, VendorAddr) values (?, 'BENCH VENDOR', "
                                 "'Peenya'), (?, 'BENCH VENDOR 2', 'Hosur')"),
                  {kVendor, kOther});
        for (int i = 0; i < kItems; ++i)
            Sql::exec(db,
                      QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, "
                                     "AltUnit, Rate) values (?,?,?,1,'NOS','KGS',10)"),
                      {kFirstItem + i, code(i), QStringLiteral("Bench bought part %1").arg(i)});
    });
    fillYear(db);
    // The order of 100 lines the bill is received against.
    const qint64 poId = chain::Orders::proposedId(db, purchase::orderKind());
    chain::Orders::Header h{poId, kVendor, QStringLiteral("BENCH-PO"), Clock::today(), {}};
    QList<chain::Orders::Line> po;
    for (int i = 0; i < kItems; ++i) {
        chain::Orders::Line l;
        l.itemCode = code(i);
        l.itemName = QStringLiteral("part");
        l.uom = QStringLiteral("KGS");
        l.qty = 1000;
        l.rate = 12.5;
        l.discount = 1;
        po << l;
    }
    Sql::transaction(db, [&] { chain::Orders::save(db, purchase::orderKind(), h, po, true); });
    Db::optimize(db);

    Bills::Bill b;
    b.id = Bills::proposedId(db);
    b.vendor = kVendor;
    b.invNo = QStringLiteral("BENCH-BILL");
    b.invDate = Clock::today();
    b.poNo = QStringLiteral("BENCH-PO");
    b.poDate = Clock::today();
    b.tax = Bills::TaxKind::VAT;
    for (int i = 0; i < kItems; ++i) {
        Bills::Line l;
        l.itemCode = code(i);
        l.qty = 400;
        l.altQty = 40;
        l.rate = 125;
        l.taxes = 5;
        b.lines << l;
    }
    QElapsedTimer t;
    t.start();
    const auto refused = Bills::validate(db, b, true, false);
    const qint64 checkMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Bills::save(db, b, true, false); });
    const qint64 saveMs = t.elapsed();
    for (Bills::Line& l : b.lines) l.qty = 300, l.altQty = 30;
    t.restart();
    Sql::transaction(db, [&] { Bills::save(db, b, false, false); });
    const qint64 modifyMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Bills::remove(db, b.id); });
    const qint64 deleteMs = t.elapsed();
    std::printf(
        "purchase bill of %d lines against a %d-line order (year of %d bills, %d lots): checks %lld ms, save %lld "
        "ms, modify %lld ms, delete %lld ms%s\n",
        kItems, kItems, kYearBills, kYearBills * kLines, (long long)checkMs, (long long)saveMs, (long long)modifyMs,
        (long long)deleteMs, refused ? " (refused!)" : "");

    // The bill screen opened on the year, and the vendor with 2,000 bills chosen.
    t.restart();
    qint64 openMs = 0, chooseMs = 0;
    int orders = 0;
    {
        FrmPurchase screen;
        screen.load();
        openMs = t.elapsed();
        auto* vendor = screen.findChild<QComboBox*>(QStringLiteral("cmbVendor"));
        screen.controller()->cmdNew();  // it opens on the newest bill
        t.restart();
        vendor->setCurrentIndex(vendor->findData(kVendor));
        emit vendor->activated(vendor->currentIndex());
        chooseMs = t.elapsed();
        orders = screen.findChild<QComboBox*>(QStringLiteral("cmbPONo"))->count();
    }
    t.restart();
    Sql::scalar(db, QStringLiteral("select VATrCST from Purchase where VendorCode=? order by PurchId desc limit 1"),
                {kVendor});
    Sql::texts(db, QStringLiteral("select PONo from PurchPO where VendorCode=? and POTally=? and Cancl=?"),
               {kVendor, false, false});
    const qint64 bareMs = t.elapsed();
    std::printf(
        "frmPurchase on %d bills: open %lld ms; vendor with %d bills chosen %lld ms (%d open orders; bare queries "
        "%lld ms)\n",
        kYearBills, (long long)openMs, kVendorBills, (long long)chooseMs, orders, (long long)bareMs);
}

}  // namespace kavra
