// Plays the engine from a seed with random mixtures of every command the
// window can send, the timer ticks and the settings a player can change
// mid-round, through the GameHost interface, and checks after every step
// that the machine is still in a state it can be in.  Shared by the test
// and the soak program under bench/.
#pragma once
#include <cstdint>
#include <string>

#include "engine/round.h"

struct RandomPlayResult {
    uint64_t steps = 0;         // steps taken, the failing one included
    std::string failure;        // empty when every check held
    std::string lastSteps;      // the steps that led up to a failure
    uint64_t fingerprint = 0;   // of the state after every step: equal runs, equal prints
    // How much of the game the run reached.
    uint64_t rounds = 0;        // draws turned up and paid
    uint64_t wins = 0;          // of them paying hands
    uint64_t jackpots = 0;
    uint64_t busted = 0;
    uint64_t jokerHands = 0;    // final hands holding the joker
    uint64_t ticksInBoxes = 0;  // timer 6 ticks while a message box was open
    GameStats endStats = {};    // the statistics after the last step
};

enum class RandomPlayStart {
    NewGame,        // a program just started
    // A session of days without a New Game: the meters and counters a few
    // thousand short of the largest 32-bit value, as millions of bank hits
    // and games leave them.
    NearTheLimits,
};

// Runs `steps` steps.  Stops at the first broken check; the same seed always
// plays the same sequence.
RandomPlayResult RunRandomPlay(uint64_t seed, uint64_t steps,
                               RandomPlayStart start = RandomPlayStart::NewGame);

// The seed from QUORVEL_SEED (decimal or 0x hex) when set, else a fresh one.
uint64_t RandomPlaySeed();
