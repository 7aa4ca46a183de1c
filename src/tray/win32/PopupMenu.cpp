#include "tray/win32/PopupMenu.h"

namespace kob {

namespace {

constexpr UINT kFirstMenuId = 100;

} // namespace

UINT MenuIdOf(MenuCommand command) {
    return command == MenuCommand::None ? 0 : kFirstMenuId + static_cast<UINT>(command);
}

MenuCommand CommandOfMenuId(UINT id) {
    for (const MenuLine& line : kTrayMenu) {
        if (line.command != MenuCommand::None && MenuIdOf(line.command) == id) {
            return line.command;
        }
    }
    return MenuCommand::None;
}

HMENU BuildTrayMenu() {
    HMENU menu = CreatePopupMenu();
    if (!menu) {
        return nullptr;
    }
    for (const MenuLine& line : kTrayMenu) {
        if (line.command == MenuCommand::None) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, MF_STRING, MenuIdOf(line.command), line.caption);
        }
    }
    SetMenuDefaultItem(menu, MenuIdOf(MenuCommand::Exit), FALSE);
    return menu;
}

} // namespace kob
