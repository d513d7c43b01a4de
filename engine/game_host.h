// Everything the engine asks of the window, the timer, the sounds and the
// message boxes.  The Win32 shell implements it; tests record it.
#pragma once
#include <cstdint>

enum TableButton : int32_t {
    HoldButton0 = 0,    // HoldButton0 + slot for the five hold buttons
    CoinButton = 5,
    MaxButton = 6,
    DealButton = 7,
};

class GameHost {
public:
    virtual void DrawCard(int slot) = 0;
    virtual void DrawAllCards() = 0;
    virtual void DrawMeters() = 0;
    // Message line from a string-table number, or from a formatted text.
    virtual void ShowMessage(int stringId) = 0;
    virtual void ShowMessageText(const char* text) = 0;
    virtual void StartMessageFlash() = 0;
    virtual void StopMessageFlash() = 0;
    virtual bool IsMessageFlashing() = 0;
    virtual void FlashMessageLine() = 0;
    virtual void EnableButton(TableButton button, bool enable) = 0;
    virtual void SetButtonCaption(TableButton button, const char* caption) = 0;
    virtual void StartTableTimer(unsigned intervalMs) = 0;
    virtual void KillTableTimer() = 0;
    // Update the menus and redraw the menu bar.
    virtual void UpdateMenus() = 0;
    virtual void PostDealCommand() = 0;
    virtual void ShowBustedBox() = 0;
    virtual void ShowBankBox() = 0;
    virtual bool AskClearStatistics() = 0;
    virtual void ShowJackpotScreen() = 0;
    // Asynchronous effect (obeys Sound) and play-to-the-end (does not).
    virtual void PlaySoundEffect(const char* name) = 0;
    virtual void PlayWaveSync(const char* name) = 0;
    virtual int64_t CurrentTimeSeconds() = 0;

protected:
    ~GameHost() = default;
};

// The engine calls the host set here; without one every request is dropped,
// which only tests of single steps rely on.
void SetGameHost(GameHost* host);
GameHost* CurrentGameHost();
