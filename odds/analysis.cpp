#include "odds/analysis.h"

#include <algorithm>

#include "engine/payout.h"
#include "odds/text_format.h"

namespace {

constexpr int kCategories = kHandCategoryCount;

struct BinomialTable {
    int64_t value[kDeckSize + 1][7];
    BinomialTable() {
        for (int n = 0; n <= kDeckSize; ++n) {
            for (int k = 0; k <= 6; ++k) {
                if (k == 0) value[n][k] = 1;
                else if (n == 0) value[n][k] = 0;
                else value[n][k] = value[n - 1][k - 1] + value[n - 1][k];
            }
        }
    }
};

const BinomialTable gBinomial;

inline int64_t Choose(int n, int k) { return gBinomial.value[n][k]; }

// The set of k natural cards with the given rank, ascending.
void UnrankSubset(int64_t rank, int k, int* cards) {
    for (int i = k - 1; i >= 0; --i) {
        int c = i;
        while (Choose(c + 1, i + 1) <= rank) ++c;
        cards[i] = c;
        rank -= Choose(c, i + 1);
    }
}

// The next set of the same size in rank order.
void NextSubset(int k, int* cards) {
    int i = 0;
    while (i + 1 < k && cards[i] + 1 == cards[i + 1]) ++i;
    ++cards[i];
    for (int j = 0; j < i; ++j) cards[j] = j;
}

// Calls visit(rank of S + c) for every natural card c outside the sorted
// k-set S.  The cards of S below c keep their place in the set, those above
// move one place up.
template <typename Visit>
void ForEachExtension(const int* set, int k, Visit visit) {
    int64_t low[6];
    int64_t high[6];
    low[0] = 0;
    for (int i = 0; i < k; ++i) low[i + 1] = low[i] + Choose(set[i], i + 1);
    high[k] = 0;
    for (int i = k - 1; i >= 0; --i) high[i] = high[i + 1] + Choose(set[i], i + 2);
    int below = 0;
    for (int c = 0; c < kNaturalCards; ++c) {
        if (below < k && set[below] == c) {
            ++below;
            continue;
        }
        visit(low[below] + Choose(c, below + 1) + high[below]);
    }
}

// Categories of every hand of `k` natural cards (4 or 5), with the joker
// added when k is 4.
void ClassifyHands(int k, int threads, std::vector<uint8_t>& hands) {
    hands.assign(size_t(Choose(kNaturalCards, k)), 0);
    ParallelFor(int64_t(hands.size()), threads, [&](int, int64_t begin, int64_t end) {
        if (begin >= end) return;
        int set[5];
        UnrankSubset(begin, k, set);
        for (int64_t rank = begin; rank < end; ++rank) {
            Card cards[5];
            for (int i = 0; i < k; ++i) cards[i] = set[i];
            if (k == 4) cards[4] = kJoker;
            hands[size_t(rank)] = uint8_t(EvaluateHand(cards));
            if (rank + 1 < end) NextSubset(k, set);
        }
    });
}

// Sets of k cards counted from the classified hands of k + 1 natural cards.
void CountFromHands(int k, const std::vector<uint8_t>& hands, int threads,
                    std::vector<int32_t>& table) {
    int64_t sets = Choose(kNaturalCards, k);
    table.assign(size_t(sets * kCategories), 0);
    ParallelFor(sets, threads, [&](int, int64_t begin, int64_t end) {
        if (begin >= end) return;
        int set[5];
        UnrankSubset(begin, k, set);
        for (int64_t rank = begin; rank < end; ++rank) {
            int32_t* counts = &table[size_t(rank * kCategories)];
            ForEachExtension(set, k, [&](int64_t bigger) { ++counts[hands[size_t(bigger)]]; });
            if (rank + 1 < end) NextSubset(k, set);
        }
    });
}

// Sets of k cards counted from the sets of k + 1: a hand with m cards
// beyond the set is reached through each of those m cards.
void CountFromSupersets(int k, const std::vector<int32_t>& bigger, int beyond, int threads,
                        std::vector<int32_t>& table) {
    int64_t sets = Choose(kNaturalCards, k);
    table.assign(size_t(sets * kCategories), 0);
    ParallelFor(sets, threads, [&](int, int64_t begin, int64_t end) {
        if (begin >= end) return;
        int set[5] = {0, 1, 2, 3, 4};
        if (k > 0) UnrankSubset(begin, k, set);
        for (int64_t rank = begin; rank < end; ++rank) {
            int64_t sum[kCategories] = {};
            ForEachExtension(set, k, [&](int64_t superset) {
                const int32_t* from = &bigger[size_t(superset * kCategories)];
                for (int c = 0; c < kCategories; ++c) sum[c] += from[c];
            });
            int32_t* counts = &table[size_t(rank * kCategories)];
            for (int c = 0; c < kCategories; ++c) counts[c] = int32_t(sum[c] / beyond);
            if (k > 0 && rank + 1 < end) NextSubset(k, set);
        }
    });
}

PaySummary SummaryOf(const int32_t* counts) {
    PaySummary summary = {0, counts[Nothing]};
    for (int c = 0; c < kCategories; ++c) summary.pay += int64_t(counts[c]) * PayoutTable[c].perCoin;
    return summary;
}

PaySummary SummaryOfHand(int category) {
    return {PayoutTable[category].perCoin, category == Nothing ? 1 : 0};
}

void BuildSummaries(OddsTables& tables) {
    for (int k = 0; k <= 4; ++k) {
        size_t sets = size_t(Choose(kNaturalCards, k));
        tables.summary52[k].resize(sets);
        tables.summary53[k].resize(sets);
        tables.summaryWithJoker[k].resize(sets);
        for (size_t s = 0; s < sets; ++s) {
            PaySummary natural = SummaryOf(&tables.natural[k][s * kCategories]);
            PaySummary joker = k == 4 ? SummaryOfHand(tables.jokerHands[s])
                                      : SummaryOf(&tables.joker[k][s * kCategories]);
            tables.summary52[k][s] = natural;
            tables.summaryWithJoker[k][s] = joker;
            tables.summary53[k][s] = {natural.pay + joker.pay, natural.nothing + joker.nothing};
        }
    }
}

// Bits set in each hold mask, and the highest of them.
struct MaskTable {
    int size[kHoldCount];
    int top[kHoldCount];
    MaskTable() {
        for (int mask = 0; mask < kHoldCount; ++mask) {
            size[mask] = 0;
            top[mask] = -1;
            for (int bit = 0; bit < 5; ++bit) {
                if (mask & (1 << bit)) {
                    ++size[mask];
                    top[mask] = bit;
                }
            }
        }
    }
};

const MaskTable gMasks;

// A deal with its cards ascending (the joker, when there, last) and, for
// every mask over those sorted places, the size and rank of its natural
// cards and whether it keeps the joker.
struct SortedDeal {
    int cards[5];
    int naturals;           // 5, or 4 with the joker in place 4
    int size[kHoldCount];
    bool joker[kHoldCount];
    int64_t rank[kHoldCount];
};

void PrepareDeal(const int* sortedCards, SortedDeal& deal) {
    for (int i = 0; i < 5; ++i) deal.cards[i] = sortedCards[i];
    deal.naturals = sortedCards[4] == kJoker ? 4 : 5;
    deal.rank[0] = 0;
    deal.size[0] = 0;
    deal.joker[0] = false;
    for (int mask = 1; mask < kHoldCount; ++mask) {
        if (deal.naturals == 4 && (mask & 16)) {
            deal.rank[mask] = deal.rank[mask & 15];
            deal.size[mask] = gMasks.size[mask & 15];
            deal.joker[mask] = true;
            continue;
        }
        int top = gMasks.top[mask];
        deal.size[mask] = gMasks.size[mask];
        deal.joker[mask] = false;
        deal.rank[mask] = deal.rank[mask ^ (1 << top)] + Choose(deal.cards[top], deal.size[mask]);
    }
}

// The hands of the deck that contain the cards of `mask`: pay summed and
// the count of those paying nothing.
inline PaySummary GatherSummary(const OddsTables& tables, int deckSize, const SortedDeal& deal,
                                int mask) {
    int k = deal.size[mask];
    size_t rank = size_t(deal.rank[mask]);
    if (deal.joker[mask]) return tables.summaryWithJoker[k][rank];
    if (k == 5) return SummaryOfHand(tables.naturalHands[rank]);
    return deckSize == kNaturalCards ? tables.summary52[k][rank] : tables.summary53[k][rank];
}

// The same, per category.
void GatherCounts(const OddsTables& tables, int deckSize, const SortedDeal& deal, int mask,
                  int64_t counts[kCategories]) {
    int k = deal.size[mask];
    size_t rank = size_t(deal.rank[mask]);
    for (int c = 0; c < kCategories; ++c) counts[c] = 0;
    if (!deal.joker[mask]) {
        if (k == 5) {
            counts[tables.naturalHands[rank]] = 1;
            return;
        }
        const int32_t* from = &tables.natural[k][rank * kCategories];
        for (int c = 0; c < kCategories; ++c) counts[c] = from[c];
        if (deckSize == kNaturalCards) return;
    }
    if (k == 4) {
        ++counts[tables.jokerHands[rank]];
    } else {
        const int32_t* from = &tables.joker[k][rank * kCategories];
        for (int c = 0; c < kCategories; ++c) counts[c] += from[c];
    }
}

// From "hands containing the cards of mask" to "hands meeting the deal in
// exactly the cards of mask": subtract, one discarded card at a time.
template <typename T>
void ExactlyTheseCards(T values[kHoldCount]) {
    for (int bit = 1; bit < kHoldCount; bit <<= 1)
        for (int block = 0; block < kHoldCount; block += 2 * bit)
            for (int mask = block; mask < block + bit; ++mask) values[mask] -= values[mask + bit];
}

// The final hands of one hold: inclusion-exclusion over the discards only.
void HoldCounts(const OddsTables& tables, int deckSize, const SortedDeal& deal, int hold,
                int64_t counts[kCategories]) {
    for (int c = 0; c < kCategories; ++c) counts[c] = 0;
    int discards = ~hold & 31;
    for (int extra = discards;; extra = (extra - 1) & discards) {
        int64_t part[kCategories];
        GatherCounts(tables, deckSize, deal, hold | extra, part);
        bool subtract = gMasks.size[extra] & 1;
        for (int c = 0; c < kCategories; ++c) counts[c] += subtract ? -part[c] : part[c];
        if (extra == 0) break;
    }
}

bool HoldBeats(int64_t payA, int64_t hitsA, int64_t drawsA, int heldA, int maskA,
               int64_t payB, int64_t hitsB, int64_t drawsB, int heldB, int maskB) {
    // Values are numerators over their draws; compare cross-multiplied.
    int64_t left = payA * drawsB;
    int64_t right = payB * drawsA;
    if (left != right) return left > right;
    left = hitsA * drawsB;
    right = hitsB * drawsA;
    if (left != right) return left > right;
    if (heldA != heldB) return heldA < heldB;
    return maskA < maskB;
}

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

// The best hold of a prepared deal, over its sorted places, chosen on the
// pay summaries alone; its summed pay in `bestPay`.
int BestSortedHold(const OddsTables& tables, int deckSize, const SortedDeal& sorted,
                   const int64_t draws[6], int64_t& bestPay) {
    int64_t pay[kHoldCount];
    int64_t nothing[kHoldCount];
    for (int mask = 0; mask < kHoldCount; ++mask) {
        PaySummary summary = GatherSummary(tables, deckSize, sorted, mask);
        pay[mask] = summary.pay;
        nothing[mask] = summary.nothing;
    }
    ExactlyTheseCards(pay);
    ExactlyTheseCards(nothing);

    int best = 0;
    for (int mask = 1; mask < kHoldCount; ++mask) {
        int held = gMasks.size[mask];
        int bestHeld = gMasks.size[best];
        if (HoldBeats(pay[mask], draws[held] - nothing[mask], draws[held], held, mask,
                      pay[best], draws[bestHeld] - nothing[best], draws[bestHeld], bestHeld,
                      best))
            best = mask;
    }
    bestPay = pay[best];
    return best;
}

void AnalyseClass(const OddsTables& tables, int deckSize, const DealClass& deal,
                  const int64_t draws[6], DeckAnalysis& into) {
    SortedDeal sorted;
    PrepareDeal(deal.cards, sorted);
    HoldOutcome best;
    best.mask = BestSortedHold(tables, deckSize, sorted, draws, best.pay);
    best.held = gMasks.size[best.mask];
    best.draws = draws[best.held];
    HoldCounts(tables, deckSize, sorted, best.mask, best.counts);
    int dealt = sorted.naturals == 5 ? tables.naturalHands[size_t(sorted.rank[31])]
                                     : tables.jokerHands[size_t(sorted.rank[15])];
    CountDeal(into, deal.weight, dealt, best);
}

}  // namespace

