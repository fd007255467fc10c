#pragma once

namespace kavra {

// Makes frmMfgPO, frmDC known to the main window's menu.
void registerSalesScreens();

}  // namespace kavra
