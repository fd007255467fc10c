#pragma once
// The main window's menu: twelve groups, their entries, the screen each opens and
// the right (UserRights.Rn) that governs it. The same table feeds the ViewRights rows.
#include <QString>
#include <QVector>

namespace kavra::data {

enum class EntryKind {
    Working,  // lock check, registration, then shown
    View,     // registration only
    Tool,     // shown without lock or registration
    Action,   // handled by the main window itself
    Submenu,
    IsoMenu,  // "My ISO Menus"
};

struct MenuEntry {
    QString caption;  // as shown, with & marking the access key
    QString screen;   // screen name (also the OnlineUsers ScreenId); action name for Action
    int right = 0;    // 1..48, 0 when not governed by rights
    EntryKind kind = EntryKind::Working;
    QVector<MenuEntry> children;
};

struct MenuGroup {
    int number;       // 1..12, as UDMenuNames.SubMenuID
    QString label;    // objectName of the menu-bar label
    QString caption;  // text of the label
    QString topic;    // group name in the rights list
    QVector<MenuEntry> entries;
};

const QVector<MenuGroup>& menuGroups();

struct RightRow {
    int slNo;
    QString topic;
    QString subTopic;
};
// One row per right 1..45, in order.
QVector<RightRow> rightRows();

// Caption without access-key marks ("&&" stays one "&").
QString plainCaption(const QString& caption);

// Display names of screens for the administrator's screen list; the name itself when unknown.
QString screenDisplayName(const QString& screen);

}  // namespace kavra::data
