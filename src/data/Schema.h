#pragma once
// Numbered schema migrations of each kind of database, with the rows supplied with it.
#include <QString>
#include <QStringList>
#include <vector>

namespace kavra::data {

enum class DbKind { Start, Company, Attachments, Iso };

struct Migration {
    int version;
    QString name;
    QStringList statements;  // DDL with the dialect placeholders {NAME}, {COUNTER}, {BLOB}
};

const std::vector<Migration>& migrations(DbKind kind);

// Master tables a new financial year takes over from the previous one, in copy order.
QStringList carryForwardTables();

}  // namespace kavra::data
