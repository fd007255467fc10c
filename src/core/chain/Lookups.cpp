#include "core/chain/Lookups.h"

#include <QSet>
#include <QSqlQuery>

#include "core/ClsProd.h"
#include "core/Sql.h"

namespace kavra::chain::Lookups {

namespace {

QString keyOf(const QString& code) {
    return code.trimmed().toUpper();
}

ItemRef readItem(const QSqlQuery& q) {
    ItemRef r;
    Sql::readRow(q, r.id, r.category, Sql::trimmed(r.code), Sql::trimmed(r.name), Sql::trimmed(r.unit));
    return r;
}

// Document lines as the common grid checks read a line grid: heading row 0, the codes in
// column 1, then the empty entry row such a grid always ends with.
class CodeCells : public GridCells {
  public:
    explicit CodeCells(const QStringList& codes) : codes_(codes) {}
    int rowCount() const override { return int(codes_.size()) + 2; }
    int colCount() const override { return 2; }
    QString text(int row, int col) const override {
        if (col != 1 || row < 1 || row > codes_.size()) return {};
        return codes_[row - 1];
    }

  private:
    QStringList codes_;
};

// Keeps the first message a check shows instead of showing it.
class Capture : public Dialogs {
  public:
    void showMessage(const QString&, const QString& text, MsgIcon) override {
        if (first.isEmpty()) first = text;
    }
    bool askQuestion(const QString&, const QString&, bool defaultNo) override { return !defaultNo; }
    QString first;
};

}  // namespace

QString duplicateItems(const QStringList& codes) {
    Capture c;
    if (clsProd::CheckDuplicateItems(CodeCells(codes), 1, c)) return {};
    return c.first.isEmpty() ? QStringLiteral("?") : c.first;
}

QHash<QString, ItemRef> itemsByCode(QSqlDatabase& db, const QStringList& codes) {
    QHash<QString, ItemRef> out;
    QVariantList wanted;
    QSet<QString> seen;
    for (const QString& c : codes) {
        const QString t = c.trimmed();
        if (t.isEmpty() || seen.contains(keyOf(t))) continue;
        seen.insert(keyOf(t));
        wanted << t;
    }
    if (wanted.isEmpty()) return out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select ItemId, CategoryCode, ItemCode, ItemName, MeasureUnit from Item "
                                           "where ItemCode in (%1)")
                                .arg(Rows::marks(wanted.size())),
                            wanted);
    QHash<QString, ItemRef> byKey;
    while (q.next()) {
        const ItemRef r = readItem(q);
        byKey.insert(keyOf(r.code), r);
    }
    for (const QString& c : codes)
        if (byKey.contains(keyOf(c))) out.insert(c, byKey.value(keyOf(c)));
    return out;
}

QHash<qint64, ItemRef> itemsById(QSqlDatabase& db, const QList<qint64>& ids) {
    QHash<qint64, ItemRef> out;
    QList<qint64> unique;
    for (qint64 id : ids)
        if (!unique.contains(id)) unique << id;
    if (unique.isEmpty()) return out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select ItemId, CategoryCode, ItemCode, ItemName, MeasureUnit from Item "
                                           "where ItemId in (%1)")
                                .arg(Rows::marks(unique.size())),
                            Rows::bound(unique));
    while (q.next()) {
        const ItemRef r = readItem(q);
        out.insert(r.id, r);
    }
    return out;
}

