#pragma once
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "core/ClsProd.h"
#include "data/Menu.h"

class QLabel;
class QMdiArea;
class QMenu;
class QAction;
class QTimer;

namespace kavra {

class MdiSSI : public QMainWindow {
    Q_OBJECT
  public:
    explicit MdiSSI(QWidget* parent = nullptr);
    ~MdiSSI() override;

    QMdiArea* area() const { return mdiArea_; }
    QMenu* groupMenu(const QString& labelName) const { return menus_.value(labelName); }
    QAction* rightAction(int n) const { return rightActions_.value(n); }
    // The action that opens a screen, by screen name.
    QAction* screenAction(const QString& screen) const { return screenActions_.value(screen.toLower()); }
    // Opens a screen as the menu does: rights were applied already, then the lock check and registration.
    bool openScreen(const QString& screen);
    // Pops a group's menu up below its label.
    void popupGroup(const QString& labelName);
    // Asks before exiting unless told not to (tests and the close already confirmed).
    void setConfirmExit(bool on) { confirmExit_ = on; }
    bool compactNow();
    // The administrator's restore of a backup copy (SQLite; a server restores with its own tools).
    bool restoreNow();
    // After a lost connection: tells the user, connects again and takes the screens back (a
    // screen another desk took meanwhile is closed), or closes the program when the server
    // stays away. False when not recovered.
    bool recoverConnection();

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void buildMenus();
    void addEntries(QMenu* menu, const QVector<data::MenuEntry>& entries, int group);
    void loadIsoMenus(int group);
    void firstActivation();
    void blink();
    void slideCaption();
    void runAction(const QString& action);
    // Closes every screen, takes the database for this program alone, runs work and opens it
    // again; what would be done is named in the refusal when another program has it open.
    bool alone(const QString& what, const std::function<void()>& work);
    bool serverAnswers();
    static constexpr int kReconnectTries = 20;

    clsProd prod_;
    QMdiArea* mdiArea_;
    QLabel* lblDate_;
    QLabel* lblTime_;
    QLabel* lblCurrDB_;
    QHash<QString, QMenu*> menus_;            // label objectName -> group menu
    QHash<int, QMenu*> isoMenus_;             // group number -> "My ISO Menus"
    QHash<int, QAction*> rightActions_;       // right n -> entry
    QHash<QString, QAction*> screenActions_;  // screen name (lower) -> entry
    QHash<QString, data::EntryKind> kinds_;   // screen name (lower) -> kind
    QTimer* timer1_;
    QTimer* timer2_;
    QTimer* timer3_;
    bool activated_ = false;
    bool confirmExit_ = true;
    bool closing_ = false;
    bool compacted_ = false;
    bool recovering_ = false;
    bool serverGone_ = false;
    int ticks_ = 0;
    int slideAdded_ = 0;
    bool slideGrowing_ = true;
    QString baseCaption_;
};

}  // namespace kavra
