// Figures for subcontracting: a 100-line DC against a 100-line work order with the stock
// link on, its material taken from 1,000 lots per item, saved, modified and deleted; the
// next DC number and the DC screen opened on a year full of DCs of the three kinds; the
// supplier's 100-line DC drawing each line from 20 of 10,000 open DCs of ours, and the
// supplier's bill over 10 of its DCs of 50 lines.
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>

#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Sql.h"
#include "core/chain/Challans.h"
#include "core/chain/Orders.h"
#include "core/chain/Rows.h"
#include "core/chain/WorkBills.h"
#include "subcontract/SubcontractKinds.h"
#include "subcontract/forms/SubcontractDcScreens.h"
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

constexpr qint64 kReturner = 950002;  // the supplier of the return figures
constexpr qint64 kFirstOpenDc = 960001;
constexpr int kOpenDcs = 10000;
constexpr int kDrawn = 20;  // our DCs each line of the supplier's draws on

// 10,000 of our DCs open with the supplier, one unit of one item each: 100 per item.
void fillOpenDcs(QSqlDatabase& db) {
    const QDate day(clsProd::FinancialYearOf(Clock::today()), 4, 1);
    Sql::transaction(db, [&] {
        Sql::exec(db,
                  QStringLiteral("insert into Supplier (SuppId, SuppName, SuppAddr) values (?, 'BENCH WORKS', ' ')"),
                  {kReturner});
        for (int at = 0; at < kOpenDcs; at += 200) {
            QStringList heads, lines;
            QVariantList hp, lp;
            for (int n = at; n < at + 200; ++n) {
                heads << QStringLiteral("(?,?,?,?,?,' ')");
                hp << kFirstOpenDc + n << QStringLiteral("BO-%1").arg(n) << chain::Rows::dateText(day)
                   << chain::Rows::dateValue(day) << kReturner;
                lines << QStringLiteral("(?,1,?,1,1)");
                lp << kFirstOpenDc + n << kFirstItem + n % kItems;
            }
            Sql::exec(
                db,
                QStringLiteral("insert into DcSubConOutgoing (DcId, DcNo, DcDate, DcDateT, SuppId, PONo) values ") +
                    heads.join(QLatin1Char(',')),
                hp);
            Sql::exec(db,
                      QStringLiteral("insert into DcSubConOutgoingSub (DcId, SlNo, ItemId, Qty, BalQty) values ") +
                          lines.join(QLatin1Char(',')),
                      lp);
        }
    });
}

chain::Challans::Record returned(QSqlDatabase& db, const QString& no, int lines, double qty) {
    chain::Challans::Record d;
    d.id = chain::Challans::proposedId(db, subcontract::incomingKind());
    d.party = kReturner;
    d.dcNo = no;
    d.dcDate = Clock::today();
    for (int i = 0; i < lines; ++i) d.lines << chain::Challans::Line{code(i), QStringLiteral("Plated"), qty, {}, {}};
    return d;
}

// The supplier's DCs and bill, each timed beside the bare query giving the same answer.
void returnBench(QSqlDatabase& db) {
    namespace Challans = chain::Challans;
    namespace WB = chain::WorkBills;
    const chain::DcKind& k = subcontract::incomingKind();
    Sql::exec(db, QStringLiteral("update Misc set RedStkSC=?"), {false});
    fillOpenDcs(db);
    Db::optimize(db);
    const int mode = Session::current().dcMode;
    Challans::Record d = returned(db, QStringLiteral("BR-1"), kItems, kDrawn);
    QElapsedTimer t;
    t.start();
    const auto refused = Challans::validate(db, k, Challans::toDc(k, d), true, false, mode);
    const qint64 checkMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Challans::save(db, k, Challans::toDc(k, d), true, false, mode, {}); });
    const qint64 saveMs = t.elapsed();
    // The bare answer: each item's open lines with the supplier, oldest first.
    t.restart();
    qint64 rows = 0;
    for (int i = 0; i < kItems; ++i) {
        QSqlQuery q = Sql::exec(db,
                                QStringLiteral("select s.DcId, s.BalQty from DcSubConOutgoingSub s, DcSubConOutgoing d "
                                               "where d.DcId=s.DcId and s.ItemId=? and s.BalQty>0 and d.SuppId=? "
                                               "order by s.DcId"),
                                {kFirstItem + i, kReturner});
        while (q.next()) ++rows;
    }
    const qint64 bareMs = t.elapsed();
    for (Challans::Line& l : d.lines) l.qty = kDrawn / 2;
    t.restart();
    Sql::transaction(db, [&] { Challans::save(db, k, Challans::toDc(k, d), false, false, mode, {}); });
    const qint64 modifyMs = t.elapsed();
    std::printf(
        "supplier's DC of %d lines, each drawing on %d of %d open DCs of ours: checks %lld ms, save %lld ms, "
        "modify %lld ms (bare oldest-first read of the open lines: %lld ms, %lld rows)%s\n",
        kItems, kDrawn, kOpenDcs, (long long)checkMs, (long long)saveMs, (long long)modifyMs, (long long)bareMs,
        (long long)rows, refused ? " (refused!)" : "");

    // Ten DCs of 50 lines, billed at once.
    QList<qint64> dcs;
    for (int n = 0; n < 10; ++n) {
        const Challans::Record r = returned(db, QStringLiteral("BR-B%1").arg(n), 50, 1);
        Sql::transaction(db, [&] { dcs << Challans::save(db, k, Challans::toDc(k, r), true, false, mode, {}); });
    }
    const chain::BillKind& b = subcontract::billKind();
    WB::Invoice inv;
    inv.head.party = kReturner;
    inv.head.dcIds = dcs;
    inv.head.invNo = QStringLiteral("BENCH-BILL");
    inv.head.invDate = QDateTime(Clock::today(), QTime(0, 0));
    inv.taxes = {4, 12, 2};
    t.restart();
    inv.lines = WB::proposedLines(db, b, kReturner, dcs);
    for (chain::Bills::Line& l : inv.lines) l.altQty = l.qty;
    const auto billRefused = WB::validate(db, b, inv, false, 0, mode);
    const qint64 billCheckMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { WB::save(db, b, inv, false, 0, mode); });
    const qint64 billSaveMs = t.elapsed();
    t.restart();
    const qint64 bareLines =
        Sql::scalar(db,
                    QStringLiteral("select count(*) from DcSubConIncomingSub where DcId in (%1) and "
                                   "upper(trim(coalesce(DcRowRem,'')))<>'NV'")
                        .arg(chain::Rows::marks(dcs.size())),
                    chain::Rows::bound(dcs))
            .toLongLong();
    const qint64 bareBillMs = t.elapsed();
    std::printf(
        "supplier's bill over %lld DCs of 50 lines (%lld lines): lines, rates and checks %lld ms, save %lld ms "
        "(bare read of the lines: %lld ms)%s\n",
        (long long)dcs.size(), (long long)inv.lines.size(), (long long)billCheckMs, (long long)billSaveMs,
        (long long)bareBillMs, billRefused ? " (refused!)" : "");
    (void)bareLines;
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
    returnBench(db);
}

}  // namespace kavra
