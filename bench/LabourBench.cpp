// Figures for job work: a year of the customer's DCs in and ours out, and a large DC of
// ours drawing on many of theirs, saved and deleted with the stock link on.
#include <QComboBox>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>
#include <cstdio>

#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/chain/Rows.h"
#include "inventory/Stores.h"
#include "jobwork/LabourDcs.h"
#include "jobwork/LabourInvoices.h"
#include "jobwork/forms/LabourDCScreens.h"
#include "jobwork/forms/LabourInvoiceScreen.h"
#include "ui/LineGrid.h"

namespace kavra {

namespace {

constexpr qint64 kCust = 930001, kOther = 930002;
constexpr qint64 kFirstItem = 930001;
constexpr int kItems = 50;
constexpr int kYearDcs = 20000;
constexpr int kOpenDcs = 2000;  // of kCust, each line 10 still to go back

QString code(int i) {
    return QStringLiteral("BLAB-%1").arg(i, 3, 10, QLatin1Char('0'));
}

// DCs of three lines each, a few hundred rows per statement: incoming ones open for kCust
// first, then closed ones of another customer; outgoing ones of that other customer.
void fillYear(QSqlDatabase& db, bool incoming, qint64 firstId) {
    const QDate start(clsProd::FinancialYearOf(Clock::today()), 4, 1);
    const QString head = incoming ? QStringLiteral("DCIncoming") : QStringLiteral("DcOutgoingInv");
    const QString sub = incoming ? QStringLiteral("DcIncomingSub") : QStringLiteral("DcOutgoingSubInv");
    const QString open = incoming ? QStringLiteral("BalQty") : QStringLiteral("UpdateTrack");
    const int chunk = 250;
    Sql::transaction(db, [&] {
        for (int from = 0; from < kYearDcs; from += chunk) {
            const int n = std::min(chunk, kYearDcs - from);
            QStringList heads, lines;
            QVariantList hp, lp;
            for (int i = 0; i < n; ++i) {
                const int k = from + i;
                const qint64 id = firstId + k;
                const bool held = incoming && k < kOpenDcs;
                const QDate day = start.addDays(k % 360);
                heads << QStringLiteral("(?,?,?,?,?,' ',' ',' ',' ',' ',' ',3,?)");
                hp << id << (held ? kCust : kOther)
                   << (incoming ? QStringLiteral("C-%1").arg(k + 1) : QStringLiteral("%1").arg(k + 1))
                   << chain::Rows::dateText(day) << chain::Rows::dateValue(day) << !held;
                for (int l = 1; l <= 3; ++l) {
                    lines << QStringLiteral("(?,?,?,1,10,' ',?)");
                    lp << id << l << kFirstItem + (k * 3 + l) % kItems;
                    if (incoming)
                        lp << (held ? 10.0 : 0.0);
                    else
                        lp << QStringLiteral("%1,10").arg(firstId + k);
                }
            }
            Sql::exec(db,
                      QStringLiteral("insert into %1 (DcId, CustId, DcNo, DcDate, DcDateT, PONo, Transport, VehicleNo, "
                                     "TransFrom, TransTo, DcRem, NoOfItems, %2) values ")
                              .arg(head, incoming ? QStringLiteral("DcTally") : QStringLiteral("DcSign")) +
                          heads.join(QLatin1Char(',')),
                      hp);
            Sql::exec(db,
                      QStringLiteral("insert into %1 (DcId, SlNo, ItemId, ProductId, Qty, DcRowRem, %2) values ")
                              .arg(sub, open) +
                          lines.join(QLatin1Char(',')),
                      lp);
        }
    });
}

}  // namespace

void labourBench(QSqlDatabase& db) {
    namespace Dcs = jobwork::Dcs;
    Sql::transaction(db, [&] {
        Sql::exec(db,
                  QStringLiteral("insert into Customer (CustId, CustName, CustAddr) values (?, 'BENCH LABOUR', "
                                 "'Peenya'), (?, 'BENCH LABOUR 2', 'Hosur')"),
                  {kCust, kOther});
        for (int i = 0; i < kItems; ++i)
            Sql::exec(db,
                      QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
                                     "(?,?,?,1,'NOS')"),
                      {kFirstItem + i, code(i), QStringLiteral("Bench labour part %1").arg(i)});
        QList<inventory::NoteLine> stock;
        for (int i = 0; i < kItems; ++i) stock.append({kFirstItem + i, 100000});
        inventory::Stores::raiseNote(db, inventory::NoteSource::Manual, QStringLiteral("Stores"), stock);
        Sql::exec(db, QStringLiteral("update Misc set RedStkL=?"), {true});
    });
    // The numbering bench's bare rows make way for real DCs.
    Sql::exec(db, QStringLiteral("delete from DcOutgoingInv where CustId is null"));
    fillYear(db, true, Dcs::proposedId(db, Dcs::Way::In));
    fillYear(db, false, Dcs::proposedId(db, Dcs::Way::Out));
    // A year grown over months has its statistics; one filled in a minute needs them now.
    Db::optimize(db);

