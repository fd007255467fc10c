#include "core/forms/MdiSSI.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSqlQuery>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "core/Housekeeping.h"
#include "core/Sql.h"
#include "core/Users.h"
#include "ui/Screen.h"
#include "ui/StartupScreens.h"

namespace kavra {

namespace {
const char* kNotYet = "This screen is not available yet.";
}

MdiSSI::MdiSSI(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("mdiSSI"));
    Session& s = Session::current();
    Dialogs& dlg = Dialogs::current();
    baseCaption_ = s.mainCaption;
    setWindowTitle(baseCaption_);

    // The menu bar is a row of labels; each pops its group up.
    auto* central = new QWidget(this);
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto* bar = new QWidget(central);
    bar->setObjectName(QStringLiteral("picMenuBar"));
    bar->setAutoFillBackground(true);
    bar->setStyleSheet(
        QStringLiteral("#picMenuBar { background: #1f3b5a; } "
                       "#picMenuBar QLabel { color: white; padding: 6px 10px; font-weight: bold; } "
                       "#picMenuBar QLabel:hover { background: #2f5f8f; }"));
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(4, 0, 4, 0);
    h->setSpacing(0);
    for (const data::MenuGroup& g : data::menuGroups()) {
        auto* l = new QLabel(g.caption, bar);
        l->setObjectName(g.label);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        h->addWidget(l);
    }
    h->addStretch();
    for (const auto& [name, text] : {std::pair{"lblAboutUs", "About Us"}, std::pair{"lblExit", "Exit"}}) {
        auto* l = new QLabel(QString::fromLatin1(text), bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        h->addWidget(l);
    }
    v->addWidget(bar);

    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("imgBack"));
    QLinearGradient grad(0, 0, 0, 900);
    grad.setColorAt(0, QColor(0xe8, 0xee, 0xf4));
    grad.setColorAt(1, QColor(0xb8, 0xc8, 0xda));
    mdiArea_->setBackground(grad);
    mdiArea_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mdiArea_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        QMenu m(this);
        m.addAction(QStringLiteral("&Bring to Front"), this, [this] {
            if (auto* sub = mdiArea_->currentSubWindow()) sub->raise();
        });
        m.addAction(QStringLiteral("&Send to Back"), this, [this] {
            if (auto* sub = mdiArea_->currentSubWindow()) sub->lower();
        });
        m.exec(mdiArea_->mapToGlobal(p));
    });
    v->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    lblDate_ = new QLabel(this);
    lblDate_->setObjectName(QStringLiteral("lblDate"));
    lblTime_ = new QLabel(this);
    lblTime_->setObjectName(QStringLiteral("lblTime"));
    lblCurrDB_ = new QLabel(this);
    lblCurrDB_->setObjectName(QStringLiteral("lblCurrDB"));
    auto* who = new QLabel(QStringLiteral("User: ") + s.userName, this);
    who->setObjectName(QStringLiteral("lblUser"));
    for (QLabel* l : {who, lblCurrDB_, lblDate_, lblTime_}) l->setContentsMargins(8, 0, 8, 0);
    statusBar()->addWidget(who, 1);
    statusBar()->addPermanentWidget(lblCurrDB_);
    statusBar()->addPermanentWidget(lblDate_);
    statusBar()->addPermanentWidget(lblTime_);
    const QDateTime now = Clock::now();
    lblDate_->setText(now.toString(QStringLiteral("dd/MM/yyyy")));
    lblTime_->setText(now.toString(QStringLiteral("hh:mm:ss AP")));
    const DbConfig& cfg = dbConfig();
    if (cfg.isPg())
        lblCurrDB_->setText(QStringLiteral("Database: %1%2 on server %3:%4")
                                .arg(cfg.prefix, s.companyDb.toLower(), cfg.host)
                                .arg(cfg.port));
    else
        lblCurrDB_->setText(QStringLiteral("Database: ") + s.companyFile().mid(2));

    // Compaction runs before this window holds a connection of its own, and only when no
    // other program has the database open; otherwise it waits for another day.
    try {
        clsProd probe;
        bool due = false;
        if (probe.OpenCompanyDatabase().isEmpty()) {
            due = House::autoCompactDue(probe.db(), Clock::today());
            // The planner's figures kept up with the year, so that it picks the selective index.
            Db::optimize(probe.db());
        }
        probe.CloseCompanyDatabase();
        if (due && s.presence && s.presence->takeAlone()) {
            try {
                House::autoCompact(cfg.backupFolder(), s.companyDb);
                compacted_ = true;
            } catch (const DbError&) {
                s.presence->share();
                throw;
            }
            s.presence->share();
        }
    } catch (const DbError& e) {
        dlg.critical(appTitle(), e.text());
    }

    const QString err = prod_.OpenCompanyDatabase();
    if (!err.isEmpty()) dlg.critical(appTitle(), err);
    // Rows of workstations whose program has ended go; those of a running desk stay, even
    // when the same user works there.
    prod_.ReleaseGoneWorkstations();
    const QString twice = prod_.SameUserElsewhere();
    buildMenus();
    if (compacted_) {
        try {
            House::setLastCompact(prod_.db(), Clock::today());
        } catch (const DbError& e) {
            prod_.LogFailure(e, objectName(), QString());
        }
        dlg.information(appTitle(), QStringLiteral(" Don't Forget to Take the backup of your Database Frequently..."));
    }
    prod_.RegisterScreen(QStringLiteral("mdiSSI"), 3, dlg);
    if (!twice.isEmpty()) dlg.information(appTitle(), twice);
    Db::takeLostNotice();
    Screens::setOpener([this](const QString& name) { return openScreen(name); });

    timer1_ = new QTimer(this);
    connect(timer1_, &QTimer::timeout, this, [this] {
        lblTime_->setText(Clock::now().toString(QStringLiteral("hh:mm:ss AP")));
        // A command that found the server gone, or (every 15 s) the server not answering.
        const bool lost = Db::takeLostNotice();
        if (lost || (++ticks_ % 15 == 0 && !serverAnswers())) recoverConnection();
    });
    timer1_->start(1000);
    timer2_ = new QTimer(this);
    connect(timer2_, &QTimer::timeout, this, &MdiSSI::slideCaption);
    timer2_->start(250);
    timer3_ = new QTimer(this);
    timer3_->setObjectName(QStringLiteral("Timer3"));
    connect(timer3_, &QTimer::timeout, this, &MdiSSI::blink);
    // Never taller or wider than the screen: on a 1366x768 display an oversized window
    // would hide the status bar when no window manager maximizes it.
    QSize size(1280, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
}

