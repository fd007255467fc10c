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

// Free-standing service invoices: ours to customers (settled by receipts under income head 3)
// and vendors' to us; each a header and its lines. Typed charges as numbers, values in paise.
QStringList serviceInvoicesSchema() {
    QStringList m;
    struct Side {
        const char *table, *party;
    };
    for (const Side& s : {Side{"InvoiceServOut", "CustId"}, Side{"InvoiceServIn", "VendorCode"}}) {
        const QString t = QString::fromLatin1(s.table), party = QString::fromLatin1(s.party);
        m << QStringLiteral(
                 "CREATE TABLE %1 (DcId BIGINT PRIMARY KEY, %2 BIGINT, InvNo TEXT, InvDate TEXT, InvDateT TIMESTAMP, "
                 "DcNo TEXT, DcDate TEXT, DcDateT TIMESTAMP, PackForwd DOUBLE PRECISION NOT NULL DEFAULT 0, "
                 "IsPackForwdPerc BOOLEAN NOT NULL DEFAULT FALSE, FinalDisc DOUBLE PRECISION NOT NULL DEFAULT 0, "
                 "IsFinalDiscPerc BOOLEAN NOT NULL DEFAULT FALSE, AnyOtherChrg DOUBLE PRECISION NOT NULL DEFAULT 0, "
                 "PayTerm TEXT, VAT DOUBLE PRECISION NOT NULL DEFAULT 0, ServTax DOUBLE PRECISION NOT NULL DEFAULT 0, "
                 "CessOnServTax DOUBLE PRECISION NOT NULL DEFAULT 0, TotVal BIGINT NOT NULL DEFAULT 0, InvRem TEXT, "
                 "Balance BIGINT NOT NULL DEFAULT 0, DebitAmt BIGINT NOT NULL DEFAULT 0, DebitRem TEXT)")
                 .arg(t, party)
          << QStringLiteral("CREATE INDEX ix_%1_InvNo ON %1 (InvNo, %2)").arg(t, party)
          << QStringLiteral("CREATE INDEX ix_%1_Party ON %1 (%2, Balance)").arg(t, party)
          << QStringLiteral("CREATE INDEX ix_%1_InvDateT ON %1 (InvDateT)").arg(t)
          << QStringLiteral(
                 "CREATE TABLE %1Sub (DcId BIGINT NOT NULL, SlNo INTEGER NOT NULL, ItemId BIGINT, ProductId BIGINT, "
                 "Qty DOUBLE PRECISION NOT NULL DEFAULT 0, AltQty DOUBLE PRECISION NOT NULL DEFAULT 0, "
                 "Rate DOUBLE PRECISION NOT NULL DEFAULT 0, Discount DOUBLE PRECISION NOT NULL DEFAULT 0, "
                 "InvRowRem TEXT, RejQty DOUBLE PRECISION NOT NULL DEFAULT 0, RewQty DOUBLE PRECISION NOT NULL "
                 "DEFAULT 0, RejRowRem TEXT, PRIMARY KEY (DcId, SlNo))")
                 .arg(t)
          << QStringLiteral("CREATE INDEX ix_%1Sub_ItemId ON %1Sub (ItemId)").arg(t);
    }
    return m;
}

// The debit and credit note pairs of service invoices, and the tax deducted at source;
// a save writes them as 0.
QStringList serviceNotesSchema() {
    QStringList m;
    for (const char* c : {"Debit", "TDS"})
        m << QStringLiteral("ALTER TABLE InvoiceServOut ADD COLUMN %1 BIGINT NOT NULL DEFAULT 0").arg(QLatin1String(c));
    for (const char* c : {"Credit", "TDS", "CreditAmt"})
        m << QStringLiteral("ALTER TABLE InvoiceServIn ADD COLUMN %1 BIGINT NOT NULL DEFAULT 0").arg(QLatin1String(c));
    m << QStringLiteral("ALTER TABLE InvoiceServIn ADD COLUMN CreditRem TEXT");
    return m;
}

// The money screens' look-ups on a grown ledger: a side's entries by number (navigation, an
// entry's rows, the next number) and a party's advances.
QStringList ledgerLookupsSchema() {
    return {"CREATE INDEX ix_FundTrans_Side ON FundTrans (P_R_A, IsExpense, FundTransId, SlNo)",
            "CREATE INDEX ix_FundTrans_Advance ON FundTrans (P_R_A, IsExpense, ExpIncId, PartyName)"};
}

// A payment's look-ups: the bills a vendor still has open, by number.
QStringList paymentLookupsSchema() {
    return {"CREATE INDEX ix_Purchase_Vendor_InvNo ON Purchase (VendorCode, InvNo, PurchId)"};
}

}  // namespace kavra::data
