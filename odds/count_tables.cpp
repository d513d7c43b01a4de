#include "odds/count_tables.h"

#include "odds/splitter.h"

namespace {

constexpr int kCategories = kHandCategoryCount;

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

void BuildCountTables(OddsTables& tables, int threads) {
    ClassifyHands(5, threads, tables.naturalHands);
    ClassifyHands(4, threads, tables.jokerHands);
    CountFromHands(4, tables.naturalHands, threads, tables.natural[4]);
    CountFromHands(3, tables.jokerHands, threads, tables.joker[3]);
    for (int k = 3; k >= 0; --k)
        CountFromSupersets(k, tables.natural[k + 1], 5 - k, threads, tables.natural[k]);
    for (int k = 2; k >= 0; --k)
        CountFromSupersets(k, tables.joker[k + 1], 4 - k, threads, tables.joker[k]);
}

void BuildOddsTables(OddsTables& tables, int threads) {
    BuildCountTables(tables, threads);
    BuildSummaries(tables);
}
