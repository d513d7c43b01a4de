// Which main-menu items are greyed and which checked, and the right-click
// menu: the rules both the Windows shell and the page show.  Portable.
#pragma once

struct MenuItemState {
    bool greyed;
    bool checked;
};

// The commands whose state the rules set; every other item is always
// enabled and never checked.
extern const int kRuledMenuCommands[];
extern const int kRuledMenuCommandCount;
// Whether the item of this command carries a check mark at all.
bool MenuItemCheckable(int command);

// The state of the main menu's item for `command` now, from the round, the
// credits, the settings and the New-received flag, the rules applied in
// their order with a later one overriding an earlier one.
MenuItemState MainMenuItemState(int command);

// The right-click menu, built afresh each time: its items in order, a
// separator with no text.  Nothing on it is greyed or checked.
struct TableMenuItem {
    const char* text;   // nullptr: a separator
    int command;
};
constexpr int kTableMenuItemCount = 11;
void TableMenuItems(TableMenuItem items[kTableMenuItemCount]);
