#include "core/chain/Orders.h"

#include <QHash>
#include <QSqlQuery>
#include <cmath>

#include "core/ClsProd.h"
#include "core/FinancialYear.h"
#include "core/Money.h"
#include "core/Sql.h"
#include "core/Text.h"

namespace kavra::chain::Orders {

namespace {

QString key() {
    return QStringLiteral("POId");
}

// The stored lines with their item's name, keyed by SlNo.
struct Stored {
    double qty = 0;
    QList<double> balances;
    QString uom, itemName;
};

QHash<int, Stored> storedLines(QSqlDatabase& db, const OrderKind& k, qint64 id) {
    QStringList cols;
    for (const Balance& b : k.balances) cols << QStringLiteral("s.") + b.column;
    QHash<int, Stored> out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select s.SlNo, s.Qty, s.UOM, i.ItemName, %1 from %2 s left join Item i on "
                                           "i.ItemId=s.ItemId where s.POId=?")
                                .arg(cols.join(QLatin1Char(',')), k.lines),
                            {id});
    while (q.next()) {
        Stored s;
        s.qty = q.value(1).toDouble();
        s.uom = q.value(2).toString().trimmed();
        s.itemName = q.value(3).toString().trimmed();
        for (int i = 0; i < k.balances.size(); ++i) s.balances << q.value(4 + i).toDouble();
        out.insert(q.value(0).toInt(), s);
    }
    return out;
}

// A message that may name the row.
QString withRow(const QString& text, const QString& row) {
    return text.contains(QLatin1String("%1")) ? text.arg(row) : text;
}

QString drawnText(const Balance& b, double drawn, const QString& unit, const QString& itemName) {
    return b.drawnMessage.arg(Rows::qtyText(drawn), unit, itemName);
}

// The first balance a stored line has been drawn on beyond qty, if any.
std::optional<QPair<int, double>> drawnBeyond(const OrderKind& k, const Stored& s, double qty) {
    for (int i = 0; i < k.balances.size(); ++i) {
        const double drawn = s.qty - s.balances.value(i);
        if (qty < drawn - kQtyEps) return QPair<int, double>{i, drawn};
    }
    return std::nullopt;
}

// The documents that quote an order: its party and number, and for numbers that restart
// every year the order date's financial year, so another year's order of that number is not meant.
struct Quoting {
    QString condition;
    QVariantList params;
};
Quoting quoting(const OrderKind& k, qint64 party, const QString& poNo, const QDate& poDate) {
    Quoting w{QStringLiteral("PONo=? and %1=?").arg(k.party), {poNo.trimmed(), party}};
    if (k.numbers == OrderNumbers::PerYear) {
        w.condition += QStringLiteral(" and ") + FinancialYear::condition(QStringLiteral("PODateT"));
        w.params += FinancialYear::params(FinancialYear::of(poDate));
    }
    return w;
}

Row lineRow(const OrderKind& k, qint64 poId, int slNo, qint64 itemId, const Line& l) {
    Row r;
    r.set(key(), poId)
        .set(QStringLiteral("SlNo"), slNo)
        .set(QStringLiteral("ItemId"), itemId)
        .set(QStringLiteral("UOM"), l.uom.trimmed().left(k.uomWidth))
        .set(QStringLiteral("Qty"), l.qty)
        .set(QStringLiteral("Rate"), l.rate)
        .set(QStringLiteral("Discount"), l.discount);
    for (const Balance& b : k.balances) r.set(b.column, l.qty);
    r << l.extra;
    return r;
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db, const OrderKind& k) {
    return Sql::ids(db, QStringLiteral("select POId from %1 order by POId").arg(k.header));
}

qint64 proposedId(QSqlDatabase& db, const OrderKind& k) {
    return Sql::proposedId(db, k.header, key());
}

