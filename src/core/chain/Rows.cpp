#include "core/chain/Rows.h"

#include <QStringList>
#include <QTime>

#include "core/Db.h"
#include "core/Sql.h"
#include "core/Text.h"

namespace kavra::chain {

Row& Row::set(const QString& column, const QVariant& value) {
    for (auto& v : values_)
        if (v.first == column) {
            v.second = value;
            return *this;
        }
    values_.append({column, value});
    return *this;
}

Row& Row::operator<<(const Row& more) {
    for (const auto& v : more.values_) set(v.first, v.second);
    return *this;
}

namespace Rows {

void insert(QSqlDatabase& db, const QString& table, const Row& row) {
    QStringList cols;
    QVariantList vals;
    for (const auto& [c, v] : row.values()) {
        cols << c;
        vals << v;
    }
    Sql::exec(
        db,
        QStringLiteral("insert into %1 (%2) values (%3)").arg(table, cols.join(QLatin1Char(',')), marks(cols.size())),
        vals);
}

void insertAll(QSqlDatabase& db, const QString& table, const QList<Row>& rows) {
    constexpr int kValuesPerStatement = 900;
    qsizetype at = 0;
    while (at < rows.size()) {
        QStringList cols;
        for (const auto& [c, v] : rows[at].values()) cols << c;
        if (cols.isEmpty()) {
            ++at;
            continue;
        }
        const QString group = QLatin1Char('(') + marks(cols.size()) + QLatin1Char(')');
        QStringList groups;
        QVariantList vals;
        // The run of rows with these very columns, as far as one statement holds.
        for (; at < rows.size() && vals.size() + cols.size() <= kValuesPerStatement; ++at) {
            const auto& values = rows[at].values();
            bool same = values.size() == cols.size();
            for (qsizetype i = 0; same && i < values.size(); ++i) same = values[i].first == cols[i];
            if (!same) break;
            for (const auto& [c, v] : values) vals << v;
            groups << group;
        }
        Sql::exec(db,
                  QStringLiteral("insert into %1 (%2) values %3")
                      .arg(table, cols.join(QLatin1Char(',')), groups.join(QLatin1Char(','))),
                  vals);
    }
}

int updateWhere(QSqlDatabase& db, const QString& table, const Row& row, const QString& where,
                const QVariantList& params) {
    if (row.isEmpty()) return 0;
    QStringList sets;
    QVariantList vals;
    for (const auto& [c, v] : row.values()) {
        sets << c + QStringLiteral("=?");
        vals << v;
    }
    return Sql::exec(db, QStringLiteral("update %1 set %2 where %3").arg(table, sets.join(QLatin1Char(',')), where),
                     vals + params)
        .numRowsAffected();
}

int update(QSqlDatabase& db, const QString& table, const Row& row, const QString& keyCol, const QVariant& key) {
    return updateWhere(db, table, row, keyCol + QStringLiteral("=?"), {key});
}

QString marks(qsizetype n) {
    QString m;
    m.reserve(int(n) * 2);
    for (qsizetype i = 0; i < n; ++i) m += i ? QStringLiteral(",?") : QStringLiteral("?");
    return m;
}

QVariantList bound(const QList<qint64>& ids) {
    QVariantList out;
    out.reserve(ids.size());
    for (qint64 id : ids) out << id;
    return out;
}

QVariant nullText() {
    return QVariant(QMetaType::fromType<QString>());
}

QString optionalText(const QString& s) {
    const QString t = s.trimmed();
    return t.isEmpty() ? QStringLiteral(" ") : t;
}

QVariant textOrNull(const QString& s) {
    const QString t = s.trimmed();
    return t.isEmpty() ? nullText() : QVariant(t);
}

QVariant dateValue(const QDate& d) {
    return Db::ts(QDateTime(d, QTime(0, 0)));
}

QString dateText(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString qtyText(double q) {
    return text::plain(q);
}

QString rateText(double r) {
    const QString plain = text::plain(r);
    const int dot = int(plain.indexOf(QLatin1Char('.')));
    return dot >= 0 && plain.size() - dot - 1 > 2 ? plain : QString::number(r, 'f', 2);
}

}  // namespace Rows
}  // namespace kavra::chain
