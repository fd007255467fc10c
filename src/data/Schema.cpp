#include "data/Schema.h"

#include <QSet>

#include "data/Menu.h"
#include "data/SchemaParts.h"

namespace kavra::data {

namespace {

QString quoted(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

QStringList rightsColumns() {
    QStringList cols;
    for (int n = 1; n <= 48; ++n) cols << QStringLiteral("R%1 BOOLEAN NOT NULL DEFAULT FALSE").arg(n);
    return cols;
}

std::vector<Migration> company() {
    QStringList m1 = {
        "CREATE TABLE errlog (ErrText TEXT, ErrDateT TIMESTAMP)",
        "CREATE TABLE OnlineUsers (Id {COUNTER}, DateT TIMESTAMP, SysId BIGINT, UserId BIGINT, "
        "UserVal INTEGER, ScreenId {NAME})",
        "CREATE INDEX ix_OnlineUsers_Screen ON OnlineUsers (ScreenId, SysId)",
        "CREATE TABLE FileCorres (FileCat {NAME}, FileKey {NAME}, NameId BIGINT, FileName TEXT)",
        "CREATE TABLE User1 (UserId BIGINT PRIMARY KEY, UserName {NAME} NOT NULL UNIQUE, UserPassword TEXT)",
        "CREATE TABLE UserRights (UserId BIGINT PRIMARY KEY, " + rightsColumns().join(", ") + ")",
        "CREATE TABLE ViewRights (slNo INTEGER PRIMARY KEY, Topic TEXT, SubTopic TEXT)",
        "CREATE TABLE ImpSystems (SysId BIGINT PRIMARY KEY, SysName TEXT, SysIP {NAME}, SysDateT TIMESTAMP, "
        "SYS_IP TEXT)",
        "CREATE TABLE Logs (id BIGINT PRIMARY KEY, Dates TIMESTAMP, userid BIGINT, OutTime TIMESTAMP)",
        "CREATE TABLE Misc (BookType INTEGER, BookTypeInv INTEGER, LastCompactDB DATE)",
        "INSERT INTO Misc (BookType, BookTypeInv) VALUES (1, 1)",
        "CREATE TABLE sch (userid BIGINT, dateT TIMESTAMP, alarmb4 INTEGER, Descr TEXT)",
        "CREATE TABLE Calibrate (Id BIGINT PRIMARY KEY, InstName TEXT, NextCalibrate DATE)",
        "CREATE TABLE BusinessType (busitype BIGINT PRIMARY KEY, busitypename {NAME}, cust BOOLEAN, "
        "supp BOOLEAN, vendor BOOLEAN)",
        "INSERT INTO BusinessType VALUES (1, 'Manufacturer', TRUE, TRUE, TRUE)",
        "INSERT INTO BusinessType VALUES (2, 'Trader', TRUE, FALSE, TRUE)",
        "INSERT INTO BusinessType VALUES (3, 'Job Worker', TRUE, TRUE, FALSE)",
        "INSERT INTO BusinessType VALUES (4, 'Service Provider', TRUE, TRUE, TRUE)",
        "INSERT INTO BusinessType VALUES (5, 'Dealer / Distributor', FALSE, FALSE, TRUE)",
        "INSERT INTO BusinessType VALUES (6, 'Government / PSU', TRUE, FALSE, FALSE)",
        "CREATE TABLE PrintInfo (printtopic {NAME} PRIMARY KEY, currrows INTEGER)",
        "INSERT INTO PrintInfo VALUES ('MfgDC', 15)",
        "INSERT INTO PrintInfo VALUES ('MFGINV', 12)",
        "INSERT INTO PrintInfo VALUES ('LabDC', 15)",
        "INSERT INTO PrintInfo VALUES ('LABINV', 12)",
        "INSERT INTO PrintInfo VALUES ('WOOPO', 15)",
        "INSERT INTO PrintInfo VALUES ('subcondc_out', 15)",
        "INSERT INTO PrintInfo VALUES ('qUOTE', 15)",
        "CREATE TABLE Income (IncomeCode BIGINT PRIMARY KEY, IncomeName {NAME}, IncomeDesc TEXT, IsDirect BOOLEAN)",
        "INSERT INTO Income VALUES (1, 'Sales Receipts (Manufacturing)', 'Receipts against sales invoices', TRUE)",
        "INSERT INTO Income VALUES (2, 'Labour Receipts', 'Receipts against labour invoices', TRUE)",
        "INSERT INTO Income VALUES (3, 'Service Receipts', 'Receipts against service invoices', TRUE)",
        "CREATE TABLE Expense (ExpenseCode BIGINT PRIMARY KEY, ExpenseName {NAME}, ExpenseDesc TEXT, "
        "IsDirect BOOLEAN)",
        "INSERT INTO Expense VALUES (1, 'Staff Salary', 'Salary paid to staff', TRUE)",
        "INSERT INTO Expense VALUES (2, 'Staff Advance', 'Advances and loans paid to staff', TRUE)",
        "INSERT INTO Expense VALUES (3, 'Purchase Payments', 'Payments against purchase bills', TRUE)",
        "INSERT INTO Expense VALUES (4, 'SubContract Payments', 'Payments against subcontractor invoices', TRUE)",
        "INSERT INTO Expense VALUES (5, 'Service Bill Payments', 'Payments against service bills', TRUE)",
        // Document tables, with the columns numbering reads; later versions add the rest.
        "CREATE TABLE DcInv (DcInvId BIGINT PRIMARY KEY, DcNo TEXT, DcDate TEXT, DcDateT TIMESTAMP, "
        "CustId BIGINT, InvNo TEXT, InvDate TEXT, InvDateT TIMESTAMP)",
        "CREATE INDEX ix_DcInv_DcDateT ON DcInv (DcDateT)",
        "CREATE INDEX ix_DcInv_InvDateT ON DcInv (InvDateT)",
        "CREATE TABLE DcOutgoingInv (DcId BIGINT PRIMARY KEY, DcNo TEXT, DcDate TEXT, DcDateT TIMESTAMP, "
        "CustId BIGINT, InvNo TEXT, InvDate TEXT, InvDateT TIMESTAMP)",
        "CREATE INDEX ix_DcOutgoingInv_DcDateT ON DcOutgoingInv (DcDateT)",
        "CREATE INDEX ix_DcOutgoingInv_InvDateT ON DcOutgoingInv (InvDateT)",
        "CREATE TABLE DcSubConOutgoing (DcId BIGINT PRIMARY KEY, DcNo TEXT, DcDate TEXT, DcDateT TIMESTAMP, "
        "SuppId BIGINT)",
        "CREATE INDEX ix_DcSubConOutgoing_DcDateT ON DcSubConOutgoing (DcDateT)",
    };
    for (const RightRow& r : rightRows())
        m1 << QStringLiteral("INSERT INTO ViewRights VALUES (%1, %2, %3)")
                  .arg(r.slNo)
                  .arg(quoted(r.topic), quoted(r.subTopic));
    QStringList m2;
    // Company settings: the rest of the single Misc row.
    for (const char* c :
         {"PrintHead", "PrintShortAddr", "MyKST", "MyCST", "MyVATRegNo", "MyPANNo", "MyServRegNo", "Rng", "Divi",
          "commission", "MyCERegNo", "AcctCircle", "PrefixQuote", "PrefixPO", "PrefixWO"})
        m2 << QStringLiteral("ALTER TABLE Misc ADD COLUMN %1 TEXT").arg(QString::fromLatin1(c));
    for (const char* c :
         {"RedStkM", "RedStkL", "RedStkSC", "RoffPurch", "RoffSales", "RoffLabour", "RoffSubCon", "ReTrkRejPurch",
          "ReTrkRejMfgSale", "ReTrkRejLabourSale", "ReTrkRejSubCon", "sales1to1", "labour1to1", "SubCon1to1"})
        m2 << QStringLiteral("ALTER TABLE Misc ADD COLUMN %1 BOOLEAN NOT NULL DEFAULT FALSE")
                  .arg(QString::fromLatin1(c));
    m2 << "ALTER TABLE Misc ADD COLUMN PF DOUBLE PRECISION NOT NULL DEFAULT 0"
       << "ALTER TABLE Misc ADD COLUMN ESI DOUBLE PRECISION NOT NULL DEFAULT 0"
       << "ALTER TABLE Misc ADD COLUMN OpenBal BIGINT NOT NULL DEFAULT 0"  // paise
       << "ALTER TABLE Misc ADD COLUMN DateOpenBal DATE";
    // Items, their categories and units.
    m2 << "CREATE TABLE Category (CategoryCode BIGINT PRIMARY KEY, CategoryName {NAME} NOT NULL, CategoryDesc TEXT)"
       << "INSERT INTO Category VALUES (1, 'RAW MATERIAL', 'Bars, sheets, castings, forgings')"
       << "INSERT INTO Category VALUES (2, 'CONSUMABLES', 'Oils, coolants, abrasives')"
       << "INSERT INTO Category VALUES (3, 'TOOLS', 'Cutting tools, inserts, gauges')"
       << "INSERT INTO Category VALUES (4, 'SUB ASSEMBLY', 'Assemblies made of components')"
       << "INSERT INTO Category VALUES (5, 'FINISHED GOODS', 'Components sold to customers')"
       << "CREATE TABLE Measurement (MeasureCode {NAME} PRIMARY KEY, MeasureName TEXT)"
       << "INSERT INTO Measurement VALUES ('NOS', 'Numbers')"
       << "INSERT INTO Measurement VALUES ('KGS', 'Kilograms')"
       << "INSERT INTO Measurement VALUES ('MTR', 'Metres')"
       << "INSERT INTO Measurement VALUES ('LTR', 'Litres')"
       << "INSERT INTO Measurement VALUES ('SET', 'Sets')"
       << "CREATE TABLE Item (ItemId BIGINT PRIMARY KEY, ItemCode {NAME} NOT NULL, ItemName {NAME}, "
          "CategoryCode BIGINT, MeasureUnit {NAME}, AltUnit {NAME}, ROL DOUBLE PRECISION, RackNo TEXT, "
          "TariffSubHead TEXT, Rate BIGINT)"
       << "CREATE UNIQUE INDEX ix_Item_Code ON Item (ItemCode)"
       << "CREATE INDEX ix_Item_Unit ON Item (MeasureUnit)"
       << "CREATE INDEX ix_Item_Category ON Item (CategoryCode)";
    // Line tables of the documents that use items; their screens add the other columns.
    for (const char* t : {"PurchPOSub", "PurchaseSub"})
        m2 << QStringLiteral("CREATE TABLE %1 (Id {COUNTER}, ItemId BIGINT, CategoryCode BIGINT)")
                  .arg(QString::fromLatin1(t));
    for (const char* t : {"AssmblyDef", "DailyProd", "QuoteSub", "MfgPoSub", "LabPoSub", "DcInvSub", "DcIncomingSub",
                          "DcSubConOutgoingSub", "InspectionInde", "STNsub"})
        m2 << QStringLiteral("CREATE TABLE %1 (Id {COUNTER}, ItemId BIGINT)").arg(QString::fromLatin1(t));
    for (const char* t : {"PurchPOSub", "PurchaseSub", "AssmblyDef", "DailyProd", "QuoteSub", "MfgPoSub", "LabPoSub",
                          "DcInvSub", "DcIncomingSub", "DcSubConOutgoingSub", "InspectionInde", "STNsub"})
        m2 << QStringLiteral("CREATE INDEX ix_%1_Item ON %1 (ItemId)").arg(QString::fromLatin1(t));
    QStringList m3;
    // Parties: the three tables share their columns but for the key, name, address and own code.
    struct Party {
        const char *table, *key, *name, *addr, *code;
    };
    for (const Party& p : {Party{"Customer", "CustId", "CustName", "CustAddr", "vendcode"},
                           Party{"Supplier", "SuppId", "SuppName", "SuppAddr", "custcode"},
                           Party{"Vendor", "VendorCode", "VendorName", "VendorAddr", "custcode"}})
        m3 << QStringLiteral(
                  "CREATE TABLE %1 (%2 BIGINT PRIMARY KEY, %3 {NAME} NOT NULL, %4 TEXT, KSTNo TEXT, "
                  "CSTNo TEXT, %5 TEXT, phmail TEXT, email TEXT, BusiType BIGINT NOT NULL DEFAULT 0, "
                  "OpenBal BIGINT NOT NULL DEFAULT 0, OpenBalPndg BIGINT NOT NULL DEFAULT 0, Contact TEXT, "
                  "Scope TEXT, VATRegNo TEXT, RNG TEXT, Divi TEXT, Commission TEXT, CERegNo TEXT, "
                  "CreatedDate DATE, OpenBalDate DATE)")
                  .arg(QString::fromLatin1(p.table), QString::fromLatin1(p.key), QString::fromLatin1(p.name),
                       QString::fromLatin1(p.addr), QString::fromLatin1(p.code))
           << QStringLiteral("CREATE UNIQUE INDEX ix_%1_Name ON %1 (%2)")
                  .arg(QString::fromLatin1(p.table), QString::fromLatin1(p.name));
    // The ledger of money; amounts in paise.
    m3 << "CREATE TABLE FundTrans (RowId {COUNTER}, Id BIGINT NOT NULL, FundTransId BIGINT, SlNo INTEGER, "
          "DateT TIMESTAMP, P_R_A INTEGER, IsExpense BOOLEAN NOT NULL DEFAULT FALSE, ExpIncId BIGINT, "
          "PartyName {NAME}, P_R_A_SRC_DST INTEGER, BankId BIGINT, CHNo TEXT, CHDate DATE, P_R_A_TYPE INTEGER, "
          "TransDesc TEXT, Amt BIGINT NOT NULL DEFAULT 0, AmtBal BIGINT, TrackBill TEXT, TrackFundTransAdj BIGINT)"
       << "CREATE INDEX ix_FundTrans_Party ON FundTrans (PartyName)"
       << "CREATE INDEX ix_FundTrans_Id ON FundTrans (Id)";
    // Document headers the party delete checks read; their screens add the other columns.
    m3 << "ALTER TABLE DailyProd ADD COLUMN Customer BIGINT"
       << "ALTER TABLE InspectionInde ADD COLUMN CustId BIGINT"
       << "CREATE TABLE Quote (Id BIGINT PRIMARY KEY, CustId BIGINT)"
       << "CREATE TABLE MfgPO (POId BIGINT PRIMARY KEY, CustId BIGINT, PONo TEXT)"
       << "CREATE TABLE LabPO (POId BIGINT PRIMARY KEY, CustId BIGINT, PONo TEXT)"
       << "CREATE TABLE DcIncoming (DcId BIGINT PRIMARY KEY, CustId BIGINT)"
       << "CREATE TABLE SubConPO (POId BIGINT PRIMARY KEY, SuppId BIGINT, PONo TEXT)"
       << "CREATE TABLE PurchPO (POId BIGINT PRIMARY KEY, VendorCode BIGINT, PONo TEXT)"
       << "CREATE TABLE Purchase (PurchId BIGINT PRIMARY KEY, VendorCode BIGINT, InvNo TEXT)";
    for (const char* ix : {"DailyProd (Customer)", "InspectionInde (CustId)", "Quote (CustId)", "MfgPO (CustId)",
                           "LabPO (CustId)", "DcInv (CustId)", "DcIncoming (CustId)", "SubConPO (SuppId)",
                           "DcSubConOutgoing (SuppId)", "PurchPO (VendorCode)", "Purchase (VendorCode)"}) {
        const QString ixDef = QString::fromLatin1(ix);
        const QString name =
            ixDef.section(QLatin1Char(' '), 0, 0) + QLatin1Char('_') + ixDef.section(QLatin1Char('('), 1).chopped(1);
        m3 << QStringLiteral("CREATE INDEX ix_%1 ON %2").arg(name, ixDef);
    }
    // Salary print headings: type 1 general, 2 earning, 3 deduction heads.
    QStringList m4{
        "CREATE TABLE SalaryPrint (Id BIGINT PRIMARY KEY, Type INTEGER NOT NULL, ScrColName TEXT, "
        "PrintName TEXT, IsPrint BOOLEAN NOT NULL DEFAULT FALSE, StrRow INTEGER, StrCol INTEGER)"};
    const char* heads[][2] = {{"1", "Staff Name"},
                              {"1", "Designation"},
                              {"1", "Days Present"},
                              {"1", "Leave Days"},
                              {"2", "Basic"},
                              {"2", "DA"},
                              {"2", "HRA"},
                              {"2", "Conveyance"},
                              {"2", "Overtime"},
                              {"2", "Other Allowance"},
                              {"3", "PF"},
                              {"3", "ESI"},
                              {"3", "Professional Tax"},
                              {"3", "Loan Recovery"},
                              {"3", "Advance"},
                              {"3", "TDS"}};
    int headId = 0;
    for (const auto& h : heads)
        m4 << QStringLiteral(
                  "INSERT INTO SalaryPrint (Id, Type, ScrColName, PrintName, IsPrint) VALUES (%1, %2, %3, %3, "
                  "TRUE)")
                  .arg(++headId)
                  .arg(QString::fromLatin1(h[0]), quoted(QString::fromLatin1(h[1])));
    return {{1, "foundation", m1},
            {2, "company settings and items", m2},
            {3, "parties and the money ledger", m3},
            {4, "salary print headings", m4},
            {5, "stores: transfer notes and issues", storesSchema()},
            {6, "customer orders and delivery challans", ordersAndDcsSchema()},
            {7, "sales invoices", invoicesSchema()},
            {8, "rates and typed charges as numbers", amountsAsTypedSchema()},
            {10, "labour orders and DCs", labourSchema()},
            {11, "indexes for the look-ups of documents", lookupIndexesSchema()},
            {12, "the Form VAT 515 entry on manufacturing DCs, labour DC lines by DC and item", form39Schema()},
            {13, "labour invoices", labourInvoicesSchema()},
            {14, "purchase orders and bills", purchaseSchema()},
            {15, "bank accounts and bank transactions", banksSchema()},
            {16, "service invoices", serviceInvoicesSchema()},
            {17, "indexes for the money screens", ledgerLookupsSchema()},
            {18, "subcontract orders and DCs", subcontractSchema()},
            {19, "subcontractors' invoices", subcontractInvoicesSchema()},
            {20, "instruments, machines and their upkeep", qualityAndUpkeepSchema()},
            {21, "what the statements read", statementsSchema()},
            {22, "notes and tax deducted on service invoices", serviceNotesSchema()},
            {23, "staff as the money screens know them", staffSchema()},
            {24, "indexes for a payment's open bills", paymentLookupsSchema()},
            {25, "employees, attendance, salaries and loans", staffPayrollSchema()}};
}

std::vector<Migration> start() {
    return {{1,
             "foundation",
             {"CREATE TABLE DB_Years (minYear INTEGER PRIMARY KEY, maxYear INTEGER, CurrYear BOOLEAN NOT NULL "
              "DEFAULT FALSE)"}}};
}

void screensOf(const QVector<MenuEntry>& entries, QSet<QString>& out) {
    for (const MenuEntry& e : entries) {
        if (e.screen.startsWith(QLatin1String("frm"))) out.insert(e.screen);
        screensOf(e.children, out);
    }
}

std::vector<Migration> attachments() {
    QSet<QString> screens;
    for (const MenuGroup& g : menuGroups()) screensOf(g.entries, screens);
    for (const char* s : {"frmMeasure", "frmQuote", "frmEstimation", "frmPurchaseGRN", "frmInvoicePurch",
                          "frmInspectionIn", "frmSTN", "frmStockIssue"})
        screens.insert(QString::fromLatin1(s));
    QStringList names(screens.begin(), screens.end());
    names.sort(Qt::CaseInsensitive);
    QStringList m1;
    for (const QString& s : names)
        m1 << QStringLiteral("CREATE TABLE %1 (Id BIGINT, FileName TEXT, FileData {BLOB}, DateT TIMESTAMP)").arg(s);
    return {{1, "foundation", m1}};
}

std::vector<Migration> iso() {
    return {{1,
             "foundation",
             {"CREATE TABLE UDMenuNames (SubMenuID INTEGER, ID INTEGER, UDMenuIdx INTEGER, UDMenuName TEXT)"}}};
}

}  // namespace

const std::vector<Migration>& migrations(DbKind kind) {
    static const std::vector<Migration> s = start(), c = company(), a = attachments(), i = iso();
    switch (kind) {
        case DbKind::Start:
            return s;
        case DbKind::Company:
            return c;
        case DbKind::Attachments:
            return a;
        case DbKind::Iso:
            return i;
    }
    return c;
}

QStringList carryForwardTables() {
    return {"User1",     "UserRights",   "ImpSystems",  "Misc",        "BusinessType", "PrintInfo", "Income",
            "Expense",   "Category",     "Measurement", "Item",        "Customer",     "Supplier",  "Vendor",
            "Calibrate", "CalibrateRep", "Machine",     "Maintenance", "MaintainSch",  "Staff",     "StaffLoan"};
}

}  // namespace kavra::data
