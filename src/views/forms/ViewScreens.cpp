#include "views/forms/ViewScreens.h"

#include "views/ProfitAndLoss.h"
#include "views/forms/StatementScreen.h"

namespace kavra {

void registerViewScreens() {
    Screens::add(QStringLiteral("frmView_GPL_NPL"), [] { return new StatementScreen(views::ProfitAndLoss::kind()); });
}

}  // namespace kavra