    // Each line takes 200: twenty of the customer's DCs of 10 each.
    Dcs::Dc d;
    d.id = Dcs::proposedId(db, Dcs::Way::Out);
    d.party = kCust;
    d.dcNo = QStringLiteral("B-L1");
    d.dcDate = Clock::today();
    for (int i = 0; i < kItems; ++i) d.lines << Dcs::Line{code(i), QStringLiteral("Bench job %1").arg(i), 200, {}, {}};
    QElapsedTimer t;
    // The same DC without the stock link first: what the draws alone cost.
    t.start();
    Sql::transaction(db, [&] { Dcs::save(db, Dcs::Way::Out, d, true, false, 1); });
    const qint64 plainSaveMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Dcs::remove(db, Dcs::Way::Out, d.id); });
    const qint64 plainDeleteMs = t.elapsed();
    std::printf("labour DC of %d lines drawing 20 incoming DCs each, stock link off: save %lld ms, delete %lld ms\n",
                kItems, (long long)plainSaveMs, (long long)plainDeleteMs);
    t.restart();
    const auto problem = Dcs::validate(db, Dcs::Way::Out, d, true, true, 1);
    const qint64 checkMs = t.elapsed();
    t.restart();
    Sql::transaction(db, [&] { Dcs::save(db, Dcs::Way::Out, d, true, true, 1); });
    const qint64 saveMs = t.elapsed();
    const qint64 pairs = Sql::scalar(db,
                                     QStringLiteral("select count(*) from DcIncomingSub s, DCIncoming h where "
                                                    "h.DcId=s.DcId and h.CustId=? and s.BalQty=0"),
                                     {kCust})
                             .toLongLong();
    t.restart();
    Sql::transaction(db, [&] { Dcs::remove(db, Dcs::Way::Out, d.id); });
    const qint64 deleteMs = t.elapsed();

    // Our DC screen opened and the customer with 2,000 open DCs chosen: the lists it offers then.
    t.restart();
    qint64 openMs = 0, chooseMs = 0;
    int refs = 0, codes = 0;
    {
        FrmDCOutgoing screen;
        screen.load();
        openMs = t.elapsed();
        auto* cust = screen.findChild<QComboBox*>(QStringLiteral("cmbCust"));
        t.restart();
        cust->setCurrentIndex(cust->findData(kCust));
        emit cust->activated(cust->currentIndex());
        chooseMs = t.elapsed();
        refs = screen.findChild<QComboBox*>(QStringLiteral("cmbRefDCno"))->count();
        codes = int(screen.grid()->itemCodes().size());
    }
    // The bare queries for the same lists.
    t.restart();
    Sql::scalar(db, QStringLiteral("select count(*) from DCIncoming where CustId=? and DcTally=?"), {kCust, false});
    Sql::scalar(db,
                QStringLiteral("select count(distinct s.ItemId) from DcIncomingSub s join DCIncoming h on "
                               "h.DcId=s.DcId where h.CustId=? and s.BalQty>0"),
                {kCust});
    const qint64 bareMs = t.elapsed();
    std::printf(
        "frmDCOutgoing: open %lld ms; customer with %d open DCs chosen %lld ms (%d items offered; bare "
        "queries %lld ms)\n",
        (long long)openMs, refs, (long long)chooseMs, codes, (long long)bareMs);
    std::printf(
        "labour DC of %d lines drawing on %lld incoming lines (year of %d in, %d out, stock on): checks %lld "
        "ms, save %lld ms, delete %lld ms%s\n",
        kItems, (long long)pairs, kYearDcs, kYearDcs, (long long)checkMs, (long long)saveMs, (long long)deleteMs,
        problem ? " (refused!)" : "");

    // An invoice over 20 of our DCs of 50 lines each.
    QList<qint64> toBill;
    for (int n = 0; n < 20; ++n) {
        Dcs::Dc b = d;
        b.id = Dcs::proposedId(db, Dcs::Way::Out);
        b.dcNo = QStringLiteral("B-I%1").arg(n);
        for (Dcs::Line& l : b.lines) l.qty = 1;
        Sql::transaction(db, [&] { Dcs::save(db, Dcs::Way::Out, b, true, false, 1); });
        toBill << b.id;
    }
    namespace Inv = jobwork::Invoices;
    t.restart();
    Inv::Invoice inv;
    inv.head.party = kCust;
    inv.head.dcIds = toBill;
    inv.head.invNo = QStringLiteral("B-INV-1");
    inv.head.invDate = QDateTime(Clock::today(), QTime(10, 0));
    inv.taxes = {4, 12, 2};
    inv.lines = Inv::proposedLines(db, kCust, toBill);
    for (Inv::Line& l : inv.lines) l.altQty = l.qty, l.rate = l.rate > 0 ? l.rate : 12.5;
    const Money value = Inv::value(inv, true).total;
    const qint64 valueMs = t.elapsed();
    t.restart();
    const auto refused = Inv::validate(db, inv, true, 0, 1);
    Sql::transaction(db, [&] { Inv::save(db, inv, true, 0, 1); });
    const qint64 invoiceMs = t.elapsed();
    std::printf(
        "labour invoice over 20 DCs of 50 lines: choosing and valuing %lld ms, checks and save %lld ms (value "
        "%s)%s\n",
        (long long)valueMs, (long long)invoiceMs, qPrintable(value.toString()), refused ? " (refused!)" : "");

    // The invoice screen on a year where each of the other customer's DCs has its invoice.
    Sql::transaction(db, [&] {
        Sql::exec(db,
                  QStringLiteral("update DcOutgoingInv set InvNo='Y'||DcNo, InvDate=DcDate, InvDateT=DcDateT, "
                                 "TotVal=100, Balance=100 where CustId=?"),
                  {kOther});
    });
    t.restart();
    qint64 invOpenMs = 0, invLastMs = 0, invFirstMs = 0;
    int invoices = 0;
    {
        FrmInvoiceL screen;
        screen.load();
        invOpenMs = t.elapsed();
        invoices = int(screen.navigation().size());
        t.restart();
        screen.controller()->moveFirst();
        invFirstMs = t.elapsed();
        t.restart();
        screen.controller()->moveLast();
        invLastMs = t.elapsed();
    }
    t.restart();
    Sql::texts(db, QStringLiteral("select InvNo from DcOutgoingInv where InvNo is not null and InvNo<>'Nil' order by "
                                  "InvDateT, InvNo"));
    const qint64 invBareMs = t.elapsed();
    std::printf(
        "frmInvoiceL on %d invoices: open %lld ms, first %lld ms, last %lld ms (bare navigation query %lld ms)\n",
        invoices, (long long)invOpenMs, (long long)invFirstMs, (long long)invLastMs, (long long)invBareMs);
}

}  // namespace kavra
