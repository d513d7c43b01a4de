// What the analyser reports of one deck under best play: return, hit
// frequency, final hands, the spread of a game and the risk of going bust,
// computed from the deck's analysis; and one deck's whole run with its
// times, as every command computes it for the decks it reports.
#pragma once
#include <vector>

#include "engine/evaluate.h"
#include "engine/round.h"
#include "odds/deal_sweep.h"
#include "odds/risk.h"

struct RiskFigure {
    int coins;
    int games;
    double bustProbability;
    double bustPercent;
};

struct DeckFigures {
    int deckSize = 0;
    int credits = kStartingCredits;
    double expectedReturn = 0;      // per coin
    double expectedReturnPercent = 0;
    double hitFrequency = 0;
    double hitOneIn = 0;            // one paying hand in so many
    double variance = 0;            // of one game's result, per coin
    double standardDeviation = 0;
    double categories[kHandCategoryCount] = {};
    double categoryOneIn[kHandCategoryCount] = {};  // 0 for a category never reached
    double bestHoldKeeps[6] = {};   // percent of the deals whose best hold keeps 0..5 cards
    std::vector<RiskFigure> risk;   // each of kRiskCoins, each of kRiskGames
    double expectedGamesToBust[sizeof kRiskCoins / sizeof kRiskCoins[0]] = {};
};

void ComputeDeckFigures(const DeckAnalysis& analysis, int credits, DeckFigures& figures);

// One deck's best play and its figures, with their times.
struct DeckRun {
    DeckAnalysis analysis;
    DeckFigures figures;
    double dealSeconds = 0;
    double riskSeconds = 0;
};
void RunDeck(const OddsTables& tables, int deckSize, int credits, DeckRun& run);