QString proposedNumber(QSqlDatabase& db, const OrderKind& k, const QDate& day) {
    const QVariantList params = FinancialYear::params(FinancialYear::of(day));
    const QString cond = FinancialYear::condition(QStringLiteral("PODateT"));
    const QVariant last = Sql::scalar(
        db, QStringLiteral("select PONo from %1 where POId=(select max(POId) from %1 where %2)").arg(k.header, cond),
        params);
    return QString::number(qint64(std::floor(text::typed(last.toString()))) + 1);
}

QList<Line> lines(QSqlDatabase& db, const OrderKind& k, qint64 id) {
    QStringList cols;
    for (const Balance& b : k.balances) cols << QStringLiteral("s.") + b.column;
    QList<Line> out;
    QSqlQuery l = Sql::exec(db,
                            QStringLiteral("select s.SlNo, s.ItemId, i.ItemCode, i.ItemName, s.UOM, s.Qty, s.Rate, "
                                           "s.Discount, %1 from %2 s left join Item i on i.ItemId=s.ItemId where "
                                           "s.POId=? order by s.SlNo")
                                .arg(cols.join(QLatin1Char(',')), k.lines),
                            {id});
    while (l.next()) {
        Line line;
        Sql::readRow(l, line.slNo, line.itemId, Sql::trimmed(line.itemCode), Sql::trimmed(line.itemName),
                     Sql::trimmed(line.uom), line.qty, line.rate, line.discount);
        for (int i = 0; i < k.balances.size(); ++i) line.balances << l.value(8 + i).toDouble();
        out << line;
    }
    return out;
}

std::optional<Header> header(QSqlDatabase& db, const OrderKind& k, qint64 id) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select %1, PONo, PODateT from %2 where POId=?").arg(k.party, k.header), {id});
    if (!q.next()) return std::nullopt;
    Header h;
    h.id = id;
    Sql::readRow(q, h.party, Sql::trimmed(h.poNo), h.poDate);
    return h;
}

QList<QPair<qint64, QString>> ordersOf(QSqlDatabase& db, const OrderKind& k, qint64 party) {
    QList<QPair<qint64, QString>> out;
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select POId, PONo from %1 where %2=? order by POId").arg(k.header, k.party), {party});
    while (q.next()) out.append({q.value(0).toLongLong(), q.value(1).toString().trimmed()});
    return out;
}

bool partlyProcessed(QSqlDatabase& db, const OrderKind& k, qint64 id) {
    QStringList drawn;
    for (const Balance& b : k.balances) drawn << b.column + QStringLiteral("<>Qty");
    return Sql::any(
        db, QStringLiteral("select 1 from %1 where POId=? and (%2)").arg(k.lines, drawn.join(QStringLiteral(" or "))),
        {id});
}

std::optional<qint64> idOf(QSqlDatabase& db, const OrderKind& k, qint64 party, const QString& poNo) {
    if (poNo.trimmed().isEmpty()) return std::nullopt;
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select POId from %1 where PONo=? and %2=?").arg(k.header, k.party),
                    {poNo.trimmed(), party});
    if (v.isNull() || !v.isValid()) return std::nullopt;
    return v.toLongLong();
}

