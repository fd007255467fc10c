#include "AppSetup.h"

#include <QDate>
#include <QLocale>
#include <cstdio>

#include "cash/forms/CashScreens.h"
#include "core/Db.h"
#include "core/forms/AdminScreens.h"
#include "inventory/forms/InventoryScreens.h"
#include "jobwork/forms/JobworkScreens.h"
#include "masters/forms/ItemScreens.h"
#include "masters/forms/MiscScreens.h"
#include "masters/forms/PartyScreen.h"
#include "printing/forms/FrmColHeadingPR.h"
#include "production/forms/ProductionScreens.h"
#include "purchase/forms/PurchaseScreens.h"
#include "quality/forms/CalibrateScreens.h"
#include "sales/forms/InvoiceScreens.h"
#include "sales/forms/SalesScreens.h"
#include "staff/forms/StaffScreens.h"
#include "subcontract/forms/SubcontractScreens.h"
#include "views/forms/ViewScreens.h"

namespace kavra {

bool configure(const QStringList& args) {
    const QString err = dbConfig().parse(args);
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return false;
    }
    return true;
}

bool localeFits(const QLocale& l) {
    const QDate probe(2026, 12, 31);
    return l.toString(probe, QLocale::ShortFormat) == probe.toString(QStringLiteral("dd/MM/yyyy")) &&
           l.decimalPoint() == QLatin1String(".");
}

void setupLocale() {
    // Dates are read and shown dd/MM/yyyy and numbers typed with a point whatever the
    // workstation is set to: its own locale is kept only when it already does both.
    if (!localeFits(QLocale::system())) QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

void registerAllScreens() {
    registerAdminScreens();
    registerMiscScreens();
    registerItemScreens();
    registerPartyScreens();
    registerPrintingScreens();
    registerInventoryScreens();
    registerSalesScreens();
    registerInvoiceScreens();
    registerJobworkScreens();
    registerPurchaseScreens();
    registerSubcontractScreens();
    registerCashScreens();
    registerQualityScreens();
    registerProductionScreens();
    registerStaffScreens();
    registerViewScreens();
}

}  // namespace kavra
