#pragma once
#include <QLocale>
#include <QWidget>

#include "core/ClsProd.h"
#include "core/Login.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QLabel;

namespace kavra {

class FrmLogin : public QWidget {
    Q_OBJECT
  public:
    explicit FrmLogin(QWidget* parent = nullptr);
    ~FrmLogin() override;

    // What the workstation reports; tests set two workstations apart this way.
    void setWorkstation(const Login::Workstation& ws) { ws_ = ws; }
    void setLocale(const QLocale& l) { locale_ = l; }

    // The start-up checks in order; false when the program must end (the reason was shown).
    bool start();
    bool ended() const { return ended_; }

  public slots:
    void login();

  signals:
    void loggedIn();
    void programEnded();

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    bool openChosenYear();
    void endProgram();
    void refused(const Login::Refusal& r, const QString& name);

    QComboBox* cmbUserName_;
    QLineEdit* txtPassword_;
    QComboBox* cmbAccYears_;
    QPushButton* cmdLogin_;
    QLabel* lblWorkstation_;
    clsProd prod_;
    Login::Workstation ws_;
    QLocale locale_;
    QLabel* lblWait_;
    int failures_ = 0;  // wrong tries in a row at this login screen
    bool ended_ = false;
    bool filling_ = false;
    QString currentYearDb_;
};

}  // namespace kavra
