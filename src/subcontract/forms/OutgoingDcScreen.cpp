#include "subcontract/forms/OutgoingDcScreen.h"

#include "printing/forms/ShownPrint.h"
#include "subcontract/OutgoingDcs.h"
#include "subcontract/SubcontractKinds.h"

namespace kavra {

namespace {

void printOf(DcScreen* screen, bool excise) {
    Print::printShown(
        screen, screen->controller(),
        [screen, excise](qint64 id) { return subcontract::OutgoingDcs::print(screen->prod().db(), id, excise); },
        Print::Document{excise ? QStringLiteral("subcondc_outExcise") : QStringLiteral("subcondc_out"),
                        QStringLiteral("subcondc_out")});
}

const DcScreenKind& outgoing() {
    static const DcScreenKind k = [] {
        DcScreenKind s;
        s.screen = QStringLiteral("frmDCSubConOut");
        s.caption = QStringLiteral("SUB CONTRACT");
        s.heading = QStringLiteral("DC - Outgoing (Sub Contract)");
        s.party = QStringLiteral("TO  SUPPLIER / SUB-CONTRACTOR");
        s.idName = QStringLiteral("txtDcID");
        s.dcNo = QStringLiteral("DC NO.");
        s.partyField = QStringLiteral("cmbSupp");
        s.partyPlaceholder = QStringLiteral("(Select a Supplier)");
        s.poCaption = QStringLiteral("OUR ORDER NO.");
        s.headingNoParty = QStringLiteral("Please select a Supplier Name ....!!!");
        s.orderClosed = QStringLiteral("check 'OUR ORDER NO.' i.e Purchase order ...");
        s.gridHeading = QStringLiteral(
            " SlNo |Item Code / Part No.         | Particulars                              |     Qty    | Rate        "
            "|Remarks         |Stk.Qty  | PO Bal.Qty   ");
        s.notes = {QStringLiteral("PO Bal. Qty ---> Balance Qty.  TO BE SENT as per PO")};
        s.form39 = &subcontract::form39Kind();
        s.rateCol = 4;
        s.proposedRate = subcontract::OutgoingDcs::proposedRate;
        s.stockCol = 6;
        s.poBalCol = 7;
        s.kind = &subcontract::outgoingKind();
        s.record.adding = QStringLiteral("You are about to ADD a NEW DC Now...");
        s.record.modifying = QStringLiteral("You are about to MODIFY the existing DC now...");
        s.record.deleting = QStringLiteral("You are about to DELETE the existing DC now...");
        s.record.emptyTable = QStringLiteral("No records to Display");
        s.print = [](DcScreen* screen, qint64) { printOf(screen, false); };
        s.printExcise = [](DcScreen* screen, qint64) { printOf(screen, true); };
        s.pendingSide = QStringLiteral("lblAnnexureII");
        s.pendingSideCaption = QStringLiteral("Annexure II");
        s.pendingSideText = QStringLiteral("This screen is not available yet.");
        return s;
    }();
    return k;
}

}  // namespace

FrmDCSubConOut::FrmDCSubConOut() : DcScreen(outgoing()) {}

}  // namespace kavra
