#include "purchase/forms/PurchaseScreens.h"

#include "ui/Screen.h"

namespace kavra {

void registerPurchaseScreens() {}

}  // namespace kavra