Check validateLines(QSqlDatabase& db, const OrderKind& k, qint64 id, bool adding, const QList<Line>& given) {
    const bool partly = !adding && partlyProcessed(db, k, id);
    QStringList codes;
    for (const Line& l : given) codes << l.itemCode;
    const QString dup = Lookups::duplicateItems(codes);
    if (!dup.isEmpty()) return Refusal::cell(1, partly ? 4 : 1, dup);
    const OrderTexts& t = k.lineTexts;
    if (given.isEmpty()) return Refusal::cell(1, 1, t.emptyGrid);

    const QHash<QString, ItemRef> items = Lookups::itemsByCode(db, codes);
    const QHash<int, Stored> stored = adding ? QHash<int, Stored>() : storedLines(db, k, id);
    for (int i = 0; i < given.size(); ++i) {
        const Line& l = given[i];
        const int row = i + 1;
        const QString sl = QString::number(row);
        for (LineCheck c : t.order) {
            switch (c) {
                case LineCheck::Code:
                    if (l.itemCode.trimmed().isEmpty()) return Refusal::cell(row, 1, t.enterCode + sl);
                    if (!items.contains(l.itemCode)) return Refusal::cell(row, 1, t.codeMissing);
                    break;
                case LineCheck::Name:
                    if (l.itemName.trimmed().isEmpty()) return Refusal::cell(row, 2, t.enterName + sl);
                    break;
                case LineCheck::Uom:
                    if (l.uom.trimmed().isEmpty()) return Refusal::cell(row, 3, withRow(t.enterUom, sl));
                    break;
                case LineCheck::Qty:
                    if (!(l.qty > 0)) return Refusal::cell(row, 4, withRow(t.validQty, sl));
                    break;
                case LineCheck::Drawn:
                    if (stored.contains(row))
                        if (const auto d = drawnBeyond(k, stored[row], l.qty)) {
                            const Stored& s = stored[row];
                            Refusal r =
                                Refusal::cell(row, 4, drawnText(k.balances[d->first], d->second, s.uom, s.itemName));
                            r.resetCell = Rows::qtyText(d->second);
                            return r;
                        }
                    break;
                case LineCheck::Rate:
                    if (!(l.rate > 0)) return Refusal::cell(row, 5, withRow(t.validRate, sl));
                    break;
            }
        }
        if (l.discount < 0 || l.discount > 100)
            return Refusal::cell(row, 6,
                                 QStringLiteral("The discount of the SlNo. %1 must be from 0 to 100 %.").arg(sl));
        if (!money::fits(l.qty * l.rate))
            return Refusal::cell(row, 4, QStringLiteral("The amount of the SlNo. %1 is too large.").arg(sl));
    }
    return std::nullopt;
}

double lineAmount(const Line& l) {
    const double qr = l.qty * l.rate;
    return qr - qr * l.discount / 100.0;
}

double lineTotal(const QList<Line>& lines) {
    double s = 0;
    for (const Line& l : lines) s += lineAmount(l);
    return s;
}

Check reTrackBlock(QSqlDatabase& db, const OrderKind& k, qint64 id, bool wanted) {
    if (k.reTrackBy.isEmpty()) return std::nullopt;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select ReTrkRej from %1 where POId=?").arg(k.header), {id});
    if (!q.next() || q.value(0).toBool() == wanted) return std::nullopt;
    const bool was = q.value(0).toBool();
    q = QSqlQuery();
    const auto h = header(db, k, id);
    const Quoting w = quoting(k, h->party, h->poNo, h->poDate);
    if (!Sql::any(db, QStringLiteral("select 1 from %1 where %2").arg(k.reTrackBy, w.condition), w.params))
        return std::nullopt;
    return Refusal::at(QStringLiteral("chkReTrkRej"),
                       k.reTrackRefused.arg(was ? QStringLiteral(" adding a tick mark to it.")
                                                : QStringLiteral(" removing the tick mark from it.")),
                       MsgIcon::Information);
}

Check duplicateNumber(QSqlDatabase& db, const OrderKind& k, const Header& h, bool adding) {
    const QString no = h.poNo.trimmed();
    bool taken = false;
    if (k.numbers == OrderNumbers::PerParty) {
        taken =
            Sql::any(db, QStringLiteral("select 1 from %1 where PONo=? and %2=? and POId<>?").arg(k.header, k.party),
                     {no, h.party, h.id});
    } else {
        QVariantList params{no};
        params += FinancialYear::params(FinancialYear::of(h.poDate));
        params << h.id;
        taken = Sql::any(db,
                         QStringLiteral("select 1 from %1 where PONo=? and %2 and POId<>?")
                             .arg(k.header, FinancialYear::condition(QStringLiteral("PODateT"))),
                         params);
    }
    if (!taken) return std::nullopt;
    const QString text = adding && !k.duplicateNoOnAdd.isEmpty() ? k.duplicateNoOnAdd : k.duplicateNo;
    return Refusal::at(k.duplicateField, text);
}

