#pragma once

namespace kavra {

// The machine master and the maintenance screens, under the names the menu opens them by.
void registerProductionScreens();

}  // namespace kavra
