// quorvel-odds train: the trainer on the terminal, the deck of the game's
// settings or --deck.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <ctime>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "odds/commands.h"
#include "odds/deck_setting.h"
#include "odds/splitter.h"
#include "odds/trainer.h"

namespace {

// Colours only for a person at a terminal that shows them.
bool OutputIsColourTerminal() {
#ifdef _WIN32
    return false;
#else
    const char* term = std::getenv("TERM");
    return isatty(fileno(stdout)) && term != nullptr && std::strcmp(term, "dumb") != 0;
#endif
}

}  // namespace

int RunTrain(const OddsOptions& options) {
    TrainerSession session;
    std::string error;
    if (!CommandDeck(options, session.deckSize, session.deckSource, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n", error.c_str());
        return 2;
    }
    session.seed = options.seedGiven ? options.seed : uint32_t(std::time(nullptr));
    session.colour = OutputIsColourTerminal();
#ifdef _WIN32
    session.echo = !_isatty(_fileno(stdin));
#else
    session.echo = !isatty(fileno(stdin));
#endif
    OddsTables tables;
    BuildCountTables(tables, kAnalysisThreads);
    RunTrainer(tables, session, stdin, stdout);
    return 0;
}
