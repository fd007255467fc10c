#pragma once
// Manufacturing sales as the document engine sees it: the customer's order, the DC drawn
// on it, and the invoice written on the DC rows.
#include "core/chain/Form39.h"
#include "core/chain/Kinds.h"

namespace kavra::sales {

const chain::OrderKind& orderKind();
const chain::DcKind& dcKind();
const chain::BillKind& billKind();
// The DC's Form VAT 515 entry.
const chain::Form39::Kind& form39Kind();

}  // namespace kavra::sales
