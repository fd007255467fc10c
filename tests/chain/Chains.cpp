#include "Chains.h"

#include "sales/SalesKinds.h"

namespace kavra::test {

std::vector<ChainCase> chains() {
    return {
        {"sales", &sales::orderKind(), {&sales::dcKind()}, &sales::billKind()},
    };
}

}  // namespace kavra::test
