#pragma once
// Every chain the document engine serves, for the tests that run over all of them. A new
// chain adds its kinds here.
#include <vector>

#include "core/chain/Kinds.h"

namespace kavra::test {

struct ChainCase {
    const char* name;
    const chain::OrderKind* order;
    std::vector<const chain::DcKind*> dcs;  // each draws on one of the order's balances
    const chain::BillKind* bill;            // written on the rows of dcs.front(); nullptr for none
};

std::vector<ChainCase> chains();

}  // namespace kavra::test
