#include "purchase/PurchaseKinds.h"

namespace kavra::purchase {

const chain::OrderKind& orderKind() {
    static const chain::OrderKind k = [] {
        chain::OrderKind o;
        o.name = QStringLiteral("PURCH");
        o.header = QStringLiteral("PurchPO");
        o.lines = QStringLiteral("PurchPOSub");
        o.party = QStringLiteral("VendorCode");
        o.partyTable = QStringLiteral("Vendor");
        o.partyName = QStringLiteral("VendorName");
        o.partyWord = QStringLiteral("Vendor");
        o.partyAddress = QStringLiteral("VendorAddr");
        o.balances = {{QStringLiteral("QtyToReci"), QStringLiteral("POTally"),
                       QStringLiteral("Since %1 %2 of '%3' has been Received from Vendor Already, \n Qty should be "
                                      "greater or equal to %1")}};
        o.numbers = chain::OrderNumbers::PerYear;
        o.quotedBy = {QStringLiteral("Purchase")};
        o.lineTexts.emptyGrid = QStringLiteral("Please Enter the item details by clicking the grid heading...");
        o.lineTexts.enterCode = QStringLiteral("Enter the Item for the SlNo. ");
        o.lineTexts.codeMissing = QStringLiteral("Item does not exist ... Press F5 Key to Add New Items!!!");
        o.lineTexts.enterName = QStringLiteral("Enter Item/Component Name for the SlNo. ");
        o.lineTexts.enterUom = QStringLiteral(
            "Enter a Valid 'Unit Of Measurements' 'UOM'  in short Form  eg., Kg for Kilograms, Nos for Numbers etc.\n "
            "for the SlNo.%1");
        o.lineTexts.validQty = QStringLiteral("Enter the Valid Qty.....  ");
        o.lineTexts.validRate = QStringLiteral("Enter the Valid Rate..... ");
        o.lineTexts.order = {chain::LineCheck::Code, chain::LineCheck::Name, chain::LineCheck::Uom,
                             chain::LineCheck::Qty,  chain::LineCheck::Rate, chain::LineCheck::Drawn};
        o.duplicateNo = QStringLiteral(" A Record with same Order No. already exist...");
        o.duplicateField = QStringLiteral("cmbVendor");
        o.deleteRefused =
            QStringLiteral("You cannot delete this Purchase Order , since some transactions has been made already...");
        o.find.notFound = QStringLiteral(" NO Purchase Order exists with this No.");
        o.reTrackBy = QStringLiteral("Purchase");
        o.reTrackRefused = QStringLiteral(
            "Some transactions has been made already with this purchase order!!!  Now you should not change the "
            "'Rejections Re-Tracking with this PO Required' !!!\nChange it by %1");
        return o;
    }();
    return k;
}

}  // namespace kavra::purchase
