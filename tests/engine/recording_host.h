// A GameHost that writes every request down as one readable line, so that
// tests can compare whole sequences of calls.  It keeps the little state the
// real window keeps (the flash count, timer 6, a posted Deal) and answers
// the questions the engine asks with values the test sets.  A RecordingShell
// writes the front-end's requests into the same list.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/game_host.h"
#include "presentation/message_flash.h"
#include "shell/command_table.h"

class RecordingHost final : public GameHost {
public:
    static constexpr int kFlashTicks = kFlashInversions;

    void DrawCard(int slot) override;
    void DrawAllCards() override;
    void DrawMeters() override;
    void ShowMessage(int stringId) override;
    void ShowMessageText(const char* text) override;
    void StartMessageFlash() override;
    void StopMessageFlash() override;
    bool IsMessageFlashing() override;
    void FlashMessageLine() override;
    void EnableButton(TableButton button, bool enable) override;
    void SetButtonCaption(TableButton button, const char* caption) override;
    void StartTableTimer(unsigned intervalMs) override;
    void KillTableTimer() override;
    void UpdateMenus() override;
    void PostDealCommand() override;
    void ShowBustedBox() override;
    void ShowBankBox() override;
    bool AskClearStatistics() override;
    void ShowJackpotScreen() override;
    void PlaySoundEffect(const char* name) override;
    void PlayWaveSync(const char* name) override;
    int64_t CurrentTimeSeconds() override;

    // What the engine asked for, oldest first.
    std::vector<std::string> calls;
    // Called after each call is written down, e.g. to look at the state of
    // play at the moment a box is shown.
    std::function<void(const std::string&)> observer;

    bool clearAnswer = true;        // the answer to "Clear statistics?"
    int64_t now = 1000000;          // seconds, for DealUnheld's seed
    int flashCount = 0;
    unsigned timerMs = 0;           // timer 6's interval, 0 while it is off
    int postedDeals = 0;            // Deal commands waiting in the queue

    // The window's view of the table, as the captions and enables left it.
    bool enabled[8] = {};
    std::string captions[8];

    void Clear() { calls.clear(); }
    // The calls from the last one that equals `from` on.
    std::vector<std::string> CallsFromLast(const std::string& from) const;
    // Ticks timer 6 for as long as it runs (at most `limit` ticks); returns
    // the number of ticks.
    int RunTimer(int limit = 100);
    // Hands the posted Deal commands to the engine, as the message loop does.
    void DispatchPosted();

    void Record(std::string call);
};

// The front-end's side of the command table, written down in the host's
// list: "Dialog Options", "Box <text>" (or "Box #<string id>"), "Status
// <text>", "RequestClose", "SaveSettings", "StopSound".
class RecordingShell final : public ShellHost {
public:
    explicit RecordingShell(RecordingHost& host) : host_(host) {}
    void ShowDialog(GameDialog dialog) override;
    bool ShowMessageBox(const MessageBoxText& box) override;
    void ShowStatusText(const char* text) override;
    void RequestClose() override;
    void SaveSettings() override;
    void StopHeldSound() override;

    bool boxAnswer = true;      // Yes or OK
    // What the player does while a dialog is open.
    std::function<void(GameDialog)> inDialog;

private:
    RecordingHost& host_;
};

std::string BoxLine(const MessageBoxText& box);

// Installs a fresh RecordingHost and RecordingShell over a program just
// started: records reset, deck built, table cleared; removes them again at
// the end of the scope.
class EngineFixtureHost {
public:
    EngineFixtureHost();
    ~EngineFixtureHost();
    RecordingHost host;
    RecordingShell shell{host};
};

std::string ButtonName(TableButton button);
