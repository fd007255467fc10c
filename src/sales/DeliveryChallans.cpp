#include "sales/DeliveryChallans.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "sales/SalesKinds.h"

namespace kavra::sales::Dcs {

namespace Engine = chain::Challans;
namespace Rows = chain::Rows;

namespace {

Engine::Dc engineDc(const Dc& d) {
    chain::Row more = Engine::carriage(d.transport, d.vehicleNo, d.transFrom, d.transTo, d.remark);
    more.set(QStringLiteral("DeliveryPurpose"), Rows::optionalText(d.deliveryPurpose))
        .set(QStringLiteral("DcSign"), d.signedReturned);
    Engine::Dc e{d.id, d.custId, d.dcNo, d.dcDate, d.poNo, d.poDate, more, d.lines};
    for (Line& l : e.lines) l.extra = Engine::unrejected();
    return e;
}

Engine::Hooks hooks() {
    Engine::Hooks h;
    // A DC whose every line is "NV" needs no invoice.
    h.afterLines = [](QSqlDatabase& db, const Engine::Dc& dc) {
        bool allNv = !dc.lines.isEmpty();
        for (const Line& l : dc.lines)
            if (l.remark.trimmed().toUpper() != QLatin1String("NV")) allNv = false;
        Sql::exec(db, QStringLiteral("update DcInv set InvNo=? where DcInvId=?"),
                  {allNv ? QVariant(QStringLiteral("Nil")) : Rows::nullText(), dc.id});
    };
    return h;
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db) {
    return Engine::ids(db, dcKind());
}

qint64 proposedId(QSqlDatabase& db) {
    return Engine::proposedId(db, dcKind());
}

std::optional<Dc> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select CustId, DcNo, DcDateT, PONo, PODateT, Transport, VehicleNo, "
                                           "TransFrom, TransTo, DeliveryPurpose, DcRem, DcSign, InvNo, StoreIssId, "
                                           "TotVal, Balance from DcInv where DcInvId=?"),
                            {id});
    if (!q.next()) return std::nullopt;
    Dc d;
    d.id = id;
    Sql::readRow(q, d.custId, Sql::trimmed(d.dcNo), d.dcDate, Sql::trimmed(d.poNo), d.poDate, Sql::trimmed(d.transport),
                 Sql::trimmed(d.vehicleNo), Sql::trimmed(d.transFrom), Sql::trimmed(d.transTo),
                 Sql::trimmed(d.deliveryPurpose), Sql::trimmed(d.remark), d.signedReturned);
    if (!q.value(12).isNull()) d.invNo = q.value(12).toString();
    if (!q.value(13).isNull()) d.storeIssId = q.value(13).toLongLong();
    if (!q.value(14).isNull()) d.totVal = Money::fromDb(q.value(14));
    if (!q.value(15).isNull()) d.balance = Money::fromDb(q.value(15));
    q = QSqlQuery();
    d.lines = Engine::lines(db, dcKind(), id);
    return d;
}

Found find(QSqlDatabase& db, const QString& dcNo) {
    return Engine::find(db, dcKind(), dcNo, 0);
}

QStringList openOrders(QSqlDatabase& db, qint64 custId) {
    return Engine::openOrders(db, dcKind(), custId);
}

std::optional<QDate> orderDate(QSqlDatabase& db, qint64 custId, const QString& poNo) {
    return Engine::orderDate(db, dcKind(), custId, poNo);
}

std::optional<QStringList> openOrderItemCodes(QSqlDatabase& db, qint64 custId, const QString& poNo) {
    return Engine::openOrderItemCodes(db, dcKind(), custId, poNo);
}

QList<chain::ItemRef> pickItems(QSqlDatabase& db, qint64 custId, const QString& poNo) {
    return Engine::pickItems(db, dcKind(), custId, poNo);
}

EarlierTexts earlierTexts(QSqlDatabase& db) {
    const QList<QStringList> t = chain::Lookups::recentTexts(
        db, QStringLiteral("DcInv"), QStringLiteral("DcInvId"),
        {QStringLiteral("Transport"), QStringLiteral("VehicleNo"), QStringLiteral("TransFrom"),
         QStringLiteral("TransTo"), QStringLiteral("DeliveryPurpose")});
    return {t[0], t[1], t[2], t[3], t[4]};
}

QHash<qint64, Figures> figures(QSqlDatabase& db, const Context& c, const QList<qint64>& itemIds) {
    std::optional<Engine::Stored> stored;
    if (c.stored)
        stored = Engine::Stored{c.stored->id,   c.stored->custId,     c.stored->dcNo,
                                c.stored->poNo, c.stored->storeIssId, c.stored->lines};
    return Engine::figures(db, dcKind(), {c.custId, c.poNo, stored}, itemIds);
}

bool reducesStock(QSqlDatabase& db) {
    return Engine::linkedToStock(db, dcKind());
}

Check validate(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::validate(db, dcKind(), engineDc(dc), adding, reduceStock, dcMode);
}

Check changeBlock(QSqlDatabase& db, qint64 id, bool deleting) {
    return Engine::changeBlock(db, dcKind(), id, deleting);
}

Check clickBlock(QSqlDatabase& db, qint64 id) {
    return Engine::clickBlock(db, dcKind(), id);
}

QString modifyQuestion(const Dc& stored) {
    if (stored.invNo && !stored.invNo->trimmed().isEmpty())
        return QStringLiteral(
                   "CAUTION: Your Previous INVOICE Values with respect to this DCNO will be Made as ZERO !!!") +
               QStringLiteral("\n\n") + QStringLiteral("Are You Sure To Modify?");
    return QStringLiteral("Are You Sure To Modify?");
}

std::optional<QString> stockNotice(const Dc& stored) {
    if (stored.storeIssId) return std::nullopt;
    return QStringLiteral("While creating this record, Stock option was not Choosen...") + QLatin1Char('\n') +
           QStringLiteral(" So skipping UPDATING STOCK  for this Record....");
}

qint64 save(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::save(db, dcKind(), engineDc(dc), adding, reduceStock, dcMode, hooks());
}

void remove(QSqlDatabase& db, qint64 id) {
    Engine::remove(db, dcKind(), id, hooks());
}

Print::Document print(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("MFGDC"), QStringLiteral("MfgDC")};
    const auto d = load(db, id);
    if (!d) return doc;
    Print::dcFields(db, doc, d->custId, d->dcNo, Rows::dateText(d->dcDate), QStringLiteral(" Your PO No:  "), d->poNo,
                    Rows::dateText(d->poDate));
    QStringList transport;
    if (!d->transport.isEmpty()) transport << d->transport;
    if (!d->vehicleNo.isEmpty()) transport << QStringLiteral("Vehicle No: ") + d->vehicleNo;
    doc.fields[QStringLiteral("Transport")] = transport.join(QStringLiteral("  "));
    doc.fields[QStringLiteral("Remarks")] = d->remark;
    QList<qint64> itemIds;
    for (const Line& l : d->lines) itemIds << l.itemId;
    const QHash<qint64, chain::ItemRef> items = chain::Lookups::itemsById(db, itemIds);
    double total = 0;
    int sl = 0;
    for (const Line& l : d->lines) {
        doc.lines.append({++sl, l.particulars, l.qty, items.value(l.itemId).unit, l.remark});
        total += l.qty;
    }
    doc.lastPage[QStringLiteral("TotalQty")] = total;
    return doc;
}

}  // namespace kavra::sales::Dcs
