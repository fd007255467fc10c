#pragma once
// Buying as the document engine sees it: our order to a vendor, its lines counted down by
// the vendor's bills (QtyToReci).
#include "core/chain/Kinds.h"

namespace kavra::purchase {

const chain::OrderKind& orderKind();

}  // namespace kavra::purchase
