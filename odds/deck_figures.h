// What the analyser reports of one deck under best play: return, hit
// frequency, final hands, the spread of a game and the risk of going bust;
// and the same as members of a JSON object.  Also what every command says
// of the decks it runs.
#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "engine/evaluate.h"
#include "engine/round.h"
#include "odds/deal_sweep.h"
#include "odds/json_writer.h"
#include "odds/risk.h"

struct RiskFigure {
    int coins;
    int games;
    double bustProbability;
};

struct DeckFigures {
    int deckSize = 0;
    int credits = kStartingCredits;
    double expectedReturn = 0;      // per coin
    double hitFrequency = 0;
    double variance = 0;            // of one game's result, per coin
    double standardDeviation = 0;
    double categories[kHandCategoryCount] = {};
    std::vector<RiskFigure> risk;   // each of kRiskCoins, each of kRiskGames
    double expectedGamesToBust[sizeof kRiskCoins / sizeof kRiskCoins[0]] = {};
};

void ComputeDeckFigures(const DeckAnalysis& analysis, int credits, DeckFigures& figures);

// The figures as members of the JSON object the caller has opened: deck,
// return, hit_frequency, variance, standard_deviation, categories (by
// HandCategoryName), credits, risk_of_ruin (objects with coins, games and
// bust_probability) and expected_games_to_bust (keyed by the coins, null
// when infinite).  A caller may add members of its own before closing the
// object.  A whole report is {"decks": [ one such object a deck ]}.
void WriteDeckFiguresJson(JsonWriter& json, const DeckFigures& figures);

// The "decks" member: one object a deck, `write(i)` writing the members of
// the i-th.
template <typename Write>
void WriteDecksJson(JsonWriter& json, size_t decks, Write write) {
    JsonBeginArray(json, "decks");
    for (size_t i = 0; i < decks; ++i) {
        JsonBeginObject(json);
        write(i);
        JsonEndObject(json);
    }
    JsonEndArray(json);
}

// One deck's best play and its figures, with their times.
struct DeckRun {
    DeckAnalysis analysis;
    DeckFigures figures;
    double dealSeconds = 0;
    double riskSeconds = 0;
};
void RunDeck(const OddsTables& tables, int deckSize, int credits, DeckRun& run);

double SecondsSince(std::chrono::steady_clock::time_point start);

// The decks of a command: the one given, or both (0), the joker's first.
std::vector<int> DecksToRun(int deckSize);
// "53 cards, the joker wild" / "52 cards, no joker": a deck's heading.
const char* DeckLabel(int deckSize);
// "53-card deck with the joker" / "52-card deck, no joker": the deck of a
// deal.
std::string DeckName(int deckSize);
