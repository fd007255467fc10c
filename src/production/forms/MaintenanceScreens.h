#pragma once
// frmMaintain: the schedules of one maintenance type for every machine; frmMaintainPro:
// the jobs due on a chosen day, marked done or not, and the jobs missed before it.
#include "production/Maintenance.h"
#include "ui/Screen.h"

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kavra {

class FrmMaintain : public Screen {
    Q_OBJECT
  public:
    FrmMaintain();
    bool load() override;
    void cmdModify();
    void showType(int type);

  private:
    void showRow(int row);
    QList<Maintenance::ScheduleRow> rows() const;

    QListWidget* lstTypes_;
    QTableWidget* msflex_;
    QLabel* lblHelp_;
    QLineEdit *txtSchedule_, *txtDay_;
    QList<Maintenance::ScheduleRow> shown_;
    int type_ = 0;
};

class FrmMaintainPro : public Screen {
    Q_OBJECT
  public:
    FrmMaintainPro();
    bool load() override;
    void showDay(const QDate& day);
    void cmdModify();
    // Toggles the Y/N cell of a due job (grid row and column as shown).
    void toggle(int row, int col);

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    QCalendarWidget* MonthView1_;
    QLabel *lblDate_, *lblJob_;
    QTableWidget *msflex_, *msflexMiss_;
    QPushButton* cmdModify_;
    QList<Maintenance::ProcessRow> rows_;
    QDate day_;
};

}  // namespace kavra
