#include "core/chain/Form39.h"

#include <QSqlQuery>

#include "core/FinancialYear.h"
#include "core/Sql.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"

namespace kavra::chain::Form39 {

namespace {

std::optional<QDate> dcDate(QSqlDatabase& db, const Kind& k, qint64 dcId) {
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select DcDateT from %1 where %2=?").arg(k.dc->header, k.dc->key), {dcId});
    if (v.isNull()) return std::nullopt;
    return v.toDate();
}

bool numberIn(QSqlDatabase& db, const QString& table, const QString& exceptKey, qint64 exceptId, qint64 no,
              const QDate& day) {
    QString sql =
        QStringLiteral("select 1 from %1 where Form39No=? and %2").arg(table, FinancialYear::condition("DcDateT"));
    QVariantList p{no};
    p << FinancialYear::params(FinancialYear::of(day));
    if (!exceptKey.isEmpty()) {
        sql += QStringLiteral(" and %1<>?").arg(exceptKey);
        p << exceptId;
    }
    return Sql::exec(db, sql + QStringLiteral(" limit 1"), p).next();
}

}  // namespace

std::optional<Shown> load(QSqlDatabase& db, const Kind& k, qint64 dcId) {
    const DcKind& d = *k.dc;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select h.DcNo, p.%1, h.DcDateT, h.Form39No, h.GoodsName, h.GoodsQty, "
                                           "h.GoodsVal, h.Purpose, h.DocuNature, h.form39LRNo from %2 h left join %3 "
                                           "p on p.%4=h.%4 where h.%5=?")
                                .arg(d.partyName, d.header, d.partyTable, d.party, d.key),
                            {dcId});
    if (!q.next()) return std::nullopt;
    Shown s;
    s.entry.dcId = dcId;
    Sql::readRow(q, Sql::trimmed(s.dcNo), Sql::trimmed(s.party), s.dcDate);
    s.entry.no = q.value(3).toLongLong();
    const QList<QString*> texts{&s.entry.goodsName, &s.entry.goodsQty,   &s.entry.goodsVal,
                                &s.entry.purpose,   &s.entry.docuNature, &s.entry.lrNo};
    for (int i = 0; i < texts.size(); ++i) *texts[i] = q.value(4 + i).toString().trimmed();
    return s;
}

qint64 proposed(QSqlDatabase& db, const Kind& k, const QDate& day) {
    QStringList tables{k.dc->header};
    for (const auto& o : k.others) tables << o.first;
    QStringList parts;
    QVariantList p;
    for (const QString& t : tables) {
        parts
            << QStringLiteral("select max(Form39No) as n from %1 where %2").arg(t, FinancialYear::condition("DcDateT"));
        p << FinancialYear::params(FinancialYear::of(day));
    }
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select max(n) from (%1) s").arg(parts.join(QStringLiteral(" union all "))), p);
    return v.toLongLong() + 1;
}

QStringList goodsNames(QSqlDatabase& db, const Kind& k) {
    return Lookups::recentTexts(db, k.dc->header, k.dc->key, {QStringLiteral("GoodsName")}).value(0);
}

Check validate(QSqlDatabase& db, const Kind& k, const Entry& e) {
    if (e.goodsName.trimmed().isEmpty())
        return Refusal::at("cmbGoodsName", QStringLiteral("Please Enter the Goods Name"));
    if (e.goodsQty.trimmed().isEmpty())
        return Refusal::at("txtGoodsQty", QStringLiteral("Please Enter the Goods Qty "));
    if (e.goodsVal.trimmed().isEmpty())
        return Refusal::at("txtGoodsVal", QStringLiteral("Please Enter the Goods Value"));
    if (e.no <= 0) return Refusal::at("txtForm39No", QStringLiteral("Please Enter the VAT 515 Sl.No."));
    const auto day = dcDate(db, k, e.dcId);
    if (!day) return Refusal::message(QStringLiteral("No data to Store..."));
    if (numberIn(db, k.dc->header, k.dc->key, e.dcId, e.no, *day)) return Refusal::at("txtForm39No", k.duplicate);
    for (const auto& [table, text] : k.others)
        if (numberIn(db, table, {}, 0, e.no, *day)) return Refusal::at("txtForm39No", text);
    return std::nullopt;
}

void store(QSqlDatabase& db, const Kind& k, const Entry& e) {
    enforce(validate(db, k, e));
    Sql::exec(db,
              QStringLiteral("update %1 set Form39No=?, GoodsName=?, GoodsQty=?, GoodsVal=?, Purpose=?, DocuNature=?, "
                             "form39LRNo=? where %2=?")
                  .arg(k.dc->header, k.dc->key),
              {e.no, e.goodsName.trimmed(), e.goodsQty.trimmed(), e.goodsVal.trimmed(),
               Rows::optionalText(e.purpose.trimmed()), Rows::optionalText(e.docuNature.trimmed()),
               Rows::optionalText(e.lrNo.trimmed()), e.dcId});
}

}  // namespace kavra::chain::Form39
