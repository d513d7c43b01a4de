// The risk of going bust for the session being played: from the credits in
// hand and the coins a game, under optimal play and under the kept chart,
// the chance of going bust within so many hands, the expected hands before
// it, and the reverse, the least credits that keep that chance within
// 1,000 hands at 5 % or less.  Each play's final hands over every deal are
// kept in the program (odds/kept_plays.cpp, checked by the tests against
// the sweep), so that a question takes no sweep: the page asks them live.
#pragma once
#include <string>
#include <vector>

#include "odds/deal_sweep.h"
#include "odds/json_writer.h"
#include "odds/risk.h"

enum SessionPlay { OptimalPlay, ChartedPlay };
constexpr int kSessionPlays = 2;

// The horizons a session is told: the next 100 and 1,000 hands.
constexpr int kSessionHands[] = {100, 1000};

// The reverse question: at most this chance, in percent, within so many hands.
constexpr int kTargetRiskPercent = 5;
constexpr int kTargetRiskHands = 1000;

// A play's final hands over every deal of the deck as the sweep counts them
// (AnalyseDeck for optimal play, PlayChart with the kept chart): deckSize,
// deals, countsByHeld and payByHeld set, the rest 0.
void KeptPlay(int deckSize, int play, DeckAnalysis& analysis);
OutcomeDistribution KeptPlayOutcomes(int deckSize, int play);

// The least credits from which the chance of going bust within `hands`
// hands, `coins` a game, is at most `risk`, and stays so for every larger
// start; with the chance there in `bust` when asked.  Every start at once
// (BustWithinFromEveryStart): a start above coins * hands cannot go bust
// in time, so the answer is at most that plus one.
int LeastCreditsForRisk(const OutcomeDistribution& outcomes, int coins, int hands, double risk,
                        double* bust = nullptr);

struct PlayRisk {
    std::vector<double> bust;       // within each of SessionRisk::hands
    double expectedHands = 0;       // infinite when the play may never go bust
    int creditsForTarget = 0;       // LeastCreditsForRisk at the target
    double bustAtTarget = 0;        // the chance from there
};

struct SessionRisk {
    int deckSize = 0;
    int credits = 0;
    int coins = 0;
    std::vector<int> hands;
    PlayRisk plays[kSessionPlays];  // by SessionPlay
};

// What the figures need of the deck and the coins, whatever the credits:
// each play's final hands and its chance of going bust within each of the
// hands and within the target's from every start.  The page keeps it while
// the coins stay, and the credits, which move every hand, cost no count.
struct SessionChances {
    int deckSize = 0;
    int coins = 0;
    std::vector<int> hands;
    OutcomeDistribution outcomes[kSessionPlays];
    // By SessionPlay: for each of `hands`, then the target's, by start.
    std::vector<std::vector<double>> chances[kSessionPlays];
};
void PrepareSessionChances(int deckSize, int coins, const std::vector<int>& hands,
                           SessionChances& chances);
void SessionRiskFrom(const SessionChances& chances, int credits, SessionRisk& risk);

// Both at once.  Credits >= 0 (0: bust already), coins 1..5, hands each >= 1.
void ComputeSessionRisk(int deckSize, int credits, int coins, const std::vector<int>& hands,
                        SessionRisk& risk);

// "optimal play" / "the chart".
const char* SessionPlayName(int play);

// The figures as numbers and as the text a player reads ("10.744 %",
// "2,297.8", "infinite"), for `risk --json` and the page's coach.
void WriteSessionRiskJson(JsonWriter& json, const SessionRisk& risk);
std::string BustPercentText(double probability);
std::string ExpectedHandsText(double hands);
