// The spread of a game and the risk of going bust, each against a
// computation of its own: by hand, every path of a few games, or the
// linear system of a bounded meter.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/payout.h"
#include "odds/deal_sweep.h"
#include "odds/deck_figures.h"
#include "odds/risk.h"
#include "odds/session_risk.h"
#include "odds/strategy.h"
#include "tests/odds/odds_fixture.h"

namespace {

// Games paying nothing, 1, 2 or 3 per coin: a return of 0.6.
const OutcomeDistribution kTinyTable = {{0.7, 0}, {0.1, 1}, {0.1, 2}, {0.1, 3}};

OutcomeDistribution BestPlay(int deckSize) { return BestPlayOutcomes(Analysed(deckSize)); }

// Every sequence of outcomes over `games` games, followed one by one.
double BustByEveryPath(const OutcomeDistribution& outcomes, int credits, int coins, int games) {
    if (credits == 0) return 1;
    if (games == 0) return 0;
    int stake = std::min(coins, credits);
    double bust = 0;
    for (const Outcome& outcome : outcomes)
        bust += outcome.probability *
                BustByEveryPath(outcomes, credits - stake + stake * outcome.pays, coins, games - 1);
    return bust;
}

// Expected games to bust from each meter 1..top (index meter - 1), by the
// linear system over those meters with a meter beyond `top` counted as
// `top`: with a return well below 1 the walk climbs that far with a
// negligible chance.  Solved directly by elimination.
std::vector<double> ExpectedGamesBySystem(const OutcomeDistribution& outcomes, int coins,
                                          int top) {
    const size_t n = size_t(top);     // unknowns: meters 1..top
    std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
    for (int meter = 1; meter <= top; ++meter) {
        std::vector<double>& row = a[size_t(meter - 1)];
        row[size_t(meter - 1)] += 1;
        row[n] = 1;
        int stake = std::min(coins, meter);
        for (const Outcome& outcome : outcomes) {
            int after = std::min(top, meter - stake + stake * outcome.pays);
            if (after > 0) row[size_t(after - 1)] -= outcome.probability;
        }
    }
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t r = col + 1; r < n; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        std::swap(a[col], a[pivot]);
        for (size_t r = 0; r < n; ++r) {
            if (r == col || a[r][col] == 0) continue;
            double factor = a[r][col] / a[col][col];
            for (size_t k = col; k <= n; ++k) a[r][k] -= factor * a[col][k];
        }
    }
    std::vector<double> games(n);
    for (size_t r = 0; r < n; ++r) games[r] = a[r][n] / a[r][r];
    return games;
}

TEST(OutcomeVariance, SmallTablesByHand) {
    EXPECT_DOUBLE_EQ(OutcomeVariance({{0.5, 0}, {0.5, 2}}), 1.0);
    // Mean 1: 0.9 * 1^2 + 0.1 * 9^2.
    EXPECT_DOUBLE_EQ(OutcomeVariance({{0.9, 0}, {0.1, 10}}), 9.0);
    EXPECT_NEAR(OutcomeReturn(kTinyTable), 0.6, 1e-15);
    // 0.7 * 0.6^2 + 0.1 * (0.4^2 + 1.4^2 + 2.4^2)
    EXPECT_NEAR(OutcomeVariance(kTinyTable), 1.04, 1e-15);

    // Over categories, with the machine's own pay table.
    double probability[kHandCategoryCount] = {};
    probability[TwoPair] = 1;
    EXPECT_EQ(CategoryVariance(probability), 0.0);
    probability[TwoPair] = 0.75;
    probability[RoyalFlush] = 0.25;
    // Pays 1 or 1000: 0.75 * 0.25 * 999^2.
    EXPECT_NEAR(CategoryVariance(probability), 0.1875 * 999 * 999, 1e-9);
}

