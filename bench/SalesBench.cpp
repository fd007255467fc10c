// Figures for customer orders and DCs: a large DC save, opening the DC screen on a big year.
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>
#include <cstdio>

#include "core/ClsProd.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/chain/Rows.h"
#include "sales/DeliveryChallans.h"
#include "sales/Orders.h"
#include "sales/forms/DCScreen.h"

namespace kavra {

namespace {

constexpr qint64 kCust = 920001;
constexpr qint64 kFirstItem = 920001;
constexpr int kLines = 100;
constexpr int kYearDcs = 50000;

void makeParties(QSqlDatabase& db) {
    Sql::transaction(db, [&] {
        Sql::exec(db,
                  QStringLiteral("insert into Customer (CustId, CustName, CustAddr) values (?, 'BENCH SALES', "
                                 "'Peenya')"),
                  {kCust});
        for (int i = 0; i < kLines; ++i)
            Sql::exec(db,
                      QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) "
                                     "values (?,?,?,5,'NOS',?)"),
                      {kFirstItem + i, QStringLiteral("BSAL-%1").arg(i, 3, 10, QLatin1Char('0')),
                       QStringLiteral("Bench sales part %1").arg(i), 2500 + i});
    });
}

// A year's DCs of two lines each, a few hundred rows per statement.
void fillYear(QSqlDatabase& db, qint64 firstId, int count) {
    const QDate start(clsProd::FinancialYearOf(Clock::today()), 4, 1);
    const int chunk = 300;
    Sql::transaction(db, [&] {
        for (int from = 0; from < count; from += chunk) {
            const int n = std::min(chunk, count - from);
            QStringList heads, lines;
            QVariantList hp, lp;
            for (int i = 0; i < n; ++i) {
                const qint64 id = firstId + from + i;
                const QDate day = start.addDays((from + i) % 360);
                heads << QStringLiteral("(?,?,?,?,?,' ',' ',' ',' ',' ',' ',' ',2)");
                hp << id << kCust << QString::number(from + i + 1) << chain::Rows::dateText(day)
                   << chain::Rows::dateValue(day);
                for (int l = 1; l <= 2; ++l) {
                    lines << QStringLiteral("(?,?,?,1,?,' ',0,0,' ')");
                    lp << id << l << kFirstItem + (from + i + l) % kLines << double(l);
                }
            }
            Sql::exec(db,
                      QStringLiteral("insert into DcInv (DcInvId, CustId, DcNo, DcDate, DcDateT, PONo, Transport, "
                                     "VehicleNo, TransFrom, TransTo, DeliveryPurpose, DcRem, NoOfItems) values ") +
                          heads.join(QLatin1Char(',')),
                      hp);
            Sql::exec(db,
                      QStringLiteral("insert into DcInvSub (DcInvId, SlNo, ItemId, ProductId, Qty, DcRowRem, RejQty, "
                                     "RewQty, RejRowRem) values ") +
                          lines.join(QLatin1Char(',')),
                      lp);
        }
    });
}

}  // namespace

void salesBench(QSqlDatabase& db, const QString& dir) {
    (void)dir;
    namespace Orders = sales::Orders;
    namespace Dcs = sales::Dcs;
    makeParties(db);

    Orders::Order o;
    o.id = Orders::proposedId(db);
    o.custId = kCust;
    o.address = QStringLiteral("Peenya");
    o.poNo = QStringLiteral("BENCH-PO");
    o.poDate = o.validFrom = o.validTo = Clock::today();
    for (int i = 0; i < kLines; ++i) {
        Orders::Line l;
        l.itemCode = QStringLiteral("BSAL-%1").arg(i, 3, 10, QLatin1Char('0'));
        l.itemName = QStringLiteral("Bench sales part %1").arg(i);
        l.uom = QStringLiteral("NOS");
        l.qty = 1000;
        l.rate = 25 + i / 100.0;
        o.lines << l;
    }
    o.value = Orders::computedValue(o);
    Sql::transaction(db, [&] { Orders::save(db, o, true); });

    Dcs::Dc d;
    d.id = Dcs::proposedId(db);
    d.party = kCust;
    d.dcNo = QStringLiteral("B-1");
    d.dcDate = Clock::today();
    d.poNo = o.poNo;
    d.poDate = o.poDate;
    for (int i = 0; i < kLines; ++i)
        d.lines << Dcs::Line{o.lines[i].itemCode, QStringLiteral("Bench particulars %1").arg(i), 7.0 + i % 5, {}};
    QElapsedTimer t;
    t.start();
    const auto problem = Dcs::validate(db, d, true, false, Session::current().dcMode);
    const qint64 checkMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Dcs::save(db, d, true, false, 1); });
    const qint64 saveMs = t.elapsed();

    // The year as the DC screen meets it: the numbering bench's bare rows make way for real DCs.
    Sql::exec(db, QStringLiteral("delete from DcInv where CustId is null"));
    fillYear(db, Dcs::proposedId(db), kYearDcs);
    const qint64 dcs = Sql::scalar(db, QStringLiteral("select count(*) from DcInv")).toLongLong();
    t.restart();
    auto* screen = new FrmDC;
    const bool loaded = screen->load();
    screen->show();
    const qint64 openMs = t.elapsed();
    delete screen;

    std::printf("DC of %d lines against an order of %d lines: checks %lld ms, save %lld ms%s\n", kLines, kLines,
                (long long)checkMs, (long long)saveMs, problem ? " (refused!)" : "");
    std::printf("opening frmDC on a year with %lld DCs: %lld ms%s\n", (long long)dcs, (long long)openMs,
                loaded ? "" : " (failed)");
}

}  // namespace kavra
