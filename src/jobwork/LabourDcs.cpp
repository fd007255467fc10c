#include "jobwork/LabourDcs.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "jobwork/LabourKinds.h"

namespace kavra::jobwork::Dcs {

namespace Engine = chain::Challans;
namespace Rows = chain::Rows;

namespace {

Engine::Dc engineDc(Way w, const Dc& d) {
    chain::Row more = Engine::carriage(d.transport, d.vehicleNo, d.transFrom, d.transTo, d.remark);
    if (w == Way::Out)
        more.set(QStringLiteral("DeliveryPurpose"), Rows::optionalText(d.deliveryPurpose.left(150)))
            .set(QStringLiteral("DcSign"), d.signedReturned);
    Engine::Dc e{
        d.id, d.custId, d.dcNo, d.dcDate, d.poNo, d.poDate, more, d.lines, w == Way::Out ? d.refDcNo : QString()};
    if (w == Way::Out)
        for (Line& l : e.lines) l.extra = Engine::unrejected();
    return e;
}

Engine::Hooks noHooks() {
    return {};
}

}  // namespace

const chain::DcKind& kindOf(Way w) {
    return w == Way::In ? incomingKind() : outgoingKind();
}

QList<qint64> ids(QSqlDatabase& db, Way w) {
    return Engine::ids(db, kindOf(w));
}

qint64 proposedId(QSqlDatabase& db, Way w) {
    return Engine::proposedId(db, kindOf(w));
}

std::optional<Dc> load(QSqlDatabase& db, Way w, qint64 id) {
    const chain::DcKind& k = kindOf(w);
    const QString own = w == Way::Out ? QStringLiteral("RefDcNo, RefDcDateT, DeliveryPurpose, DcSign, InvNo")
                                      : QStringLiteral("null, null, null, DcTally, null");
    QSqlQuery q =
        Sql::exec(db,
                  QStringLiteral("select CustId, DcNo, DcDateT, PONo, PODateT, Transport, VehicleNo, TransFrom, "
                                 "TransTo, DcRem, %1, %2 from %3 where DcId=?")
                      .arg(own, k.stock.column, k.header),
                  {id});
    if (!q.next()) return std::nullopt;
    Dc d;
    d.id = id;
    Sql::readRow(q, d.custId, Sql::trimmed(d.dcNo), d.dcDate, Sql::trimmed(d.poNo), d.poDate, Sql::trimmed(d.transport),
                 Sql::trimmed(d.vehicleNo), Sql::trimmed(d.transFrom), Sql::trimmed(d.transTo), Sql::trimmed(d.remark),
                 Sql::trimmed(d.refDcNo), d.refDcDate, Sql::trimmed(d.deliveryPurpose));
    if (w == Way::Out) {
        d.signedReturned = q.value(13).toBool();
        if (!q.value(14).isNull()) d.invNo = q.value(14).toString();
    } else {
        d.tallied = q.value(13).toBool();
    }
    if (!q.value(15).isNull() && q.value(15).toLongLong() != 0) d.stockId = q.value(15).toLongLong();
    q = QSqlQuery();
    d.lines = Engine::lines(db, k, id);
    return d;
}

Found find(QSqlDatabase& db, Way w, const QString& dcNo, qint64 custId) {
    return Engine::find(db, kindOf(w), dcNo, custId);
}

EarlierTexts earlierTexts(QSqlDatabase& db, Way w) {
    QStringList cols{QStringLiteral("Transport"), QStringLiteral("VehicleNo"), QStringLiteral("TransFrom"),
                     QStringLiteral("TransTo")};
    if (w == Way::Out) cols << QStringLiteral("DeliveryPurpose");
    const QList<QStringList> t = chain::Lookups::recentTexts(db, kindOf(w).header, QStringLiteral("DcId"), cols);
    return {t[0], t[1], t[2], t[3], w == Way::Out ? t[4] : QStringList()};
}

bool reducesStock(QSqlDatabase& db) {
    return Engine::linkedToStock(db, incomingKind());
}

Engine::Stored storedOf(const Dc& d) {
    return Engine::Stored{d.id, d.custId, d.dcNo, d.poNo, d.stockId, d.lines};
}

Check validate(QSqlDatabase& db, Way w, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::validate(db, kindOf(w), engineDc(w, dc), adding, reduceStock, dcMode);
}

Check changeBlock(QSqlDatabase& db, Way w, qint64 id, bool deleting) {
    return Engine::changeBlock(db, kindOf(w), id, deleting);
}

Check clickBlock(QSqlDatabase& db, Way w, qint64 id) {
    return Engine::clickBlock(db, kindOf(w), id);
}

qint64 save(QSqlDatabase& db, Way w, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::save(db, kindOf(w), engineDc(w, dc), adding, reduceStock, dcMode, noHooks());
}

void remove(QSqlDatabase& db, Way w, qint64 id) {
    Engine::remove(db, kindOf(w), id, noHooks());
}

Print::Document print(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("labdc"), QStringLiteral("LabDC")};
    const auto d = load(db, Way::Out, id);
    if (!d) return doc;
    Print::dcFields(db, doc, d->custId, d->dcNo, Rows::dateText(d->dcDate), QStringLiteral(" Customer PO No:  "),
                    d->poNo, Rows::dateText(d->poDate));
    doc.fields[QStringLiteral("YourDC")] = QStringLiteral(" Customer DC No:  ") + d->refDcNo;
    doc.fields[QStringLiteral("Remarks")] = d->remark;
    QList<qint64> itemIds;
    for (const Line& l : d->lines) itemIds << l.itemId;
    const QHash<qint64, chain::ItemRef> items = chain::Lookups::itemsById(db, itemIds);
    int sl = 0;
    double total = 0;
    for (const Line& l : d->lines) {
        doc.lines.append({++sl, items.value(l.itemId).code + QStringLiteral("  ") + l.particulars, d->refDcNo, l.qty,
                          items.value(l.itemId).unit, l.remark});
        total += l.qty;
    }
    doc.lastPage[QStringLiteral("TotalQty")] = total;
    return doc;
}

}  // namespace kavra::jobwork::Dcs
