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
// EvaluateHand's.  It spares the tables 2.9 million evaluations, and the
// counts of three and four cards the look-ups of every hand.
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
// joker when 4), by rank: the joker's are kept (the five natural cards'
// are looked up by key when asked).  The hands with the same highest cards but one
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

// The hands that contain the cards described (four natural cards, or
// three with the joker when `category` is the joker's keys) added to
// `counts`, `times` over, a rank at a time: the cards of one rank make one
// key, or two when the cards are of one suit and the rank new to them (the
// card of that suit).
void AddCountsByRank(const uint8_t* category, const KeyedCards& cards, int64_t times,
                     int64_t counts[kCategories]) {
    for (int r = 0; r < kRanks; ++r) {
        int64_t left = 4 - cards.ofRank[r];     // cards of this rank outside the set
        if (left == 0) continue;                // (and no key for five of a rank)
        if (cards.pairs > 0 || cards.ofRank[r] > 0) {
            counts[category[KeyWith(cards, r, cards.suit)]] += times * left;
        } else if (cards.oneSuit) {
            counts[category[KeyWith(cards, r, cards.suit)]] += times;
            counts[category[KeyWith(cards, r, -1)]] += times * (left - 1);
        } else {
            counts[category[KeyWith(cards, r, -1)]] += times * left;
        }
    }
}

// The cards described and one more of rank r and suit `suit`.
KeyedCards With(const KeyedCards& cards, int r, int suit) {
    KeyedCards more = cards;
    more.pairs += more.ofRank[r]++;
    more.mask |= 1 << r;
    more.oneSuit = cards.oneSuit && suit == cards.suit;
    return more;
}

// Sets of three natural cards counted over every hand that contains them,
// with the joker (`keys` the joker's: a rank at a time over the fourth
// natural card) or without (the natural keys: over the fourth card, a rank
// and a suit case at a time, and then the fifth, each hand reached twice).
void CountThrees(const HandKeys& keys, int threads, std::vector<int32_t>& table) {
    const bool joker = keys.naturals == 4;
    int64_t sets = Choose(kNaturalCards, 3);
    table.assign(size_t(sets * kCategories), 0);
    ParallelFor(sets, threads, [&](int, int64_t begin, int64_t end) {
        if (begin >= end) return;
        int set[5];
        UnrankSubset(begin, 3, set);
        for (int64_t rank = begin; rank < end; ++rank) {
            KeyedCards three;
            DescribeCards(set, 3, three);
            int64_t sum[kCategories] = {};
            if (joker) {
                AddCountsByRank(keys.category, three, 1, sum);
            } else {
                for (int r = 0; r < kRanks; ++r) {
                    int64_t left = 4 - three.ofRank[r];
                    if (three.oneSuit && three.ofRank[r] == 0) {
                        AddCountsByRank(keys.category, With(three, r, three.suit), 1, sum);
                        AddCountsByRank(keys.category, With(three, r, -1), left - 1, sum);
                    } else if (left > 0) {
                        AddCountsByRank(keys.category, With(three, r, -1), left, sum);
                    }
                }
                for (int64_t& count : sum) count /= 2;
            }
            int32_t* counts = &table[size_t(rank * kCategories)];
            for (int c = 0; c < kCategories; ++c) counts[c] = int32_t(sum[c]);
            if (rank + 1 < end) NextSubset(3, set);
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
        int set[4] = {0, 1, 2, 3};
        for (size_t s = 0; s < sets; ++s) {
            int32_t four[kCategories];
            if (k == 4) {
                int64_t counts[kCategories];
                CountFourNaturals(tables, set, counts);
                for (int c = 0; c < kCategories; ++c) four[c] = int32_t(counts[c]);
                if (s + 1 < sets) NextSubset(4, set);
            }
            PaySummary natural = SummaryOf(k == 4 ? four : &tables.natural[k][s * kCategories]);
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

int NaturalCategory(const OddsTables& tables, const int sortedCards[5]) {
    KeyedCards four;
    DescribeCards(sortedCards + 1, 4, four);
    return tables.naturalKeys[size_t(KeyWith(four, sortedCards[0] % kRanks, sortedCards[0] / kRanks))];
}

void CountFourNaturals(const OddsTables& tables, const int sortedCards[4],
                       int64_t counts[kHandCategoryCount]) {
    KeyedCards four;
    DescribeCards(sortedCards, 4, four);
    for (int c = 0; c < kCategories; ++c) counts[c] = 0;
    AddCountsByRank(tables.naturalKeys.data(), four, 1, counts);
}

void BuildCountTables(OddsTables& tables, int threads) {
    HandKeys natural, joker;
    ClassifyHandKeys(5, natural);
    ClassifyHandKeys(4, joker);
    ClassifyHands(joker, threads, tables.jokerHands);
    tables.naturalKeys.assign(natural.category, natural.category + kHandKeys);
    CountThrees(natural, threads, tables.natural[3]);
    CountThrees(joker, threads, tables.joker[3]);
    for (int k = 2; k >= 0; --k)
        CountFromSupersets(k, tables.natural[k + 1], 5 - k, threads, tables.natural[k]);
    for (int k = 2; k >= 0; --k)
        CountFromSupersets(k, tables.joker[k + 1], 4 - k, threads, tables.joker[k]);
}

void BuildOddsTables(OddsTables& tables, int threads) {
    BuildCountTables(tables, threads);
    BuildSummaries(tables);
}
