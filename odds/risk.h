// How wild the ride is: the spread of one game's result and the chance of
// going bust from a credit meter, for any distribution of final hands (best
// play, a chart, or a made-up pay table).
//
// A game played with b coins from n credits leaves n - b + b * pays
// credits; the bet is min(coins, n), so only a game that stakes the last
// credits and pays nothing can bust the player.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/evaluate.h"

struct DeckAnalysis;

// One way a game can end: its probability and what it pays per coin.
struct Outcome {
    double probability;
    int32_t pays;
};
typedef std::vector<Outcome> OutcomeDistribution;

// The final categories with the machine's PayoutTable; probabilities
// indexed by HandCategory.
OutcomeDistribution CategoryOutcomes(const double probability[kHandCategoryCount]);
// Best play over every deal of the analysed deck.
OutcomeDistribution BestPlayOutcomes(const DeckAnalysis& analysis);

// Coins paid per coin played, and the variance of one game's result per
// coin (the stake does not change it).  The probabilities need not be
// normalised exactly; they are taken as they are.
double OutcomeReturn(const OutcomeDistribution& outcomes);
double OutcomeVariance(const OutcomeDistribution& outcomes);
// The same over final categories, for a chart's own distribution.
double CategoryVariance(const double probability[kHandCategoryCount]);

// The chance of being bust (credits 0) within each of `games` games, from
// `credits` credits, `coins` per game (capped by the credits left).  A
// meter above coins * (games left) can no longer reach 0 in time, so such
// states are dropped: the figures are exact, with no truncation of the
// meter.  `games` ascending is not required.
std::vector<double> BustWithin(const OutcomeDistribution& outcomes, int credits, int coins,
                               const std::vector<int>& games);

// The same from every start at once, counted backwards from the last game:
// chances[i][n] is the chance of being bust within games[i] games (each
// >= 1) from n credits, for n from 0 to coins * games[i]; from more the
// player cannot go bust in time.  One count for the longest horizon
// answers every start and every horizon, as BustWithin does one start.
void BustWithinFromEveryStart(const OutcomeDistribution& outcomes, int coins,
                              const std::vector<int>& games,
                              std::vector<std::vector<double>>& chances);

// Expected number of games until bust.  While the meter holds at least
// `coins`, every game moves it by a multiple of `coins` and can lower it by
// one stake at most, so it first falls below `coins` exactly at the meter's
// residue, after (credits - residue) / coins / (1 - return) games on
// average (Wald); from the residues 1 .. coins-1 the capped bets are a small
// linear system.  Exact, with no bound on the meter.  Infinite when the
// return is 1 or more: the player then may never go bust, or not within any
// finite expectation.
double ExpectedGamesToBust(const OutcomeDistribution& outcomes, int credits, int coins);

// The figures the analyser reports: 100, 500 and 1,000 games, 1 and 5
// coins; the credits are the machine's start (kStartingCredits) unless asked.
constexpr int kRiskGames[] = {100, 500, 1000};
constexpr int kRiskCoins[] = {1, 5};
