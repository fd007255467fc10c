#pragma once
// The number series the company's own documents are numbered in, within a financial
// year: DC books and invoice books. Which tables share one series depends on the
// numbering mode (Misc.BookType for DCs, Misc.BookTypeInv for invoices); numbering and
// the duplicate-number checks both ask here, so they always agree.
#include <QList>
#include <QString>
#include <QStringList>

namespace kavra::Books {

enum class Series { Dc, Invoice };

struct Book {
    QString key;        // "DCINV", "DCOUTGOINGINV", "DCSUBCONOUTGOING"
    QString table;      // the table holding the numbers
    QString idCol;      // its identifier
    QString numberCol;  // DcNo or InvNo
    QString dateCol;    // DcDateT or InvDateT
};

// The book of that key (compared in upper case); nullptr for none.
const Book* find(Series s, const QString& key);
// The books whose numbers share one series with key's under the mode, key's own first;
// empty for a mode that numbers nothing.
QList<const Book*> sharing(Series s, const QString& key, int mode);

}  // namespace kavra::Books
