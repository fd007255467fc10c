#pragma once
// Company settings: the single Misc row.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Money.h"

namespace kavra {
struct Session;
}

namespace kavra::Misc {

struct Settings {
    QString printHead, printShortAddr, myKST, myCST, myVATRegNo, myPANNo, myServRegNo, rng, divi, commission, myCERegNo,
        acctCircle, prefixQuote, prefixPO, prefixWO;
    bool redStkM = false, redStkL = false, redStkSC = false;
    bool roffPurch = false, roffSales = false, roffLabour = false, roffSubCon = false;
    bool reTrkRejPurch = false, reTrkRejMfgSale = false, reTrkRejLabourSale = false, reTrkRejSubCon = false;
    int bookType = 1;     // 1..3
    int bookTypeInv = 1;  // 1..2
};

struct More {
    bool sales1to1 = false, labour1to1 = false, subCon1to1 = false;
    double pf = 0, esi = 0;
    Money openBal;
    QDate dateOpenBal;
};

// nullopt when Misc has no row yet.
std::optional<Settings> load(QSqlDatabase& db);
// Whether the company's details have been saved once: a new database has its Misc row
// (the numbering modes) but no details yet.
bool detailsEntered(QSqlDatabase& db);
std::optional<More> loadMore(QSqlDatabase& db);
// Writes the settings (adding the row when there is none); texts trimmed, " " when empty.
// The session takes over the numbering modes at once.
void save(QSqlDatabase& db, const Settings& s, Session& session);
void saveMore(QSqlDatabase& db, const More& m);
// The stored form of an optional text.
QString stored(const QString& text);

}  // namespace kavra::Misc
