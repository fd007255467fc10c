#pragma once
// The administrator's screens: users, their rights, and who holds which screen.
#include "ui/Screen.h"

class QLineEdit;
class QListWidget;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kavra {

class FrmUserEntry : public Screen {
    Q_OBJECT
  public:
    FrmUserEntry();
    bool load() override;
    void cmdNew();
    void cmdSave();
    void cmdDelete();
    void showUser(const QString& name);
    void move(int delta, bool toEnd = false);

  private:
    void fillList();
    void setStatus(const QString& s);
    QLineEdit* txtUserId_;
    QLineEdit* txtUserName_;
    QLineEdit* txtUserPassword_;
    QLineEdit* txtConfmPwd_;
    QListWidget* lstNames_;
    QLabel* lblStatus_;
    QLabel* lblPwd_;
    bool adding_ = false;
    QList<qint64> ids_;  // users in table order, for navigation
    int pos_ = -1;
};

class FrmUserRights : public Screen {
    Q_OBJECT
  public:
    FrmUserRights();
    bool load() override;
    void selectUser(int row);
    void toggle(int row);
    void cmdModify();

  private:
    QListWidget* lstUsers_;
    QTableWidget* msflex_;
    qint64 userId_ = 0;
};

class FrmViewImpSys : public Screen {
    Q_OBJECT
  public:
    FrmViewImpSys();
    bool load() override;
    void refresh();
    // Opens the screen list of the online user in that grid row.
    void openUserScreens(int row);

  private:
    QTableWidget* msflexSys_;
    QTableWidget* msflexOnline_;
    QList<QPair<qint64, qint64>> online_;  // user, workstation per row
};

class FrmViewUserScreens : public Screen {
    Q_OBJECT
  public:
    FrmViewUserScreens(qint64 userId, qint64 sysId);
    bool load() override;
    void refresh();
    void cmdUnlock();

  private:
    qint64 userId_;
    qint64 sysId_;
    QLabel* lblUser_;
    QLabel* lblSysName_;
    QLabel* lblSysIP_;
    QTableWidget* msflexOnline_;
    QTableWidget* msflexScreens_;
};

// Fills an online-users grid (latest row per workstation and user); returns user/workstation per row.
QList<QPair<qint64, qint64>> fillOnlineGrid(clsProd& prod, QTableWidget* grid);
void registerAdminScreens();

}  // namespace kavra
