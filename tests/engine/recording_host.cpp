#include "tests/engine/recording_host.h"

#include <algorithm>

#include "engine/deck.h"
#include "engine/round.h"

std::string ButtonName(TableButton button) {
    switch (button) {
    case CoinButton: return "Coin";
    case MaxButton: return "Max";
    case DealButton: return "Deal";
    default: return "Hold" + std::to_string(button - HoldButton0);
    }
}

void RecordingHost::Record(std::string call) {
    calls.push_back(std::move(call));
    if (observer) observer(calls.back());
}

void RecordingHost::DrawCard(int slot) { Record("DrawCard " + std::to_string(slot)); }
void RecordingHost::DrawAllCards() { Record("DrawAll"); }
void RecordingHost::DrawMeters() { Record("Meters"); }
void RecordingHost::ShowMessage(int stringId) { Record("Message " + std::to_string(stringId)); }
void RecordingHost::ShowMessageText(const char* text) { Record(std::string("Text ") + text); }

void RecordingHost::StartMessageFlash() {
    flashCount = kFlashTicks;
    timerMs = kFlashIntervalMs;
    Record("StartFlash");
}

// Like the window's: harmless when no flash runs, and only then does it
// touch timer 6.
void RecordingHost::StopMessageFlash() {
    if (flashCount != 0) {
        flashCount = 0;
        timerMs = 0;
    }
    Record("StopFlash");
}

bool RecordingHost::IsMessageFlashing() { return flashCount != 0; }

void RecordingHost::FlashMessageLine() {
    --flashCount;
    if (flashCount <= 0) {
        flashCount = 0;
        timerMs = 0;
    }
    Record("FlashLine");
}

void RecordingHost::EnableButton(TableButton button, bool enable) {
    enabled[button] = enable;
    Record("Enable " + ButtonName(button) + (enable ? " 1" : " 0"));
}

void RecordingHost::SetButtonCaption(TableButton button, const char* caption) {
    captions[button] = caption;
    Record("Caption " + ButtonName(button) + " " + (*caption ? std::string(caption) : "\"\""));
}

void RecordingHost::StartTableTimer(unsigned intervalMs) {
    timerMs = intervalMs;
    Record("Timer " + std::to_string(intervalMs));
}

void RecordingHost::KillTableTimer() {
    timerMs = 0;
    Record("KillTimer");
}

void RecordingHost::UpdateMenus() { Record("Menus"); }

void RecordingHost::PostDealCommand() {
    ++postedDeals;
    Record("PostDeal");
}

void RecordingHost::ShowBustedBox() { Record("Busted"); }
void RecordingHost::ShowBankBox() { Record("Bank"); }

bool RecordingHost::AskClearStatistics() {
    Record("AskClear");
    return clearAnswer;
}

void RecordingHost::ShowJackpotScreen() { Record("Jackpot"); }
void RecordingHost::PlaySoundEffect(const char* name) { Record(std::string("Sound ") + name); }
void RecordingHost::PlayWaveSync(const char* name) { Record(std::string("SyncSound ") + name); }
int64_t RecordingHost::CurrentTimeSeconds() { return now; }

std::vector<std::string> RecordingHost::CallsFromLast(const std::string& from) const {
    auto last = std::find(calls.rbegin(), calls.rend(), from);
    return std::vector<std::string>(last == calls.rend() ? calls.end() : std::prev(last.base()), calls.end());
}

int RecordingHost::RunTimer(int limit) {
    int ticks = 0;
    while (timerMs != 0 && ticks < limit) {
        TableTimerTick();
        ++ticks;
    }
    return ticks;
}

void RecordingHost::DispatchPosted() {
    while (postedDeals > 0) {
        --postedDeals;
        DealOrDraw();
    }
}

std::string BoxLine(const MessageBoxText& box) {
    return box.text ? std::string("Box ") + box.text : "Box #" + std::to_string(box.stringId);
}

std::string DialogName(GameDialog dialog) {
    switch (dialog) {
    case GameDialog::Help: return "Help";
    case GameDialog::About: return "About";
    case GameDialog::Options: return "Options";
    case GameDialog::Payoff: return "Payoff";
    default: return "Statistics";
    }
}

void RecordingShell::ShowDialog(GameDialog dialog) {
    host_.Record("Dialog " + DialogName(dialog));
    if (inDialog) inDialog(dialog);
}

bool RecordingShell::ShowMessageBox(const MessageBoxText& box) {
    host_.Record(BoxLine(box));
    return boxAnswer;
}

void RecordingShell::ShowStatusText(const char* text) { host_.Record(std::string("Status ") + text); }
void RecordingShell::RequestClose() { host_.Record("RequestClose"); }
void RecordingShell::SaveSettings() { host_.Record("SaveSettings"); }
void RecordingShell::StopHeldSound() { host_.Record("StopSound"); }

EngineFixtureHost::EngineFixtureHost() {
    ResetProgramState();
    BuildDeck();
    ClearTable();
    SetGameHost(&host);
    SetShellHost(&shell);
}

EngineFixtureHost::~EngineFixtureHost() {
    SetShellHost(nullptr);
    SetGameHost(nullptr);
    ResetProgramState();
}
