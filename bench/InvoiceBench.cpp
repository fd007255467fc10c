// Figures for sales invoices: computing and saving an invoice over many DCs.
#include <QSqlDatabase>
#include <QString>

namespace kavra {

void invoiceBench(QSqlDatabase& db) {}

}  // namespace kavra
