#include "core/chain/Bills.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <tuple>

#include "core/Books.h"
#include "core/Db.h"
#include "core/FinancialYear.h"
#include "core/Sql.h"
#include "core/Text.h"

namespace kavra::chain::Bills {

namespace {

const DcKind& dcOf(const BillKind& k) {
    return *k.dc;
}

// The DC rows of the bill that row ? belongs to: same number, party and bill time.
QString sameBill(const BillKind& k) {
    const DcKind& d = dcOf(k);
    return QStringLiteral(
               "from %1 d, %1 r where r.%2=? and r.InvNo is not null and r.InvNo<>'Nil' and "
               "d.InvNo=r.InvNo and d.%3=r.%3 and d.InvDateT=r.InvDateT")
        .arg(d.header, d.key, d.party);
}

bool moneyReceived(QSqlDatabase& db, const BillKind& k, qint64 id) {
    return Sql::any(db, QStringLiteral("select 1 %1 and d.TotVal<>d.Balance").arg(sameBill(k)), {id});
}

QList<Choice> choices(QSqlQuery& q) {
    QList<Choice> out;
    while (q.next()) out << Choice{q.value(0).toLongLong(), q.value(1).toString().trimmed()};
    return out;
}

}  // namespace

bool anyDc(QSqlDatabase& db, const BillKind& k) {
    return Sql::any(db, QStringLiteral("select 1 from %1").arg(dcOf(k).header));
}

QList<Choice> partiesToBill(QSqlDatabase& db, const BillKind& k) {
    const DcKind& d = dcOf(k);
    QSqlQuery q = Sql::exec(db, QStringLiteral("select %1, %2 from %3 where %1 in (select distinct %1 from %4 where "
                                               "InvNo is null) order by %2")
                                    .arg(d.party, d.partyName, d.partyTable, d.header));
    return choices(q);
}

QList<Choice> openDcs(QSqlDatabase& db, const BillKind& k, qint64 party) {
    const DcKind& d = dcOf(k);
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select %1, DcNo from %2 where %3=? and InvNo is null order by %1 desc")
                                .arg(d.key, d.header, d.party),
                            {party});
    QList<Choice> out = choices(q);
    // Newest number first, numbers compared as numbers ("10" after "9").
    std::stable_sort(out.begin(), out.end(), [](const Choice& a, const Choice& b) {
        const double x = text::strictNumber(a.text), y = text::strictNumber(b.text);
        if (x != y) return x > y;
        return a.text > b.text;
    });
    return out;
}

QList<Choice> dcChoices(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcIds) {
    if (dcIds.isEmpty()) return {};
    const DcKind& d = dcOf(k);
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select %1, DcNo from %2 where %1 in (%3) order by %1")
                                .arg(d.key, d.header, Rows::marks(dcIds.size())),
                            Rows::bound(dcIds));
    return choices(q);
}

QVector<Line> lines(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcIds) {
    QVector<Line> out;
    if (dcIds.isEmpty()) return out;
    const DcKind& d = *k.dc;
    const QString alt = k.altQty ? QStringLiteral("s.AltQty") : QStringLiteral("0");
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral(
            "select s.%1, d.DcNo, s.SlNo, s.ItemId, p.ProdName, i.ItemName, i.MeasureUnit, i.AltUnit, "
            "s.Qty, s.RejQty, s.RewQty, d.InvAsPerRej, s.Rate, s.Discount, %4, i.ItemCode from %2 s join %3 d on "
            "d.%1=s.%1 left join ProductL p on p.ProdId=s.ProductId left join Item i on "
            "i.ItemId=s.ItemId where s.%1 in (%5) and upper(trim(coalesce(s.DcRowRem,'')))<>'NV' "
            "order by s.%1, s.SlNo")
            .arg(d.key, d.lines, d.header, alt, Rows::marks(dcIds.size())),
        Rows::bound(dcIds));
    while (q.next()) {
        Line l;
        l.dcId = q.value(0).toLongLong();
        l.dcNo = q.value(1).toString().trimmed();
        l.slNo = q.value(2).toInt();
        l.itemId = q.value(3).toLongLong();
        l.particulars = q.value(4).toString().trimmed();
        if (l.particulars.isEmpty()) l.particulars = q.value(5).toString().trimmed();
        l.unit = q.value(6).toString().trimmed();
        l.altUnit = q.value(7).toString().trimmed();
        l.qty = q.value(8).toDouble();
        if (q.value(11).toBool()) l.qty = l.qty - q.value(9).toDouble() - q.value(10).toDouble();
        l.rate = q.value(12).toDouble();
        l.discount = q.value(13).toDouble();
        l.altQty = q.value(14).toDouble();
        l.itemCode = q.value(15).toString().trimmed();
        out << l;
    }
    return out;
}

