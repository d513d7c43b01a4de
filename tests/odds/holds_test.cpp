#include <gtest/gtest.h>

#include <random>
#include <string>

#include "odds/deal_holds.h"
#include "tests/engine/test_cards.h"
#include "tests/odds/odds_fixture.h"

namespace {

struct SampleDeal {
    const char* cards;
    HandCategory dealt;
};

// One or more deals of every category as dealt; the natural ones are tried
// with both decks, so that the joker also arrives in the draw.
const SampleDeal kNaturalDeals[] = {
    {"AH KH QH JH TH", RoyalFlush},   {"9D TD JD QD KD", StraightFlush},
    {"AC 2C 3C 4C 5C", StraightFlush}, {"KC KD KH KS 3C", FourOfAKind},
    {"3C 3D 3H JC JS", FullHouse},    {"2H 6H 7H TH QH", Flush},
    {"4D 5C 6C 7H 8D", Straight},     {"QC QD QS 2H 9C", ThreeOfAKind},
    {"9C 9D 5H 5S KC", TwoPair},      {"AC AD 3H 8S JC", Nothing},
    {"TC JD QH KS AC", Nothing},      {"KS QS JS TS 3D", Nothing},
};
const SampleDeal kJokerDeals[] = {
    {"7C 7D 7H 7S JK", FiveOfAKind},  {"TH JH QH KH JK", WildRoyalFlush},
    {"5S 6S 8S 9S JK", StraightFlush}, {"7C 7D 7H 2S JK", FourOfAKind},
    {"9C 9D 5H 5S JK", FullHouse},    {"2H 5H 9H QH JK", Flush},
    {"6H 7H 8S 9C JK", Straight},     {"5C 5D 2H 9S JK", ThreeOfAKind},
    {"2C 7D 9H KS JK", Nothing},      {"JC QD KH AS JK", Nothing},
};

void ExpectAllHoldsMatchBruteForce(const char* text, HandCategory dealt, int deckSize) {
    SCOPED_TRACE(std::string(text) + ", " + std::to_string(deckSize) + " cards");
    std::array<Card, 5> deal = HandOf(text);
    ASSERT_EQ(EvaluateHand(deal.data()), dealt);
    HoldOutcome outcomes[kHoldCount];
    ASSERT_TRUE(EvaluateHolds(SharedTables(), deckSize, deal.data(), outcomes));
    for (int mask = 0; mask < kHoldCount; ++mask) {
        SCOPED_TRACE("hold mask " + std::to_string(mask));
        DrawCounts expected = BruteForceHold(deal.data(), mask, deckSize);
        const HoldOutcome& got = outcomes[mask];
        EXPECT_EQ(got.mask, mask);
        EXPECT_EQ(got.held, __builtin_popcount(static_cast<unsigned>(mask)));
        // Equal draws and equal numerators: the values are equal as rationals.
        EXPECT_EQ(got.draws, expected.draws);
        EXPECT_EQ(got.pay, expected.pay);
        for (int c = 0; c < kHandCategoryCount; ++c) EXPECT_EQ(got.counts[c], expected.counts[c]) << "category " << c;
    }
}

TEST(EvaluateHolds, EveryHoldOfNaturalDealsEqualsEveryDrawCounted) {
    for (const SampleDeal& sample : kNaturalDeals) {
        ExpectAllHoldsMatchBruteForce(sample.cards, sample.dealt, 52);
        ExpectAllHoldsMatchBruteForce(sample.cards, sample.dealt, 53);
    }
}

TEST(EvaluateHolds, EveryHoldOfJokerDealsEqualsEveryDrawCounted) {
    for (const SampleDeal& sample : kJokerDeals)
        ExpectAllHoldsMatchBruteForce(sample.cards, sample.dealt, 53);
}

// The cards may come in any order; the masks follow the order given.
TEST(EvaluateHolds, MasksFollowTheOrderOfTheDeal) {
    std::array<Card, 5> deal = HandOf("3D KS JK QS 7H");
    HoldOutcome outcomes[kHoldCount];
    ASSERT_TRUE(EvaluateHolds(SharedTables(), 53, deal.data(), outcomes));
    for (int mask : {0b00110, 0b10101, 0b01011}) {
        DrawCounts expected = BruteForceHold(deal.data(), mask, 53);
        EXPECT_EQ(outcomes[mask].pay, expected.pay) << mask;
        EXPECT_EQ(outcomes[mask].counts[Nothing], expected.counts[Nothing]) << mask;
    }
}

TEST(EvaluateHolds, RefusesDealsNotOfTheDeck) {
    const OddsTables& tables = SharedTables();
    HoldOutcome outcomes[kHoldCount];
    std::array<Card, 5> withJoker = HandOf("2C 7D 9H KS JK");
    EXPECT_FALSE(EvaluateHolds(tables, 52, withJoker.data(), outcomes));
    EXPECT_EQ(BestHold(tables, 52, withJoker.data()), -1);
    std::array<Card, 5> repeated = HandOf("2C 7D 9H 2C JK");
    EXPECT_FALSE(EvaluateHolds(tables, 53, repeated.data(), outcomes));
    const Card outside[5] = {0, 1, 2, 3, 53};
    EXPECT_FALSE(EvaluateHolds(tables, 53, outside, outcomes));
    const Card none[5] = {0, 1, 2, 3, kNoCard};
    EXPECT_FALSE(EvaluateHolds(tables, 53, none, outcomes));
    EXPECT_FALSE(EvaluateHolds(tables, 54, HandOf("2C 7D 9H KS 3C").data(), outcomes));
}

// The whole analysis chooses its holds from pay summaries, not from the
// per-category counts of EvaluateHolds: both must find an equally good hold.
TEST(BestHold, AgreesWithTheBestOfAllHoldsOnRandomDeals) {
    const OddsTables& tables = SharedTables();
    std::mt19937 random(20240611);
    for (int deckSize : {52, 53}) {
        for (int trial = 0; trial < 3000; ++trial) {
            Card deal[5];
            for (int i = 0; i < 5; ++i) {
                bool repeated;
                do {
                    deal[i] = static_cast<Card>(random() % static_cast<unsigned>(deckSize));
                    repeated = false;
                    for (int j = 0; j < i; ++j) repeated = repeated || deal[j] == deal[i];
                } while (repeated);
            }
            HoldOutcome outcomes[kHoldCount];
            ASSERT_TRUE(EvaluateHolds(tables, deckSize, deal, outcomes));
            int64_t pay = -1;
            int mask = BestHold(tables, deckSize, deal, &pay);
            ASSERT_GE(mask, 0);
            const HoldOutcome chosen = outcomes[mask];
            EXPECT_EQ(pay, chosen.pay);
            SortHoldsBestFirst(outcomes);
            // As good in value, in wins and in cards kept; equal holds may
            // differ in which cards they keep.
            const HoldOutcome& top = outcomes[0];
            EXPECT_EQ(top.pay * chosen.draws, chosen.pay * top.draws) << deckSize << " cards, trial " << trial;
            EXPECT_EQ((top.draws - top.counts[Nothing]) * chosen.draws,
                      (chosen.draws - chosen.counts[Nothing]) * top.draws);
            EXPECT_EQ(top.held, chosen.held);
        }
    }
}

TEST(SortHoldsBestFirst, OrdersByValueThenWinsThenFewerCards) {
    HoldOutcome outcomes[kHoldCount];
    ASSERT_TRUE(EvaluateHolds(SharedTables(), 53, HandOf("2C 7D 9H KS 4H").data(), outcomes));
    SortHoldsBestFirst(outcomes);
    for (int i = 0; i + 1 < kHoldCount; ++i) {
        const HoldOutcome& a = outcomes[i];
        const HoldOutcome& b = outcomes[i + 1];
        // Cross-multiplied, so exact: a.pay / a.draws >= b.pay / b.draws.
        EXPECT_GE(a.pay * b.draws, b.pay * a.draws) << i;
        EXPECT_FALSE(BetterHold(b, a)) << i;
    }
}

// Holds a player can check by hand.
int BestMask(int deckSize, const char* text) {
    std::array<Card, 5> deal = HandOf(text);
    HoldOutcome outcomes[kHoldCount];
    EXPECT_TRUE(EvaluateHolds(SharedTables(), deckSize, deal.data(), outcomes));
    SortHoldsBestFirst(outcomes);
    EXPECT_EQ(BestHold(SharedTables(), deckSize, deal.data()), outcomes[0].mask) << text;
    return outcomes[0].mask;
}

TEST(HoldAdvice, DealtNaturalRoyalHoldsAllFive) {
    for (int deckSize : {52, 53}) {
        EXPECT_EQ(BestMask(deckSize, "AH KH QH JH TH"), 0b11111);
        EXPECT_EQ(BestMask(deckSize, "QS AS TS KS JS"), 0b11111);
    }
}

TEST(HoldAdvice, FourToANaturalRoyalDiscardsTheOffCard) {
    // Each of the five royal cards missing once; the fifth card is of
    // another suit and rank, and in a different place each time.
    const char* const deals[] = {"3D KS QS JS TS", "AH 8C QH JH TH", "AC KC 2D JC TC",
                                 "AD KD QD 6S TD", "AS KS QS JS 4H"};
    const int fours[] = {0b11110, 0b11101, 0b11011, 0b10111, 0b01111};
    for (int deckSize : {52, 53})
        for (int i = 0; i < 5; ++i) EXPECT_EQ(BestMask(deckSize, deals[i]), fours[i]) << deals[i];
}

TEST(HoldAdvice, DealtFourOfAKindHoldsTheFour) {
    for (int deckSize : {52, 53}) {
        EXPECT_EQ(BestMask(deckSize, "KC KD KH KS 3C"), 0b01111);
        EXPECT_EQ(BestMask(deckSize, "9H 2C 9C 9S 9D"), 0b11101);
    }
    // With the joker as one of the four it is held with them.
    EXPECT_EQ(BestMask(53, "7C 7D 7H 2S JK"), 0b10111);
    EXPECT_EQ(BestMask(53, "JK 4S 5D 5H 5C"), 0b11101);
}

}  // namespace
