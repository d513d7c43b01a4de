// The engine's requests carried out on the main window: drawing, the
// buttons, timer 6, the menus, the message boxes, the sounds and the clock.
#include <windows.h>

#include <ctime>

#include "engine/deck.h"
#include "engine/game_host.h"
#include "presentation/win32/bitmaps.h"
#include "presentation/win32/sound.h"
#include "presentation/win32/table.h"
#include "resources/resource_ids.h"
#include "shell/win32/app_shell.h"
#include "shell/win32/commands.h"

namespace {

HWND ButtonWindow(TableButton button) {
    switch (button) {
    case CoinButton: return gShell.coinButton;
    case MaxButton: return gShell.maxButton;
    case DealButton: return gShell.dealButton;
    default: break;
    }
    int slot = button - HoldButton0;
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return static_cast<HWND>(gSlots[slot].button);
}

class Win32GameHost : public GameHost {
public:
    void DrawCard(int slot) override { ::DrawCard(slot); }
    void DrawAllCards() override { ::DrawAllCards(); }
    void DrawMeters() override { DrawReadouts(); }
    void ShowMessage(int stringId) override { LoadMessage(stringId); }

    void ShowMessageText(const char* text) override {
        lstrcpynA(MessageText, text, sizeof MessageText);
        DrawMessageLine();
    }

    void StartMessageFlash() override { ::StartMessageFlash(); }
    void StopMessageFlash() override { ::StopMessageFlash(); }
    bool IsMessageFlashing() override { return FlashCount != 0; }
    void FlashMessageLine() override { ::FlashMessageLine(); }

    void EnableButton(TableButton button, bool enable) override {
        EnableWindow(ButtonWindow(button), enable ? TRUE : FALSE);
    }

    void SetButtonCaption(TableButton button, const char* caption) override {
        SetWindowTextA(ButtonWindow(button), caption);
    }

    void StartTableTimer(unsigned intervalMs) override {
        SetTimer(gShell.mainWindow, IDT_TABLE_TIMER, intervalMs, nullptr);
    }

    void KillTableTimer() override { KillTimer(gShell.mainWindow, IDT_TABLE_TIMER); }
    void UpdateMenus() override { UpdateMenusAndBar(); }

    void PostDealCommand() override { PostMessageA(gShell.mainWindow, WM_COMMAND, IDM_DEAL, 0); }

    void ShowBustedBox() override { ShowGameMessageBox(gShell.mainWindow, kBustedBox); }
    void ShowBankBox() override { ShowGameMessageBox(gShell.mainWindow, kBankBox); }

    bool AskClearStatistics() override {
        return ShowGameMessageBox(gShell.mainWindow, kClearStatisticsQuestion) == IDYES;
    }

    void ShowJackpotScreen() override { ::ShowJackpotScreen(); }
    void PlaySoundEffect(const char* name) override { ::PlaySoundEffect(name); }
    void PlayWaveSync(const char* name) override { ::PlayWaveSync(gShell.instance, name); }
    int64_t CurrentTimeSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }
};

Win32GameHost gWin32Host;

}  // namespace

void InstallWin32GameHost() { SetGameHost(&gWin32Host); }
