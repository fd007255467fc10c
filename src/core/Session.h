#pragma once
// The values login sets and every screen reads, and the clock they all use.
#include <QDateTime>
#include <QString>
#include <memory>

namespace kavra {

namespace Db {
class Presence;
}

struct Session {
    qint64 userId = 0;
    qint64 sysId = 0;
    qint64 logId = 0;
    QString userName;
    QString companyDb;  // logical name, e.g. "DB2026_27"
    int dcMode = 1;     // Misc.BookType
    int invMode = 1;    // Misc.BookTypeInv
    QString mainCaption = QStringLiteral("Kavra - Business Management");
    // The holds that show other programs this one is alive (Db::Presence); set at login.
    std::shared_ptr<Db::Presence> presence;

    // "DB2026_27.db"; characters 3 to 6 are the year the open financial year begins.
    QString companyFile() const { return companyDb + QStringLiteral(".db"); }
    // The year of the open company database, 0 when none.
    int companyYear() const { return companyFile().mid(2, 4).toInt(); }

    static Session& current();
};

namespace Clock {
QDateTime now();
inline QDate today() {
    return now().date();
}
// Tests pin the clock; an invalid value restores the real one.
void pin(const QDateTime& dt);
}  // namespace Clock

}  // namespace kavra
