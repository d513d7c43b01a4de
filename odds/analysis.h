// Exact expected values of every hold on this machine, and of optimal play
// over every deal, counted from the engine's own EvaluateHand and
// PayoutTable.
//
// The method: every final hand is classified once, and for every set of up
// to five cards we count, per category, the final hands that contain it.
// The draws of a hold H from a deal D are exactly the final hands F with
// F ∩ D = H, so their counts follow by inclusion-exclusion over the
// discarded cards (a Möbius transform over the 32 subsets of the deal).
// Suits are interchangeable in the rules, so only one deal of every suit
// pattern is analysed, weighted by how many deals share it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/evaluate.h"
#include "odds/splitter.h"

constexpr int kNaturalCards = 52;
constexpr int kHoldCount = 32;

// What the choice of a hold needs of a set: the coins paid and the hands
// paying nothing, over the hands that contain it.  Kept together so that
// one look-up finds both.
struct PaySummary {
    int64_t pay;
    int64_t nothing;
};

struct OddsTables {
    std::vector<uint8_t> naturalHands;  // category of every five natural cards, by rank
    std::vector<uint8_t> jokerHands;    // category of the joker with every four natural cards
    // Counts of hands per category, kHandCategoryCount for each set, the
    // sets in the order of their combinatorial rank (see SubsetRank).  Each
    // count is below C(53,5) and fits 32 bits; every sum over deals is
    // 64-bit.
    // Sets of 0..4 natural cards: the hands of five natural cards that
    // contain them.
    std::vector<int32_t> natural[5];
    // Sets of 0..3 natural cards: the hands of the joker and four natural
    // cards that contain them.  A set with the joker in it is looked up by
    // its natural part.
    std::vector<int32_t> joker[4];
    // Sets of 0..4 natural cards: summaries for the 52-card deck, for the
    // 53-card deck, and for the set with the joker added.
    std::vector<PaySummary> summary52[5];
    std::vector<PaySummary> summary53[5];
    std::vector<PaySummary> summaryWithJoker[5];
};

// One hold of a deal: the cards kept and what the draw brings.
struct HoldOutcome {
    int mask;               // bit i: card i of the deal as given is kept
    int held;               // number of cards kept
    int64_t draws;          // equally likely draws, C(deck - 5, 5 - held)
    int64_t pay;            // coins won per coin, summed over the draws
    int64_t counts[kHandCategoryCount];     // draws ending in each category
};

struct DeckAnalysis {
    int deckSize = 0;               // 52 or 53
    int64_t deals = 0;              // C(deckSize, 5)
    int64_t dealClasses = 0;        // deals analysed after suit symmetry
    int64_t dealCounts[kHandCategoryCount] = {};    // category as dealt
    int64_t dealsByHeld[6] = {};    // deals whose best hold keeps k cards
    // Optimal play, summed over deals as numerators over C(deck - 5, 5 - k)
    // for the deals whose best hold keeps k cards.
    int64_t payByHeld[6] = {};
    int64_t countsByHeld[6][kHandCategoryCount] = {};
};

int64_t Binomial(int n, int k);

// Combinatorial rank of a set of distinct natural cards sorted ascending:
// sum of C(card_i, i + 1); the sets of size k get ranks 0 .. C(52, k) - 1.
int64_t SubsetRank(const int* sortedCards, int count);

void BuildOddsTables(OddsTables& tables, int threads);

// All 32 holds of a deal in hold-mask order.  False, and nothing written,
// unless the deal is five distinct cards (any order) of the deck, that is
// with the joker only in the 53-card deck.
bool EvaluateHolds(const OddsTables& tables, int deckSize, const Card deal[5],
                   HoldOutcome outcomes[kHoldCount]);

// The best hold of a deal as the whole analysis chooses it (on the pay
// summaries, without the per-category counts), as a mask over the deal as
// given, with its coins summed over the draws in `pay` when asked; -1 for a
// deal that EvaluateHolds refuses.
int BestHold(const OddsTables& tables, int deckSize, const Card deal[5],
             int64_t* pay = nullptr);

// Five distinct cards of the 52- or 53-card deck (any order).
bool DealIsOfDeck(int deckSize, const Card deal[5]);

// Adds one deal, `weight` deals of its suit pattern, dealt as `dealt` and
// played by `hold`, to a deck's counts.
void CountDeal(DeckAnalysis& into, int64_t weight, int dealt, const HoldOutcome& hold);
// Adds the counts of one share of a deck's deals to another.
void MergeAnalysis(const DeckAnalysis& part, DeckAnalysis& into);

// The better of two holds of one deal: the higher expected payout; on equal
// value the higher chance of a paying hand; then the one that keeps fewer
// cards; then the lower mask.  Exact: the comparison is on integers.
bool BetterHold(const HoldOutcome& a, const HoldOutcome& b);
void SortHoldsBestFirst(HoldOutcome outcomes[kHoldCount]);

// One deal of every suit pattern of the deck, its cards ascending (the
// joker last), with the number of deals that share the pattern.
struct DealClass {
    int cards[5];
    int32_t weight;
};
void EnumerateDealClasses(int deckSize, std::vector<DealClass>& classes);

// Calls visit(share, deal, cards, outcomes) for every deal class of the
// deck with the values of all its holds (in mask order), the classes split
// into `threads` contiguous shares, each in order.
template <typename Visit>
void ForEachDealClass(const OddsTables& tables, int deckSize, int threads, Visit visit) {
    std::vector<DealClass> classes;
    EnumerateDealClasses(deckSize, classes);
    ParallelFor(int64_t(classes.size()), threads, [&](int share, int64_t begin, int64_t end) {
        for (int64_t i = begin; i < end; ++i) {
            const DealClass& deal = classes[size_t(i)];
            const Card cards[5] = {deal.cards[0], deal.cards[1], deal.cards[2], deal.cards[3],
                                   deal.cards[4]};
            HoldOutcome outcomes[kHoldCount];
            EvaluateHolds(tables, deckSize, cards, outcomes);
            visit(share, deal, cards, outcomes);
        }
    });
}

// Optimal play over every deal of the 52- or 53-card deck.
void AnalyseDeck(const OddsTables& tables, int deckSize, int threads, DeckAnalysis& result);

// Expected return per coin, and each final category's probability, of the
// analysed optimal play; as doubles for ratios, as exact decimals for print.
double ExpectedReturn(const DeckAnalysis& analysis);
double FinalCategoryProbability(const DeckAnalysis& analysis, int category);
std::string ExpectedReturnText(const DeckAnalysis& analysis, int decimals);
std::string FinalCategoryProbabilityText(const DeckAnalysis& analysis, int category, int decimals);
