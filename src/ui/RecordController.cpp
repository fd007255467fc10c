#include "ui/RecordController.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "core/Sql.h"
#include "core/Users.h"
#include "ui/Navigation.h"
#include "ui/Screen.h"
#include "ui/Widgets.h"

namespace kavra {

RecordController::RecordController(Screen* screen, RecordHost* host, RecordTexts texts, RecordButtons buttons)
    : QObject(screen), screen_(screen), host_(host), texts_(std::move(texts)) {
    auto btn = [&](const QString& n) { return n.isEmpty() ? nullptr : screen->findChild<QPushButton*>(n); };
    cmdNew_ = btn(buttons.newName);
    cmdSave_ = btn(buttons.saveName);
    cmdModify_ = btn(buttons.modifyName);
    cmdDelete_ = btn(buttons.deleteName);
    auto hook = [&](QPushButton* b, void (RecordController::*slot)()) {
        if (b) connect(b, &QPushButton::clicked, this, slot);
    };
    hook(cmdNew_, &RecordController::cmdNew);
    hook(cmdSave_, &RecordController::cmdSave);
    hook(cmdModify_, &RecordController::cmdModify);
    hook(cmdDelete_, &RecordController::cmdDelete);
    lblStatus_ = nullptr;
    lblCorres_ = nullptr;
    txtGO_ = nullptr;
    cmdRGB_ = nullptr;
    if (!buttons.screenWide) return;
    lblStatus_ = screen->findChild<QLabel*>(QStringLiteral("lblStatus"));
    lblCorres_ = screen->findChild<QLabel*>(QStringLiteral("lblCorres"));
    txtGO_ = screen->findChild<QLineEdit*>(QStringLiteral("txtGO"));
    cmdRGB_ = screen->findChild<QWidget*>(QStringLiteral("cmdRGB"));
    if (!cmdRGB_ && cmdNew_) {
        // The marker under the button of the current action.
        cmdRGB_ = new QWidget(cmdNew_->parentWidget());
        cmdRGB_->setObjectName(QStringLiteral("cmdRGB"));
        cmdRGB_->setAutoFillBackground(true);
        cmdRGB_->setStyleSheet(QStringLiteral("background: #d02020;"));
        // No size until it is put under a button: the blinking status line shows it too.
        cmdRGB_->setGeometry(0, 0, 0, 0);
        cmdRGB_->hide();
    }
    hook(btn(QStringLiteral("cmdMoveFirst")), &RecordController::moveFirst);
    hook(btn(QStringLiteral("cmdMovePrevious")), &RecordController::movePrevious);
    hook(btn(QStringLiteral("cmdMoveNext")), &RecordController::moveNext);
    hook(btn(QStringLiteral("cmdMoveLast")), &RecordController::moveLast);
    if (QPushButton* exit = btn(QStringLiteral("cmdExit")))
        connect(exit, &QPushButton::clicked, screen, &Screen::closeWindow);
    if (txtGO_) {
        keepOwnEnter(txtGO_);  // Enter searches
        connect(txtGO_, &QLineEdit::returnPressed, this, [this] { search(txtGO_->text()); });
        if (auto* lblGO = screen->findChild<QLabel*>(QStringLiteral("lblGO"))) lblGO->installEventFilter(this);
    }
    if (lblCorres_) lblCorres_->installEventFilter(this);
    screen->installEventFilter(this);
}

bool RecordController::open(const std::function<void()>& fillLists) {
    if (!screen_->Screen::load()) return false;
    if (fillLists) guarded(fillLists);
    start();
    return true;
}

bool RecordController::guarded(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const DbError& e) {
        // Logged, and the screen keeps its state; a write that failed left nothing behind.
        screen_->logFailure(e);
        return false;
    } catch (const Refused& r) {
        // A rule found broken inside the write (another workstation got there first): the
        // transaction was rolled back and the user is told why.
        refuse(r.refusal());
        return false;
    }
}

void RecordController::refuse(const Refusal& r) {
    Dialogs::current().message(appTitle(), r.text, r.icon);
    if (r.onGrid()) {
        host_->focusRefusal(r);
        return;
    }
    if (QWidget* w = r.field.isEmpty() ? nullptr : screen_->findChild<QWidget*>(r.field)) w->setFocus();
}

void RecordController::setStatus(const QString& text) {
    if (lblStatus_) lblStatus_->setText(text);
}

void RecordController::markUnder(QPushButton* b) {
    if (!cmdRGB_) return;
    if (!b) {
        cmdRGB_->setGeometry(0, 0, 0, 0);
        cmdRGB_->hide();
        return;
    }
    QPointer<QPushButton> target(b);
    QPointer<QWidget> marker(cmdRGB_);
    // After layout, so the button has its final place.
    QTimer::singleShot(0, cmdRGB_, [target, marker] {
        if (!target || !marker) return;
        const QPoint at = target->mapTo(marker->parentWidget(), QPoint(0, target->height() + 1));
        marker->setGeometry(at.x() + 4, at.y(), std::max(8, target->width() - 8), 4);
        marker->show();
        marker->raise();
    });
}

