#pragma once
// The customer's DCs bringing material in for job work (Way::In) and ours sending it back
// worked (Way::Out). An incoming DC lowers the order's quantity still to receive and opens
// a balance per line; an outgoing DC takes each line from those balances, oldest DC first,
// keeps what it took (UpdateTrack) and lowers the order's quantity still to send. With the
// company's stock link for job work on (Misc.RedStkL) the incoming DC raises a transfer
// note and the outgoing one an issue. Changing or deleting a DC gives back exactly what it
// took (the document engine's DC rules).
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
#include "core/Refusal.h"
#include "core/chain/Challans.h"
#include "printing/DocumentPrint.h"

namespace kavra::jobwork::Dcs {

enum class Way { In, Out };
const chain::DcKind& kindOf(Way w);

using Line = chain::Challans::Line;

using Dc = chain::Challans::Record;

QList<qint64> ids(QSqlDatabase& db, Way w);
qint64 proposedId(QSqlDatabase& db, Way w);
std::optional<Dc> load(QSqlDatabase& db, Way w, qint64 id);
// In: the customer's DC of that number (the chosen customer picks among several); Out: the newest.
Found find(QSqlDatabase& db, Way w, const QString& dcNo, qint64 custId);

// The earlier texts the transport (and, Out, purpose) lists offer, newest first.
struct EarlierTexts {
    QStringList transport, vehicleNo, transFrom, transTo, deliveryPurpose;
};
EarlierTexts earlierTexts(QSqlDatabase& db, Way w);

bool reducesStock(QSqlDatabase& db);
Check validate(QSqlDatabase& db, Way w, const Dc& dc, bool adding, bool reduceStock, int dcMode);
Check changeBlock(QSqlDatabase& db, Way w, qint64 id, bool deleting);
Check clickBlock(QSqlDatabase& db, Way w, qint64 id);
qint64 save(QSqlDatabase& db, Way w, const Dc& dc, bool adding, bool reduceStock, int dcMode);
void remove(QSqlDatabase& db, Way w, qint64 id);

// The outgoing DC on the labdc sheet.
Print::Document print(QSqlDatabase& db, qint64 id);

}  // namespace kavra::jobwork::Dcs
