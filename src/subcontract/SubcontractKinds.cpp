#include "subcontract/SubcontractKinds.h"

#include "core/chain/Bills.h"
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

namespace {

// A job-work DC turned to the supplier: its tables, on our work order's balance.
chain::DcKind withSupplier(chain::DcKind d, const char* header, const char* lines, int draws) {
    d.party = QStringLiteral("SuppId");
    d.partyTable = QStringLiteral("Supplier");
    d.partyName = QStringLiteral("SuppName");
    d.header = QString::fromLatin1(header);
    d.lines = QString::fromLatin1(lines);
    d.order = &orderKind();
    d.draws = draws;
    return d;
}

}  // namespace

const chain::DcKind& outgoingKind() {
    static const chain::DcKind k = [] {
        // The incoming labour DC's part in the flow (its lines open until the work comes
        // back, changed in place once some has), with our own number and a store issue.
        chain::DcKind d = withSupplier(jobwork::incomingKind(), "DcSubConOutgoing", "DcSubConOutgoingSub", ToSend);
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

const chain::DcKind& incomingKind() {
    static const chain::DcKind k = [] {
        // Our outgoing labour DC reversed: each line drawn from what lies with the supplier,
        // oldest DC first, on the supplier's number, with the incoming DC's transfer note.
        chain::DcKind d = withSupplier(jobwork::outgoingKind(), "DcSubConIncoming", "DcSubConIncomingSub", ToReceive);
        d.numbers = chain::DcNumbers::PerParty;
        d.book.clear();
        d.alreadyMade.clear();
        d.duplicateNo = QStringLiteral(" A Record with same DC NO. already exist...");
        d.duplicateField = QStringLiteral("txtDCNo");
        d.find.notFound = jobwork::incomingKind().find.notFound;
        d.find.notFoundIcon = MsgIcon::Information;
        d.find.wrongParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the DC no. you typed. \nSelect the correct Supplier name "
            "matching the DC no. to display the expected Data.....");
        d.find.noParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the DC no. you typed. \nSelect the Supplier name for the DC "
            "no. to display the expected Data...");
        d.texts.selectParty = QStringLiteral("Please Select a Supplier.....");
        d.texts.enterCode = QStringLiteral("Select Valid Item Code/Part No. for the SlNo.");
        d.texts.codeMissing = QStringLiteral("Select Valid Item Code/Part No. for the SlNo.%1");
        d.texts.enterParticulars = QStringLiteral("Enter Particulars for the SlNo. ");
        d.texts.stockShort.clear();
        d.stock = inventory::Stores::noteLink(inventory::NoteSource::SubconIncoming, QStringLiteral("RedStkSC"));
        d.drawsOn.from = &outgoingKind();
        d.purpose = false;
        d.purposeWidth = 0;
        d.signedAlone = true;
        const QString dcNo = QStringLiteral("%1 not allowed with this DC NO: %2, since ");
        d.blocks = {
            {chain::DcBlock::Invoiced, dcNo + QStringLiteral("Invoice is made already with this DC!!!")},
            {chain::DcBlock::Paid, dcNo + QStringLiteral("some Cash Flow has been made in this Regard!!!")},
            {chain::DcBlock::Rejected, dcNo + QStringLiteral("Rejections or Rework Qty. has been made already!!!")},
            {chain::DcBlock::StockDrawn,
             QStringLiteral("%1 is not Allowed, Since Some material has been issued  after receiving this "
                            "challan: %2")}};
        d.clickBlocks = {
            {chain::DcBlock::Invoiced,
             QStringLiteral("Modification not allowed with this DC, since Invoice is made against this DC!!!")},
            {chain::DcBlock::Paid, QStringLiteral("Modification not allowed with this DC, since some Cash Flow has "
                                                  "been made in this regard!!!")}};
        return d;
    }();
    return k;
}

const chain::BillKind& billKind() {
    static const chain::BillKind k = [] {
        // The labour invoice on the supplier's DCs: the supplier's number, unique to the
        // supplier in any year, dated by its day, with a credit note in place of the debit note.
        chain::BillKind b = chain::Bills::standard(&incomingKind(), {}, QStringLiteral("Credit"));
        b.altQty = true;
        chain::Bills::clearsToo(b, {"VAT", "ServTax", "CessOnServTax", "Credit", "TDS"}, {});
        b.numberPerParty = true;
        b.duplicateNo = QStringLiteral(" Invoice Number already exists...");
        b.notFound = QStringLiteral(" NO Inv No.(Incoming) exists with this No.");
        b.find.notFound = b.notFound;
        b.find.wrongParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the Inv no. you typed. \nSelect the correct supplier name "
            "matching the Inv no. to display the expected Data...");
        b.find.noParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the Inv no. you typed. \nSelect the supplier name for the "
            "Inv no. to display the expected Data.....");
        b.dayOnly = true;
        b.ratesOfParty = true;
        b.savedToo.set(QStringLiteral("Credit"), 0).set(QStringLiteral("TDS"), 0);
        b.moneyModify = QStringLiteral("Modification not allowed  in this Context!!!");
        b.stockDrawnDelete =
            QStringLiteral("Deletion  not Allowed, Since Some material has been issued  in this Bill Regard!!!");
        b.roundSetting = QStringLiteral("RoffSubCon");
        b.oneDcSetting = QStringLiteral("SubCon1to1");
        b.selectParty = QStringLiteral("Select a supplier Name.....");
        b.partyField = QStringLiteral("cmbSupp");
        return b;
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
