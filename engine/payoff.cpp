// Payment of the final hand, the end of a round, the bank and the clearing
// of the statistics.
#include <algorithm>
#include <cstdio>

#include "engine/deck.h"
#include "engine/game_host.h"
#include "engine/payout.h"
#include "engine/round.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

GameStats gStats;

namespace {

constexpr int32_t kBankCredits = 80;

}  // namespace

bool BankCanPay() {
    return RoomLeft(gStats.credits) >= kBankCredits && RoomLeft(gStats.bankTotal) >= kBankCredits;
}

void ClearGameStats() { gStats = GameStats{}; }

void PayHand() {
    GameHost* host = CurrentGameHost();
    const HandCategory category = gRound.category;
    if (category == Nothing) {
        host->ShowMessage(IDS_INSERT_COINS);
        return;
    }
    const PayoutEntry& entry = PayoutTable[category];
    const int32_t payoff = std::min({entry.perCoin * gRound.coinsIn, RoomLeft(gStats.credits),
                                     RoomLeft(gStats.coinsWon)});
    char payoffText[48];
    std::snprintf(payoffText, sizeof payoffText, "Payoff = %d coins", static_cast<int>(payoff));
    gStats.credits += payoff;
    gStats.coinsWon += payoff;
    gStats.handsWon[category] += 1;
    host->DrawMeters();
    char message[96];
    std::snprintf(message, sizeof message, "%s   %s", entry.name, payoffText);
    host->ShowMessageText(message);
    host->PlaySoundEffect("Payout");
    if (entry.jackpot != 0) host->ShowJackpotScreen();
    host->StartMessageFlash();
}

void EndRound() {
    GameHost* host = CurrentGameHost();
    Card hand[kSlotCount];
    for (int i = 0; i < kSlotCount; ++i) hand[i] = gSlots[i].card;
    gRound.category = EvaluateHand(hand);
    PayHand();
    gRound.coinsIn = 0;
    host->DrawMeters();
    host->UpdateMenus();
    if (gStats.credits == 0) {
        host->ShowBustedBox();
        gStats.timesBusted += 1;
    }
}

void HitTheBank() {
    if (!BankCanPay()) return;
    GameHost* host = CurrentGameHost();
    host->ShowBankBox();
    if (!BankCanPay()) return;      // a round was paid while the box was open
    if (gSettings.Sound != 0) host->PlayWaveSync("Bank");
    gStats.credits += kBankCredits;
    gStats.bankTotal += kBankCredits;
    host->DrawMeters();
    if (gRound.phase == Betting && gRound.coinsIn < kMaxCoins) {
        host->EnableButton(CoinButton, true);
        host->EnableButton(MaxButton, true);
    }
}

// Asked before anything is touched; the round in progress goes on and is
// paid for the coins it has left, which is none.
void ClearStatistics() {
    GameHost* host = CurrentGameHost();
    if (!host->AskClearStatistics()) return;
    ClearGameStats();
    gRound.coinsIn = 0;
    host->DrawMeters();
    host->UpdateMenus();
}
