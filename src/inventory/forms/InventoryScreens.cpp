#include "inventory/forms/InventoryScreens.h"

#include "inventory/forms/StnScreen.h"
#include "inventory/forms/StockIssueScreen.h"

namespace kavra {

void registerInventoryScreens() {
    Screens::add(QStringLiteral("frmSTN"), [] { return new FrmSTN; });
    Screens::add(QStringLiteral("frmStockIssue"), [] { return new FrmStockIssue; });
}

}  // namespace kavra
