#include "sales/forms/InvoiceScreens.h"

#include "sales/forms/InvoiceScreen.h"
#include "sales/forms/ServiceInvoiceScreen.h"

namespace kavra {

void registerInvoiceScreens() {
    Screens::add(QStringLiteral("frmInvoice"), [] { return new FrmInvoice; });
    Screens::add(QStringLiteral("frmInvoiceServOut"),
                 [] { return new ServiceInvoiceScreen(sales::ServiceInvoices::outgoing()); });
    Screens::add(QStringLiteral("frmInvoiceServIn"),
                 [] { return new ServiceInvoiceScreen(sales::ServiceInvoices::incoming()); });
}

}  // namespace kavra
