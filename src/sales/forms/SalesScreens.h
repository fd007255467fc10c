#pragma once

namespace kavra {

// Makes frmMfgPO, frmDC and frmPONoChng known to the main window's menu.
void registerSalesScreens();

}  // namespace kavra
