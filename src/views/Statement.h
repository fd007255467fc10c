#pragma once
// A statement is a descriptor: its captions, the options it offers, a period (or one "as on"
// day), a build that returns typed rows from a few set-based queries, the titles it prints
// under, its "no data" texts and a chart. One screen shows any of them.
//
// A build runs on a connection of its own (off the screen's thread) and writes nothing. Rows
// are display-ready texts; a row's kind says how it is shown: main lines (marked in the
// marker column and bold) stay in every display, detail rows only in the detailed one.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

#include "core/Money.h"
#include "core/Refusal.h"

namespace kavra::views {

enum class RowKind { Group, Detail, Total };

struct Row {
    RowKind kind = RowKind::Group;
    QStringList cells;  // one per column, marker column first
    bool bold() const { return kind != RowKind::Detail; }
    bool detail() const { return kind == RowKind::Detail; }
};

struct Period {
    QDate from, to;  // "as on" statements keep the day in to
};

// Amounts month by month, one series per side (income, expense).
struct Chart {
    QString title;
    QStringList months;  // "Apr 2026"
    QStringList seriesNames;
    QList<QList<double>> series;  // rupees, one value per month in each series
};

struct StatementKind {
    QString screen;   // "frmView_GPL_NPL"
    QString caption;  // window caption
    QStringList headings;
    QString columns;           // the grid's heading, "|A|B"
    QList<int> widths;         // twips, one per column; 0 hides the column
    QList<int> detailColumns;  // shown only in the detailed display
    QList<int> amountColumns;  // right-aligned, and never narrower than their figures
    QString marker;            // the marker column's text on main lines
    bool asOn = false;
    QString detailOption;  // the check box's caption; "" when none
    QString fromAfterTo;   // refusal of a period that ends before it starts
    QString noPrint;       // refusal to print an empty statement
    std::function<QList<Row>(QSqlDatabase&, const Period&)> build;
    std::function<QStringList(const Period&)> printTitles;
    std::function<Chart(QSqlDatabase&, const Period&)> chart;  // empty: no chart
};

// The period refused before anything is read.
Check checkPeriod(const StatementKind& k, const Period& p);
// Whole days, half open: the first moment of From, the first moment after To. Bound for
// timestamp columns (ts) and for date columns (day).
QVariantList periodBounds(const Period& p);
QVariantList dayBounds(const Period& p);

// "0.00"
inline QString amountText(Money m) {
    return m.toString();
}
// "dd-MMM-yyyy" in English whatever the desk's language.
QString printDate(const QDate& d);

}  // namespace kavra::views