void proposeRates(QSqlDatabase& db, const BillKind& k, qint64 party, QVector<Line>& lines) {
    if (lines.isEmpty()) return;
    const DcKind& d = *k.dc;
    const OrderKind& o = *d.order;
    // One look-up per DC and per item, not per line.
    QList<qint64> dcs, items;
    for (const Line& l : lines) {
        if (!dcs.contains(l.dcId)) dcs << l.dcId;
        if (!items.contains(l.itemId)) items << l.itemId;
    }
    QHash<qint64, QString> poOf;  // DC -> the order number it quotes
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select %1, PONo from %2 where %1 in (%3)").arg(d.key, d.header, Rows::marks(dcs.size())),
        Rows::bound(dcs));
    while (q.next()) poOf.insert(q.value(0).toLongLong(), q.value(1).toString().trimmed());
    QHash<QString, QHash<qint64, std::pair<double, double>>> ordered;  // order number -> item -> rate, discount
    for (const QString& po : poOf) {
        if (po.isEmpty() || ordered.contains(po)) continue;
        QHash<qint64, std::pair<double, double>>& rates = ordered[po];
        QSqlQuery r = Sql::exec(db,
                                QStringLiteral("select ItemId, Rate, Discount from %1 where POId=(select max(POId) "
                                               "from %2 where %3=? and PONo=?) order by SlNo desc")
                                    .arg(o.lines, o.header, o.party),
                                {party, po});
        while (r.next()) rates.insert(r.value(0).toLongLong(), {r.value(1).toDouble(), r.value(2).toDouble()});
    }
    // Each item's newest billed line (its first line on the newest DC), else the item's own
    // rate without discount: two statements for all the items.
    QHash<qint64, std::pair<double, double>> lastBilled;
    const QString ofParty =
        k.ratesOfParty ? QStringLiteral(" and t.%1 in (select %1 from %2 where %3=?)").arg(d.key, d.header, d.party)
                       : QString();
    QSqlQuery r = Sql::exec(db,
                            QStringLiteral("select s.ItemId, s.Rate, s.Discount from %1 s where s.ItemId in (%3) and "
                                           "s.Rate<>0 and s.%2=(select max(t.%2) from %1 t where t.ItemId=s.ItemId and "
                                           "t.Rate<>0%4) order by s.ItemId, s.SlNo")
                                .arg(d.lines, d.key, Rows::marks(items.size()), ofParty),
                            k.ratesOfParty ? Rows::bound(items) + QVariantList{party} : Rows::bound(items));
    while (r.next())
        if (!lastBilled.contains(r.value(0).toLongLong()))
            lastBilled.insert(r.value(0).toLongLong(), {r.value(1).toDouble(), r.value(2).toDouble()});
    QList<qint64> unbilled;
    for (qint64 item : items)
        if (!lastBilled.contains(item)) unbilled << item;
    if (!unbilled.isEmpty()) {
        QSqlQuery own = Sql::exec(
            db, QStringLiteral("select ItemId, Rate from Item where ItemId in (%1)").arg(Rows::marks(unbilled.size())),
            Rows::bound(unbilled));
        while (own.next()) lastBilled.insert(own.value(0).toLongLong(), {own.value(1).toDouble(), 0.0});
    }
    for (Line& l : lines) {
        const auto po = ordered.constFind(poOf.value(l.dcId));
        if (po != ordered.cend() && po->contains(l.itemId)) {
            std::tie(l.rate, l.discount) = po->value(l.itemId);
            continue;
        }
        std::tie(l.rate, l.discount) = lastBilled.value(l.itemId);
    }
}

