// The Windows side of the command table: the dialogs and boxes it opens, the
// menu states it sets from the shared rules, the right-click menu and the
// window's shutdown.
#include <windows.h>

#include "dialogs/win32/dialogs.h"
#include "presentation/win32/sound.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"
#include "shell/command_table.h"
#include "shell/win32/commands.h"
#include "shell/menu_rules.h"
#include "shell/win32/status_line.h"

namespace {

UINT BoxStyle(const MessageBoxText& box) {
    UINT style = box.buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK;
    switch (box.icon) {
    case BoxIcon::Question: style |= MB_ICONQUESTION; break;
    case BoxIcon::Warning: style |= MB_ICONWARNING; break;
    case BoxIcon::Information: style |= MB_ICONINFORMATION; break;
    case BoxIcon::None: break;
    }
    return style;
}

class Win32ShellHost : public ShellHost {
public:
    void ShowDialog(GameDialog dialog) override {
        HWND owner = gShell.mainWindow;
        switch (dialog) {
        case GameDialog::Help: ShowHelpDialog(owner); break;
        case GameDialog::About: ShowAboutDialog(owner); break;
        case GameDialog::Options: ShowOptionsDialog(owner); break;
        case GameDialog::Payoff: ShowPayoffDialog(owner); break;
        case GameDialog::Statistics: ShowStatisticsDialog(); break;
        }
    }
    bool ShowMessageBox(const MessageBoxText& box) override {
        return ShowGameMessageBox(gShell.mainWindow, box) == IDYES;
    }
    void ShowStatusText(const char* text) override { ::ShowStatusText(gShell.mainWindow, text); }
    void RequestClose() override { SendMessageA(gShell.mainWindow, WM_CLOSE, 0, 0); }
    void SaveSettings() override { ::SaveSettings(); }
    void StopHeldSound() override {
        if (!HeldSound) return;
        StopWave(HeldSound);
        HeldSound = nullptr;
    }
};

Win32ShellHost gWin32ShellHost;

}  // namespace

void InstallWin32ShellHost() { SetShellHost(&gWin32ShellHost); }

int ShowGameMessageBox(HWND owner, const MessageBoxText& box) {
    char text[256] = "";
    if (box.text)
        lstrcpynA(text, box.text, sizeof text);
    else
        LoadStringA(gShell.instance, box.stringId, text, sizeof text);
    return MessageBoxA(owner, text, box.caption, BoxStyle(box));
}

void RunCommand(HWND, int command) { RunCommand(command); }

void UpdateMenus() {
    HMENU menu = GetMenu(gShell.mainWindow);
    if (!menu) return;
    for (int i = 0; i < kRuledMenuCommandCount; ++i) {
        const UINT command = static_cast<UINT>(kRuledMenuCommands[i]);
        const MenuItemState state = MainMenuItemState(command);
        if (MenuItemCheckable(command))
            CheckMenuItem(menu, command, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
        else
            EnableMenuItem(menu, command,
                           MF_BYCOMMAND | (state.greyed ? MF_GRAYED | MF_DISABLED : MF_ENABLED));
    }
}

void UpdateMenusAndBar() {
    UpdateMenus();
    DrawMenuBar(gShell.mainWindow);
}

// Nothing on this menu is greyed: the commands' own guards decide.
void ShowTableMenu(HWND window, POINT screenPoint) {
    TableMenuItem items[kTableMenuItemCount];
    TableMenuItems(items);
    HMENU menu = CreatePopupMenu();
    for (const TableMenuItem& item : items) {
        if (item.text)
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text);
        else
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, window, nullptr);
    DestroyMenu(menu);
}

LRESULT CloseMainWindow(HWND window) {
    if (!CloseMainWindowRequested()) return 1;
    DeleteObject(gShell.BigFont);
    DeleteObject(gShell.ButtonFont);
    DeleteObject(gShell.MessageFont);
    DeleteObject(gShell.TableBrush);
    gShell.BigFont = gShell.ButtonFont = gShell.MessageFont = nullptr;
    gShell.TableBrush = nullptr;
    DestroyWindow(window);
    return 0;
}