void RecordController::apply(RecState s) {
    state_ = s;
    const bool cancelled = s == RecState::Browse && host_->isCancelled();
    auto en = [](QPushButton* b, bool on) {
        if (b) b->setEnabled(on);
    };
    switch (s) {
        case RecState::Browse:
            en(cmdNew_, true);
            en(cmdSave_, false);
            en(cmdModify_, !cancelled);
            en(cmdDelete_, !cancelled);
            host_->setFieldsEnabled(!texts_.fieldsLockedInBrowse);
            setStatus(texts_.showing);
            markUnder(nullptr);
            break;
        case RecState::Adding:
            en(cmdNew_, false);
            en(cmdSave_, true);
            en(cmdModify_, false);
            en(cmdDelete_, false);
            host_->setFieldsEnabled(true);
            setStatus(texts_.adding);
            markUnder(cmdSave_);
            break;
        case RecState::Modifying:
            en(cmdNew_, false);
            en(cmdSave_, false);
            en(cmdModify_, true);
            en(cmdDelete_, true);
            host_->setFieldsEnabled(true);
            setStatus(texts_.modifying);
            markUnder(cmdModify_);
            break;
    }
    refreshAttachments();
    emit stateChanged(s);
}

void RecordController::refreshAttachments() {
    if (!lblCorres_) return;
    const bool shown = state_ != RecState::Adding && currentId_ != 0;
    lblCorres_->setVisible(shown);
    if (shown)
        lblCorres_->setText(
            clsProd::AttachmentLabel(screen_->prod().AttachmentCount(screen_->screenName(), currentId_)));
}

void RecordController::reload() {
    guarded([&] {
        stamp_ = host_->navigationStamp();
        ids_ = host_->navigation();
    });
}

void RecordController::reloadIfStale() {
    QVariant now;
    if (!guarded([&] { now = host_->navigationStamp(); }) || !now.isValid() || now == stamp_) return;
    // Another desk added or removed records: read the set again, keeping the shown one.
    reload();
    const int i = int(ids_.indexOf(currentId_));
    if (i >= 0) index_ = i;
}

void RecordController::place(qint64 id) {
    ids_.removeAll(id);
    int at = 0;
    if (!guarded([&] {
            at = Navigation::slot(ids_, host_->navigationKey(id), [&](qint64 i) { return host_->navigationKey(i); });
        })) {
        reload();
        return;
    }
    ids_.insert(at, id);
    // Our own write is not a change by another desk.
    guarded([&] { stamp_ = host_->navigationStamp(); });
}

void RecordController::start() {
    reload();
    if (ids_.isEmpty() && !texts_.sayEmpty) {
        cmdNew();
        return;
    }
    moveTo(texts_.showFirstOnLoad ? 0 : int(ids_.size()) - 1);
}

void RecordController::moveTo(int index) {
    if (ids_.isEmpty()) {
        Dialogs::current().message(appTitle(), texts_.emptyTable, texts_.emptyIcon);
        cmdNew();
        return;
    }
    const int n = int(ids_.size());
    index_ = ((index % n) + n) % n;  // wraps both ways
    currentId_ = ids_[index_];
    guarded([&] { host_->showRecord(currentId_); });
    apply(RecState::Browse);
}

void RecordController::showId(qint64 id) {
    int i = int(ids_.indexOf(id));
    if (i < 0) {
        reload();
        i = std::max(0, int(ids_.indexOf(id)));
    }
    moveTo(i);
}

void RecordController::moveFirst() {
    reloadIfStale();
    moveTo(0);
}
void RecordController::moveLast() {
    reloadIfStale();
    moveTo(int(ids_.size()) - 1);
}
void RecordController::moveNext() {
    reloadIfStale();
    moveTo(index_ + 1);
}
void RecordController::movePrevious() {
    reloadIfStale();
    moveTo(index_ - 1);
}

void RecordController::cmdNew() {
    qint64 id = 0;
    if (!guarded([&] { id = host_->proposeId(); })) return;
    currentId_ = 0;
    index_ = -1;
    host_->clearForNew(id);
    apply(RecState::Adding);
    pendingId_ = id;
}

void RecordController::beginModify() {
    if (state_ != RecState::Browse || currentId_ == 0 || host_->isCancelled()) return;
    apply(RecState::Modifying);
}

void RecordController::fieldEdited() {
    if (state_ == RecState::Browse && currentId_ != 0) {
        apply(RecState::Modifying);
        // Typing in a shown record is a change, not a deletion.
        if (cmdDelete_) cmdDelete_->setEnabled(false);
    }
}

void RecordController::cmdSave() {
    if (state_ == RecState::Adding) commit(true);
}

void RecordController::cmdModify() {
    if (currentId_ != 0) commit(false);
}

