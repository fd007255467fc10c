#include "data/SchemaParts.h"

namespace kavra::data {

// Subcontracting: our work orders to suppliers, our DCs sending them material, and the
// suppliers' DCs bringing it back worked. Quantities and rates DOUBLE PRECISION as typed,
// values in paise.
QStringList subcontractSchema() {
    QStringList m;
    // The order header existed with its key columns only.
    for (const char* c :
         {"KindAttn TEXT", "PODate TEXT", "PODateT TIMESTAMP", "ValidFrom DATE", "ValidTo DATE", "Remark TEXT",
          "PurchVal BIGINT NOT NULL DEFAULT 0", "NoOfItems INTEGER NOT NULL DEFAULT 0", "Body TEXT",
          "ReTrkRej BOOLEAN NOT NULL DEFAULT FALSE", "Cancl BOOLEAN NOT NULL DEFAULT FALSE",
          "POTallyS BOOLEAN NOT NULL DEFAULT FALSE", "POTally BOOLEAN NOT NULL DEFAULT FALSE"})
        m << QStringLiteral("ALTER TABLE SubConPO ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_SubConPO_PONo ON SubConPO (PONo, SuppId)"
      << "CREATE INDEX ix_SubConPO_PODateT ON SubConPO (PODateT)"
      << "CREATE INDEX ix_SubConPO_SuppId_POTallyS ON SubConPO (SuppId, POTallyS, Cancl)"
      << "CREATE INDEX ix_SubConPO_SuppId_POTally ON SubConPO (SuppId, POTally, Cancl)";
    m << "CREATE TABLE SubConPOSub (POId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, UOM {NAME}, "
         "Qty DOUBLE PRECISION NOT NULL DEFAULT 0, Rate DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "Discount DOUBLE PRECISION NOT NULL DEFAULT 0, QtyToSend DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "QtyToReci DOUBLE PRECISION NOT NULL DEFAULT 0, PRIMARY KEY (POId, SlNo))"
      << "CREATE INDEX ix_SubConPOSub_ItemId ON SubConPOSub (ItemId, POId)";

    // Our DCs sending material out; the header existed with its numbering columns only.
    const QString columns = QStringLiteral(
        "PONo TEXT|PODate TEXT|PODateT TIMESTAMP|Transport TEXT|VehicleNo TEXT|TransFrom TEXT|TransTo TEXT|"
        "DcRem TEXT|EstiWt TEXT|duedate DATE|NoOfItems INTEGER NOT NULL DEFAULT 0|DeliveryPurpose TEXT|"
        "DcTally BOOLEAN NOT NULL DEFAULT FALSE|StoreIssId BIGINT|Form39No BIGINT|GoodsName TEXT|GoodsQty TEXT|"
        "GoodsVal TEXT|Purpose TEXT|DocuNature TEXT|form39LRNo TEXT");
    for (const QString& c : columns.split(QLatin1Char('|')))
        m << QStringLiteral("ALTER TABLE DcSubConOutgoing ADD COLUMN %1").arg(c);
    m << "CREATE INDEX ix_DcSubConOutgoing_DcNo ON DcSubConOutgoing (DcNo)"
      << "CREATE INDEX ix_DcSubConOutgoing_PONo ON DcSubConOutgoing (PONo, SuppId)"
      << "CREATE INDEX ix_DcSubConOutgoing_SuppId_DcTally ON DcSubConOutgoing (SuppId, DcTally)"
      << "CREATE INDEX ix_DcSubConOutgoing_StoreIssId ON DcSubConOutgoing (StoreIssId)";
    // The line table was a placeholder keyed by a counter; nothing wrote it.
    m << "DROP TABLE DcSubConOutgoingSub"
      << "CREATE TABLE DcSubConOutgoingSub (DcId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, "
         "ProductId BIGINT, Qty DOUBLE PRECISION NOT NULL DEFAULT 0, Rate DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "DcRowRem TEXT, BalQty DOUBLE PRECISION NOT NULL DEFAULT 0, PRIMARY KEY (DcId, SlNo))"
      << "CREATE INDEX ix_DcSubConOutgoingSub_ItemId ON DcSubConOutgoingSub (ItemId, DcId)"
      // Open lots only: what the suppliers' DCs draw on, oldest first.
      << "CREATE INDEX ix_DcSubConOutgoingSub_Open ON DcSubConOutgoingSub (ItemId, DcId, BalQty) WHERE BalQty > 0";

    // The suppliers' DCs bringing the worked material back; the invoice columns come with the invoice.
    m << "CREATE TABLE DcSubConIncoming (DcId BIGINT PRIMARY KEY, SuppId BIGINT, DcNo TEXT, DcDate TEXT, "
         "DcDateT TIMESTAMP, PONo TEXT, PODate TEXT, PODateT TIMESTAMP, RefDcNo TEXT, RefDcDate TEXT, "
         "RefDcDateT TIMESTAMP, Transport TEXT, VehicleNo TEXT, TransFrom TEXT, TransTo TEXT, DcRem TEXT, "
         "DcSign BOOLEAN NOT NULL DEFAULT FALSE, NoOfItems INTEGER NOT NULL DEFAULT 0, RejRem TEXT, "
         "InvAsPerRej BOOLEAN NOT NULL DEFAULT FALSE, STNId BIGINT, InvNo TEXT)"
      << "CREATE INDEX ix_DcSubConIncoming_DcNo ON DcSubConIncoming (DcNo, SuppId)"
      << "CREATE INDEX ix_DcSubConIncoming_PONo ON DcSubConIncoming (PONo, SuppId)"
      << "CREATE INDEX ix_DcSubConIncoming_STNId ON DcSubConIncoming (STNId)"
      << "CREATE TABLE DcSubConIncomingSub (DcId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, "
         "ProductId BIGINT, Qty DOUBLE PRECISION NOT NULL DEFAULT 0, DcRowRem TEXT, UpdateTrack TEXT, "
         "RejQty DOUBLE PRECISION NOT NULL DEFAULT 0, RewQty DOUBLE PRECISION NOT NULL DEFAULT 0, RejRowRem TEXT, "
         "PRIMARY KEY (DcId, SlNo))"
      << "CREATE INDEX ix_DcSubConIncomingSub_ItemId ON DcSubConIncomingSub (ItemId, DcId)";
    return m;
}

QStringList subcontractInvoicesSchema() {
    // The supplier's bill is kept in the invoice columns of the incoming DC rows it covers;
    // a credit note against it in CreditAmt, Credit and TDS.
    QStringList m;
    for (const char* c :
         {"InvDate TEXT", "InvDateT TIMESTAMP", "PackForwd DOUBLE PRECISION NOT NULL DEFAULT 0",
          "IsPackForwdPerc BOOLEAN NOT NULL DEFAULT FALSE", "FinalDisc DOUBLE PRECISION NOT NULL DEFAULT 0",
          "IsFinalDiscPerc BOOLEAN NOT NULL DEFAULT FALSE", "AnyOtherChrg DOUBLE PRECISION NOT NULL DEFAULT 0",
          "PayTerm TEXT", "VAT DOUBLE PRECISION NOT NULL DEFAULT 0", "ServTax DOUBLE PRECISION NOT NULL DEFAULT 0",
          "CessOnServTax DOUBLE PRECISION NOT NULL DEFAULT 0", "TotVal BIGINT NOT NULL DEFAULT 0",
          "Balance BIGINT NOT NULL DEFAULT 0", "InvRem TEXT", "InvSign BOOLEAN NOT NULL DEFAULT FALSE",
          "CreditAmt BIGINT NOT NULL DEFAULT 0", "CreditRem TEXT", "Credit BIGINT NOT NULL DEFAULT 0",
          "TDS BIGINT NOT NULL DEFAULT 0"})
        m << QStringLiteral("ALTER TABLE DcSubConIncoming ADD COLUMN %1").arg(QString::fromLatin1(c));
    for (const char* c : {"AltQty DOUBLE PRECISION NOT NULL DEFAULT 0", "Rate DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "Discount DOUBLE PRECISION NOT NULL DEFAULT 0"})
        m << QStringLiteral("ALTER TABLE DcSubConIncomingSub ADD COLUMN %1").arg(QString::fromLatin1(c));
    // The bills in date order, a supplier's bill by its number, and the DCs still to bill.
    m << "CREATE INDEX ix_DcSubConIncoming_InvDateT ON DcSubConIncoming (InvDateT, InvNo, SuppId)"
      << "CREATE INDEX ix_DcSubConIncoming_SuppId_InvNo ON DcSubConIncoming (SuppId, InvNo)";
    return m;
}

}  // namespace kavra::data
