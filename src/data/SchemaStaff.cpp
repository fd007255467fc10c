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

}  // namespace kavra::data
