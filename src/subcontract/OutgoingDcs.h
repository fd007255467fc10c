#pragma once
// Our DCs sending material to a subcontract supplier. Each line lowers the work order's
// quantity still to send (QtyToSend) and opens a balance (BalQty) of material lying with
// the supplier, which the supplier's DCs draw down. The number is ours, in the DC series
// the numbering mode sets. With the company's stock link for subcontracting on
// (Misc.RedStkSC) the DC issues the material from the stores. Once something has come
// back its lines change in place and it cannot be deleted. Reading, checking, writing and
// deleting are the document engine's (chain::Challans) for outgoingKind(); what is this
// DC's own is here.
#include <QSqlDatabase>

#include "printing/DocumentPrint.h"

namespace kavra::subcontract::OutgoingDcs {

// The rate of the item's latest line on one of these DCs, else the item's own.
double proposedRate(QSqlDatabase& db, qint64 itemId);

// The DC on the subcondc_out sheet, or its excise copy with each line's value.
Print::Document print(QSqlDatabase& db, qint64 id, bool excise);

}  // namespace kavra::subcontract::OutgoingDcs
