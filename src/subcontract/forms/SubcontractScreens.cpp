#include "subcontract/forms/SubcontractScreens.h"

#include "subcontract/forms/SubconBillScreen.h"
#include "subcontract/forms/SubcontractDcScreens.h"
#include "subcontract/forms/WorkOrderScreen.h"
#include "ui/Screen.h"

namespace kavra {

void registerSubcontractScreens() {
    Screens::add(QStringLiteral("frmSubConPO"), [] { return new FrmSubConPO; });
    Screens::add(QStringLiteral("frmDCSubConOut"), [] { return new FrmDCSubConOut; });
    Screens::add(QStringLiteral("frmDCSubConIn"), [] { return new FrmDCSubConIn; });
    Screens::add(QStringLiteral("frmInvoiceSC"), [] { return new FrmInvoiceSC; });
}

}  // namespace kavra
