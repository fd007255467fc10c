#include "YearFiller.h"

#include <QDate>
#include <QStringList>
#include <QVariantList>
#include <algorithm>
#include <functional>

#include "core/Db.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/chain/Rows.h"

namespace kavra::bench {

namespace {

constexpr qint64 kStoresBase = 50000000;  // far above any number the stores hand out in a bench

// Rows written a few hundred to a statement; row(i, out) appends one row's values.
void insertRows(QSqlDatabase& db, const QString& head, int columns, int count,
                const std::function<void(int, QVariantList&)>& row) {
    const int per = std::max(1, std::min(400, 20000 / columns));
    QStringList marks;
    for (int c = 0; c < columns; ++c) marks << QStringLiteral("?");
    const QString one = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    for (int from = 0; from < count; from += per) {
        const int n = std::min(per, count - from);
        QStringList groups;
        QVariantList values;
        for (int i = 0; i < n; ++i) {
            groups << one;
            row(from + i, values);
        }
        Sql::exec(db, head + QStringLiteral(" values ") + groups.join(QLatin1Char(',')), values);
    }
}

int linesOfDc(int dc) {
    return dc % 5 < 2 ? 9 : 8;  // 8.4 on average
}

}  // namespace

YearSize YearSize::scaled(double scale) {
    YearSize s;
    auto at = [scale](int n, int least) { return std::max(least, int(n * scale)); };
    s.customers = at(s.customers, 2);
    s.items = at(s.items, 40);
    s.orders = at(s.orders, 2);
    s.dcs = at(s.dcs, 4);
    s.invoices = std::min(s.dcs - 1, at(s.invoices, 2));
    s.issues = at(s.issues, 2);
    s.lots = at(s.lots, 10);
    s.fundTrans = at(s.fundTrans, 10);
    return s;
}

QString customerName(int custId) {
    return QStringLiteral("CUSTOMER %1").arg(custId, 4, 10, QLatin1Char('0'));
}

QString itemCode(int itemId) {
    return QStringLiteral("IT%1").arg(itemId, 5, 10, QLatin1Char('0'));
}

Year fill(QSqlDatabase& db, const YearSize& z) {
    namespace Rows = chain::Rows;
    Year year{z, 0};
    const QDate start(Session::current().companyYear() ? Session::current().companyYear() : 2026, 4, 1);
    auto dayOf = [&](int i, int count) { return start.addDays(int(qint64(i) * 350 / std::max(1, count))); };
    auto orderOfDc = [&](int dc) { return dc % z.orders + 1; };
    auto custOfOrder = [&](int po) { return po % z.customers + 1; };
    auto itemOfLine = [&](int base, int l, int span) {
        return (base * 7 + l * std::max(1, z.items / span)) % z.items + 1;
    };
    Sql::transaction(db, [&] {
        insertRows(db, QStringLiteral("insert into Customer (CustId, CustName, CustAddr)"), 3, z.customers,
                   [&](int i, QVariantList& v) { v << i + 1 << customerName(i + 1) << QStringLiteral("Peenya"); });
        insertRows(db, QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate)"),
                   6, z.items, [&](int i, QVariantList& v) {
                       v << i + 1 << itemCode(i + 1) << QStringLiteral("Part %1").arg(i + 1) << 5
                         << QStringLiteral("NOS") << 10.0 + i % 90;
                   });
        insertRows(db,
                   QStringLiteral("insert into MfgPO (POId, CustId, PONo, PODate, PODateT, ValidFrom, ValidTo, "
                                  "PurchVal, NoOfItems, POTally, Cancl)"),
                   11, z.orders, [&](int i, QVariantList& v) {
                       const QDate d = dayOf(i, z.orders);
                       v << i + 1 << custOfOrder(i + 1) << QStringLiteral("PO-%1").arg(i + 1) << Rows::dateText(d)
                         << Rows::dateValue(d) << Db::day(d) << Db::day(start.addYears(1)) << 1000000 << z.orderLines
                         << false << false;
                   });
        insertRows(db, QStringLiteral("insert into MfgPOSub (POId, SlNo, ItemId, UOM, Qty, Rate, Discount, QtyToSend)"),
                   8, z.orders * z.orderLines, [&](int i, QVariantList& v) {
                       const int po = i / z.orderLines + 1, l = i % z.orderLines;
                       v << po << l + 1 << itemOfLine(po, l, z.orderLines) << QStringLiteral("NOS") << 100000.0 << 12.5
                         << 0.0 << 99000.0;
                   });
        insertRows(db,
                   QStringLiteral("insert into DcInv (DcInvId, CustId, DcNo, DcDate, DcDateT, PONo, PODate, PODateT, "
                                  "Transport, VehicleNo, TransFrom, TransTo, DeliveryPurpose, DcRem, NoOfItems, InvNo, "
                                  "InvDate, InvDateT, TotVal, Balance)"),
                   20, z.dcs, [&](int i, QVariantList& v) {
                       const int id = i + 1, po = orderOfDc(id);
                       const QDate d = dayOf(i, z.dcs);
                       const bool billed = id <= z.invoices;
                       const QDateTime at(d, QTime(10 + id % 8, id % 60));
                       v << id << custOfOrder(po) << QString::number(id) << Rows::dateText(d) << Rows::dateValue(d)
                         << QStringLiteral("PO-%1").arg(po) << Rows::dateText(d) << Rows::dateValue(d)
                         << QStringLiteral("LORRY %1").arg(id % 40) << QStringLiteral("KA-01-%1").arg(id % 900)
                         << QStringLiteral("Peenya") << QStringLiteral("Hosur") << QStringLiteral("Sale")
                         << QStringLiteral(" ") << linesOfDc(id)
                         << (billed ? QVariant(QString::number(id)) : Rows::nullText())
                         << (billed ? QVariant(at.toString(QStringLiteral("dd/MM/yyyy"))) : Rows::nullText())
                         << (billed ? Db::ts(at) : Rows::nullText()) << (billed ? QVariant(500000) : QVariant(0))
                         << (billed ? QVariant(500000) : QVariant(0));
                   });
        // DC lines: the DC's lines one after another, items spread over the master.
        QList<QPair<int, int>> lineAt;  // dc, line
        lineAt.reserve(z.dcs * 9);
        for (int dc = 1; dc <= z.dcs; ++dc)
            for (int l = 0; l < linesOfDc(dc); ++l) lineAt.append({dc, l});
        insertRows(db,
                   QStringLiteral("insert into DcInvSub (DcInvId, SlNo, ItemId, ProductId, Qty, DcRowRem, RejQty, "
                                  "RewQty, RejRowRem, Rate, Discount)"),
                   11, int(lineAt.size()), [&](int i, QVariantList& v) {
                       const auto [dc, l] = lineAt[i];
                       v << dc << l + 1 << itemOfLine(dc, l, 9) << 0 << 5.0 << QStringLiteral(" ") << 0.0 << 0.0
                         << QStringLiteral(" ") << (dc <= z.invoices ? 12.5 : 0.0) << 0.0;
                   });
        const int notes = std::max(1, z.lots / 10);
        insertRows(db, QStringLiteral("insert into STN (Id, STNNo, STNDate, TS, PrepBy, RemAny)"), 6, notes,
                   [&](int i, QVariantList& v) {
                       v << kStoresBase + i + 1 << i + 1 << Db::day(dayOf(i, notes)) << 1 << QStringLiteral("Stores")
                         << QStringLiteral(" ");
                   });
        // Lots: item 1 (the heaviest) gets every tenth lot; the others share the rest.
        insertRows(db, QStringLiteral("insert into STNSub (Id, SlNo, ItemId, catC, Qty, BalQty)"), 6, z.lots,
                   [&](int i, QVariantList& v) {
                       const int other = i - i / 10 - 1;  // the lots not of item 1, counted from 0
                       const int item = i % 10 == 0 ? 1 : other % (z.items - 1) + 2;
                       v << kStoresBase + i / 10 + 1 << i % 10 + 1 << item << 5 << 1000.0 << (i % 3 ? 1000.0 : 0.0);
                   });
        year.heaviestItem = 1;
        insertRows(db, QStringLiteral("insert into StoreIss (Id, IssNo, DOI, TI, ToWhom, RemAny)"), 6, z.issues,
                   [&](int i, QVariantList& v) {
                       v << kStoresBase + i + 1 << i + 1 << Db::day(dayOf(i, z.issues)) << 1
                         << QStringLiteral("Shop floor") << QStringLiteral(" ");
                   });
        insertRows(db, QStringLiteral("insert into StoreIssSub (Id, SlNo, catC, ItemId, IssQty, Trak)"), 6, z.issues,
                   [&](int i, QVariantList& v) {
                       v << kStoresBase + i + 1 << 1 << 5 << i % z.items + 1 << 1.0
                         << QStringLiteral("%1,1").arg(kStoresBase + i / 10 + 1);
                   });
        insertRows(db,
                   QStringLiteral("insert into FundTrans (Id, FundTransId, SlNo, DateT, P_R_A, IsExpense, ExpIncId, "
                                  "PartyName, Amt)"),
                   9, z.fundTrans, [&](int i, QVariantList& v) {
                       v << i / 4 + 1 << i / 4 + 1 << i % 4 + 1 << Db::ts(dayOf(i, z.fundTrans).startOfDay()) << 2
                         << false << 1 << customerName(i % z.customers + 1) << 100000;
                   });
    });
    return year;
}

