#pragma once
// What every document print checks and writes before any template is touched.
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Money.h"

namespace kavra::Print {

// The refusal when the company details are missing, or nullopt.
std::optional<QString> companyDetailsProblem(QSqlDatabase& db);
// An unsaved document (its Save button still enabled) or one without lines cannot be printed.
std::optional<QString> documentProblem(bool saveEnabled, int lineCount);
// Item rows one template page holds; at least 1.
int rowsPerPage(QSqlDatabase& db, const QString& topic);
// Pages needed for lineCount lines, at least one.
int pagesFor(int lineCount, int perPage);
QString pageText(int page, int pages);

// "RUPEES .ONE THOUSAND, FIFTY  AND PAISE FIFTY  ONLY": the total in words, capitals.
QString amountInWords(Money total);
// The proforma invoice's form: "RUPEES " ... " AND " ... "PAISE" ... " ONLY".
QString proformaAmountInWords(Money total);
// The lakh/crore words of any whole number; crores of crores repeat the crore word.
QString numberInWords(qint64 n);

}  // namespace kavra::Print