MdiSSI::~MdiSSI() {
    Screens::setOpener(nullptr);
}

void MdiSSI::buildMenus() {
    for (const data::MenuGroup& g : data::menuGroups()) {
        auto* m = new QMenu(this);
        m->setObjectName(QStringLiteral("mnu") + g.label.mid(3));
        m->setToolTipsVisible(true);
        menus_.insert(g.label, m);
        addEntries(m, g.entries, g.number);
        loadIsoMenus(g.number);
    }
}

void MdiSSI::addEntries(QMenu* menu, const QVector<data::MenuEntry>& entries, int group) {
    for (const data::MenuEntry& e : entries) {
        QAction* act = nullptr;
        if (e.kind == data::EntryKind::Submenu || e.kind == data::EntryKind::IsoMenu) {
            QMenu* sub = menu->addMenu(e.caption);
            sub->setToolTipsVisible(true);
            sub->setObjectName(QStringLiteral("mnu") + data::plainCaption(e.caption).remove(QLatin1Char(' ')));
            act = sub->menuAction();
            if (e.kind == data::EntryKind::IsoMenu)
                isoMenus_.insert(group, sub);
            else
                addEntries(sub, e.children, group);
        } else {
            act = menu->addAction(e.caption);
            act->setObjectName(e.screen);
            act->setToolTip(data::plainCaption(e.caption));
            if (e.kind == data::EntryKind::Action) {
                const QString name = e.screen;
                connect(act, &QAction::triggered, this, [this, name] { runAction(name); });
            } else {
                screenActions_.insert(e.screen.toLower(), act);
                kinds_.insert(e.screen.toLower(), e.kind);
                if (!Screens::has(e.screen)) {
                    act->setEnabled(false);
                    act->setToolTip(QString::fromLatin1(kNotYet));
                }
                const QString name = e.screen;
                connect(act, &QAction::triggered, this, [this, name] { openScreen(name); });
            }
        }
        if (e.right > 0) rightActions_.insert(e.right, act);
    }
}

