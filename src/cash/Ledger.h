#pragma once
// The fund ledger: every movement of money is one entry of FundTrans, its rows sharing one
// Id, and this is the only code that writes it. One set of rules serves every money
// screen; a side (receipts, payments) differs only in its descriptor: the kind code, the
// head table, the party and the invoices each reserved head names, its type texts, its
// messages and the controls they point at.
//
// What an entry does to the rest of the books it undoes exactly when deleted: a row that
// settles an invoice lowers that invoice's Balance on all its rows, an opening-balance row
// lowers the party's OpenBalPndg, an advance keeps its unadjusted part in AmtBal, and a
// bank entry has one linked BankTrans row. Every save runs in one transaction and checks
// balances and numbers again there, so two desks never take an invoice below nothing nor
// write the same Id.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "cash/BillBooks.h"
#include "cash/Heads.h"
#include "core/Money.h"
#include "core/Refusal.h"

namespace kavra::Ledger {

enum class Source { Bank = 1, Cash = 2 };

// Type codes of P_R_A_TYPE shared by receipts and payments.
constexpr int kAutomatic = 1, kManual = 2, kOpening = 3;

struct TypeText {
    int code;
    QString text;
};

// Whom a reserved head names and what it settles.
struct HeadRule {
    QString partyTable, partyKey, partyName;  // "Customer", "CustId", "CustName"
    QString partyFilter;                      // more of the where clause ("StatusC=TRUE"), or ""
    QString notFound;                         // "Customer does not exists "
    std::optional<BillBooks::Book> book;      // the invoices types 1 and 2 settle
    bool openBalance = true;                  // type 3 lowers the party's OpenBalPndg
    QList<int> types;                         // the type codes the head takes; empty: all of the side's
    QString typeRefusal;                      // when another is typed; "": the side's typeForBills
};

struct Side {
    QString screen;  // "frmReceipts"
    int kind = 2;    // P_R_A
    bool isExpense = false;
    const Heads::Kind* heads = nullptr;
    QList<qint64> headGroups;  // the pick list's groups end at these codes, the rest last; each by name
    std::function<std::optional<HeadRule>(qint64 head)> rule;
    int advanceType = 5;
    // Under a head of the user's own, the party's advances shown are those of every head above
    // this one (0: of that head alone).
    qint64 advancesPooledAbove = 0;
    QList<TypeText> types;  // every type, in the order the pick list offers them for a reserved head
    QString noun;           // "Receipt", in the status texts
    // The entry number is typed by the user and must be free among the side's kind; else it is
    // proposed and taken again at save when another desk used it.
    bool numberTyped = false;
    QString fldNumber, numberTaken, enterNumber;
    // Controls a refusal points at.
    QString fldBank = QStringLiteral("cmbBank"), fldChNo = QStringLiteral("txtChNo"),
            fldChDate = QStringLiteral("DTPCHDate"), fldHead, fldParty, fldType, fldAmount, fldDesc;
    // Messages.
    QString selectBank = QStringLiteral("Please Select a bank..."),
            chequeNo = QStringLiteral("Please enter the cheque number..."),
            chequeDate = QStringLiteral("Please enter the cheque Date..."), enterHead, enterParty, typeForBills,
            typeForOthers, enterAmount = QStringLiteral("Please Enter the Amount..."),
            equalBills = QStringLiteral("Enter the Amount Equal to Total Bills Value"),
            duplicateRows = QStringLiteral("Duplication of Rows are not Allowed See Rows: "),
            billNo = QStringLiteral("Please enter the Bill No See Row : "),
            rowAmount = QStringLiteral("Please enter the Amount See Row : "),
            billMissing = QStringLiteral("Bill Doesn't Exist"),
            billOver = QStringLiteral("Enter the Amount Lesser than / Equal to the Bill Value"),
            totalOver = QStringLiteral("Enter the Amount Less \\ Equal to the total Bill Values"),
            openingOver = QStringLiteral("Enter the Amount Less \\ Equal to Opening Balance"),
            advanceUsed = QStringLiteral(
                "This Cash Flow has some reference records on Adjustment Screen\nSo You "
                "cannot delete this record");
};

const Side& receipts();
const Side& payments();

struct Row {
    QString bill;
    Money amount;
};

struct Entry {
    qint64 id = 0, number = 0;   // Id, FundTransId
    bool numberAsTyped = false;  // the user typed the number: a taken one is refused, never replaced
    QDate date;
    Source source = Source::Bank;
    qint64 bankId = 0;
    QString chNo;
    QDate chDate;  // null: none
    qint64 head = 0;
    QString party;
    int type = 0;
    QString desc;
    Money amount;
    QList<Row> rows;  // the bills grid, in its order
};

// ---- Types.
// The code of a typed text (trimmed, any case), 0 for none.
int typeCode(const Side& s, const QString& text);
QString typeText(const Side& s, int code);
// The types a head may take: all of them under a reserved head, else a plain receipt and an advance.
QList<TypeText> typesFor(const Side& s, qint64 head);
// Whether the entry's rows settle invoices (types 1 and 2 under a head with a bill book).
bool settlesBills(const Side& s, qint64 head, int type);

// ---- Pick lists.
struct Pick {
    qint64 key = 0;
    QString text;
};
// The reserved heads first, then the others, each by name.
QList<Pick> headList(QSqlDatabase& db, const Side& s);
std::optional<qint64> headOfName(QSqlDatabase& db, const Side& s, const QString& name);
QString headName(QSqlDatabase& db, const Side& s, qint64 head);
// A reserved head's parties; for another head the names already used under it.
QList<Pick> partyList(QSqlDatabase& db, const Side& s, qint64 head);
std::optional<qint64> partyId(QSqlDatabase& db, const HeadRule& r, const QString& name);

// ---- The Balance Details panel.
struct Details {
    bool reserved = false;  // the opening and bill rows are shown
    Money opening, advance, allBills;
    QList<BillBooks::OpenBill> open;
};
Details details(QSqlDatabase& db, const Side& s, qint64 head, const QString& party);
// What the amount box proposes on a new entry of this type.
Money proposedAmount(const Side& s, const Details& d, int type);
// An automatic selection: the party's open invoices in invoice order, each taking what it still owes.
QList<Row> automaticRows(QSqlDatabase& db, const Side& s, qint64 head, const QString& party, Money amount);
// "RUPEES ONE THOUSAND, FIVE HUNDRED AND PAISE FIFTY ONLY"; "" for nothing.
QString amountInWords(Money m);

// ---- Records.
qint64 proposedId(QSqlDatabase& db);
qint64 proposedNumber(QSqlDatabase& db, const Side& s);
// The condition that picks the side's rows out of the ledger.
QString sideWhere(const Side& s);
// The side's entry numbers, in order.
QList<qint64> numbers(QSqlDatabase& db, const Side& s);
std::optional<Entry> load(QSqlDatabase& db, const Side& s, qint64 number);

// Save's checks in their order, the first failure winning; on a modify only the bank and cheque ones
// and, where the user types the number, that it is free.
Check validate(QSqlDatabase& db, const Side& s, const Entry& e, bool adding);
// Writes a new entry inside one transaction and returns it as written: an Id or number another
// desk took meanwhile is replaced by the next free one. Throws Refused when a balance no
// longer covers it.
Entry save(QSqlDatabase& db, const Side& s, Entry e);
// An advance others have adjusted against is neither changed nor deleted.
Check changeBlock(QSqlDatabase& db, const Side& s, qint64 number);
// Only the date, description, bank details and a typed number change; no balance moves. The
// entry is found by its Id.
void modify(QSqlDatabase& db, const Side& s, const Entry& e);
// Removes the entry whole and gives back what its save took.
void remove(QSqlDatabase& db, const Side& s, qint64 number);

}  // namespace kavra::Ledger
