#include "production/forms/ProductionScreens.h"

#include "production/forms/BreakdownScreen.h"
#include "production/forms/MachineScreen.h"
#include "production/forms/MaintenanceScreens.h"

namespace kavra {

void registerProductionScreens() {
    Screens::add(QStringLiteral("frmMachine"), [] { return new FrmMachine; });
    Screens::add(QStringLiteral("frmMaintain"), [] { return new FrmMaintain; });
    Screens::add(QStringLiteral("frmMaintainPro"), [] { return new FrmMaintainPro; });
    Screens::add(QStringLiteral("frmBrkDnMaint"), [] { return new FrmBrkDnMaint; });
}

}  // namespace kavra
