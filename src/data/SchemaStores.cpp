#include "data/SchemaParts.h"

namespace kavra::data {

// Quantities are DOUBLE PRECISION; a note line is a lot, keyed by its note and serial.
QStringList storesSchema() {
    return {
        // Running numbers: one counter per table, shared by every topic.
        "CREATE TABLE AutoCITS (CurrNo {COUNTER}, TopicTS INTEGER NOT NULL)",
        "CREATE TABLE AutoCITI (CurrNo {COUNTER}, TopicTI INTEGER NOT NULL)",
        "CREATE TABLE STN (Id BIGINT PRIMARY KEY, STNNo BIGINT NOT NULL, STNDate DATE, TS INTEGER NOT NULL, "
        "PrepBy TEXT, RemAny TEXT)",
        "CREATE INDEX ix_STN_No ON STN (TS, STNNo)",
        // The line table was a placeholder; nothing wrote it.
        "DROP TABLE STNsub",
        "CREATE TABLE STNSub (Id BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT NOT NULL, catC BIGINT, "
        "Qty DOUBLE PRECISION NOT NULL DEFAULT 0, BalQty DOUBLE PRECISION NOT NULL DEFAULT 0, trak TEXT, "
        "PRIMARY KEY (Id, SlNo))",
        "CREATE INDEX ix_STNSub_Item ON STNSub (ItemId, Id, SlNo)",
        // Open lots only: stock on hand and oldest-first issuing read nothing else.
        "CREATE INDEX ix_STNSub_Open ON STNSub (ItemId, Id, SlNo, BalQty) WHERE BalQty > 0",
        "CREATE TABLE StoreIss (Id BIGINT PRIMARY KEY, IssNo BIGINT, DOI DATE, TI INTEGER NOT NULL, ToWhom TEXT, "
        "RemAny TEXT)",
        "CREATE INDEX ix_StoreIss_Day ON StoreIss (TI, DOI)",
        "CREATE TABLE StoreIssSub (Id BIGINT NOT NULL, SlNo INTEGER NOT NULL, catC BIGINT, ItemId BIGINT NOT NULL, "
        "IssQty DOUBLE PRECISION NOT NULL DEFAULT 0, Trak TEXT, PRIMARY KEY (Id, SlNo))",
        "CREATE INDEX ix_StoreIssSub_Item ON StoreIssSub (ItemId)",
    };
}

}  // namespace kavra::data
