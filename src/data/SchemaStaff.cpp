#include "data/SchemaParts.h"

namespace kavra::data {

// The employees as the money screens know them: staff are paid by name, and only a current
// employee may be paid.
QStringList staffSchema() {
    return {
        "CREATE TABLE Staff (StaffId BIGINT PRIMARY KEY, StaffName {NAME} NOT NULL, "
        "StatusC BOOLEAN NOT NULL DEFAULT TRUE)",
        "CREATE INDEX ix_Staff_Name ON Staff (StaffName, StatusC)"};
}

// The employees in full, with the tables their attendance, salaries and loans are kept in:
// amounts in paise, rates, hours and days as numbers.
QStringList staffPayrollSchema() {
    QStringList m;
    for (const char* c : {"FatherHusbName {NAME}", "Sex TEXT", "Addr TEXT", "city {NAME}", "phmail TEXT",
                          "Desig {NAME}", "Dept {NAME}", "DOJ DATE", "DOL DATE", "pfcodeNo TEXT", "ESIcodeNo TEXT",
                          "OtherDet TEXT", "payoldbal BIGINT NOT NULL DEFAULT 0"})
        m << QStringLiteral("ALTER TABLE Staff ADD COLUMN %1").arg(QString::fromLatin1(c));
    m << "ALTER TABLE DailyProd ADD COLUMN Staff BIGINT"
      << "CREATE INDEX ix_DailyProd_Staff ON DailyProd (Staff)"
      << "CREATE TABLE Attendance (Year INTEGER NOT NULL, MonthId INTEGER NOT NULL, StaffId BIGINT NOT NULL, "
         "LDetail TEXT, OtDetail TEXT, PRIMARY KEY (Year, MonthId, StaffId))"
      << "CREATE INDEX ix_Attendance_Staff ON Attendance (StaffId)"
      << "CREATE TABLE Holidays (Year INTEGER NOT NULL, MonthId INTEGER NOT NULL, Holidays TEXT, "
         "PRIMARY KEY (Year, MonthId))";
    QStringList salary{"RowId BIGINT PRIMARY KEY", "SalYear INTEGER NOT NULL", "SalMonth INTEGER NOT NULL",
                       "StaffId BIGINT NOT NULL", "salDate DATE"};
    // The pay structure as typed: amounts, and HRA, conveyance and overtime as numbers (a
    // percentage or an amount, a rate per day or per month, a factor or a rate per hour).
    for (const char* c : {"Basic", "DA", "MedicalAllow", "SplAllow", "OtherAllow", "MiscEarning", "AttBonus"})
        salary << QStringLiteral("%1 BIGINT NOT NULL DEFAULT 0").arg(QString::fromLatin1(c));
    for (const char* c : {"HRA", "Conveyance", "OT", "OT_Times_Now", "WorkingDays", "dayspresent", "LeaveDays"})
        salary << QStringLiteral("%1 DOUBLE PRECISION NOT NULL DEFAULT 0").arg(QString::fromLatin1(c));
    for (const char* c :
         {"IsPF", "IsESI", "IsPT", "IsHRAperc", "IsDAtoPF", "IsConveyDayFix", "IsAttBonus", "IsOTUnderBasic"})
        salary << QStringLiteral("%1 BOOLEAN NOT NULL DEFAULT FALSE").arg(QString::fromLatin1(c));
    for (const char* c : {"EarnedBasic",
                          "EarnedDA",
                          "EarnedHRA",
                          "EarnedConveyance",
                          "EarnedSplAllow",
                          "EarnedAttBonus",
                          "EarnedOT",
                          "EarnedPF",
                          "EarnedESI",
                          "PT",
                          "TDS",
                          "SalAdvance",
                          "LoanAmtDed",
                          "Society",
                          "Insurance",
                          "Fines",
                          "DamageLoss",
                          "OtherDed",
                          "TotalEarnings",
                          "TotalDed",
                          "NetPay",
                          "oldBal",
                          "paidamt"})
        salary << QStringLiteral("%1 BIGINT NOT NULL DEFAULT 0").arg(QString::fromLatin1(c));
    salary << "LoanDedId BIGINT"
           << "UNIQUE (SalYear, SalMonth, StaffId)";
    m << QStringLiteral("CREATE TABLE Salary (%1)").arg(salary.join(QStringLiteral(", ")))
      << "CREATE INDEX ix_Salary_Staff ON Salary (StaffId)"
      << "CREATE TABLE StaffLoan (LoanId BIGINT PRIMARY KEY, StaffId BIGINT NOT NULL, Descr TEXT, "
         "Amt BIGINT NOT NULL DEFAULT 0, NoofMonRec INTEGER, DOI DATE, Balance BIGINT NOT NULL DEFAULT 0)"
      << "CREATE INDEX ix_StaffLoan_Staff ON StaffLoan (StaffId)"
      << "CREATE TABLE StaffLoanDedTrack (LoanDedId BIGINT NOT NULL, LoanId BIGINT NOT NULL, "
         "AmtDed BIGINT NOT NULL DEFAULT 0, PRIMARY KEY (LoanDedId, LoanId))";
    return m;
}

}  // namespace kavra::data