qint64 save(QSqlDatabase& db, const OrderKind& k, Header h, const QList<Line>& given, bool adding) {
    if (adding && Sql::any(db, QStringLiteral("select 1 from %1 where POId=?").arg(k.header), {h.id}))
        h.id = Sql::nextId(db, k.header, key());
    const bool partly = !adding && partlyProcessed(db, k, h.id);
    if (partly) {
        // Documents quote the order by its party and number: those stay as they were.
        QSqlQuery q = Sql::exec(
            db, QStringLiteral("select %1, PONo, PODateT from %2 where POId=?").arg(k.party, k.header), {h.id});
        if (q.next()) Sql::readRow(q, h.party, Sql::trimmed(h.poNo), h.poDate);
    }
    // Checked before the question; here it stops the same number saved meanwhile at another desk.
    enforce(duplicateNumber(db, k, h, false));

    Row header;
    header.set(k.party, h.party)
        .set(QStringLiteral("PONo"), h.poNo.trimmed())
        .set(QStringLiteral("PODate"), Rows::dateText(h.poDate))
        .set(QStringLiteral("PODateT"), Rows::dateValue(h.poDate))
        .set(QStringLiteral("NoOfItems"), int(given.size()));
    header << h.more;
    if (adding)
        Rows::insert(db, k.header, Row(header).set(key(), h.id));
    else
        Rows::update(db, k.header, header, key(), h.id);

    QStringList codes, units;
    for (const Line& l : given) {
        codes << l.itemCode;
        units << l.uom.trimmed().left(k.uomWidth);
    }
    Lookups::addUnits(db, units);
    const QHash<QString, ItemRef> items = Lookups::itemsByCode(db, codes);
    auto itemOf = [&](const Line& l, int row) {
        const auto it = items.constFind(l.itemCode);
        if (it == items.cend()) throw Refused(Refusal::cell(row, 1, k.lineTexts.codeMissing));
        return it->id;
    };
    if (k.namesItems)
        // The grid's name and unit are the item's from now on, where they differ.
        for (int i = 0; i < given.size(); ++i) {
            const Line& l = given[i];
            const QString name = l.itemName.trimmed(), unit = l.uom.trimmed().left(k.uomWidth);
            const auto it = items.constFind(l.itemCode);
            if (it == items.cend() || name.isEmpty() || (it->name == name && it->unit == unit)) continue;
            Sql::exec(db, QStringLiteral("update Item set ItemName=?, MeasureUnit=? where ItemId=?"),
                      {name, unit, it->id});
        }
    if (!partly) {
        Sql::exec(db, QStringLiteral("delete from %1 where POId=?").arg(k.lines), {h.id});
        for (int i = 0; i < given.size(); ++i)
            Rows::insert(db, k.lines, lineRow(k, h.id, i + 1, itemOf(given[i], i + 1), given[i]));
    } else {
        const QHash<int, Stored> stored = storedLines(db, k, h.id);
        QStringList moved;
        for (const Balance& b : k.balances) moved << QStringLiteral("%1=%1+(?-Qty)").arg(b.column);
        for (int i = 0; i < given.size(); ++i) {
            const Line& l = given[i];
            if (!stored.contains(i + 1)) {
                Rows::insert(db, k.lines, lineRow(k, h.id, i + 1, itemOf(l, i + 1), l));
                continue;
            }
            // What was drawn stays drawn: each balance moves by the change of the ordered quantity.
            QVariantList params;
            for (int b = 0; b < k.balances.size(); ++b) params << l.qty;
            params << l.qty << l.rate << l.discount << h.id << i + 1;
            Sql::exec(db,
                      QStringLiteral("update %1 set %2, Qty=?, Rate=?, Discount=? where POId=? and SlNo=?")
                          .arg(k.lines, moved.join(QLatin1Char(','))),
                      params);
            Rows::updateWhere(db, k.lines, l.extra, QStringLiteral("POId=? and SlNo=?"), {h.id, i + 1});
        }
        // Lines beyond the grid: only those nothing was drawn on may go.
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            if (it.key() <= given.size()) continue;
            if (const auto d = drawnBeyond(k, *it, 0))
                throw Refused(Refusal::cell(std::max(1, int(given.size())), 4,
                                            drawnText(k.balances[d->first], d->second, it->uom, it->itemName)));
            Sql::exec(db, QStringLiteral("delete from %1 where POId=? and SlNo=?").arg(k.lines), {h.id, it.key()});
        }
        // Another desk drew more meanwhile than the new quantity allows.
        for (const auto& [slNo, s] : storedLines(db, k, h.id).asKeyValueRange())
            for (int b = 0; b < k.balances.size(); ++b)
                if (s.balances[b] < -kQtyEps)
                    throw Refused(
                        Refusal::cell(slNo, 4, drawnText(k.balances[b], s.qty - s.balances[b], s.uom, s.itemName)));
    }
    retally(db, k, h.id);
    return h.id;
}

