#pragma once
// The headings the salary print uses: which heads print, under what caption, and where.
#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <optional>

namespace kavra::SalaryHeads {

struct Head {
    qint64 id = 0;
    int type = 0;  // 1 general, 2 earning, 3 deduction
    QString screenName, printName;
    bool print = false;
};

QString gridName(int type);  // "General Heads", "Earning Heads", "Deduction Heads"
QVector<Head> load(QSqlDatabase& db, int type);
// A ticked head needs a print name; the refusal names the first that lacks one.
std::optional<QString> problem(const QVector<Head>& heads);
// Writes names and ticks; ticked heads get their print places in order (row = type, column 1, 2, ...).
void store(QSqlDatabase& db, const QVector<Head>& heads);

}  // namespace kavra::SalaryHeads
