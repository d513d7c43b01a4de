#include "odds/deal_sweep.h"

#include <algorithm>

#include "odds/text_format.h"

namespace {

constexpr int kCategories = kHandCategoryCount;

// One deal per suit pattern: the rank sets of the four suits, read as
// 13-bit numbers, never increase from clubs to spades.  The weight is the
// number of distinct suit permutations of the pattern.
void EnumerateSuitPatterns(int naturals, bool withJoker, std::vector<DealClass>& classes) {
    std::vector<int> masksOfSize[6];
    for (int mask = 0; mask < (1 << 13); ++mask) {
        int size = 0;
        for (int bit = 0; bit < 13; ++bit) size += (mask >> bit) & 1;
        if (size <= 5) masksOfSize[size].push_back(mask);
    }
    int masks[4];
    auto emit = [&]() {
        DealClass deal;
        int n = 0;
        for (int suit = 0; suit < 4; ++suit)
            for (int r = 0; r < 13; ++r)
                if (masks[suit] & (1 << r)) deal.cards[n++] = 13 * suit + r;
        if (withJoker) deal.cards[n++] = kJoker;
        int32_t permutations = 24;
        for (int i = 0, run = 1; i < 4; ++i) {
            if (i > 0 && masks[i] == masks[i - 1]) permutations /= ++run;
            else run = 1;
        }
        deal.weight = permutations;
        classes.push_back(deal);
    };
    auto place = [&](auto& self, int suit, int remaining, int bound) -> void {
        int lowest = suit == 3 ? remaining : 0;
        for (int size = lowest; size <= remaining; ++size) {
            for (int mask : masksOfSize[size]) {
                if (mask > bound) break;
                masks[suit] = mask;
                if (suit == 3) emit();
                else self(self, suit + 1, remaining - size, mask);
            }
        }
    };
    place(place, 0, naturals, (1 << 13) - 1);
}

void AnalyseClass(const OddsTables& tables, int deckSize, const DealClass& deal,
                  DeckAnalysis& into) {
    SortedDeal sorted;
    PrepareDeal(deal.cards, sorted);
    int64_t pay = 0;
    HoldOutcome best;
    SortedHoldOutcome(tables, deckSize, sorted, BestSortedHold(tables, deckSize, sorted, pay),
                      best);
    CountDeal(into, deal.weight, DealtCategory(tables, sorted), best);
}

// The terms of a sum over the numbers of cards kept: numerator k over
// C(deck - 5, 5 - k) deals' draws.
void DenominatorsByHeld(const DeckAnalysis& analysis, int64_t denominators[6]) {
    for (int held = 0; held <= 5; ++held)
        denominators[held] = Choose(analysis.deckSize - 5, 5 - held) * analysis.deals;
}

}  // namespace

void CountDeal(DeckAnalysis& into, int64_t weight, int dealt, const HoldOutcome& hold) {
    into.dealClasses += 1;
    into.dealCounts[dealt] += weight;
    into.dealsByHeld[hold.held] += weight;
    into.payByHeld[hold.held] += weight * hold.pay;
    for (int c = 0; c < kCategories; ++c) into.countsByHeld[hold.held][c] += weight * hold.counts[c];
}

void MergeAnalysis(const DeckAnalysis& part, DeckAnalysis& into) {
    into.dealClasses += part.dealClasses;
    for (int k = 0; k <= 5; ++k) {
        into.dealsByHeld[k] += part.dealsByHeld[k];
        into.payByHeld[k] += part.payByHeld[k];
        for (int c = 0; c < kCategories; ++c) into.countsByHeld[k][c] += part.countsByHeld[k][c];
    }
    for (int c = 0; c < kCategories; ++c) into.dealCounts[c] += part.dealCounts[c];
}

void EnumerateDealClasses(int deckSize, std::vector<DealClass>& classes) {
    classes.clear();
    EnumerateSuitPatterns(5, false, classes);
    if (deckSize == kDeckSize) EnumerateSuitPatterns(4, true, classes);
}

void AnalyseDeck(const OddsTables& tables, int deckSize, int threads, DeckAnalysis& result) {
    result = DeckAnalysis();
    result.deckSize = deckSize;
    result.deals = Choose(deckSize, 5);
    std::vector<DealClass> classes;
    EnumerateDealClasses(deckSize, classes);

    if (threads < 1) threads = 1;
    std::vector<DeckAnalysis> parts(static_cast<size_t>(threads));
    // Interleaved blocks share out the cheaper joker deals evenly.
    constexpr int64_t kBlock = 512;
    int64_t blocks = (int64_t(classes.size()) + kBlock - 1) / kBlock;
    ParallelFor(threads, threads, [&](int t, int64_t, int64_t) {
        for (int64_t block = t; block < blocks; block += threads) {
            int64_t end = std::min<int64_t>(int64_t(classes.size()), (block + 1) * kBlock);
            for (int64_t i = block * kBlock; i < end; ++i)
                AnalyseClass(tables, deckSize, classes[size_t(i)], parts[size_t(t)]);
        }
    });
    for (const DeckAnalysis& part : parts) MergeAnalysis(part, result);
}

double ExpectedReturn(const DeckAnalysis& analysis) {
    double sum = 0;
    for (int held = 0; held <= 5; ++held)
        sum += double(analysis.payByHeld[held]) /
               double(Choose(analysis.deckSize - 5, 5 - held));
    return sum / double(analysis.deals);
}

double FinalCategoryProbability(const DeckAnalysis& analysis, int category) {
    double sum = 0;
    for (int held = 0; held <= 5; ++held)
        sum += double(analysis.countsByHeld[held][category]) /
               double(Choose(analysis.deckSize - 5, 5 - held));
    return sum / double(analysis.deals);
}

std::string ExpectedReturnText(const DeckAnalysis& analysis, int decimals) {
    int64_t denominators[6];
    DenominatorsByHeld(analysis, denominators);
    return SumText(analysis.payByHeld, denominators, 6, decimals);
}

std::string FinalCategoryProbabilityText(const DeckAnalysis& analysis, int category,
                                         int decimals) {
    int64_t numerators[6];
    int64_t denominators[6];
    DenominatorsByHeld(analysis, denominators);
    for (int held = 0; held <= 5; ++held) numerators[held] = analysis.countsByHeld[held][category];
    return SumText(numerators, denominators, 6, decimals);
}

std::string ReturnDifferenceText(const DeckAnalysis& better, const DeckAnalysis& worse,
                                 int decimals) {
    // One exact term per number of held cards, as the returns themselves.
    int64_t numerators[6];
    int64_t denominators[6];
    DenominatorsByHeld(better, denominators);
    for (int k = 0; k <= 5; ++k) numerators[k] = better.payByHeld[k] - worse.payByHeld[k];
    return SumText(numerators, denominators, 6, decimals < 1 ? 1 : decimals);
}
