#include "odds/deck_figures.h"

#include <cmath>
#include <string>

#include "odds/card_text.h"

void ComputeDeckFigures(const DeckAnalysis& analysis, int credits, DeckFigures& figures) {
    figures = DeckFigures();
    figures.deckSize = analysis.deckSize;
    figures.credits = credits;
    figures.expectedReturn = ExpectedReturn(analysis);
    for (int c = 0; c < kHandCategoryCount; ++c)
        figures.categories[c] = FinalCategoryProbability(analysis, c);
    figures.hitFrequency = 1 - figures.categories[Nothing];
    OutcomeDistribution outcomes = CategoryOutcomes(figures.categories);
    figures.variance = OutcomeVariance(outcomes);
    figures.standardDeviation = std::sqrt(figures.variance);
    std::vector<int> games(std::begin(kRiskGames), std::end(kRiskGames));
    for (size_t i = 0; i < sizeof kRiskCoins / sizeof kRiskCoins[0]; ++i) {
        int coins = kRiskCoins[i];
        std::vector<double> bust = BustWithin(outcomes, credits, coins, games);
        for (size_t g = 0; g < games.size(); ++g)
            figures.risk.push_back({coins, games[g], bust[g]});
        figures.expectedGamesToBust[i] = ExpectedGamesToBust(outcomes, credits, coins);
    }
}

void WriteDeckFiguresJson(JsonWriter& json, const DeckFigures& figures) {
    JsonInteger(json, "deck", figures.deckSize);
    JsonNumber(json, "return", figures.expectedReturn);
    JsonNumber(json, "hit_frequency", figures.hitFrequency);
    JsonNumber(json, "variance", figures.variance);
    JsonNumber(json, "standard_deviation", figures.standardDeviation);
    JsonBeginObject(json, "categories");
    for (int c = 0; c < kHandCategoryCount; ++c)
        JsonNumber(json, HandCategoryName(c), figures.categories[c]);
    JsonEndObject(json);
    JsonInteger(json, "credits", figures.credits);
    JsonBeginArray(json, "risk_of_ruin");
    for (const RiskFigure& risk : figures.risk) {
        JsonBeginObject(json);
        JsonInteger(json, "coins", risk.coins);
        JsonInteger(json, "games", risk.games);
        JsonNumber(json, "bust_probability", risk.bustProbability);
        JsonEndObject(json);
    }
    JsonEndArray(json);
    JsonBeginObject(json, "expected_games_to_bust");
    for (size_t i = 0; i < sizeof kRiskCoins / sizeof kRiskCoins[0]; ++i)
        JsonNumber(json, std::to_string(kRiskCoins[i]).c_str(), figures.expectedGamesToBust[i]);
    JsonEndObject(json);
}

void RunDeck(const OddsTables& tables, int deckSize, int credits, DeckRun& run) {
    auto start = std::chrono::steady_clock::now();
    AnalyseDeck(tables, deckSize, kAnalysisThreads, run.analysis);
    run.dealSeconds = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    ComputeDeckFigures(run.analysis, credits, run.figures);
    run.riskSeconds = SecondsSince(start);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<int> DecksToRun(int deckSize) {
    std::vector<int> decks;
    if (deckSize == 0 || deckSize == kDeckSize) decks.push_back(kDeckSize);
    if (deckSize == 0 || deckSize == kNaturalCards) decks.push_back(kNaturalCards);
    return decks;
}

const char* DeckLabel(int deckSize) {
    return deckSize == kDeckSize ? "53 cards, the joker wild" : "52 cards, no joker";
}

std::string DeckName(int deckSize) {
    return std::to_string(deckSize) +
           (deckSize == kDeckSize ? "-card deck with the joker" : "-card deck, no joker");
}