QList<qint64> navigation(QSqlDatabase& db, const BillKind& k) {
    const DcKind& d = dcOf(k);
    // Grouped in the order of the bill index (time, number, party), so the set is read from
    // the index alone without a sort; a number is unique in its year, so the party decides
    // nothing but ties of the same time and number.
    return Sql::ids(db, QStringLiteral("select max(%1) from %2 where InvNo is not null and InvNo<>'Nil' group by "
                                       "InvDateT, InvNo, %3 order by InvDateT, InvNo, %3")
                            .arg(d.key, d.header, d.party));
}

QVariantList navigationKey(QSqlDatabase& db, const BillKind& k, qint64 id) {
    const DcKind& d = dcOf(k);
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select InvDateT, InvNo, %1 from %2 where %3=?").arg(d.party, d.header, d.key), {id});
    if (!q.next()) return {QDateTime(), QString(), qint64(0), id};
    return {Db::toDateTime(q.value(0)), q.value(1).toString(), q.value(2).toLongLong(), id};
}

QVariant navigationStamp(QSqlDatabase& db, const BillKind& k) {
    const DcKind& d = dcOf(k);
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select count(*), max(%1) from %2 where InvNo is not null and InvNo<>'Nil'")
                          .arg(d.key, d.header));
    if (!q.next()) return {};
    return QStringLiteral("%1:%2").arg(q.value(0).toLongLong()).arg(q.value(1).toLongLong());
}

std::optional<qint64> billOf(QSqlDatabase& db, const BillKind& k, qint64 dcId) {
    const QVariant v = Sql::scalar(db, QStringLiteral("select max(d.%1) %2").arg(dcOf(k).key, sameBill(k)), {dcId});
    if (v.isNull() || !v.isValid()) return std::nullopt;
    return v.toLongLong();
}

QList<qint64> dcsOf(QSqlDatabase& db, const BillKind& k, qint64 id) {
    return Sql::ids(db, QStringLiteral("select d.%1 %2 order by d.%1").arg(dcOf(k).key, sameBill(k)), {id});
}

Lookups::Found find(QSqlDatabase& db, const BillKind& k, const QString& invNo, qint64 party) {
    const DcKind& d = dcOf(k);
    if (k.numberPerParty) {
        const Lookups::Found f = Lookups::byPartyNumber(db, d.header, d.key, QStringLiteral("InvNo"), d.party,
                                                        invNo.trimmed(), party, k.find);
        if (!f.id) return f;
        return {billOf(db, k, *f.id), f.message, f.icon};
    }
    const QVariant v =
        Sql::scalar(db,
                    QStringLiteral("select %1 from %2 where InvNo=? and InvNo<>'Nil' order by %1 desc limit 1")
                        .arg(d.key, d.header),
                    {invNo.trimmed()});
    const std::optional<qint64> id = v.isValid() && !v.isNull() ? billOf(db, k, v.toLongLong()) : std::nullopt;
    if (!id) return {std::nullopt, k.notFound};
    return {id, {}};
}

Check modifyBlock(QSqlDatabase& db, const BillKind& k, qint64 id) {
    if (!moneyReceived(db, k, id)) return std::nullopt;
    return Refusal::message(k.moneyModify);
}

Check deleteBlock(QSqlDatabase& db, const BillKind& k, qint64 id) {
    if (!moneyReceived(db, k, id)) return std::nullopt;
    return Refusal::message(k.moneyDelete);
}

