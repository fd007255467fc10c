#include "subcontract/SubcontractKinds.h"

#include "inventory/Stores.h"
#include "jobwork/LabourKinds.h"

namespace kavra::subcontract {

const chain::OrderKind& orderKind() {
    static const chain::OrderKind k = [] {
        // The labour order reversed: its line checks, refusals and re-tracking rule, with
        // the purchase order's yearly number over all suppliers.
        chain::OrderKind o = jobwork::orderKind();
        o.name = QStringLiteral("SUBCON");
        o.header = QStringLiteral("SubConPO");
        o.lines = QStringLiteral("SubConPOSub");
        o.party = QStringLiteral("SuppId");
        o.partyTable = QStringLiteral("Supplier");
        o.partyName = QStringLiteral("SuppName");
        o.partyWord = QStringLiteral("Supplier");
        o.partyAddress = QStringLiteral("SuppAddr");
        o.balances = {{QStringLiteral("QtyToSend"), QStringLiteral("POTallyS"),
                       QStringLiteral("Since %1 %2 of '%3' has been sent to subContractor Already, \n Qty should be "
                                      "greater or equal to %1")},
                      {QStringLiteral("QtyToReci"), QStringLiteral("POTally"),
                       QStringLiteral("Since %1 %2 of '%3' has been received from subContractor Already, \n Qty "
                                      "should be greater or equal to %1")}};
        o.numbers = chain::OrderNumbers::PerYear;
        o.quotedBy = {QStringLiteral("DcSubConOutgoing"), QStringLiteral("DcSubConIncoming")};
        o.lineTexts.emptyGrid = QStringLiteral("Please Enter the item details by clicking the grid heading...");
        o.lineTexts.validRate = QStringLiteral("Enter the Valid Rate..... ");
        o.lineTexts.validQty = QStringLiteral("Enter the Valid Qty ..... ");
        o.duplicateField = QStringLiteral("cmbSupp");
        o.find = {QStringLiteral(" NO Purchase Order exists with this No."), {}, {}};
        o.reTrackBy = QStringLiteral("DcSubConIncoming");
        o.namesItems = true;
        return o;
    }();
    return k;
}

const chain::DcKind& outgoingKind() {
    static const chain::DcKind k = [] {
        // The incoming labour DC's part in the flow (its lines open until the work comes
        // back, changed in place once some has), with our own number and a store issue.
        chain::DcKind d = jobwork::incomingKind();
        d.party = QStringLiteral("SuppId");
        d.partyTable = QStringLiteral("Supplier");
        d.partyName = QStringLiteral("SuppName");
        d.header = QStringLiteral("DcSubConOutgoing");
        d.lines = QStringLiteral("DcSubConOutgoingSub");
        d.order = &orderKind();
        d.draws = ToSend;
        d.numbers = chain::DcNumbers::Book;
        d.book = QStringLiteral("DCSUBCONOUTGOING");
        d.duplicateNo = jobwork::outgoingKind().duplicateNo;
        d.duplicateField = QStringLiteral("txtDCNo");
        d.alreadyMade = {{QStringLiteral("DCINV"),
                          QStringLiteral(" A Record with Same DC NO. already made for SALES - Manufacturing")},
                         {QStringLiteral("DCOUTGOINGINV"),
                          QStringLiteral(" A Record with Same DC NO. already made for LABOUR WORK ")}};
        d.find = {QStringLiteral(" NO DC exists with this No."), {}, {}};
        d.texts.selectParty = QStringLiteral("Please Select a Supplier");
        d.texts.selectPo = QStringLiteral("You have to select a PO Number from the list...");
        d.texts.emptyGrid = QStringLiteral("Please Enter the item details by clicking the grid heading...");
        d.texts.validQty = QStringLiteral("Enter the Valid Qty  ");
        d.texts.stockShort = jobwork::outgoingKind().texts.stockShort;
        d.texts.openDrawn = QStringLiteral(
            "Since %1 %2  of '%3' has been received Already from Supplier(SubContractor), \n Qty should be greater or "
            "equal to %1");
        d.texts.drawnItem = QStringLiteral(
            "Some of the SlNo. %1 has been received Already from Supplier(SubContractor): its Item and Particulars "
            "cannot change.");
        d.stock = inventory::Stores::issueLink(inventory::IssueSource::SubconOutgoing, QStringLiteral("RedStkSC"));
        d.purpose = true;
        d.signedCopy = false;
        d.weightAndDue = true;
        d.lineRates = true;
        d.blocks = {{chain::DcBlock::Drawn,
                     QStringLiteral("You cannot delete this DC , since some Finished Items has been received back from "
                                    "this supplier in this regard!!!"),
                     false, true}};
        return d;
    }();
    return k;
}

const chain::Form39::Kind& form39Kind() {
    static const chain::Form39::Kind k{
        QStringLiteral("frmForm39_SC_DC_OUT"),
        &outgoingKind(),
        QStringLiteral("VAT 515 Sl.No. Already exists...Try Another!!!"),
        {{QStringLiteral("DcInv"),
          QStringLiteral("VAT 515 Sl.No. Already exists in DC Manufacturing...Try Another!!!")},
         {QStringLiteral("DcOutgoingInv"),
          QStringLiteral("VAT 515 Sl.No. Already exists in DC Labour Work...Try Another!!!")}}};
    return k;
}

}  // namespace kavra::subcontract
