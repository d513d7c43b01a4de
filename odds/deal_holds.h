// Exact values of every hold of one deal on this machine.
//
// The draws of a hold H from a deal D are exactly the final hands F with
// F ∩ D = H, so their counts follow from the tables of count_tables.h (the
// final hands that contain each set) by inclusion-exclusion over the
// discarded cards: a Möbius transform over the 32 subsets of the deal.
#pragma once
#include <cstdint>

#include "odds/count_tables.h"

constexpr int kHoldCount = 32;

// One hold of a deal: the cards kept and what the draw brings.
struct HoldOutcome {
    int mask;               // bit i: card i of the deal as given is kept
    int held;               // number of cards kept
    int64_t draws;          // equally likely draws, C(deck - 5, 5 - held)
    int64_t pay;            // coins won per coin, summed over the draws
    int64_t counts[kHandCategoryCount];     // draws ending in each category
};

// The draws of a hold that end in a paying hand.
inline int64_t PayingDraws(const HoldOutcome& hold) { return hold.draws - hold.counts[Nothing]; }

// Five distinct cards of the 52- or 53-card deck (any order).
bool DealIsOfDeck(int deckSize, const Card deal[5]);

// All 32 holds of a deal in hold-mask order.  False, and nothing written,
// unless the deal is five distinct cards (any order) of the deck, that is
// with the joker only in the 53-card deck.  Needs the count tables only.
bool EvaluateHolds(const OddsTables& tables, int deckSize, const Card deal[5],
                   HoldOutcome outcomes[kHoldCount]);

// The best hold of a deal as the whole analysis chooses it (on the pay
// summaries, without the per-category counts), as a mask over the deal as
// given, with its coins summed over the draws in `pay` when asked; -1 for a
// deal that EvaluateHolds refuses.  Needs the summaries (BuildOddsTables).
int BestHold(const OddsTables& tables, int deckSize, const Card deal[5],
             int64_t* pay = nullptr);

// The better of two holds of one deal: the higher expected payout; on equal
// value the higher chance of a paying hand; then the one that keeps fewer
// cards; then the lower mask.  Exact: the comparison is on integers.
bool BetterHold(const HoldOutcome& a, const HoldOutcome& b);
void SortHoldsBestFirst(HoldOutcome outcomes[kHoldCount]);

// For the sweep over every deal, whose deals come sorted: a deal with its
// cards ascending (the joker, when there, last) and, for every mask over
// those sorted places, the size and rank of its natural cards and whether
// it keeps the joker.
struct SortedDeal {
    int cards[5];
    int naturals;           // 5, or 4 with the joker in place 4
    int size[kHoldCount];
    bool joker[kHoldCount];
    int64_t rank[kHoldCount];
};
void PrepareDeal(const int sortedCards[5], SortedDeal& deal);
// The best hold of a prepared deal as BestHold chooses it, as a mask over
// its sorted places, with its pay summed over the draws.
int BestSortedHold(const OddsTables& tables, int deckSize, const SortedDeal& deal,
                   int64_t& pay);
// One hold of a prepared deal, `mask` over its sorted places.
void SortedHoldOutcome(const OddsTables& tables, int deckSize, const SortedDeal& deal, int mask,
                       HoldOutcome& outcome);
// The category of the prepared deal as dealt.
int DealtCategory(const OddsTables& tables, const SortedDeal& deal);
