#include "purchase/forms/PurchaseScreens.h"

#include "purchase/forms/PurchaseBillScreen.h"
#include "ui/Screen.h"

namespace kavra {

void registerPurchaseScreens() {
    Screens::add(QStringLiteral("frmPurchase"), [] { return new FrmPurchase; });
}

}  // namespace kavra
