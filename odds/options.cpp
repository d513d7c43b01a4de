#include "odds/options.h"

#include <cctype>

#include "odds/count_tables.h"

const char kOddsUsage[] =
    "usage: quorvel-odds [--deck 52|53] [--credits N] [--json]\n"
    "       quorvel-odds [--deck 52|53 | --settings FILE] [--credits N] [--json]\n"
    "                    [--held HOLD] [--coins N] hold CARD CARD CARD CARD CARD\n"
    "       quorvel-odds [--deck 52|53] [--credits N] [--json] [--full] [--derive]\n"
    "                    strategy\n"
    "       quorvel-odds [--deck 52|53 | --settings FILE] [--seed N] train\n"
    "       quorvel-odds [--deck 52|53 | --settings FILE] [--credits N] [--coins N]\n"
    "                    [--hands N,N...] [--json] risk\n"
    "Without a command: the return of optimal play over every deal of both decks\n"
    "(or of the one deck given), the spread of a game and the risk of going bust\n"
    "from N credits (40, as the machine starts).  \"hold\": the expected payout per\n"
    "coin of all 32 holds of the deal, best first, the chart's hold, and the best\n"
    "hold's final hands; --held sets another hold beside it (positions \"134\",\n"
    "cards \"QH,JH\", - for none, all) and tells where they differ; --coins\n"
    "(1 to 5, 1 unless given) prices them for the coins played.  \"risk\": the\n"
    "chance of going bust within the next 100 and 1,000 hands (--hands), the\n"
    "expected hands before it and the least credits for a risk of at most 5 %\n"
    "within 1,000 hands, under optimal play and under the chart, from N credits\n"
    "(40 unless given), 1 and 5 coins a game unless --coins.\n"
    "\"strategy\": a chart of holds to learn, with its return.  \"train\": deals\n"
    "hands to hold and tells the cost of every mistake and the chart's hold; q\n"
    "quits.  --json prints one JSON object instead of text.\n"
    "--derive derives the strategy charts afresh from the analysis (slow).\n"
    "The deck of \"hold\", \"train\" and \"risk\" is the one the game is set to: the joker is\n"
    "in it (53 cards) unless WildCards is 0 in the game's settings file,\n"
    "quorvel.ini beside this program or the FILE given; --deck overrides it.\n"
    "Cards: \"Queen of Hearts\" (quoted or as three words), or QH, 10D or TD, AS,\n"
    "JK or Joker (the joker); letters in either case.\n";

namespace {

bool ParseDeckSize(const std::string& text, int& deckSize, std::string& error) {
    if (text == "52" || text == "53") {
        deckSize = std::stoi(text);
        return true;
    }
    error = "--deck takes 52 or 53, not \"" + text + "\"";
    return false;
}

// A decimal number of digits only, at most `largest`.
bool ParseCount(const std::string& text, uint64_t largest, uint64_t& value) {
    if (text.empty() || text.size() > 12) return false;
    value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        value = 10 * value + uint64_t(c - '0');
    }
    return value <= largest;
}

// "--name value" or "--name=value": true when `arg` is the option, with its
// value taken (and i moved past it); `missing` set when there is none.
bool OptionValue(const char* name, int argc, const char* const* argv, int& i, std::string& value,
                 bool& missing) {
    std::string arg = argv[i];
    std::string prefix = std::string(name) + "=";
    missing = false;
    if (arg == name) {
        if (i + 1 >= argc) {
            missing = true;
            return true;
        }
        value = argv[++i];
        return true;
    }
    if (arg.compare(0, prefix.size(), prefix) == 0) {
        value = arg.substr(prefix.size());
        return true;
    }
    return false;
}

const char* CommandName(OddsCommand command) {
    switch (command) {
    case OddsCommand::Hold: return "hold";
    case OddsCommand::Train: return "train";
    case OddsCommand::Strategy: return "strategy";
    case OddsCommand::Risk: return "risk";
    case OddsCommand::Analysis: break;
    }
    return "the analysis";
}

// "100,1000": numbers of hands from 1 to kMostHands, by commas.
bool ParseHands(const std::string& text, std::vector<int>& hands) {
    hands.clear();
    size_t from = 0;
    for (;;) {
        size_t comma = text.find(',', from);
        std::string word = text.substr(from, comma == std::string::npos ? std::string::npos
                                                                        : comma - from);
        uint64_t count = 0;
        if (!ParseCount(word, kMostHands, count) || count == 0) return false;
        hands.push_back(int(count));
        if (comma == std::string::npos) return true;
        from = comma + 1;
    }
}

}  // namespace

