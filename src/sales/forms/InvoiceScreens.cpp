#include "sales/forms/InvoiceScreens.h"

#include "sales/forms/InvoiceScreen.h"

namespace kavra {

void registerInvoiceScreens() {
    Screens::add(QStringLiteral("frmInvoice"), [] { return new FrmInvoice; });
}

}  // namespace kavra
