#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

#include "odds/deal_advice.h"
#include "odds/deal_holds.h"
#include "odds/hold_figures.h"
#include "odds/strategy.h"
#include "tests/engine/test_cards.h"
#include "tests/odds/odds_fixture.h"

namespace {

// Five different cards of the deck, drawn from `random`.
void RandomDeal(std::mt19937& random, int deckSize, Card deal[5]) {
    for (int i = 0; i < 5; ++i) {
        bool repeated;
        do {
            deal[i] = static_cast<Card>(random() % static_cast<unsigned>(deckSize));
            repeated = false;
            for (int j = 0; j < i; ++j) repeated = repeated || deal[j] == deal[i];
        } while (repeated);
    }
}

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
    // The one-deal entry refuses them alike and leaves its record as it was.
    DealAdvice advice;
    advice.chartLine = -7;
    EXPECT_FALSE(AdviseDeal(tables, 52, withJoker.data(), advice));
    EXPECT_FALSE(AdviseDeal(tables, 53, repeated.data(), advice));
    EXPECT_FALSE(AdviseDeal(tables, 53, none, advice));
    EXPECT_EQ(advice.chartLine, -7);
}

// The whole analysis chooses its holds from pay summaries, not from the
// per-category counts of EvaluateHolds: both must find an equally good hold.
TEST(BestHold, AgreesWithTheBestOfAllHoldsOnRandomDeals) {
    const OddsTables& tables = SharedTables();
    std::mt19937 random(20240611);
    for (int deckSize : {52, 53}) {
        for (int trial = 0; trial < 3000; ++trial) {
            Card deal[5];
            RandomDeal(random, deckSize, deal);
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

// "Why this hold" on seeded deals of both decks: the best hold's final
// hands and another hold's, each count as every draw counted gives it; the
// comparison over the common draws shifts no draw overall, and its hands'
// coins, dearest first, add up exactly to the difference of the values.
TEST(HoldDistribution, EveryCountAsEveryDrawAndTheDifferenceAddsUp) {
    std::mt19937 random(3011);
    for (int deckSize : {52, 53}) {
        for (int trial = 0; trial < 3; ++trial) {
            Card deal[5];
            RandomDeal(random, deckSize, deal);
            SCOPED_TRACE(std::to_string(deckSize) + " cards, trial " + std::to_string(trial));
            DealAdvice advice;
            ASSERT_TRUE(AdviseDeal(SharedTables(), deckSize, deal, advice));
            // A hold of one to three cards: brute force stays quick.
            const int other = 1 + int(random() % 30u);
            const int coins = 1 + trial * 2;
            HoldDistribution best, held;
            HoldDistributionOf(BestHoldOf(advice), coins, best);
            HoldDistributionOf(HoldOfMask(advice, other), coins, held);
            for (const HoldDistribution* d : {&best, &held}) {
                DrawCounts expected = BruteForceHold(deal, d->mask, deckSize);
                EXPECT_EQ(d->draws, expected.draws);
                int64_t sum = 0;
                for (int c = 0; c < kHandCategoryCount; ++c) {
                    EXPECT_EQ(d->counts[c], expected.counts[size_t(c)]) << c;
                    sum += d->counts[c];
                }
                EXPECT_EQ(sum, d->draws);
                EXPECT_EQ(d->coinsNumerator * expected.draws,
                          coins * expected.pay * d->coinsDenominator);
            }
            HoldComparison comparison;
            CompareHolds(best, held, comparison);
            EXPECT_EQ(comparison.draws % best.draws, 0);
            EXPECT_EQ(comparison.draws % held.draws, 0);
            int64_t shifted = 0;
            int64_t coinsSum = 0;
            for (int i = 0; i < kHandCategoryCount; ++i) {
                const HandDifference& hand = comparison.hands[i];
                shifted += hand.count;
                coinsSum += ContributionOf(comparison, hand);
                EXPECT_EQ(hand.count != 0, i < comparison.differing) << i;
                if (i > 0) {
                    EXPECT_LE(std::llabs(ContributionOf(comparison, hand)),
                              std::llabs(ContributionOf(comparison, comparison.hands[i - 1])));
                }
            }
            EXPECT_EQ(shifted, 0);
            EXPECT_EQ(coinsSum, comparison.coinsNumerator);
            // Exactly coins * (best - held) per coin, cross-multiplied.
            const HoldOutcome& a = BestHoldOf(advice);
            const HoldOutcome& b = HoldOfMask(advice, other);
            EXPECT_EQ(comparison.coinsNumerator * a.draws * b.draws,
                      coins * (a.pay * b.draws - b.pay * a.draws) * comparison.draws);
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

// The one entry for one deal on every sample deal: the holds of
// EvaluateHolds, best first, each found again by its mask; the best hold
// as the whole analysis chooses it; the chart's line and hold as the kept
// chart picks them.
TEST(AdviseDeal, AllHoldsBestFirstEachFoundByItsMaskWithTheChartsLine) {
    const OddsTables& tables = SharedTables();
    auto check = [&](const char* text, int deckSize) {
        SCOPED_TRACE(std::string(text) + ", " + std::to_string(deckSize) + " cards");
        std::array<Card, 5> deal = HandOf(text);
        DealAdvice advice;
        ASSERT_TRUE(AdviseDeal(tables, deckSize, deal.data(), advice));
        HoldOutcome byMask[kHoldCount];
        ASSERT_TRUE(EvaluateHolds(tables, deckSize, deal.data(), byMask));
        EXPECT_EQ(advice.deckSize, deckSize);
        EXPECT_EQ(std::vector<Card>(advice.deal, advice.deal + 5),
                  std::vector<Card>(deal.begin(), deal.end()));
        EXPECT_EQ(advice.dealt, EvaluateHand(deal.data()));
        for (int mask = 0; mask < kHoldCount; ++mask) {
            const HoldOutcome& hold = HoldOfMask(advice, mask);
            EXPECT_EQ(hold.mask, mask);
            EXPECT_EQ(hold.draws, byMask[mask].draws) << mask;
            EXPECT_EQ(hold.pay, byMask[mask].pay) << mask;
            EXPECT_EQ(PayingDraws(hold), PayingDraws(byMask[mask])) << mask;
        }
        for (int i = 0; i + 1 < kHoldCount; ++i)
            EXPECT_FALSE(BetterHold(advice.holds[i + 1], advice.holds[i])) << i;
        EXPECT_EQ(BestHoldOf(advice).mask, BestHold(tables, deckSize, deal.data()));
        StrategyChart chart;
        StoredChart(deckSize, chart);
        int line = -1;
        EXPECT_EQ(ChartHoldOf(advice).mask, ChartHold(chart, deal.data(), &line));
        ASSERT_GE(line, 0);
        EXPECT_EQ(advice.chartLine, line + 1);
        EXPECT_EQ(advice.chartText, LineText(chart.lines[size_t(line)]));
    };
    for (const SampleDeal& sample : kNaturalDeals) {
        check(sample.cards, 52);
        check(sample.cards, 53);
    }
    for (const SampleDeal& sample : kJokerDeals) check(sample.cards, 53);
}

// What the chart's hold costs, against every draw of it and of the best
// hold counted: a loss, a hold as good as the best but another, and the
// best hold itself.
TEST(AdviseDeal, TheChartsHoldCostsExactlyWhatItLosesAgainstTheBest) {
    struct Case {
        int deckSize;
        const char* deal;
        int chartLine;      // 0: not pinned here
        int chartMask;
        bool best;      // the chart's hold is the best hold itself
    };
    const Case cases[] = {{53, "4D KH TC 8S 6C", 37, 0b10100, false},
                          {53, "6H 2H 4D AD KS", 0, -1, false},
                          {52, "9D 5D 6C TS 7H", 0, -1, false},
                          {53, "AH KH QH 7C 2D", 24, 0b00111, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deal);
        std::array<Card, 5> deal = HandOf(c.deal);
        DealAdvice advice;
        ASSERT_TRUE(AdviseDeal(SharedTables(), c.deckSize, deal.data(), advice));
        const int chartMask = ChartHoldOf(advice).mask;
        if (c.chartLine > 0) {
            EXPECT_EQ(advice.chartLine, c.chartLine);
            EXPECT_EQ(chartMask, c.chartMask);
        }
        EXPECT_EQ(advice.chartPlace == 0, c.best);
        DrawCounts chart = BruteForceHold(deal.data(), chartMask, c.deckSize);
        DrawCounts best = BruteForceHold(deal.data(), BestHoldOf(advice).mask, c.deckSize);
        int64_t numerator = best.pay * chart.draws - chart.pay * best.draws;
        int64_t denominator = best.draws * chart.draws;
        int64_t divisor = std::gcd(numerator, denominator);
        EXPECT_EQ(advice.costNumerator, numerator / divisor);
        EXPECT_EQ(advice.costDenominator, denominator / divisor);
        EXPECT_EQ(advice.costNumerator == 0, c.chartLine == 0 || c.best);
    }
}

// The verdict on a hold played: the best hold, a hold exactly as good (the
// chart's, on a deal where it is not the first), and a hold that costs what
// every draw counted says; the chart's hold named whatever it is worth.
TEST(JudgeHold, TheBestHoldATieAndACostAreToldApart) {
    std::array<Card, 5> deal = HandOf("6H 2H 4D AD KS");
    DealAdvice advice;
    ASSERT_TRUE(AdviseDeal(SharedTables(), 53, deal.data(), advice));
    ASSERT_NE(advice.chartPlace, 0);

    HoldVerdict best = JudgeHold(advice, BestHoldOf(advice).mask);
    EXPECT_EQ(best.judgement, HeldBest);
    EXPECT_EQ(best.place, 0);
    EXPECT_FALSE(best.chart);

    HoldVerdict tie = JudgeHold(advice, ChartHoldOf(advice).mask);
    EXPECT_EQ(tie.judgement, HeldAsGoodAsBest);
    EXPECT_EQ(tie.place, advice.chartPlace);
    EXPECT_TRUE(tie.chart);
    EXPECT_TRUE(PlayedAsBest(tie));
    EXPECT_EQ(tie.costNumerator, 0);
    EXPECT_EQ(tie.costDenominator, 1);

    const int worst = advice.holds[kHoldCount - 1].mask;
    HoldVerdict costs = JudgeHold(advice, worst);
    EXPECT_EQ(costs.judgement, HeldCosts);
    EXPECT_FALSE(PlayedAsBest(costs));
    EXPECT_FALSE(costs.chart);
    DrawCounts mine = BruteForceHold(deal.data(), worst, 53);
    DrawCounts top = BruteForceHold(deal.data(), BestHoldOf(advice).mask, 53);
    int64_t numerator = top.pay * mine.draws - mine.pay * top.draws;
    int64_t denominator = top.draws * mine.draws;
    int64_t divisor = std::gcd(numerator, denominator);
    EXPECT_EQ(costs.costNumerator, numerator / divisor);
    EXPECT_EQ(costs.costDenominator, denominator / divisor);
}

// The grade's threshold on both sides, exactly: a tenth of the best
// hold's worth is major, a draw less is minor; a tie of different holds is
// no mistake; the cost is for the coins played, in lowest terms.
TEST(PriceMistake, TheThresholdTheTieAndTheCoins) {
    // Best 30/48 per coin: a tenth of it is 3/48.
    MistakePrice major = PriceMistake(30, 48, 27, 48, 1);
    EXPECT_EQ(major.grade, GradeMajor);
    EXPECT_EQ(major.costNumerator, 1);
    EXPECT_EQ(major.costDenominator, 16);
    MistakePrice minor = PriceMistake(300, 480, 271, 480, 5);
    EXPECT_EQ(minor.grade, GradeMinor);
    EXPECT_EQ(minor.costNumerator, 29);
    EXPECT_EQ(minor.costDenominator, 96);
    // Equal values over different draws: 1/48 against 1081/51888.
    MistakePrice tie = PriceMistake(1, 48, 1081, 51888, 5);
    EXPECT_EQ(tie.grade, GradeNone);
    EXPECT_EQ(tie.costNumerator, 0);
    EXPECT_EQ(tie.costDenominator, 1);

    std::array<Card, 5> deal = HandOf("6H 2H 4D AD KS");
    DealAdvice advice;
    ASSERT_TRUE(AdviseDeal(SharedTables(), 53, deal.data(), advice));
    EXPECT_EQ(PriceHold(advice, ChartHoldOf(advice).mask, 5).grade, GradeNone);
    HoldVerdict verdict = JudgeHold(advice, advice.holds[kHoldCount - 1].mask);
    MistakePrice worst = PriceHold(advice, advice.holds[kHoldCount - 1].mask, 3);
    EXPECT_EQ(worst.grade, GradeMajor);
    EXPECT_EQ(worst.costNumerator * verdict.costDenominator,
              3 * verdict.costNumerator * worst.costDenominator);
}

// The record's text holds every line of the kept charts whole.
TEST(AdviseDeal, EveryLineOfTheKeptChartsFitsTheRecord) {
    for (int deckSize : {52, 53}) {
        StrategyChart chart;
        StoredChart(deckSize, chart);
        for (const ChartLine& line : chart.lines)
            EXPECT_LT(LineText(line).size(), size_t(kChartTextSize)) << LineText(line);
    }
}

// The page builds the counts alone: the entry gives the same from them.
TEST(AdviseDeal, NeedsOnlyTheCountTables) {
    OddsTables counts;
    BuildCountTables(counts, kAnalysisThreads);
    EXPECT_TRUE(counts.summary53[0].empty());
    for (int deckSize : {52, 53}) {
        for (const char* text : {"4D KH TC 8S 6C", "9C 9D 5H 5S KC", "2C 7D 9H KS 4H"}) {
            std::array<Card, 5> deal = HandOf(text);
            DealAdvice fromCounts, fromAll;
            ASSERT_TRUE(AdviseDeal(counts, deckSize, deal.data(), fromCounts));
            ASSERT_TRUE(AdviseDeal(SharedTables(), deckSize, deal.data(), fromAll));
            for (int i = 0; i < kHoldCount; ++i) {
                EXPECT_EQ(fromCounts.holds[i].mask, fromAll.holds[i].mask) << text;
                EXPECT_EQ(fromCounts.holds[i].pay, fromAll.holds[i].pay) << text;
            }
            EXPECT_EQ(fromCounts.chartLine, fromAll.chartLine) << text;
            EXPECT_EQ(fromCounts.costNumerator, fromAll.costNumerator) << text;
        }
    }
    std::array<Card, 5> joker = HandOf("JK 7C 7D 7H 2S");
    DealAdvice advice;
    ASSERT_TRUE(AdviseDeal(counts, 53, joker.data(), advice));
    EXPECT_EQ(BestHoldOf(advice).mask, 0b01111);
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