bool ParseOddsOptions(int argc, const char* const* argv, OddsOptions& options,
                      std::string& error) {
    bool commandGiven = false;
    bool creditsGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool missing = false;
        // After "hold" every word that is not an option is a card; no card
        // starts with "--".
        if (options.command == OddsCommand::Hold && arg.compare(0, 2, "--") != 0 &&
            arg != "-h") {
            options.cardWords.push_back(arg);
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--full") {
            options.full = true;
        } else if (arg == "--derive") {
            options.derive = true;
        } else if (OptionValue("--deck", argc, argv, i, value, missing)) {
            if (missing) {
                error = "--deck needs 52 or 53";
                return false;
            }
            if (!ParseDeckSize(value, options.deckSize, error)) return false;
        } else if (OptionValue("--settings", argc, argv, i, value, missing)) {
            if (missing) {
                error = "--settings needs the path of the game's settings file";
                return false;
            }
            options.settingsFile = value;
        } else if (OptionValue("--credits", argc, argv, i, value, missing)) {
            uint64_t credits = 0;
            if (missing || !ParseCount(value, 1000000000, credits) || credits == 0) {
                error = "--credits takes a number of credits from 1 to 1000000000";
                return false;
            }
            options.credits = int(credits);
            creditsGiven = true;
        } else if (OptionValue("--held", argc, argv, i, value, missing)) {
            if (missing) {
                error = "--held needs a hold: positions (134), cards (QH,JH), - or all";
                return false;
            }
            options.held = value;
            options.heldGiven = true;
        } else if (OptionValue("--coins", argc, argv, i, value, missing)) {
            uint64_t coins = 0;
            if (missing || !ParseCount(value, 5, coins) || coins == 0) {
                error = "--coins takes 1 to 5 coins a game";
                return false;
            }
            options.coins = int(coins);
        } else if (OptionValue("--hands", argc, argv, i, value, missing)) {
            if (missing || !ParseHands(value, options.hands)) {
                error = "--hands takes numbers of hands from 1 to " + std::to_string(kMostHands) +
                        ", separated by commas (100,1000)";
                return false;
            }
        } else if (OptionValue("--seed", argc, argv, i, value, missing)) {
            uint64_t seed = 0;
            if (missing || !ParseCount(value, 0xFFFFFFFFu, seed)) {
                error = "--seed takes a number from 0 to 4294967295";
                return false;
            }
            options.seed = uint32_t(seed);
            options.seedGiven = true;
        } else if (!commandGiven && (arg == "hold" || arg == "train" || arg == "strategy" ||
                                     arg == "risk")) {
            commandGiven = true;
            options.command = arg == "hold"       ? OddsCommand::Hold
                              : arg == "train"    ? OddsCommand::Train
                              : arg == "strategy" ? OddsCommand::Strategy
                                                  : OddsCommand::Risk;
        } else {
            error = "unknown argument \"" + arg + "\"";
            return false;
        }
    }
    if (options.help) return true;
    const char* name = CommandName(options.command);
    bool train = options.command == OddsCommand::Train;
    if (options.seedGiven && !train) {
        error = std::string("--seed is for train, not for ") + name;
        return false;
    }
    if (train && (options.json || creditsGiven)) {
        error = std::string(options.json ? "--json" : "--credits") + " is not for train";
        return false;
    }
    bool hold = options.command == OddsCommand::Hold;
    bool risk = options.command == OddsCommand::Risk;
    if (options.heldGiven && !hold) {
        error = std::string("--held is for hold, not for ") + name;
        return false;
    }
    if (options.coins != 0 && !hold && !risk) {
        error = std::string("--coins is for hold and risk, not for ") + name;
        return false;
    }
    if (!options.hands.empty() && !risk) {
        error = std::string("--hands is for risk, not for ") + name;
        return false;
    }
    if ((options.full || options.derive) && options.command != OddsCommand::Strategy) {
        error = std::string(options.full ? "--full" : "--derive") + " is for strategy, not for " +
                name;
        return false;
    }
    return true;
}

std::vector<int> DecksToRun(int deckSize) {
    std::vector<int> decks;
    if (deckSize == 0 || deckSize == kDeckSize) decks.push_back(kDeckSize);
    if (deckSize == 0 || deckSize == kNaturalCards) decks.push_back(kNaturalCards);
    return decks;
}
