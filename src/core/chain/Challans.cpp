#include "core/chain/Challans.h"

#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

#include "core/Books.h"
#include "core/FinancialYear.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Orders.h"

namespace kavra::chain::Challans {

namespace {

bool againstOrder(const DcKind& k, const QString& poNo) {
    return k.order && !poNo.trimmed().isEmpty();
}

std::optional<qint64> orderOf(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo) {
    if (!againstOrder(k, poNo)) return std::nullopt;
    return Orders::idOf(db, *k.order, party, poNo);
}

// The order gets back every line the stored DC took from it, and is open again. When the
// DC stays on the same order, sameDraw (the draw of the changed DC) takes it back in memory.
void giveBackOrder(QSqlDatabase& db, const DcKind& k, const Stored& s, Orders::Draw* sameDraw = nullptr) {
    if (sameDraw) {
        for (const Line& l : s.lines) sameDraw->giveBack(l.itemId, l.qty);
        return;
    }
    const auto poId = orderOf(db, k, s.party, s.poNo);
    if (!poId) return;
    Orders::Draw draw(db, *k.order, k.draws, *poId);
    for (const Line& l : s.lines) draw.giveBack(l.itemId, l.qty);
    draw.finish();
}

void giveBackStock(QSqlDatabase& db, const DcKind& k, const Stored& s) {
    if (!k.stock || !s.stockId) return;
    k.stock.undo(db, *s.stockId);
    Sql::exec(db, QStringLiteral("update %1 set %2=null where %3=?").arg(k.header, k.stock.column, k.key), {s.id});
}

double ownQuantity(const Stored& s, qint64 itemId) {
    double q = 0;
    for (const Line& l : s.lines)
        if (l.itemId == itemId) q += l.qty;
    return q;
}

// The answered kind's DCs a drawing DC may take from: the party's, of the order when one is
// given, the one named when one is. "d" is the answered header.
struct SourceFilter {
    QString where;
    QVariantList params;
};
SourceFilter sourceFilter(const DcKind& k, qint64 party, const QString& poNo, const QString& refDcNo) {
    const DcKind& f = *k.drawsOn.from;
    SourceFilter out{QStringLiteral("d.%1=?").arg(f.party), {party}};
    if (!poNo.trimmed().isEmpty()) {
        out.where += QStringLiteral(" and d.PONo=?");
        out.params << poNo.trimmed();
    }
    if (!refDcNo.trimmed().isEmpty()) {
        out.where += QStringLiteral(" and d.DcNo=?");
        out.params << refDcNo.trimmed();
    }
    return out;
}

// Sets the tally flag of these DCs of an opening kind from their lines: True while no line
// holds anything.
void retallyOpen(QSqlDatabase& db, const DcKind& f, const QList<qint64>& ids) {
    for (qsizetype at = 0; at < ids.size(); at += 500) {
        const QList<qint64> part = ids.mid(at, 500);
        const QString in = Rows::marks(part.size());
        const QString held = QStringLiteral("exists (select 1 from %1 s where s.%2=%3.%2 and s.%4>?)")
                                 .arg(f.lines, f.key, f.header, f.openBalance);
        for (const bool open : {true, false})
            Sql::exec(db,
                      QStringLiteral("update %1 set %2=? where %3 in (%4) and %5%6")
                          .arg(f.header, f.tally, f.key, in, open ? QString() : QStringLiteral("not "), held),
                      QVariantList{!open} + Rows::bound(part) + QVariantList{kQtyEps});
    }
}

// Moves the open balance of one item on several DCs of an opening kind by each pair's
// quantity (sign -1 takes, +1 gives back), in one statement per few hundred DCs.
void moveOpen(QSqlDatabase& db, const DcKind& f, qint64 itemId, const QList<QPair<qint64, double>>& pairs, int sign) {
    for (qsizetype at = 0; at < pairs.size(); at += 300) {
        const QList<QPair<qint64, double>> part = pairs.mid(at, 300);
        QString cases;
        QVariantList p;
        QList<qint64> ids;
        for (const auto& [dcId, qty] : part) {
            cases += QStringLiteral(" when ? then cast(? as double precision)");
            p << dcId << sign * qty;
            ids << dcId;
        }
        Sql::exec(db,
                  QStringLiteral("update %1 set %2=%2+(case %3%4 end) where ItemId=? and %3 in (%5)")
                      .arg(f.lines, f.openBalance, f.key, cases, Rows::marks(ids.size())),
                  p + QVariantList{itemId} + Rows::bound(ids));
    }
}

// Gives the answered DCs back every pair the stored DC took, and opens them again.
void giveBackSource(QSqlDatabase& db, const DcKind& k, const Stored& s) {
    if (!k.drawsOn) return;
    const DcKind& f = *k.drawsOn.from;
    QList<qint64> touched;
    QSet<qint64> seen;
    for (const Line& l : s.lines) {
        moveOpen(db, f, l.itemId, l.drawn, +1);
        for (const auto& pair : l.drawn)
            if (!seen.contains(pair.first)) {
                seen.insert(pair.first);
                touched << pair.first;
            }
    }
    retallyOpen(db, f, touched);
}

// Takes a drawing DC's lines from the answered DCs' open lines, oldest DC first; a line
// finding less than its quantity is refused, so no balance goes below 0.
class SourceDraw {
  public:
    SourceDraw(QSqlDatabase& db, const DcKind& k, const Dc& dc)
        : db_(db), k_(k), f_(*k.drawsOn.from), filter_(sourceFilter(k, dc.party, dc.poNo, dc.refDcNo)) {}