Check duplicateNumber(QSqlDatabase& db, const BillKind& k, const QString& invNo, const QDate& invDate,
                      const QList<qint64>& ownDcs, int invMode) {
    const DcKind& d = dcOf(k);
    const QString no = invNo.trimmed();
    if (k.numberPerParty) {
        if (Sql::any(db,
                     QStringLiteral("select 1 from %1 d, %1 o where o.%2=? and d.%3=o.%3 and d.InvNo=?%4")
                         .arg(d.header, d.key, d.party,
                              ownDcs.isEmpty()
                                  ? QString()
                                  : QStringLiteral(" and d.%1 not in (%2)").arg(d.key, Rows::marks(ownDcs.size()))),
                     QVariantList{ownDcs.value(0), no} + Rows::bound(ownDcs)))
            return Refusal::at(QStringLiteral("txtInvNo"), k.duplicateNo);
        return std::nullopt;
    }
    const QString inYear = FinancialYear::condition(QStringLiteral("InvDateT"));
    QVariantList params{no};
    params += FinancialYear::params(FinancialYear::of(invDate));
    const QString notOwn =
        ownDcs.isEmpty() ? QString() : QStringLiteral(" and %1 not in (%2)").arg(d.key, Rows::marks(ownDcs.size()));
    if (Sql::any(db, QStringLiteral("select 1 from %1 where InvNo=? and %2%3").arg(d.header, inYear, notOwn),
                 params + Rows::bound(ownDcs)))
        return Refusal::at(QStringLiteral("txtInvNo"), k.duplicateNo);
    QList<const Books::Book*> others = Books::sharing(Books::Series::Invoice, k.book, invMode);
    if (k.alreadyMadeAlways)
        for (const QString& key : k.alreadyMade.keys())
            if (const Books::Book* b = Books::find(Books::Series::Invoice, key); b && !others.contains(b)) others << b;
    for (const Books::Book* b : others) {
        if (b->table.compare(d.header, Qt::CaseInsensitive) == 0 || !k.alreadyMade.contains(b->key)) continue;
        if (Sql::any(db, QStringLiteral("select 1 from %1 where InvNo=? and %2").arg(b->table, inYear), params))
            return Refusal::at(QStringLiteral("txtInvNo"), k.alreadyMade.value(b->key));
    }
    return std::nullopt;
}

QList<qint64> take(QSqlDatabase& db, const BillKind& k, qint64 party, const QList<qint64>& chosen, qint64 shownId) {
    const DcKind& d = dcOf(k);
    QList<qint64> dcs;
    if (shownId != 0) {
        // Checked again here: money received meanwhile at another desk wins.
        enforce(modifyBlock(db, k, shownId));
        dcs = dcsOf(db, k, shownId);
        if (dcs.isEmpty()) throw Refused(Refusal::message(k.recordError));
        return dcs;
    }
    if (chosen.isEmpty()) return dcs;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select %1, %2, InvNo, DcNo from %3 where %1 in (%4)")
                                .arg(d.key, d.party, d.header, Rows::marks(chosen.size())),
                            Rows::bound(chosen));
    QHash<qint64, std::tuple<qint64, QVariant, QString>> found;
    while (q.next())
        found.insert(q.value(0).toLongLong(), {q.value(1).toLongLong(), q.value(2), q.value(3).toString().trimmed()});
    for (qint64 dc : chosen) {
        const auto it = found.constFind(dc);
        if (it == found.cend() || std::get<0>(*it) != party) throw Refused(Refusal::message(k.recordError));
        // A DC billed at another desk since it was chosen.
        if (!std::get<1>(*it).isNull())
            throw Refused(Refusal::at(QStringLiteral("lstDcNo"), k.invoicedMeanwhile.arg(std::get<2>(*it))));
        dcs << dc;
    }
    std::sort(dcs.begin(), dcs.end());
    return dcs;
}

