#pragma once
// The one screen every statement is shown on: its period (or day), its options, View, Print
// and CLOSE, the grid over one model, and the chart beside it on request. The build runs on a
// connection of its own off this thread; a progress box shows when it takes over a second.
// That connection stays open from one View to the next, on the one thread that uses it.
#include <QAbstractTableModel>
#include <QFutureWatcher>
#include <QSqlDatabase>
#include <QThreadPool>

#include "ui/Screen.h"
#include "views/Statement.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
class QProgressDialog;

class QChartView;

namespace kavra {

class StatementModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    StatementModel(const QStringList& headings, const QList<int>& amountColumns, QObject* parent = nullptr);
    void setRows(QList<views::Row> rows);
    const QList<views::Row>& rows() const { return rows_; }
    int rowCount(const QModelIndex& = {}) const override { return int(rows_.size()); }
    int columnCount(const QModelIndex& = {}) const override { return int(headings_.size()); }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

  private:
    QStringList headings_;
    QList<int> amountColumns_;
    QList<views::Row> rows_;
};

class StatementScreen : public Screen {
    Q_OBJECT
  public:
    explicit StatementScreen(const views::StatementKind& kind);
    ~StatementScreen() override;
    bool load() override;
    void cmdView();
    void cmdPrint();
    // The display mode of the detail option (also when toggled).
    void applyDisplay();
    bool building() const;
    views::Period period() const;
    StatementModel* model() const { return model_; }

  private:
    struct Result {
        QList<views::Row> rows;
        views::Chart chart;
        QString error;
        bool withRows = true;
    };
    void start(bool withRows);
    // On the build's thread: the held connection to dbName, opened or reopened as needed.
    QSqlDatabase& connection(const QString& dbName);
    void dropConnection();
    void finished();
    void showChart(const views::Chart& c);

    const views::StatementKind& kind_;
    QDateEdit *dtpFrom_ = nullptr, *dtpTo_ = nullptr;
    QCheckBox *chkDetail_ = nullptr, *chkChart_ = nullptr;
    QPushButton *cmdView_ = nullptr, *cmdPrint_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QTableView* msflex_ = nullptr;
    StatementModel* model_ = nullptr;
    QChartView* chart_ = nullptr;
    QFutureWatcher<Result>* watcher_ = nullptr;
    QThreadPool pool_;
    QSqlDatabase held_;  // touched on pool_'s thread only
    QString heldName_;
    QProgressDialog* progress_ = nullptr;
    views::Period shown_;
};

}  // namespace kavra
