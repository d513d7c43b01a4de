#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "odds/deal_sweep.h"
#include "odds/text_format.h"
#include "tests/odds/odds_fixture.h"

namespace {

// The counts of every hand of five cards, as the engine's own exhaustive
// tests find them.
const std::array<int64_t, kHandCategoryCount> kDealt52 = {
    2401800, 4, 0, 0, 36, 624, 3744, 5108, 9180, 54912, 123552};
const std::array<int64_t, kHandCategoryCount> kDealt53 = {
    2572656, 4, 13, 20, 180, 3120, 6552, 7804, 18504, 137280, 123552};

TEST(AnalyseDeck, DealsBySuitPatternAddUpToEveryDealByCategory) {
    for (int deckSize : {52, 53}) {
        const DeckAnalysis& deck = Analysed(deckSize);
        const auto& expected = deckSize == 52 ? kDealt52 : kDealt53;
        EXPECT_EQ(deck.deckSize, deckSize);
        EXPECT_EQ(deck.deals, Binomial(deckSize, 5));
        int64_t byHeld = 0;
        for (int held = 0; held <= 5; ++held) byHeld += deck.dealsByHeld[held];
        EXPECT_EQ(byHeld, deck.deals);
        for (int c = 0; c < kHandCategoryCount; ++c)
            EXPECT_EQ(deck.dealCounts[c], expected[static_cast<size_t>(c)]) << deckSize << " cards, category " << c;
        // Suit symmetry leaves about one deal in eighteen to analyse.
        EXPECT_LT(deck.dealClasses * 15, deck.deals);
    }
}

TEST(AnalyseDeck, FinalCategoriesOfEveryDealSumToOne) {
    for (int deckSize : {52, 53}) {
        SCOPED_TRACE(std::to_string(deckSize) + " cards");
        const DeckAnalysis& deck = Analysed(deckSize);
        for (int held = 0; held <= 5; ++held) {
            // Exactly: every deal whose best hold keeps `held` cards ends in
            // one category on each of its C(deck - 5, 5 - held) draws.
            int64_t hands = 0;
            int64_t pay = 0;
            for (int c = 0; c < kHandCategoryCount; ++c) {
                EXPECT_GE(deck.countsByHeld[held][c], 0);
                hands += deck.countsByHeld[held][c];
                pay += deck.countsByHeld[held][c] * PayoutTable[c].perCoin;
            }
            EXPECT_EQ(hands, deck.dealsByHeld[held] * Binomial(deckSize - 5, 5 - held)) << held;
            EXPECT_EQ(pay, deck.payByHeld[held]) << held;
        }
        double sum = 0;
        for (int c = 0; c < kHandCategoryCount; ++c) sum += FinalCategoryProbability(deck, c);
        EXPECT_NEAR(sum, 1.0, 1e-12);
    }
    const DeckAnalysis& natural = Analysed(52);
    for (int held = 0; held <= 5; ++held) {
        EXPECT_EQ(natural.countsByHeld[held][FiveOfAKind], 0);
        EXPECT_EQ(natural.countsByHeld[held][WildRoyalFlush], 0);
    }
}

// Summed deal by deal, every deal of the deck, with no suit symmetry: the
// analysis must give the same numerators.
void ExpectEveryDealSumsToTheAnalysis(int deckSize) {
    const OddsTables& tables = SharedTables();
    const DeckAnalysis& deck = Analysed(deckSize);
    int64_t pay[6] = {};
    int64_t deals[6] = {};
    Card d[5];
    for (d[0] = 0; d[0] < deckSize; ++d[0])
        for (d[1] = d[0] + 1; d[1] < deckSize; ++d[1])
            for (d[2] = d[1] + 1; d[2] < deckSize; ++d[2])
                for (d[3] = d[2] + 1; d[3] < deckSize; ++d[3])
                    for (d[4] = d[3] + 1; d[4] < deckSize; ++d[4]) {
                        int64_t best = 0;
                        int mask = BestHold(tables, deckSize, d, &best);
                        int held = __builtin_popcount(static_cast<unsigned>(mask));
                        pay[held] += best;
                        deals[held] += 1;
                    }
    for (int held = 0; held <= 5; ++held) {
        EXPECT_EQ(deals[held], deck.dealsByHeld[held]) << held;
        EXPECT_EQ(pay[held], deck.payByHeld[held]) << held;
    }
}

TEST(AnalyseDeck, SuitPatternsGiveWhatEveryDealGivesWithoutJoker) {
    ExpectEveryDealSumsToTheAnalysis(52);
}

TEST(AnalyseDeck, SuitPatternsGiveWhatEveryDealGivesWithJoker) {
    ExpectEveryDealSumsToTheAnalysis(53);
}

TEST(AnalyseDeck, ReturnsOfOptimalPlay) {
    // Figures of this machine's rules, checked above against every deal and,
    // hold by hold, against every draw.
    EXPECT_EQ(ExpectedReturnText(Analysed(53), 6), "0.982592");
    EXPECT_EQ(ExpectedReturnText(Analysed(52), 6), "0.634091");
    for (int deckSize : {52, 53}) {
        const DeckAnalysis& deck = Analysed(deckSize);
        EXPECT_NEAR(std::stod(ExpectedReturnText(deck, 15)), ExpectedReturn(deck), 1e-12);
        for (int c = 0; c < kHandCategoryCount; ++c)
            EXPECT_NEAR(std::stod(FinalCategoryProbabilityText(deck, c, 15)),
                        FinalCategoryProbability(deck, c), 1e-12);
    }
}

TEST(FractionText, RoundsHalfUpAndCarries) {
    EXPECT_EQ(FractionText(1, 3, 6), "0.333333");
    EXPECT_EQ(FractionText(2, 3, 6), "0.666667");
    EXPECT_EQ(FractionText(1, 8, 2), "0.13");
    EXPECT_EQ(FractionText(999999, 1000000, 3), "1.000");
    EXPECT_EQ(FractionText(41, 12, 9), "3.416666667");
    EXPECT_EQ(FractionText(1000, 1, 2), "1000.00");
    EXPECT_EQ(FractionText(5, 2, 0), "3");
    EXPECT_EQ(FractionText(0, 7, 4), "0.0000");
    // Fifteen decimals of a value with a long period.
    EXPECT_EQ(FractionText(1, 7, 15), "0.142857142857143");
}

TEST(Binomial, SmallAndBeyondTheTable) {
    EXPECT_EQ(Binomial(52, 5), 2598960);
    EXPECT_EQ(Binomial(53, 5), 2869685);
    EXPECT_EQ(Binomial(47, 0), 1);
    EXPECT_EQ(Binomial(4, 5), 0);
    EXPECT_EQ(Binomial(60, 7), 386206920);
}

TEST(SubsetRank, RanksEverySetOfTwoOnce) {
    std::vector<bool> seen(static_cast<size_t>(Binomial(52, 2)), false);
    for (int a = 0; a < 52; ++a) {
        for (int b = a + 1; b < 52; ++b) {
            int set[2] = {a, b};
            int64_t rank = SubsetRank(set, 2);
            ASSERT_GE(rank, 0);
            ASSERT_LT(rank, Binomial(52, 2));
            EXPECT_FALSE(seen[static_cast<size_t>(rank)]);
            seen[static_cast<size_t>(rank)] = true;
        }
    }
}

// The tables classify hands by what decides their category: every hand of
// five natural cards and of four with the joker as EvaluateHand classifies
// it, and sets of four natural cards, and of three with the joker and
// without, counted over every hand that contains them, on a spread of sets.
TEST(BuildCountTables, EveryHandAsTheEngineAndEverySampledSetByItsCompletions) {
    const OddsTables& tables = SharedTables();
    int set[5];
    for (set[4] = 4; set[4] < 52; ++set[4])
        for (set[3] = 3; set[3] < set[4]; ++set[3])
            for (set[2] = 2; set[2] < set[3]; ++set[2])
                for (set[1] = 1; set[1] < set[2]; ++set[1])
                    for (set[0] = 0; set[0] < set[1]; ++set[0]) {
                        const Card hand[5] = {set[0], set[1], set[2], set[3], set[4]};
                        ASSERT_EQ(NaturalCategory(tables, set), EvaluateHand(hand))
                            << set[0] << " " << set[1] << " " << set[2] << " " << set[3] << " "
                            << set[4];
                        if (set[0] > 0) continue;
                        const Card joker[5] = {set[1], set[2], set[3], set[4], kJoker};
                        ASSERT_EQ(tables.jokerHands[size_t(SubsetRank(set + 1, 4))],
                                  EvaluateHand(joker));
                    }
    int four[4];
    for (four[3] = 3; four[3] < 52; ++four[3])
        for (four[2] = 2; four[2] < four[3]; ++four[2])
            for (four[1] = 1; four[1] < four[2]; ++four[1])
                for (four[0] = 0; four[0] < four[1]; ++four[0]) {
                    const int64_t rank = SubsetRank(four, 4);
                    if (rank % 997 != 0) continue;
                    int64_t counts[kHandCategoryCount] = {};
                    int64_t three[kHandCategoryCount] = {};
                    for (Card extra = 0; extra < 52; ++extra) {
                        if (extra == four[0] || extra == four[1] || extra == four[2]) continue;
                        // The first three with the joker: the fourth card completes them too.
                        const Card joker[5] = {four[0], four[1], four[2], extra, kJoker};
                        ++three[EvaluateHand(joker)];
                        if (extra == four[3]) continue;
                        const Card hand[5] = {four[0], four[1], four[2], four[3], extra};
                        ++counts[EvaluateHand(hand)];
                    }
                    int64_t counted[kHandCategoryCount];
                    CountFourNaturals(tables, four, counted);
                    const size_t threeAt = size_t(SubsetRank(four, 3)) * kHandCategoryCount;
                    // The first three without the joker: every two cards more.
                    int64_t natural[kHandCategoryCount] = {};
                    for (Card a = 0; a < 52; ++a)
                        for (Card b = a + 1; b < 52; ++b) {
                            bool taken = false;
                            for (int i = 0; i < 3; ++i) taken = taken || four[i] == a || four[i] == b;
                            if (taken) continue;
                            const Card hand[5] = {four[0], four[1], four[2], a, b};
                            ++natural[EvaluateHand(hand)];
                        }
                    for (int c = 0; c < kHandCategoryCount; ++c) {
                        EXPECT_EQ(counted[c], counts[c]) << rank << ", " << c;
                        EXPECT_EQ(tables.joker[3][threeAt + size_t(c)], three[c]) << rank << ", " << c;
                        EXPECT_EQ(tables.natural[3][threeAt + size_t(c)], natural[c]) << rank << ", " << c;
                    }
                }
}

}  // namespace
