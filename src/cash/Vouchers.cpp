#include "cash/Vouchers.h"

#include "core/ClsProd.h"
#include "core/Sql.h"

namespace kavra::Vouchers {

namespace {

QString day(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

// The letterhead's first four lines: a voucher has no room for more.
QString shortHead(QSqlDatabase& db) {
    QString head = Sql::scalar(db, QStringLiteral("select PrintHead from Misc")).toString();
    head.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return head.split(QLatin1Char('\n')).mid(0, 4).join(QLatin1Char('\n'));
}

QString rupees(Money m) {
    return QStringLiteral("Rs. ") + m.toString();
}

}  // namespace

std::optional<Print::Document> voucher(QSqlDatabase& db, const Ledger::Side& s, qint64 number) {
    const auto e = Ledger::load(db, s, number);
    if (!e) return std::nullopt;
    Print::Document doc{QStringLiteral("PAYMENTS"), QString()};
    doc.fields[QStringLiteral("PrintHead")] = shortHead(db);
    doc.fields[QStringLiteral("VoucherNo")] = QString::number(e->number);
    doc.fields[QStringLiteral("VoucherDate")] = day(e->date);
    doc.fields[QStringLiteral("Narration")] = e->desc;
    const QString head = Ledger::headName(db, s, e->head);
    doc.fields[QStringLiteral("HeadName")] =
        head.trimmed().compare(QStringLiteral("Others"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Expense") : head;
    doc.fields[QStringLiteral("PaidTo")] = e->party;
    doc.fields[QStringLiteral("Amount")] = rupees(e->amount) + QStringLiteral("/-");
    if (e->source == Ledger::Source::Bank) {
        doc.fields[QStringLiteral("BankAc")] =
            QStringLiteral("Bank A/c  : ") +
            Sql::scalar(db, QStringLiteral("select BankName from Banks where BankId=?"), {e->bankId})
                .toString()
                .trimmed();
        doc.fields[QStringLiteral("ChequeRef")] = QStringLiteral("Cheque No : ") + e->chNo + QStringLiteral(" Dt. ") +
                                                  (e->chDate.isValid() ? day(e->chDate) : QString());
    } else {
        doc.hideRows << QStringLiteral("BankAc") << QStringLiteral("ChequeRef");
    }
    doc.fields[QStringLiteral("AmountInWords")] = Ledger::amountInWords(e->amount);
    auto line = [&doc](const QString& ref, const QString& amount) {
        doc.lines.append({int(doc.lines.size() + 1), ref, amount});
    };
    const auto rule = s.rule(e->head);
    const bool bills = rule && rule->book;
    if (bills && Ledger::settlesBills(s, e->head, e->type))
        for (const Ledger::Row& r : e->rows) line(r.bill, rupees(r.amount));
    else if (e->type == s.advanceType)
        line(QStringLiteral("Advance Payment"), rupees(e->amount));
    else if (bills && e->type == Ledger::kOpening)
        line(QStringLiteral("Agst Ref : ") + QStringLiteral("Opening Balance"), rupees(e->amount));
    else
        line(QStringLiteral("Agst Ref : N/A "), rupees(e->amount));
    return doc;
}

Check chequeProblem(const Ledger::Entry& e, bool adding) {
    if (adding)
        return Refusal::message(QStringLiteral("You should save the record first in order to print the cheque..."),
                                MsgIcon::Exclamation);
    if (e.source != Ledger::Source::Bank)
        return Refusal::message(QStringLiteral("You should select the option 'Bank'  in order to print the cheque..."),
                                MsgIcon::Exclamation);
    return std::nullopt;
}

QString chequeWords(Money m) {
    if (m < Money()) m = -m;
    QString out = clsProd::AmountInWords(m.wholeRupees()).toUpper().simplified();
    if (const qint64 paise = m.paise() % 100)
        out +=
            QStringLiteral(" AND ") + clsProd::AmountInWords(paise).toUpper().simplified() + QStringLiteral(" Paise");
    return out + QStringLiteral(" ONLY");
}

Print::Document chequeLeaf(const Ledger::Entry& e) {
    Print::Document doc{QStringLiteral("ChequeLeaf"), QString()};
    doc.fields[QStringLiteral("txtDate")] = day(e.date);
    doc.fields[QStringLiteral("txtPayableTo")] = e.party;
    doc.fields[QStringLiteral("txtAmountinWords")] = chequeWords(e.amount);
    doc.fields[QStringLiteral("txtAmount")] = e.amount.toString();
    // A leaf carries neither the letterhead nor a total in words of its own.
    doc.hideRows << QStringLiteral("PrintHead") << QStringLiteral("AmountInWords");
    return doc;
}

}  // namespace kavra::Vouchers
