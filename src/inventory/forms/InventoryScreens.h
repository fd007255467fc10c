#pragma once

namespace kavra {

// Makes frmSTN, frmStockIssue known to the main window's menu.
void registerInventoryScreens();

}  // namespace kavra
