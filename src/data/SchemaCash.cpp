#include "data/SchemaParts.h"

namespace kavra::data {

// The company's bank accounts and the money moved between cash and banks; amounts in paise.
QStringList banksSchema() {
    return {
        "CREATE TABLE Banks (BankId BIGINT PRIMARY KEY, BankName {NAME} NOT NULL, "
        "BankOPBal BIGINT NOT NULL DEFAULT 0, IsDebit BOOLEAN NOT NULL DEFAULT FALSE, "
        "CreditLimit BIGINT NOT NULL DEFAULT 0)",
        "CREATE UNIQUE INDEX ix_Banks_Name ON Banks (BankName)",
        // Rows entered on the bank screen have Id 0; the money screens' rows carry their entry's Id.
        "CREATE TABLE BankTrans (RowId {COUNTER}, TransId BIGINT NOT NULL, BankId BIGINT NOT NULL, "
        "DateT TIMESTAMP, DeptAmt BIGINT NOT NULL DEFAULT 0, DrawAmt BIGINT NOT NULL DEFAULT 0, CHNo TEXT, "
        "CHDate DATE, Descr TEXT, IsHiddenTrans BOOLEAN NOT NULL DEFAULT FALSE, Id BIGINT NOT NULL DEFAULT 0)",
        "CREATE INDEX ix_BankTrans_BankId ON BankTrans (BankId, Id)",
        "CREATE INDEX ix_BankTrans_TransId ON BankTrans (TransId, Id)",
        "CREATE INDEX ix_BankTrans_Id ON BankTrans (Id)", "CREATE INDEX ix_FundTrans_BankId ON FundTrans (BankId)",
        // The cash and bank panel sums the ledger by kind, side and bank from the index alone.
        "CREATE INDEX ix_FundTrans_Money ON FundTrans (P_R_A, P_R_A_SRC_DST, IsExpense, BankId, Amt)"};
}

}  // namespace kavra::data
