#pragma once

namespace kavra {

// The cash and bank screens, under the names the menu opens them by.
void registerCashScreens();

}  // namespace kavra
