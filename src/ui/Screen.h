#pragma once
// A child screen of the main window: its own connection through clsProd, its name
// (also its OnlineUsers ScreenId) and the release of its lock when it closes.
#include <QHash>
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

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    QString screenName_;
    clsProd prod_;
    bool released_ = false;
};

namespace Screens {
using Factory = std::function<Screen*()>;
void add(const QString& name, Factory f);
bool has(const QString& name);
Screen* create(const QString& name);
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
