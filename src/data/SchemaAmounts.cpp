#include "data/SchemaParts.h"

namespace kavra::data {

// Rates, and the packing, surcharge and other charges users type, were kept in paise;
// they are numbers as typed (a rate of 0.125 bills 1,250.00 on 10,000), so each column
// becomes a number in rupees. Computed amounts (values, balances) stay in paise.
QStringList amountsAsTypedSchema() {
    struct Col {
        const char *table, *column;
        bool notNull;
    };
    const Col cols[] = {{"Item", "Rate", false},      {"MfgPOSub", "Rate", true},      {"DcInvSub", "Rate", true},
                        {"MfgPO", "PackForwd", true}, {"MfgPO", "OtherChrg", true},    {"DcInv", "PackForwd", true},
                        {"DcInv", "FinalDisc", true}, {"DcInv", "AnyOtherChrg", true}, {"DcInv", "Surcharge", true}};
    QStringList m;
    for (const Col& c : cols) {
        const QString t = QString::fromLatin1(c.table), col = QString::fromLatin1(c.column);
        const QString typed = col + QStringLiteral("Typed");
        m << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 DOUBLE PRECISION%3")
                 .arg(t, typed, c.notNull ? QStringLiteral(" NOT NULL DEFAULT 0") : QString())
          << QStringLiteral("UPDATE %1 SET %2 = %3 / 100.0 WHERE %3 IS NOT NULL").arg(t, typed, col)
          << QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(t, col)
          << QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3").arg(t, typed, col);
    }
    return m;
}

}  // namespace kavra::data
