#include "cash/forms/CashScreens.h"

#include "cash/forms/BankScreen.h"
#include "cash/forms/BankTransScreen.h"
#include "cash/forms/HeadScreens.h"
#include "cash/forms/LedgerScreen.h"

namespace kavra {

void registerCashScreens() {
    Screens::add(QStringLiteral("frmIncome"), [] { return new FrmHead(Heads::income()); });
    Screens::add(QStringLiteral("frmExpense"), [] { return new FrmHead(Heads::expense()); });
    Screens::add(QStringLiteral("frmBanks"), [] { return new FrmBanks; });
    Screens::add(QStringLiteral("frmBankTrans"), [] { return new FrmBankTrans; });
    Screens::add(QStringLiteral("frmReceipts"), [] { return new LedgerScreen(receiptsScreen()); });
    Screens::add(QStringLiteral("frmPayments"), [] { return new LedgerScreen(paymentsScreen()); });
}

}  // namespace kavra
