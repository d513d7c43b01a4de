#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "engine/evaluate.h"
#include "tests/engine/test_cards.h"

namespace {

HandCategory Evaluate(const std::string& text) { return EvaluateHand(HandOf(text).data()); }

struct HandCase {
    const char* hand;
    HandCategory expected;
};

// The rules of this machine that differ from ordinary poker are the ones
// worth pinning down: the ace is high only in a royal, there is no pair,
// and the joker's reading follows the fixed order of the tests.
const HandCase kHands[] = {
    {"AH TH JH QH KH", RoyalFlush},
    {"JK TH JH QH KH", WildRoyalFlush},
    {"JS QS KS AS JK", WildRoyalFlush},
    {"AC TC JC QC JK", WildRoyalFlush},
    {"AD TD QD KD JK", WildRoyalFlush},
    {"AS JS QS KS JK", WildRoyalFlush},
    {"9D TD JD QD KD", StraightFlush},
    {"AC 2C 3C 4C 5C", StraightFlush},
    {"JK 5S 6S 8S 9S", StraightFlush},
    {"JK 2H 3H 4H 5H", StraightFlush},
    {"JK 9S TS JS KS", StraightFlush},
    {"JK 7C 7D 7H 7S", FiveOfAKind},
    {"KC KD KH KS 3C", FourOfAKind},
    {"JK 7C 7D 7H 2S", FourOfAKind},
    {"JK 9C 9D 5H 5S", FullHouse},
    {"3C 3D 3H JS JC", FullHouse},
    {"2H 6H 7H TH QH", Flush},
    {"JK 2H 5H 9H QH", Flush},
    {"JK 6H 7H 8S 9C", Straight},
    {"4D 5C 6C 7H 8D", Straight},
    {"AC 2D 3H 4S 5C", Straight},
    {"JK TC JD QH KS", Straight},
    {"TC JD QH KS AC", Nothing},
    {"JK JD QH KS AC", Nothing},
    {"JK 2C 7D 9H KS", Nothing},
    {"AC AD 3H 8S JC", Nothing},
    {"JC JD 3H 8S KC", Nothing},
    {"JK 5C 5D 8H KS", ThreeOfAKind},
    {"QC QD QH 2S 9C", ThreeOfAKind},
    {"9C 9D 5H 5S KC", TwoPair},
    {"2C 9D 9H KS KC", TwoPair},
    {"2C 2D 9H KS KC", TwoPair},
};

TEST(EvaluateHand, ClassifiesTheRuleHands) {
    for (const HandCase& c : kHands) {
        std::array<Card, 5> hand = HandOf(c.hand);
        // Any order of the same cards must give the same answer.
        std::sort(hand.begin(), hand.end());
        do {
            ASSERT_EQ(EvaluateHand(hand.data()), c.expected) << c.hand;
        } while (std::next_permutation(hand.begin(), hand.end()));
    }
}

TEST(EvaluateHand, JacksOrBetterPairsPayNothing) {
    EXPECT_EQ(Evaluate("KC KD 3H 8S 2C"), Nothing);
    EXPECT_EQ(Evaluate("JK KD 3H 8S 2C"), Nothing);
}

// Counts over every hand.  A few by hand, to show the figures are the rules'
// and not just this code's:
//   royal flushes: one per suit, 4; with the joker there are also 4 suits
//     x 5 missing royal cards = 20 wild royals.
//   straight flushes: 9 per suit (A-5 up to 9-K, the ace low only), 36.
//   four of a kind: 13 ranks x 48 kickers = 624; five of a kind: 13.
//   full house: 13 x C(4,3) x 12 x C(4,2) = 3744.
//   flush: 4 x C(13,5) = 5148, less the 36 straight and 4 royal = 5108.
//   straight: 9 lowest ranks (A..9) x (4^5 - 4) = 9180; 10-A is no straight.
//   three of a kind: 13 x 4 x C(12,2) x 16 = 54912.
//   two pair: C(13,2) x 36 x 44 = 123552, the same with the joker in the
//     deck since a joker always makes something better.
std::array<int, kHandCategoryCount> CountAllHands(int deckSize) {
    std::array<int, kHandCategoryCount> counts{};
    Card hand[5];
    for (hand[0] = 0; hand[0] < deckSize; ++hand[0])
        for (hand[1] = hand[0] + 1; hand[1] < deckSize; ++hand[1])
            for (hand[2] = hand[1] + 1; hand[2] < deckSize; ++hand[2])
                for (hand[3] = hand[2] + 1; hand[3] < deckSize; ++hand[3])
                    for (hand[4] = hand[3] + 1; hand[4] < deckSize; ++hand[4])
                        ++counts[EvaluateHand(hand)];
    return counts;
}

TEST(EvaluateHand, CountsEveryHandOfFiftyTwoCards) {
    const std::array<int, kHandCategoryCount> expected = {
        2401800, 4, 0, 0, 36, 624, 3744, 5108, 9180, 54912, 123552};
    EXPECT_EQ(CountAllHands(52), expected);
}

TEST(EvaluateHand, CountsEveryHandOfFiftyThreeCards) {
    const std::array<int, kHandCategoryCount> expected = {
        2572656, 4, 13, 20, 180, 3120, 6552, 7804, 18504, 137280, 123552};
    EXPECT_EQ(CountAllHands(53), expected);
}

}  // namespace
