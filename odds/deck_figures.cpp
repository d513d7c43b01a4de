#include "odds/deck_figures.h"

#include <cmath>

#include "odds/stopwatch.h"

void ComputeDeckFigures(const DeckAnalysis& analysis, int credits, DeckFigures& figures) {
    figures = DeckFigures();
    figures.deckSize = analysis.deckSize;
    figures.credits = credits;
    figures.expectedReturn = ExpectedReturn(analysis);
    for (int c = 0; c < kHandCategoryCount; ++c)
        figures.categories[c] = FinalCategoryProbability(analysis, c);
    figures.hitFrequency = 1 - figures.categories[Nothing];
    for (int held = 0; held <= 5; ++held)
        figures.bestHoldKeeps[held] =
            100.0 * double(analysis.dealsByHeld[held]) / double(analysis.deals);
    OutcomeDistribution outcomes = CategoryOutcomes(figures.categories);
    figures.variance = OutcomeVariance(outcomes);
    figures.standardDeviation = std::sqrt(figures.variance);
    std::vector<int> games(std::begin(kRiskGames), std::end(kRiskGames));
    for (size_t i = 0; i < sizeof kRiskCoins / sizeof kRiskCoins[0]; ++i) {
        int coins = kRiskCoins[i];
        std::vector<double> bust = BustWithin(outcomes, credits, coins, games);
        for (size_t g = 0; g < games.size(); ++g)
            figures.risk.push_back({coins, games[g], bust[g], 0});
        figures.expectedGamesToBust[i] = ExpectedGamesToBust(outcomes, credits, coins);
    }
    // The readers' forms last, from the figures as stored: after the calls
    // above no x87 register of the 32-bit program still holds an unrounded
    // one, so they print the digits they always printed.
    figures.expectedReturnPercent = 100 * figures.expectedReturn;
    figures.hitOneIn = 1 / figures.hitFrequency;
    for (int c = 0; c < kHandCategoryCount; ++c)
        if (figures.categories[c] > 0) figures.categoryOneIn[c] = 1 / figures.categories[c];
    for (RiskFigure& risk : figures.risk) risk.bustPercent = 100 * risk.bustProbability;
}

void RunDeck(const OddsTables& tables, int deckSize, int credits, DeckRun& run) {
    auto start = std::chrono::steady_clock::now();
    AnalyseDeck(tables, deckSize, kAnalysisThreads, run.analysis);
    run.dealSeconds = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    ComputeDeckFigures(run.analysis, credits, run.figures);
    run.riskSeconds = SecondsSince(start);
}
