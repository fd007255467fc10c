#include "core/FinancialYear.h"

#include "core/Db.h"

namespace kavra::FinancialYear {

QString condition(const QString& column) {
    return column + QStringLiteral(">=? and ") + column + QStringLiteral("<?");
}

QVariantList params(int year) {
    const Bounds b = bounds(year);
    return {Db::ts(b.from), Db::ts(b.to)};
}

}  // namespace kavra::FinancialYear
