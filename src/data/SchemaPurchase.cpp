#include "data/SchemaParts.h"

namespace kavra::data {

// Buying: our orders to vendors and the vendors' bills received against them. Quantities
// and rates DOUBLE PRECISION as typed, typed charges as numbers, values in paise.
QStringList purchaseSchema() {
    QStringList m;
    // The order header existed with its key columns only.
    for (const char* c : {"KindAttn TEXT", "PODate TEXT", "PODateT TIMESTAMP", "RefQuoteNo TEXT", "RefQuoteDate DATE",
                          "ValidFrom DATE", "ValidTo DATE", "Remark TEXT", "IsTestCert BOOLEAN NOT NULL DEFAULT FALSE",
                          "PurchVal BIGINT NOT NULL DEFAULT 0", "NoOfItems INTEGER NOT NULL DEFAULT 0", "Body TEXT",
                          "ReTrkRej BOOLEAN NOT NULL DEFAULT FALSE", "Cancl BOOLEAN NOT NULL DEFAULT FALSE",
                          "POTally BOOLEAN NOT NULL DEFAULT FALSE"})
        m << QStringLiteral("ALTER TABLE PurchPO ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_PurchPO_PONo ON PurchPO (PONo, VendorCode)"
      << "CREATE INDEX ix_PurchPO_PODateT ON PurchPO (PODateT)"
      << "CREATE INDEX ix_PurchPO_VendorCode_POTally ON PurchPO (VendorCode, POTally, Cancl)";
    // The line tables were placeholders keyed by a counter; nothing wrote them.
    m << "DROP TABLE PurchPOSub"
      << "CREATE TABLE PurchPOSub (POId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, CategoryCode BIGINT, "
         "UOM {NAME}, Qty DOUBLE PRECISION NOT NULL DEFAULT 0, Rate DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "Discount DOUBLE PRECISION NOT NULL DEFAULT 0, QtyToReci DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "PRIMARY KEY (POId, SlNo))"
      << "CREATE INDEX ix_PurchPOSub_ItemId ON PurchPOSub (ItemId, POId)";

    for (const char* c : {"InvDate TEXT",
                          "InvDateT TIMESTAMP",
                          "PONo TEXT",
                          "PODate TEXT",
                          "PODateT TIMESTAMP",
                          "Transport TEXT",
                          "VehicleNo TEXT",
                          "PackForwd DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "IsPackForwdPerc BOOLEAN NOT NULL DEFAULT FALSE",
                          "FinalDisc DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "IsFinalDiscPerc BOOLEAN NOT NULL DEFAULT FALSE",
                          "Insurance DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "AnyOtherChrg DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "PayTerm TEXT",
                          "VATrCST TEXT",
                          "TotVal BIGINT NOT NULL DEFAULT 0",
                          "Balance BIGINT NOT NULL DEFAULT 0",
                          "Remark TEXT",
                          "NoOfItems INTEGER NOT NULL DEFAULT 0",
                          "InvAsPerRej BOOLEAN NOT NULL DEFAULT FALSE",
                          "Credit BOOLEAN NOT NULL DEFAULT FALSE",
                          "TDS DOUBLE PRECISION NOT NULL DEFAULT 0",
                          "CreditAmt BIGINT NOT NULL DEFAULT 0",
                          "CreditRem TEXT",
                          "RejRem TEXT",
                          "STNId BIGINT"})
        m << QStringLiteral("ALTER TABLE Purchase ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "CREATE INDEX ix_Purchase_InvNo ON Purchase (InvNo, VendorCode)"
      << "CREATE INDEX ix_Purchase_VendorCode_PONo ON Purchase (VendorCode, PONo)"
      << "CREATE INDEX ix_Purchase_STNId ON Purchase (STNId)";
    m << "DROP TABLE PurchaseSub"
      << "CREATE TABLE PurchaseSub (PurchId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, "
         "CategoryCode BIGINT, Qty DOUBLE PRECISION NOT NULL DEFAULT 0, AltQty DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "Rate DOUBLE PRECISION NOT NULL DEFAULT 0, Discount DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "Excise DOUBLE PRECISION NOT NULL DEFAULT 0, cessOnED DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "HighCessOnED DOUBLE PRECISION NOT NULL DEFAULT 0, Taxes DOUBLE PRECISION NOT NULL DEFAULT 0, "
         "RejQty DOUBLE PRECISION NOT NULL DEFAULT 0, RewQty DOUBLE PRECISION NOT NULL DEFAULT 0, RejRowRem TEXT, "
         "StkQty DOUBLE PRECISION NOT NULL DEFAULT 0, PRIMARY KEY (PurchId, SlNo))"
      << "CREATE INDEX ix_PurchaseSub_ItemId ON PurchaseSub (ItemId, PurchId)";
    return m;
}

}  // namespace kavra::data
