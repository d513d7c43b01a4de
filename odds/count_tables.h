// The counting's combinatorics and tables: binomials and the ranks of sets
// of natural cards, and for every set of up to four natural cards, per
// category, the final hands that contain it, each hand classified once by
// the engine's EvaluateHand and paid by its PayoutTable.  One deal's holds
// (deal_holds.h) and the sweep over every deal (deal_sweep.h) count from
// these tables.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/evaluate.h"
#include "engine/payout.h"

constexpr int kNaturalCards = 52;

// C(n, k) for 0 <= n <= kDeckSize and 0 <= k <= 6, worked out by the
// compiler for the counting's inner loops.
struct BinomialTable {
    int64_t value[kDeckSize + 1][7];
};
constexpr BinomialTable MakeBinomialTable() {
    BinomialTable table{};
    for (int n = 0; n <= kDeckSize; ++n) {
        for (int k = 0; k <= 6; ++k) {
            if (k == 0) table.value[n][k] = 1;
            else if (n == 0) table.value[n][k] = 0;
            else table.value[n][k] = table.value[n - 1][k - 1] + table.value[n - 1][k];
        }
    }
    return table;
}
inline constexpr BinomialTable kBinomials = MakeBinomialTable();
inline int64_t Choose(int n, int k) { return kBinomials.value[n][k]; }

// Any C(n, k); 0 outside 0 <= k <= n.
int64_t Binomial(int n, int k);

// Combinatorial rank of a set of distinct natural cards sorted ascending:
// sum of C(card_i, i + 1); the sets of size k get ranks 0 .. C(52, k) - 1.
int64_t SubsetRank(const int* sortedCards, int count);

// What the choice of a hold needs of a set: the coins paid and the hands
// paying nothing, over the hands that contain it.  Kept together so that
// one look-up finds both.
struct PaySummary {
    int64_t pay;
    int64_t nothing;
};

struct OddsTables {
    // The category of five natural cards is found when asked
    // (NaturalCategory) from `naturalKeys`.
    std::vector<uint8_t> jokerHands;    // category of the joker with every four natural cards
    // Counts of hands per category, kHandCategoryCount for each set, the
    // sets in the order of their combinatorial rank (see SubsetRank).  Each
    // count is below C(53,5) and fits 32 bits; every sum over deals is
    // 64-bit.
    // Sets of 0..3 natural cards: the hands of five natural cards that
    // contain them.  Sets of four are counted when asked (CountFourNaturals)
    // from `naturalKeys`: kept, they would take 12 MB and most of the time
    // the tables take to build.
    std::vector<int32_t> natural[4];
    // The category of five natural cards by what decides it (count_tables.cpp).
    std::vector<uint8_t> naturalKeys;
    // Sets of 0..3 natural cards: the hands of the joker and four natural
    // cards that contain them.  A set with the joker in it is looked up by
    // its natural part.
    std::vector<int32_t> joker[4];
    // Sets of 0..4 natural cards: summaries for the 52-card deck, for the
    // 53-card deck, and for the set with the joker added.  Only the choice
    // of best holds over every deal (BestHold, the sweep) reads them.
    std::vector<PaySummary> summary52[5];
    std::vector<PaySummary> summary53[5];
    std::vector<PaySummary> summaryWithJoker[5];
};

// The category of five natural cards sorted ascending.
int NaturalCategory(const OddsTables& tables, const int sortedCards[5]);
// The hands of five natural cards that contain four sorted natural cards,
// per category, as a row of `natural` would hold them.
void CountFourNaturals(const OddsTables& tables, const int sortedCards[4],
                       int64_t counts[kHandCategoryCount]);

// The categories and the counts: all that the holds of one deal need
// (EvaluateHolds, and so AdviseDeal).
void BuildCountTables(OddsTables& tables, int threads);
// Those and the pay summaries: all that the analysis of every deal needs.
void BuildOddsTables(OddsTables& tables, int threads);

// The summary of one final hand of the given category.
inline PaySummary SummaryOfHand(int category) {
    return {PayoutTable[category].perCoin, category == Nothing ? 1 : 0};
}