    QString take(qint64 itemId, double qty, int row) {
        struct Open {
            qint64 dcId;
            double bal;
            QString dcNo;
            QVariant day;  // read as a day only for the DCs drawn on
        };
        QList<Open> open;
        {
            QSqlQuery q = Sql::exec(db_,
                                    QStringLiteral("select s.%1, s.%2, d.DcNo, d.DcDateT from %3 s, %4 d where "
                                                   "d.%1=s.%1 and s.ItemId=? and s.%2>0 and %5 order by s.%1")
                                        .arg(f_.key, f_.openBalance, f_.lines, f_.header, filter_.where),
                                    QVariantList{itemId} + filter_.params);
            while (q.next())
                open.append(
                    {q.value(0).toLongLong(), q.value(1).toDouble(), q.value(2).toString().trimmed(), q.value(3)});
        }
        double total = 0;
        for (const Open& o : open) total += o.bal;
        // Checked before the question too; here it stops a DC saved meanwhile at another desk.
        if (qty > total + kQtyEps)
            throw Refused(Refusal::cell(row, 3, k_.limitText.arg(row).arg(Rows::qtyText(total))));
        QList<QPair<qint64, double>> pairs;
        double left = qty;
        for (const Open& o : open) {
            if (left <= kQtyEps) break;
            const double take = o.bal > left ? left : o.bal;
            pairs.append({o.dcId, take});
            left -= take;
            if (!seen_.contains(o.dcId)) {
                seen_.insert(o.dcId);
                touched_ << o.dcId;
                numbers_ << o.dcNo;
                days_ << Db::toDate(o.day);
            }
        }
        moveOpen(db_, f_, itemId, pairs, -1);
        return trackText(pairs);
    }

    // The DCs answered, named on the header, and their flags.
    void finish(qint64 dcId, const QString& chosen) {
        const DrawsOn& d = k_.drawsOn;
        Row ref;
        if (!chosen.trimmed().isEmpty()) {
            const auto day = sourceDate(db_, k_, filter_.params.value(0).toLongLong(), chosen);
            ref.set(d.refNo, chosen.trimmed())
                .set(d.refDate, day ? QVariant(Rows::dateText(*day)) : Rows::nullText())
                .set(d.refDateT, day ? Rows::dateValue(*day) : Rows::nullText());
        } else {
            QStringList distinct;
            QSet<QString> had;
            for (const QString& n : numbers_)
                if (!had.contains(n)) {
                    had.insert(n);
                    distinct << n;
                }
            const bool one = touched_.size() == 1;
            ref.set(d.refNo, Rows::optionalText(distinct.join(QLatin1Char(',')).left(d.refWidth)))
                .set(d.refDate, one ? QVariant(Rows::dateText(days_[0])) : Rows::nullText())
                .set(d.refDateT, one ? Rows::dateValue(days_[0]) : Rows::nullText());
        }
        Rows::update(db_, k_.header, ref, k_.key, dcId);
        retallyOpen(db_, f_, touched_);
    }

