#pragma once
// Job work as the document engine sees it: the customer's labour order with a balance
// each way, the customer's DC bringing material in (its lines open until sent back) and
// our DC sending it back, drawing on those lines oldest DC first.
#include "core/chain/Form39.h"
#include "core/chain/Kinds.h"

namespace kavra::jobwork {

// Balances of the labour order, in this order.
enum LabourBalance { ToReceive = 0, ToSend = 1 };

const chain::OrderKind& orderKind();
const chain::DcKind& incomingKind();
const chain::DcKind& outgoingKind();
// The labour invoice kept on our DC rows.
const chain::BillKind& billKind();
// Our DC's Form VAT 515 entry.
const chain::Form39::Kind& form39Kind();

}  // namespace kavra::jobwork
