#include "ui/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace kavra {

Screen::Screen(const QString& screenName, QWidget* parent) : QWidget(parent), screenName_(screenName) {
    setObjectName(screenName);
    setAttribute(Qt::WA_DeleteOnClose);
}

Screen::~Screen() {
    if (!released_ && prod_.isOpen()) prod_.ReleaseScreen(screenName_);
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

void Screen::closeEvent(QCloseEvent* e) {
    if (prod_.isOpen()) prod_.ReleaseScreen(screenName_);
    released_ = true;
    QWidget::closeEvent(e);
}

namespace Screens {
namespace {
QHash<QString, Factory>& registry() {
    static QHash<QString, Factory> r;
    return r;
}
}  // namespace

void add(const QString& name, Factory f) {
    registry().insert(name.toLower(), std::move(f));
}
bool has(const QString& name) {
    return registry().contains(name.toLower());
}
Screen* create(const QString& name) {
    auto it = registry().constFind(name.toLower());
    return it == registry().cend() ? nullptr : (*it)();
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