StatementSize StatementSize::scaled(double scale) {
    StatementSize s;
    for (int* n : {&s.purchaseBills, &s.labourDcs, &s.subconBills}) *n = std::max(3, int(*n * scale));
    return s;
}

void fillStatements(QSqlDatabase& db, const YearSize& z, const StatementSize& s) {
    const QDate start(Session::current().companyYear() ? Session::current().companyYear() : 2026, 4, 1);
    auto dayOf = [&](int i, int count) { return start.addDays(int(qint64(i) * 350 / std::max(1, count))); };
    Sql::transaction(db, [&] {
        insertRows(db, QStringLiteral("insert into Vendor (VendorCode, VendorName)"), 2, 200,
                   [&](int i, QVariantList& v) { v << i + 1 << QStringLiteral("VENDOR %1").arg(i + 1); });
        insertRows(db, QStringLiteral("insert into Supplier (SuppId, SuppName)"), 2, 50,
                   [&](int i, QVariantList& v) { v << i + 1 << QStringLiteral("SUPPLIER %1").arg(i + 1); });
        insertRows(db, QStringLiteral("insert into Purchase (PurchId, VendorCode, InvNo, InvDateT, TotVal, Credit)"), 6,
                   s.purchaseBills, [&](int i, QVariantList& v) {
                       v << i + 1 << i % 200 + 1 << QStringLiteral("B%1").arg(i + 1)
                         << Db::ts(dayOf(i, s.purchaseBills).startOfDay().addSecs(3600 * (i % 20)))
                         << 250000 + i % 977 * 100 << (i % 10 ? 0 : 5000);
                   });
        // Invoices over two or three DCs: every DC of an invoice carries its values.
        insertRows(db, QStringLiteral("insert into DcOutgoingInv (DcId, CustId, DcNo, InvNo, InvDateT, TotVal, Debit)"),
                   7, s.labourDcs, [&](int i, QVariantList& v) {
                       const int inv = i * 2 / 5;  // 2, 3, 2, 3 ... DCs an invoice
                       v << i + 1 << inv % z.customers + 1 << QString::number(i + 1) << QStringLiteral("L%1").arg(inv)
                         << Db::ts(dayOf(inv, s.labourDcs * 2 / 5 + 1).startOfDay().addSecs(36000)) << 120000
                         << (inv % 7 ? 0 : 2000);
                   });
        insertRows(db,
                   QStringLiteral("insert into DcSubConIncoming (DcId, SuppId, DcNo, InvNo, InvDateT, TotVal, Credit)"),
                   7, s.subconBills, [&](int i, QVariantList& v) {
                       v << i + 1 << i % 50 + 1 << QString::number(i + 1) << QStringLiteral("SB%1").arg(i + 1)
                         << Db::ts(dayOf(i, s.subconBills).startOfDay().addSecs(40000)) << 80000 << 0;
                   });
        for (int h = 6; h <= 25; ++h)
            Sql::exec(db, QStringLiteral("insert into Expense (ExpenseCode, ExpenseName, IsDirect) values (?, ?, ?)"),
                      {h, QStringLiteral("EXPENSE %1").arg(h), h % 2 == 0});
        for (int h = 4; h <= 13; ++h)
            Sql::exec(db, QStringLiteral("insert into Income (IncomeCode, IncomeName, IsDirect) values (?, ?, ?)"),
                      {h, QStringLiteral("INCOME %1").arg(h), h % 2 == 0});
        // Every row of the ledger given a kind: most settle bills, the rest fall on the heads.
        Sql::exec(db, QStringLiteral("update FundTrans set P_R_A_TYPE = 3"));
        Sql::exec(db, QStringLiteral("update FundTrans set IsExpense = TRUE, P_R_A = 1, P_R_A_TYPE = 1, ExpIncId = "
                                     "6 + Id % 20 where Id % 5 = 1"));
        Sql::exec(db, QStringLiteral("update FundTrans set IsExpense = TRUE, P_R_A = 1, P_R_A_TYPE = 4, AmtBal = "
                                     "Amt / 2, ExpIncId = 6 + Id % 20 where Id % 25 = 2"));
        Sql::exec(db, QStringLiteral("update FundTrans set P_R_A_TYPE = 1, ExpIncId = 4 + Id % 10 where Id % 5 = 3"));
        Sql::exec(db, QStringLiteral("update FundTrans set P_R_A = 3, P_R_A_TYPE = 1, ExpIncId = 4 + Id % 10 where "
                                     "Id % 25 = 4"));
        Sql::exec(db, QStringLiteral("update STNSub set Rate = 12.5"));
    });
}

}  // namespace kavra::bench
