#include "jobwork/forms/JobworkScreens.h"

#include "jobwork/forms/LabourPOScreen.h"
#include "ui/Screen.h"

namespace kavra {

void registerJobworkScreens() {
    Screens::add(QStringLiteral("frmLabourPO"), [] { return new FrmLabourPO; });
}

}  // namespace kavra
