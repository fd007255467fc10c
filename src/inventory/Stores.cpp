#include "inventory/Stores.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/Session.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "masters/Misc.h"

namespace kavra::inventory::Stores {

namespace {

// Lots read per round trip while issuing: an issue rarely needs more, and a long
// queue of old lots is never read whole.
constexpr int kLotBatch = 256;

// Two stored quantities are the same lot balance when they agree to far below the
// six decimals quantities are kept to.
double tolerance(double v) {
    return std::max(1e-9, std::abs(v) * 1e-12);
}

QVariant nullText() {
    return QVariant(QMetaType::fromType<QString>());
}

// An optional text as stored: a single blank when empty, else exactly as given (the issue
// screen keeps a leading blank before what was typed).
QString storedText(const QString& s) {
    return s.trimmed().isEmpty() ? QStringLiteral(" ") : s;
}

QVariant textOrNull(const QString& s) {
    return s.isEmpty() ? nullText() : QVariant(s);
}

struct Lot {
    qint64 id = 0;  // the note
    int slNo = 0;
    double bal = 0;
    double qty = 0;
    QString trak;  // "" for Null
};

// "a,b,c,d" as the pairs (a,b), (c,d); a dangling last value is ignored.
QList<QPair<QString, QString>> pairsOf(const QString& text) {
    QList<QPair<QString, QString>> out;
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i + 1 < parts.size(); i += 2) out.append({parts[i].trimmed(), parts[i + 1].trimmed()});
    return out;
}

QString joinPairs(const QList<QPair<QString, QString>>& pairs) {
    QStringList parts;
    for (const auto& p : pairs) parts << p.first << p.second;
    return parts.join(QLatin1Char(','));
}

bool sameQty(double a, double b) {
    return std::abs(a - b) <= tolerance(std::max(std::abs(a), std::abs(b)));
}

// Index of the pair (qty, issue) in a lot's trak, or -1.
int findDraw(const QList<QPair<QString, QString>>& pairs, double qty, qint64 issueId) {
    for (int i = 0; i < pairs.size(); ++i)
        if (pairs[i].second.toLongLong() == issueId && sameQty(pairs[i].first.toDouble(), qty)) return i;
    return -1;
}

// A statement prepared once and run for each of the many lots of an issue: on a server
// every fresh prepare is another round trip.
class Prepared {
  public:
    Prepared(QSqlDatabase& db, const QString& sql) : q_(db) {
        q_.setForwardOnly(true);
        if (!q_.prepare(sql)) fail();
    }
    QSqlQuery& run(const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) q_.bindValue(i, values[i]);
        if (!q_.exec()) fail();
        return q_;
    }

  private:
    [[noreturn]] void fail() { throw DbError::of(q_.lastError()); }
    QSqlQuery q_;
};

// Writes a lot's new balance and trak only if nobody changed the lot since it was read;
// false sends the caller back to read it again.
class LotWriter {
  public:
    explicit LotWriter(QSqlDatabase& db)
        : q_(db, QStringLiteral("update STNSub set BalQty=?, trak=? where Id=? and SlNo=? and BalQty>=? and "
                                "BalQty<=? and coalesce(trak,'')=?")) {}
    bool write(const Lot& was, double bal, const QString& trak) {
        const double tol = tolerance(was.bal);
        return q_.run({bal, textOrNull(trak), was.id, was.slNo, was.bal - tol, was.bal + tol,
                       // a null QString would be bound as NULL, which equals nothing
                       was.trak.isEmpty() ? QStringLiteral("") : was.trak})
                   .numRowsAffected() == 1;
    }

  private:
    Prepared q_;
};

// A lot that changes under every attempt is a fault, not contention.
void checkRetries(int& tries) {
    if (++tries > 1000) throw DbError(QStringLiteral("A stores lot kept changing while it was being written."));
}

std::optional<Lot> readLot(QSqlDatabase& db, qint64 id, int slNo) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select BalQty, Qty, trak from STNSub where Id=? and SlNo=?"), {id, slNo});
    if (!q.next()) return std::nullopt;
    return Lot{id, slNo, q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toString()};
}

