#include "sales/SalesKinds.h"

#include "core/chain/Bills.h"
#include "inventory/Stores.h"

namespace kavra::sales {

const chain::OrderKind& orderKind() {
    static const chain::OrderKind k = [] {
        chain::OrderKind o;
        o.name = QStringLiteral("MFG");
        o.header = QStringLiteral("MfgPO");
        o.lines = QStringLiteral("MfgPOSub");
        o.party = QStringLiteral("CustId");
        o.partyTable = QStringLiteral("Customer");
        o.partyName = QStringLiteral("CustName");
        o.partyWord = QStringLiteral("Customer");
        o.balances = {{QStringLiteral("QtyToSend"), QStringLiteral("POTally"),
                       QStringLiteral("Since %1 %2 of '%3' has been sent to Customer Already, \n Qty should be "
                                      "greater or equal to %1")}};
        o.quotedBy = {QStringLiteral("DcInv")};
        o.reTrackBy = QStringLiteral("DcInv");
        o.reTrackRefused = QStringLiteral(
            "Some transactions has been made already with this purchase order!!!  Now you should not change the "
            "'Rejections Re-Tracking with this PO Required' !!!\nChange it by %1");
        o.lineTexts.emptyGrid = QStringLiteral("Please Enter the Item details by clicking the grid heading...");
        o.lineTexts.enterCode = QStringLiteral("Enter a Valid Item Code/Part No. for the SlNo. .....");
        o.lineTexts.codeMissing = QStringLiteral("Part No. does not exist ... Press F5 Key to Add New Items!!!");
        o.lineTexts.enterName = QStringLiteral("Enter Item/Component Name for the SlNo. ");
        o.lineTexts.enterUom = QStringLiteral(
            "Enter a Valid 'Unit Of Measurements' 'UOM'  in short Form  eg., Kg for Kilograms, Nos for Numbers "
            "etc.\n for the SlNo.%1");
        o.lineTexts.validQty = QStringLiteral("Enter the Valid Qty ..... ");
        o.lineTexts.validRate = QStringLiteral("Enter the Valid Rate ");
        o.duplicateNo = QStringLiteral(" A Record with same Order No. already exist...");
        o.duplicateNoOnAdd = QStringLiteral(" A Record with same Order No. already exist.....");
        o.deleteRefused =
            QStringLiteral("You cannot delete this Purchase Order , since some transactions has been made already...");
        o.find.notFound = QStringLiteral(" NO Purchase Order No.(Manufacturing) exists with this No.");
        o.find.wrongParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the PO NO. you typed. \nSelect the correct Customer name "
            "matching the PO no. to display the expected Data...");
        o.find.noParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the PO No. you typed. \nSelect the Customer name for the PO "
            "no. to display the expected Data...");
        return o;
    }();
    return k;
}

const chain::DcKind& dcKind() {
    static const chain::DcKind k = [] {
        chain::DcKind d;
        d.header = QStringLiteral("DcInv");
        d.lines = QStringLiteral("DcInvSub");
        d.key = QStringLiteral("DcInvId");
        d.party = QStringLiteral("CustId");
        d.partyTable = QStringLiteral("Customer");
        d.partyName = QStringLiteral("CustName");
        d.order = &orderKind();
        d.draws = 0;
        d.numbers = chain::DcNumbers::Book;
        d.book = QStringLiteral("DCINV");
        d.duplicateNo = QStringLiteral(" A Record with same DC NO. already exists ...");
        d.alreadyMade = {{QStringLiteral("DCOUTGOINGINV"),
                          QStringLiteral(" A Record with Same DC NO. already made for SALES - Labour Work .")},
                         {QStringLiteral("DCSUBCONOUTGOING"),
                          QStringLiteral(" A Record with Same DC NO. already made for SUB CONTRACT .")}};
        d.find.notFound = QStringLiteral(" NO DC exists with this No.");
        d.texts.selectParty = QStringLiteral("Please Select a Customer");
        d.texts.enterDcNo = QStringLiteral("Enter the DC Number ");
        d.texts.selectPo = QStringLiteral("You have to select a PO Number from the list...");
        d.texts.emptyGrid = QStringLiteral("Please Enter the Item details by clicking the grid heading.....");
        d.texts.enterCode = QStringLiteral("Enter Valid Item Code/Part No. for the SlNo.");
        d.texts.codeMissing = QStringLiteral("Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!!");
        d.texts.enterParticulars = QStringLiteral("Enter Particulars for the SlNo. ");
        d.texts.validQty = QStringLiteral("Enter the Valid Qty  ");
        d.texts.stockShort = QStringLiteral("Stock is not enough for this DC...");
        d.stock = inventory::Stores::issueLink(inventory::IssueSource::MfgDc, QStringLiteral("RedStkM"));
        d.purpose = true;
        d.rejections = true;
        d.billed = true;
        d.blocks = {
            {chain::DcBlock::Invoiced,
             QStringLiteral("%1 not allowed with this DC NO: %2, since Invoice is made already with this DC!!!")},
            {chain::DcBlock::Rejected, QStringLiteral("%1 not allowed with this DC No: %2, since Rejection and "
                                                      "Rework Qty from Customer has been made!!!")},
            {chain::DcBlock::Paid, QStringLiteral("%1 not allowed with this DC No: %2, since some Cash flow has "
                                                  "been made in this regard!!!")}};
        d.clickBlocks = {
            {chain::DcBlock::Invoiced,
             QStringLiteral(
                 "Modification not allowed with this DC NO: %2, since Invoice is made already with this DC!!!")},
            {chain::DcBlock::Paid,
             QStringLiteral("Modification not allowed with this DC, since some Cash Flow has been "
                            "made in this regard!!!")}};
        return d;
    }();
    return k;
}

const chain::BillKind& billKind() {
    static const chain::BillKind k = [] {
        chain::BillKind b = chain::Bills::standard(&dcKind(), QStringLiteral("DCINV"));
        b.alreadyMade = {{QStringLiteral("DCOUTGOINGINV"),
                          QStringLiteral(" A Record with Same Invoice No. already made for SALES - Labour Work !!!")}};
        const QVariant none(QMetaType::fromType<QString>());
        for (const char* c : {"InvoiceRemovalDate", "GoodsRemovalDate"}) b.cleared.set(QString::fromLatin1(c), none);
        chain::Bills::clearsToo(b,
                                {"Excise", "CessOnED", "HighCessOnED", "CST", "KST", "CessOnKST", "Surcharge", "VAT"},
                                {"IsFormC", "IsForm37", "IsFormH"});
        return b;
    }();
    return k;
}

const chain::Form39::Kind& form39Kind() {
    static const chain::Form39::Kind k{
        QStringLiteral("frmForm39_DC_MFG"),
        &dcKind(),
        QStringLiteral("VAT 515 Sl.No. Already exists...Try Another!!!"),
        {{QStringLiteral("DcOutgoingInv"),
          QStringLiteral("VAT 515 Sl.No. Already exists in DC Labour Work...Try Another!!!")},
         {QStringLiteral("DcSubConOutgoing"),
          QStringLiteral("VAT 515 Sl.No. Already exists in DC Sub Contract...Try Another!!!")}}};
    return k;
}

}  // namespace kavra::sales
