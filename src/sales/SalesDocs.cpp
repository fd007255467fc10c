#include "sales/SalesDocs.h"

#include <QTime>

#include "core/Db.h"
#include "core/Sql.h"
#include "core/Text.h"

namespace kavra::sales {

namespace {

// Keeps the first message a check shows instead of showing it.
class Capture : public Dialogs {
  public:
    void message(const QString&, const QString& text, MsgIcon) override {
        if (first.isEmpty()) first = text;
    }
    bool question(const QString&, const QString&, bool defaultNo) override { return !defaultNo; }
    QString first;
};

}  // namespace

QString gridCheckMessage(const std::function<bool(Dialogs&)>& check) {
    Capture c;
    if (check(c)) return {};
    return c.first.isEmpty() ? QStringLiteral("?") : c.first;
}

QVariant dateValue(const QDate& d) {
    return Db::ts(QDateTime(d, QTime(0, 0)));
}

QString dateText(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString qtyText(double q) {
    return text::plain(q);
}

QString customerName(QSqlDatabase& db, qint64 custId) {
    return Sql::scalar(db, QStringLiteral("select CustName from Customer where CustId=?"), {custId}).toString();
}

QString customerAddress(QSqlDatabase& db, qint64 custId) {
    return Sql::scalar(db, QStringLiteral("select CustAddr from Customer where CustId=?"), {custId}).toString();
}

}  // namespace kavra::sales
