#pragma once
// A child screen of the main window: its own connection through clsProd, its name
// (also its OnlineUsers ScreenId) and the release of its lock when it closes. Every
// screen closes with its sub-window (CLOSE, Esc), shows its help page on F1, lets every
// list and grid on it be exported, and moves on with Enter from every field.
#include <QHash>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "core/ClsProd.h"

class QMdiArea;
class QMdiSubWindow;

namespace kavra {

class Screen : public QWidget {
    Q_OBJECT
  public:
    explicit Screen(const QString& screenName, QWidget* parent = nullptr);
    ~Screen() override;

    const QString& screenName() const { return screenName_; }
    clsProd& prod() { return prod_; }
    // Opens the connection and fills the screen; false when it cannot be shown.
    virtual bool load();

    // The window caption with the help hint at its right end.
    static QString paddedCaption(const QString& left);

    // Trapped failures go to the error log with the screen and focused control; the screen keeps its state.
    void logFailure(const DbError& e);
    // Runs work; a failure is logged as above and reported as false.
    bool tryDb(const std::function<void()>& work);

    // Closes the screen together with the sub-window that holds it (CLOSE, Esc).
    void closeWindow();
    // The help page F1 shows ("MasGenCust.htm").
    QString helpTopic() const;

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;

  private:
    void release();

    QString screenName_;
    clsProd prod_;
    bool released_ = false;
    bool frameClosing_ = false;
    bool shownOnce_ = false;
    QObject* frameWatch_ = nullptr;
};

namespace Screens {
using Factory = std::function<Screen*()>;
void add(const QString& name, Factory f);
bool has(const QString& name);
Screen* create(const QString& name);
// The names of every registered screen, in the spelling they were registered with.
QStringList names();
// Shows a screen in the main window's area, centred; the sub-window deletes the screen on close.
QMdiSubWindow* show(QMdiArea* area, Screen* screen);
// The open sub-window of that screen name, if any.
QMdiSubWindow* find(QMdiArea* area, const QString& name);
// Opening a screen the way the main window's menu does (lock check and registration);
// the main window installs it. False when the screen was not opened.
void setOpener(std::function<bool(const QString&)> opener);
bool open(const QString& name);
}  // namespace Screens

}  // namespace kavra
