#pragma once

#include <QHash>
#include <QString>
#include <span>

// The tables behind the main window's commands: which "MENU" text names each
// command and what the tree's pop-up menus hold.
namespace CommandTable {

// The "MENU" key of every command that a menu shows.
const QHash<int, QString> &menuKeys();

// The enabling word of [setup] testmode that keeps the test-mode command.
inline constexpr char kTestModeWord[] = "zqparlin";

// One entry of a tree pop-up menu.
struct MenuEntry
{
    int command;
    const char *key;  // "MENU" key of its text
};

// The pop-up menus of the tree by their resource numbers: 142 on a list
// folder, 144 on a channel, scan-list or RX-group node, 146 on a zone.
std::span<const MenuEntry> treeMenu(int menuId);

}
