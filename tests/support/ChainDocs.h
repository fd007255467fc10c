#pragma once
// Orders and DCs for engine tests, written as a table of lines: item code, quantity and a
// text that is the line's rate on an order and its remark on a DC.
#include <QDate>
#include <QString>
#include <initializer_list>

#include "core/chain/Challans.h"
#include "core/chain/Orders.h"

namespace kavra::test {

struct L {
    const char* code;
    double qty;
    const char* text = "";  // an order line's rate, a DC line's remark
};

inline QList<chain::Orders::Line> orderLines(std::initializer_list<L> lines) {
    QList<chain::Orders::Line> out;
    for (const L& l : lines) {
        chain::Orders::Line line;
        line.itemCode = l.code;
        line.itemName = "name";
        line.uom = "NOS";
        line.qty = l.qty;
        line.rate = QString::fromLatin1(l.text).toDouble();
        out << line;
    }
    return out;
}

// A DC of 10 June 2026 against an order of 1 June; each line's particulars are the prefix and its code.
inline chain::Challans::Record dcOf(qint64 id, qint64 party, const QString& no, const QString& po,
                                    std::initializer_list<L> lines, const QString& particulars) {
    chain::Challans::Record d;
    d.id = id;
    d.party = party;
    d.dcNo = no;
    d.dcDate = QDate(2026, 6, 10);
    d.poNo = po;
    d.poDate = QDate(2026, 6, 1);
    for (const L& l : lines)
        d.lines << chain::Challans::Line{l.code, particulars + l.code, l.qty, QString::fromLatin1(l.text), {}};
    return d;
}

}  // namespace kavra::test
