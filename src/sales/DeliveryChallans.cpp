#include "sales/DeliveryChallans.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "sales/SalesKinds.h"

namespace kavra::sales::Dcs {

namespace Engine = chain::Challans;
namespace Rows = chain::Rows;

QList<qint64> ids(QSqlDatabase& db) {
    return Engine::ids(db, dcKind());
}

qint64 proposedId(QSqlDatabase& db) {
    return Engine::proposedId(db, dcKind());
}

std::optional<Dc> load(QSqlDatabase& db, qint64 id) {
    return Engine::record(db, dcKind(), id);
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
    if (c.stored) stored = Engine::storedOf(*c.stored);
    return Engine::figures(db, dcKind(), {c.custId, c.poNo, stored}, itemIds);
}

bool reducesStock(QSqlDatabase& db) {
    return Engine::linkedToStock(db, dcKind());
}

Check validate(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::validate(db, dcKind(), Engine::toDc(dcKind(), dc), adding, reduceStock, dcMode);
}

Check changeBlock(QSqlDatabase& db, qint64 id, bool deleting) {
    return Engine::changeBlock(db, dcKind(), id, deleting);
}

Check clickBlock(QSqlDatabase& db, qint64 id) {
    return Engine::clickBlock(db, dcKind(), id);
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

QString modifyQuestion(const Dc& stored) {
    if (stored.invNo && !stored.invNo->trimmed().isEmpty())
        return QStringLiteral(
                   "CAUTION: Your Previous INVOICE Values with respect to this DCNO will be Made as ZERO !!!") +
               QStringLiteral("\n\n") + QStringLiteral("Are You Sure To Modify?");
    return QStringLiteral("Are You Sure To Modify?");
}

std::optional<QString> stockNotice(const Dc& stored) {
    if (stored.stockId) return std::nullopt;
    return QStringLiteral("While creating this record, Stock option was not Choosen...") + QLatin1Char('\n') +
           QStringLiteral(" So skipping UPDATING STOCK  for this Record....");
}

qint64 save(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::save(db, dcKind(), Engine::toDc(dcKind(), dc), adding, reduceStock, dcMode, hooks());
}

void remove(QSqlDatabase& db, qint64 id) {
    Engine::remove(db, dcKind(), id, hooks());
}

Print::Document print(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("MFGDC"), QStringLiteral("MfgDC")};
    const auto d = load(db, id);
    if (!d) return doc;
    Print::dcFields(db, doc, d->party, d->dcNo, Rows::dateText(d->dcDate), QStringLiteral(" Your PO No:  "), d->poNo,
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