int64_t Binomial(int n, int k) {
    if (n < 0 || k < 0 || k > n) return 0;
    if (n <= kDeckSize && k <= 6) return Choose(n, k);
    if (k > n - k) k = n - k;
    int64_t value = 1;
    for (int i = 1; i <= k; ++i) value = value * (n - k + i) / i;
    return value;
}

int64_t SubsetRank(const int* sortedCards, int count) {
    int64_t rank = 0;
    for (int i = 0; i < count; ++i) rank += Choose(sortedCards[i], i + 1);
    return rank;
}

void BuildOddsTables(OddsTables& tables, int threads) {
    ClassifyHands(5, threads, tables.naturalHands);
    ClassifyHands(4, threads, tables.jokerHands);
    CountFromHands(4, tables.naturalHands, threads, tables.natural[4]);
    CountFromHands(3, tables.jokerHands, threads, tables.joker[3]);
    for (int k = 3; k >= 0; --k)
        CountFromSupersets(k, tables.natural[k + 1], 5 - k, threads, tables.natural[k]);
    for (int k = 2; k >= 0; --k)
        CountFromSupersets(k, tables.joker[k + 1], 4 - k, threads, tables.joker[k]);
    BuildSummaries(tables);
}

namespace {

// A deal of five distinct cards of the deck put in ascending order;
// order[i] is the place in the deal of the i-th lowest card.
bool SortDeal(int deckSize, const Card deal[5], int order[5], SortedDeal& sorted) {
    if (!DealIsOfDeck(deckSize, deal)) return false;
    for (int i = 0; i < 5; ++i) order[i] = i;
    std::sort(order, order + 5, [&](int a, int b) { return deal[a] < deal[b]; });
    int sortedCards[5];
    for (int i = 0; i < 5; ++i) sortedCards[i] = deal[order[i]];
    PrepareDeal(sortedCards, sorted);
    return true;
}

int MaskInDealOrder(int sortedMask, const int order[5]) {
    int mask = 0;
    for (int i = 0; i < 5; ++i)
        if (sortedMask & (1 << i)) mask |= 1 << order[i];
    return mask;
}

}  // namespace

