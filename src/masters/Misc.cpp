#include "masters/Misc.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "core/Db.h"
#include "core/Session.h"
#include "core/Sql.h"

namespace kavra::Misc {

namespace {

struct TextCol {
    const char* col;
    QString Settings::*field;
};
const TextCol kTexts[] = {
    {"PrintHead", &Settings::printHead},
    {"PrintShortAddr", &Settings::printShortAddr},
    {"MyKST", &Settings::myKST},
    {"MyCST", &Settings::myCST},
    {"MyVATRegNo", &Settings::myVATRegNo},
    {"MyPANNo", &Settings::myPANNo},
    {"MyServRegNo", &Settings::myServRegNo},
    {"Rng", &Settings::rng},
    {"Divi", &Settings::divi},
    {"commission", &Settings::commission},
    {"MyCERegNo", &Settings::myCERegNo},
    {"AcctCircle", &Settings::acctCircle},
    {"PrefixQuote", &Settings::prefixQuote},
    {"PrefixPO", &Settings::prefixPO},
    {"PrefixWO", &Settings::prefixWO},
};
struct FlagCol {
    const char* col;
    bool Settings::*field;
};
const FlagCol kFlags[] = {
    {"RedStkM", &Settings::redStkM},
    {"RedStkL", &Settings::redStkL},
    {"RedStkSC", &Settings::redStkSC},
    {"RoffPurch", &Settings::roffPurch},
    {"RoffSales", &Settings::roffSales},
    {"RoffLabour", &Settings::roffLabour},
    {"RoffSubCon", &Settings::roffSubCon},
    {"ReTrkRejPurch", &Settings::reTrkRejPurch},
    {"ReTrkRejMfgSale", &Settings::reTrkRejMfgSale},
    {"ReTrkRejLabourSale", &Settings::reTrkRejLabourSale},
    {"ReTrkRejSubCon", &Settings::reTrkRejSubCon},
};

bool hasRow(QSqlDatabase& db) {
    return Sql::any(db, QStringLiteral("select 1 from Misc"));
}

// Misc holds exactly one row; a second one would make every reader's answer arbitrary.
void ensureRow(QSqlDatabase& db) {
    if (!hasRow(db)) Sql::exec(db, QStringLiteral("insert into Misc (BookType, BookTypeInv) values (1, 1)"));
}

}  // namespace

QString stored(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() ? QStringLiteral(" ") : t;
}

bool detailsEntered(QSqlDatabase& db) {
    // Saving writes every text, a blank for an empty one; only a row never saved has none.
    return Sql::any(db, QStringLiteral("select 1 from Misc where PrintHead is not null"));
}

std::optional<Settings> load(QSqlDatabase& db) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select * from Misc"));
    if (!q.next()) return std::nullopt;
    const QSqlRecord r = q.record();
    Settings s;
    for (const TextCol& c : kTexts) s.*(c.field) = q.value(r.indexOf(QString::fromLatin1(c.col))).toString().trimmed();
    for (const FlagCol& c : kFlags) s.*(c.field) = q.value(r.indexOf(QString::fromLatin1(c.col))).toBool();
    s.bookType = q.value(r.indexOf(QStringLiteral("BookType"))).toInt();
    s.bookTypeInv = q.value(r.indexOf(QStringLiteral("BookTypeInv"))).toInt();
    return s;
}

std::optional<More> loadMore(QSqlDatabase& db) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select sales1to1, labour1to1, SubCon1to1, PF, ESI, OpenBal, DateOpenBal "
                                     "from Misc"));
    if (!q.next()) return std::nullopt;
    More m;
    Sql::readRow(q, m.sales1to1, m.labour1to1, m.subCon1to1, m.pf, m.esi, m.openBal, m.dateOpenBal);
    return m;
}

void save(QSqlDatabase& db, const Settings& s, Session& session) {
    QStringList sets;
    QVariantList params;
    for (const TextCol& c : kTexts) {
        sets << QString::fromLatin1(c.col) + QStringLiteral("=?");
        params << stored(s.*(c.field));
    }
    for (const FlagCol& c : kFlags) {
        sets << QString::fromLatin1(c.col) + QStringLiteral("=?");
        params << (s.*(c.field));
    }
    sets << QStringLiteral("BookType=?") << QStringLiteral("BookTypeInv=?");
    params << s.bookType << s.bookTypeInv;
    Sql::transaction(db, [&] {
        ensureRow(db);
        Sql::exec(db, QStringLiteral("update Misc set ") + sets.join(QLatin1Char(',')), params);
    });
    session.dcMode = s.bookType;
    session.invMode = s.bookTypeInv;
}

void saveMore(QSqlDatabase& db, const More& m) {
    Sql::transaction(db, [&] {
        ensureRow(db);
        Sql::exec(db,
                  QStringLiteral("update Misc set sales1to1=?, labour1to1=?, SubCon1to1=?, PF=?, ESI=?, OpenBal=?, "
                                 "DateOpenBal=?"),
                  {m.sales1to1, m.labour1to1, m.subCon1to1, m.pf, m.esi, m.openBal.toDb(), Db::day(m.dateOpenBal)});
    });
}

}  // namespace kavra::Misc