// The next open lots of an item after (id, slNo), oldest first.
QList<Lot> openLotsAfter(QSqlDatabase& db, qint64 itemId, qint64 id, int slNo) {
    QList<Lot> out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select Id, SlNo, BalQty, Qty, trak from STNSub where ItemId=? and BalQty>0 "
                                           "and (Id>? or (Id=? and SlNo>?)) order by Id, SlNo limit ?"),
                            {itemId, id, id, slNo, kLotBatch});
    while (q.next())
        out.append(Lot{q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toDouble(), q.value(3).toDouble(),
                       q.value(4).toString()});
    return out;
}

QString appendPair(const QString& text, const QString& a, const QString& b) {
    const QString pair = a + QLatin1Char(',') + b;
    return text.isEmpty() ? pair : text + QLatin1Char(',') + pair;
}

// Takes q of the item from its open lots, oldest first; returns the issue line's track
// ("stn,qty,stn,qty"). Throws when the lots run out first.
QString drawLots(QSqlDatabase& db, qint64 itemId, double q, qint64 issueId, const QString& shortText) {
    LotWriter writer(db);
    QStringList track;
    double remaining = q;
    qint64 afterId = -1;
    int afterSl = 0;
    while (remaining > 0) {
        const QList<Lot> lots = openLotsAfter(db, itemId, afterId, afterSl);
        if (lots.isEmpty()) throw Refused(shortText);
        for (Lot lot : lots) {
            afterId = lot.id;
            afterSl = lot.slNo;
            for (int tries = 0;; checkRetries(tries)) {
                const double take = std::min(remaining, lot.bal);
                const double bal = take == lot.bal ? 0.0 : roundQty(lot.bal - take);
                const QString taken = text::plain(take);
                if (writer.write(lot, bal, appendPair(lot.trak, taken, QString::number(issueId)))) {
                    track << QString::number(lot.id) << taken;
                    remaining = roundQty(remaining - take);
                    break;
                }
                // Another workstation drew on (or gave back to) this lot meanwhile.
                const std::optional<Lot> now = readLot(db, lot.id, lot.slNo);
                if (!now || now->bal <= 0) break;
                lot = *now;
            }
            if (remaining <= 0) break;
        }
    }
    return track.join(QLatin1Char(','));
}

// Gives qty back to the note's line of the item that recorded this issue's draw.
void giveBack(Prepared& linesOf, LotWriter& writer, qint64 stnId, qint64 itemId, double qty, qint64 issueId) {
    for (int tries = 0;; checkRetries(tries)) {
        QList<Lot> lines;
        QSqlQuery& q = linesOf.run({stnId, itemId});
        while (q.next())
            lines.append(
                Lot{stnId, q.value(0).toInt(), q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toString()});
        q.finish();
        const Lot* target = nullptr;
        int pairAt = -1;
        for (const Lot& l : lines) {
            pairAt = findDraw(pairsOf(l.trak), qty, issueId);
            if (pairAt >= 0) {
                target = &l;
                break;
            }
        }
        // A track written without its pair: the first line with room takes it back.
        if (!target) {
            for (const Lot& l : lines) {
                if (l.bal + qty <= l.qty + tolerance(l.qty)) {
                    target = &l;
                    break;
                }
            }
        }
        if (!target) return;  // the note is gone; there is nothing to give back to
        QList<QPair<QString, QString>> pairs = pairsOf(target->trak);
        if (pairAt >= 0) pairs.removeAt(pairAt);
        if (writer.write(*target, roundQty(target->bal + qty), joinPairs(pairs))) return;
    }
}

qint64 takeNumber(QSqlDatabase& db, const QString& table, const QString& topicColumn, int topic) {
    // The row's own counter, not the largest of the topic: another workstation may be numbering too.
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("insert into %1 (%2) values (?) returning CurrNo").arg(table, topicColumn), {topic});
    if (!q.next()) throw DbError(QStringLiteral("No running number was given by ") + table);
    return q.value(0).toLongLong();
}

