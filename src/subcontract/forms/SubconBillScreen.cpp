#include "subcontract/forms/SubconBillScreen.h"

#include "subcontract/SubcontractKinds.h"

namespace kavra {

namespace {

const BillScreenKind& screenKind() {
    static const BillScreenKind k = [] {
        BillScreenKind s =
            WorkBillScreen::kindOf(QStringLiteral("frmInvoiceSC"), QStringLiteral("SUB CONTRACT - INVOICE"),
                                   QStringLiteral("Invoice (Incoming)"), &subcontract::billKind());
        s.party = QStringLiteral("FROM SUPPLIER / SUB-CONTRACTOR");
        s.partyField = QStringLiteral("cmbSupp");
        s.noParty = QStringLiteral("select a supplier First .....");
        s.noDc = QStringLiteral("You cannot Create INVOICE-Incoming without a DC-Incoming!!!");
        s.prints = false;
        s.links = {{"lblCreditNote", QStringLiteral("Debit Note"), QStringLiteral("frmDbCrNote_INV_SC")}};
        return s;
    }();
    return k;
}

}  // namespace

FrmInvoiceSC::FrmInvoiceSC() : WorkBillScreen(screenKind()) {}

}  // namespace kavra
