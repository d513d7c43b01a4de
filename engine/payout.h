// The fixed payout table, indexed by HandCategory.
#pragma once
#include "engine/evaluate.h"

struct PayoutEntry {
    int32_t perCoin;        // multiplier of the coins played
    const char* name;       // name in the payoff message, "" for Nothing
    int32_t jackpot;        // 1: the full-screen jackpot display follows
};

extern const PayoutEntry PayoutTable[kHandCategoryCount];
