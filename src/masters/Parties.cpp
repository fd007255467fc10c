#include "masters/Parties.h"

#include <QSqlQuery>

#include "core/Db.h"
#include "core/Sql.h"
#include "masters/Misc.h"

namespace kavra::Parties {

namespace {

QString used(const QString& word, const QString& screen) {
    return QStringLiteral("This record cannot be deleted, Since this %1 Name is being used in '%2' Screen !!!")
        .arg(word, screen);
}

Kind makeCustomer() {
    Kind k;
    k.screen = "frmCustomer";
    k.table = "Customer";
    k.key = "CustId";
    k.nameCol = "CustName";
    k.addrCol = "CustAddr";
    k.codeCol = "vendcode";
    k.busiFilter = "cust";
    k.word = "Customer";
    k.idLabel = "Customer  ID";
    k.nameLabel = "Customer Name";
    k.codeLabel = "*  Vendor /Supplier Code";
    k.codeTip = "Assigned by Customer to You";
    k.listCaption = "List of Available Customers:";
    k.addingText = "You are about to ADD a NEW Customer Now...";
    k.modifyingText = "You are about to MODIFY the existing Customer now...";
    k.showingText = "You are about to MODIFY the existing Customer Now...";
    k.deletingText = "You are about to DELETE the existing Customer now...";
    k.duplicateOnSave = "An Entry Already Exists...Try Another.";
    k.duplicateOnModify = "An Entry Already Exists... Try Another!";
    k.modifiedMessage = "Records Modified...";
    k.renameOpening = " You are about to change the existing Customer Name '";
    k.writeThroughWhere = "IsExpense=FALSE and (ExpIncId=1 or ExpIncId=2)";
    k.navigationOrder = "CustId";
    k.useChecks = {{"select 1 from DailyProd where Customer=?", "Production Log"},
                   {"select 1 from Quote where CustId=?", "Quotation"},
                   {"select 1 from MfgPO where CustId=?", "Purchase Order - Sales"},
                   {"select 1 from LabPO where CustId=?", "Purchase Order - Labour"},
                   {"select 1 from DcInv where CustId=?", "DC - Sales"},
                   {"select 1 from DcIncoming where CustId=?", "DC Incoming - Labour"},
                   {"select 1 from InspectionInde where CustId=?", "Inspection -Individual Samples"},
                   {"select 1 from FundTrans where IsExpense=FALSE and (ExpIncId=1 or ExpIncId=2) and PartyName=?",
                    "Receipts/Adjustment", true}};
    return k;
}

Kind makeSupplier() {
    Kind k = makeCustomer();
    k.screen = "frmSupplier";
    k.table = "Supplier";
    k.key = "SuppId";
    k.nameCol = "SuppName";
    k.addrCol = "SuppAddr";
    k.codeCol = "custcode";
    k.busiFilter = "supp";
    k.word = "Supplier";
    k.idLabel = "Supplier / Sub-Contractor  ID";
    k.nameLabel = "Supplier Name / Sub-Contractor  Name";
    k.codeLabel = "*  Supplier Code";
    k.codeTip = "Assigned to Subcontractors by You";
    k.listCaption = "List of Available Suppliers:";
    k.addingText = "You are about to ADD a NEW SubContractor Now...";
    k.modifyingText = "You are about to MODIFY the existing SubContractor now...";
    k.showingText = "You are about to MODIFY the existing SubContractor Data Now...";
    k.deletingText = "You are about to DELETE the existing SubContractor now...";
    k.duplicateOnSave = "An Entry Already Exists...Try Another!";
    k.duplicateOnModify = "An Entry Already Exists... Try Another!";
    k.modifiedMessage = "Records Modified...";
    k.renameOpening = " You are about to change the existing Supplier/SubContractor Name '";
    k.writeThroughWhere = "IsExpense=TRUE and ExpIncId=4";
    k.navigationOrder = "SuppId";
    k.useChecks = {
        {"select 1 from SubConPO where SuppId=?", "Purchase Order - Sub Contract"},
        {"select 1 from DcSubConOutgoing where SuppId=?", "DC Outgoing - SubContract"},
        {"select 1 from FundTrans where IsExpense=TRUE and ExpIncId=4 and PartyName=?", "Payments/Adjustment", true}};
    return k;
}

Kind makeVendor() {
    Kind k = makeCustomer();
    k.screen = "frmVendor";
    k.table = "Vendor";
    k.key = "VendorCode";
    k.nameCol = "VendorName";
    k.addrCol = "VendorAddr";
    k.codeCol = "custcode";
    k.busiFilter = "vendor";
    k.word = "Vendor";
    k.idLabel = "Vendor  ID";
    k.nameLabel = "Vendor Name";
    k.codeLabel = "*  Vendor Code";
    k.codeTip = "Assigned to Vendor by You";
    k.listCaption = "List of Available Vendors:";
    k.addingText = "You are about to ADD a NEW Vendor Now...";
    k.modifyingText = "You are about to MODIFY the existing Vendor now...";
    k.showingText = "You are about to MODIFY the existing Vendor Data Now...";
    k.deletingText = "You are about to DELETE the existing Vendor now...";
    k.duplicateOnSave = "An Entry Already Exists...Try Another!";
    k.duplicateOnModify = "An Entry Already Exists... Try Another.";
    k.modifiedMessage = "Records Modified .";
    k.renameOpening = " You are about to change Vendor Name '";
    k.writeThroughWhere = "IsExpense=TRUE and ExpIncId=3";
    k.navigationOrder = "VendorCode";
    k.useChecks = {
        {"select 1 from PurchPO where VendorCode=?", "Purchase Order"},
        {"select 1 from Purchase where VendorCode=?", "Purchase"},
        {"select 1 from FundTrans where IsExpense=TRUE and ExpIncId=3 and PartyName=?", "Payments/Adjustment", true}};
    return k;
}

// Columns in the order the row is written; the first is the key.
QStringList columns(const Kind& k) {
    return {k.key,   k.nameCol,  k.addrCol,    "KSTNo",       "CSTNo",       k.codeCol,    "phmail",
            "email", "BusiType", "OpenBal",    "OpenBalPndg", "Contact",     "Scope",      "VATRegNo",
            "RNG",   "Divi",     "Commission", "CERegNo",     "CreatedDate", "OpenBalDate"};
}

}  // namespace

const Kind& customer() {
    static const Kind k = makeCustomer();
    return k;
}
const Kind& supplier() {
    static const Kind k = makeSupplier();
    return k;
}
const Kind& vendor() {
    static const Kind k = makeVendor();
    return k;
}

QList<qint64> ids(QSqlDatabase& db, const Kind& k) {
    return Sql::ids(db, QStringLiteral("select %1 from %2 order by %3").arg(k.key, k.table, k.navigationOrder));
}

qint64 proposedId(QSqlDatabase& db, const Kind& k) {
    return Sql::proposedId(db, k.table, k.key);
}

std::optional<Party> load(QSqlDatabase& db, const Kind& k, qint64 id) {
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select %1 from %2 where %3=?").arg(columns(k).join(QLatin1Char(',')), k.table, k.key),
        {id});
    if (!q.next()) return std::nullopt;
    Party p;
    using Sql::trimmed;
    Sql::readRow(q, p.id, trimmed(p.name), trimmed(p.addr), trimmed(p.kst), trimmed(p.cst), trimmed(p.code),
                 trimmed(p.phone), trimmed(p.email), p.busiType, p.openBal, p.openBalPndg, trimmed(p.contact),
                 trimmed(p.scope), trimmed(p.vatRegNo), trimmed(p.rng), trimmed(p.divi), trimmed(p.commission),
                 trimmed(p.ceRegNo), p.createdDate, p.openBalDate);
    return p;
}

