#pragma once

namespace kavra {

// The purchase screens, under the names the menu opens them by.
void registerPurchaseScreens();

}  // namespace kavra