TEST(OutcomeVariance, BestPlayOfBothDecksFromTheirFinalHands) {
    for (int deckSize : {52, 53}) {
        SCOPED_TRACE(deckSize);
        const OutcomeDistribution& outcomes = BestPlay(deckSize);
        ASSERT_EQ(outcomes.size(), size_t(kHandCategoryCount));
        // Second moment less the square of the mean, a different road.
        double mean = 0, square = 0, total = 0;
        for (int c = 0; c < kHandCategoryCount; ++c) {
            EXPECT_EQ(outcomes[size_t(c)].pays, PayoutTable[c].perCoin);
            double p = outcomes[size_t(c)].probability;
            total += p;
            mean += p * PayoutTable[c].perCoin;
            square += p * PayoutTable[c].perCoin * PayoutTable[c].perCoin;
        }
        EXPECT_NEAR(total, 1.0, 1e-12);
        EXPECT_NEAR(OutcomeVariance(outcomes), square - mean * mean, 1e-9);
    }
    EXPECT_NEAR(OutcomeReturn(BestPlay(53)), 0.982592, 5e-7);
    EXPECT_NEAR(OutcomeReturn(BestPlay(52)), 0.634091, 5e-7);
}

TEST(BustWithin, GamblersRuinByHand) {
    // Lose everything staked, or double it.
    const OutcomeDistribution coin = {{0.6, 0}, {0.4, 2}};
    // From 1 credit: bust at once, or after a win and two losses.
    std::vector<double> bust = BustWithin(coin, 1, 1, {1, 2, 3, 0});
    EXPECT_DOUBLE_EQ(bust[0], 0.6);
    EXPECT_DOUBLE_EQ(bust[1], 0.6);
    EXPECT_DOUBLE_EQ(bust[2], 0.6 + 0.4 * 0.6 * 0.6);
    EXPECT_EQ(bust[3], 0.0);
    // Five coins from 3 credits are 3: everything goes on the first game.
    EXPECT_DOUBLE_EQ(BustWithin(coin, 3, 5, {1})[0], 0.6);
    // Out of reach: 11 credits cannot go in two games of 5.
    EXPECT_EQ(BustWithin(coin, 11, 5, {2})[0], 0.0);
    EXPECT_EQ(BustWithin(coin, 0, 5, {2})[0], 1.0);
}

TEST(BustWithin, EveryPathOfAFewGames) {
    for (int coins : {1, 2, 5}) {
        for (int credits : {1, 3, 7}) {
            SCOPED_TRACE(std::to_string(coins) + " coins from " + std::to_string(credits));
            std::vector<double> bust = BustWithin(kTinyTable, credits, coins, {1, 2, 4, 8});
            EXPECT_NEAR(bust[0], BustByEveryPath(kTinyTable, credits, coins, 1), 1e-14);
            EXPECT_NEAR(bust[1], BustByEveryPath(kTinyTable, credits, coins, 2), 1e-14);
            EXPECT_NEAR(bust[2], BustByEveryPath(kTinyTable, credits, coins, 4), 1e-14);
            EXPECT_NEAR(bust[3], BustByEveryPath(kTinyTable, credits, coins, 8), 1e-14);
        }
    }
    // The machine's pay table and best play's final hands, a few credits.
    for (int deckSize : {52, 53}) {
        const OutcomeDistribution& outcomes = BestPlay(deckSize);
        for (int coins : {1, 5}) {
            SCOPED_TRACE(std::to_string(deckSize) + " cards, " + std::to_string(coins) + " coins");
            std::vector<double> bust = BustWithin(outcomes, 3, coins, {3, 5});
            EXPECT_NEAR(bust[0], BustByEveryPath(outcomes, 3, coins, 3), 1e-14);
            EXPECT_NEAR(bust[1], BustByEveryPath(outcomes, 3, coins, 5), 1e-14);
        }
    }
}

