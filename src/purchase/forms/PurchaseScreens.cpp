#include "purchase/forms/PurchaseScreens.h"

#include "purchase/forms/PurchaseBillScreen.h"
#include "purchase/forms/PurchasePOScreen.h"
#include "ui/Screen.h"

namespace kavra {

void registerPurchaseScreens() {
    Screens::add(QStringLiteral("frmPurchasePO"), [] { return new FrmPurchasePO; });
    Screens::add(QStringLiteral("frmPurchase"), [] { return new FrmPurchase; });
}

}  // namespace kavra