  private:
    QSqlDatabase& db_;
    const DcKind& k_;
    const DcKind& f_;
    SourceFilter filter_;
    QList<qint64> touched_;
    QSet<qint64> seen_;
    QStringList numbers_;
    QList<QDate> days_;
};

// What the answered DCs hold of these items for the DC being entered; a stored DC's own
// pairs on DCs it may take from count as held.
QHash<qint64, double> onHand(QSqlDatabase& db, const DcKind& k, const Context& c, const QList<qint64>& itemIds) {
    QHash<qint64, double> out;
    if (!k.drawsOn || c.party == 0 || itemIds.isEmpty()) return out;
    const DcKind& f = *k.drawsOn.from;
    const SourceFilter sf = sourceFilter(k, c.party, c.poNo, c.refDcNo);
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select s.ItemId, sum(s.%1) from %2 s, %3 d where d.%4=s.%4 and s.%1>0 and "
                                           "s.ItemId in (%5) and %6 group by s.ItemId")
                                .arg(f.openBalance, f.lines, f.header, f.key, Rows::marks(itemIds.size()), sf.where),
                            Rows::bound(itemIds) + sf.params);
    while (q.next()) out[q.value(0).toLongLong()] += q.value(1).toDouble();
    q = QSqlQuery();
    if (!c.stored) return out;
    QList<qint64> own;
    for (const Line& l : c.stored->lines)
        for (const auto& p : l.drawn)
            if (!own.contains(p.first)) own << p.first;
    if (own.isEmpty()) return out;
    const QList<qint64> mayTake = Sql::ids(db,
                                           QStringLiteral("select d.%1 from %2 d where d.%1 in (%3) and %4")
                                               .arg(f.key, f.header, Rows::marks(own.size()), sf.where),
                                           Rows::bound(own) + sf.params);
    for (const Line& l : c.stored->lines)
        for (const auto& [dcId, qty] : l.drawn)
            if (mayTake.contains(dcId) && itemIds.contains(l.itemId)) out[l.itemId] += qty;
    return out;
}

// A stored line of an opening DC that has been drawn on keeps its row and item and does not
// go below what was drawn.
Check drawnLineBlock(QSqlDatabase& db, const DcKind& k, const Stored& s, const QList<Line>& given,
                     const QList<qint64>& givenItems) {
    for (const Line& st : s.lines) {
        const double drawn = st.qty - st.openBalance;
        if (drawn <= kQtyEps) continue;
        const int row = st.slNo;
        if (row > given.size() || givenItems.value(row - 1) != st.itemId)
            return Refusal::cell(std::clamp(row, 1, std::max(1, int(given.size()))), 1, k.texts.drawnItem.arg(row));
        if (given[row - 1].qty < drawn - kQtyEps) {
            const ItemRef it = Lookups::itemsById(db, {st.itemId}).value(st.itemId);
            Refusal r = Refusal::cell(row, 3, k.texts.openDrawn.arg(Rows::qtyText(drawn), it.unit, it.name));
            r.resetCell = Rows::qtyText(drawn);
            return r;
        }
    }
    return std::nullopt;
}

bool anyDrawn(const Stored& s) {
    for (const Line& l : s.lines)
        if (std::abs(l.qty - l.openBalance) > kQtyEps) return true;
    return false;
}

QString word(bool deleting) {
    return deleting ? QStringLiteral("Deletion") : QStringLiteral("Modification");
}

Check firstBlock(QSqlDatabase& db, const DcKind& k, qint64 id, const QList<DcBlockText>& blocks, bool deleting) {
    if (blocks.isEmpty()) return std::nullopt;
    QSqlQuery h = Sql::exec(db,
                            QStringLiteral("select d.%6, p.%1 from %2 d left join %3 p on p.%4=d.%4 where d.%5=?")
                                .arg(k.partyName, k.header, k.partyTable, k.party, k.key, k.numberCol),
                            {id});
    if (!h.next()) return std::nullopt;
    const QString dcNo = h.value(0).toString().trimmed(), party = h.value(1).toString().trimmed();
    h = QSqlQuery();
    for (const DcBlockText& b : blocks) {
        if (deleting ? !b.onDelete : !b.onModify) continue;
        bool hit = false;
        switch (b.what) {
            case DcBlock::Invoiced: {
                const QString inv =
                    Sql::scalar(db, QStringLiteral("select InvNo from %1 where %2=?").arg(k.header, k.key), {id})
                        .toString()
                        .trimmed();
                hit = !inv.isEmpty() && inv.compare(QLatin1String("nil"), Qt::CaseInsensitive) != 0;
                break;
            }
            case DcBlock::Paid:
                hit = Sql::any(db,
                               QStringLiteral("select 1 from %1 where %2=? and coalesce(TotVal,0)<>coalesce(Balance,0)")
                                   .arg(k.header, k.key),
                               {id});
                break;
            case DcBlock::Rejected:
                hit = Sql::scalar(
                          db, QStringLiteral("select sum(RejQty+RewQty) from %1 where %2=?").arg(k.lines, k.key), {id})
                          .toDouble() > 0;
                break;
            case DcBlock::Drawn:
                hit = drawnOn(db, k, id);
                break;
            case DcBlock::StockDrawn: {
                if (!k.stock || !k.stock.drawnOn) break;
                const QVariant n = Sql::scalar(
                    db, QStringLiteral("select %1 from %2 where %3=?").arg(k.stock.column, k.header, k.key), {id});
                hit = !n.isNull() && n.toLongLong() != 0 && k.stock.drawnOn(db, n.toLongLong());
                break;
            }
        }
        if (hit) {
            QString t = b.text;
            return Refusal::message(t.replace(QLatin1String("%1"), word(deleting))
                                        .replace(QLatin1String("%2"), dcNo)
                                        .replace(QLatin1String("%3"), party));
        }
    }
    return std::nullopt;
}

}  // namespace

