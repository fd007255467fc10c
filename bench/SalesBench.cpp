// Figures for customer orders and DCs: a large DC save, opening the DC screen on a big year.
#include <QSqlDatabase>
#include <QString>

namespace kavra {

void salesBench(QSqlDatabase& db, const QString& dir) {}

}  // namespace kavra