TEST(ExpectedGamesToBust, GamblersRuinByHand) {
    // One coin a game, win 1 with 0.3, lose 1 with 0.7: n / (0.7 - 0.3).
    const OutcomeDistribution coin = {{0.7, 0}, {0.3, 2}};
    EXPECT_NEAR(ExpectedGamesToBust(coin, 7, 1), 17.5, 1e-12);
    EXPECT_NEAR(ExpectedGamesToBust(coin, 1, 1), 2.5, 1e-12);
    EXPECT_EQ(ExpectedGamesToBust(coin, 0, 1), 0.0);
    // Two coins a game from 1 credit: the one credit is staked, then, at 2,
    // both are, a walk of single steps of two credits: 1 + 0.3 * 1 / 0.4.
    EXPECT_NEAR(ExpectedGamesToBust(coin, 1, 2), 1.75, 1e-12);
    // A fair or better game has no finite expectation.
    EXPECT_TRUE(std::isinf(ExpectedGamesToBust({{0.5, 0}, {0.5, 2}}, 5, 1)));
    EXPECT_TRUE(std::isinf(ExpectedGamesToBust({{0.4, 0}, {0.6, 2}}, 5, 5)));
}

TEST(ExpectedGamesToBust, MatchesTheSystemOfABoundedMeter) {
    // Stakes capped and uneven residues: every meter from 1 to 9.
    for (int coins : {1, 2, 3, 5}) {
        std::vector<double> bySystem = ExpectedGamesBySystem(kTinyTable, coins, 300);
        for (int credits = 1; credits <= 9; ++credits) {
            SCOPED_TRACE(std::to_string(coins) + " coins from " + std::to_string(credits));
            EXPECT_NEAR(ExpectedGamesToBust(kTinyTable, credits, coins),
                        bySystem[size_t(credits - 1)], 1e-9);
        }
    }
}

TEST(ExpectedGamesToBust, BestPlayFromTheMachinesStart) {
    // 40 credits: one coin a game loses the return's shortfall per game; at
    // five coins the meter stays a multiple of five and falls exactly to 0.
    for (int deckSize : {52, 53}) {
        double shortfall = 1 - OutcomeReturn(BestPlay(deckSize));
        EXPECT_NEAR(ExpectedGamesToBust(BestPlay(deckSize), 40, 1), 40 / shortfall, 1e-9);
        EXPECT_NEAR(ExpectedGamesToBust(BestPlay(deckSize), 40, 5), 8 / shortfall, 1e-9);
    }
}

TEST(DeckFigures, BestPlayOfTheJokerDeck) {
    const DeckAnalysis& analysis = Analysed(53);
    DeckFigures figures;
    ComputeDeckFigures(analysis, 40, figures);
    EXPECT_EQ(figures.deckSize, 53);
    EXPECT_EQ(figures.credits, 40);
    EXPECT_DOUBLE_EQ(figures.expectedReturn, ExpectedReturn(analysis));
    EXPECT_DOUBLE_EQ(figures.hitFrequency, 1 - FinalCategoryProbability(analysis, Nothing));
    EXPECT_DOUBLE_EQ(figures.standardDeviation * figures.standardDeviation, figures.variance);
    ASSERT_EQ(figures.risk.size(), 6u);
    // Risks grow with the games played and with the coins staked.
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(figures.risk[i].coins, i < 3 ? 1 : 5);
        EXPECT_EQ(figures.risk[i].games, kRiskGames[i % 3]);
        if (i % 3 > 0) {
            EXPECT_GT(figures.risk[i].bustProbability, figures.risk[i - 1].bustProbability);
        }
        if (i >= 3) {
            EXPECT_GT(figures.risk[i].bustProbability, figures.risk[i - 3].bustProbability);
        }
    }
    // Forty one-coin games cannot bust anybody: the first 100 can.
    EXPECT_GT(figures.risk[0].bustProbability, 0.0);
    EXPECT_EQ(BustWithin(BestPlayOutcomes(analysis), 40, 1, {39})[0], 0.0);
    EXPECT_GT(figures.expectedGamesToBust[0], figures.expectedGamesToBust[1]);
}

