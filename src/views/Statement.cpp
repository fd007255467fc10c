#include "views/Statement.h"

#include <QLocale>

#include "core/Db.h"

namespace kavra::views {

Check checkPeriod(const StatementKind& k, const Period& p) {
    if (!k.asOn && p.from > p.to) return Refusal::at(QStringLiteral("dtpFrom"), k.fromAfterTo, MsgIcon::Exclamation);
    return std::nullopt;
}

QVariantList periodBounds(const Period& p) {
    return {Db::ts(p.from.startOfDay()), Db::ts(p.to.addDays(1).startOfDay())};
}

QVariantList dayBounds(const Period& p) {
    return {Db::day(p.from), Db::day(p.to.addDays(1))};
}

QString printDate(const QDate& d) {
    return QLocale::c().toString(d, QStringLiteral("dd-MMM-yyyy"));
}

}  // namespace kavra::views