std::optional<qint64> idOfName(QSqlDatabase& db, const Kind& k, const QString& name) {
    const QVariant v = Sql::scalar(db, QStringLiteral("select %1 from %2 where %3=?").arg(k.key, k.table, k.nameCol),
                                   {name.trimmed()});
    if (v.isNull()) return std::nullopt;
    return v.toLongLong();
}

QStringList names(QSqlDatabase& db, const Kind& k) {
    return Sql::texts(db, QStringLiteral("select %1 from %2 order by %1").arg(k.nameCol, k.table));
}

Check validate(QSqlDatabase& db, const Kind& k, const Party& p, bool adding) {
    if (p.name.trimmed().isEmpty()) return Refusal{"Please Enter the " + k.word + " Name.....", "txtName"};
    if (p.addr.trimmed().isEmpty()) return Refusal{"Please Enter the " + k.word + " Address.....", "rtbAddr"};
    if (Sql::any(db, QStringLiteral("select 1 from %1 where %2=? and %3<>?").arg(k.table, k.nameCol, k.key),
                 {p.name.trimmed(), p.id}))
        return Refusal{adding ? k.duplicateOnSave : k.duplicateOnModify, "txtName"};
    return std::nullopt;
}

QString modifyQuestion(const Kind& k, const QString& oldName, const QString& newName) {
    if (oldName.trimmed() == newName.trimmed())
        return QStringLiteral("Proceed with\n") + QStringLiteral("Are You Sure To ") + QStringLiteral(" Modify ?");
    return k.renameOpening + oldName.trimmed() + QStringLiteral("'\n") + QStringLiteral(" to a New Name  '") +
           newName.trimmed() + QStringLiteral("'\n") + QStringLiteral("!!!!! CAUTION   !!!!!\n") +
           QStringLiteral("Modify action will change(Overwrite) all the previous records of '") + oldName.trimmed() +
           QStringLiteral("' as  '") + newName.trimmed() + QStringLiteral("'\n") + QStringLiteral("Are You Sure To ") +
           QStringLiteral(" Modify ?");
}

