#include "printing/SalaryHeads.h"

#include <QHash>
#include <QSqlQuery>

#include "core/Sql.h"

namespace kavra::SalaryHeads {

QString gridName(int type) {
    switch (type) {
        case 1:
            return QStringLiteral("General Heads");
        case 2:
            return QStringLiteral("Earning Heads");
        default:
            return QStringLiteral("Deduction Heads");
    }
}

QVector<Head> load(QSqlDatabase& db, int type) {
    QVector<Head> out;
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select Id, Type, ScrColName, PrintName, IsPrint from SalaryPrint where Type=? order by Id"),
        {type});
    while (q.next())
        out.push_back({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toString().trimmed(),
                       q.value(3).toString().trimmed(), q.value(4).toBool()});
    return out;
}

std::optional<QString> problem(const QVector<Head>& heads) {
    for (const Head& h : heads)
        if (h.print && h.printName.trimmed().isEmpty())
            return QStringLiteral("Please enter the Print name for '") + h.screenName + QStringLiteral("' in ") +
                   gridName(h.type);
    return std::nullopt;
}

void store(QSqlDatabase& db, const QVector<Head>& heads) {
    QHash<int, int> nextCol;
    Sql::transaction(db, [&] {
        for (const Head& h : heads) {
            QVariant row, col;
            if (h.print) {
                row = h.type;
                col = ++nextCol[h.type];
            }
            Sql::exec(db,
                      QStringLiteral("update SalaryPrint set PrintName=?, IsPrint=?, StrRow=?, StrCol=? where Id=?"),
                      {h.printName.trimmed().isEmpty() ? QStringLiteral(" ") : h.printName.trimmed(), h.print,
                       row.isValid() ? row : QVariant(QMetaType::fromType<int>()),
                       col.isValid() ? col : QVariant(QMetaType::fromType<int>()), h.id});
        }
    });
}

}  // namespace kavra::SalaryHeads