void write(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcs, const Row& bill, bool fresh) {
    const DcKind& d = dcOf(k);
    // Guarded: a new bill only on rows still without one, a change only on rows still billed.
    const QString guard = fresh ? QStringLiteral(" and InvNo is null") : QStringLiteral(" and InvNo is not null");
    const int changed =
        Rows::updateWhere(db, d.header, bill, QStringLiteral("%1 in (%2)%3").arg(d.key, Rows::marks(dcs.size()), guard),
                          Rows::bound(dcs));
    if (changed == dcs.size()) return;
    if (!fresh) throw Refused(Refusal::message(k.recordError));
    const QStringList taken =
        Sql::texts(db,
                   QStringLiteral("select DcNo from %1 where %2 in (%3) and InvNo is not null order by %2")
                       .arg(d.header, d.key, Rows::marks(dcs.size())),
                   Rows::bound(dcs));
    throw Refused(Refusal::at(QStringLiteral("lstDcNo"), k.invoicedMeanwhile.arg(taken.value(0).trimmed())));
}

void writeRates(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcs, const QList<LineRate>& lines) {
    const DcKind& d = dcOf(k);
    for (const LineRate& l : lines) {
        if (!dcs.contains(l.dcId)) throw Refused(Refusal::message(k.recordError));
        Row r;
        r.set(QStringLiteral("Rate"), l.rate).set(QStringLiteral("Discount"), l.discount);
        if (k.altQty) r.set(QStringLiteral("AltQty"), l.altQty);
        const int changed =
            Rows::updateWhere(db, d.lines, r, QStringLiteral("%1=? and SlNo=?").arg(d.key), {l.dcId, l.slNo});
        if (changed < 1) throw Refused(Refusal::message(k.recordError));
    }
}

void clear(QSqlDatabase& db, const BillKind& k, qint64 id) {
    const QList<qint64> dcs = dcsOf(db, k, id);
    // Deleted meanwhile at another desk.
    if (dcs.isEmpty()) throw Refused(Refusal::message(k.recordError));
    const DcKind& d = dcOf(k);
    write(db, k, dcs, k.cleared, false);
    Rows::updateWhere(db, d.lines, k.clearedLines, QStringLiteral("%1 in (%2)").arg(d.key, Rows::marks(dcs.size())),
                      Rows::bound(dcs));
}

QString dateText(const QDateTime& dt) {
    return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm AP"));
}

Check linesCheck(const BillKind& k, const QVector<Line>& lines) {
    for (int i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        const double billed = k.altQty ? l.altQty : l.qty;
        if (k.altQty && !(l.altQty > 0))
            return Refusal::cell(i + 1, 0, QStringLiteral("Enter the Valid Alt.Qty ....."));
        if (!(l.rate > 0)) return Refusal::cell(i + 1, 0, QStringLiteral("Enter the Valid Rate ....."));
        if (l.discount < 0 || l.discount > 100)
            return Refusal::cell(i + 1, 0, QStringLiteral("The discount must be from 0 to 100 %."));
        if (!money::fits(billed * l.rate))
            return Refusal::cell(i + 1, 0, QStringLiteral("The amount of this line is too large."));
    }
    return std::nullopt;
}

Check chargesCheck(std::initializer_list<double> values) {
    for (double v : values) {
        if (v < 0)
            return Refusal::at(QStringLiteral("txtTotVal"), QStringLiteral("A charge or a tax cannot be negative."));
        if (!money::fits(v))
            return Refusal::at(QStringLiteral("txtTotVal"), QStringLiteral("A charge or a tax is too large."));
    }
    return std::nullopt;
}

TypedCharges chargesAsTyped(double storedPack, bool packPerc, double storedDisc, bool discPerc,
                            const std::function<QPair<double, double>(double packForwd)>& bases) {
    TypedCharges t{storedPack, storedDisc};
    if (packPerc) t.packForwd = money::percentOf(storedPack, bases(storedPack).first);
    if (discPerc) t.finalDisc = money::percentOf(storedDisc, bases(t.packForwd).second);
    return t;
}

