#include "sales/forms/SalesScreens.h"

#include "sales/SalesKinds.h"
#include "sales/forms/DCScreen.h"
#include "sales/forms/MfgPOScreen.h"
#include "ui/PONoChngScreen.h"

namespace kavra {

void registerSalesScreens() {
    Screens::add(QStringLiteral("frmMfgPO"), [] { return new FrmMfgPO; });
    Screens::add(QStringLiteral("frmDC"), [] { return new FrmDC; });
    // On its own the change screen lets the user pick the customer's order.
    Screens::add(QStringLiteral("frmPONoChng"), [] { return new FrmPONoChng(sales::orderKind(), 0); });
}

}  // namespace kavra
