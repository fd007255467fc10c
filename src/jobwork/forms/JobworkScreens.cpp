#include "jobwork/forms/JobworkScreens.h"

#include "jobwork/forms/LabourDCScreens.h"
#include "jobwork/forms/LabourInvoiceScreen.h"
#include "jobwork/forms/LabourPOScreen.h"
#include "ui/Screen.h"

namespace kavra {

void registerJobworkScreens() {
    Screens::add(QStringLiteral("frmLabourPO"), [] { return new FrmLabourPO; });
    Screens::add(QStringLiteral("frmDCIncoming"), [] { return new FrmDCIncoming; });
    Screens::add(QStringLiteral("frmDCOutgoing"), [] { return new FrmDCOutgoing; });
    Screens::add(QStringLiteral("frmInvoiceL"), [] { return new FrmInvoiceL; });
}

}  // namespace kavra
