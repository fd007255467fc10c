#pragma once
// Our DCs sending material to a subcontract supplier. Each line lowers the work order's
// quantity still to send (QtyToSend) and opens a balance (BalQty) of material lying with
// the supplier, which the supplier's DCs draw down. The number is ours, in the DC series
// the numbering mode sets. With the company's stock link for subcontracting on
// (Misc.RedStkSC) the DC issues the material from the stores. Once something has come
// back its lines change in place and it cannot be deleted (the document engine's rules
// for an opening DC).
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Refusal.h"
#include "core/chain/Challans.h"
#include "printing/DocumentPrint.h"

namespace kavra::subcontract::OutgoingDcs {

using Line = chain::Challans::Line;

struct Dc {
    chain::Challans::Record record;
    QList<double> rates;  // per line: the value of one unit of the material sent
    QString estiWt;
    std::optional<QDate> dueDate;  // by when the material is expected back
};

std::optional<Dc> load(QSqlDatabase& db, qint64 id);
// The DC as the engine writes it, with this kind's own columns.
chain::Challans::Dc toEngine(const Dc& d);

bool reducesStock(QSqlDatabase& db);
// The rate of the item's latest line on one of these DCs, else the item's own.
double proposedRate(QSqlDatabase& db, qint64 itemId);

Check validate(QSqlDatabase& db, const Dc& d, bool adding, bool reduceStock, int dcMode);
qint64 save(QSqlDatabase& db, const Dc& d, bool adding, bool reduceStock, int dcMode);
void remove(QSqlDatabase& db, qint64 id);

// The DC on the subcondc_out sheet, or its excise copy with each line's value.
Print::Document print(QSqlDatabase& db, qint64 id, bool excise);

}  // namespace kavra::subcontract::OutgoingDcs
