#pragma once
// Customers, subcontract suppliers and purchase vendors: one set of rules, three tables.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/Money.h"
#include "masters/Items.h"

namespace kavra::Parties {

struct UseCheck {
    QString sql;  // one bound parameter: the party's key, or its name when byName
    QString screen;
    bool byName = false;
};

// What differs between the three party screens.
struct Kind {
    QString screen;  // "frmCustomer"
    QString table, key, nameCol, addrCol, codeCol;
    QString busiFilter;  // BusinessType column: cust, supp, vendor
    QString word;        // "Customer", "Supplier", "Vendor" in messages
    QString idLabel, nameLabel, codeLabel, codeTip, listCaption;
    QString addingText, modifyingText, showingText, deletingText;
    QString duplicateOnSave, duplicateOnModify, modifiedMessage;
    QString renameOpening;      // " You are about to change the existing Customer Name '"
    QString writeThroughWhere;  // FundTrans rows that carry the party's name
    QString navigationOrder;
    std::vector<UseCheck> useChecks;
};

const Kind& customer();
const Kind& supplier();
const Kind& vendor();

struct Party {
    qint64 id = 0;
    QString name, addr, kst, cst, code, phone, email, contact, scope, vatRegNo, rng, divi, commission, ceRegNo;
    qint64 busiType = 0;
    Money openBal, openBalPndg;
    QDate createdDate, openBalDate;
};

QList<qint64> ids(QSqlDatabase& db, const Kind& k);
qint64 proposedId(QSqlDatabase& db, const Kind& k);
std::optional<Party> load(QSqlDatabase& db, const Kind& k, qint64 id);
std::optional<qint64> idOfName(QSqlDatabase& db, const Kind& k, const QString& name);
QStringList names(QSqlDatabase& db, const Kind& k);
// The opening balance may change only while nothing of it is settled.
inline bool openBalanceEditable(const Party& p) {
    return p.openBal == p.openBalPndg;
}

Check validate(QSqlDatabase& db, const Kind& k, const Party& p, bool adding);
// The question before Modify: it names both names when the party is renamed.
QString modifyQuestion(const Kind& k, const QString& oldName, const QString& newName);
// Adds or updates the row; on a rename the ledger rows that carry the old name follow.
// Returns the identifier written: a proposed one taken meanwhile at another desk gives the next.
qint64 save(QSqlDatabase& db, const Kind& k, const Party& p, bool adding, const QDate& today);
Check deleteBlock(QSqlDatabase& db, const Kind& k, qint64 id);
void remove(QSqlDatabase& db, const Kind& k, qint64 id);

}  // namespace kavra::Parties