Row carriage(const QString& transport, const QString& vehicleNo, const QString& transFrom, const QString& transTo,
             const QString& remark) {
    Row r;
    r.set(QStringLiteral("Transport"), Rows::optionalText(transport))
        .set(QStringLiteral("VehicleNo"), Rows::optionalText(vehicleNo))
        .set(QStringLiteral("TransFrom"), Rows::optionalText(transFrom))
        .set(QStringLiteral("TransTo"), Rows::optionalText(transTo))
        .set(QStringLiteral("DcRem"), Rows::optionalText(remark));
    return r;
}

Row unrejected() {
    Row r;
    r.set(QStringLiteral("RejQty"), 0)
        .set(QStringLiteral("RewQty"), 0)
        .set(QStringLiteral("RejRowRem"), QStringLiteral(" "));
    return r;
}

QList<qint64> ids(QSqlDatabase& db, const DcKind& k) {
    return Sql::ids(db, QStringLiteral("select %1 from %2 order by %1").arg(k.key, k.header));
}

qint64 proposedId(QSqlDatabase& db, const DcKind& k) {
    return Sql::proposedId(db, k.header, k.key);
}

QList<Line> lines(QSqlDatabase& db, const DcKind& k, qint64 id) {
    const QString open = k.openBalance.isEmpty() ? QStringLiteral("0") : QStringLiteral("s.") + k.openBalance;
    const QString track = k.drawsOn ? QStringLiteral("s.") + k.drawsOn.track : QStringLiteral("null");
    QList<Line> out;
    const QString product = k.particulars ? QStringLiteral("p.ProdName") : QStringLiteral("null");
    const QString remark = k.particulars ? QStringLiteral("s.DcRowRem") : QStringLiteral("null");
    const QString products =
        k.particulars ? QStringLiteral(" left join ProductL p on p.ProdId=s.ProductId") : QString();
    const QString rate = k.lineRates ? QStringLiteral("s.Rate") : QStringLiteral("0");
    QSqlQuery l = Sql::exec(db,
                            QStringLiteral("select s.ItemId, i.ItemCode, %5, s.Qty, %7, %1, s.SlNo, %4, %8 from %2 s "
                                           "left join Item i on i.ItemId=s.ItemId%6 where s.%3=? order by s.SlNo")
                                .arg(open, k.lines, k.key, track, product, products, remark, rate),
                            {id});
    while (l.next()) {
        Line line;
        Sql::readRow(l, line.itemId, Sql::trimmed(line.itemCode), Sql::trimmed(line.particulars), line.qty,
                     Sql::trimmed(line.remark), line.openBalance, line.slNo);
        line.drawn = parseTrack(l.value(7).toString());
        line.rate = l.value(8).toDouble();
        out << line;
    }
    return out;
}

std::optional<Stored> stored(QSqlDatabase& db, const DcKind& k, qint64 id) {
    const QString stock = k.stock ? k.stock.column : QStringLiteral("null");
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select %1, %5, PONo, %2 from %3 where %4=?").arg(k.party, stock, k.header, k.key, k.numberCol),
        {id});
    if (!q.next()) return std::nullopt;
    Stored s;
    s.id = id;
    Sql::readRow(q, s.party, Sql::trimmed(s.dcNo), Sql::trimmed(s.poNo));
    if (!q.value(3).isNull() && q.value(3).toLongLong() != 0) s.stockId = q.value(3).toLongLong();
    q = QSqlQuery();
    s.lines = lines(db, k, id);
    return s;
}

Lookups::Found find(QSqlDatabase& db, const DcKind& k, const QString& dcNo, qint64 party) {
    if (k.numbers == DcNumbers::PerParty)
        return Lookups::byPartyNumber(db, k.header, k.key, k.numberCol, k.party, dcNo, party, k.find);
    const QVariant v = Sql::scalar(
        db, QStringLiteral("select %1 from %2 where %3=? order by %1 desc").arg(k.key, k.header, k.numberCol),
        {dcNo.trimmed()});
    if (v.isNull() || !v.isValid()) return {std::nullopt, k.find.notFound, k.find.notFoundIcon};
    return {v.toLongLong(), {}};
}

QStringList openOrders(QSqlDatabase& db, const DcKind& k, qint64 party) {
    if (!k.order) return {};
    return Orders::openOrders(db, *k.order, k.draws, party);
}