// The final hands kept for the session's risk are what the sweep counts
// today, for best play and for the kept chart.
TEST(KeptPlay, EqualsTheSweepOfBestPlayAndOfTheChart) {
    for (int deckSize : {52, 53}) {
        SCOPED_TRACE(deckSize);
        StrategyChart chart;
        StoredChart(deckSize, chart);
        ChartPlay charted;
        PlayChart(SharedTables(), chart, kAnalysisThreads, charted);
        const DeckAnalysis* swept[kSessionPlays] = {&Analysed(deckSize), &charted.play};
        for (int play = 0; play < kSessionPlays; ++play) {
            DeckAnalysis kept;
            KeptPlay(deckSize, play, kept);
            EXPECT_EQ(kept.deals, swept[play]->deals);
            for (int held = 0; held <= 5; ++held) {
                EXPECT_EQ(kept.payByHeld[held], swept[play]->payByHeld[held]) << play;
                for (int c = 0; c < kHandCategoryCount; ++c)
                    EXPECT_EQ(kept.countsByHeld[held][c], swept[play]->countsByHeld[held][c])
                        << "play " << play << ", held " << held << ", category " << c;
            }
        }
    }
}

// Backwards from every start at once, forwards from one: the same chances,
// on a small table with capped stakes (3 coins) and on best play, for
// starts below a stake, at the reach and beyond it.
TEST(BustWithinFromEveryStart, EveryStartAsBustWithinCountsIt) {
    const std::vector<int> games = {7, 1, 25};
    for (const OutcomeDistribution& outcomes : {kTinyTable, BestPlay(53)}) {
        std::vector<std::vector<double>> chances;
        BustWithinFromEveryStart(outcomes, 3, games, chances);
        ASSERT_EQ(chances.size(), games.size());
        for (size_t i = 0; i < games.size(); ++i) {
            ASSERT_EQ(chances[i].size(), size_t(3 * games[i] + 1));
            EXPECT_EQ(chances[i][0], 1.0);
            for (int credits = 1; credits <= 3 * games[i] + 2; ++credits) {
                double forwards = BustWithin(outcomes, credits, 3, {games[i]})[0];
                double backwards = size_t(credits) < chances[i].size() ? chances[i][size_t(credits)]
                                                                      : 0.0;
                EXPECT_NEAR(backwards, forwards, 1e-13) << games[i] << " games, " << credits;
            }
        }
    }
}

// The reverse question, counted backwards over every start at once, agrees
// with BustWithin forwards: within the risk at the credits found, beyond it
// one credit below, the same chance there; and the session's figures are
// BustWithin's and ExpectedGamesToBust's on the kept plays.
TEST(LeastCreditsForRisk, TheLeastStartWithinTheRiskAsBustWithinCounts) {
    const std::vector<int> horizon = {kTargetRiskHands};
    for (int deckSize : {52, 53}) {
        for (int coins : {1, 3, 5}) {
            SCOPED_TRACE(std::to_string(deckSize) + " cards, " + std::to_string(coins) + " coins");
            SessionRisk risk;
            ComputeSessionRisk(deckSize, 40, coins, {100, 1000}, risk);
            for (int play = 0; play < kSessionPlays; ++play) {
                const OutcomeDistribution outcomes = KeptPlayOutcomes(deckSize, play);
                const PlayRisk& figures = risk.plays[play];
                const int least = figures.creditsForTarget;
                ASSERT_GT(least, 1);
                double there = BustWithin(outcomes, least, coins, horizon)[0];
                double below = BustWithin(outcomes, least - 1, coins, horizon)[0];
                EXPECT_LE(there, 0.05);
                EXPECT_GT(below, 0.05);
                EXPECT_NEAR(figures.bustAtTarget, there, 1e-12);
                std::vector<double> bust = BustWithin(outcomes, 40, coins, {100, 1000});
                ASSERT_EQ(figures.bust.size(), 2u);
                EXPECT_NEAR(figures.bust[0], bust[0], 1e-12);
                EXPECT_NEAR(figures.bust[1], bust[1], 1e-12);
                EXPECT_EQ(figures.expectedHands, ExpectedGamesToBust(outcomes, 40, coins));
            }
        }
    }
    // A play that never loses never busts: the least start is one credit.
    EXPECT_EQ(LeastCreditsForRisk({{1.0, 1}}, 5, 1000, 0.05), 1);
    // Losing every game: bust within 10 games of 2 coins from 20 credits
    // or less, never from 21.
    double bust = -1;
    EXPECT_EQ(LeastCreditsForRisk({{1.0, 0}}, 2, 10, 0.05, &bust), 21);
    EXPECT_EQ(bust, 0.0);
}

}  // namespace
