#include "subcontract/forms/SubcontractDcScreens.h"

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

// A DC of subcontracting: with a supplier, on our work order, keyed by DcId.
DcScreenKind subcontractDc(const QString& screen, const QString& heading, const QString& party,
                           const QString& poCaption) {
    DcScreenKind s;
    s.screen = screen;
    s.caption = QStringLiteral("SUB CONTRACT");
    s.heading = heading;
    s.party = party;
    s.idName = QStringLiteral("txtDcID");
    s.dcNo = QStringLiteral("DC NO.");
    s.partyField = QStringLiteral("cmbSupp");
    s.partyPlaceholder = QStringLiteral("(Select a Supplier)");
    s.poCaption = poCaption;
    s.headingNoParty = QStringLiteral("Please select a Supplier Name ....!!!");
    s.orderClosed = QStringLiteral("check '") + poCaption + QStringLiteral("' i.e Purchase order ...");
    s.record.adding = QStringLiteral("You are about to ADD a NEW DC Now...");
    s.record.modifying = QStringLiteral("You are about to MODIFY the existing DC now...");
    s.record.deleting = QStringLiteral("You are about to DELETE the existing DC now...");
    s.record.emptyTable = QStringLiteral("No records to Display");
    return s;
}

const DcScreenKind& outgoing() {
    static const DcScreenKind k = [] {
        DcScreenKind s =
            subcontractDc(QStringLiteral("frmDCSubConOut"), QStringLiteral("DC - Outgoing (Sub Contract)"),
                          QStringLiteral("TO  SUPPLIER / SUB-CONTRACTOR"), QStringLiteral("OUR ORDER NO."));
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
        s.print = [](DcScreen* screen, qint64) { printOf(screen, false); };
        s.printExcise = [](DcScreen* screen, qint64) { printOf(screen, true); };
        s.pendingSide = QStringLiteral("lblAnnexureII");
        s.pendingSideCaption = QStringLiteral("Annexure II");
        s.pendingSideText = QStringLiteral("This screen is not available yet.");
        return s;
    }();
    return k;
}

const DcScreenKind& incoming() {
    static const DcScreenKind k = [] {
        DcScreenKind s =
            subcontractDc(QStringLiteral("frmDCSubConIn"), QStringLiteral("DC - Incoming (Sub Contract)"),
                          QStringLiteral("FROM SUPPLIER / SUB-CONTRACTOR"), QStringLiteral("OUR P.O. NO."));
        s.poHint = QStringLiteral("Confirm by pressing ENTER key, after typing 'Our P.O. NO.'(Purchase Order) ");
        s.refCaption = QStringLiteral("OUR DC NO.");
        s.refField = QStringLiteral("cmbRefDCNo");
        s.detailsNoParty = QStringLiteral("You must select a 'Supplier' from the list... ");
        s.gridHeading = QStringLiteral(
            " Sl.No |Item Code / Part No.       | Particulars                                         |     Qty     | "
            "Remarks  |Qty. Left   | PO Bal.Qty  ");
        s.remarkHint = QStringLiteral("   Type NV in Remarks for \n   the Particulars that has \n   No Invoice Value");
        s.notes = {QStringLiteral("+  Qty Left ---> Unfinished Qty. available with supplier"),
                   QStringLiteral("+  PO Bal. Qty ---> Balance Qty.  to be Received as per PO")};
        s.partyTip = QStringLiteral(
            "If NO SUBCONTRACTORS found in this list, then all the Incoming Material has been received from "
            "respective subcontractors already (there is NO PENDING ITEMS)");
        s.rejections = QStringLiteral("frmRejection_SC_DC_IN");
        s.onHandCol = 5;
        s.poBalCol = 6;
        s.kind = &subcontract::incomingKind();
        return s;
    }();
    return k;
}

}  // namespace

FrmDCSubConOut::FrmDCSubConOut() : DcScreen(outgoing()) {}

FrmDCSubConIn::FrmDCSubConIn() : DcScreen(incoming()) {}

}  // namespace kavra
