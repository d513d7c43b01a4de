// The machine's state of play, its money and its sequence of play.
#pragma once
#include <cstdint>

#include "engine/evaluate.h"

enum RoundPhase : int32_t { Betting = 0, Dealt = 1, Drawn = 2 };

constexpr int32_t kMaxCoins = 5;    // coins the machine takes for one game
constexpr int32_t kStartingCredits = 40;    // the credit meter of a new game

struct RoundState {
    RoundPhase phase;
    int32_t dealing;        // the deal timer is turning cards up
    int32_t dealStep;       // next slot DealTick looks at, 0..5
    int32_t coinsIn;        // coins in for the current game, 0..5
    HandCategory category;  // result of the last evaluation
};

struct GameStats {
    int32_t bankTotal;
    int32_t credits;
    int32_t coinsPlayed;
    int32_t coinsWon;
    int32_t gamesPlayed;
    int32_t timesBusted;
    int32_t handsWon[kHandCategoryCount];
};

extern RoundState gRound;
extern GameStats gStats;

// What a 32-bit meter or counter can still take below its largest value:
// the machine refuses coins, bank credit and payment past it rather than
// wrap a meter to a negative number.
inline int32_t RoomLeft(int32_t counter) { return INT32_MAX - counter; }

// Set whenever the New command arrives, even when refused; it enables the
// Hit the Bank menu item.  Cleared when the main window is created.
extern int32_t gNewReceived;

// Payoff, credits and statistics.
void PayHand();
void EndRound();
void HitTheBank();
bool BankCanPay();      // the meters can take the bank's 80 more
void ClearStatistics();
void ClearGameStats();

// Commands of the round.
void NewGame();
void InsertCoin();
void BetMaxCoins();
void DealOrDraw();
void EndOfDeal();
void HoldCommand(int slot);     // commands 850..854
void TableTimerTick();          // a tick of timer 6

// True in the hold phase: the first five cards are up, no deal running.
bool InHoldPhase();

// Puts every program-wide record of the engine and the settings back to its
// start-of-program value, so that tests do not depend on each other.
void ResetProgramState();
