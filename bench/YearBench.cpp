// The documents' commands on a grown year (YearFiller), each beside the bare statements that
// give the same answer: kavra_bench --year [scale].
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "YearFiller.h"
#include "core/Housekeeping.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/chain/Bills.h"
#include "core/chain/Rows.h"
#include "inventory/Stores.h"
#include "masters/Parties.h"
#include "sales/DeliveryChallans.h"
#include "sales/Invoices.h"
#include "sales/Orders.h"
#include "sales/SalesKinds.h"
#include "ui/Navigation.h"

namespace kavra {

namespace {

namespace Rows = chain::Rows;
namespace Dcs = sales::Dcs;
namespace Inv = sales::Invoices;

// The middle of a few runs, in milliseconds; prepare runs before each, untimed.
double timed(const std::function<void()>& work, int runs = 5, const std::function<void()>& prepare = {}) {
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        t.start();
        work();
        ms << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const char* what, double program, double bare) {
    if (bare > 0)
        std::printf("  %-44s %9.1f ms   bare %8.1f ms   x%.1f\n", what, program, bare, program / bare);
    else
        std::printf("  %-44s %9.1f ms\n", what, program);
}

// Where the record controller puts a written record in its navigation set.
void place(QList<qint64>& ids, qint64 id, const std::function<QVariantList(qint64)>& key) {
    ids.removeAll(id);
    ids.insert(Navigation::slot(ids, key(id), key), id);
}

qint64 insertOpenDc(QSqlDatabase& db, qint64 cust, int lines, int firstItem, const QString& no) {
    const qint64 id = Sql::proposedId(db, QStringLiteral("DcInv"), QStringLiteral("DcInvId"));
    const QDate d = Clock::today();
    Sql::exec(db,
              QStringLiteral("insert into DcInv (DcInvId, CustId, DcNo, DcDate, DcDateT, PONo) values (?,?,?,?,?,' ')"),
              {id, cust, no, Rows::dateText(d), Rows::dateValue(d)});
    QStringList groups;
    QVariantList v;
    for (int l = 1; l <= lines; ++l) {
        groups << QStringLiteral("(?,?,?,?,' ',0,0,' ')");
        v << id << l << firstItem + l - 1 << 4.0;
    }
    Sql::exec(db,
              QStringLiteral("insert into DcInvSub (DcInvId, SlNo, ItemId, Qty, DcRowRem, RejQty, RewQty, RejRowRem) "
                             "values ") +
                  groups.join(QLatin1Char(',')),
              v);
    return id;
}

void bareLoad(QSqlDatabase& db, qint64 id) {
    QSqlQuery h = Sql::exec(db, QStringLiteral("select * from DcInv where DcInvId=?"), {id});
    while (h.next()) {
    }
    QSqlQuery l = Sql::exec(db, QStringLiteral("select * from DcInvSub where DcInvId=? order by SlNo"), {id});
    while (l.next()) {
    }
}

}  // namespace

void yearBench(QSqlDatabase& db, const QString& dir, double scale) {
    const bool pg = db.driverName() == QLatin1String("QPSQL");
    QElapsedTimer t;
    t.start();
    const bench::Year year = bench::fill(db, bench::YearSize::scaled(scale));
    const bench::YearSize& z = year.size;
    const double fillS = double(t.elapsed()) / 1000.0;
    t.restart();
    Db::optimize(db);
    const double optimizeMs = double(t.elapsed());
    std::printf(
        "year at scale %.3g on %s: %d customers, %d items, %d orders, %d DCs, %d invoices, %d lots, %d "
        "ledger rows (filled in %.1f s; statistics %.0f ms)\n",
        scale, pg ? "PostgreSQL" : "SQLite", z.customers, z.items, z.orders, z.dcs, z.invoices, z.lots, z.fundTrans,
        fillS, optimizeMs);
    Sql::exec(db, QStringLiteral("update Misc set RedStkM=?"), {true});
    const int dcMode = Session::current().dcMode;
    const int lines = std::min(100, z.items);

    // An order of 100 lines for customer 1, to draw the DCs on.
    sales::Orders::Order o;
    o.id = sales::Orders::proposedId(db);
    o.custId = 1;
    o.address = QStringLiteral("Peenya");
    o.poNo = QStringLiteral("BENCH-PO");
    o.poDate = o.validFrom = Clock::today().addDays(-1);
    o.validTo = Clock::today().addYears(1);
    for (int i = 1; i <= lines; ++i) {
        sales::Orders::Line l;
        l.itemCode = bench::itemCode(i);
        l.itemName = QStringLiteral("Part %1").arg(i);
        l.uom = QStringLiteral("NOS");
        l.qty = 1e6;
        l.rate = 12.5;
        o.lines << l;
    }
    o.value = sales::Orders::computedValue(o);
    Sql::transaction(db, [&] { sales::Orders::save(db, o, true); });

    std::printf("frmDC\n");
    QList<qint64> dcIds;
    const qint64 mid = z.dcs / 2;
    const double openDc = timed([&] {
        dcIds = Dcs::ids(db);
        Dcs::load(db, dcIds.first());
    });
    const double openDcBare = timed([&] {
        Sql::ids(db, QStringLiteral("select DcInvId from DcInv order by DcInvId"));
        bareLoad(db, 1);
    });
    report("open (navigation set, first DC)", openDc, openDcBare);
    const QString stamp = QStringLiteral("select count(*), max(DcInvId) from DcInv");
    report("next", timed([&] {
               Sql::scalar(db, stamp);
               Dcs::load(db, mid);
           }),
           timed([&] { bareLoad(db, mid); }));
    report("New (number, earlier texts)", timed([&] {
               Dcs::proposedId(db);
               Dcs::earlierTexts(db);
           }),
           timed([&] {
               Sql::scalar(db, QStringLiteral("select max(DcInvId) from DcInv"));
               QSqlQuery q = Sql::exec(db,
                                       QStringLiteral("select Transport, VehicleNo, TransFrom, TransTo, "
                                                      "DeliveryPurpose from DcInv order by DcInvId desc limit ?"),
                                       {3000});
               while (q.next()) {
               }
           }));
    int serial = 0;
    auto newDc = [&] {
        Dcs::Dc d;
        d.id = Dcs::proposedId(db);
        d.party = 1;
        d.dcNo = QStringLiteral("B%1").arg(++serial);
        d.dcDate = Clock::today();
        d.poNo = o.poNo;
        d.poDate = o.poDate;
        for (int i = 1; i <= lines; ++i)
            d.lines << Dcs::Line{bench::itemCode(i), QStringLiteral("Bench particulars %1").arg(i), 5, {}, {}};
        return d;
    };
    Dcs::Dc pending;
    int statements = 0;
    Sql::setTrace([&](const QSqlDatabase&, const QString&, const QVariantList&) { ++statements; });
    const double saveDc = timed(
        [&] {
            if (Dcs::validate(db, pending, true, true, dcMode)) std::printf("  (the DC was refused)\n");
            qint64 id = 0;
            Sql::transaction(db, [&] { id = Dcs::save(db, pending, true, true, dcMode); });
            Sql::scalar(db, stamp);
            place(dcIds, id, [](qint64 i) { return QVariantList{i}; });
        },
        5,
        [&] {
            pending = newDc();
            statements = 0;
        });
    const int dcStatements = statements;
    Sql::setTrace({});
    const double saveDcBare = timed([&] {
        Sql::transaction(db, [&] {
            const qint64 id = Sql::nextId(db, QStringLiteral("DcInv"), QStringLiteral("DcInvId"));
            Sql::exec(db, QStringLiteral("insert into DcInv (DcInvId, CustId, DcNo, DcDateT) values (?,?,?,?)"),
                      {id, 1, QStringLiteral("X%1").arg(id), Rows::dateValue(Clock::today())});
            QStringList groups;
            QVariantList v;
            for (int l = 1; l <= lines; ++l) {
                groups << QStringLiteral("(?,?,?,5)");
                v << id << l << l;
            }
            Sql::exec(db,
                      QStringLiteral("insert into DcInvSub (DcInvId, SlNo, ItemId, Qty) values ") +
                          groups.join(QLatin1Char(',')),
                      v);
            Sql::exec(db, QStringLiteral("update MfgPOSub set QtyToSend=QtyToSend-5 where POId=?"), {o.id});
        });
    });
    char what[96];
    std::snprintf(what, sizeof what, "Save of %d lines (%d statements)", lines, dcStatements);
    report(what, saveDc, saveDcBare);

    std::printf("frmInvoice\n");
    QList<qint64> bills;
    const double openInv = timed([&] {
        bills = Inv::navigation(db);
        Inv::load(db, bills.first());
    });
    const double openInvBare = timed([&] {
        Sql::ids(db, QStringLiteral("select DcInvId from DcInv where InvNo is not null"));
        bareLoad(db, 1);
    });
    report("open (navigation set, first invoice)", openInv, openInvBare);
    report("next", timed([&] { Inv::load(db, bills.value(bills.size() / 2)); }),
           timed([&] { bareLoad(db, bills.value(bills.size() / 2)); }));
    report("New (customers with DCs to invoice)", timed([&] { Inv::customersToInvoice(db); }),
           timed([&] { Sql::ids(db, QStringLiteral("select distinct CustId from DcInv where InvNo is null")); }));
    // Choosing 10 DCs of 50 lines: their lines, the rates and taxes proposed.
    QList<qint64> ten;
    Sql::transaction(db, [&] {
        for (int i = 0; i < 10; ++i) ten << insertOpenDc(db, 2, std::min(50, z.items), 1, QStringLiteral("C%1").arg(i));
    });
    Inv::Invoice chosen;
    report("choosing 10 DCs of 50 lines", timed([&] {
               chosen.lines = Inv::dcLines(db, ten);
               Inv::proposeRates(db, 2, chosen.lines);
               chosen.taxes = Inv::proposeTaxes(db, 2, ten);
           }),
           timed([&] {
               QSqlQuery q = Sql::exec(
                   db,
                   QStringLiteral("select s.* from DcInvSub s where s.DcInvId in (%1)").arg(Rows::marks(ten.size())),
                   Rows::bound(ten));
               while (q.next()) {
               }
           }));
    Inv::Invoice inv;
    int invNo = 900000;
    const auto billKey = [&](qint64 id) { return chain::Bills::navigationKey(db, sales::billKind(), id); };
    const double saveInv = timed(
        [&] {
            if (Inv::validate(db, inv, false, 0, 1)) std::printf("  (the invoice was refused)\n");
            qint64 id = 0;
            Sql::transaction(db, [&] { id = Inv::save(db, inv, false, 0, 1); });
            chain::Bills::navigationStamp(db, sales::billKind());
            place(bills, id, billKey);
        },
        5,
        [&] {
            QList<qint64> two;
            Sql::transaction(db, [&] {
                for (int i = 0; i < 2; ++i) two << insertOpenDc(db, 3, lines / 2, 1, QStringLiteral("I%1").arg(i));
            });
            inv = Inv::Invoice();
            inv.custId = 3;
            inv.dcIds = two;
            inv.invNo = QString::number(++invNo);
            inv.invDate = Clock::now();
            inv.lines = Inv::dcLines(db, two);
            for (Inv::Line& l : inv.lines) l.rate = 12.5;
        });
    QList<qint64> bareTwo;
    const double saveInvBare = timed(
        [&] {
            Sql::transaction(db, [&] {
                Sql::exec(db,
                          QStringLiteral("update DcInv set InvNo=?, InvDateT=?, TotVal=1, Balance=1 where DcInvId in "
                                         "(?,?)"),
                          {QString::number(++invNo), Db::ts(Clock::now()), bareTwo[0], bareTwo[1]});
                Sql::exec(db, QStringLiteral("update DcInvSub set Rate=12.5 where DcInvId in (?,?)"),
                          {bareTwo[0], bareTwo[1]});
            });
        },
        5,
        [&] {
            bareTwo.clear();
            Sql::transaction(db, [&] {
                for (int i = 0; i < 2; ++i) bareTwo << insertOpenDc(db, 3, lines / 2, 1, QStringLiteral("J%1").arg(i));
            });
        });
    std::snprintf(what, sizeof what, "Save of %d lines", lines);
    report(what, saveInv, saveInvBare);

    std::printf("stores and masters\n");
    report("stock of the heaviest item", timed([&] { inventory::Stores::stockOf(db, year.heaviestItem); }), timed([&] {
               Sql::scalar(db, QStringLiteral("select sum(BalQty) from STNSub where ItemId=?"), {year.heaviestItem});
           }));
    int renames = 0;
    QString current = bench::customerName(4);
    report("customer rename (ledger follows)", timed([&] {
               auto p = Parties::load(db, Parties::customer(), 4);
               p->name = QStringLiteral("RENAMED %1").arg(++renames);
               Sql::transaction(db, [&] { Parties::save(db, Parties::customer(), *p, false, Clock::today()); });
               current = p->name;
           }),
           timed([&] {
               const QString next = QStringLiteral("RENAMED %1").arg(++renames);
               Sql::transaction(db, [&] {
                   Sql::exec(db, QStringLiteral("update Customer set CustName=? where CustId=4"), {next});
                   Sql::exec(db, QStringLiteral("update FundTrans set PartyName=? where PartyName=?"), {next, current});
               });
               current = next;
           }));

    std::printf("closing\n");
    const QString folder = dir + QStringLiteral("/DB_BKUP");
    const QString company = Session::current().companyDb;
    const int copies = pg ? 1 : 3;
    const double close = timed([&] { House::writeBackup(folder, company); }, copies);
    const double closeBare =
        pg ? 0
           : timed(
                 [&] {
                     QFile::remove(dir + QStringLiteral("/bare.db"));
                     Sql::exec(db, QStringLiteral("VACUUM INTO ?"), {dir + QStringLiteral("/bare.db")});
                 },
                 3);
    report("close: the numbered backup copy", close, closeBare);
    report("  the check of those copies, at the next close", timed([&] { House::verifyBackups(folder); }, 1), 0);
}

}  // namespace kavra
