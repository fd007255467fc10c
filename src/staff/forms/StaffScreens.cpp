#include "staff/forms/StaffScreens.h"

#include "staff/forms/StaffScreen.h"

namespace kavra {

void registerStaffScreens() {
    Screens::add(QStringLiteral("frmStaff"), [] { return new FrmStaff; });
}

}  // namespace kavra
