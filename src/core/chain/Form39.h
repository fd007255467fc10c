#pragma once
// The Form VAT 515 (Form 39) entry of a DC: the goods, their quantity and value, purpose,
// nature of document and LR number, under a serial number that runs in one series per
// financial year across every DC table that carries the entry. A number is proposed after
// the year's highest and refused when any DC of the year has it already; the store runs
// inside one write transaction and asks again there.
#include <QDate>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Refusal.h"
#include "core/chain/Kinds.h"

namespace kavra::chain::Form39 {

struct Kind {
    QString screen;  // "frmForm39_DC_LAB"
    const DcKind* dc = nullptr;
    QString duplicate;  // the number used by another DC of this table in the year
    // The other DC tables of the series, with what a number found there says.
    QList<QPair<QString, QString>> others;
};

struct Entry {
    qint64 dcId = 0;
    qint64 no = 0;
    QString goodsName, goodsQty, goodsVal, purpose, docuNature, lrNo;
};

// The DC the entry belongs to, as its screen shows it.
struct Shown {
    QString dcNo, party;
    QDate dcDate;
    Entry entry;  // no 0 while the DC has none
};

std::optional<Shown> load(QSqlDatabase& db, const Kind& k, qint64 dcId);
// One more than the highest number of the DC date's financial year in every table of the series.
qint64 proposed(QSqlDatabase& db, const Kind& k, const QDate& dcDate);
// Goods names of earlier entries, the most recent first.
QStringList goodsNames(QSqlDatabase& db, const Kind& k);
// Required texts, then the number within the year, first failure wins.
Check validate(QSqlDatabase& db, const Kind& k, const Entry& e);
// Writes the entry into its DC row; throws Refused when the number was taken meanwhile.
void store(QSqlDatabase& db, const Kind& k, const Entry& e);

}  // namespace kavra::chain::Form39
