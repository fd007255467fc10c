// A DC as the screens show it, read and written with the columns its kind keeps.
#include <QSqlQuery>

#include "core/Db.h"
#include "core/Sql.h"
#include "core/chain/Challans.h"
#include "core/chain/Rows.h"

namespace kavra::chain::Challans {

std::optional<Record> record(QSqlDatabase& db, const DcKind& k, qint64 id) {
    const QString none = QStringLiteral("null");
    const QStringList own{
        k.purpose ? (k.signedCopy ? QStringLiteral("DeliveryPurpose, DcSign") : QStringLiteral("DeliveryPurpose, null"))
                  : (k.signedAlone ? QStringLiteral("null, DcSign") : QStringLiteral("null, null")),
        k.drawsOn ? k.drawsOn.refNo + QStringLiteral(", ") + k.drawsOn.refDateT : QStringLiteral("null, null"),
        k.tally.isEmpty() ? none : k.tally,
        k.billed ? QStringLiteral("InvNo, TotVal, Balance") : QStringLiteral("null, null, null"),
        k.stock ? k.stock.column : none};
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select %1, DcNo, DcDateT, PONo, PODateT, Transport, VehicleNo, TransFrom, "
                                           "TransTo, DcRem, %2 from %3 where %4=?")
                                .arg(k.party, own.join(QStringLiteral(", ")), k.header, k.key),
                            {id});
    if (!q.next()) return std::nullopt;
    Record r;
    r.id = id;
    Sql::readRow(q, r.party, Sql::trimmed(r.dcNo), r.dcDate, Sql::trimmed(r.poNo), r.poDate, Sql::trimmed(r.transport),
                 Sql::trimmed(r.vehicleNo), Sql::trimmed(r.transFrom), Sql::trimmed(r.transTo), Sql::trimmed(r.remark),
                 Sql::trimmed(r.deliveryPurpose));
    r.signedReturned = q.value(11).toBool();
    r.refDcNo = q.value(12).toString().trimmed();
    r.refDcDate = q.value(13).toDate();
    r.tallied = q.value(14).toBool();
    if (!q.value(15).isNull()) r.invNo = q.value(15).toString();
    if (!q.value(16).isNull()) r.totVal = Money::fromDb(q.value(16));
    if (!q.value(17).isNull()) r.balance = Money::fromDb(q.value(17));
    if (!q.value(18).isNull() && q.value(18).toLongLong() != 0) r.stockId = q.value(18).toLongLong();
    q = QSqlQuery();
    if (k.weightAndDue) {
        q = Sql::exec(db, QStringLiteral("select EstiWt, duedate from %1 where %2=?").arg(k.header, k.key), {id});
        if (q.next()) {
            r.estiWt = q.value(0).toString().trimmed();
            if (!q.value(1).isNull()) r.dueDate = q.value(1).toDate();
        }
        q = QSqlQuery();
    }
    r.lines = lines(db, k, id);
    return r;
}

Dc toDc(const DcKind& k, const Record& r) {
    Row more = carriage(r.transport, r.vehicleNo, r.transFrom, r.transTo, r.remark);
    if (k.purpose) {
        const QString purpose = k.purposeWidth > 0 ? r.deliveryPurpose.left(k.purposeWidth) : r.deliveryPurpose;
        more.set(QStringLiteral("DeliveryPurpose"), Rows::optionalText(purpose));
        if (k.signedCopy) more.set(QStringLiteral("DcSign"), r.signedReturned);
    }
    if (k.signedAlone) more.set(QStringLiteral("DcSign"), r.signedReturned);
    if (k.weightAndDue)
        more.set(QStringLiteral("EstiWt"), Rows::optionalText(r.estiWt))
            .set(QStringLiteral("duedate"), Db::day(r.dueDate.value_or(QDate())));
    Dc d{r.id, r.party, r.dcNo, r.dcDate, r.poNo, r.poDate, more, r.lines, k.drawsOn ? r.refDcNo : QString()};
    if (k.rejections)
        for (Line& l : d.lines) l.extra = unrejected();
    if (k.lineRates)
        for (Line& l : d.lines) l.extra.set(QStringLiteral("Rate"), l.rate);
    return d;
}

Stored storedOf(const Record& r) {
    return Stored{r.id, r.party, r.dcNo, r.poNo, r.stockId, r.lines};
}

}  // namespace kavra::chain::Challans
