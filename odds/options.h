// The command line of quorvel-odds: the command and its options.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/round.h"

enum class OddsCommand { Analysis, Hold, Train, Strategy, Risk };

struct OddsOptions {
    OddsCommand command = OddsCommand::Analysis;
    int deckSize = 0;               // 0: not given
    std::string settingsFile;       // "": the one beside this program
    bool json = false;
    int credits = kStartingCredits;    // the start of the risk figures
    bool seedGiven = false;
    uint32_t seed = 0;
    bool full = false;              // strategy: each line's share and return
    bool derive = false;            // strategy: derive the charts afresh
    bool help = false;
    std::vector<std::string> cardWords;     // hold: the deal
    bool heldGiven = false;
    std::string held;               // hold: a hold to set beside the best, as train reads one
    int coins = 0;                  // hold, risk: coins a game, 1..5; 0: not given
    std::vector<int> hands;         // risk: the horizons, in hands; empty: not given
};

extern const char kOddsUsage[];

// False with the reason in `error` for anything not understood, or an
// option that the command does not take.
bool ParseOddsOptions(int argc, const char* const* argv, OddsOptions& options,
                      std::string& error);

// The most hands --hands takes: the count grows with the square of it.
constexpr int kMostHands = 10000;

// The decks of a command: the one given, or both (0), the joker's first.
std::vector<int> DecksToRun(int deckSize);
