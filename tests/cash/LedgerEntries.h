#pragma once
// A new entry of a ledger side as New would propose it, and its save checked first.
#include <QDate>

#include "cash/Ledger.h"
#include "support/TestEnv.h"

namespace kavra::test {

inline Ledger::Entry newEntry(QSqlDatabase& db, const Ledger::Side& s, qint64 head, const QString& party, int type,
                              const char* amount, QList<Ledger::Row> rows = {}) {
    Ledger::Entry e;
    e.id = Ledger::proposedId(db);
    e.number = Ledger::proposedNumber(db, s);
    e.date = QDate(2026, 6, 1);
    e.source = Ledger::Source::Cash;
    e.head = head;
    e.party = party;
    e.type = type;
    e.amount = Money::parse(amount);
    e.rows = rows;
    return e;
}

inline Ledger::Entry checkedSave(QSqlDatabase& db, const Ledger::Side& s, const Ledger::Entry& e) {
    EXPECT_EQ(refusalText(Ledger::validate(db, s, e, true)), "");
    return Ledger::save(db, s, e);
}

}  // namespace kavra::test
