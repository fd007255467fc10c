// Figures for subcontracting: a 100-line DC against a 100-line work order with the stock
// link on, its material taken from 1,000 lots per item, saved, modified and deleted; the
// next DC number and the DC screen opened on a year full of DCs of the three kinds.
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <cstdio>

#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Sql.h"
#include "core/chain/Challans.h"
#include "core/chain/Orders.h"
#include "core/chain/Rows.h"
#include "subcontract/SubcontractKinds.h"
#include "subcontract/forms/OutgoingDcScreen.h"
#include "ui/RecordController.h"

namespace kavra {

namespace {

constexpr qint64 kSupplier = 950001;
constexpr qint64 kFirstItem = 950001;
constexpr int kItems = 100;
constexpr int kLotsPerItem = 1000;
constexpr qint64 kFirstNote = 990001;  // past the purchase bench's notes
constexpr double kSent = 150;          // per line: as many lots of one

QString code(int i) {
    return QStringLiteral("BSC-%1").arg(i, 3, 10, QLatin1Char('0'));
}

// A thousand notes of one unit of every item: 100,000 open lots.
void fillLots(QSqlDatabase& db) {
    const QDate day(clsProd::FinancialYearOf(Clock::today()), 4, 1);
    Sql::transaction(db, [&] {
        for (int n = 0; n < kLotsPerItem; ++n) {
            const qint64 id = kFirstNote + n;
            Sql::exec(
                db,
                QStringLiteral("insert into STN (Id, STNNo, STNDate, TS, PrepBy, RemAny) values (?,?,?,1,'BENCH',' ')"),
                {id, id, chain::Rows::dateValue(day)});
            QStringList lots;
            QVariantList p;
            for (int i = 0; i < kItems; ++i) {
                lots << QStringLiteral("(?,?,?,1,1,1)");
                p << id << i + 1 << kFirstItem + i;
            }
            Sql::exec(db,
                      QStringLiteral("insert into STNSub (Id, SlNo, ItemId, catC, Qty, BalQty) values ") +
                          lots.join(QLatin1Char(',')),
                      p);
        }
    });
}

}  // namespace

void subcontractBench(QSqlDatabase& db) {
    namespace Challans = chain::Challans;
    const chain::DcKind& k = subcontract::outgoingKind();
    Sql::transaction(db, [&] {
        Sql::exec(db,
                  QStringLiteral("insert into Supplier (SuppId, SuppName, SuppAddr) values (?, 'BENCH PLATERS', "
                                 "'Peenya')"),
                  {kSupplier});
        for (int i = 0; i < kItems; ++i)
            Sql::exec(db,
                      QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) "
                                     "values (?,?,?,1,'NOS',10)"),
                      {kFirstItem + i, code(i), QStringLiteral("Bench plated part %1").arg(i)});
        Sql::exec(db, QStringLiteral("update Misc set RedStkSC=?"), {true});
    });
    fillLots(db);
    const qint64 poId = chain::Orders::proposedId(db, *k.order);
    chain::Orders::Header h{poId, kSupplier, QStringLiteral("BENCH-WO"), Clock::today(), {}};
    QList<chain::Orders::Line> order;
    for (int i = 0; i < kItems; ++i) {
        chain::Orders::Line l;
        l.itemCode = code(i);
        l.itemName = QStringLiteral("Bench plated part %1").arg(i);
        l.uom = QStringLiteral("NOS");
        l.qty = 1000;
        l.rate = 4;
        order << l;
    }
    Sql::transaction(db, [&] { chain::Orders::save(db, *k.order, h, order, true); });
    Db::optimize(db);

    Challans::Record d;
    d.id = Challans::proposedId(db, k);
    d.party = kSupplier;
    d.dcNo = QStringLiteral("BENCH-SC");
    d.dcDate = Clock::today();
    d.poNo = QStringLiteral("BENCH-WO");
    d.poDate = Clock::today();
    for (int i = 0; i < kItems; ++i) {
        Challans::Line l{code(i), QStringLiteral("For plating"), kSent, {}, {}};
        l.rate = 12.5;
        d.lines << l;
    }
    const int mode = Session::current().dcMode;
    QElapsedTimer t;
    t.start();
    const auto refused = Challans::validate(db, k, Challans::toDc(k, d), true, true, mode);
    const qint64 checkMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Challans::save(db, k, Challans::toDc(k, d), true, true, mode, {}); });
    const qint64 saveMs = t.elapsed();
    for (Challans::Line& l : d.lines) l.qty = kSent - 50;
    t.restart();
    Sql::transaction(db, [&] { Challans::save(db, k, Challans::toDc(k, d), false, true, mode, {}); });
    const qint64 modifyMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Challans::remove(db, k, d.id, {}); });
    const qint64 deleteMs = t.elapsed();
    std::printf(
        "subcontract DC of %d lines against a %d-line work order, stock link on, %d lots per item (%.0f taken per "
        "line): checks %lld ms, save %lld ms, modify %lld ms, delete %lld ms%s\n",
        kItems, kItems, kLotsPerItem, kSent, (long long)checkMs, (long long)saveMs, (long long)modifyMs,
        (long long)deleteMs, refused ? " (refused!)" : "");

    const qint64 dcs = Sql::scalar(db, QStringLiteral("select count(*) from DcInv")).toLongLong() +
                       Sql::scalar(db, QStringLiteral("select count(*) from DcOutgoingInv")).toLongLong() +
                       Sql::scalar(db, QStringLiteral("select count(*) from DcSubConOutgoing")).toLongLong();
    Session::current().dcMode = 3;
    clsProd prod;
    prod.OpenCompanyDatabase();
    const int calls = 200;
    qint64 next = 0;
    t.restart();
    for (int i = 0; i < calls; ++i) next = prod.NextDcNumber(QStringLiteral("DCSUBCONOUTGOING"));
    const double perCallUs = double(t.nsecsElapsed()) / 1000.0 / calls;
    prod.CloseCompanyDatabase();
    Session::current().dcMode = mode;
    t.restart();
    qint64 openMs = 0;
    {
        FrmDCSubConOut screen;
        screen.load();
        openMs = t.elapsed();
    }
    std::printf(
        "frmDCSubConOut in a year of %lld DCs of three kinds: open %lld ms; NextDcNumber(\"DCSUBCONOUTGOING\") mode 3 "
        "%.1f us per call (next number %lld)\n",
        (long long)dcs, (long long)openMs, perCallUs, (long long)next);
}

}  // namespace kavra