std::optional<QDate> orderDate(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo) {
    if (!k.order) return std::nullopt;
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select PODateT from %1 where PONo=? and %2=?").arg(k.order->header, k.order->party),
        {poNo.trimmed(), party});
    if (!q.next()) return std::nullopt;
    return Db::toDate(q.value(0));
}

std::optional<QStringList> openOrderItemCodes(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo) {
    if (!k.order) return std::nullopt;
    const auto po = Orders::openOrderId(db, *k.order, k.draws, party, poNo);
    if (!po) return std::nullopt;
    return Orders::itemCodes(db, *k.order, *po);
}

QList<ItemRef> pickItems(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo, const QString& refDcNo) {
    QList<ItemRef> out;
    const bool ordered = againstOrder(k, poNo);
    std::optional<SourceFilter> held;
    if (k.drawsOn) held = sourceFilter(k, party, poNo, refDcNo);
    QSqlQuery q = held ? Sql::exec(db,
                                   QStringLiteral("select ItemId, CategoryCode, ItemCode, ItemName, MeasureUnit from "
                                                  "Item where ItemId in (select s.ItemId from %1 s, %2 d where "
                                                  "d.%3=s.%3 and s.%4>0 and %5) order by ItemCode")
                                       .arg(k.drawsOn.from->lines, k.drawsOn.from->header, k.drawsOn.from->key,
                                            k.drawsOn.from->openBalance, held->where),
                                   held->params)
                  : !ordered
                      ? Sql::exec(db, QStringLiteral("select ItemId, CategoryCode, ItemCode, ItemName, MeasureUnit "
                                                     "from Item order by ItemCode"))
                      : Sql::exec(db,
                                  QStringLiteral("select ItemId, CategoryCode, ItemCode, ItemName, MeasureUnit from "
                                                 "Item where ItemId in (select ItemId from %1 where POId=(select "
                                                 "POId from %2 where %3=? and PONo=?)) order by ItemCode")
                                      .arg(k.order->lines, k.order->header, k.order->party),
                                  {party, poNo.trimmed()});
    while (q.next()) {
        ItemRef r;
        Sql::readRow(q, r.id, r.category, Sql::trimmed(r.code), Sql::trimmed(r.name), Sql::trimmed(r.unit));
        out << r;
    }
    return out;
}

bool linkedToStock(QSqlDatabase& db, const DcKind& k) {
    if (!k.stock) return false;
    return Sql::any(db, QStringLiteral("select 1 from Misc where %1=?").arg(k.stock.setting), {true});
}

QHash<qint64, Figures> figures(QSqlDatabase& db, const DcKind& k, const Context& c, const QList<qint64>& itemIds) {
    QHash<qint64, Figures> out;
    if (itemIds.isEmpty()) return out;
    const QHash<qint64, double> stock =
        k.stock && k.stock.stockOf ? k.stock.stockOf(db, itemIds) : QHash<qint64, double>();
    const auto poId = orderOf(db, k, c.party, c.poNo);
    const QHash<qint64, double> left =
        poId ? Orders::balancesOf(db, *k.order, k.draws, *poId) : QHash<qint64, double>();
    const bool ownOrder = c.stored && c.stored->party == c.party && c.stored->poNo == c.poNo.trimmed();
    const QHash<qint64, double> held = onHand(db, k, c, itemIds);
    for (qint64 item : itemIds) {
        Figures f;
        f.onHand = held.value(item);
        f.stock = stock.value(item);
        if (c.stored && c.stored->stockId) f.stock += ownQuantity(*c.stored, item);
        if (poId) {
            f.poBalance = left.value(item);
            if (ownOrder) f.poBalance += ownQuantity(*c.stored, item);
        }
        out.insert(item, f);
    }
    return out;
}

