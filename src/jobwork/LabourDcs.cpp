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
    return Engine::record(db, kindOf(w), id);
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

Check validate(QSqlDatabase& db, Way w, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::validate(db, kindOf(w), Engine::toDc(kindOf(w), dc), adding, reduceStock, dcMode);
}

Check changeBlock(QSqlDatabase& db, Way w, qint64 id, bool deleting) {
    return Engine::changeBlock(db, kindOf(w), id, deleting);
}

Check clickBlock(QSqlDatabase& db, Way w, qint64 id) {
    return Engine::clickBlock(db, kindOf(w), id);
}

qint64 save(QSqlDatabase& db, Way w, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    return Engine::save(db, kindOf(w), Engine::toDc(kindOf(w), dc), adding, reduceStock, dcMode, noHooks());
}

void remove(QSqlDatabase& db, Way w, qint64 id) {
    Engine::remove(db, kindOf(w), id, noHooks());
}

Print::Document print(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("labdc"), QStringLiteral("LabDC")};
    const auto d = load(db, Way::Out, id);
    if (!d) return doc;
    Print::dcFields(db, doc, d->party, d->dcNo, Rows::dateText(d->dcDate), QStringLiteral(" Customer PO No:  "),
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
