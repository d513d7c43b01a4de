// Optimal play over every deal of a deck, exact.  Suits are
// interchangeable in the rules, so only one deal of every suit pattern is
// analysed, weighted by how many deals share it; each is played with the
// best hold of deal_holds.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "odds/deal_holds.h"
#include "odds/splitter.h"

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

// Adds one deal, `weight` deals of its suit pattern, dealt as `dealt` and
// played by `hold`, to a deck's counts.
void CountDeal(DeckAnalysis& into, int64_t weight, int dealt, const HoldOutcome& hold);
// Adds the counts of one share of a deck's deals to another.
void MergeAnalysis(const DeckAnalysis& part, DeckAnalysis& into);

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

// Optimal play over every deal of the 52- or 53-card deck (the tables of
// BuildOddsTables).
void AnalyseDeck(const OddsTables& tables, int deckSize, int threads, DeckAnalysis& result);

// Expected return per coin, and each final category's probability, of the
// analysed optimal play; as doubles for ratios, as exact decimals for print.
double ExpectedReturn(const DeckAnalysis& analysis);
double FinalCategoryProbability(const DeckAnalysis& analysis, int category);
std::string ExpectedReturnText(const DeckAnalysis& analysis, int decimals);
std::string FinalCategoryProbabilityText(const DeckAnalysis& analysis, int category, int decimals);
// What `better` returns more per coin than `worse` (two plays of one deck),
// exact; at least one decimal.
std::string ReturnDifferenceText(const DeckAnalysis& better, const DeckAnalysis& worse,
                                 int decimals);
