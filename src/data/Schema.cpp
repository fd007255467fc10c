#include "data/Schema.h"

#include <QSet>

#include "data/Menu.h"

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
    return {{1, "foundation", m1}};
}

std::vector<Migration> start() {
    return {{1, "foundation",
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
    return {{1, "foundation",
             {"CREATE TABLE UDMenuNames (SubMenuID INTEGER, ID INTEGER, UDMenuIdx INTEGER, UDMenuName TEXT)"}}};
}

}  // namespace

const std::vector<Migration>& migrations(DbKind kind) {
    static const std::vector<Migration> s = start(), c = company(), a = attachments(), i = iso();
    switch (kind) {
        case DbKind::Start: return s;
        case DbKind::Company: return c;
        case DbKind::Attachments: return a;
        case DbKind::Iso: return i;
    }
    return c;
}

QStringList carryForwardTables() {
    return {"User1", "UserRights", "ImpSystems", "Misc", "BusinessType", "PrintInfo", "Income", "Expense"};
}

}  // namespace kavra::data
