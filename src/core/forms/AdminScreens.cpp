#include "core/forms/AdminScreens.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Refusal.h"
#include "core/Sql.h"
#include "core/Users.h"
#include "data/Menu.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    return makeButton(parent, name, caption);
}

// A label that acts on a click.
class ClickLabel : public QLabel {
  public:
    ClickLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
        setStyleSheet(QStringLiteral("color: #1f4f9f; text-decoration: underline;"));
    }

  protected:
    void mousePressEvent(QMouseEvent*) override { onClick_(); }

  private:
    std::function<void()> onClick_;
};

QString sysText(clsProd& p, const char* col, const QVariant& sysId) {
    return p.LookupText(QStringLiteral("select %1 from ImpSystems where SysId=?").arg(QString::fromLatin1(col)),
                        {sysId});
}

}  // namespace

// ---------------------------------------------------------------- users

FrmUserEntry::FrmUserEntry() : Screen(QStringLiteral("frmUserEntry")) {
    setWindowTitle(paddedCaption(QStringLiteral("MASTER - Admin")));
    txtUserId_ = new QLineEdit(this);
    txtUserId_->setObjectName(QStringLiteral("txtUserId"));
    txtUserId_->setReadOnly(true);
    txtUserName_ = new QLineEdit(this);
    txtUserName_->setObjectName(QStringLiteral("txtUserName"));
    txtUserName_->setMaxLength(50);
    txtUserPassword_ = new QLineEdit(this);
    txtUserPassword_->setObjectName(QStringLiteral("txtUserPassword"));
    txtUserPassword_->setEchoMode(QLineEdit::Password);
    txtConfmPwd_ = new QLineEdit(this);
    txtConfmPwd_->setObjectName(QStringLiteral("txtConfmPwd"));
    txtConfmPwd_->setEchoMode(QLineEdit::Password);
    lstNames_ = new QListWidget(this);
    lstNames_->setObjectName(QStringLiteral("lstNames"));
    lblStatus_ = makeStatusLabel(this);
    auto* pwd = new ClickLabel(QStringLiteral("Show Password"), this, [this] {
        const bool show = txtUserPassword_->echoMode() == QLineEdit::Password;
        txtUserPassword_->setEchoMode(show ? QLineEdit::Normal : QLineEdit::Password);
        txtConfmPwd_->setEchoMode(show ? QLineEdit::Normal : QLineEdit::Password);
        lblPwd_->setText(show ? QStringLiteral("Hide Password") : QStringLiteral("Show Password"));
    });
    lblPwd_ = pwd;
    lblPwd_->setObjectName(QStringLiteral("lblPwd"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("User Id"), txtUserId_);
    form->addRow(QStringLiteral("User Name"), txtUserName_);
    form->addRow(QStringLiteral("Password"), txtUserPassword_);
    form->addRow(QStringLiteral("Confirm Password"), txtConfmPwd_);
    form->addRow(QString(), lblPwd_);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("List of Available Users:"), this));
    right->addWidget(lstNames_);
    auto* top = new QHBoxLayout;
    auto* fbox = new QGroupBox(QStringLiteral("User"), this);
    fbox->setLayout(form);
    top->addWidget(fbox, 3);
    top->addLayout(right, 2);

    auto* buttons = new QHBoxLayout;
    auto* bNew = button(this, "cmdNew", QStringLiteral("&New"));
    auto* bSave = button(this, "cmdSave", QStringLiteral("&Save"));
    auto* bDel = button(this, "cmdDelete", QStringLiteral("&Delete"));
    auto* bFirst = button(this, "cmdFirst", QStringLiteral("|<"));
    auto* bPrev = button(this, "cmdPrevious", QStringLiteral("<"));
    auto* bNext = button(this, "cmdNext", QStringLiteral(">"));
    auto* bLast = button(this, "cmdLast", QStringLiteral(">|"));
    auto* bClose = button(this, "cmdClose", QStringLiteral("&CLOSE"));
    for (auto* b : {bNew, bSave, bDel}) buttons->addWidget(b);
    buttons->addStretch();
    for (auto* b : {bFirst, bPrev, bNext, bLast}) {
        b->setFixedWidth(40);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(bClose);

    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(lblStatus_);
    v->addLayout(buttons);
    resize(640, 340);

    connect(bNew, &QPushButton::clicked, this, &FrmUserEntry::cmdNew);
    connect(bSave, &QPushButton::clicked, this, &FrmUserEntry::cmdSave);
    connect(bDel, &QPushButton::clicked, this, &FrmUserEntry::cmdDelete);
    connect(bFirst, &QPushButton::clicked, this, [this] { move(-1, true); });
    connect(bPrev, &QPushButton::clicked, this, [this] { move(-1); });
    connect(bNext, &QPushButton::clicked, this, [this] { move(1); });
    connect(bLast, &QPushButton::clicked, this, [this] { move(1, true); });
    connect(bClose, &QPushButton::clicked, this, &QWidget::close);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) { showUser(it->text()); });
}