void MdiSSI::loadIsoMenus(int group) {
    QMenu* m = isoMenus_.value(group);
    if (!m) return;
    m->clear();
    QAction* add = m->addAction(QStringLiteral("ADD New Menu..."));
    add->setEnabled(false);
    add->setToolTip(QString::fromLatin1(kNotYet));
    try {
        QSqlDatabase iso = Db::open(QStringLiteral("tarkaISO") + Session::current().companyDb.mid(2));
        try {
            QSqlQuery q = Sql::exec(iso,
                                    QStringLiteral("select UDMenuName from UDMenuNames where SubMenuID=? order by "
                                                   "SubMenuID, ID"),
                                    {group});
            while (q.next()) {
                QAction* a = m->addAction(q.value(0).toString());
                a->setEnabled(false);
                a->setToolTip(QString::fromLatin1(kNotYet));
            }
        } catch (const DbError&) {
        }
        Db::close(iso);
    } catch (const DbError&) {
        // Without the year's document database the group simply has no entries of its own.
    }
}

void MdiSSI::popupGroup(const QString& labelName) {
    QMenu* m = menus_.value(labelName);
    QWidget* label = findChild<QLabel*>(labelName);
    if (!m || !label) return;
    for (const data::MenuGroup& g : data::menuGroups())
        if (g.label == labelName) loadIsoMenus(g.number);
    // The menu takes the mouse, so the label never hears it leave: it is told when the menu closes.
    connect(
        m, &QMenu::aboutToHide, label,
        [label] {
            label->setAttribute(Qt::WA_UnderMouse, false);
            label->update();
        },
        Qt::SingleShotConnection);
    m->popup(label->mapToGlobal(label->rect().bottomLeft()));
}

bool MdiSSI::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) {
        const QString name = o->objectName();
        if (name == QLatin1String("lblExit")) {
            close();
            return true;
        }
        if (name == QLatin1String("lblAboutUs")) {
            Dialogs::current().information(appTitle(), QStringLiteral("Kavra\nBusiness management for manufacturing, "
                                                                      "job work and subcontracting."));
            return true;
        }
        if (menus_.contains(name)) {
            popupGroup(name);
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void MdiSSI::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!activated_) {
        activated_ = true;
        firstActivation();
    }
}

void MdiSSI::firstActivation() {
    Session& s = Session::current();
    Dialogs& dlg = Dialogs::current();
    try {
        const QString reminders = House::organiserReminders(prod_.db(), s.userId, Clock::today());
        if (!reminders.isEmpty()) dlg.information(appTitle(), reminders);
        s.dcMode = prod_.LookupValue(QStringLiteral("select BookType from Misc")).toInt();
        s.invMode = prod_.LookupValue(QStringLiteral("select BookTypeInv from Misc")).toInt();
        if (auto r = Users::rights(prod_.db(), s.userId)) {
            for (int n = 1; n <= 45; ++n)
                if (!(*r)[n - 1])
                    if (QAction* a = rightActions_.value(n)) a->setEnabled(false);
        }
        for (const QString& name : StartupScreens::due(prod_.db())) Screens::open(name);
    } catch (const DbError& e) {
        prod_.LogFailure(e, objectName(), QString());
    }
}

bool MdiSSI::serverAnswers() {
    Db::Presence* p = Session::current().presence.get();
    return !p || p->connected();
}