struct ItemFacts {
    qint64 category = 0;
    double rate = 0;
};

// The category and rate of these items, each looked up once, a few hundred to a statement.
QHash<qint64, ItemFacts> factsOf(QSqlDatabase& db, const QList<qint64>& itemIds) {
    QHash<qint64, ItemFacts> out;
    QList<qint64> unique;
    for (qint64 id : itemIds)
        if (!out.contains(id)) {
            out.insert(id, {});
            unique << id;
        }
    for (qsizetype at = 0; at < unique.size(); at += 500) {
        const QList<qint64> part = unique.mid(at, 500);
        QVariantList bound;
        QStringList marks;
        for (qint64 id : part) {
            bound << id;
            marks << QStringLiteral("?");
        }
        QSqlQuery q = Sql::exec(db,
                                QStringLiteral("select ItemId, CategoryCode, Rate from Item where ItemId in (%1)")
                                    .arg(marks.join(QLatin1Char(','))),
                                bound);
        while (q.next()) out.insert(q.value(0).toLongLong(), {q.value(1).toLongLong(), q.value(2).toDouble()});
    }
    return out;
}

QHash<qint64, qint64> categoriesOf(QSqlDatabase& db, const QList<qint64>& itemIds) {
    QHash<qint64, qint64> out;
    const QHash<qint64, ItemFacts> facts = factsOf(db, itemIds);
    for (auto it = facts.cbegin(); it != facts.cend(); ++it) out.insert(it.key(), it->category);
    return out;
}

}  // namespace

QString issueGoneMessage() {
    return QStringLiteral("This issue is no longer there: it was deleted at another workstation.");
}

QString shortStockMessage() {
    return QStringLiteral(" Invalid Quantity ... ");
}

double roundQty(double q) {
    return std::round(q * 1e6) / 1e6;
}

qint64 takeNoteNumber(QSqlDatabase& db, int topic) {
    return takeNumber(db, QStringLiteral("AutoCITS"), QStringLiteral("TopicTS"), topic);
}

qint64 takeIssueNumber(QSqlDatabase& db, int topic) {
    return takeNumber(db, QStringLiteral("AutoCITI"), QStringLiteral("TopicTI"), topic);
}

qint64 raiseNote(QSqlDatabase& db, NoteSource source, const QString& party, const QList<NoteLine>& lines) {
    const qint64 id = takeNoteNumber(db, int(source));
    Sql::exec(db, QStringLiteral("insert into STN (Id, STNNo, STNDate, TS, PrepBy, RemAny) values (?,?,?,?,?,?)"),
              {id, id, Db::day(Clock::today()), int(source), Misc::stored(party), QStringLiteral(" ")});
    QList<qint64> items;
    for (const NoteLine& l : lines) items << l.itemId;
    const QHash<qint64, ItemFacts> facts = factsOf(db, items);
    int slNo = 0;
    QList<chain::Row> lots;
    for (const NoteLine& l : lines) {
        const double qty = roundQty(l.qty);
        if (qty <= 0) continue;
        lots << chain::Row()
                    .set(QStringLiteral("Id"), id)
                    .set(QStringLiteral("SlNo"), ++slNo)
                    .set(QStringLiteral("ItemId"), l.itemId)
                    .set(QStringLiteral("catC"), facts.value(l.itemId).category)
                    .set(QStringLiteral("Qty"), qty)
                    .set(QStringLiteral("BalQty"), qty)
                    .set(QStringLiteral("Rate"), l.rate.value_or(facts.value(l.itemId).rate));
    }
    chain::Rows::insertAll(db, QStringLiteral("STNSub"), lots);
    return id;
}

bool noteDrawnOn(QSqlDatabase& db, qint64 stnId) {
    return Sql::any(db, QStringLiteral("select 1 from STNSub where Id=? and BalQty<>Qty"), {stnId});
}

