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

// The stored text of a day or moment starts "yyyy-MM" on both engines.
QString month(const QString& date) {
    return QStringLiteral("substr(cast(%1 as varchar(30)), 1, 7)").arg(date);
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

// The bills of the period net of their notes, one row per invoice: its last row. Summed by
// party (or month) first, so that names are joined to a few rows, not to every bill.
Piece bills(const Bills& b, const Period& p, Extra extra) {
    const QString t = QString::fromLatin1(b.table), id = QString::fromLatin1(b.id),
                  party = QString::fromLatin1(b.party);
    const QString by = extra == Extra::Name    ? QStringLiteral("b.") + party
                       : extra == Extra::Month ? month(QStringLiteral("b.InvDateT"))
                                               : QString();
    QString sql = QStringLiteral(
                      "select sum(coalesce(b.TotVal, 0) - coalesce(b.%1, 0)) as a%2 from %3 b join (select max(%4) "
                      "as lastId from %3 where InvDateT >= ? and InvDateT < ? and InvNo is not null and InvNo <> "
                      "'Nil' group by InvNo, %5) l on l.lastId = b.%4 where b.InvDateT >= ? and b.InvDateT < ?")
                      .arg(QString::fromLatin1(b.note), by.isEmpty() ? QString() : QStringLiteral(", %1 as g").arg(by),
                           t, id, party);
    if (!by.isEmpty()) sql += QStringLiteral(" group by ") + by;
    if (extra == Extra::Name)
        sql = QStringLiteral("select %1 as k, s.a, w.%2 as n from (%3) s left join %4 w on w.%5 = s.g")
                  .arg(int(b.key))
                  .arg(QString::fromLatin1(b.partyName), sql, QString::fromLatin1(b.partyTable), party);
    else
        sql = QStringLiteral("select %1 as k, a%2 from (%3) s")
                  .arg(int(b.key))
                  .arg(extra == Extra::Month ? QStringLiteral(", g as n") : QString(), sql);
    // The last row of a bill of the period is of the period itself: bounding it too lets the
    // server read only the period's rows of the table, not all of them.
    return {sql, periodBounds(p) + periodBounds(p)};
}

// The ledger rows of the user's heads (of the reserved ones only the staff heads, as
// overheads): plain payments or receipts, adjustments, and what is still unadjusted of
// advances. One branch per kind of row, so each reads one range of the ledger's index, summed
// there by head (and month); heads and their names join the few sums.
Piece ledger(bool expense, const Period& p, Extra extra) {
    const QString table = expense ? QStringLiteral("Expense") : QStringLiteral("Income");
    const QString code = expense ? QStringLiteral("ExpenseCode") : QStringLiteral("IncomeCode");
    const QString name = expense ? QStringLiteral("h.ExpenseName") : QStringLiteral("h.IncomeName");
    const int direct = expense ? kDirectExpense : kDirectIncome;
    const int indirect = expense ? kIndirectExpense : kIndirectIncome;
    // A head stored without its kind counts as indirect, as the case below files it.
    const QString set = expense
                            ? QStringLiteral("(h.ExpenseCode > 4 or (h.ExpenseCode in (1, 2) and h.IsDirect = FALSE))")
                            : QStringLiteral("h.IncomeCode > 2");
    const int plain = expense ? 1 : 2;
    const int advance = expense ? 4 : 5;
    struct Kind {
        int pra, type;
        const char* amount;
    };
    const Kind kinds[] = {{plain, 1, "f.Amt"}, {3, 1, "f.Amt"}, {plain, advance, "coalesce(f.AmtBal, 0)"}};
    const QString byMonth = extra == Extra::Month ? month(QStringLiteral("f.DateT")) : QString();
    QStringList branches;
    QVariantList params;
    for (const Kind& k : kinds) {
        branches << QStringLiteral(
                        "select f.ExpIncId as h, sum(%1) as a%2 from FundTrans f where f.IsExpense = %3 and f.P_R_A "
                        "= %4 and f.P_R_A_TYPE = %5 and f.DateT >= ? and f.DateT < ? group by f.ExpIncId%6")
                        .arg(QString::fromLatin1(k.amount),
                             byMonth.isEmpty() ? QString() : QStringLiteral(", %1 as g").arg(byMonth),
                             expense ? QStringLiteral("TRUE") : QStringLiteral("FALSE"))
                        .arg(k.pra)
                        .arg(k.type)
                        .arg(byMonth.isEmpty() ? QString() : QStringLiteral(", ") + byMonth);
        params << periodBounds(p);
    }
    const QString n = extra == Extra::Name    ? QStringLiteral(", %1 as n").arg(name)
                      : extra == Extra::Month ? QStringLiteral(", s.g as n")
                                              : QString();
    return {QStringLiteral("select case when h.IsDirect = TRUE then %1 else %2 end as k, s.a%3 from (%4) s join %5 h "
                           "on h.%6 = s.h where %7")
                .arg(direct)
                .arg(indirect)
                .arg(n, branches.join(QStringLiteral(" union all ")), table, code, set),
            params};
}

// Stock on hand from the notes of the period, at each lot's rate, in paise.
Piece closingStock(const Period& p, Extra extra) {
    return {QStringLiteral("select %1 as k, sum(s.BalQty * s.Rate * 100) as a%2 from STNSub s join STN t on t.Id = "
                           "s.Id where t.STNDate >= ? and t.STNDate < ?")
                .arg(int(kClosingStock))
                .arg(extra == Extra::None ? QString() : QStringLiteral(", '' as n")),
            dayBounds(p)};
}

// Every source of the statement, all in one.
QList<Piece> pieces(const Period& p, Extra extra, bool withStock) {
    QList<Piece> out;
    for (const Bills& b : kBills) out << bills(b, p, extra);
    out << ledger(true, p, extra) << ledger(false, p, extra);
    if (withStock) out << closingStock(p, extra);
    return out;
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

// The one rounding rule, once, on the sum of the lots' values.
Money stockValue(double paiseSum) {
    return Money::fromRupees(paiseSum / 100);
}

struct Detail {
    QString name;
    Money amount;
};

// The details of every line by key, and each key's whole sum (its main line), from one read.
struct Lines {
    QHash<int, QList<Detail>> rows;
    QHash<int, double> sums;
    Money sum(int key) const { return paise(sums.value(key)); }
    std::pair<QList<Detail>, QList<Detail>> block(int left, int right) const {
        return {rows.value(left), rows.value(right)};
    }
};

Lines lines(QSqlDatabase& db, const Period& p) {
    Lines out;
    QSqlQuery q = run(db, pieces(p, Extra::Name, true), true);
    while (q.next()) {
        const int key = q.value(0).toInt();
        const double a = q.value(2).toDouble();
        out.sums[key] += a;
        if (key == kClosingStock) continue;
        // A party netting to nothing or less shows in its line, not as a detail.
        const bool bill = key == kPurchase || key == kSales || key == kSubContract || key == kLabourWork;
        if (bill && !(a > 0)) continue;
        out.rows[key] << Detail{q.value(1).toString().trimmed(), paise(a)};
    }
    return out;
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
    Totals t;
    QSqlQuery q = run(db, pieces(p, Extra::None, true), false);
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
            case kClosingStock:
                t.closingStock = stockValue(v.toDouble());
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
    // Each main line is the sum of its block's details, all read once.
    const Lines l = lines(db, p);
    Sheet s(kind().marker);
    s.line(QStringLiteral("Opening Stock"), std::nullopt, {}, std::nullopt);
    s.line(QStringLiteral("Purchase"), l.sum(kPurchase), QStringLiteral("Sales"), l.sum(kSales));
    s.block(l.block(kPurchase, kSales));
    s.line(QStringLiteral("Direct Expense"), l.sum(kDirectExpense), QStringLiteral("Direct Income"),
           l.sum(kDirectIncome));
    s.block(l.block(kDirectExpense, kDirectIncome));
    s.line({}, std::nullopt, QStringLiteral("Closing Stock"), stockValue(l.sums.value(kClosingStock)));
    const Money gross = s.close(QStringLiteral("Gross Profit"), QStringLiteral("Gross Loss"));
    if (gross >= Money())
        s.line({}, std::nullopt, QStringLiteral("Gross Profit B\\F"), gross);
    else
        s.line(QStringLiteral("Gross Loss B\\F"), -gross, {}, std::nullopt);
    s.line(QStringLiteral("Sub Contract"), l.sum(kSubContract), QStringLiteral("Labour Work"), l.sum(kLabourWork));
    s.block(l.block(kSubContract, kLabourWork));
    s.line(QStringLiteral("InDirect Expense"), l.sum(kIndirectExpense), QStringLiteral("InDirect Income"),
           l.sum(kIndirectIncome));
    s.block(l.block(kIndirectExpense, kIndirectIncome));
    s.close(QStringLiteral("Nett Profit"), QStringLiteral("Nett Loss"));
    return s.rows();
}

Chart chart(QSqlDatabase& db, const Period& p) {
    Chart c;
    c.title = QStringLiteral("Income and Expense by Month");
    c.seriesNames = {QStringLiteral("Income"), QStringLiteral("Expense")};
    QStringList keys;
    for (QDate m(p.from.year(), p.from.month(), 1); m <= p.to; m = m.addMonths(1)) {
        keys << m.toString(QStringLiteral("yyyy-MM"));
        c.months << QLocale::c().toString(m, QStringLiteral("MMM yyyy"));
    }
    c.series = {QList<double>(keys.size(), 0.0), QList<double>(keys.size(), 0.0)};
    QSqlQuery q = run(db, pieces(p, Extra::Month, false), true);
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
        d.amountColumns = {2, 3, 5, 6};
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
