#include "core/ClsProd.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <cmath>

#include "core/Books.h"
#include "core/FinancialYear.h"
#include "core/Sql.h"
#include "core/Text.h"

namespace kavra {

namespace {

const QString kCaution = QStringLiteral("CAUTION: Make Sure DataBase Exists in the Correct Path !!! ");
const QString kContact = QStringLiteral("Please contact your system administrator.");

bool validIdentifier(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    return re.match(s).hasMatch();
}

}  // namespace

clsProd::clsProd(Session* session) : session_(session) {}

clsProd::~clsProd() {
    CloseCompanyDatabase();
}

QString clsProd::OpenStartDatabase() {
    CloseCompanyDatabase();
    try {
        if (!Db::exists(QStringLiteral("DBStart")))
            throw DbError(QStringLiteral("The start-up database could not be found."));
        db_ = Db::open(QStringLiteral("DBStart"));
    } catch (const DbError& e) {
        return e.text() + QStringLiteral("\nCAUTION: Make Sure DataBase 'DBStart.db' Exists in the Correct Path !!! ") +
               QStringLiteral("\n\n") + kContact;
    }
    return {};
}

void clsProd::CloseStartDatabase() {
    CloseCompanyDatabase();
}

QString clsProd::OpenCompanyDatabase() {
    CloseCompanyDatabase();
    try {
        if (session_->companyDb.isEmpty() || !Db::exists(session_->companyDb))
            throw DbError(QStringLiteral("The company database %1 could not be found.").arg(session_->companyFile()));
        db_ = Db::open(session_->companyDb);
    } catch (const DbError& e) {
        return e.text() + QLatin1Char('\n') + kCaution + QStringLiteral("\n\n") + kContact;
    }
    return {};
}

void clsProd::CloseCompanyDatabase() {
    if (db_.isValid()) Db::close(db_);
}

void clsProd::ExecuteSql(const QString& sql, const QVariantList& params) {
    Sql::exec(db_, sql, params);
}

QVariant clsProd::LookupValue(const QString& sql, const QVariantList& params) {
    try {
        return Sql::scalar(db_, sql, params);
    } catch (const DbError&) {
        return {};
    }
}

QString clsProd::LookupText(const QString& sql, const QVariantList& params) {
    const QVariant v = LookupValue(sql, params);
    return v.isNull() ? QString() : v.toString();
}

QString clsProd::LookupPair(const QString& sql, const QVariantList& params) {
    try {
        QSqlQuery q = Sql::exec(db_, sql, params);
        if (!q.next()) return {};
        return q.value(1).toString() + QStringLiteral(" , ") + q.value(0).toString();
    } catch (const DbError&) {
        return {};
    }
}

bool clsProd::RecordExists(const QString& sql, const QVariantList& params) {
    try {
        return Sql::any(db_, sql, params);
    } catch (const DbError&) {
        return false;
    }
}

bool clsProd::PartyOrderExists(const QString& table, qint64 partyId, const QString& orderNo, bool supplierKey) {
    if (!validIdentifier(table)) return false;
    const bool supp = supplierKey || table.toUpper() == QLatin1String("SUBCONPO");
    return RecordExists(QStringLiteral("select 1 from %1 where %2=? and PONo=?")
                            .arg(table, supp ? QStringLiteral("SuppId") : QStringLiteral("CustId")),
                        {partyId, orderNo});
}

QString clsProd::SqlQuote(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return q;
}

QString clsProd::FieldOf(const QString& text, const QString& sep, int n) {
    const QStringList parts = text.split(sep);
    if (n < 1 || n > parts.size()) return {};
    return parts[n - 1];
}

double clsProd::SumCommaList(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    double sum = 0;
    for (int i = 0; i < parts.size() && i < 40; ++i) {
        if (parts[i].isEmpty()) break;
        sum += text::val(parts[i]);
    }
    return sum;
}

QString clsProd::WrapText(const QString& text, int width) {
    const QStringList words = text.split(QLatin1Char(' '));
    QString out;
    int lineLen = 0;
    for (int i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (i == 0) {
            out = w;
            lineLen = w.size();
        } else if (lineLen > 0 && lineLen + 1 + w.size() > width) {
            out += QLatin1Char('\n') + w;
            lineLen = w.size();
        } else {
            out += QLatin1Char(' ') + w;
            lineLen += 1 + w.size();
        }
    }
    return out;
}

QString clsProd::StripTrailingNewlines(const QString& text) {
    QString s = text;
    while (s.endsWith(QLatin1Char('\n')) || s.endsWith(QLatin1Char('\r'))) s.chop(1);
    return s;
}

QString clsProd::FormatFixed(double value, int width, int decimals) {
    return QStringLiteral("%1").arg(value, width, 'f', decimals, QLatin1Char(' '));
}

QString clsProd::RepeatChar(QChar c, int count) {
    return QString(count < 0 ? 0 : count, c);
}

int clsProd::CountZeros(const QString& marks) {
    return marks.count(QLatin1Char('0'));
}
int clsProd::CountOnes(const QString& marks) {
    return marks.count(QLatin1Char('1'));
}

double clsProd::PresentDays(const QString& marks) {
    return marks.count(QLatin1Char('P')) + 0.5 * (marks.count(QLatin1Char('N')) + marks.count(QLatin1Char('M')));
}

double clsProd::LeaveDays(const QString& marks) {
    return marks.count(QLatin1Char('L')) + 0.5 * marks.count(QLatin1Char('M'));
}

QString clsProd::AmountInWords(qint64 amount) {
    static const char* units[] = {"", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
    static const char* teens[] = {"ten",     "eleven",  "tweleve",   "thirteen", "fourteen",
                                  "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
    static const char* tens[] = {"", "", "twenty", "thirty", "fourty", "fifty", "sixty", "seventy", "eighty", "ninety"};
    static const char* scales[] = {"", "", " THOUSAND, ", " LAKH, ", " CRORE, "};
    QString digits = QStringLiteral("000") + QString::number(amount < 0 ? -amount : amount);
    QString result;
    auto remainingIsZero = [&] {
        for (QChar c : digits)
            if (c != QLatin1Char('0')) return false;
        return true;
    };
    for (int pass = 1; !digits.isEmpty() && !remainingIsZero(); ++pass) {
        while (digits.size() < 3) digits.prepend(QLatin1Char('0'));
        const int n = digits.right(2).toInt();
        digits.chop(2);
        QString g;
        if (n >= 10 && n <= 19) {
            g = QString::fromLatin1(teens[n - 10]) + QLatin1Char(' ');
        } else {
            if (n >= 1) g = QString::fromLatin1(units[n % 10]);
            if (n >= 20) g = QString::fromLatin1(tens[n / 10]) + QLatin1Char(' ') + g;
        }
        if (pass == 1) {
            const int h = digits.right(1).toInt();
            digits.chop(1);
            if (h >= 1) g = QString::fromLatin1(units[h]) + QStringLiteral(" ") + QStringLiteral(" HUNDRED, ") + g;
        }
        if (!g.isEmpty()) result = g + QString::fromLatin1(pass <= 4 ? scales[pass] : "") + result;
    }
    if (result.endsWith(QLatin1String(", "))) result.chop(2);
    return result;
}

QString clsProd::GridSum(const GridCells& grid, int row, int col, int endRow, int endCol) {
    const int r1 = std::min(row, endRow), r2 = std::max(row, endRow);
    const int c1 = std::min(col, endCol), c2 = std::max(col, endCol);
    double total = 0, product = 0;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) total += text::typed(grid.text(r, c));
        if (c2 - c1 == 1) product += text::typed(grid.text(r, c1)) * text::typed(grid.text(r, c2));
    }
    if (total == 0) return QStringLiteral("Sum : ZERO");
    if (product == 0) return QStringLiteral("Sum : ") + text::plain(std::round(total * 100) / 100);
    return QStringLiteral("Sum : ") + text::plain(total) + QLatin1Char('\n') + QStringLiteral("(C1 ") +
           QString(QChar(0x00D7)) + QStringLiteral(" C2): ") + text::plain(product);
}

int clsProd::FinancialYearOf(const QDate& d) {
    return FinancialYear::of(d);
}

qint64 clsProd::lastNumberOf(const QString& sql, int year) {
    // The DC/invoice number text; anything but a plain number counts as 0.
    const QString t = LookupText(sql, FinancialYear::params(year));
    return static_cast<qint64>(std::floor(text::strictNumber(t)));
}

QString clsProd::NewYearAlertText(int y, int fileYear) {
    QString s = QStringLiteral("You are about to start New Records for this FINANCIAL YEAR %1-%2").arg(y).arg(y + 1) +
                QStringLiteral("\n\n\n");
    if (fileYear != y)
        s += QStringLiteral("!!!  STOP PROCEEDING FURTHER    ---   Please Read the Following  !!! ") +
             QStringLiteral("\n\n") +
             QStringLiteral(
                 " We recommend you to close this software and Proceed with 'Vorlix.Exe' Software Kit "
                 "supplied along with this 'Kavra' Software");
    return s;
}

qint64 clsProd::NextDcNumber(const QString& table, Dialogs& dlg) {
    const int y = FinancialYearOf(Clock::today());
    const FinancialYear::Bounds year = FinancialYear::bounds(y);
    qint64 last = 0;
    for (const Books::Book* b : Books::sharing(Books::Series::Dc, table, session_->dcMode)) {
        // The most recently created DC of the year. Nearly always that is the newest DC of all,
        // which the key finds at once; only otherwise is the year searched.
        QVariant newestNo, newestAt;
        try {
            QSqlQuery q =
                Sql::exec(db_, QStringLiteral("select DcNo, DcDateT from %1 where %2=(select max(%2) from %1)")
                                   .arg(b->table, b->idCol));
            if (!q.next()) continue;  // no DC at all in this book
            newestNo = q.value(0);
            newestAt = q.value(1);
        } catch (const DbError&) {
            continue;
        }
        if (year.contains(Db::toDateTime(newestAt))) {
            last = std::max(last, static_cast<qint64>(std::floor(text::strictNumber(newestNo.toString()))));
            continue;
        }
        last = std::max(last, lastNumberOf(QStringLiteral("select DcNo from %1 where %2=(select max(%2) from %1 "
                                                          "where %3)")
                                               .arg(b->table, b->idCol, FinancialYear::condition(b->dateCol)),
                                           y));
    }
    const qint64 next = last + 1;
    if (next == 1) dlg.information(newYearAlertTitle(), NewYearAlertText(y, session_->companyYear()));
    return next;
}

qint64 clsProd::NextInvoiceNumber(const QString& table, Dialogs& dlg) {
    const int y = FinancialYearOf(Clock::today());
    qint64 last = 0;
    for (const Books::Book* b : Books::sharing(Books::Series::Invoice, table, session_->invMode)) {
        // The invoice with the latest invoice time of the year.
        last = std::max(last, lastNumberOf(QStringLiteral("select InvNo from %1 where InvNo is not null and "
                                                          "InvNo<>'Nil' and %3 order by InvDateT desc, %2 desc limit 1")
                                               .arg(b->table, b->idCol, FinancialYear::condition(b->dateCol)),
                                           y));
    }
    const qint64 next = last + 1;
    if (next == 1) dlg.information(newYearAlertTitle(), NewYearAlertText(y, session_->companyYear()));
    return next;
}

bool clsProd::CheckDuplicateItems(const GridCells& grid, int col, Dialogs& dlg) {
    const int last = grid.rowCount() - 2;
    for (int i = 1; i <= last; ++i) {
        const QString a = grid.text(i, col).trimmed();
        for (int j = i + 1; j <= last; ++j) {
            if (a == grid.text(j, col).trimmed()) {
                dlg.critical(appTitle(), QStringLiteral("Duplication of  Part No./ Items is not allowed. SEE ROWS: %1 "
                                                        "and  %2")
                                             .arg(i)
                                             .arg(j));
                return false;
            }
        }
    }
    return true;
}

bool clsProd::CheckQtyLimit(const GridCells& grid, int limitCol, int qtyCol, bool markedOnly, Dialogs& dlg) {
    for (int r = 1; r < grid.rowCount(); ++r) {
        if (markedOnly && grid.colorValue(r, qtyCol) != 255) continue;
        const double limit = text::typed(grid.text(r, limitCol));
        if (text::typed(grid.text(r, qtyCol)) > limit) {
            dlg.critical(appTitle(), QStringLiteral("In Row: %1 , Qty should not be greater than %2")
                                         .arg(r)
                                         .arg(grid.text(r, limitCol).trimmed()));
            return false;
        }
    }
    return true;
}

int clsProd::CheckScreenLock(const QString& screenId, int userVal, Dialogs& dlg) {
    Db::Presence* p = session_->presence.get();
    try {
        const bool had = p && p->holds(screenId);
        const bool got = p && p->holdScreen(screenId);
        for (int pass = 0; pass < 2; ++pass) {
            QSqlQuery q = Sql::exec(db_,
                                    QStringLiteral("select UserId, SysId, DateT from OnlineUsers where UserVal>1 and "
                                                   "SysId<>? and ScreenId=? order by DateT, Id"),
                                    {session_->sysId, screenId});
            while (q.next()) {
                // A row whose program has ended holds nothing.
                if (p && !p->deskAlive(q.value(1).toLongLong())) continue;
                const QString user =
                    LookupText(QStringLiteral("select UserName from User1 where UserId=?"), {q.value(0)});
                const QString sys =
                    LookupText(QStringLiteral("select SysName from ImpSystems where SysId=?"), {q.value(1)});
                const QString when = Db::toDateTime(q.value(2)).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
                if (got && !had) p->releaseScreen(screenId);
                dlg.critical(session_->mainCaption,
                             QStringLiteral("This Screen was already opened by\nUser Name : ") + user +
                                 QStringLiteral("\nSystem Name : ") + sys + QStringLiteral("\nDate / Time : ") + when +
                                 QStringLiteral("\nSo U can't Save or Modify or Delete any record"));
                return 1;
            }
            // A running program holds the screen without a row: either it has just taken the
            // screen and is writing its row (looked at once more), or the administrator
            // released its rows, which frees the screen for others.
            if (!p || got) break;
            QThread::msleep(300);
        }
        return userVal;
    } catch (const DbError& e) {
        LogError(e.text() + QStringLiteral(" CheckScreenLock-") + screenId, Clock::now());
        // Without the server nothing can be checked: the screen stays shut rather than open unlocked.
        return e.lost() ? 1 : userVal;
    }
}

void clsProd::RegisterScreen(const QString& screenId, int userVal, Dialogs& dlg) {
    try {
        ExecuteSql(
            QStringLiteral("insert into OnlineUsers (DateT, SysId, UserId, UserVal, ScreenId) values (?,?,?,?,?)"),
            {Db::ts(Clock::now()), session_->sysId, session_->userId, userVal, screenId});
    } catch (const DbError& e) {
        dlg.critical(appTitle(), e.text());
    }
}

void clsProd::ReleaseScreen(const QString& screenId, Dialogs& dlg) {
    if (Db::Presence* p = session_->presence.get()) {
        try {
            p->releaseScreen(screenId);
        } catch (const DbError& e) {
            LogError(e.text() + QStringLiteral(" ReleaseScreen-") + screenId, Clock::now());
        }
    }
    try {
        ExecuteSql(QStringLiteral("delete from OnlineUsers where SysId=? and UserId=? and ScreenId=?"),
                   {session_->sysId, session_->userId, screenId});
    } catch (const DbError& e) {
        dlg.critical(appTitle(), e.text());
    }
}

void clsProd::ReleaseAllScreens(Dialogs& dlg) {
    try {
        ExecuteSql(QStringLiteral("delete from OnlineUsers where SysId=?"), {session_->sysId});
    } catch (const DbError& e) {
        dlg.critical(appTitle(), e.text());
    }
}

void clsProd::ReleaseGoneWorkstations() {
    Db::Presence* p = session_->presence.get();
    if (!p) return;
    try {
        for (qint64 sys :
             Sql::ids(db_, QStringLiteral("select distinct SysId from OnlineUsers where SysId<>?"), {session_->sysId}))
            if (!p->deskAlive(sys)) ExecuteSql(QStringLiteral("delete from OnlineUsers where SysId=?"), {sys});
    } catch (const DbError& e) {
        LogError(e.text() + QStringLiteral(" ReleaseGoneWorkstations"), Clock::now());
    }
}

QString clsProd::SameUserElsewhere() {
    Db::Presence* p = session_->presence.get();
    try {
        QSqlQuery q = Sql::exec(db_,
                                QStringLiteral("select o.SysId, o.DateT, i.SysName, i.SysIP from OnlineUsers o left "
                                               "join ImpSystems i on i.SysId=o.SysId where o.ScreenId='mdiSSI' and "
                                               "o.UserId=? and o.SysId<>? order by o.DateT, o.Id"),
                                {session_->userId, session_->sysId});
        while (q.next()) {
            if (p && !p->deskAlive(q.value(0).toLongLong())) continue;
            return QStringLiteral(
                       "The user %1 is also logged in at the workstation %2 (%3) since %4.\n\n"
                       "Both workstations keep their own screens. So that the work of each person can "
                       "be told apart, give every person a user of their own (Master > Admin > Users).")
                .arg(session_->userName, q.value(2).toString().trimmed(), q.value(3).toString().trimmed(),
                     Db::toDateTime(q.value(1)).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
        }
    } catch (const DbError& e) {
        LogError(e.text() + QStringLiteral(" SameUserElsewhere"), Clock::now());
    }
    return {};
}

bool clsProd::Reconnect() {
    if (!isOpen()) return false;
    try {
        Db::reopen(db_);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

qint64 clsProd::CorrespondenceCount(const QString& screenName, const QString& fileKey, qint64 nameId) {
    static const QHash<QString, QString> cats = {
        {"FRMCUSTOMER", "Customers"},
        {"FRMSUPPLIER", "Suppliers"},
        {"FRMVENDOR", "Vendors"},
        {"FRMSTAFF", "Staffs"},
        {"FRMITEM", "Items"},
        {"FRMESTIMATION", "Estimation"},
        {"FRMPURCHASEPO", "Purchase PO"},
        {"FRMPURCHASE", "Purchase"},
        {"FRMPURCHASEGRN", "Purchase GRN"},
        {"FRMINVOICEPURCH", "Purchase Invoice"},
        {"FRMQUOTE", "Quotation"},
        {"FRMMFGPO", "Mfg Po"},
        {"FRMDC", "Mfg DC"},
        {"FRMINVOICE", "Mfg Invoice"},
        {"FRMLABOURPO", "Labour Po"},
        {"FRMDCINCOMING", "Labour DC Inwards"},
        {"FRMDCOUTGOING", "Labour DC Outwards"},
        {"FRMINVOICEL", "Labour Invoice"},
        {"FRMSUBCONPO", "SubContract PO"},
        {"FRMDCSUBCONOUT", "SubContract DC Outwards"},
        {"FRMDCSUBCONIN", "SubContract DC Inwards"},
        {"FRMINVOICESC", "SubContract Invoice"},
        {"FRMPAYMENTS", "Payments"},
        {"FRMRECEIPTS", "Receipts"},
        {"FRMBANKTRANS", "Bank Transactions"},
        {"FRMADVADJUST", "Adjustments"},
        {"FRMINSPECTION", "Random Inspection"},
        {"FRMINSPECTIONINDE", "Individual Inspection"},
        {"FRMINSPECTIONSC", "SubContract Inspection"},
        {"FRMINSPECTIONIN", "Common Inspection"},
        {"FRMMISC", "Company Details"},
    };
    const QString cat = cats.value(screenName.toUpper());
    if (cat.isEmpty()) return 0;
    const QString key = fileKey.trimmed();
    QString sql = QStringLiteral("select count(*) from FileCorres where FileCat=?");
    QVariantList params{cat};
    if (!key.isEmpty()) {
        sql += QStringLiteral(" and FileKey=?");
        params << key;
    }
    if (nameId != 0) {
        sql += QStringLiteral(" and NameId=?");
        params << nameId;
    }
    const QVariant v = LookupValue(sql, params);
    return v.isNull() ? 0 : v.toLongLong();
}

namespace {

// The attachments database, opened once while the program runs: every record shown counts
// its attachments. Opened again when the databases' place changes (a test's own folder,
// another server) or after the connection failed.
class Attachments {
  public:
    QSqlDatabase& db() {
        const DbConfig& c = dbConfig();
        const QString where =
            QStringLiteral("%1|%2|%3|%4|%5").arg(c.isPg() ? 1 : 0).arg(c.programDir, c.host).arg(c.port).arg(c.prefix);
        if (db_.isValid() && where != where_) drop();
        if (!db_.isValid()) {
            db_ = Db::open(QStringLiteral("tarka"));
            where_ = where;
        }
        return db_;
    }
    void drop() { Db::close(db_); }

  private:
    QSqlDatabase db_;
    QString where_;
};

// Closed as the application object goes, while the SQL drivers are still there.
Attachments& attachments() {
    static Attachments* a = [] {
        qAddPostRoutine([] { attachments().drop(); });
        return new Attachments;
    }();
    return *a;
}

}  // namespace

qint64 clsProd::AttachmentCount(const QString& screenName, qint64 recordId, Dialogs& dlg) {
    if (!validIdentifier(screenName)) return 0;
    QSqlDatabase* att = nullptr;
    try {
        att = &attachments().db();
    } catch (const DbError& e) {
        dlg.critical(appTitle(), e.text() + QLatin1Char('\n') + kCaution);
        return 0;
    }
    qint64 n = 0;
    try {
        QString sql = QStringLiteral("select count(*) from %1").arg(screenName);
        QVariantList params;
        if (recordId != 0) {
            sql += QStringLiteral(" where Id=?");
            params << recordId;
        }
        const QVariant v = Sql::scalar(*att, sql, params);
        n = v.isNull() ? 0 : v.toLongLong();
    } catch (const DbError&) {
        // Opened afresh next time: the server may have gone away and come back.
        attachments().drop();
        n = 0;
    }
    return n;
}

void clsProd::LogError(const QString& text, const QDateTime& when) {
    try {
        Sql::exec(db_, QStringLiteral("insert into errlog (ErrText, ErrDateT) values (?, ?)"),
                  {text.left(255), Db::ts(when)});
    } catch (...) {
        // The log is best effort; a failure here must not disturb the screen.
    }
}

void clsProd::LogFailure(const DbError& e, const QString& screen, const QString& control) {
    LogError(e.text() + QLatin1Char(' ') + QString::number(e.number()) + QLatin1Char(' ') + screen + QLatin1Char('-') +
                 control,
             Clock::now());
}

QString clsProd::DbErrorText(int number) {
    if (number == 5) return QStringLiteral("Invalid Procedure Call");
    return QStringLiteral("Read - Write Error");
}

QString clsProd::DbErrorText(const DbError& e) {
    const QString t = e.text().toLower();
    if (t.contains(QLatin1String("syntax error"))) return QStringLiteral("Syntax error");
    if (t.contains(QLatin1String("too long")) || t.contains(QLatin1String("out of range")))
        return QStringLiteral("Field is too small to accept the data you typed");
    if (t.contains(QLatin1String("database is locked")) || t.contains(QLatin1String("could not serialize")) ||
        t.contains(QLatin1String("deadlock")))
        return QStringLiteral(
            "The database engine stopped the process because you and another user are attempting to change the "
            "same data at same time");
    return DbErrorText(e.number());
}

}  // namespace kavra
