#pragma once
// What a stored payment prints: the voucher (who was paid, under which head, how, how much
// and against what) and the cheque leaf. Only the values are built here; the layout is the
// template's.
#include <QSqlDatabase>
#include <optional>

#include "cash/Ledger.h"
#include "printing/DocumentPrint.h"

namespace kavra::Vouchers {

// The voucher of the side's entry with that number; nullopt when there is none.
std::optional<Print::Document> voucher(QSqlDatabase& db, const Ledger::Side& s, qint64 number);

// A cheque leaf is printed only for a stored bank entry.
Check chequeProblem(const Ledger::Entry& e, bool adding);
Print::Document chequeLeaf(const Ledger::Entry& e);
// "ONE THOUSAND, FIVE HUNDRED AND FIFTY Paise ONLY": rupees, then any paise, as a cheque spells them.
QString chequeWords(Money m);

}  // namespace kavra::Vouchers
