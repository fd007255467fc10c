#pragma once
// Subcontracting as the document engine sees it: our work order to a supplier with a
// balance each way, our DC sending the material out, its lines open (BalQty) until the
// supplier's DCs bring the work back, the supplier's DC drawing on them oldest DC first,
// and the supplier's bill kept on the rows of the DCs it covers.
#include "core/chain/Form39.h"
#include "core/chain/Kinds.h"

namespace kavra::subcontract {

// Balances of the work order, in this order.
enum SubconBalance { ToSend = 0, ToReceive = 1 };

const chain::OrderKind& orderKind();
const chain::DcKind& outgoingKind();
// The supplier's DC bringing the worked material back, on the supplier's own number.
const chain::DcKind& incomingKind();
// The supplier's bill for the work, on the supplier's own number.
const chain::BillKind& billKind();
// Our DC's Form VAT 515 entry.
const chain::Form39::Kind& form39Kind();

}  // namespace kavra::subcontract
