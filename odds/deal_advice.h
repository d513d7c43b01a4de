// The one entry for one deal: for five cards and a deck, the exact value
// and chance of paying of all 32 holds, the best hold, and the line of the
// deck's kept chart with its hold and its exact cost against the best
// hold.  It only computes: `hold` and `train` print from the record, and
// the page's core calls it as it is (no threads, no text but the line's).
#pragma once
#include <cstdint>

#include "odds/deal_holds.h"

// Room for the text of every line of the kept charts, with its end.
constexpr int kChartTextSize = 64;

// Plain data all through, so that it may live in static storage of the
// page's module, whose exports run static constructors and destructors
// around every call.
struct DealAdvice {
    int deckSize = 0;
    Card deal[5] = {};
    int dealt = 0;      // the deal's HandCategory as dealt
    // Best first (BetterHold): holds[0] is the best hold.  A hold is worth
    // pay / draws per coin and pays on draws - counts[Nothing] of its draws.
    HoldOutcome holds[kHoldCount] = {};
    int placeOfMask[kHoldCount] = {};   // holds[placeOfMask[m]].mask == m
    // The first line of StoredChart(deckSize) that the deal has, from 1,
    // its text, and the place of its hold in `holds`.
    int chartLine = 0;
    char chartText[kChartTextSize] = {};
    int chartPlace = 0;
    // What the chart's hold returns less than the best hold per coin, in
    // lowest terms; 0/1 when it is as good.
    int64_t costNumerator = 0;
    int64_t costDenominator = 1;
};

// The verdict on a hold played against the advice: the best hold itself, a
// hold worth exactly as much (a tie, judged on integers, never on doubles),
// or a hold that returns less; and whether it is the chart's hold.
enum HoldJudgement { HeldBest, HeldAsGoodAsBest, HeldCosts };

struct HoldVerdict {
    int judgement = HeldBest;
    int place = 0;          // the hold's place in DealAdvice::holds
    bool chart = false;     // the chart's hold
    // What it returns less than the best hold per coin, in lowest terms;
    // 0/1 unless it costs.
    int64_t costNumerator = 0;
    int64_t costDenominator = 1;
};

// The best hold and the tie both count as the best hold played.
inline bool PlayedAsBest(const HoldVerdict& verdict) { return verdict.judgement != HeldCosts; }

// False, with `advice` left as it was, unless the deal is five distinct
// cards of the deck (52, or 53 with the joker).  The tables need only the
// counts (BuildCountTables).
bool AdviseDeal(const OddsTables& tables, int deckSize, const Card deal[5], DealAdvice& advice);

// The hold of `mask` (bit i: card i of the deal as given) judged.
HoldVerdict JudgeHold(const DealAdvice& advice, int mask);

inline const HoldOutcome& BestHoldOf(const DealAdvice& advice) { return advice.holds[0]; }
inline const HoldOutcome& ChartHoldOf(const DealAdvice& advice) {
    return advice.holds[advice.chartPlace];
}
inline const HoldOutcome& HoldOfMask(const DealAdvice& advice, int mask) {
    return advice.holds[advice.placeOfMask[mask & (kHoldCount - 1)]];
}
