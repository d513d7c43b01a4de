#include "odds/deal_holds.h"

#include <algorithm>

namespace {

constexpr int kCategories = kHandCategoryCount;

// Bits set in each hold mask, and the highest of them.
struct MaskTable {
    int size[kHoldCount];
    int top[kHoldCount];
};
constexpr MaskTable MakeMaskTable() {
    MaskTable masks{};
    for (int mask = 0; mask < kHoldCount; ++mask) {
        masks.size[mask] = 0;
        masks.top[mask] = -1;
        for (int bit = 0; bit < 5; ++bit) {
            if (mask & (1 << bit)) {
                ++masks.size[mask];
                masks.top[mask] = bit;
            }
        }
    }
    return masks;
}
constexpr MaskTable kMasks = MakeMaskTable();

// The hands of the deck that contain the cards of `mask`: pay summed and
// the count of those paying nothing.
inline PaySummary GatherSummary(const OddsTables& tables, int deckSize, const SortedDeal& deal,
                                int mask) {
    int k = deal.size[mask];
    size_t rank = size_t(deal.rank[mask]);
    if (deal.joker[mask]) return tables.summaryWithJoker[k][rank];
    if (k == 5) return SummaryOfHand(NaturalCategory(tables, deal.cards));
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
            counts[NaturalCategory(tables, deal.cards)] = 1;
            return;
        }
        if (k == 4) {
            int cards[4];
            int n = 0;
            for (int i = 0; i < 5; ++i)
                if (mask & (1 << i)) cards[n++] = deal.cards[i];
            CountFourNaturals(tables, cards, counts);
        } else {
            const int32_t* from = &tables.natural[k][rank * kCategories];
            for (int c = 0; c < kCategories; ++c) counts[c] = from[c];
        }
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
        bool subtract = kMasks.size[extra] & 1;
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

void PrepareDeal(const int sortedCards[5], SortedDeal& deal) {
    for (int i = 0; i < 5; ++i) deal.cards[i] = sortedCards[i];
    deal.naturals = sortedCards[4] == kJoker ? 4 : 5;
    deal.rank[0] = 0;
    deal.size[0] = 0;
    deal.joker[0] = false;
    for (int mask = 1; mask < kHoldCount; ++mask) {
        if (deal.naturals == 4 && (mask & 16)) {
            deal.rank[mask] = deal.rank[mask & 15];
            deal.size[mask] = kMasks.size[mask & 15];
            deal.joker[mask] = true;
            continue;
        }
        int top = kMasks.top[mask];
        deal.size[mask] = kMasks.size[mask];
        deal.joker[mask] = false;
        deal.rank[mask] = deal.rank[mask ^ (1 << top)] + Choose(deal.cards[top], deal.size[mask]);
    }
}

int BestSortedHold(const OddsTables& tables, int deckSize, const SortedDeal& deal,
                   int64_t& bestPay) {
    int64_t draws[6];
    for (int held = 0; held <= 5; ++held) draws[held] = Choose(deckSize - 5, 5 - held);
    int64_t pay[kHoldCount];
    int64_t nothing[kHoldCount];
    for (int mask = 0; mask < kHoldCount; ++mask) {
        PaySummary summary = GatherSummary(tables, deckSize, deal, mask);
        pay[mask] = summary.pay;
        nothing[mask] = summary.nothing;
    }
    ExactlyTheseCards(pay);
    ExactlyTheseCards(nothing);

    int best = 0;
    for (int mask = 1; mask < kHoldCount; ++mask) {
        int held = kMasks.size[mask];
        int bestHeld = kMasks.size[best];
        if (HoldBeats(pay[mask], draws[held] - nothing[mask], draws[held], held, mask,
                      pay[best], draws[bestHeld] - nothing[best], draws[bestHeld], bestHeld,
                      best))
            best = mask;
    }
    bestPay = pay[best];
    return best;
}

void SortedHoldOutcome(const OddsTables& tables, int deckSize, const SortedDeal& deal, int mask,
                       HoldOutcome& outcome) {
    outcome.mask = mask;
    outcome.held = kMasks.size[mask];
    outcome.draws = Choose(deckSize - 5, 5 - outcome.held);
    HoldCounts(tables, deckSize, deal, mask, outcome.counts);
    outcome.pay = 0;
    for (int c = 0; c < kCategories; ++c) outcome.pay += outcome.counts[c] * PayoutTable[c].perCoin;
}

int DealtCategory(const OddsTables& tables, const SortedDeal& deal) {
    return deal.naturals == 5 ? NaturalCategory(tables, deal.cards)
                              : tables.jokerHands[size_t(deal.rank[15])];
}

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
        outcome.held = kMasks.size[mask];
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
    int64_t bestPay = 0;
    int best = BestSortedHold(tables, deckSize, sorted, bestPay);
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

bool BetterHold(const HoldOutcome& a, const HoldOutcome& b) {
    return HoldBeats(a.pay, PayingDraws(a), a.draws, a.held, a.mask,
                     b.pay, PayingDraws(b), b.draws, b.held, b.mask);
}

void SortHoldsBestFirst(HoldOutcome outcomes[kHoldCount]) {
    std::sort(outcomes, outcomes + kHoldCount, BetterHold);
}