Check numberCheck(const QString& invNo) {
    const QString no = invNo.trimmed();
    if (no.isEmpty() || no.compare(QLatin1String("Nil"), Qt::CaseInsensitive) == 0)
        return Refusal::at(QStringLiteral("txtInvNo"), QStringLiteral("Enter the Invoice Number ....."));
    return std::nullopt;
}

Row headColumns(const Head& h, double storedPack, double storedFinal, Money total, const QString& note) {
    const QDateTime at(h.invDate.date(), QTime(h.invDate.time().hour(), h.invDate.time().minute()));
    Row r;
    r.set(QStringLiteral("InvNo"), h.invNo.trimmed())
        .set(QStringLiteral("InvDate"), dateText(at))
        .set(QStringLiteral("InvDateT"), Db::ts(at))
        .set(QStringLiteral("PackForwd"), storedPack)
        .set(QStringLiteral("IsPackForwdPerc"), h.packPerc)
        .set(QStringLiteral("FinalDisc"), storedFinal)
        .set(QStringLiteral("IsFinalDiscPerc"), h.finalDiscPerc)
        .set(QStringLiteral("AnyOtherChrg"), h.otherCharges)
        .set(QStringLiteral("PayTerm"), Rows::optionalText(h.payTerm))
        .set(QStringLiteral("TotVal"), total.toDb())
        .set(QStringLiteral("InvRem"), Rows::optionalText(h.invRem))
        .set(QStringLiteral("Balance"), total.toDb())
        .set(note + QStringLiteral("Amt"), 0)
        .set(note + QStringLiteral("Rem"), QStringLiteral(" "));
    return r;
}

qint64 save(QSqlDatabase& db, const BillKind& k, const Head& h, const Row& columns, const QVector<Line>& lines,
            qint64 shownId, int invMode) {
    const QList<qint64> dcs = take(db, k, h.party, h.dcIds, shownId);
    if (dcs.isEmpty()) throw Refused(QStringLiteral("Select atleast a DC..... "), QStringLiteral("lstDcNo"));
    // Checked before the question; here it stops the same number saved meanwhile at another desk.
    enforce(duplicateNumber(db, k, h.invNo, h.invDate.date(), dcs, invMode));
    // Every DC of the bill carries the same values.
    write(db, k, dcs, columns, shownId == 0);
    QList<LineRate> rates;
    for (const Line& l : lines) rates.append({l.dcId, l.slNo, l.rate, l.discount, l.altQty});
    writeRates(db, k, dcs, rates);
    return dcs.last();
}

BillKind standard(const DcKind* dc, const QString& book, const QString& note) {
    BillKind b;
    b.dc = dc;
    b.book = book;
    b.duplicateNo = QStringLiteral(" A Record with Same Invoice No. already exists !!!");
    b.notFound = QStringLiteral(" NO Inv No. exists with this No.");
    b.moneyModify = QStringLiteral("Modification not allowed, since Some Cash Flow is made in this Regard!!!");
    b.moneyDelete = QStringLiteral("Deletion not allowed , since some Cash Flow has been made in this Regard!!!");
    const QVariant none(QMetaType::fromType<QString>());
    b.note = note;
    for (const char* c : {"InvNo", "InvDate", "InvDateT", "PayTerm", "InvRem"})
        b.cleared.set(QString::fromLatin1(c), none);
    b.cleared.set(note + QStringLiteral("Rem"), none);
    clearsToo(b, {"PackForwd", "FinalDisc", "AnyOtherChrg", "TotVal", "Balance"},
              {"IsPackForwdPerc", "IsFinalDiscPerc", "InvSign"});
    b.cleared.set(note + QStringLiteral("Amt"), 0);
    b.clearedLines.set(QStringLiteral("Rate"), 0).set(QStringLiteral("Discount"), 0);
    return b;
}

void clearsToo(BillKind& k, std::initializer_list<const char*> numbers, std::initializer_list<const char*> flags) {
    for (const char* c : numbers) k.cleared.set(QString::fromLatin1(c), 0);
    for (const char* c : flags) k.cleared.set(QString::fromLatin1(c), false);
}

}  // namespace kavra::chain::Bills
