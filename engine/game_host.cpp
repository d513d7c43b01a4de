#include "engine/game_host.h"

#include <ctime>

namespace {

// Used while no window is there: every request is dropped, the clear
// question is answered No so nothing is lost unasked, and the clock is real
// so that dealing still differs from second to second.
class SilentHost final : public GameHost {
public:
    void DrawCard(int) override {}
    void DrawAllCards() override {}
    void DrawMeters() override {}
    void ShowMessage(int) override {}
    void ShowMessageText(const char*) override {}
    void StartMessageFlash() override {}
    void StopMessageFlash() override {}
    bool IsMessageFlashing() override { return false; }
    void FlashMessageLine() override {}
    void EnableButton(TableButton, bool) override {}
    void SetButtonCaption(TableButton, const char*) override {}
    void StartTableTimer(unsigned) override {}
    void KillTableTimer() override {}
    void UpdateMenus() override {}
    void PostDealCommand() override {}
    void ShowBustedBox() override {}
    void ShowBankBox() override {}
    bool AskClearStatistics() override { return false; }
    void ShowJackpotScreen() override {}
    void PlaySoundEffect(const char*) override {}
    void PlayWaveSync(const char*) override {}
    int64_t CurrentTimeSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }
};

SilentHost gSilentHost;
GameHost* gHost = &gSilentHost;

}  // namespace

void SetGameHost(GameHost* host) { gHost = host != nullptr ? host : &gSilentHost; }

GameHost* CurrentGameHost() { return gHost; }
