#include "printing/PrintRules.h"

#include "core/ClsProd.h"
#include "core/Sql.h"

namespace kavra::Print {

std::optional<QString> companyDetailsProblem(QSqlDatabase& db) {
    if (Sql::any(db, QStringLiteral("select 1 from Misc"))) return std::nullopt;
    return QStringLiteral("You have to enter your Company Details First in order to take Print Outs!!!") +
           QLatin1Char('\n') + QStringLiteral(" GoTo :  Master -->My Company Details ");
}

std::optional<QString> documentProblem(bool saveEnabled, int lineCount) {
    if (saveEnabled) return QStringLiteral("You must save the record first in order to take a print!!!");
    if (lineCount <= 0) return QStringLiteral("No data to Print...");
    return std::nullopt;
}

int rowsPerPage(QSqlDatabase& db, const QString& topic) {
    const QVariant v = Sql::scalar(db, QStringLiteral("select currrows from PrintInfo where printtopic=?"), {topic});
    return std::max(1, v.toInt());
}

int pagesFor(int lineCount, int perPage) {
    return std::max(1, (lineCount + perPage - 1) / std::max(1, perPage));
}

QString pageText(int page, int pages) {
    return QStringLiteral("Page %1 of %2").arg(page).arg(pages);
}

namespace {
qint64 paiseOf(Money m) {
    return (m.paise() < 0 ? -m.paise() : m.paise()) % 100;
}
qint64 rupeesOf(Money m) {
    return (m.paise() < 0 ? -m.paise() : m.paise()) / 100;
}
}  // namespace

QString amountInWords(Money total) {
    QString s = QStringLiteral("RUPEES .") + clsProd::AmountInWords(rupeesOf(total));
    if (const qint64 p = paiseOf(total)) s += QStringLiteral(" AND PAISE ") + clsProd::AmountInWords(p);
    return (s + QStringLiteral(" ONLY")).toUpper();
}

QString proformaAmountInWords(Money total) {
    QString s = QStringLiteral("RUPEES ") + clsProd::AmountInWords(rupeesOf(total));
    if (const qint64 p = paiseOf(total))
        s += QStringLiteral(" AND ") + clsProd::AmountInWords(p) + QStringLiteral("PAISE");
    return (s + QStringLiteral(" ONLY")).toUpper();
}

QString numberInWords(qint64 n) {
    if (n < 0) n = -n;
    const qint64 crore = 10000000;
    if (n < crore * 100) return clsProd::AmountInWords(n);
    // Beyond 99 crore the crores are themselves a number in words.
    QString rest = clsProd::AmountInWords(n % crore);
    QString head = numberInWords(n / crore) + QStringLiteral(" CRORE, ");
    QString s = head + rest;
    if (s.endsWith(QLatin1String(", "))) s.chop(2);
    return s;
}

}  // namespace kavra::Print
