#include "sales/forms/SalesScreens.h"

namespace kavra {

void registerSalesScreens() {}

}  // namespace kavra