Check validate(QSqlDatabase& db, const DcKind& k, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    const DcTexts& t = k.texts;
    if (dc.party == 0) return Refusal::at(QStringLiteral("cmbCust"), t.selectParty);
    if (dc.dcNo.trimmed().isEmpty()) return Refusal::at(QStringLiteral("txtDCNo"), t.enterDcNo);
    if (adding && dc.poNo.trimmed().isEmpty() && !openOrders(db, k, dc.party).isEmpty())
        return Refusal::at(QStringLiteral("cmbPONo"), t.selectPo, t.selectPoIcon);

    QStringList codes;
    for (const Line& l : dc.lines) codes << l.itemCode;
    const QString dup = Lookups::duplicateItems(codes);
    if (!dup.isEmpty()) return Refusal::cell(1, 1, dup);
    if (dc.lines.isEmpty()) return Refusal::cell(1, 1, t.emptyGrid);
    const QHash<QString, ItemRef> items = Lookups::itemsByCode(db, codes);
    QList<qint64> itemIds;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const Line& l = dc.lines[i];
        const int row = i + 1;
        if (l.itemCode.trimmed().isEmpty()) return Refusal::cell(row, 1, t.enterCode + QString::number(row));
        if (!items.contains(l.itemCode))
            return Refusal::cell(row, 1,
                                 t.codeMissing.contains(QLatin1String("%1")) ? t.codeMissing.arg(row) : t.codeMissing);
        itemIds << items.value(l.itemCode).id;
        if (l.particulars.trimmed().isEmpty()) return Refusal::cell(row, 2, t.enterParticulars + QString::number(row));
        if (!(l.qty > 0) && !k.drawsOn) return Refusal::cell(row, 3, t.validQty);
    }

    const Context ctx{dc.party, dc.poNo.trimmed(), adding ? std::nullopt : stored(db, k, dc.id), dc.refDcNo.trimmed()};
    if (!k.openBalance.isEmpty() && ctx.stored)
        if (auto r = drawnLineBlock(db, k, *ctx.stored, dc.lines, itemIds)) return r;
    // The limits as the grid shows them: what the answered DCs hold, the order's balance,
    // then (when it is reduced) the stock.
    const QHash<qint64, Figures> f = figures(db, k, ctx, itemIds);
    if (k.drawsOn)
        for (int i = 0; i < dc.lines.size(); ++i) {
            const double held = f.value(itemIds[i]).onHand;
            if (!(dc.lines[i].qty > 0) || dc.lines[i].qty > held + kQtyEps)
                return Refusal::cell(i + 1, 3, k.drawsOn.onHandLimit.arg(Rows::qtyText(held)));
        }
    auto limit = [&](double Figures::*of) -> Check {
        for (int i = 0; i < dc.lines.size(); ++i) {
            const double cap = f.value(itemIds[i]).*of;
            if (dc.lines[i].qty > cap + kQtyEps)
                return Refusal::cell(i + 1, 3, k.limitText.arg(i + 1).arg(Rows::qtyText(cap)));
        }
        return std::nullopt;
    };
    if (againstOrder(k, dc.poNo))
        if (auto r = limit(&Figures::poBalance)) return r;
    if (reduceStock && k.stock.isIssue)
        if (auto r = limit(&Figures::stock)) return r;
    return duplicateNumber(db, k, dc, adding ? 0 : dc.id, dcMode);
}

