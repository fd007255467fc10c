#include "subcontract/forms/SubcontractScreens.h"

#include "subcontract/forms/OutgoingDcScreen.h"
#include "subcontract/forms/WorkOrderScreen.h"
#include "ui/Screen.h"

namespace kavra {

void registerSubcontractScreens() {
    Screens::add(QStringLiteral("frmSubConPO"), [] { return new FrmSubConPO; });
    Screens::add(QStringLiteral("frmDCSubConOut"), [] { return new FrmDCSubConOut; });
}

}  // namespace kavra
