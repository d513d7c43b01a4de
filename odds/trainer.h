// The trainer: deals hands as the game does, asks which cards to hold, and
// tells the player the best hold, the chart's line and hold, what each hold
// is worth and what a mistake costs, with a running score.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/card.h"
#include "odds/count_tables.h"

struct TrainerSession {
    int deckSize = kDeckSize;
    std::string deckSource;     // where the deck choice came from, for the player
    uint32_t seed = 0;          // the card generator's seed for the whole session
    bool colour = false;        // terminal colours for right and wrong
    bool echo = false;          // repeat each answer, when it was not typed at a terminal
};

enum class HoldAnswer { Hold, Quit, Again };

// One answer to "which cards?": positions 1..5 ("134", "1 3 4", "1,3,4"),
// cards of the deal by name ("QH JH", "Queen of Hearts"), "-" or "none" to
// draw five, "all" to stand; "q" or "quit" ends.  Again, with `error`, for
// anything else.
HoldAnswer ParseHoldAnswer(const std::string& line, const Card deal[5], int deckSize, int& mask,
                           std::string& error);

// Five cards of a full deck as the game deals them (DrawUndealt), from the
// generator's state `state`, which moves on.
void DealTrainerHand(int deckSize, uint32_t& state, Card deal[5]);

// Plays hands until "q" or the end of `in`; the transcript goes to `out`.
void RunTrainer(const OddsTables& tables, const TrainerSession& session, FILE* in, FILE* out);