void retally(QSqlDatabase& db, const OrderKind& k, qint64 id) {
    QStringList sums;
    for (const Balance& b : k.balances) sums << QStringLiteral("sum(%1)").arg(b.column);
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select %1 from %2 where POId=?").arg(sums.join(QLatin1Char(',')), k.lines), {id});
    q.next();
    Row flags;
    for (int i = 0; i < k.balances.size(); ++i) {
        const QVariant left = q.value(i);
        flags.set(k.balances[i].tally, !left.isNull() && left.toDouble() <= kQtyEps);
    }
    q = QSqlQuery();
    Rows::update(db, k.header, flags, key(), id);
}

Check deleteBlock(QSqlDatabase& db, const OrderKind& k, qint64 id) {
    bool drawn = partlyProcessed(db, k, id);
    const auto h = drawn || k.quotedBy.isEmpty() ? std::nullopt : header(db, k, id);
    for (const QString& t : k.quotedBy) {
        if (drawn || !h) break;
        const Quoting w = quoting(k, h->party, h->poNo, h->poDate);
        drawn = Sql::any(db, QStringLiteral("select 1 from %1 where %2").arg(t, w.condition), w.params);
    }
    if (!drawn) return std::nullopt;
    return Refusal::message(k.deleteRefused);
}

void remove(QSqlDatabase& db, const OrderKind& k, qint64 id) {
    // Checked again here: a document saved at another desk since the question was asked wins.
    enforce(deleteBlock(db, k, id));
    if (Sql::exec(db, QStringLiteral("delete from %1 where POId=?").arg(k.header), {id}).numRowsAffected() < 1)
        throw Refused(Refusal::message(k.find.notFound));
    Sql::exec(db, QStringLiteral("delete from %1 where POId=?").arg(k.lines), {id});
}

void setCancelled(QSqlDatabase& db, const OrderKind& k, qint64 id, bool cancelled) {
    Sql::exec(db, QStringLiteral("update %1 set Cancl=? where POId=?").arg(k.header), {cancelled, id});
}

Lookups::Found find(QSqlDatabase& db, const OrderKind& k, const QString& poNo, qint64 party) {
    if (k.numbers == OrderNumbers::PerYear) {
        // The number restarts every year: the newest order carrying it is the one meant.
        const QVariant id =
            Sql::scalar(db, QStringLiteral("select max(POId) from %1 where PONo=?").arg(k.header), {poNo.trimmed()});
        if (id.isNull() || !id.isValid()) return {std::nullopt, k.find.notFound, k.find.notFoundIcon};
        return {id.toLongLong(), {}};
    }
    return Lookups::byPartyNumber(db, k.header, key(), QStringLiteral("PONo"), k.party, poNo, party, k.find);
}

