// The analyser's tables, built once for all tests of a run, and a brute
// force that draws every replacement of a hold and asks the engine.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/evaluate.h"
#include "engine/payout.h"
#include "odds/analysis.h"

inline const OddsTables& SharedTables() {
    static const OddsTables* tables = [] {
        OddsTables* built = new OddsTables;
        BuildOddsTables(*built, kAnalysisThreads);
        return built;
    }();
    return *tables;
}

struct DrawCounts {
    int64_t draws = 0;
    int64_t pay = 0;
    std::array<int64_t, kHandCategoryCount> counts{};
};

// Every draw for the cards of `mask` kept from `deal`: the replacements are
// all sets of the missing number of cards among those not dealt.
inline DrawCounts BruteForceHold(const Card deal[5], int mask, int deckSize) {
    std::vector<Card> stock;
    for (Card c = 0; c < deckSize; ++c) {
        bool dealt = false;
        for (int i = 0; i < 5; ++i) dealt = dealt || deal[i] == c;
        if (!dealt) stock.push_back(c);
    }
    Card hand[5];
    int held = 0;
    for (int i = 0; i < 5; ++i)
        if (mask & (1 << i)) hand[held++] = deal[i];
    DrawCounts result;
    const int n = static_cast<int>(stock.size());
    // Indices of the replacement cards, ascending, as an odometer.
    int pick[5];
    const int need = 5 - held;
    for (int i = 0; i < need; ++i) pick[i] = i;
    for (;;) {
        for (int i = 0; i < need; ++i) hand[held + i] = stock[static_cast<size_t>(pick[i])];
        HandCategory category = EvaluateHand(hand);
        ++result.draws;
        ++result.counts[category];
        result.pay += PayoutTable[category].perCoin;
        int i = need - 1;
        while (i >= 0 && pick[i] == n - need + i) --i;
        if (i < 0) break;
        ++pick[i];
        for (int j = i + 1; j < need; ++j) pick[j] = pick[j - 1] + 1;
    }
    return result;
}
