#include "data/SchemaParts.h"

namespace kavra::data {

// Indexes for the look-ups the document screens and their saves make on a grown year, so
// that none of them reads a whole table or sorts one.
QStringList lookupIndexesSchema() {
    return {
        // An order by its number and party, the newest first where a number came twice.
        "CREATE INDEX ix_MfgPO_PONo_CustId ON MfgPO (PONo, CustId, POId)",
        // The line of an order's item, as DCs draw on it and give it back.
        "CREATE INDEX ix_MfgPOSub_POId_ItemId ON MfgPOSub (POId, ItemId)",
        "CREATE INDEX ix_LabPOSub_POId_ItemId ON LabPOSub (POId, ItemId)",
        // An invoice's DC rows share number, customer and time; the invoices in the order
        // they are shown read this index alone.
        "CREATE INDEX ix_DcInv_Bill ON DcInv (InvDateT, InvNo, CustId, DcInvId)",
        // A customer's DCs newest first: those still to invoice, the taxes of the last invoice.
        "CREATE INDEX ix_DcInv_CustId_DcInvId ON DcInv (CustId, DcInvId)",
        // An item's newest invoiced line, for the rate proposed when its order has none.
        "CREATE INDEX ix_DcInvSub_Item_Newest ON DcInvSub (ItemId, DcInvId DESC, SlNo)",
        // The particulars typed before for an item, in the order they are offered.
        "CREATE INDEX ix_ProductL_Item_Name ON ProductL (ItemId, ProdName)",
        // A party's ledger rows by the name as it is compared on a rename: padded or not,
        // in any case.
        "CREATE INDEX ix_FundTrans_PartyKey ON FundTrans (lower(trim(PartyName)))",
    };
}

}  // namespace kavra::data