qint64 save(QSqlDatabase& db, const Kind& k, const Party& given, bool adding, const QDate& today) {
    using Misc::stored;
    Party p = given;
    // The proposed identifier taken meanwhile at another desk: the next free one.
    if (adding && Sql::any(db, QStringLiteral("select 1 from %1 where %2=?").arg(k.table, k.key), {p.id}))
        p.id = Sql::nextId(db, k.table, k.key);
    const QVariantList common{p.name.trimmed(), p.addr.trimmed(),  stored(p.kst),        stored(p.cst),
                              stored(p.code),   stored(p.phone),   stored(p.email),      p.busiType,
                              p.openBal.toDb(), stored(p.contact), stored(p.scope),      stored(p.vatRegNo),
                              stored(p.rng),    stored(p.divi),    stored(p.commission), stored(p.ceRegNo)};
    if (adding) {
        QVariantList v{p.id};
        v << common << p.openBal.toDb() << Db::day(today)
          << (p.openBal.isZero() ? QVariant(QMetaType::fromType<QString>()) : Db::day(today));
        Sql::exec(db,
                  QStringLiteral("insert into %1 (%2, %3, %4, KSTNo, CSTNo, %5, phmail, email, BusiType, OpenBal, "
                                 "Contact, Scope, VATRegNo, RNG, Divi, Commission, CERegNo, OpenBalPndg, CreatedDate, "
                                 "OpenBalDate) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                      .arg(k.table, k.key, k.nameCol, k.addrCol, k.codeCol),
                  v);
        return p.id;
    }
    const auto old = load(db, k, p.id);
    if (!old) throw DbError(QStringLiteral("The %1 was removed by another workstation.").arg(k.word));
    QVariantList v = common;
    QString extra;
    // Settled money fixes the opening balance: its pending part stays as the ledger left it.
    if (openBalanceEditable(*old)) {
        extra += QStringLiteral(", OpenBalPndg=?");
        v << p.openBal.toDb();
    }
    if (old->openBal.isZero() && p.openBal > Money()) {
        extra += QStringLiteral(", OpenBalDate=?");
        v << Db::day(today);
    }
    v << p.id;
    Sql::exec(db,
              QStringLiteral("update %1 set %2=?, %3=?, KSTNo=?, CSTNo=?, %4=?, phmail=?, email=?, BusiType=?, "
                             "OpenBal=?, Contact=?, Scope=?, VATRegNo=?, RNG=?, Divi=?, Commission=?, CERegNo=?%5 "
                             "where %6=?")
                  .arg(k.table, k.nameCol, k.addrCol, k.codeCol, extra, k.key),
              v);
    // The ledger names the party as it was typed then, padded or in another case; the
    // comparison is the expression the ledger's name index holds.
    if (old->name != p.name.trimmed())
        Sql::exec(db,
                  QStringLiteral("update FundTrans set PartyName=? where %1 and lower(trim(PartyName))=lower(?)")
                      .arg(k.writeThroughWhere),
                  {p.name.trimmed(), old->name.trimmed()});
    return p.id;
}

Check deleteBlock(QSqlDatabase& db, const Kind& k, qint64 id) {
    const auto p = load(db, k, id);
    if (!p) return std::nullopt;
    for (const UseCheck& c : k.useChecks)
        if (Sql::any(db, c.sql, {c.byName ? QVariant(p->name) : QVariant(id)}))
            return Refusal::message(used(k.word, c.screen));
    return std::nullopt;
}

void remove(QSqlDatabase& db, const Kind& k, qint64 id) {
    Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.table, k.key), {id});
}

}  // namespace kavra::Parties