PartyDetails partyDetails(QSqlDatabase& db, const OrderKind& k, qint64 party) {
    PartyDetails d;
    QString contact;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select %1, %2, CSTNo, KSTNo, Contact from %3 where %4=?")
                                .arg(k.partyName, k.partyAddress, k.partyTable, k.party),
                            {party});
    if (q.next())
        Sql::readRow(q, Sql::trimmed(d.name), Sql::trimmed(d.address), Sql::trimmed(d.cst), Sql::trimmed(d.kst),
                     Sql::trimmed(contact));
    q = QSqlQuery();
    for (const QString& c : Sql::texts(db,
                                       QStringLiteral("select distinct KindAttn from %1 where %2=? and "
                                                      "trim(KindAttn)<>'' order by KindAttn")
                                           .arg(k.header, k.party),
                                       {party})) {
        const QString t = c.trimmed();
        if (!d.contacts.contains(t)) d.contacts << t;
    }
    if (!contact.isEmpty() && !d.contacts.contains(contact)) d.contacts << contact;
    return d;
}

QString latestTerms(QSqlDatabase& db, const OrderKind& k, qint64 party) {
    return Sql::scalar(db,
                       QStringLiteral("select Body from %1 where POId=(select max(POId) from %1 where %2=?)")
                           .arg(k.header, k.party),
                       {party})
        .toString();
}

std::optional<QPair<double, double>> proposedRate(QSqlDatabase& db, const OrderKind& k, qint64 itemId) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select Rate, Discount from %1 where ItemId=? and POId=(select max(POId) "
                                           "from %1 where ItemId=?) order by SlNo")
                                .arg(k.lines),
                            {itemId, itemId});
    if (q.next()) return QPair<double, double>{q.value(0).toDouble(), q.value(1).toDouble()};
    if (!k.rateFromItem) return std::nullopt;
    const QVariant r = Sql::scalar(db, QStringLiteral("select Rate from Item where ItemId=?"), {itemId});
    if (r.isNull() || !r.isValid()) return std::nullopt;
    return QPair<double, double>{r.toDouble(), 0.0};
}

QStringList openOrders(QSqlDatabase& db, const OrderKind& k, int balance, qint64 party) {
    return Sql::texts(db,
                      QStringLiteral("select PONo from %1 where %2=? and %3=? and Cancl=? order by POId")
                          .arg(k.header, k.party, k.balances.value(balance).tally),
                      {party, false, false});
}

std::optional<qint64> openOrderId(QSqlDatabase& db, const OrderKind& k, int balance, qint64 party,
                                  const QString& poNo) {
    const QVariant v = Sql::scalar(db,
                                   QStringLiteral("select POId from %1 where %2=? and PONo=? and %3=? and Cancl=?")
                                       .arg(k.header, k.party, k.balances.value(balance).tally),
                                   {party, poNo.trimmed(), false, false});
    if (v.isNull() || !v.isValid()) return std::nullopt;
    return v.toLongLong();
}

QStringList itemCodes(QSqlDatabase& db, const OrderKind& k, qint64 poId) {
    return Sql::texts(db,
                      QStringLiteral("select ItemCode from Item where ItemId in (select ItemId from %1 where POId=?) "
                                     "order by ItemCode")
                          .arg(k.lines),
                      {poId});
}

QHash<qint64, double> balancesOf(QSqlDatabase& db, const OrderKind& k, int balance, qint64 poId) {
    QHash<qint64, double> out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select ItemId, sum(%1) from %2 where POId=? group by ItemId")
                                .arg(k.balances.value(balance).column, k.lines),
                            {poId});
    while (q.next()) out.insert(q.value(0).toLongLong(), q.value(1).toDouble());
    return out;
}

