#pragma once
// The cash and bank balances every money screen shows (msfCash): one row per bank with
// its balance and credit limit, then the cash balance; read again after every write.
#include <QGroupBox>
#include <QSqlDatabase>

class QTableWidget;

namespace kavra {

class CashPanel : public QGroupBox {
    Q_OBJECT
  public:
    explicit CashPanel(QWidget* parent);
    void refresh(QSqlDatabase& db);
    QTableWidget* table() const { return table_; }

  private:
    QTableWidget* table_;
};

}  // namespace kavra
