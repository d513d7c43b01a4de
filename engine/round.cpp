// The sequence of play: coins in, the timed deal, the hold phase, the draw.
#include "engine/round.h"

#include "engine/deck.h"
#include "engine/game_host.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

RoundState gRound;
int32_t gNewReceived;

namespace {

constexpr unsigned kFastDealMs = 80;
constexpr unsigned kNormalDealMs = 320;

void EnableCoinAndMax(GameHost* host, bool enable) {
    host->EnableButton(CoinButton, enable);
    host->EnableButton(MaxButton, enable);
}

void EnableHoldButtons(GameHost* host, bool enable) {
    for (int i = 0; i < kSlotCount; ++i) {
        host->EnableButton(static_cast<TableButton>(HoldButton0 + i), enable);
    }
}

// The last game's hand still lies face up until the first coin of the next.
void TurnOldHandDown(GameHost* host) {
    if (gSlots[0].card == kNoCard) return;
    ResetDeck();
    ClearTable();
    host->DrawAllCards();
}

bool AllHeld() {
    for (const TableSlot& slot : gSlots) {
        if (slot.held == 0) return false;
    }
    return true;
}

}  // namespace

bool InHoldPhase() { return gRound.phase == Dealt && gRound.dealing == 0; }

void NewGame() {
    GameHost* host = CurrentGameHost();
    gNewReceived = 1;
    if (gRound.phase != Betting || gRound.dealing != 0 || host->IsMessageFlashing()) return;
    EnableCoinAndMax(host, true);
    host->ShowMessage(IDS_INSERT_COINS);
    gRound.coinsIn = 0;
    ClearGameStats();
    gRound.phase = Betting;
    gStats.credits = kStartingCredits;
    gStats.bankTotal = kStartingCredits;
    ClearTable();
    ResetDeck();
    host->DrawMeters();
    host->DrawAllCards();
    EnableHoldButtons(host, false);
}

void InsertCoin() {
    if (gRound.dealing != 0 || gRound.phase != Betting) return;
    GameHost* host = CurrentGameHost();
    host->StopMessageFlash();
    TurnOldHandDown(host);
    host->ShowMessage(IDS_ADD_OR_DEAL);
    if (gStats.credits == 0 || gRound.coinsIn >= kMaxCoins || RoomLeft(gStats.coinsPlayed) == 0) return;
    gStats.credits -= 1;
    if (gStats.credits == 0) EnableCoinAndMax(host, false);
    gRound.coinsIn += 1;
    gStats.coinsPlayed += 1;
    host->EnableButton(DealButton, true);
    if (gRound.coinsIn == kMaxCoins) {
        host->ShowMessage(IDS_PRESS_DEAL);
        EnableCoinAndMax(host, false);
    }
    host->PlaySoundEffect("CoinDrop");
    host->DrawMeters();
}

// Each coin is heard to its end when the sound is on; the deal itself is
// posted, so it runs once this command has returned to the message loop.
void BetMaxCoins() {
    if (gRound.dealing != 0 || gRound.phase != Betting) return;
    GameHost* host = CurrentGameHost();
    host->StopMessageFlash();
    if (gRound.coinsIn < kMaxCoins) {
        while (gStats.credits > 0 && RoomLeft(gStats.coinsPlayed) > 0) {
            TurnOldHandDown(host);
            gRound.coinsIn += 1;
            gStats.credits -= 1;
            gStats.coinsPlayed += 1;
            host->DrawMeters();
            if (gSettings.Sound != 0) host->PlayWaveSync("CoinDrop");
            if (gRound.coinsIn == kMaxCoins) break;
        }
    }
    host->ShowMessage(IDS_PRESS_DEAL);
    EnableCoinAndMax(host, false);
    host->EnableButton(DealButton, true);
    host->PostDealCommand();
}

// A Drawn phase without a deal only exists inside EndOfDeal, while the
// round is being paid; a Deal arriving then (from a modal loop) must not
// push the phase past the draw.
void DealOrDraw() {
    if (gRound.dealing != 0 || gRound.phase == Drawn) return;
    if (gRound.phase == Betting && gRound.coinsIn == 0) return;
    GameHost* host = CurrentGameHost();
    host->StopMessageFlash();
    host->PlaySoundEffect("Deal");
    host->ShowMessage(IDS_DEALING);
    host->UpdateMenus();
    host->StartTableTimer(gSettings.FastDeal != 0 ? kFastDealMs : kNormalDealMs);
    EnableHoldButtons(host, false);
    host->EnableButton(DealButton, false);
    EnableCoinAndMax(host, false);
    if (gRound.phase == Betting) {
        ResetDeck();
        ClearTable();
        host->DrawAllCards();
        gStats.gamesPlayed += 1;
    } else {
        for (int i = 0; i < kSlotCount; ++i) {
            if (gSlots[i].held != 0) continue;
            gSlots[i].card = kNoCard;
            host->DrawCard(i);
        }
    }
    DealUnheld();
    gRound.dealing = 1;
    gRound.dealStep = 0;
    gRound.phase = static_cast<RoundPhase>(gRound.phase + 1);
}

void EndOfDeal() {
    GameHost* host = CurrentGameHost();
    gRound.dealing = 0;
    host->SetButtonCaption(DealButton, "Hit");
    host->KillTableTimer();
    if (gRound.phase == Drawn) {
        EndRound();
        host->SetButtonCaption(DealButton, "Deal");
        gRound.phase = Betting;
        for (int i = 0; i < kSlotCount; ++i) {
            TableButton button = static_cast<TableButton>(HoldButton0 + i);
            host->SetButtonCaption(button, "");
            host->EnableButton(button, false);
        }
        if (gStats.credits > 0) EnableCoinAndMax(host, true);
    } else {
        EnableHoldButtons(host, true);
        host->EnableButton(DealButton, true);
        host->ShowMessage(IDS_HOLD_OR_DEAL);
    }
}

void HoldCommand(int slot) {
    if (!InHoldPhase() || slot < 0 || slot >= kSlotCount) return;
    ToggleHold(slot);
    CurrentGameHost()->SetButtonCaption(DealButton, AllHeld() ? "Stand" : "Hit");
}

void TableTimerTick() {
    if (gRound.dealing != 0) {
        DealTick();
        return;
    }
    GameHost* host = CurrentGameHost();
    if (host->IsMessageFlashing()) host->FlashMessageLine();
}
