// Figures for sales invoices: computing and saving an invoice over many DCs.
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>
#include <cstdio>

#include "core/Session.h"
#include "core/Sql.h"
#include "sales/Invoices.h"

namespace kavra {

namespace {

constexpr qint64 kCust = 910001;
constexpr qint64 kFirstItem = 910001;
constexpr int kDcs = 10, kLines = 50;

QList<qint64> makeDcs(QSqlDatabase& db) {
    QList<qint64> ids;
    const QDate day = Clock::today();
    Sql::transaction(db, [&] {
        Sql::exec(db,
                  QStringLiteral("insert into Customer (CustId, CustName, CustAddr) values (?, 'BENCH INVOICES', "
                                 "'Peenya')"),
                  {kCust});
        for (int i = 0; i < kLines; ++i)
            Sql::exec(db,
                      QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, MeasureUnit, Rate) values "
                                     "(?,?,?,'NOS',?)"),
                      {kFirstItem + i, QStringLiteral("BINV-%1").arg(i), QStringLiteral("Bench part %1").arg(i),
                       1000 + 37 * i});
        qint64 id = Sql::proposedId(db, QStringLiteral("DcInv"), QStringLiteral("DcInvId"));
        for (int d = 0; d < kDcs; ++d, ++id) {
            Sql::exec(
                db,
                QStringLiteral("insert into DcInv (DcInvId, CustId, DcNo, DcDate, DcDateT, PONo) values "
                               "(?,?,?,?,?,' ')"),
                {id, kCust, QStringLiteral("B%1").arg(d), day.toString(QStringLiteral("dd/MM/yyyy")), Db::day(day)});
            for (int l = 1; l <= kLines; ++l)
                Sql::exec(db,
                          QStringLiteral("insert into DcInvSub (DcInvId, SlNo, ItemId, Qty, DcRowRem) values "
                                         "(?,?,?,?,' ')"),
                          {id, l, kFirstItem + l - 1, 3.5 + l});
            ids << id;
        }
    });
    return ids;
}

}  // namespace

void invoiceBench(QSqlDatabase& db) {
    namespace Inv = sales::Invoices;
    const QList<qint64> dcs = makeDcs(db);
    Inv::Invoice inv;
    inv.custId = kCust;
    inv.dcIds = dcs;
    inv.invNo = QStringLiteral("990001");
    inv.invDate = Clock::now();

    // Choosing the DCs: their lines, the proposed rates and taxes, the value.
    QElapsedTimer t;
    const int runs = 20;
    t.start();
    for (int i = 0; i < runs; ++i) {
        inv.lines = Inv::dcLines(db, dcs);
        Inv::proposeRates(db, kCust, inv.lines);
        inv.taxes = Inv::proposeTaxes(db, kCust, dcs);
    }
    const double chooseMs = double(t.nsecsElapsed()) / 1e6 / runs;
    inv.taxes.excise = 12;
    inv.taxes.cessOnED = 2;
    inv.taxes.highCessOnED = 1;
    inv.taxes.vat = 12.5;
    inv.packForwd = 2;
    inv.packPerc = true;

    // The value alone, as each keystroke in a rate or a tax works it out again.
    const int calcRuns = 200;
    Money total;
    t.restart();
    for (int i = 0; i < calcRuns; ++i) total = Inv::value(inv, true).total;
    const double valueUs = double(t.nsecsElapsed()) / 1e3 / calcRuns;

    // Save: the checks, then every DC row and line in one transaction.
    t.restart();
    const bool ok = !Inv::validate(db, inv, true, 0, 1);
    const double validateMs = double(t.nsecsElapsed()) / 1e6;
    qint64 id = 0;
    t.restart();
    Sql::transaction(db, [&] { id = Inv::save(db, inv, true, 0, 1); });
    const double saveMs = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    const auto shown = Inv::load(db, id);
    const double loadMs = double(t.nsecsElapsed()) / 1e6;

    std::printf("invoice over %d DCs of %d lines: choosing the DCs (lines, rates, taxes) %.1f ms\n", kDcs, kLines,
                chooseMs);
    std::printf("invoice value of %d lines: %.1f us (value %s)\n", kDcs * kLines, valueUs,
                qPrintable(total.toString()));
    std::printf("invoice checks %.1f ms (%s), save %.1f ms, showing it again %.1f ms (%lld lines)\n", validateMs,
                ok ? "passed" : "refused", saveMs, loadMs, shown ? (long long)shown->lines.size() : 0LL);
}

}  // namespace kavra
