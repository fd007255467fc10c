#include "jobwork/LabourKinds.h"

#include "core/chain/Bills.h"
#include "inventory/Stores.h"

namespace kavra::jobwork {

namespace {

const QString kEmptyGrid = QStringLiteral("Please Enter the item details by clicking the grid heading.....");
const QString kSelectPo = QStringLiteral("You have to select a PO Number from the list.....");

}  // namespace

const chain::OrderKind& orderKind() {
    static const chain::OrderKind k = [] {
        chain::OrderKind o;
        o.name = QStringLiteral("LAB");
        o.header = QStringLiteral("LabPO");
        o.lines = QStringLiteral("LabPOSub");
        o.party = QStringLiteral("CustId");
        o.partyTable = QStringLiteral("Customer");
        o.partyName = QStringLiteral("CustName");
        o.partyWord = QStringLiteral("Customer");
        o.balances = {{QStringLiteral("QtyToReci"), QStringLiteral("POTallyR"),
                       QStringLiteral("Since %1 %2 of '%3' has been received Already from Customer, \n Qty should be "
                                      "greater or equal to %1")},
                      {QStringLiteral("QtyToSend"), QStringLiteral("POTally"),
                       QStringLiteral("Since %1 %2 of '%3' has been sent Already to Customer, \n Qty should be "
                                      "greater or equal to %1")}};
        o.quotedBy = {QStringLiteral("DCIncoming"), QStringLiteral("DcOutgoingInv")};
        o.lineTexts.emptyGrid = kEmptyGrid;
        o.lineTexts.enterCode = QStringLiteral("Enter a Valid Item Code/Part No. for the SlNo.");
        o.lineTexts.codeMissing = QStringLiteral("Part No. does not exist ... Press F5 Key to Add New Items!!!");
        o.lineTexts.enterName = QStringLiteral("Enter Item/Component Name for the SlNo. ");
        o.lineTexts.enterUom = QStringLiteral(
            "Enter a Valid 'Unit Of Measurements' 'UOM'  in short Form \n eg., Kg for Kilograms, Nos for Numbers "
            "etc. for the SlNo.%1");
        o.lineTexts.validRate = QStringLiteral("Enter the Valid Rate  for the SlNo.%1");
        o.lineTexts.validQty = QStringLiteral("Enter the Valid Qty   for the SlNo.%1");
        o.lineTexts.order = {chain::LineCheck::Code, chain::LineCheck::Name, chain::LineCheck::Drawn,
                             chain::LineCheck::Rate, chain::LineCheck::Qty,  chain::LineCheck::Uom};
        o.duplicateNo = QStringLiteral(" A Record with same Order No. already exist...");
        o.deleteRefused =
            QStringLiteral("You cannot delete this Purchase Order , since some transactions has been made already...");
        o.find.notFound = QStringLiteral(" NO Purchase Order No.(Labour Work) exists with this No.");
        o.find.notFoundIcon = MsgIcon::Exclamation;
        o.find.wrongParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the PO NO. you typed. \nSelect the correct Customer name "
            "matching the PO no. to display the expected Data...");
        o.find.noParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the PO NO. you typed. \nSelect the Customer name for the PO "
            "no. to display the expected Data...");
        // With no earlier line of the item the rate and discount stay empty.
        o.rateFromItem = false;
        o.reTrackBy = QStringLiteral("DcOutgoingInv");
        o.reTrackRefused = QStringLiteral(
            "Change it by %1 Now you should not change the 'Rejections Re-Tracking with this PO Required' !!!\nSome "
            "transactions has been made already with this purchase order!!! ");
        return o;
    }();
    return k;
}

namespace {

// A DC of job work: the customer's, on a labour order, keyed by DcId.
chain::DcKind labourDc(const char* header, const char* lines, int draws) {
    chain::DcKind d;
    d.header = QString::fromLatin1(header);
    d.lines = QString::fromLatin1(lines);
    d.key = QStringLiteral("DcId");
    d.party = QStringLiteral("CustId");
    d.partyTable = QStringLiteral("Customer");
    d.partyName = QStringLiteral("CustName");
    d.order = &orderKind();
    d.draws = draws;
    return d;
}

}  // namespace

const chain::DcKind& incomingKind() {
    static const chain::DcKind k = [] {
        chain::DcKind d = labourDc("DCIncoming", "DcIncomingSub", ToReceive);
        d.numbers = chain::DcNumbers::PerParty;
        d.duplicateNo = QStringLiteral(" A Record with same DC No. already exist ...");
        d.duplicateField = QStringLiteral("cmbCust");
        d.find.notFound = QStringLiteral(" NO DC No.(Incoming) exists with this No.");
        d.find.wrongParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the DC no. you typed. \nSelect the correct Customer name "
            "matching the DC no. to display the expected Data.....");
        d.find.noParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the DC no. you typed. \nSelect the Customer name for the DC "
            "no. to display the expected Data...");
        d.texts.selectParty = QStringLiteral("Please Select a Customer.....");
        d.texts.enterDcNo = QStringLiteral("Enter the DC Number ");
        d.texts.selectPo = kSelectPo;
        d.texts.selectPoIcon = MsgIcon::Critical;
        d.texts.emptyGrid = kEmptyGrid;
        d.texts.enterCode = QStringLiteral("Enter Valid Item Code/Part No. for the SlNo.");
        d.texts.codeMissing = QStringLiteral("Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!!");
        d.texts.enterParticulars = QStringLiteral("Enter Particulars for the SlNo. ");
        d.texts.validQty = QStringLiteral("Enter the Valid Qty ..... ");
        d.texts.openDrawn = QStringLiteral(
            "Since %1 %2  of '%3' has been Sent Already to Customer, \n Qty should be greater or equal to %1");
        d.texts.drawnItem = QStringLiteral(
            "Some of the SlNo. %1 has been Sent Already to Customer: its Item and Particulars cannot change.");
        d.stock = inventory::Stores::noteLink(inventory::NoteSource::LabourIncoming, QStringLiteral("RedStkL"));
        d.openBalance = QStringLiteral("BalQty");
        d.tally = QStringLiteral("DcTally");
        d.blocks = {{chain::DcBlock::Drawn,
                     QStringLiteral("You cannot delete this DC , since some Finished items has been returned back to "
                                    "the customer : %3 !!!"),
                     false, true},
                    {chain::DcBlock::StockDrawn,
                     QStringLiteral("%1 is not Allowed, Since Some material has been issued  after receiving this DC "
                                    "No.: %2")}};
        return d;
    }();
    return k;
}

