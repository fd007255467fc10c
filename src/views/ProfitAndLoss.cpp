#include "views/ProfitAndLoss.h"

#include <QHash>
#include <QLocale>
#include <QSqlQuery>
#include <cmath>

#include "core/Sql.h"

namespace kavra::views::ProfitAndLoss {

namespace {

// Line keys, as the queries tag their rows.
enum Key {
    kPurchase = 1,
    kSales,
    kDirectExpense,
    kDirectIncome,
    kClosingStock,
    kSubContract,
    kLabourWork,
    kIndirectExpense,
    kIndirectIncome
};

// What a row source gives beside its key and amount.
enum class Extra { None, Name, Month };

struct Piece {
    QString sql;
    QVariantList params;
};

QString extraColumn(Extra e, const QString& name, const QString& date) {
    switch (e) {
        case Extra::Name:
            return QStringLiteral(", %1 as n").arg(name);
        // The stored text of a day or moment starts "yyyy-MM" on both engines.
        case Extra::Month:
            return QStringLiteral(", substr(cast(%1 as varchar(30)), 1, 7) as n").arg(date);
        case Extra::None:
            break;
    }
    return {};
}

struct Bills {
    Key key;
    const char *table, *id, *party, *note, *partyTable, *partyName;
};

const Bills kBills[] = {
    {kPurchase, "Purchase", "PurchId", "VendorCode", "Credit", "Vendor", "VendorName"},
    {kSales, "DcInv", "DcInvId", "CustId", "Debit", "Customer", "CustName"},
    {kSubContract, "DcSubConIncoming", "DcId", "SuppId", "Credit", "Supplier", "SuppName"},
    {kLabourWork, "DcOutgoingInv", "DcId", "CustId", "Debit", "Customer", "CustName"},
};

// The bills of the period net of their notes, one row per invoice: its last row.
Piece bills(const Bills& b, const Period& p, Extra extra) {
    const QString t = QString::fromLatin1(b.table), id = QString::fromLatin1(b.id),
                  party = QString::fromLatin1(b.party);
    QString sql = QStringLiteral(
                      "select %1 as k, coalesce(b.TotVal, 0) - coalesce(b.%2, 0) as a%3 from %4 b join (select "
                      "max(%5) as lastId from %4 where InvDateT >= ? and InvDateT < ? and InvNo is not null and "
                      "InvNo <> 'Nil' group by InvNo, %6) l on l.lastId = b.%5")
                      .arg(int(b.key))
                      .arg(QString::fromLatin1(b.note),
                           extraColumn(extra, QStringLiteral("w.") + QString::fromLatin1(b.partyName),
                                       QStringLiteral("b.InvDateT")),
                           t, id, party);
    if (extra == Extra::Name)
        sql += QStringLiteral(" left join %1 w on w.%2 = b.%2").arg(QString::fromLatin1(b.partyTable), party);
    return {sql, periodBounds(p)};
}

enum class Heads { Both, Direct, Indirect };

// The ledger rows of the head sets: plain payments or receipts, adjustments, and what is
// still unadjusted of advances. One branch per kind of row, so each reads one range of the
// ledger's index.
QList<Piece> ledger(bool expense, Heads which, const Period& p, Extra extra) {
    const QString table = expense ? QStringLiteral("Expense") : QStringLiteral("Income");
    const QString code = expense ? QStringLiteral("ExpenseCode") : QStringLiteral("IncomeCode");
    const QString name = expense ? QStringLiteral("h.ExpenseName") : QStringLiteral("h.IncomeName");
    const int direct = expense ? kDirectExpense : kDirectIncome;
    const int indirect = expense ? kIndirectExpense : kIndirectIncome;
    // The user's heads; of the reserved ones only the staff heads, as overheads.
    const QString directSet = QStringLiteral("(h.%1 > %2 and h.IsDirect = TRUE)").arg(code).arg(expense ? 4 : 2);
    const QString indirectSet =
        expense ? QStringLiteral("((h.ExpenseCode > 4 or h.ExpenseCode in (1, 2)) and h.IsDirect = FALSE)")
                : QStringLiteral("(h.IncomeCode > 2 and h.IsDirect = FALSE)");
    const QString set = which == Heads::Direct     ? directSet
                        : which == Heads::Indirect ? indirectSet
                                                   : QStringLiteral("(%1 or %2)").arg(directSet, indirectSet);
    const int plain = expense ? 1 : 2;
    const int advance = expense ? 4 : 5;
    struct Kind {
        int pra, type;
        const char* amount;
    };
    const Kind kinds[] = {{plain, 1, "f.Amt"}, {3, 1, "f.Amt"}, {plain, advance, "coalesce(f.AmtBal, 0)"}};
    QList<Piece> out;
    for (const Kind& k : kinds)
        out << Piece{QStringLiteral("select case when h.IsDirect = TRUE then %1 else %2 end as k, %3 as a%4 from "
                                    "FundTrans f join %5 h on h.%6 = f.ExpIncId where f.IsExpense = %7 and "
                                    "f.P_R_A = %8 and f.P_R_A_TYPE = %9 and f.DateT >= ? and f.DateT < ? and %10")
                         .arg(direct)
                         .arg(indirect)
                         .arg(QString::fromLatin1(k.amount), extraColumn(extra, name, QStringLiteral("f.DateT")), table,
                              code, expense ? QStringLiteral("TRUE") : QStringLiteral("FALSE"))
                         .arg(k.pra)
                         .arg(k.type)
                         .arg(set),
                     periodBounds(p)};
    return out;
}

// Stock on hand from the notes of the period, at each lot's rate, in paise.
Piece closingStock(const Period& p) {
    return {QStringLiteral("select %1 as k, s.BalQty * s.Rate * 100 as a from STNSub s join STN t on t.Id = s.Id "
                           "where t.STNDate >= ? and t.STNDate < ?")
                .arg(int(kClosingStock)),
            dayBounds(p)};
}

// One statement over the pieces, summed by key (and name or month).
QSqlQuery run(QSqlDatabase& db, const QList<Piece>& pieces, bool byExtra) {
    QStringList parts;
    QVariantList params;
    for (const Piece& piece : pieces) {
        parts << piece.sql;
        params << piece.params;
    }
    const QString group = byExtra ? QStringLiteral("k, n") : QStringLiteral("k");
    return Sql::exec(db,
                     QStringLiteral("select %1, sum(a) from (%2) t group by %1 order by %1")
                         .arg(group, parts.join(QStringLiteral(" union all "))),
                     params);
}

Money paise(const QVariant& v) {
    return Money::fromPaise(std::llround(v.toDouble()));
}

struct Detail {
    QString name;
    Money amount;
};

// A block of details: the left key's rows and the right key's, each by name, and each key's
// whole sum (its main line), so that no rows are read twice.
struct Block {
    std::pair<QList<Detail>, QList<Detail>> rows;
    QHash<int, double> sums;
    Money sum(int key) const { return paise(sums.value(key)); }
};

Block details(QSqlDatabase& db, const QList<Piece>& pieces, int left, bool positiveOnly) {
    Block out;
    QSqlQuery q = run(db, pieces, true);
    while (q.next()) {
        const int key = q.value(0).toInt();
        const double a = q.value(2).toDouble();
        out.sums[key] += a;
        // A party netting to nothing or less shows in its line, not as a detail.
        if (positiveOnly && !(a > 0)) continue;
        (key == left ? out.rows.first : out.rows.second) << Detail{q.value(1).toString().trimmed(), paise(a)};
    }
    return out;
}

QList<Piece> billPieces(Key left, Key right, const Period& p, Extra extra) {
    QList<Piece> out;
    for (const Bills& b : kBills)
        if (b.key == left || b.key == right) out << bills(b, p, extra);
    return out;
}

QList<Piece> headPieces(Heads which, const Period& p, Extra extra) {
    return ledger(true, which, p, extra) + ledger(false, which, p, extra);
}

class Sheet {
  public:
    explicit Sheet(const QString& marker) : marker_(marker) {}
    // A main line; a side without a name is left empty, one without an amount shows none.
    void line(const QString& debit, std::optional<Money> da, const QString& credit, std::optional<Money> ca,
              RowKind kind = RowKind::Group) {
        rows_ << Row{kind,
                     {marker_, debit, QString(), da ? da->toString() : QString(), credit, QString(),
                      ca ? ca->toString() : QString()}};
        if (da) debit_ += *da;
        if (ca) credit_ += *ca;
    }
    void block(const std::pair<QList<Detail>, QList<Detail>>& d) {
        const qsizetype n = std::max(d.first.size(), d.second.size());
        for (qsizetype i = 0; i < n; ++i) {
            QStringList c(7);
            if (i < d.first.size()) c[1] = d.first[i].name, c[2] = d.first[i].amount.toString();
            if (i < d.second.size()) c[4] = d.second[i].name, c[5] = d.second[i].amount.toString();
            rows_ << Row{RowKind::Detail, c};
        }
    }
    // Closes a section: the balancing line (profit on the debit side when the sides tie),
    // then the totals. Returns the profit (positive) or loss (negative).
    Money close(const QString& profit, const QString& loss) {
        const Money diff = credit_ - debit_;
        if (diff >= Money())
            line(profit, diff, {}, std::nullopt);
        else
            line({}, std::nullopt, loss, -diff);
        const Money total = std::max(debit_, credit_);
        line(QStringLiteral("Total"), total, QStringLiteral("Total"), total, RowKind::Total);
        debit_ = credit_ = Money();
        return diff;
    }
    QList<Row> rows() const { return rows_; }

