#include "core/Books.h"

namespace kavra::Books {

namespace {

const QList<Book>& books(Series s) {
    static const QList<Book> dc = {
        {QStringLiteral("DCINV"), QStringLiteral("DcInv"), QStringLiteral("DcInvId"), QStringLiteral("DcNo"),
         QStringLiteral("DcDateT")},
        {QStringLiteral("DCOUTGOINGINV"), QStringLiteral("DcOutgoingInv"), QStringLiteral("DcId"),
         QStringLiteral("DcNo"), QStringLiteral("DcDateT")},
        {QStringLiteral("DCSUBCONOUTGOING"), QStringLiteral("DcSubConOutgoing"), QStringLiteral("DcId"),
         QStringLiteral("DcNo"), QStringLiteral("DcDateT")},
    };
    static const QList<Book> inv = {
        {QStringLiteral("DCINV"), QStringLiteral("DcInv"), QStringLiteral("DcInvId"), QStringLiteral("InvNo"),
         QStringLiteral("InvDateT")},
        {QStringLiteral("DCOUTGOINGINV"), QStringLiteral("DcOutgoingInv"), QStringLiteral("DcId"),
         QStringLiteral("InvNo"), QStringLiteral("InvDateT")},
    };
    return s == Series::Dc ? dc : inv;
}

QStringList sharedKeys(Series s, const QString& key, int mode) {
    if (s == Series::Dc) {
        switch (mode) {
            case 1:
                return {key};
            case 2:  // sales and labour one book, subcontract its own
                return key == QLatin1String("DCSUBCONOUTGOING") ? QStringList{key}
                                                                : QStringList{"DCINV", "DCOUTGOINGINV"};
            case 3:
                return {"DCINV", "DCOUTGOINGINV", "DCSUBCONOUTGOING"};
            default:
                return {};
        }
    }
    switch (mode) {
        case 1:  // sales and labour one book
            return {"DCINV", "DCOUTGOINGINV"};
        case 2:
            return {key};
        default:
            return {};
    }
}

}  // namespace

const Book* find(Series s, const QString& key) {
    const QString k = key.toUpper();
    for (const Book& b : books(s))
        if (b.key == k) return &b;
    return nullptr;
}

QList<const Book*> sharing(Series s, const QString& key, int mode) {
    const QString k = key.toUpper();
    QList<const Book*> out;
    if (const Book* own = find(s, k)) {
        if (sharedKeys(s, k, mode).isEmpty()) return out;
        out << own;
    }
    for (const QString& other : sharedKeys(s, k, mode))
        if (other != k)
            if (const Book* b = find(s, other)) out << b;
    return out;
}

}  // namespace kavra::Books
