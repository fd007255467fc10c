#include "core/chain/Challans.h"

#include <QSqlQuery>

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

// The order gets back every line the stored DC took from it, and is open again.
void giveBackOrder(QSqlDatabase& db, const DcKind& k, const Stored& s) {
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

}  // namespace

QList<qint64> ids(QSqlDatabase& db, const DcKind& k) {
    return Sql::ids(db, QStringLiteral("select %1 from %2 order by %1").arg(k.key, k.header));
}

qint64 proposedId(QSqlDatabase& db, const DcKind& k) {
    return Sql::proposedId(db, k.header, k.key);
}

QList<Line> lines(QSqlDatabase& db, const DcKind& k, qint64 id) {
    const QString open = k.openBalance.isEmpty() ? QStringLiteral("0") : QStringLiteral("s.") + k.openBalance;
    QList<Line> out;
    QSqlQuery l = Sql::exec(db,
                            QStringLiteral("select s.ItemId, i.ItemCode, p.ProdName, s.Qty, s.DcRowRem, %1 from %2 s "
                                           "left join Item i on i.ItemId=s.ItemId left join ProductL p on "
                                           "p.ProdId=s.ProductId where s.%3=? order by s.SlNo")
                                .arg(open, k.lines, k.key),
                            {id});
    while (l.next()) {
        Line line;
        Sql::readRow(l, line.itemId, Sql::trimmed(line.itemCode), Sql::trimmed(line.particulars), line.qty,
                     Sql::trimmed(line.remark), line.openBalance);
        out << line;
    }
    return out;
}

std::optional<Stored> stored(QSqlDatabase& db, const DcKind& k, qint64 id) {
    const QString stock = k.stock ? k.stock.column : QStringLiteral("null");
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select %1, DcNo, PONo, %2 from %3 where %4=?").arg(k.party, stock, k.header, k.key), {id});
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
        return Lookups::byPartyNumber(db, k.header, k.key, QStringLiteral("DcNo"), k.party, dcNo, party, k.find);
    const QVariant v = Sql::scalar(
        db, QStringLiteral("select %1 from %2 where DcNo=? order by %1 desc").arg(k.key, k.header), {dcNo.trimmed()});
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

QList<ItemRef> pickItems(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo) {
    QList<ItemRef> out;
    const bool ordered = againstOrder(k, poNo);
    QSqlQuery q = !ordered
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
    for (qint64 item : itemIds) {
        Figures f;
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
        if (!items.contains(l.itemCode)) return Refusal::cell(row, 1, t.codeMissing);
        itemIds << items.value(l.itemCode).id;
        if (l.particulars.trimmed().isEmpty()) return Refusal::cell(row, 2, t.enterParticulars + QString::number(row));
        if (!(l.qty > 0)) return Refusal::cell(row, 3, t.validQty);
    }

    // The limits as the grid shows them: the order's balance, then (when it is reduced) the stock.
    const Context ctx{dc.party, dc.poNo.trimmed(), adding ? std::nullopt : stored(db, k, dc.id)};
    const QHash<qint64, Figures> f = figures(db, k, ctx, itemIds);
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
        if (Sql::any(db,
                     QStringLiteral("select 1 from %1 where DcNo=? and %2=? and %3<>?").arg(k.header, k.party, k.key),
                     {no, dc.party, exceptId}))
            return Refusal::at(k.duplicateField, k.duplicateNo);
        return std::nullopt;
    }
    const int year = FinancialYear::of(dc.dcDate);
    const QString inYear = FinancialYear::condition(QStringLiteral("DcDateT"));
    QVariantList own{no};
    own += FinancialYear::params(year);
    if (Sql::any(db, QStringLiteral("select 1 from %1 where DcNo=? and %2 and %3<>?").arg(k.header, inYear, k.key),
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
    std::optional<Stored> was;
    if (!adding) {
        // Checked again inside the transaction: a bill or a payment made meanwhile wins.
        if (hooks.changeBlock) enforce(hooks.changeBlock(db, dc.id, false));
        was = stored(db, k, dc.id);
        if (!was) throw Refused(Refusal::message(k.find.notFound));
        giveBackOrder(db, k, *was);
    }
    const bool ordered = againstOrder(k, dc.poNo);
    Row header;
    header.set(k.party, dc.party)
        .set(QStringLiteral("DcNo"), dc.dcNo.trimmed())
        .set(QStringLiteral("DcDate"), Rows::dateText(dc.dcDate))
        .set(QStringLiteral("DcDateT"), Rows::dateValue(dc.dcDate))
        .set(QStringLiteral("PONo"), Rows::optionalText(dc.poNo))
        .set(QStringLiteral("PODate"), ordered ? QVariant(Rows::dateText(dc.poDate)) : Rows::nullText())
        .set(QStringLiteral("PODateT"), ordered ? Rows::dateValue(dc.poDate) : Rows::nullText())
        .set(QStringLiteral("NoOfItems"), int(dc.lines.size()));
    header << dc.more;
    if (adding)
        Rows::insert(db, k.header, Row(header).set(k.key, dc.id));
    else
        Rows::update(db, k.header, header, k.key, dc.id);
    if (was) {
        giveBackStock(db, k, *was);
        Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.lines, k.key), {dc.id});
    }

    QStringList codes;
    for (const Line& l : dc.lines) codes << l.itemCode;
    const QHash<QString, ItemRef> items = Lookups::itemsByCode(db, codes);
    QList<QPair<QString, qint64>> texts;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const auto it = items.constFind(dc.lines[i].itemCode);
        if (it == items.cend()) throw Refused(Refusal::cell(i + 1, 1, k.texts.codeMissing));
        dc.lines[i].itemId = it->id;
        texts.append({dc.lines[i].particulars, it->id});
    }
    const QHash<QString, qint64> products = Lookups::particularsIds(db, texts);
    std::optional<Orders::Draw> draw;
    if (ordered) {
        const auto poId = Orders::idOf(db, *k.order, dc.party, dc.poNo);
        if (poId) draw.emplace(db, *k.order, k.draws, *poId);
    }
    StockMove move{dc.dcDate, {}, {}, k.texts.stockShort};
    for (int i = 0; i < dc.lines.size(); ++i) {
        const Line& l = dc.lines[i];
        Row line;
        line.set(k.key, dc.id)
            .set(QStringLiteral("SlNo"), i + 1)
            .set(QStringLiteral("ItemId"), l.itemId)
            .set(QStringLiteral("ProductId"), products.value(l.particulars.trimmed()))
            .set(QStringLiteral("Qty"), l.qty)
            .set(QStringLiteral("DcRowRem"), Rows::optionalText(l.remark));
        if (!k.openBalance.isEmpty()) line.set(k.openBalance, l.qty);
        line << l.extra;
        Rows::insert(db, k.lines, line);
        if (draw) draw->take(l.itemId, l.qty, i + 1, k.limitText);
        move.lines.append({l.itemId, items.value(l.itemCode).category, l.qty});
    }
    if (draw) draw->finish();
    if (!k.tally.isEmpty())
        Sql::exec(db, QStringLiteral("update %1 set %2=? where %3=?").arg(k.header, k.tally, k.key), {false, dc.id});
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
    if (hooks.changeBlock) enforce(hooks.changeBlock(db, id, true));
    const auto was = stored(db, k, id);
    // Deleted meanwhile at another desk: nothing is given back twice.
    if (!was) throw Refused(Refusal::message(k.find.notFound));
    giveBackOrder(db, k, *was);
    giveBackStock(db, k, *was);
    Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.lines, k.key), {id});
    Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.header, k.key), {id});
}

}  // namespace kavra::chain::Challans
