#pragma once

namespace kavra {

// The subcontract screens, under the names the menu opens them by.
void registerSubcontractScreens();

}  // namespace kavra
