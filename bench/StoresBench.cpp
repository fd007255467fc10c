// Figures for the stores: stock on hand over many lots, an issue drawing on many lots.
#include <QSqlDatabase>
#include <QString>

namespace kavra {

void storesBench(QSqlDatabase& db) {}

}  // namespace kavra