const chain::DcKind& outgoingKind() {
    static const chain::DcKind k = [] {
        chain::DcKind d = labourDc("DcOutgoingInv", "DcOutgoingSubInv", ToSend);
        d.numbers = chain::DcNumbers::Book;
        d.book = QStringLiteral("DCOUTGOINGINV");
        d.duplicateNo = QStringLiteral(" A Record with same DC NO. already exists ...");
        d.alreadyMade = {{QStringLiteral("DCINV"),
                          QStringLiteral(" A Record with Same DC NO. already made for SALES - Manufacturing !!!")},
                         {QStringLiteral("DCSUBCONOUTGOING"),
                          QStringLiteral(" A Record with Same DC NO. already made for SUB CONTRACT .")}};
        d.find.notFound = QStringLiteral(" NO DC No.(Outgoing) exists with this No.");
        d.texts.selectParty = QStringLiteral("Please Select a Customer.....");
        d.texts.enterDcNo = QStringLiteral("Enter the DC Number..... ");
        d.texts.selectPo = kSelectPo;
        d.texts.selectPoIcon = MsgIcon::Critical;
        d.texts.emptyGrid = kEmptyGrid;
        d.texts.enterCode = QStringLiteral("Select Valid Item Code/Part No. for the SlNo. .....");
        d.texts.codeMissing = QStringLiteral("Select Valid Item Code/Part No. for the SlNo. .....%1");
        d.texts.enterParticulars = QStringLiteral("Enter Particulars for the SlNo. .....");
        d.texts.stockShort = QStringLiteral("Stock is not enough for this DC...");
        d.stock = inventory::Stores::issueLink(inventory::IssueSource::LabourOutgoing, QStringLiteral("RedStkL"));
        d.drawsOn.from = &incomingKind();
        d.drawsOn.track = QStringLiteral("UpdateTrack");
        d.drawsOn.refNo = QStringLiteral("RefDcNo");
        d.drawsOn.refDate = QStringLiteral("RefDcDate");
        d.drawsOn.refDateT = QStringLiteral("RefDcDateT");
        d.drawsOn.onHandLimit = QStringLiteral("Qty should be greater than zero and less than  %1");
        d.noInvoice = QStringLiteral("InvNo");
        d.purpose = true;
        d.purposeWidth = 150;
        d.rejections = true;
        d.billed = true;
        d.blocks = {
            {chain::DcBlock::Invoiced,
             QStringLiteral("%1 not allowed with this DC NO: %2, since Invoice is made already with this DC!!!")},
            {chain::DcBlock::Paid,
             QStringLiteral("%1 not allowed with this DC, since some Cash Flow has been made in this regard!!!")},
            {chain::DcBlock::Rejected,
             QStringLiteral("%1 not allowed with this DC, since some Rejections or Rework Qty from Customer has "
                            "been made!!!")}};
        d.clickBlocks = {
            {chain::DcBlock::Invoiced,
             QStringLiteral("Modification not allowed with this DCNO: %2,  since Invoice is made against this DC!!!")},
            {chain::DcBlock::Paid,
             QStringLiteral("Modification not allowed with this DC, since some Cash Flow has been "
                            "made in this Regard!!!")}};
        return d;
    }();
    return k;
}

const chain::BillKind& billKind() {
    static const chain::BillKind k = [] {
        chain::BillKind b = chain::Bills::standard(&outgoingKind(), QStringLiteral("DCOUTGOINGINV"));
        b.altQty = true;
        b.alreadyMade = {
            {QStringLiteral("DCINV"),
             QStringLiteral(" A Record with Same Invoice No. already made for SALES - Manufacturing !!!")}};
        b.alreadyMadeAlways = true;
        chain::Bills::clearsToo(b, {"VAT", "ServTax", "CessOnServTax"}, {});
        b.roundSetting = QStringLiteral("RoffLabour");
        b.oneDcSetting = QStringLiteral("labour1to1");
        b.selectParty = QStringLiteral("Select a customer Name.....");
        return b;
    }();
    return k;
}

const chain::Form39::Kind& form39Kind() {
    static const chain::Form39::Kind k{
        QStringLiteral("frmForm39_DC_LAB"),
        &outgoingKind(),
        QStringLiteral("VAT 515 Sl.No. Already exists...Try Another!!!"),
        {{QStringLiteral("DcInv"),
          QStringLiteral("VAT 515 Sl.No. Already exists in DC Manufacturing...Try Another!!!")},
         {QStringLiteral("DcSubConOutgoing"),
          QStringLiteral("VAT 515 Sl.No. Already exists in DC Sub Contract...Try Another!!!")}}};
    return k;
}

}  // namespace kavra::jobwork