bool EvaluateHolds(const OddsTables& tables, int deckSize, const Card deal[5],
                   HoldOutcome outcomes[kHoldCount]) {
    int order[5];
    SortedDeal sorted;
    if (!SortDeal(deckSize, deal, order, sorted)) return false;

    int64_t counts[kHoldCount][kCategories];
    for (int mask = 0; mask < kHoldCount; ++mask)
        GatherCounts(tables, deckSize, sorted, mask, counts[mask]);
    for (int c = 0; c < kCategories; ++c) {
        int64_t column[kHoldCount];
        for (int mask = 0; mask < kHoldCount; ++mask) column[mask] = counts[mask][c];
        ExactlyTheseCards(column);
        for (int mask = 0; mask < kHoldCount; ++mask) counts[mask][c] = column[mask];
    }
    for (int sortedMask = 0; sortedMask < kHoldCount; ++sortedMask) {
        int mask = MaskInDealOrder(sortedMask, order);
        HoldOutcome& outcome = outcomes[mask];
        outcome.mask = mask;
        outcome.held = gMasks.size[mask];
        outcome.draws = Choose(deckSize - 5, 5 - outcome.held);
        outcome.pay = 0;
        for (int c = 0; c < kCategories; ++c) {
            outcome.counts[c] = counts[sortedMask][c];
            outcome.pay += counts[sortedMask][c] * PayoutTable[c].perCoin;
        }
    }
    return true;
}

