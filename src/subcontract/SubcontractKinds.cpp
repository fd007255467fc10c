#include "subcontract/SubcontractKinds.h"

#include "inventory/Stores.h"

namespace kavra::subcontract {

const chain::OrderKind& orderKind() {
    static const chain::OrderKind k = [] {
        chain::OrderKind o;
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
        o.lineTexts.enterCode = QStringLiteral("Enter a Valid Item Code/Part No. for the SlNo.");
        o.lineTexts.codeMissing = QStringLiteral("Part No. does not exist ... Press F5 Key to Add New Items!!!");
        o.lineTexts.enterName = QStringLiteral("Enter Item/Component Name for the SlNo. ");
        o.lineTexts.enterUom = QStringLiteral(
            "Enter a Valid 'Unit Of Measurements' 'UOM'  in short Form \n eg., Kg for Kilograms, Nos for Numbers "
            "etc. for the SlNo.%1");
        o.lineTexts.validRate = QStringLiteral("Enter the Valid Rate..... ");
        o.lineTexts.validQty = QStringLiteral("Enter the Valid Qty ..... ");
        o.lineTexts.order = {chain::LineCheck::Code, chain::LineCheck::Name, chain::LineCheck::Drawn,
                             chain::LineCheck::Rate, chain::LineCheck::Qty,  chain::LineCheck::Uom};
        o.duplicateNo = QStringLiteral(" A Record with same Order No. already exist...");
        o.duplicateField = QStringLiteral("cmbSupp");
        o.deleteRefused =
            QStringLiteral("You cannot delete this Purchase Order , since some transactions has been made already...");
        o.find.notFound = QStringLiteral(" NO Purchase Order exists with this No.");
        o.rateFromItem = false;
        o.reTrackBy = QStringLiteral("DcSubConIncoming");
        o.reTrackRefused = QStringLiteral(
            "Change it by %1 Now you should not change the 'Rejections Re-Tracking with this PO Required' !!!\nSome "
            "transactions has been made already with this purchase order!!! ");
        o.namesItems = true;
        return o;
    }();
    return k;
}

const chain::DcKind& outgoingKind() {
    static const chain::DcKind k = [] {
        chain::DcKind d;
        d.header = QStringLiteral("DcSubConOutgoing");
        d.lines = QStringLiteral("DcSubConOutgoingSub");
        d.key = QStringLiteral("DcId");
        d.party = QStringLiteral("SuppId");
        d.partyTable = QStringLiteral("Supplier");
        d.partyName = QStringLiteral("SuppName");
        d.order = &orderKind();
        d.draws = ToSend;
        d.numbers = chain::DcNumbers::Book;
        d.book = QStringLiteral("DCSUBCONOUTGOING");
        d.duplicateNo = QStringLiteral(" A Record with same DC NO. already exists ...");
        d.alreadyMade = {{QStringLiteral("DCINV"),
                          QStringLiteral(" A Record with Same DC NO. already made for SALES - Manufacturing")},
                         {QStringLiteral("DCOUTGOINGINV"),
                          QStringLiteral(" A Record with Same DC NO. already made for LABOUR WORK ")}};
        d.find.notFound = QStringLiteral(" NO DC exists with this No.");
        d.texts.selectParty = QStringLiteral("Please Select a Supplier");
        d.texts.enterDcNo = QStringLiteral("Enter the DC Number ");
        d.texts.selectPo = QStringLiteral("You have to select a PO Number from the list...");
        d.texts.selectPoIcon = MsgIcon::Critical;
        d.texts.emptyGrid = QStringLiteral("Please Enter the item details by clicking the grid heading...");
        d.texts.enterCode = QStringLiteral("Enter Valid Item Code/Part No. for the SlNo.");
        d.texts.codeMissing = QStringLiteral("Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!!");
        d.texts.enterParticulars = QStringLiteral("Enter Particulars for the SlNo. ");
        d.texts.validQty = QStringLiteral("Enter the Valid Qty  ");
        d.texts.stockShort = QStringLiteral("Stock is not enough for this DC...");
        d.texts.openDrawn = QStringLiteral(
            "Since %1 %2  of '%3' has been received Already from Supplier(SubContractor), \n Qty should be greater or "
            "equal to %1");
        d.texts.drawnItem = QStringLiteral(
            "Some of the SlNo. %1 has been received Already from Supplier(SubContractor): its Item and Particulars "
            "cannot change.");
        d.stock = inventory::Stores::issueLink(inventory::IssueSource::SubconOutgoing, QStringLiteral("RedStkSC"));
        d.openBalance = QStringLiteral("BalQty");
        d.tally = QStringLiteral("DcTally");
        d.purpose = true;
        d.signedCopy = false;
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
          QStringLiteral("VAT 515 Sl.No. Already exists in DC Labour...Try Another!!!")}}};
    return k;
}

}  // namespace kavra::subcontract
