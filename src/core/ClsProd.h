#pragma once
// The common routines every screen uses: its own connection, lookups, numbering
// within the financial year, amounts in words, grid checks, the error log and the
// screen locks that let several workstations share one company database.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include "core/Db.h"
#include "core/Dialogs.h"
#include "core/GridCells.h"
#include "core/Session.h"

namespace kavra {

class clsProd {
  public:
    explicit clsProd(Session* session = &Session::current());
    ~clsProd();
    clsProd(const clsProd&) = delete;
    clsProd& operator=(const clsProd&) = delete;

    // Connection. The Open routines return "" or the message to show before ending.
    QString OpenStartDatabase();
    void CloseStartDatabase();
    QString OpenCompanyDatabase();
    void CloseCompanyDatabase();
    bool isOpen() const { return db_.isValid() && db_.isOpen(); }
    QSqlDatabase& db() { return db_; }
    Session& session() { return *session_; }

    // Action statement; throws DbError.
    void ExecuteSql(const QString& sql, const QVariantList& params = {});
    // Lookups trap failures: no row, a Null field or an error all give the empty result.
    QVariant LookupValue(const QString& sql, const QVariantList& params = {});
    QString LookupText(const QString& sql, const QVariantList& params = {});
    QString LookupPair(const QString& sql, const QVariantList& params = {});
    bool RecordExists(const QString& sql, const QVariantList& params = {});
    // table "SUBCONPO" is keyed by SuppId, the others by CustId; supplierKey forces SuppId.
    bool PartyOrderExists(const QString& table, qint64 partyId, const QString& orderNo, bool supplierKey = false);

    // Text and numbers.
    static QString SqlQuote(const QString& s);
    static QString FieldOf(const QString& text, const QString& sep, int n);
    static double SumCommaList(const QString& text);
    static QString WrapText(const QString& text, int width);
    static QString StripTrailingNewlines(const QString& text);
    static QString FormatFixed(double value, int width, int decimals);
    static QString RepeatChar(QChar c, int count);
    static int CountZeros(const QString& marks);
    static int CountOnes(const QString& marks);
    static double PresentDays(const QString& marks);
    static double LeaveDays(const QString& marks);
    static QString AmountInWords(qint64 amount);
    static QString GridSum(const GridCells& grid, int row, int col, int endRow, int endCol);
    static int FinancialYearOf(const QDate& d);

    // Numbering within the financial year of today; shows the new-year alert when the result is 1.
    qint64 NextDcNumber(const QString& table, Dialogs& dlg = Dialogs::current());
    qint64 NextInvoiceNumber(const QString& table, Dialogs& dlg = Dialogs::current());
    // The alert's text for year y with the database of year fileYear open.
    static QString NewYearAlertText(int y, int fileYear);
    static QString newYearAlertTitle() { return QStringLiteral("'Kavra' SOFTWARE - ALERT"); }

    // Grid checks.
    static bool CheckDuplicateItems(const GridCells& grid, int col, Dialogs& dlg = Dialogs::current());
    static bool CheckQtyLimit(const GridCells& grid, int limitCol, int qtyCol, bool markedOnly = false,
                              Dialogs& dlg = Dialogs::current());

    // Screen locks on OnlineUsers.
    int CheckScreenLock(const QString& screenId, int userVal, Dialogs& dlg = Dialogs::current());
    void RegisterScreen(const QString& screenId, int userVal, Dialogs& dlg = Dialogs::current());
    void ReleaseScreen(const QString& screenId, Dialogs& dlg = Dialogs::current());
    void ReleaseAllScreens(Dialogs& dlg = Dialogs::current());
    // Rows of workstations whose program is no longer running (crashed, killed, switched off).
    void ReleaseGoneWorkstations();
    // The notice for a user logged in at another running workstation too; "" when not.
    QString SameUserElsewhere();
    // The connection opened again after the server came back; false when it cannot be.
    bool Reconnect();

    qint64 CorrespondenceCount(const QString& screenName, const QString& fileKey, qint64 nameId);
    qint64 AttachmentCount(const QString& screenName, qint64 recordId, Dialogs& dlg = Dialogs::current());
    static QString AttachmentLabel(qint64 count) { return QStringLiteral("Attachments (%1)").arg(count); }

    void LogError(const QString& text, const QDateTime& when);
    // The text of a trapped failure: description, number, screen and focused control.
    void LogFailure(const DbError& e, const QString& screen, const QString& control);
    static QString DbErrorText(int number);
    static QString DbErrorText(const DbError& e);

  private:
    qint64 lastNumberOf(const QString& sql, int year);
    QSqlDatabase db_;
    Session* session_;
};

}  // namespace kavra
