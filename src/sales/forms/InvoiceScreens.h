#pragma once

namespace kavra {

// Makes frmInvoice known to the main window's menu.
void registerInvoiceScreens();

}  // namespace kavra