Check duplicateNumber(QSqlDatabase& db, const DcKind& k, const Dc& dc, qint64 exceptId, int dcMode) {
    const QString no = dc.dcNo.trimmed();
    if (k.numbers == DcNumbers::PerParty) {
        const QString sameDate = k.numberWithDate ? QStringLiteral(" and %1=?").arg(k.dateCol) : QString();
        QVariantList params{no, dc.party, exceptId};
        if (k.numberWithDate) params << Rows::dateText(dc.dcDate);
        if (Sql::any(db,
                     QStringLiteral("select 1 from %1 where %4=? and %2=? and %3<>?%5")
                         .arg(k.header, k.party, k.key, k.numberCol, sameDate),
                     params))
            return Refusal::at(k.duplicateField, k.duplicateNo);
        return std::nullopt;
    }
    const int year = FinancialYear::of(dc.dcDate);
    const QString inYear = FinancialYear::condition(k.dateTCol);
    QVariantList own{no};
    own += FinancialYear::params(year);
    if (Sql::any(
            db,
            QStringLiteral("select 1 from %1 where %4=? and %2 and %3<>?").arg(k.header, inYear, k.key, k.numberCol),
            own + QVariantList{exceptId}))
        return Refusal::at(k.duplicateField, k.duplicateNo);
    // Other kinds' DCs count only while they share this kind's series.
    for (const Books::Book* b : Books::sharing(Books::Series::Dc, k.book, dcMode)) {
        if (b->table.compare(k.header, Qt::CaseInsensitive) == 0 || !k.alreadyMade.contains(b->key)) continue;
        if (Sql::any(db, QStringLiteral("select 1 from %1 where DcNo=? and %2").arg(b->table, inYear), own))
            return Refusal::at(k.duplicateField, k.alreadyMade.value(b->key), MsgIcon::Information);
    }
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const DcKind& k, Dc dc, bool adding, bool reduceStock, int dcMode, const Hooks& hooks) {
    if (adding && Sql::any(db, QStringLiteral("select 1 from %1 where %2=?").arg(k.header, k.key), {dc.id}))
        dc.id = Sql::nextId(db, k.header, k.key);
    // Checked before the question; here it stops the same number saved meanwhile at another desk.
    enforce(duplicateNumber(db, k, dc, adding ? 0 : dc.id, dcMode));
    // The order is looked up and its lines read once: a changed DC on the same order gives
    // back and takes again on one draw.
    const bool ordered = againstOrder(k, dc.poNo);
    std::optional<Orders::Draw> draw;
    if (ordered)
        if (const auto poId = Orders::idOf(db, *k.order, dc.party, dc.poNo)) draw.emplace(db, *k.order, k.draws, *poId);
    std::optional<Stored> was;
    if (!adding) {
        // Checked again inside the transaction: a bill, a payment or a draw made meanwhile wins.
        enforce(changeBlock(db, k, dc.id, false));
        if (hooks.changeBlock) enforce(hooks.changeBlock(db, dc.id, false));
        was = stored(db, k, dc.id);
        if (!was) throw Refused(Refusal::message(k.find.notFound));
        const bool sameOrder = draw && was->party == dc.party && was->poNo == dc.poNo.trimmed();
        giveBackOrder(db, k, *was, sameOrder ? &*draw : nullptr);
        giveBackSource(db, k, *was);
    }
    Row header;
    header.set(k.party, dc.party)
        .set(k.numberCol, dc.dcNo.trimmed())
        .set(k.dateCol, Rows::dateText(dc.dcDate))
        .set(k.dateTCol, Rows::dateValue(dc.dcDate))
        .set(QStringLiteral("PONo"), Rows::optionalText(dc.poNo))
        .set(QStringLiteral("PODate"), ordered ? QVariant(Rows::dateText(dc.poDate)) : Rows::nullText())
        .set(QStringLiteral("PODateT"), ordered ? Rows::dateValue(dc.poDate) : Rows::nullText())
        .set(QStringLiteral("NoOfItems"), int(dc.lines.size()));
    header << dc.more;
    if (adding)
        Rows::insert(db, k.header, Row(header).set(k.key, dc.id));
    else
        Rows::update(db, k.header, header, k.key, dc.id);
    // An opening DC others have drawn on keeps its lines: each moves by the change of its quantity.
    const bool inPlace = was && !k.openBalance.isEmpty() && anyDrawn(*was);
    if (was) {
        giveBackStock(db, k, *was);
        if (!inPlace) Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.lines, k.key), {dc.id});
    }

    QStringList codes;
    for (const Line& l : dc.lines) codes << l.itemCode;
    const QHash<QString, ItemRef> items = Lookups::itemsByCode(db, codes);
    QList<QPair<QString, qint64>> texts;
    QList<qint64> itemIds;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const auto it = items.constFind(dc.lines[i].itemCode);
        if (it == items.cend()) throw Refused(Refusal::cell(i + 1, 1, k.texts.codeMissing));
        dc.lines[i].itemId = it->id;
        itemIds << it->id;
        if (k.particulars) texts.append({dc.lines[i].particulars, it->id});
    }
    QHash<int, Line> storedLines;
    if (inPlace) {
        enforce(drawnLineBlock(db, k, *was, dc.lines, itemIds));
        for (const Line& l : was->lines) storedLines.insert(l.slNo, l);
    }
    const QHash<QString, qint64> products =
        k.particulars ? Lookups::particularsIds(db, texts) : QHash<QString, qint64>{};
    std::optional<SourceDraw> source;
    if (k.drawsOn) source.emplace(db, k, dc);
    bool allNv = !dc.lines.isEmpty();
    StockMove move{dc.dcDate, {}, {}, k.texts.stockShort};
    QList<Row> added;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const Line& l = dc.lines[i];
        const bool nv = l.remark.trimmed().toUpper() == QLatin1String("NV");
        allNv = allNv && nv;
        Row line;
        line.set(QStringLiteral("ItemId"), l.itemId).set(QStringLiteral("Qty"), l.qty);
        if (k.particulars)
            line.set(QStringLiteral("ProductId"), products.value(l.particulars.trimmed()))
                .set(QStringLiteral("DcRowRem"),
                     nv && !k.noInvoice.isEmpty() ? QStringLiteral("NV") : Rows::optionalText(l.remark));
        const auto st = storedLines.constFind(i + 1);
        if (!k.openBalance.isEmpty())
            line.set(k.openBalance, st == storedLines.cend() ? l.qty : l.qty - (st->qty - st->openBalance));
        if (source) line.set(k.drawsOn.track, source->take(l.itemId, l.qty, i + 1));
        line << l.extra;
        if (st != storedLines.cend()) {
            Rows::updateWhere(db, k.lines, line, QStringLiteral("%1=? and SlNo=?").arg(k.key), {dc.id, i + 1});
        } else {
            added << (Row().set(k.key, dc.id).set(QStringLiteral("SlNo"), i + 1) << line);
        }
        if (draw) draw->take(l.itemId, l.qty, i + 1, k.limitText);
        move.lines.append({l.itemId, items.value(l.itemCode).category, l.stockQty.value_or(l.qty), l.stockRate});
    }
    // The new lines in a few statements, not one each.
    Rows::insertAll(db, k.lines, added);
    // Stored lines beyond the grid: drawnLineBlock kept those drawn on.
    if (inPlace)
        Sql::exec(db, QStringLiteral("delete from %1 where %2=? and SlNo>?").arg(k.lines, k.key),
                  {dc.id, int(dc.lines.size())});
    if (draw) draw->finish();
    if (source) source->finish(dc.id, dc.refDcNo);
    if (!k.tally.isEmpty()) retallyOpen(db, k, {dc.id});
    if (!k.noInvoice.isEmpty())
        Sql::exec(db, QStringLiteral("update %1 set %2=? where %3=?").arg(k.header, k.noInvoice, k.key),
                  {allNv ? QVariant(QStringLiteral("Nil")) : Rows::nullText(), dc.id});
    if (hooks.afterLines) hooks.afterLines(db, dc);
    if (reduceStock && k.stock) {
        move.party =
            Sql::scalar(db, QStringLiteral("select %1 from %2 where %3=?").arg(k.partyName, k.partyTable, k.party),
                        {dc.party})
                .toString();
        const qint64 stockId = k.stock.raise(db, move);
        Sql::exec(db, QStringLiteral("update %1 set %2=? where %3=?").arg(k.header, k.stock.column, k.key),
                  {stockId, dc.id});
    }
    return dc.id;
}

