#include "engine/evaluate.h"

namespace {

struct SuitRank {
    int suit;
    int rank;
};

// Four natural cards that the joker completes to a sequence: a run of four
// extended at either end, or a run with one gap that the joker fills.
bool WildStraightPattern(int d1, int d2, int d3) {
    if (d1 == 1 && d2 == 2 && d3 == 3) return true;
    if (d1 == 1 && d2 == 2 && d3 == 4) return true;
    if (d1 == 1 && d2 == 3 && d3 == 4) return true;
    return d1 == 2 && d2 == 3 && d3 == 4;
}

// Four of 10, J, Q, K, A (the ace as 1, so it sorts first); the joker is the
// fifth.
bool FourRoyalRanks(int r0, int r1, int r2, int r3) {
    if (r0 == 10) return r1 == 11 && r2 == 12 && r3 == 13;
    if (r0 != 1) return false;
    if (r1 == 10 && r2 == 11 && r3 == 12) return true;
    if (r1 == 10 && r2 == 11 && r3 == 13) return true;
    if (r1 == 10 && r2 == 12 && r3 == 13) return true;
    return r1 == 11 && r2 == 12 && r3 == 13;
}

}  // namespace

// The tests are taken in a fixed order and the first that holds decides.
// The order is part of the rules: the ace is high only in the two royal
// tests, and the joker with 10-J-Q-K suited is a wild royal, not the 9 of a
// straight flush.
HandCategory EvaluateHand(const Card cards[5]) {
    SuitRank h[5];
    for (int i = 0; i < 5; ++i) h[i] = {CardSuit(cards[i]), CardRank(cards[i])};
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 5; ++j) {
            if (h[i].rank > h[j].rank) {
                SuitRank t = h[i];
                h[i] = h[j];
                h[j] = t;
            }
        }
    }
    const int r0 = h[0].rank, r1 = h[1].rank, r2 = h[2].rank, r3 = h[3].rank, r4 = h[4].rank;
    const bool joker = h[4].suit == kJokerSuit;
    const bool f4 = h[0].suit == h[1].suit && h[1].suit == h[2].suit && h[2].suit == h[3].suit;
    const bool f5 = f4 && h[4].suit == h[3].suit;
    const int d1 = r1 - r0, d2 = r2 - r0, d3 = r3 - r0, d4 = r4 - r0;
    const bool run5 = d1 == 1 && d2 == 2 && d3 == 3 && d4 == 4;
    const bool wildRun = WildStraightPattern(d1, d2, d3);

    if (f5 && r0 == 1 && r1 == 10 && r2 == 11 && r3 == 12 && r4 == 13) return RoyalFlush;
    if (f5 && run5) return StraightFlush;
    if (f5) return Flush;
    if (joker && f4 && FourRoyalRanks(r0, r1, r2, r3)) return WildRoyalFlush;
    if (joker && f4 && wildRun) return StraightFlush;
    if (joker && r0 == r1 && r1 == r2 && r2 == r3) return FiveOfAKind;
    if (joker && f4) return Flush;
    if ((r0 == r1 && r1 == r2 && r2 == r3) || (r1 == r2 && r2 == r3 && r3 == r4)) return FourOfAKind;
    if (joker && ((r0 == r1 && r1 == r2) || (r1 == r2 && r2 == r3))) return FourOfAKind;
    if ((r0 == r1 && r2 == r3 && r3 == r4) || (r0 == r1 && r1 == r2 && r3 == r4)) return FullHouse;
    if (joker && r0 == r1 && r2 == r3) return FullHouse;
    if (run5) return Straight;
    if (joker && wildRun) return Straight;
    if ((r0 == r1 && r1 == r2) || (r1 == r2 && r2 == r3) || (r2 == r3 && r3 == r4)) return ThreeOfAKind;
    if (joker && (r0 == r1 || r1 == r2 || r2 == r3)) return ThreeOfAKind;
    if ((r0 == r1 && r2 == r3) || (r1 == r2 && r3 == r4) || (r0 == r1 && r3 == r4)) return TwoPair;
    return Nothing;
}