QHash<QString, qint64> particularsIds(QSqlDatabase& db, const QList<QPair<QString, qint64>>& textAndItem) {
    QHash<QString, qint64> out;
    QVariantList wanted;
    for (const auto& [text, item] : textAndItem) {
        const QString t = text.trimmed();
        if (!wanted.contains(t)) wanted << t;
    }
    if (wanted.isEmpty()) return out;
    // Names compare without regard to case, so a text differing only in case is the same entry.
    QHash<QString, qint64> byFolded;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select ProdName, min(ProdId) from ProductL where ProdName in (%1) group "
                                           "by ProdName")
                                .arg(Rows::marks(wanted.size())),
                            wanted);
    while (q.next()) byFolded.insert(q.value(0).toString().toUpper(), q.value(1).toLongLong());
    qint64 next = 0;
    for (const auto& [text, item] : textAndItem) {
        const QString t = text.trimmed();
        if (out.contains(t)) continue;
        const auto found = byFolded.constFind(t.toUpper());
        if (found != byFolded.cend()) {
            out.insert(t, *found);
            continue;
        }
        if (next == 0) next = Sql::nextId(db, QStringLiteral("ProductL"), QStringLiteral("ProdId"));
        Sql::exec(db, QStringLiteral("insert into ProductL (ProdId, ProdName, ItemId) values (?,?,?)"),
                  {next, t, item});
        byFolded.insert(t.toUpper(), next);
        out.insert(t, next++);
    }
    return out;
}

QStringList particularsOf(QSqlDatabase& db, qint64 itemId) {
    return Sql::texts(db, QStringLiteral("select ProdName from ProductL where ItemId=? order by ProdName"), {itemId});
}

QString proposedParticulars(QSqlDatabase& db, qint64 itemId) {
    const QVariant last = Sql::scalar(
        db,
        QStringLiteral("select ProdName from ProductL where ProdId=(select max(ProdId) from ProductL where ItemId=?)"),
        {itemId});
    if (!last.isNull() && last.isValid()) return last.toString();
    return Sql::scalar(db, QStringLiteral("select ItemName from Item where ItemId=?"), {itemId}).toString();
}

void addUnits(QSqlDatabase& db, const QStringList& units) {
    QVariantList wanted;
    for (const QString& u : units) {
        const QString t = u.trimmed();
        if (!t.isEmpty() && !wanted.contains(t)) wanted << t;
    }
    if (wanted.isEmpty()) return;
    QSet<QString> known;
    for (const QString& c : Sql::texts(db,
                                       QStringLiteral("select MeasureCode from Measurement where MeasureCode in (%1)")
                                           .arg(Rows::marks(wanted.size())),
                                       wanted))
        known.insert(c.trimmed().toUpper());
    for (const QVariant& u : wanted) {
        if (known.contains(u.toString().toUpper())) continue;
        Sql::exec(db, QStringLiteral("insert into Measurement (MeasureCode, MeasureName) values (?, '-')"), {u});
        known.insert(u.toString().toUpper());
    }
}

QList<QStringList> recentTexts(QSqlDatabase& db, const QString& table, const QString& key, const QStringList& columns,
                               int limit) {
    // Read back from the newest row along the key, so the cost stays bounded however many
    // documents the year holds.
    QList<QStringList> out(columns.size());
    QList<QSet<QString>> seen(columns.size());
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select %1 from %2 order by %3 desc limit ?").arg(columns.join(QLatin1Char(',')), table, key),
        {limit * 10});
    while (q.next())
        for (int c = 0; c < columns.size(); ++c) {
            const QString t = q.value(c).toString().trimmed();
            if (t.isEmpty() || out[c].size() >= limit || seen[c].contains(t.toUpper())) continue;
            seen[c].insert(t.toUpper());
            out[c] << t;
        }
    for (QStringList& l : out) l.sort(Qt::CaseInsensitive);
    return out;
}

Found byPartyNumber(QSqlDatabase& db, const QString& table, const QString& key, const QString& numberCol,
                    const QString& partyCol, const QString& number, qint64 party, const FindTexts& texts) {
    QList<QPair<qint64, qint64>> hits;  // key, party
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select %1, %2 from %3 where %4=? order by %1").arg(key, partyCol, table, numberCol),
        {number.trimmed()});
    while (q.next()) hits.append({q.value(0).toLongLong(), q.value(1).toLongLong()});
    if (hits.isEmpty()) return {std::nullopt, texts.notFound, texts.notFoundIcon};
    if (hits.size() == 1) return {hits.first().first, {}};
    for (const auto& h : hits)
        if (party != 0 && h.second == party) return {h.first, {}};
    const QString count = QString::number(hits.size());
    return {hits.first().first, (party != 0 ? texts.wrongParty : texts.noParty).arg(count)};
}

}  // namespace kavra::chain::Lookups
