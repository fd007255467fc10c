#pragma once
// Cash and bank balances are never stored: they are summed from the ledger, the bank
// transactions and the opening balances whenever a money screen shows them. One routine
// for every money screen's panel, a few grouped sums however large the ledger.
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include "core/Money.h"

namespace kavra::Balances {

struct BankBalance {
    qint64 bankId = 0;
    QString name;
    Money balance, creditLimit;
};

struct Panel {
    QList<BankBalance> banks;  // by name
    Money cash;
};

Panel cashAndBanks(QSqlDatabase& db);

// A balance as the panel writes it: "5000.00 (-)" below 0, "5000.00 (+)" otherwise.
QString panelText(Money m);

}  // namespace kavra::Balances
