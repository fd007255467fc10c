#include "core/chain/WorkBills.h"

#include <QSqlQuery>

#include "core/Db.h"
#include "core/Sql.h"
#include "core/chain/Challans.h"

namespace kavra::chain::WorkBills {

namespace WV = WorkValue;

QVector<Line> proposedLines(QSqlDatabase& db, const BillKind& k, qint64 party, const QList<qint64>& dcIds) {
    QVector<Line> lines = Bills::lines(db, k, dcIds);
    Bills::proposeRates(db, k, party, lines);
    return lines;
}

Taxes proposeTaxes(QSqlDatabase& db, const BillKind& k, qint64 party) {
    const DcKind& d = *k.dc;
    Taxes t;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select VAT, ServTax, CessOnServTax from %1 where %2=(select max(%2) from "
                                           "%1 where %3=? and InvNo is not null and InvNo<>'Nil')")
                                .arg(d.header, d.key, d.party),
                            {party});
    if (q.next()) Sql::readRow(q, t.vat, t.servTax, t.cessOnServTax);
    return t;
}

bool roundsRupees(QSqlDatabase& db, const BillKind& k) {
    return Sql::scalar(db, QStringLiteral("select %1 from Misc").arg(k.roundSetting)).toBool();
}

bool oneDcPerBill(QSqlDatabase& db, const BillKind& k) {
    return Sql::scalar(db, QStringLiteral("select %1 from Misc").arg(k.oneDcSetting)).toBool();
}

WV::Result value(const Invoice& inv, bool roundRupees) {
    WV::Input in;
    for (const Line& l : inv.lines) in.lines << WV::Line{l.altQty, l.rate, l.discount};
    const Bills::Head& h = inv.head;
    in.packForwd = h.packForwd;
    in.packPerc = h.packPerc;
    in.vat = inv.taxes.vat;
    in.servTax = inv.taxes.servTax;
    in.cessOnServTax = inv.taxes.cessOnServTax;
    in.otherCharges = h.otherCharges;
    in.finalDisc = h.finalDisc;
    in.finalDiscPerc = h.finalDiscPerc;
    in.roundRupees = roundRupees;
    return WV::compute(in);
}

std::optional<Invoice> load(QSqlDatabase& db, const BillKind& k, qint64 id) {
    const DcKind& d = *k.dc;
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select %1, InvNo, InvDateT, PayTerm, InvRem, PackForwd, IsPackForwdPerc, FinalDisc, "
                       "IsFinalDiscPerc, AnyOtherChrg, VAT, ServTax, CessOnServTax, TotVal, Balance from %2 where "
                       "%3=? and InvNo is not null and InvNo<>'Nil'")
            .arg(d.party, d.header, d.key),
        {id});
    if (!q.next()) return std::nullopt;
    Invoice inv;
    inv.id = id;
    Bills::Head& h = inv.head;
    double storedPack = 0, storedDisc = 0;
    Sql::readRow(q, h.party, Sql::trimmed(h.invNo), h.invDate, Sql::trimmed(h.payTerm), Sql::trimmed(h.invRem),
                 storedPack, h.packPerc, storedDisc, h.finalDiscPerc, h.otherCharges, inv.taxes.vat, inv.taxes.servTax,
                 inv.taxes.cessOnServTax, inv.totVal, inv.balance);
    q = QSqlQuery();
    h.dcIds = Bills::dcsOf(db, k, id);
    inv.lines = Bills::lines(db, k, h.dcIds);
    const auto typed = Bills::chargesAsTyped(storedPack, h.packPerc, storedDisc, h.finalDiscPerc, [&](double pack) {
        Invoice b = inv;
        b.head.packForwd = pack;
        b.head.finalDisc = 0;
        const WV::Result v = value(b, false);
        return QPair<double, double>{v.lineTotal.rupees(), v.beforeFinalDiscount};
    });
    h.packForwd = typed.packForwd;
    h.finalDisc = typed.finalDisc;
    return inv;
}

Check validate(QSqlDatabase& db, const BillKind& k, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode) {
    const Bills::Head& h = inv.head;
    if (shownId != 0)
        if (auto b = Bills::modifyBlock(db, k, shownId)) return b;
    if (h.party == 0) return Refusal::at(k.partyField, k.selectParty);
    if (auto r = Bills::numberCheck(h.invNo)) return r;
    if (h.dcIds.isEmpty()) return Refusal::at(QStringLiteral("lstDcNo"), QStringLiteral("Select atleast a DC..... "));
    if (auto r = Bills::chargesCheck(
            {h.packForwd, h.finalDisc, h.otherCharges, inv.taxes.vat, inv.taxes.servTax, inv.taxes.cessOnServTax}))
        return r;
    if (inv.lines.isEmpty())
        return Refusal::at(QStringLiteral("lstDcNo"),
                           QStringLiteral("Select a DcNo to have the invoice particulars....."));
    if (auto r = Bills::linesCheck(k, inv.lines)) return r;
    if (value(inv, roundRupees).total <= Money())
        return Refusal::at(QStringLiteral("txtTotVal"), QStringLiteral("Enter a Valid  Invoice Value ....."));
    const QList<qint64> own = shownId != 0 ? Bills::dcsOf(db, k, shownId) : h.dcIds;
    return Bills::duplicateNumber(db, k, h.invNo, h.invDate.date(), own, invMode);
}

qint64 save(QSqlDatabase& db, const BillKind& k, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode) {
    const WV::Result v = value(inv, roundRupees);
    Bills::Head h = inv.head;
    if (k.dayOnly) h.invDate = QDateTime(h.invDate.date(), QTime(0, 0));
    // A percentage is kept as the amount it gives, to the paisa.
    const double pack = h.packPerc ? money::shown(v.packing) : h.packForwd;
    Row bill = Bills::headColumns(h, pack, v.finalDiscount, v.total, k.note);
    if (k.dayOnly) bill.set(QStringLiteral("InvDate"), Rows::dateText(h.invDate.date()));
    bill.set(QStringLiteral("VAT"), inv.taxes.vat)
        .set(QStringLiteral("ServTax"), inv.taxes.servTax)
        .set(QStringLiteral("CessOnServTax"), inv.taxes.cessOnServTax);
    bill << k.savedToo;
    return Bills::save(db, k, h, bill, inv.lines, shownId, invMode);
}

Check deleteBlock(QSqlDatabase& db, const BillKind& k, qint64 id) {
    if (auto r = Bills::deleteBlock(db, k, id)) return r;
    const DcKind& d = *k.dc;
    if (k.stockDrawnDelete.isEmpty() || !d.stock || !d.stock.drawnOn || !Challans::linkedToStock(db, d))
        return std::nullopt;
    const QList<qint64> dcs = Bills::dcsOf(db, k, id);
    if (dcs.isEmpty()) return std::nullopt;
    const QList<qint64> notes = Sql::ids(db,
                                         QStringLiteral("select %1 from %2 where %3 in (%4) and %1 is not null")
                                             .arg(d.stock.column, d.header, d.key, Rows::marks(dcs.size())),
                                         Rows::bound(dcs));
    for (qint64 n : notes)
        if (n != 0 && d.stock.drawnOn(db, n)) return Refusal::message(k.stockDrawnDelete);
    return std::nullopt;
}

void remove(QSqlDatabase& db, const BillKind& k, qint64 id) {
    // Asked again inside the transaction: money or an issue made meanwhile wins.
    enforce(deleteBlock(db, k, id));
    Bills::clear(db, k, id);
}

}  // namespace kavra::chain::WorkBills
