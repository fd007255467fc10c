#include "data/SchemaParts.h"

namespace kavra::data {

// Job work: the customer's labour order, its material in on the customer's DCs and back
// on ours. Quantities are DOUBLE PRECISION, rates as typed, values in paise.
QStringList labourSchema() {
    QStringList m;
    // The order header existed with its key columns only.
    for (const char* c : {"PODate TEXT", "PODateT TIMESTAMP", "ValidFrom DATE", "ValidTo DATE", "Remark TEXT",
                          "payTerm TEXT", "PurchVal BIGINT NOT NULL DEFAULT 0", "NoOfItems INTEGER NOT NULL DEFAULT 0",
                          "ReTrkRej BOOLEAN NOT NULL DEFAULT FALSE", "Cancl BOOLEAN NOT NULL DEFAULT FALSE",
                          "POTallyR BOOLEAN NOT NULL DEFAULT FALSE", "POTally BOOLEAN NOT NULL DEFAULT FALSE"})
        m << QStringLiteral("ALTER TABLE LabPO ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_LabPO_PONo ON LabPO (PONo, CustId)"
      << "CREATE INDEX ix_LabPO_CustId_POTallyR ON LabPO (CustId, POTallyR, Cancl)"
      << "CREATE INDEX ix_LabPO_CustId_POTally ON LabPO (CustId, POTally, Cancl)";
    // The line tables were placeholders keyed by a counter; nothing wrote them.
    m << "DROP TABLE LabPoSub"
      << "CREATE TABLE LabPOSub (POId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, UOM {NAME}, "
         "Qty DOUBLE PRECISION NOT NULL DEFAULT 0, Rate DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "Discount DOUBLE PRECISION NOT NULL DEFAULT 0, QtyToReci DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "QtyToSend DOUBLE PRECISION NOT NULL DEFAULT 0, PRIMARY KEY (POId, SlNo))"
      << "CREATE INDEX ix_LabPOSub_ItemId ON LabPOSub (ItemId)";

    // The customer's DCs bringing material in.
    for (const char* c :
         {"DcNo TEXT", "DcDate TEXT", "DcDateT TIMESTAMP", "PONo TEXT", "PODate TEXT", "PODateT TIMESTAMP",
          "Transport TEXT", "VehicleNo TEXT", "TransFrom TEXT", "TransTo TEXT", "DcRem TEXT",
          "NoOfItems INTEGER NOT NULL DEFAULT 0", "DcTally BOOLEAN NOT NULL DEFAULT FALSE", "STNId BIGINT"})
        m << QStringLiteral("ALTER TABLE DCIncoming ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_DCIncoming_DcNo ON DCIncoming (DcNo, CustId)"
      << "CREATE INDEX ix_DCIncoming_CustId_PONo ON DCIncoming (CustId, PONo)"
      << "CREATE INDEX ix_DCIncoming_CustId_DcTally ON DCIncoming (CustId, DcTally)"
      << "CREATE INDEX ix_DCIncoming_STNId ON DCIncoming (STNId)";
    m << "DROP TABLE DcIncomingSub"
      << "CREATE TABLE DcIncomingSub (DcId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, "
         "ProductId BIGINT, Qty DOUBLE PRECISION NOT NULL DEFAULT 0, DcRowRem TEXT, "
         "BalQty DOUBLE PRECISION NOT NULL DEFAULT 0, PRIMARY KEY (DcId, SlNo))"
      << "CREATE INDEX ix_DcIncomingSub_ItemId ON DcIncomingSub (ItemId)"
      // Open lots only: what outgoing DCs draw on, oldest first, and the quantity on hand.
      << "CREATE INDEX ix_DcIncomingSub_ItemId_DcId_Open ON DcIncomingSub (ItemId, DcId, BalQty) WHERE BalQty > 0";

    // Our DCs sending the worked material back; the invoice columns come with the invoice.
    for (const char* c : {"PONo TEXT",
                          "PODate TEXT",
                          "PODateT TIMESTAMP",
                          "RefDcNo TEXT",
                          "RefDcDate TEXT",
                          "RefDcDateT TIMESTAMP",
                          "Transport TEXT",
                          "VehicleNo TEXT",
                          "TransFrom TEXT",
                          "TransTo TEXT",
                          "DcRem TEXT",
                          "DcSign BOOLEAN NOT NULL DEFAULT FALSE",
                          "NoOfItems INTEGER NOT NULL DEFAULT 0",
                          "DeliveryPurpose TEXT",
                          "RejRem TEXT",
                          "InvAsPerRej BOOLEAN NOT NULL DEFAULT FALSE",
                          "StoreIssId BIGINT",
                          "Form39No BIGINT",
                          "GoodsName TEXT",
                          "GoodsQty TEXT",
                          "GoodsVal TEXT",
                          "Purpose TEXT",
                          "DocuNature TEXT",
                          "form39LRNo TEXT",
                          "TotVal BIGINT",
                          "Balance BIGINT"})
        m << QStringLiteral("ALTER TABLE DcOutgoingInv ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_DcOutgoingInv_DcNo ON DcOutgoingInv (DcNo)"
      << "CREATE INDEX ix_DcOutgoingInv_PONo ON DcOutgoingInv (PONo, CustId)"
      << "CREATE INDEX ix_DcOutgoingInv_CustId ON DcOutgoingInv (CustId)";
    m << "CREATE TABLE DcOutgoingSubInv (DcId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, "
         "ProductId BIGINT, Qty DOUBLE PRECISION NOT NULL DEFAULT 0, DcRowRem TEXT, UpdateTrack TEXT, "
         "RejQty DOUBLE PRECISION NOT NULL DEFAULT 0, RewQty DOUBLE PRECISION NOT NULL DEFAULT 0, RejRowRem TEXT, "
         "PRIMARY KEY (DcId, SlNo))"
      << "CREATE INDEX ix_DcOutgoingSubInv_ItemId ON DcOutgoingSubInv (ItemId, DcId)";
    return m;
}

QStringList labourInvoicesSchema() {
    // The labour invoice is kept in the invoice columns of the outgoing DC rows it covers.
    QStringList m;
    for (const char* c :
         {"PackForwd DOUBLE PRECISION NOT NULL DEFAULT 0", "IsPackForwdPerc BOOLEAN NOT NULL DEFAULT FALSE",
          "FinalDisc DOUBLE PRECISION NOT NULL DEFAULT 0", "IsFinalDiscPerc BOOLEAN NOT NULL DEFAULT FALSE",
          "AnyOtherChrg DOUBLE PRECISION NOT NULL DEFAULT 0", "PayTerm TEXT", "VAT DOUBLE PRECISION NOT NULL DEFAULT 0",
          "ServTax DOUBLE PRECISION NOT NULL DEFAULT 0", "CessOnServTax DOUBLE PRECISION NOT NULL DEFAULT 0",
          "InvRem TEXT", "InvSign BOOLEAN NOT NULL DEFAULT FALSE", "DebitAmt BIGINT NOT NULL DEFAULT 0",
          "DebitRem TEXT"})
        m << QStringLiteral("ALTER TABLE DcOutgoingInv ADD COLUMN %1").arg(QString::fromLatin1(c));
    for (const char* c : {"AltQty DOUBLE PRECISION NOT NULL DEFAULT 0", "Rate DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "Discount DOUBLE PRECISION NOT NULL DEFAULT 0"})
        m << QStringLiteral("ALTER TABLE DcOutgoingSubInv ADD COLUMN %1").arg(QString::fromLatin1(c));
    return m;
}

}  // namespace kavra::data