void RecordController::commit(bool adding) {
    Dialogs& dlg = Dialogs::current();
    Check r;
    if (!guarded([&] {
            if (!adding) r = host_->modifyBlock();
            if (!r) r = host_->validate(adding);
        }))
        return;
    if (r) {
        refuse(*r);
        return;
    }
    bool agreed = false;
    if (!guarded([&] { agreed = host_->agreesToWrite(adding); }) || !agreed) return;
    const QString q = host_->confirmText(adding);
    if (!dlg.question(appTitle(), q.isEmpty() ? (adding ? texts_.saveQuestion : texts_.modifyQuestion) : q, false))
        return;
    const qint64 proposed = adding ? pendingId_ : currentId_;
    qint64 written = proposed;
    if (!guarded([&] { Sql::transaction(screen_->prod().db(), [&] { written = host_->write(adding, proposed); }); }))
        return;
    dlg.information(appTitle(), adding ? texts_.saved : texts_.modified);
    guarded([&] { host_->refreshLists(); });
    if (!adding && written != proposed) ids_.removeAll(proposed);
    place(written);
    moveTo(std::max(0, int(ids_.indexOf(written))));
    if (!texts_.afterWrite.isEmpty()) setStatus(texts_.afterWrite);
}

void RecordController::cmdDelete() {
    if (currentId_ == 0 || state_ == RecState::Adding) return;
    bool done = false;
    if (!guarded([&] { done = host_->deleteInstead(); }) || done) return;
    Dialogs& dlg = Dialogs::current();
    Check r;
    if (!guarded([&] { r = host_->deleteBlock(); })) return;
    if (r) {
        refuse(*r);
        return;
    }
    setStatus(texts_.deleting);
    markUnder(cmdDelete_);
    if (!dlg.question(appTitle(), texts_.deleteQuestion, false)) {
        setStatus(texts_.modifying);
        markUnder(state_ == RecState::Modifying ? cmdModify_ : nullptr);
        return;
    }
    const qint64 id = currentId_;
    if (!guarded([&] { Sql::transaction(screen_->prod().db(), [&] { host_->remove(id); }); })) return;
    dlg.information(appTitle(), texts_.deleted);
    guarded([&] { host_->refreshLists(); });
    bool kept = false;
    guarded([&] { kept = host_->keptOnRemove(id); });
    if (kept) {
        showId(id);
        if (!texts_.afterWrite.isEmpty()) setStatus(texts_.afterWrite);
        return;
    }
    ids_.removeAll(id);
    guarded([&] { stamp_ = host_->navigationStamp(); });
    if (ids_.isEmpty() && !texts_.sayEmpty) {
        cmdNew();
        return;
    }
    const int last = int(ids_.size()) - 1;
    moveTo(texts_.deleteGoesLast ? last : texts_.deleteGoesFirst ? 0 : std::min(index_, last));
    if (!texts_.afterWrite.isEmpty()) setStatus(texts_.afterWrite);
}

void RecordController::search(const QString& text) {
    Found found;
    if (!guarded([&] { found = host_->find(text.trimmed()); })) return;
    if (!found.message.isEmpty()) Dialogs::current().message(appTitle(), found.message, found.icon);
    if (found.id) showId(*found.id);
}

bool RecordController::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) {
        if (o->objectName() == QLatin1String("lblGO") && txtGO_) {
            search(txtGO_->text());
            return true;
        }
        if (o == lblCorres_) {
            Dialogs::current().information(appTitle(),
                                           QStringLiteral("The correspondence files are not available yet."));
            return true;
        }
    }
    if (o == screen_ && e->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_F1 || key == Qt::Key_F5 || key == Qt::Key_F10 || key == Qt::Key_F11) {
            host_->functionKey(key);
            return true;
        }
    }
    return QObject::eventFilter(o, e);
}

namespace Navigation {

bool keyLess(const QVariantList& a, const QVariantList& b) {
    for (int i = 0; i < std::min(a.size(), b.size()); ++i) {
        const auto c = QVariant::compare(a[i], b[i]);
        if (c == QPartialOrdering::Less) return true;
        if (c == QPartialOrdering::Greater) return false;
    }
    return a.size() < b.size();
}

int slot(const QList<qint64>& ids, const QVariantList& key, const std::function<QVariantList(qint64)>& keyOf) {
    int lo = 0, hi = int(ids.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (keyLess(keyOf(ids[mid]), key))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

}  // namespace Navigation

bool openItemMaster(clsProd& prod) {
    bool allowed = false;
    try {
        allowed = Users::hasRight(prod.db(), prod.session().userId, 4);
    } catch (const DbError& e) {
        prod.LogFailure(e, QStringLiteral("F5"), {});
        return false;
    }
    if (!allowed) {
        Dialogs::current().critical(
            appTitle(), QStringLiteral("You have no rights to add New Items!!! Contact your administrator!!!"));
        return false;
    }
    return Screens::open(QStringLiteral("frmItem"));
}

void attachTypeAhead(QLineEdit* box, QListWidget* list) {
    QObject::connect(box, &QLineEdit::textEdited, list, [list](const QString& t) {
        if (t.isEmpty()) return;
        const QString up = t.toUpper();
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text().toUpper().startsWith(up)) {
                list->setCurrentRow(i);
                list->scrollToItem(list->item(i));
                return;
            }
        }
    });
}

}  // namespace kavra