  private:
    QString marker_;
    QList<Row> rows_;
    Money debit_, credit_;
};

}  // namespace

Totals totals(QSqlDatabase& db, const Period& p) {
    QList<Piece> pieces;
    for (const Bills& b : kBills) pieces << bills(b, p, Extra::None);
    pieces << headPieces(Heads::Both, p, Extra::None) << closingStock(p);
    Totals t;
    QSqlQuery q = run(db, pieces, false);
    while (q.next()) {
        const QVariant v = q.value(1);
        switch (q.value(0).toInt()) {
            case kPurchase:
                t.purchase = paise(v);
                break;
            case kSales:
                t.sales = paise(v);
                break;
            case kDirectExpense:
                t.directExpense = paise(v);
                break;
            case kDirectIncome:
                t.directIncome = paise(v);
                break;
            // The one rounding rule, once, on the sum of the lots' values.
            case kClosingStock:
                t.closingStock = Money::fromRupees(v.toDouble() / 100);
                break;
            case kSubContract:
                t.subContract = paise(v);
                break;
            case kLabourWork:
                t.labourWork = paise(v);
                break;
            case kIndirectExpense:
                t.indirectExpense = paise(v);
                break;
            case kIndirectIncome:
                t.indirectIncome = paise(v);
                break;
        }
    }
    return t;
}

QList<Row> build(QSqlDatabase& db, const Period& p) {
    // Each main line is the sum of its block's details, read once.
    const Block trade = details(db, billPieces(kPurchase, kSales, p, Extra::Name), kPurchase, true);
    const Block direct = details(db, headPieces(Heads::Direct, p, Extra::Name), kDirectExpense, false);
    const Block work = details(db, billPieces(kSubContract, kLabourWork, p, Extra::Name), kSubContract, true);
    const Block indirect = details(db, headPieces(Heads::Indirect, p, Extra::Name), kIndirectExpense, false);
    QSqlQuery stock = run(db, {closingStock(p)}, false);
    // The one rounding rule, once, on the sum of the lots' values.
    const Money closing = stock.next() ? Money::fromRupees(stock.value(1).toDouble() / 100) : Money();
    Sheet s(kind().marker);
    s.line(QStringLiteral("Opening Stock"), std::nullopt, {}, std::nullopt);
    s.line(QStringLiteral("Purchase"), trade.sum(kPurchase), QStringLiteral("Sales"), trade.sum(kSales));
    s.block(trade.rows);
    s.line(QStringLiteral("Direct Expense"), direct.sum(kDirectExpense), QStringLiteral("Direct Income"),
           direct.sum(kDirectIncome));
    s.block(direct.rows);
    s.line({}, std::nullopt, QStringLiteral("Closing Stock"), closing);
    const Money gross = s.close(QStringLiteral("Gross Profit"), QStringLiteral("Gross Loss"));
    if (gross >= Money())
        s.line({}, std::nullopt, QStringLiteral("Gross Profit B\\F"), gross);
    else
        s.line(QStringLiteral("Gross Loss B\\F"), -gross, {}, std::nullopt);
    s.line(QStringLiteral("Sub Contract"), work.sum(kSubContract), QStringLiteral("Labour Work"),
           work.sum(kLabourWork));
    s.block(work.rows);
    s.line(QStringLiteral("InDirect Expense"), indirect.sum(kIndirectExpense), QStringLiteral("InDirect Income"),
           indirect.sum(kIndirectIncome));
    s.block(indirect.rows);
    s.close(QStringLiteral("Nett Profit"), QStringLiteral("Nett Loss"));
    return s.rows();
}

Chart chart(QSqlDatabase& db, const Period& p) {
    QList<Piece> pieces;
    for (const Bills& b : kBills) pieces << bills(b, p, Extra::Month);
    pieces << headPieces(Heads::Both, p, Extra::Month);
    Chart c;
    c.title = QStringLiteral("Income and Expense by Month");
    c.seriesNames = {QStringLiteral("Income"), QStringLiteral("Expense")};
    QStringList keys;
    for (QDate m(p.from.year(), p.from.month(), 1); m <= p.to; m = m.addMonths(1)) {
        keys << m.toString(QStringLiteral("yyyy-MM"));
        c.months << QLocale::c().toString(m, QStringLiteral("MMM yyyy"));
    }
    c.series = {QList<double>(keys.size(), 0.0), QList<double>(keys.size(), 0.0)};
    QSqlQuery q = run(db, pieces, true);
    while (q.next()) {
        const qsizetype at = keys.indexOf(q.value(1).toString());
        if (at < 0) continue;
        const int k = q.value(0).toInt();
        const bool income = k == kSales || k == kLabourWork || k == kDirectIncome || k == kIndirectIncome;
        c.series[income ? 0 : 1][at] += paise(q.value(2)).rupees();
    }
    return c;
}

const StatementKind& kind() {
    static const StatementKind k = [] {
        StatementKind d;
        d.screen = QStringLiteral("frmView_GPL_NPL");
        d.caption = QStringLiteral("VIEW PROFIT AND LOSS");
        d.headings = {QStringLiteral("PROFIT AND LOSS ACCOUNT"), QStringLiteral("VIEW")};
        d.columns = QStringLiteral(
            "|      Particulars        |               |     Amount   |      Particulars        |               |     "
            "Amount");
        d.widths = {0, 1920, 1290, 1290, 1920, 1290, 1290};
        d.detailColumns = {2, 5};
        d.marker = QStringLiteral("G");
        d.detailOption = QStringLiteral("Detailed View");
        d.fromAfterTo = QStringLiteral("From Date should not be later than To Date ...");
        d.noPrint = QStringLiteral("No data to Print ...");
        d.build = [](QSqlDatabase& db, const Period& p) { return build(db, p); };
        d.printTitles = [](const Period& p) {
            return QStringList{QStringLiteral("Profit and Loss Statement for the period between  ") +
                               printDate(p.from) + QStringLiteral(" and ") + printDate(p.to)};
        };
        d.chart = [](QSqlDatabase& db, const Period& p) { return chart(db, p); };
        return d;
    }();
    return k;
}

}  // namespace kavra::views::ProfitAndLoss
