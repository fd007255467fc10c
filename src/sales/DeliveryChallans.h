#pragma once
// Delivery challans for manufactured goods. A DC against a customer's open order takes
// each line's quantity from the order line of the same item; with the company's stock
// link on (Misc.RedStkM) it also issues the goods from the stores. Changing or deleting
// a DC first gives back exactly what it took (the document engine's DC rules). The
// invoice made later is kept in the same DcInv row; an invoiced, rejected or paid DC can
// no longer change.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Found.h"
#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Challans.h"
#include "printing/DocumentPrint.h"

namespace kavra::sales::Dcs {

using Line = chain::Challans::Line;

using Dc = chain::Challans::Record;

QList<qint64> ids(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Dc> load(QSqlDatabase& db, qint64 id);
// The newest DC with this number (numbers restart every financial year).
Found find(QSqlDatabase& db, const QString& dcNo);

// ---- What the screen offers.
QStringList openOrders(QSqlDatabase& db, qint64 custId);
std::optional<QDate> orderDate(QSqlDatabase& db, qint64 custId, const QString& poNo);
std::optional<QStringList> openOrderItemCodes(QSqlDatabase& db, qint64 custId, const QString& poNo);
QList<chain::ItemRef> pickItems(QSqlDatabase& db, qint64 custId, const QString& poNo);
// The texts earlier DCs carry, offered in the transport and purpose lists: the most recent
// few hundred distinct ones of each.
struct EarlierTexts {
    QStringList transport, vehicleNo, transFrom, transTo, deliveryPurpose;
};
EarlierTexts earlierTexts(QSqlDatabase& db);

using Figures = chain::Challans::Figures;
struct Context {
    qint64 custId = 0;
    QString poNo;
    std::optional<Dc> stored;  // the DC being modified
};
QHash<qint64, Figures> figures(QSqlDatabase& db, const Context& c, const QList<qint64>& itemIds);

// ---- Rules.
bool reducesStock(QSqlDatabase& db);
Check validate(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode);
// Why a stored DC can no longer be modified (deleting = false) or deleted.
Check changeBlock(QSqlDatabase& db, qint64 id, bool deleting);
// What a click into a stored DC's lines says instead of starting to modify it.
Check clickBlock(QSqlDatabase& db, qint64 id);
// The question before Modify; a DC marked "Nil" carries a caution.
QString modifyQuestion(const Dc& stored);
// The notice shown when a DC being changed or deleted took nothing from stock.
std::optional<QString> stockNotice(const Dc& stored);

// The manufacturing DC's own part of the save: "Nil" for a DC needing no invoice.
chain::Challans::Hooks hooks();
qint64 save(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode);
void remove(QSqlDatabase& db, qint64 id);

Print::Document print(QSqlDatabase& db, qint64 id);

}  // namespace kavra::sales::Dcs
