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

// What decides the category of a hand of five natural cards, or of four
// and the joker, under this machine's rules, as a key: with the natural
// ranks all different, which ranks and whether of one suit; with a rank
// repeated (no straight, no flush), how many pairs of the natural cards
// share a rank (1 a pair, 2 two pair, 3 three of a kind, 4 a full house,
// 6 four of a kind).  Each key is classified once, by EvaluateHand on a
// hand that has it; a test holds every hand's category by its key to
// EvaluateHand's.  It spares the tables 2.9 million evaluations and the
// counts of four cards 13 million look-ups.
constexpr int kRanks = 13;
constexpr int kRepeatedKeys = 1 << (kRanks + 1);
constexpr int kHandKeys = kRepeatedKeys + 7;

inline int DistinctKey(int rankMask, bool oneSuit) { return rankMask | (oneSuit ? 1 << kRanks : 0); }
inline int RepeatedKey(int pairs) { return kRepeatedKeys + pairs; }

// The category of every key, for hands of `naturals` natural cards (5, or
// 4 with the joker).
struct HandKeys {
    int naturals;
    uint8_t category[kHandKeys];
};

void ClassifyHandKeys(int naturals, HandKeys& keys) {
    keys.naturals = naturals;
    for (int key = 0; key < kHandKeys; ++key) keys.category[key] = Nothing;
    Card cards[5] = {kJoker, kJoker, kJoker, kJoker, kJoker};
    for (int mask = 0; mask < 1 << kRanks; ++mask) {
        if (__builtin_popcount(unsigned(mask)) != naturals) continue;
        int n = 0;
        for (int rank = 0; rank < kRanks; ++rank)
            if (mask & (1 << rank)) cards[n++] = rank;     // all clubs
        keys.category[DistinctKey(mask, true)] = uint8_t(EvaluateHand(cards));
        cards[0] += kRanks;                                 // one diamond
        keys.category[DistinctKey(mask, false)] = uint8_t(EvaluateHand(cards));
    }
    // For each number of pairs, how many cards of each rank (aces, kings,
    // ...), in suits clubs, diamonds, ...
    const int ofRank[7][5] = {{}, {2, 1, 1, 1}, {2, 2, 1}, {3, 1, 1}, {3, 2}, {}, {4, 1}};
    for (int pairs = 1; pairs <= 6; ++pairs) {
        int n = 0;
        for (int rank = 0; rank < 5 && n < naturals; ++rank)
            for (int suit = 0; suit < ofRank[pairs][rank] && n < naturals; ++suit)
                cards[n++] = suit * kRanks + (kRanks - rank) % kRanks;
        if (n < naturals) continue;     // no such hand
        int shared = 0;
        for (int i = 0; i < naturals; ++i)
            for (int j = 0; j < i; ++j) shared += cards[i] % kRanks == cards[j] % kRanks;
        if (shared == pairs) keys.category[RepeatedKey(pairs)] = uint8_t(EvaluateHand(cards));
    }
}

// Natural cards as the keys see them: how many of each rank, which ranks,
// how many pairs share a rank, and whether they are of one suit.
struct KeyedCards {
    int ofRank[kRanks];
    int mask;
    int pairs;
    bool oneSuit;
    int suit;
};

void DescribeCards(const int* set, int count, KeyedCards& cards) {
    for (int& n : cards.ofRank) n = 0;
    cards.mask = 0;
    cards.pairs = 0;
    cards.oneSuit = true;
    cards.suit = set[0] / kRanks;
    for (int i = 0; i < count; ++i) {
        int r = set[i] % kRanks;
        cards.pairs += cards.ofRank[r]++;
        cards.mask |= 1 << r;
        cards.oneSuit = cards.oneSuit && set[i] / kRanks == cards.suit;
    }
}

// The key of the cards and one more of rank r and suit `suit`.
inline int KeyWith(const KeyedCards& cards, int r, int suit) {
    if (cards.pairs > 0 || cards.ofRank[r] > 0) return RepeatedKey(cards.pairs + cards.ofRank[r]);
    return DistinctKey(cards.mask | 1 << r, cards.oneSuit && suit == cards.suit);
}

// The category of every hand of keys.naturals natural cards (with the
// joker when 4), by rank.  The hands with the same highest cards but one
// are consecutive in rank order, the lowest card running through every
// card below them: those are described once for all of them.
void ClassifyHands(const HandKeys& keys, int threads, std::vector<uint8_t>& hands) {
    const int high = keys.naturals - 1;
    hands.assign(size_t(Choose(kNaturalCards, keys.naturals)), 0);
    ParallelFor(Choose(kNaturalCards, high), threads, [&](int, int64_t begin, int64_t end) {
        if (begin >= end) return;
        int set[5];
        UnrankSubset(begin, high, set);
        for (int64_t rank = begin; rank < end; ++rank) {
            // The rank of {low} + set is low + sum of C(set[i], i + 2).
            int64_t first = 0;
            for (int i = 0; i < high; ++i) first += Choose(set[i], i + 2);
            KeyedCards cards;
            DescribeCards(set, high, cards);
            for (int low = 0; low < set[0]; ++low)
                hands[size_t(first + low)] = keys.category[KeyWith(cards, low % kRanks, low / kRanks)];
            if (rank + 1 < end) NextSubset(high, set);
        }
    });
}

// Sets of keys.naturals - 1 natural cards counted over the natural cards
// that complete a hand (with the joker when keys.naturals is 4), a rank at
// a time: the cards of one rank make one key, or two when the set is of
// one suit and the rank new to it (the card of that suit).
void CountByRank(const HandKeys& keys, int threads, std::vector<int32_t>& table) {
    const int k = keys.naturals - 1;
    int64_t sets = Choose(kNaturalCards, k);
    table.assign(size_t(sets * kCategories), 0);
    ParallelFor(sets, threads, [&](int, int64_t begin, int64_t end) {
        if (begin >= end) return;
        int set[5];
        UnrankSubset(begin, k, set);
        for (int64_t rank = begin; rank < end; ++rank) {
            int32_t* counts = &table[size_t(rank * kCategories)];
            KeyedCards cards;
            DescribeCards(set, k, cards);
            for (int r = 0; r < kRanks; ++r) {
                int left = 4 - cards.ofRank[r];     // cards of this rank outside the set
                if (cards.pairs > 0 || cards.ofRank[r] > 0) {
                    counts[keys.category[KeyWith(cards, r, cards.suit)]] += left;
                } else if (cards.oneSuit) {
                    counts[keys.category[KeyWith(cards, r, cards.suit)]] += 1;
                    counts[keys.category[KeyWith(cards, r, -1)]] += left - 1;
                } else {
                    counts[keys.category[KeyWith(cards, r, -1)]] += left;
                }
            }
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
    HandKeys natural, joker;
    ClassifyHandKeys(5, natural);
    ClassifyHandKeys(4, joker);
    ClassifyHands(natural, threads, tables.naturalHands);
    ClassifyHands(joker, threads, tables.jokerHands);
    CountByRank(natural, threads, tables.natural[4]);
    CountByRank(joker, threads, tables.joker[3]);
    for (int k = 3; k >= 0; --k)
        CountFromSupersets(k, tables.natural[k + 1], 5 - k, threads, tables.natural[k]);
    for (int k = 2; k >= 0; --k)
        CountFromSupersets(k, tables.joker[k + 1], 4 - k, threads, tables.joker[k]);
}

void BuildOddsTables(OddsTables& tables, int threads) {
    BuildCountTables(tables, threads);
    BuildSummaries(tables);
}