int BestHold(const OddsTables& tables, int deckSize, const Card deal[5], int64_t* pay) {
    int order[5];
    SortedDeal sorted;
    if (!SortDeal(deckSize, deal, order, sorted)) return -1;
    int64_t draws[6];
    for (int held = 0; held <= 5; ++held) draws[held] = Choose(deckSize - 5, 5 - held);
    int64_t bestPay = 0;
    int best = BestSortedHold(tables, deckSize, sorted, draws, bestPay);
    if (pay != nullptr) *pay = bestPay;
    return MaskInDealOrder(best, order);
}

bool DealIsOfDeck(int deckSize, const Card deal[5]) {
    if (deckSize != kNaturalCards && deckSize != kDeckSize) return false;
    for (int i = 0; i < 5; ++i) {
        if (deal[i] < 0 || deal[i] >= deckSize) return false;
        for (int j = 0; j < i; ++j)
            if (deal[j] == deal[i]) return false;
    }
    return true;
}

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

bool BetterHold(const HoldOutcome& a, const HoldOutcome& b) {
    return HoldBeats(a.pay, a.draws - a.counts[Nothing], a.draws, a.held, a.mask,
                     b.pay, b.draws - b.counts[Nothing], b.draws, b.held, b.mask);
}

void SortHoldsBestFirst(HoldOutcome outcomes[kHoldCount]) {
    std::sort(outcomes, outcomes + kHoldCount, BetterHold);
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
    int64_t draws[6];
    for (int held = 0; held <= 5; ++held) draws[held] = Choose(deckSize - 5, 5 - held);

    if (threads < 1) threads = 1;
    std::vector<DeckAnalysis> parts(static_cast<size_t>(threads));
    // Interleaved blocks share out the cheaper joker deals evenly.
    constexpr int64_t kBlock = 512;
    int64_t blocks = (int64_t(classes.size()) + kBlock - 1) / kBlock;
    ParallelFor(threads, threads, [&](int t, int64_t, int64_t) {
        for (int64_t block = t; block < blocks; block += threads) {
            int64_t end = std::min<int64_t>(int64_t(classes.size()), (block + 1) * kBlock);
            for (int64_t i = block * kBlock; i < end; ++i)
                AnalyseClass(tables, deckSize, classes[size_t(i)], draws, parts[size_t(t)]);
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
    for (int held = 0; held <= 5; ++held)
        denominators[held] = Choose(analysis.deckSize - 5, 5 - held) * analysis.deals;
    return SumText(analysis.payByHeld, denominators, 6, decimals);
}

std::string FinalCategoryProbabilityText(const DeckAnalysis& analysis, int category,
                                         int decimals) {
    int64_t numerators[6];
    int64_t denominators[6];
    for (int held = 0; held <= 5; ++held) {
        numerators[held] = analysis.countsByHeld[held][category];
        denominators[held] = Choose(analysis.deckSize - 5, 5 - held) * analysis.deals;
    }
    return SumText(numerators, denominators, 6, decimals);
}