void remove(QSqlDatabase& db, const DcKind& k, qint64 id, const Hooks& hooks) {
    enforce(changeBlock(db, k, id, true));
    if (hooks.changeBlock) enforce(hooks.changeBlock(db, id, true));
    const auto was = stored(db, k, id);
    // Deleted meanwhile at another desk: nothing is given back twice.
    if (!was) throw Refused(Refusal::message(k.find.notFound));
    giveBackOrder(db, k, *was);
    giveBackSource(db, k, *was);
    giveBackStock(db, k, *was);
    Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.lines, k.key), {id});
    Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.header, k.key), {id});
}

Check changeBlock(QSqlDatabase& db, const DcKind& k, qint64 id, bool deleting) {
    return firstBlock(db, k, id, k.blocks, deleting);
}

Check clickBlock(QSqlDatabase& db, const DcKind& k, qint64 id) {
    return firstBlock(db, k, id, k.clickBlocks, false);
}

// ---- Kinds that draw

QList<qint64> partiesWithOpen(QSqlDatabase& db, const DcKind& k) {
    if (!k.drawsOn) return {};
    const DcKind& f = *k.drawsOn.from;
    return Sql::ids(db, QStringLiteral("select distinct d.%1 from %2 d, %3 s where s.%4=d.%4 and s.%5>0 order by d.%1")
                            .arg(f.party, f.header, f.lines, f.key, f.openBalance));
}

QStringList openSources(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo) {
    if (!k.drawsOn) return {};
    const DcKind& f = *k.drawsOn.from;
    const SourceFilter sf = sourceFilter(k, party, poNo, {});
    return Sql::texts(db,
                      QStringLiteral("select d.DcNo from %1 d where d.%2=? and %3 order by d.%4")
                          .arg(f.header, f.tally, sf.where, f.key),
                      QVariantList{false} + sf.params);
}

std::optional<QDate> sourceDate(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& dcNo) {
    if (!k.drawsOn) return std::nullopt;
    const DcKind& f = *k.drawsOn.from;
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select DcDateT from %1 where %2=? and DcNo=? order by %3").arg(f.header, f.party, f.key),
        {party, dcNo.trimmed()});
    if (!q.next()) return std::nullopt;
    return Db::toDate(q.value(0));
}

QList<QPair<qint64, double>> parseTrack(const QString& track) {
    QList<QPair<qint64, double>> out;
    const QStringList parts = track.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out.append({parts[i].trimmed().toLongLong(), parts[i + 1].trimmed().toDouble()});
    return out;
}

QString trackText(const QList<QPair<qint64, double>>& pairs) {
    QStringList parts;
    for (const auto& [id, qty] : pairs) {
        // As short as reads back to the very quantity taken, so giving it back is exact.
        QString q = QString::number(qty, 'g', 15);
        if (q.toDouble() != qty) q = QString::number(qty, 'g', 17);
        parts << QString::number(id) << q;
    }
    return parts.join(QLatin1Char(','));
}

bool drawnOn(QSqlDatabase& db, const DcKind& k, qint64 id) {
    if (k.openBalance.isEmpty()) return false;
    return Sql::any(db, QStringLiteral("select 1 from %1 where %2=? and %3<>Qty").arg(k.lines, k.key, k.openBalance),
                    {id});
}

}  // namespace kavra::chain::Challans
