#include "web/core/web_host.h"

#include "engine/deck.h"
#include "presentation/message_flash.h"
#include "presentation/table_look.h"
#include "resources/resource_ids.h"
#include "shell/command_table.h"
#include "web/core/web_imports.h"

namespace {

constexpr int kButtonCount = DealButton + 1;
bool gEnabled[kButtonCount];

class WebMessageLine : public MessageLineSurface {
public:
    void DrawMessageLine() override { WebDrawMessageLine(); }
    void InvertMessageLine() override { WebInvertMessageLine(); }
    void StartTableTimer(unsigned intervalMs) override { WebStartTimer(intervalMs); }
    void KillTableTimer() override { WebKillTimer(); }
};

WebMessageLine gMessageLine;

int AskBox(const MessageBoxText& box) {
    return WebMessageBox(box.text, box.stringId, box.caption, static_cast<int>(box.icon),
                         static_cast<int>(box.buttons));
}

class WebGameHost final : public GameHost {
public:
    void DrawCard(int slot) override {
        char picture[32];
        CardPictureName(slot, picture, sizeof picture);
        WebDrawCard(slot, picture);
    }
    void DrawAllCards() override {
        for (int slot = 0; slot < kSlotCount; ++slot) DrawCard(slot);
    }
    void DrawMeters() override {
        char coins[48];
        char credits[48];
        FormatCoinsReadout(coins, sizeof coins);
        FormatCreditsReadout(credits, sizeof credits);
        WebDrawMeters(coins, credits);
    }
    void ShowMessage(int stringId) override { WebShowMessageId(stringId); }
    void ShowMessageText(const char* text) override { WebShowMessageText(text); }
    void StartMessageFlash() override { StartMessageFlashOn(gMessageLine); }
    void StopMessageFlash() override { StopMessageFlashOn(gMessageLine); }
    bool IsMessageFlashing() override { return FlashCount != 0; }
    void FlashMessageLine() override { FlashMessageLineOn(gMessageLine); }
    void EnableButton(TableButton button, bool enable) override {
        if (button < 0 || button >= kButtonCount) return;
        gEnabled[button] = enable;
        WebEnableButton(button, enable ? 1 : 0);
    }
    void SetButtonCaption(TableButton button, const char* caption) override {
        WebSetCaption(button, caption);
    }
    void StartTableTimer(unsigned intervalMs) override { WebStartTimer(intervalMs); }
    void KillTableTimer() override { WebKillTimer(); }
    void UpdateMenus() override { WebUpdateMenus(); }
    void PostDealCommand() override { WebPostCommand(IDM_DEAL); }
    void ShowBustedBox() override { AskBox(kBustedBox); }
    void ShowBankBox() override { AskBox(kBankBox); }
    bool AskClearStatistics() override { return AskBox(kClearStatisticsQuestion) != 0; }
    void ShowJackpotScreen() override { WebJackpot(); }
    // Sound off plays nothing; an effect cuts off the one before (the page
    // holds one at a time).
    void PlaySoundEffect(const char* name) override {
        if (gSettings.Sound != 0) WebPlayEffect(name);
    }
    void PlayWaveSync(const char* name) override { WebPlaySync(name); }
    int64_t CurrentTimeSeconds() override { return static_cast<int64_t>(WebTimeSeconds()); }
};

class WebShellHost final : public ShellHost {
public:
    void ShowDialog(GameDialog dialog) override { ShowWebDialog(dialog); }
    bool ShowMessageBox(const MessageBoxText& box) override { return AskBox(box) != 0; }
    void ShowStatusText(const char* text) override { WebStatusText(text); }
    // As the close box: the shutdown's questions, then the closing screen.
    void RequestClose() override {
        if (CloseMainWindowRequested()) WebClosed();
    }
    void SaveSettings() override { SaveSettingsTo(WebSettingsStore()); }
    void StopHeldSound() override { WebStopSound(); }
};

class WebStorage final : public ProfileStore {
public:
    int32_t ReadInt(const char* key, int32_t defaultValue) override {
        char value[64];
        if (WebProfileRead(key, value, sizeof value) < 0) return defaultValue;
        return ProfileValue(value, defaultValue);
    }
    void WriteString(const char* key, const char* value) override { WebProfileWrite(key, value); }
};

WebGameHost gGameHost;
WebShellHost gShellHost;
WebStorage gStorage;

}  // namespace

void InstallWebHosts() {
    SetGameHost(&gGameHost);
    SetShellHost(&gShellHost);
}

ProfileStore& WebSettingsStore() { return gStorage; }

bool WebButtonEnabled(TableButton button) {
    return button >= 0 && button < kButtonCount && gEnabled[button];
}