void deleteNote(QSqlDatabase& db, qint64 stnId) {
    // Only full lines go; a line drawn on since the caller looked keeps the note.
    Sql::exec(db, QStringLiteral("delete from STNSub where Id=? and BalQty=Qty"), {stnId});
    if (Sql::any(db, QStringLiteral("select 1 from STNSub where Id=?"), {stnId}))
        throw Refused(
            QStringLiteral("You cannot Modify this Store Transfer Note , since some Material has been "
                           "Issued Using this Record..."));
    Sql::exec(db, QStringLiteral("delete from STN where Id=?"), {stnId});
}

double stockOf(QSqlDatabase& db, qint64 itemId) {
    return Sql::scalar(db, QStringLiteral("select sum(BalQty) from STNSub where ItemId=? and BalQty>0"), {itemId})
        .toDouble();
}

QHash<qint64, double> stockOf(QSqlDatabase& db, const QList<qint64>& itemIds) {
    QHash<qint64, double> out;
    if (itemIds.isEmpty()) return out;
    QVariantList ids;
    for (qint64 id : itemIds) ids << id;
    QStringList marks;
    for (int i = 0; i < ids.size(); ++i) marks << QStringLiteral("?");
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select ItemId, sum(BalQty) from STNSub where ItemId in (%1) and BalQty>0 "
                                           "group by ItemId")
                                .arg(marks.join(QLatin1Char(','))),
                            ids);
    while (q.next()) out.insert(q.value(0).toLongLong(), q.value(1).toDouble());
    return out;
}

chain::StockLink issueLink(IssueSource source, const QString& setting) {
    chain::StockLink l;
    l.setting = setting;
    l.column = QStringLiteral("StoreIssId");
    l.isIssue = true;
    l.raise = [source](QSqlDatabase& db, const chain::StockMove& m) {
        QList<IssueLine> lines;
        for (const chain::StockLine& s : m.lines) lines.append({s.itemId, s.category, s.qty});
        return raiseIssue(db, source, m.day, m.party, QStringLiteral(" "), lines, m.shortMessage);
    };
    l.undo = [](QSqlDatabase& db, qint64 id) { reverseIssue(db, id); };
    l.stockOf = [](QSqlDatabase& db, const QList<qint64>& ids) { return stockOf(db, ids); };
    return l;
}

chain::StockLink noteLink(NoteSource source, const QString& setting) {
    chain::StockLink l;
    l.setting = setting;
    l.column = QStringLiteral("STNId");
    l.isIssue = false;
    l.raise = [source](QSqlDatabase& db, const chain::StockMove& m) {
        QList<NoteLine> lines;
        for (const chain::StockLine& s : m.lines) lines.append({s.itemId, s.qty, s.rate});
        return raiseNote(db, source, m.party, lines);
    };
    l.undo = [](QSqlDatabase& db, qint64 id) { deleteNote(db, id); };
    l.drawnOn = [](QSqlDatabase& db, qint64 id) { return noteDrawnOn(db, id); };
    l.stockOf = [](QSqlDatabase& db, const QList<qint64>& ids) { return stockOf(db, ids); };
    return l;
}