bool MdiSSI::recoverConnection() {
    if (recovering_ || closing_) return false;
    recovering_ = true;
    Dialogs& dlg = Dialogs::current();
    Session& s = Session::current();
    dlg.critical(appTitle(), QStringLiteral("The connection to the database server was lost; perhaps the server was "
                                            "restarted.\n\nKavra connects again now and takes back the screens you "
                                            "have open. What was saved before stays saved; repeat what you were "
                                            "doing when the connection was lost."));
    QStringList lost;
    QString failure;
    for (int attempt = 0;; ++attempt) {
        try {
            failure.clear();
            if (s.presence) lost = s.presence->reconnect();
            if (!prod_.Reconnect()) throw DbError(QStringLiteral("The database server cannot be reached."));
            break;
        } catch (const DbError& e) {
            failure = e.text();
            if (!e.lost() || attempt >= kReconnectTries) break;
            QThread::msleep(1000);
        }
    }
    if (!failure.isEmpty()) {
        Db::takeLostNotice();
        dlg.critical(appTitle(), failure + QStringLiteral("\n\nKavra closes now. Start it again once the database "
                                                          "server is running."));
        serverGone_ = true;
        recovering_ = false;
        close();
        return false;
    }
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* sc = qobject_cast<Screen*>(sub->widget())) sc->prod().Reconnect();
    Db::takeLostNotice();
    // A desk that saw this one gone meanwhile may have cleared its rows: written again.
    QStringList mine{QStringLiteral("mdiSSI")};
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* sc = qobject_cast<Screen*>(sub->widget())) mine << sc->screenName();
    for (const QString& name : mine) {
        if (lost.contains(name.toLower())) continue;
        if (!prod_.RecordExists(QStringLiteral("select 1 from OnlineUsers where ScreenId=? and SysId=?"),
                                {name, s.sysId}))
            prod_.RegisterScreen(name, 3, dlg);
    }
    // A screen another desk opened meanwhile is theirs now: its holder is named, and it closes here.
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        auto* sc = qobject_cast<Screen*>(sub->widget());
        if (!sc || !lost.contains(sc->screenName().toLower())) continue;
        const QString name = sc->screenName();
        if (prod_.CheckScreenLock(name, 3, dlg) == 1) {
            QPointer<QMdiSubWindow> frame(sub);
            QTimer::singleShot(0, this, [frame] {
                if (frame) frame->close();
            });
        } else if (!prod_.RecordExists(QStringLiteral("select 1 from OnlineUsers where ScreenId=? and SysId=?"),
                                       {name, s.sysId})) {
            prod_.RegisterScreen(name, 3, dlg);
        }
    }
    recovering_ = false;
    return true;
}

bool MdiSSI::openScreen(const QString& screen) {
    Dialogs& dlg = Dialogs::current();
    // Opening on a dead connection would show nothing or open without a lock.
    if ((Db::takeLostNotice() || !serverAnswers()) && !recoverConnection()) return false;
    if (!Screens::has(screen)) {
        dlg.information(appTitle(), QString::fromLatin1(kNotYet));
        return false;
    }
    if (QMdiSubWindow* open = Screens::find(mdiArea_, screen)) {
        mdiArea_->setActiveSubWindow(open);
        open->raise();
        return true;
    }
    const data::EntryKind kind = kinds_.value(screen.toLower(), data::EntryKind::Working);
    if (kind == data::EntryKind::Working && prod_.CheckScreenLock(screen, 3, dlg) == 1) return false;
    if (kind == data::EntryKind::Working || kind == data::EntryKind::View) {
        if (!prod_.RecordExists(QStringLiteral("select 1 from OnlineUsers where ScreenId=? and SysId=?"),
                                {screen, Session::current().sysId}))
            prod_.RegisterScreen(screen, 3, dlg);
    }
    Screen* sc = Screens::create(screen);
    if (!sc) return false;
    if (!sc->load()) {
        delete sc;
        prod_.ReleaseScreen(screen, dlg);
        return false;
    }
    Screens::show(mdiArea_, sc);
    timer3_->start(500);
    return true;
}

void MdiSSI::blink() {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (!sub || !sub->widget()) return;
    for (const char* name : {"lblStatus", "cmdRGB"}) {
        if (QWidget* w = sub->widget()->findChild<QWidget*>(QString::fromLatin1(name))) {
            QSizePolicy p = w->sizePolicy();
            if (!p.retainSizeWhenHidden()) {
                p.setRetainSizeWhenHidden(true);
                w->setSizePolicy(p);
            }
            w->setVisible(!w->isVisible());
        }
    }
}

void MdiSSI::slideCaption() {
    QString t = windowTitle();
    if (slideGrowing_) {
        t += QLatin1Char(' ');
        if (++slideAdded_ >= 120) slideGrowing_ = false;
    } else {
        t.remove(0, 1);
        if (t.size() <= 50) {
            slideGrowing_ = true;
            slideAdded_ = 0;
        }
    }
    setWindowTitle(t.isEmpty() ? baseCaption_ : t);
}

void MdiSSI::runAction(const QString& action) {
    if (action == QLatin1String("compact")) compactNow();
    if (action == QLatin1String("restore")) restoreNow();
}