bool FrmUserEntry::load() {
    if (!Screen::load()) return false;
    fillList();
    if (!ids_.isEmpty()) move(-1, true);
    return true;
}

void FrmUserEntry::setStatus(const QString& s) {
    lblStatus_->setText(s);
}

void FrmUserEntry::fillList() {
    lstNames_->clear();
    ids_.clear();
    try {
        QSqlQuery q = Sql::exec(prod().db(), QStringLiteral("select UserName from User1 order by UserName"));
        while (q.next()) lstNames_->addItem(q.value(0).toString());
        QSqlQuery ids = Sql::exec(prod().db(), QStringLiteral("select UserId from User1 order by UserId"));
        while (ids.next()) ids_ << ids.value(0).toLongLong();
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmUserEntry::cmdNew() {
    adding_ = true;
    setStatus(QStringLiteral("You are about to ADD a NEW User Now..."));
    txtUserId_->setText(QString::number(Users::proposedId(prod().db())));
    txtUserName_->clear();
    txtUserPassword_->clear();
    txtConfmPwd_->clear();
    txtUserName_->setFocus();
}

void FrmUserEntry::showUser(const QString& name) {
    try {
        QSqlQuery q =
            Sql::exec(prod().db(), QStringLiteral("select UserId, UserName from User1 where UserName=?"), {name});
        if (!q.next()) return;
        adding_ = false;
        txtUserId_->setText(q.value(0).toString());
        txtUserName_->setText(q.value(1).toString());
        // Stored passwords cannot be shown; a change asks for the password again.
        txtUserPassword_->clear();
        txtConfmPwd_->clear();
        pos_ = ids_.indexOf(q.value(0).toLongLong());
        setStatus(QStringLiteral("You are about to MODIFY the existing User Data Now..."));
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmUserEntry::move(int delta, bool toEnd) {
    if (ids_.isEmpty()) return;
    if (toEnd)
        pos_ = delta < 0 ? 0 : int(ids_.size()) - 1;
    else
        pos_ = std::clamp(pos_ + delta, 0, int(ids_.size()) - 1);
    const QString name = prod().LookupText(QStringLiteral("select UserName from User1 where UserId=?"), {ids_[pos_]});
    showUser(name);
}

void FrmUserEntry::cmdSave() {
    Dialogs& dlg = Dialogs::current();
    qint64 id = txtUserId_->text().toLongLong();
    if (id == 0) {
        dlg.critical(appTitle(), QStringLiteral("Press New to add a user, or choose one from the list."));
        return;
    }
    try {
        if (auto p = Users::validate(prod().db(), id, txtUserName_->text(), txtUserPassword_->text(),
                                     txtConfmPwd_->text())) {
            dlg.critical(appTitle(), p->text);
            if (p->field == Users::Problem::Password) {
                txtUserPassword_->setFocus();
                txtUserPassword_->selectAll();
            } else {
                txtUserName_->setFocus();
            }
            return;
        }
        const QString verb = adding_ ? QStringLiteral("Save") : QStringLiteral("Modify");
        if (!dlg.ask(appTitle(), QStringLiteral("Are You Sure To ") + verb + QStringLiteral("?"))) return;
        const QString name = txtUserName_->text().trimmed();
        if (adding_) {
            id = Users::add(prod().db(), id, name, txtUserPassword_->text());
            txtUserId_->setText(QString::number(id));
            dlg.information(appTitle(),
                            QStringLiteral("Records Saved!\n\nDon't forget to set rights for the new User: \n") + name +
                                QStringLiteral("\nTo set rights go to menu Master --> Admin --> UserRights"));
        } else {
            Users::modify(prod().db(), id, name, txtUserPassword_->text());
            dlg.information(appTitle(), QStringLiteral("Records Modified!"));
        }
        adding_ = false;
        fillList();
        pos_ = ids_.indexOf(id);
        txtUserPassword_->clear();
        txtConfmPwd_->clear();
        setStatus(QStringLiteral("You are about to MODIFY the existing User now..."));
    } catch (const Refused& r) {
        // The same name saved meanwhile at another desk.
        dlg.critical(appTitle(), r.text());
        txtUserName_->setFocus();
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmUserEntry::cmdDelete() {
    Dialogs& dlg = Dialogs::current();
    const qint64 id = txtUserId_->text().toLongLong();
    if (id == 0 || adding_) return;
    const QString refusal = Users::deleteRefusal(id, txtUserName_->text());
    if (!refusal.isEmpty()) {
        dlg.critical(appTitle(), refusal);
        return;
    }
    setStatus(QStringLiteral("You are about to DELETE the existing User now..."));
    if (!dlg.ask(appTitle(), QStringLiteral("Are You Sure To Delete ?"))) return;
    try {
        Users::remove(prod().db(), id);
        dlg.information(appTitle(), QStringLiteral("Records Deleted."));
        txtUserId_->clear();
        txtUserName_->clear();
        fillList();
        pos_ = -1;
        setStatus(QString());
    } catch (const DbError& e) {
        logFailure(e);
    }
}

// ---------------------------------------------------------------- rights

FrmUserRights::FrmUserRights() : Screen(QStringLiteral("frmUserRights")) {
    setWindowTitle(paddedCaption(QStringLiteral("MASTER - ADMIN - USER RIGHTS")));
    lstUsers_ = new QListWidget(this);
    lstUsers_->setObjectName(QStringLiteral("lstUsers"));
    msflex_ = makeListGrid(QStringLiteral("msflex"),
                           QStringLiteral(" Topic                                      | Sub Topic                 "
                                          "              | Enable ? "),
                           this);
    msflex_->setSelectionBehavior(QAbstractItemView::SelectItems);
    msflex_->horizontalHeader()->setStretchLastSection(false);
    msflex_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto* hint = new QLabel(QStringLiteral("Click with the mouse to enable/disable  the sub-Topic (Click on "
                                           "'Enabled?' Column )"),
                            this);
    hint->setObjectName(QStringLiteral("lblHint"));
    hint->setStyleSheet(QStringLiteral("color: #555;"));
    auto* save = button(this, "cmdModify", QStringLiteral("&Save"));
    auto* close = button(this, "cmdClose", QStringLiteral("&CLOSE"));
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Users:"), this));
    left->addWidget(lstUsers_);
    auto* h = new QHBoxLayout;
    h->addLayout(left, 1);
    h->addWidget(msflex_, 4);
    auto* b = new QHBoxLayout;
    b->addWidget(hint, 1);
    b->addWidget(save);
    b->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addLayout(h);
    v->addLayout(b);
    resize(860, 560);
    connect(lstUsers_, &QListWidget::currentRowChanged, this, &FrmUserRights::selectUser);
    connect(msflex_, &QTableWidget::cellClicked, this, [this](int r, int c) {
        if (c == 2) toggle(r);
    });
    connect(save, &QPushButton::clicked, this, &FrmUserRights::cmdModify);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

bool FrmUserRights::load() {
    if (!Screen::load()) return false;
    try {
        QSqlQuery u =
            Sql::exec(prod().db(), QStringLiteral("select UserId, UserName from User1 where UserId>1 order by "
                                                  "UserName"));
        while (u.next()) {
            auto* it = new QListWidgetItem(u.value(1).toString(), lstUsers_);
            it->setData(Qt::UserRole, u.value(0));
        }
        QSqlQuery r = Sql::exec(prod().db(), QStringLiteral("select Topic, SubTopic from ViewRights order by slNo"));
        int row = 0;
        while (r.next()) {
            msflex_->insertRow(row);
            setCell(msflex_, row, 0, r.value(0).toString());
            setCell(msflex_, row, 1, r.value(1).toString());
            setCell(msflex_, row, 2, QString());
            msflex_->item(row, 2)->setTextAlignment(Qt::AlignCenter);
            ++row;
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    return true;
}

void FrmUserRights::selectUser(int row) {
    QListWidgetItem* it = lstUsers_->item(row);
    if (!it) return;
    userId_ = it->data(Qt::UserRole).toLongLong();
    const auto rights = Users::rights(prod().db(), userId_);
    for (int r = 0; r < msflex_->rowCount(); ++r)
        setTick(msflex_->item(r, 2), rights && r < rights->size() && (*rights)[r]);
}

void FrmUserRights::toggle(int row) {
    if (userId_ != 0) toggleTick(msflex_->item(row, 2));
}

void FrmUserRights::cmdModify() {
    Dialogs& dlg = Dialogs::current();
    if (userId_ == 0) {
        dlg.critical(appTitle(), QStringLiteral("Select a user from the list first."));
        return;
    }
    QVector<bool> r;
    for (int row = 0; row < msflex_->rowCount(); ++row) r << isTicked(msflex_->item(row, 2));
    try {
        if (Users::storeRights(prod().db(), userId_, r))
            dlg.information(appTitle(), QStringLiteral("Data Stored Successfully..."));
        else
            dlg.critical(appTitle(), QStringLiteral("This user has no rights record; nothing was changed."));
    } catch (const DbError& e) {
        logFailure(e);
    }
}

// ---------------------------------------------------------------- online users

QList<QPair<qint64, qint64>> fillOnlineGrid(clsProd& prod, QTableWidget* grid) {
    QList<QPair<qint64, qint64>> out;
    grid->setRowCount(0);
    QSqlQuery q =
        Sql::exec(prod.db(), QStringLiteral("select DateT, UserId, SysId from OnlineUsers where Id in (select "
                                            "max(Id) from OnlineUsers group by SysId, UserId) order by Id"));
    int row = 0;
    while (q.next()) {
        grid->insertRow(row);
        setCell(grid, row, 0, QString::number(row + 1));
        setCell(grid, row, 1, Db::toDateTime(q.value(0)).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
        setCell(grid, row, 2,
                prod.LookupText(QStringLiteral("select UserName from User1 where UserId=?"), {q.value(1)}));
        setCell(grid, row, 3, sysText(prod, "SysName", q.value(2)));
        setCell(grid, row, 4, sysText(prod, "SysIP", q.value(2)));
        out << qMakePair(q.value(1).toLongLong(), q.value(2).toLongLong());
        ++row;
    }
    return out;
}

namespace {
const char* kOnlineHeading =
    "Sl No|Date                                 |User Name                         |System Name                      "
    "|System Ip Address";
}

FrmViewImpSys::FrmViewImpSys() : Screen(QStringLiteral("frmViewImpSys")) {
    setWindowTitle(QStringLiteral("VIEW - ONLINE USERS"));
    msflexSys_ = makeListGrid(
        QStringLiteral("msflexSys"),
        QStringLiteral("Sl No|Imp. Date                   |System Name                |System IP         "), this);
    msflexOnline_ = makeListGrid(QStringLiteral("msflexOnline"), QString::fromLatin1(kOnlineHeading), this);
    auto* refresh = button(this, "cmdRefresh", QStringLiteral("&Refresh"));
    auto* close = button(this, "cmdClose", QStringLiteral("&CLOSE"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QStringLiteral("WORKSTATIONS"), this));
    v->addWidget(msflexSys_);
    v->addWidget(new QLabel(QStringLiteral("ONLINE USERS"), this));
    v->addWidget(msflexOnline_);
    auto* hint = new QLabel(QStringLiteral("Double-click an online user to see the screens held."), this);
    hint->setStyleSheet(QStringLiteral("color: #555;"));
    auto* b = new QHBoxLayout;
    b->addWidget(hint, 1);
    b->addWidget(refresh);
    b->addWidget(close);
    v->addLayout(b);
    resize(860, 560);
    connect(refresh, &QPushButton::clicked, this, &FrmViewImpSys::refresh);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(msflexOnline_, &QTableWidget::cellDoubleClicked, this, [this](int r, int) { openUserScreens(r); });
}

bool FrmViewImpSys::load() {
    if (!Screen::load()) return false;
    refresh();
    return true;
}

void FrmViewImpSys::refresh() {
    try {
        msflexSys_->setRowCount(0);
        QSqlQuery q =
            Sql::exec(prod().db(), QStringLiteral("select SysDateT, SysName, SysIP from ImpSystems order by SysId"));
        int row = 0;
        while (q.next()) {
            msflexSys_->insertRow(row);
            setCell(msflexSys_, row, 0, QString::number(row + 1));
            setCell(msflexSys_, row, 1, Db::toDateTime(q.value(0)).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
            setCell(msflexSys_, row, 2, q.value(1).toString());
            setCell(msflexSys_, row, 3, q.value(2).toString());
            ++row;
        }
        online_ = fillOnlineGrid(prod(), msflexOnline_);
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmViewImpSys::openUserScreens(int row) {
    if (row < 0 || row >= online_.size()) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    auto* screens = new FrmViewUserScreens(online_[row].first, online_[row].second);
    if (!screens->load()) {
        delete screens;
        return;
    }
    if (area) {
        Screens::show(area, screens);
    } else {
        screens->show();
    }
}

FrmViewUserScreens::FrmViewUserScreens(qint64 userId, qint64 sysId)
    : Screen(QStringLiteral("frmViewUserScreens")), userId_(userId), sysId_(sysId) {
    setWindowTitle(QStringLiteral("USER SCREENS"));
    lblUser_ = new QLabel(this);
    lblUser_->setObjectName(QStringLiteral("lblUser"));
    lblSysName_ = new QLabel(this);
    lblSysName_->setObjectName(QStringLiteral("lblSysName"));
    lblSysIP_ = new QLabel(this);
    lblSysIP_->setObjectName(QStringLiteral("lblSysIP"));
    msflexOnline_ = makeListGrid(QStringLiteral("msflexOnline"), QString::fromLatin1(kOnlineHeading), this);
    msflexScreens_ =
        makeListGrid(QStringLiteral("msflexScreens"),
                     QStringLiteral("Sl No|Date & Time          |Screen Name                       "), this);
    auto* unlock = button(this, "cmdUnlock", QStringLiteral("&UNLOCK"));
    auto* close = button(this, "cmdClose", QStringLiteral("&CLOSE"));
    auto* info = new QFormLayout;
    info->addRow(QStringLiteral("User Name :"), lblUser_);
    info->addRow(QStringLiteral("System Name :"), lblSysName_);
    info->addRow(QStringLiteral("System IP :"), lblSysIP_);
    auto* v = new QVBoxLayout(this);
    v->addLayout(info);
    v->addWidget(new QLabel(QStringLiteral("ONLINE USERS"), this));
    v->addWidget(msflexOnline_);
    v->addWidget(new QLabel(QStringLiteral("SCREENS HELD"), this));
    v->addWidget(msflexScreens_);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(unlock);
    b->addWidget(close);
    v->addLayout(b);
    resize(820, 560);
    connect(unlock, &QPushButton::clicked, this, &FrmViewUserScreens::cmdUnlock);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

bool FrmViewUserScreens::load() {
    if (!Screen::load()) return false;
    refresh();
    return true;
}

void FrmViewUserScreens::refresh() {
    try {
        lblUser_->setText(prod().LookupText(QStringLiteral("select UserName from User1 where UserId=?"), {userId_}));
        lblSysName_->setText(sysText(prod(), "SysName", sysId_));
        lblSysIP_->setText(sysText(prod(), "SysIP", sysId_));
        fillOnlineGrid(prod(), msflexOnline_);
        msflexScreens_->setRowCount(0);
        QSqlQuery q = Sql::exec(prod().db(),
                                QStringLiteral("select DateT, ScreenId from OnlineUsers where UserId=? and SysId=? and "
                                               "ScreenId<>'mdiSSI' order by Id"),
                                {userId_, sysId_});
        int row = 0;
        while (q.next()) {
            msflexScreens_->insertRow(row);
            setCell(msflexScreens_, row, 0, QString::number(row + 1));
            setCell(msflexScreens_, row, 1, Db::toDateTime(q.value(0)).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
            setCell(msflexScreens_, row, 2, data::screenDisplayName(q.value(1).toString()));
            ++row;
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmViewUserScreens::cmdUnlock() {
    Dialogs& dlg = Dialogs::current();
    if (!dlg.ask(appTitle(), QStringLiteral("Are u sure to release the log for the User : ") + lblUser_->text() +
                                 QStringLiteral(" ?")))
        return;
    try {
        prod().ExecuteSql(QStringLiteral("delete from OnlineUsers where UserId=? and SysId=?"), {userId_, sysId_});
    } catch (const DbError& e) {
        logFailure(e);
    }
    refresh();
}

void registerAdminScreens() {
    Screens::add(QStringLiteral("frmUserEntry"), [] { return new FrmUserEntry; });
    Screens::add(QStringLiteral("frmUserRights"), [] { return new FrmUserRights; });
    Screens::add(QStringLiteral("frmViewImpSys"), [] { return new FrmViewImpSys; });
}

}  // namespace kavra
