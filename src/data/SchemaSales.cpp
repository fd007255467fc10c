#include "data/SchemaParts.h"

namespace kavra::data {

// Money columns hold paise (BIGINT); quantities and percentages are DOUBLE PRECISION.
QStringList ordersAndDcsSchema() {
    QStringList m;
    // Customer orders: the header existed with its key columns only.
    for (const char* c : {"PODate TEXT", "PODateT TIMESTAMP", "ValidFrom DATE", "ValidTo DATE", "payTerm TEXT",
                          "Remark TEXT", "TINperc DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "CSTperc DOUBLE PRECISION NOT NULL DEFAULT 0", "PackForwd BIGINT NOT NULL DEFAULT 0",
                          "IsPackForwdPerc BOOLEAN NOT NULL DEFAULT FALSE", "OtherChrg BIGINT NOT NULL DEFAULT 0",
                          "PurchVal BIGINT NOT NULL DEFAULT 0", "NoOfItems INTEGER NOT NULL DEFAULT 0",
                          "ProfInvno TEXT", "ProfInvDate TIMESTAMP", "ReTrkRej BOOLEAN NOT NULL DEFAULT FALSE",
                          "Cancl BOOLEAN NOT NULL DEFAULT FALSE", "POTally BOOLEAN NOT NULL DEFAULT FALSE",
                          // the ship-to address typed on the order; blank keeps the customer's own
                          "ShipTo TEXT"})
        m << QStringLiteral("ALTER TABLE MfgPO ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_MfgPO_PONo ON MfgPO (PONo)"
      << "CREATE INDEX ix_MfgPO_Open ON MfgPO (CustId, POTally, Cancl)";
    // The line tables were placeholders keyed by a counter; nothing wrote them.
    m << "DROP TABLE MfgPoSub"
      << "CREATE TABLE MfgPOSub (POId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, UOM {NAME}, "
         "Qty DOUBLE PRECISION NOT NULL DEFAULT 0, Rate BIGINT NOT NULL DEFAULT 0, "
         "Discount DOUBLE PRECISION NOT NULL DEFAULT 0, QtyToSend DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "PRIMARY KEY (POId, SlNo))"
      << "CREATE INDEX ix_MfgPOSub_Item ON MfgPOSub (ItemId)";
    // Delivery challans and the invoice columns kept in the same row.
    for (const char* c : {"PONo TEXT",
                          "PODate TEXT",
                          "PODateT TIMESTAMP",
                          "Transport TEXT",
                          "VehicleNo TEXT",
                          "TransFrom TEXT",
                          "TransTo TEXT",
                          "DeliveryPurpose TEXT",
                          "DcRem TEXT",
                          "DcSign BOOLEAN NOT NULL DEFAULT FALSE",
                          "NoOfItems INTEGER NOT NULL DEFAULT 0",
                          "RejRem TEXT",
                          "StoreIssId BIGINT",
                          "Form39No BIGINT",
                          "TotVal BIGINT",
                          "Balance BIGINT",
                          "PackForwd BIGINT NOT NULL DEFAULT 0",
                          "IsPackForwdPerc BOOLEAN NOT NULL DEFAULT FALSE",
                          "FinalDisc BIGINT NOT NULL DEFAULT 0",
                          "IsFinalDiscPerc BOOLEAN NOT NULL DEFAULT FALSE",
                          "AnyOtherChrg BIGINT NOT NULL DEFAULT 0",
                          "Excise DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "CessOnED DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "HighCessOnED DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "CST DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "IsFormC BOOLEAN NOT NULL DEFAULT FALSE",
                          "KST DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "CessOnKST DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "IsForm37 BOOLEAN NOT NULL DEFAULT FALSE",
                          "Surcharge BIGINT NOT NULL DEFAULT 0",
                          "VAT DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "IsFormH BOOLEAN NOT NULL DEFAULT FALSE",
                          "PayTerm TEXT",
                          "InvRem TEXT",
                          "InvSign BOOLEAN NOT NULL DEFAULT FALSE",
                          "DebitAmt BIGINT NOT NULL DEFAULT 0",
                          "DebitRem TEXT",
                          "InvoiceRemovalDate TIMESTAMP",
                          "GoodsRemovalDate TIMESTAMP",
                          "InvAsPerRej BOOLEAN NOT NULL DEFAULT FALSE"})
        m << QStringLiteral("ALTER TABLE DcInv ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_DcInv_DcNo ON DcInv (DcNo)"
      << "CREATE INDEX ix_DcInv_InvNo ON DcInv (InvNo)"
      << "CREATE INDEX ix_DcInv_PONo ON DcInv (PONo)";
    m << "DROP TABLE DcInvSub"
      << "CREATE TABLE DcInvSub (DcInvId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, ProductId BIGINT, "
         "Qty DOUBLE PRECISION NOT NULL DEFAULT 0, DcRowRem TEXT, RejQty DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "RewQty DOUBLE PRECISION NOT NULL DEFAULT 0, RejRowRem TEXT, Rate BIGINT NOT NULL DEFAULT 0, "
         "Discount DOUBLE PRECISION NOT NULL DEFAULT 0, PRIMARY KEY (DcInvId, SlNo))"
      << "CREATE INDEX ix_DcInvSub_Item ON DcInvSub (ItemId)";
    // Particulars texts of DC and invoice lines.
    m << "CREATE TABLE ProductL (ProdId BIGINT PRIMARY KEY, ProdName {NAME} NOT NULL, ItemId BIGINT)"
      << "CREATE INDEX ix_ProductL_Name ON ProductL (ProdName)"
      << "CREATE INDEX ix_ProductL_Item ON ProductL (ItemId)";
    return m;
}

QStringList form39Schema() {
    // The labour DC row got them with its own table; the manufacturing DC had only the number.
    QStringList m;
    for (const char* c :
         {"GoodsName TEXT", "GoodsQty TEXT", "GoodsVal TEXT", "Purpose TEXT", "DocuNature TEXT", "form39LRNo TEXT"})
        m << QStringLiteral("ALTER TABLE DcInv ADD COLUMN %1").arg(QString::fromLatin1(c));
    // Our labour DCs take from and give back to the customer's DC lines by DC and item; without
    // it the engine may walk every line of the item instead.
    m << "CREATE INDEX ix_DcIncomingSub_DcId_ItemId ON DcIncomingSub (DcId, ItemId)";
    return m;
}

}  // namespace kavra::data