bool MdiSSI::alone(const QString& what, const std::function<void()>& work) {
    Dialogs& dlg = Dialogs::current();
    Session& s = Session::current();
    // Every screen holds a connection; the work needs the database to itself.
    mdiArea_->closeAllSubWindows();
    prod_.CloseCompanyDatabase();
    bool ok = s.presence && s.presence->takeAlone();
    if (!ok) {
        dlg.critical(appTitle(), QStringLiteral("Kavra is running at another workstation on this database, so it was "
                                                "not %1. Do it when every other workstation has closed Kavra.")
                                     .arg(what));
    } else {
        try {
            work();
        } catch (const DbError& e) {
            ok = false;
            dlg.critical(appTitle(), e.text());
        }
        s.presence->share();
    }
    const QString err = prod_.OpenCompanyDatabase();
    if (!err.isEmpty()) dlg.critical(appTitle(), err);
    return ok;
}

bool MdiSSI::compactNow() {
    Dialogs& dlg = Dialogs::current();
    if (!dlg.ask(appTitle(), QStringLiteral("If No other Users is Currently logged on, Then click YES and proceed...")))
        return false;
    const bool ok = alone(QStringLiteral("compacted"), [] { House::compactAll(Session::current().companyDb); });
    if (ok) dlg.information(appTitle(), QStringLiteral("Databases Successfully Compacted !!!"));
    return ok;
}

bool MdiSSI::restoreNow() {
    Dialogs& dlg = Dialogs::current();
    Session& s = Session::current();
    if (dbConfig().isPg()) {
        dlg.information(appTitle(), QStringLiteral("On a database server the copies are restored with the server's own "
                                                   "tools: see \"Restoring a backup\" in the README."));
        return false;
    }
    const QString copy =
        dlg.chooseFile(QStringLiteral("Restore the company database from a copy"),
                       QDir(dbConfig().backupFolder()).exists() ? dbConfig().backupFolder() : dbConfig().programDir,
                       QStringLiteral("Database copies (*.db)"));
    if (copy.isEmpty()) return false;
    if (!dlg.question(appTitle(),
                      QStringLiteral("Everything saved in %1 since the copy %2 was written will be replaced by the "
                                     "copy.\n\nThe current database is kept aside. Restore the copy?")
                          .arg(s.companyDb, QFileInfo(copy).fileName()),
                      true))
        return false;
    QString aside;
    const bool ok = alone(QStringLiteral("restored"), [&] { aside = Db::restore(s.companyDb, copy, Clock::now()); });
    if (ok)
        dlg.information(appTitle(),
                        QStringLiteral("The database was restored from %1.\nThe one it replaced is kept as %2.")
                            .arg(QFileInfo(copy).fileName(), QFileInfo(aside).fileName()));
    return ok;
}

void MdiSSI::closeEvent(QCloseEvent* e) {
    Dialogs& dlg = Dialogs::current();
    if (!closing_ && !serverGone_ && confirmExit_ &&
        !dlg.question(appTitle(), QStringLiteral("Do you want to Exit the 'Kavra' Software?"), true)) {
        e->ignore();
        return;
    }
    closing_ = true;
    timer1_->stop();
    timer2_->stop();
    timer3_->stop();
    Session& s = Session::current();
    if (serverGone_) {
        // Nothing can be written without the server; the holds end with the program.
        mdiArea_->closeAllSubWindows();
        prod_.CloseCompanyDatabase();
        s.presence.reset();
        e->accept();
        return;
    }
    // After a server restart nobody has told this window yet: connect again quietly, so the
    // logout is recorded and the screens' rows go.
    if (!serverAnswers() || Db::takeLostNotice()) {
        try {
            if (s.presence) s.presence->reconnect();
        } catch (const DbError&) {
        }
        prod_.Reconnect();
        for (QMdiSubWindow* sub : mdiArea_->subWindowList())
            if (auto* sc = qobject_cast<Screen*>(sub->widget())) sc->prod().Reconnect();
    }
    mdiArea_->closeAllSubWindows();
    QStringList failures;
    try {
        prod_.ReleaseScreen(QStringLiteral("mdiSSI"), dlg);
        House::recordLogout(prod_.db(), s.logId, Clock::now());
    } catch (const DbError& ex) {
        failures << ex.text();
    }
    prod_.CloseCompanyDatabase();
    s.presence.reset();
    // The copy is written while the window is already gone; the program waits for it at its end.
    House::startBackup(dbConfig().backupFolder(), s.companyDb);
    if (!failures.isEmpty()) dlg.critical(appTitle(), failures.join(QLatin1Char('\n')));
    e->accept();
}

}  // namespace kavra
