// A receipt under the service invoices' head locks the invoice it settles; deleting the
// receipt frees it again.
#include "cash/Ledger.h"
#include "core/Sql.h"
#include "sales/ServiceInvoices.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
namespace SI = kavra::sales::ServiceInvoices;

namespace {

class ServiceInvoiceMoneyTest : public EngineTest {};

TEST_P(ServiceInvoiceMoneyTest, AReceiptLocksTheInvoiceUntilItGoes) {
    if (!startYear(QDateTime(QDate(2026, 6, 1), QTime(10, 0)))) return;
    QSqlDatabase& db = company();
    exec(db, "insert into Customer (CustId, CustName) values (1, 'ACME')");
    exec(db, "insert into Item (ItemId, ItemCode, ItemName, MeasureUnit) values (1, 'P1', 'Pin', 'NOS')");
    const SI::Kind& out = SI::outgoing();
    SI::Invoice inv;
    inv.party = 1;
    inv.invNo = SI::proposedNumber(db, out, QDate(2026, 6, 1));
    inv.invDate = inv.dcDate = QDate(2026, 6, 1);
    inv.lines = {{0, "P1", "Calibration", {}, 1, 1, 500, 0}};
    qint64 id = 0;
    Sql::transaction(db, [&] { id = SI::save(db, out, inv, false, 0); });

    Ledger::Entry e;
    e.id = Ledger::proposedId(db);
    e.number = Ledger::proposedNumber(db, Ledger::receipts());
    e.date = QDate(2026, 6, 1);
    e.source = Ledger::Source::Cash;
    e.head = 3;
    e.party = "ACME";
    e.type = Ledger::kManual;
    e.amount = Money::parse("200");
    e.rows = {{inv.invNo, e.amount}};
    ASSERT_EQ(refusalText(Ledger::validate(db, Ledger::receipts(), e, true)), "");
    Sql::transaction(db, [&] { e = Ledger::save(db, Ledger::receipts(), e); });
    EXPECT_EQ(SI::load(db, out, id)->balance.toString(), "300.00");
    EXPECT_EQ(refusalText(SI::changeBlock(db, out, id)),
              "Modification/Deletion not allowed, since Some Cash Flow is made in this Regard!!!");
    // Even a balance put back by hand: the ledger row still names it.
    exec(db, "update InvoiceServOut set Balance=TotVal");
    EXPECT_NE(refusalText(SI::changeBlock(db, out, id)), "");
    exec(db, "update InvoiceServOut set Balance=30000");
    Sql::transaction(db, [&] { Ledger::remove(db, Ledger::receipts(), e.number); });
    EXPECT_EQ(SI::load(db, out, id)->balance.toString(), "500.00");
    EXPECT_EQ(refusalText(SI::changeBlock(db, out, id)), "");
}

KAVRA_ON_EVERY_ENGINE(ServiceInvoiceMoneyTest);

}  // namespace