// ---- Draw

Draw::Draw(QSqlDatabase& db, const OrderKind& k, int balance, qint64 poId)
    : db_(db), k_(k), balance_(balance), poId_(poId) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select ItemId, SlNo, %1 from %2 where POId=? order by SlNo")
                                .arg(k.balances.value(balance).column, k.lines),
                            {poId});
    while (q.next()) lines_[q.value(0).toLongLong()].append({q.value(1).toInt(), q.value(2).toDouble()});
}

void Draw::take(qint64 itemId, double qty, int row, const QString& limitText) {
    QList<Left>& lines = lines_[itemId];
    Left* line = nullptr;
    for (Left& l : lines)
        if (l.left > 0) {
            line = &l;
            break;
        }
    const double left = line ? line->left : 0;
    // Checked before the question too; here it stops a document saved meanwhile at another desk.
    if (!line || qty > left + kQtyEps)
        throw Refused(Refusal::cell(row, 3, limitText.arg(row).arg(Rows::qtyText(left))));
    line->left -= qty;
    line->change -= qty;
}

void Draw::giveBack(qint64 itemId, double qty) {
    // Every line of the item, as a change made line by line always gave it.
    for (Left& l : lines_[itemId]) {
        l.left += qty;
        l.change += qty;
    }
}

void Draw::finish() {
    // One write per line that moved, however often it was given back and taken again.
    for (auto it = lines_.begin(); it != lines_.end(); ++it)
        for (Left& l : *it) {
            if (l.change == 0) continue;
            Sql::exec(db_,
                      QStringLiteral("update %1 set %2=%2+? where POId=? and SlNo=?")
                          .arg(k_.lines, k_.balances[balance_].column),
                      {l.change, poId_, l.slNo});
            l.change = 0;
        }
    retally(db_, k_, poId_);
}

// ---- Number change

Check numberChangeBlock(QSqlDatabase& db, const OrderKind& k, const NumberChange& c) {
    auto refuse = [](const QString& t) { return Refusal::at(QStringLiteral("txtNewPONo"), t); };
    QSqlQuery q = Sql::exec(db, QStringLiteral("select PONo, PODateT, %1 from %2 where POId=?").arg(k.party, k.header),
                            {c.orderId});
    if (!q.next()) return refuse(QStringLiteral("Select the Purchase Order to change."));
    const QString oldNo = q.value(0).toString().trimmed();
    const QDate oldDate = Db::toDate(q.value(1));
    Header h{c.orderId, q.value(2).toLongLong(), c.newNo.trimmed(), c.newDate, {}};
    if (h.poNo.isEmpty() || (h.poNo == oldNo && c.newDate == oldDate))
        return refuse(QStringLiteral("Change the P.O. Number and Modify!!!"));
    if (duplicateNumber(db, k, h, false))
        return refuse(QStringLiteral("P.O. Number You changed is same as the existing P.O. Number...!!!"));
    return std::nullopt;
}

void changeNumber(QSqlDatabase& db, const OrderKind& k, const NumberChange& c) {
    enforce(numberChangeBlock(db, k, c));
    const auto old = header(db, k, c.orderId);
    if (!old) return;
    const Quoting w = quoting(k, old->party, old->poNo, old->poDate);
    const QVariantList values{c.newNo.trimmed(), Rows::dateText(c.newDate), Rows::dateValue(c.newDate)};
    Sql::exec(db, QStringLiteral("update %1 set PONo=?, PODate=?, PODateT=? where POId=?").arg(k.header),
              values + QVariantList{c.orderId});
    for (const QString& t : k.quotedBy)
        Sql::exec(db, QStringLiteral("update %1 set PONo=?, PODate=?, PODateT=? where %2").arg(t, w.condition),
                  values + w.params);
}

}  // namespace kavra::chain::Orders
