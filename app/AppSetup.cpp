#include "AppSetup.h"

#include <QLocale>
#include <cstdio>

#include "core/Db.h"
#include "core/forms/AdminScreens.h"
#include "inventory/forms/InventoryScreens.h"
#include "masters/forms/ItemScreens.h"
#include "masters/forms/MiscScreens.h"
#include "masters/forms/PartyScreen.h"
#include "printing/forms/FrmColHeadingPR.h"
#include "sales/forms/InvoiceScreens.h"
#include "sales/forms/SalesScreens.h"

namespace kavra {

bool configure(const QStringList& args) {
    const QString err = dbConfig().parse(args);
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return false;
    }
    return true;
}

void setupLocale() {
    const QLocale sys = QLocale::system();
    if (sys.language() == QLocale::C) QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
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
}

}  // namespace kavra