qint64 raiseIssue(QSqlDatabase& db, IssueSource source, const QDate& day, const QString& toWhom, const QString& remarks,
                  const QList<IssueLine>& lines, const QString& shortMessage) {
    const QString shortText = shortMessage.isEmpty() ? shortStockMessage() : shortMessage;
    // The number first: on SQLite that write makes this connection the writer (waiting its
    // turn), so every balance read below is the latest.
    const qint64 id = takeIssueNumber(db, int(source));
    QHash<qint64, double> wanted;
    for (const IssueLine& l : lines) {
        if (l.qty < 0) throw Refused(shortText);
        wanted[l.itemId] += roundQty(l.qty);
    }
    // Every item's stock in one look-up, and each item's category once.
    const QHash<qint64, double> onHand = stockOf(db, wanted.keys());
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        if (it.value() > 0 && onHand.value(it.key()) + tolerance(it.value()) < it.value()) throw Refused(shortText);
    QList<qint64> uncategorised;
    for (const IssueLine& l : lines)
        if (!l.category) uncategorised << l.itemId;
    const QHash<qint64, qint64> category = categoriesOf(db, uncategorised);

    Sql::exec(db, QStringLiteral("insert into StoreIss (Id, DOI, TI, ToWhom, RemAny) values (?,?,?,?,?)"),
              {id, Db::day(day), int(source), storedText(toWhom), storedText(remarks)});
    int slNo = 0;
    QList<chain::Row> issued;
    for (const IssueLine& l : lines) {
        const double qty = roundQty(l.qty);
        if (qty <= 0) continue;
        const QString track = drawLots(db, l.itemId, qty, id, shortText);
        issued << chain::Row()
                      .set(QStringLiteral("Id"), id)
                      .set(QStringLiteral("SlNo"), ++slNo)
                      .set(QStringLiteral("catC"), l.category ? l.category : category.value(l.itemId))
                      .set(QStringLiteral("ItemId"), l.itemId)
                      .set(QStringLiteral("IssQty"), qty)
                      .set(QStringLiteral("Trak"), track);
    }
    chain::Rows::insertAll(db, QStringLiteral("StoreIssSub"), issued);
    return id;
}

void reverseIssue(QSqlDatabase& db, qint64 issueId) {
    // Reversed meanwhile at another desk: its stock must not come back twice.
    if (!Sql::any(db, QStringLiteral("select 1 from StoreIss where Id=?"), {issueId}))
        throw Refused(issueGoneMessage());
    struct Drawn {
        qint64 itemId;
        QString trak;
    };
    QList<Drawn> drawn;
    {
        QSqlQuery q =
            Sql::exec(db, QStringLiteral("select ItemId, Trak from StoreIssSub where Id=? order by SlNo"), {issueId});
        while (q.next()) drawn.append({q.value(0).toLongLong(), q.value(1).toString()});
    }
    LotWriter writer(db);
    Prepared linesOf(db, QStringLiteral("select SlNo, BalQty, Qty, trak from STNSub where Id=? and ItemId=? order by "
                                        "SlNo"));
    for (const Drawn& d : drawn)
        for (const auto& [stn, qty] : pairsOf(d.trak))
            giveBack(linesOf, writer, stn.toLongLong(), d.itemId, qty.toDouble(), issueId);
    Sql::exec(db, QStringLiteral("delete from StoreIssSub where Id=?"), {issueId});
    Sql::exec(db, QStringLiteral("delete from StoreIss where Id=?"), {issueId});
}

QList<StockRow> stockOfCategory(QSqlDatabase& db, qint64 category) {
    QString sql = QStringLiteral(
        "select i.ItemId, i.ItemCode, coalesce(sum(s.BalQty), 0) from Item i left join STNSub s on "
        "s.ItemId=i.ItemId and s.BalQty>0");
    QVariantList params;
    if (category) {
        sql += QStringLiteral(" where i.CategoryCode=?");
        params << category;
    }
    sql += QStringLiteral(" group by i.ItemId, i.ItemCode order by i.ItemCode");
    QList<StockRow> out;
    QSqlQuery q = Sql::exec(db, sql, params);
    while (q.next()) out.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toDouble()});
    return out;
}

QList<IssueRow> manualIssuesOn(QSqlDatabase& db, const QDate& day) {
    QList<IssueRow> out;
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select s.Id, c.CategoryName, i.ItemCode, i.MeasureUnit, d.IssQty, s.ToWhom, s.RemAny "
                       "from StoreIss s join StoreIssSub d on d.Id=s.Id left join Item i on i.ItemId=d.ItemId "
                       "left join Category c on c.CategoryCode=d.catC where s.TI=? and s.DOI=? order by s.Id, d.SlNo"),
        {int(IssueSource::Manual), Db::day(day)});
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                    q.value(4).toDouble(), q.value(5).toString(), q.value(6).toString()});
    return out;
}

}  // namespace kavra::inventory::Stores
