#include "ui/Screen.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include "ui/Grid.h"
#include "ui/Help.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

// Tells the screen that its sub-window is the one closing, so the screen does not close it again.
class FrameWatch : public QObject {
  public:
    FrameWatch(QObject* parent, bool* closing) : QObject(parent), closing_(closing) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close) *closing_ = true;
        return false;
    }

  private:
    bool* closing_;
};

}  // namespace

Screen::Screen(const QString& screenName, QWidget* parent) : QWidget(parent), screenName_(screenName) {
    setObjectName(screenName);
    setAttribute(Qt::WA_DeleteOnClose);
    installFieldKeys();
}

Screen::~Screen() {
    release();
}

void Screen::release() {
    if (!released_ && prod_.isOpen()) prod_.ReleaseScreen(screenName_);
    released_ = true;
}

QString Screen::helpTopic() const {
    return Help::topicOf(screenName_);
}

void Screen::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

bool Screen::load() {
    const QString err = prod_.OpenCompanyDatabase();
    if (!err.isEmpty()) {
        Dialogs::current().critical(appTitle(), err);
        return false;
    }
    return true;
}

QString Screen::paddedCaption(const QString& left) {
    const QString right = QStringLiteral("F1 Key -  Help");
    const int width = 110;
    return left + QString(std::max(4, width - int(left.size()) - int(right.size())), QLatin1Char(' ')) + right;
}

void Screen::logFailure(const DbError& e) {
    QWidget* f = QApplication::focusWidget();
    prod_.LogFailure(e, screenName_, f ? f->objectName() : QString());
}

bool Screen::tryDb(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const DbError& e) {
        logFailure(e);
        return false;
    }
}

void Screen::closeEvent(QCloseEvent* e) {
    release();
    QWidget::closeEvent(e);
    // Closed from inside (a screen's own close): the empty frame must not stay behind.
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && !frameClosing_) {
        QPointer<QMdiSubWindow> frame(sub);
        QTimer::singleShot(0, sub, [frame] {
            if (frame) frame->close();
        });
    }
}

void Screen::keyPressEvent(QKeyEvent* e) {
    // Keys the fields left alone arrive here.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        closeWindow();
        return;
    }
    if (e->key() == Qt::Key_F1) {
        Help::show(helpTopic());
        return;
    }
    QWidget::keyPressEvent(e);
}

void Screen::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (shownOnce_) return;
    shownOnce_ = true;
    // Every list and grid the screen holds exports; pop-up lists belong to other windows.
    for (QAbstractItemView* v : findChildren<QAbstractItemView*>())
        if (v->window() == window()) offerExport(v);
}

bool Screen::event(QEvent* e) {
    if (e->type() == QEvent::ParentChange) {
        delete frameWatch_;
        frameWatch_ = nullptr;
        frameClosing_ = false;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            frameWatch_ = new FrameWatch(this, &frameClosing_);
            sub->installEventFilter(frameWatch_);
        }
    }
    return QWidget::event(e);
}

namespace Screens {
namespace {
struct Entry {
    QString name;  // as registered
    Factory make;
};
QHash<QString, Entry>& registry() {
    static QHash<QString, Entry> r;
    return r;
}
}  // namespace

void add(const QString& name, Factory f) {
    registry().insert(name.toLower(), Entry{name, std::move(f)});
}
bool has(const QString& name) {
    return registry().contains(name.toLower());
}
QStringList names() {
    QStringList out;
    for (const Entry& e : registry()) out << e.name;
    out.sort(Qt::CaseInsensitive);
    return out;
}
Screen* create(const QString& name) {
    auto it = registry().constFind(name.toLower());
    return it == registry().cend() ? nullptr : it->make();
}

QMdiSubWindow* show(QMdiArea* area, Screen* screen) {
    QMdiSubWindow* sub = area->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(QStringLiteral("sub_") + screen->screenName());
    sub->setWindowTitle(screen->windowTitle());
    // The screen's own size (or its layout's wish) plus the frame, but never beyond the area.
    const QSize want = screen->testAttribute(Qt::WA_Resized) ? screen->size() : screen->sizeHint();
    const QSize frame = sub->size() - sub->contentsRect().size();
    const QSize room = area->viewport()->size();
    const QSize size = (want.expandedTo(screen->minimumSizeHint()) + frame).boundedTo(room);
    sub->resize(size);
    sub->move(std::max(0, (room.width() - size.width()) / 2), std::max(0, (room.height() - size.height()) / 2));
    sub->show();
    area->setActiveSubWindow(sub);
    sub->raise();
    return sub;
}

namespace {
std::function<bool(const QString&)>& opener() {
    static std::function<bool(const QString&)> o;
    return o;
}
}  // namespace

void setOpener(std::function<bool(const QString&)> o) {
    opener() = std::move(o);
}

bool open(const QString& name) {
    return opener() ? opener()(name) : false;
}

QMdiSubWindow* find(QMdiArea* area, const QString& name) {
    for (QMdiSubWindow* s : area->subWindowList()) {
        if (auto* sc = qobject_cast<Screen*>(s->widget());
            sc && sc->screenName().compare(name, Qt::CaseInsensitive) == 0)
            return s;
    }
    return nullptr;
}
}  // namespace Screens

}  // namespace kavra
