#pragma once
// Creating a financial year's databases: the start-up database when missing, the
// DB_Years row, the company database with its supplied rows, and the masters and
// users carried forward from the previous year.
#include <QString>

namespace kavra::YearSetup {

inline constexpr const char* kAdminName = "ADMINISTRATOR";
inline constexpr const char* kFirstPassword = "Kavra@123";

struct Result {
    bool created = false;  // false when the year was already there
    QString companyDb;     // "DB2026_27"
    int carriedFrom = 0;   // the previous year whose masters were taken over, 0 when none
    bool adminCreated = false;
};

// Throws DbError.
Result createYear(int minYear);
// True when no financial year exists yet (first run).
bool noYearYet();

}  // namespace kavra::YearSetup
