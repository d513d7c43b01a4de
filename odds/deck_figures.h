// What the analyser reports of one deck under best play: return, hit
// frequency, final hands, the spread of a game and the risk of going bust;
// and the same as members of a JSON object.
#pragma once
#include <vector>

#include "engine/evaluate.h"
#include "odds/json_writer.h"
#include "odds/risk.h"

struct DeckAnalysis;

struct RiskFigure {
    int coins;
    int games;
    double bustProbability;
};

struct DeckFigures {
    int deckSize = 0;
    int credits = kStartCredits;
    double expectedReturn = 0;      // per coin
    double hitFrequency = 0;
    double variance = 0;            // of one game's result, per coin
    double standardDeviation = 0;
    double categories[kHandCategoryCount] = {};
    std::vector<RiskFigure> risk;   // each of kRiskCoins, each of kRiskGames
    double expectedGamesToBust[sizeof kRiskCoins / sizeof kRiskCoins[0]] = {};
};

// The enumerator's name: "Nothing", "RoyalFlush", ... "TwoPair".
const char* HandCategoryName(int category);

void ComputeDeckFigures(const DeckAnalysis& analysis, int credits, DeckFigures& figures);

// The figures as members of the JSON object the caller has opened: deck,
// return, hit_frequency, variance, standard_deviation, categories (by
// HandCategory name), credits, risk_of_ruin (objects with coins, games and
// bust_probability) and expected_games_to_bust (keyed by the coins, null
// when infinite).  A caller may add members of its own before closing the
// object.  A whole report is {"decks": [ one such object a deck ]}.
void WriteDeckFiguresJson(JsonWriter& json, const DeckFigures& figures);
