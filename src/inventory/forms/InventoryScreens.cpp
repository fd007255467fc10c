#include "inventory/forms/InventoryScreens.h"

namespace kavra {

void registerInventoryScreens() {}

}  // namespace kavra
