#include "jobwork/forms/LabourInvoiceScreen.h"

#include "jobwork/LabourInvoices.h"
#include "jobwork/LabourKinds.h"
#include "printing/forms/ShownPrint.h"

namespace kavra {

namespace Inv = jobwork::Invoices;

namespace {

const BillScreenKind& screenKind() {
    static const BillScreenKind k = [] {
        BillScreenKind s = WorkBillScreen::kindOf(QStringLiteral("frmInvoiceL"), QStringLiteral("LABOUR - INVOICE"),
                                                  QStringLiteral("Labour Invoice"), &jobwork::billKind());
        s.noDc = QStringLiteral("You cannot Create INVOICE without a DC-Outgoing!!!");
        s.book = QStringLiteral("DCOUTGOINGINV");
        s.links = {{"lblDebitNote", QStringLiteral("Debit Note"), QStringLiteral("frmDbCrNote_INV_LAB")}};
        s.record.modifying = QStringLiteral("You are about to MODIFY the existing Invoice now...");
        return s;
    }();
    return k;
}

}  // namespace

FrmInvoiceL::FrmInvoiceL() : WorkBillScreen(screenKind()) {}

void FrmInvoiceL::print() {
    Print::printShown(
        this, ctl_, [this](qint64 id) { return Inv::printDocument(prod().db(), id); },
        Print::Document{QStringLiteral("LABINV"), QStringLiteral("LABINV")});
}

}  // namespace kavra
