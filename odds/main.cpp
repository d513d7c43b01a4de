// quorvel-odds: what this machine returns under optimal play, and the
// value of every hold of a deal.
//
//   quorvel-odds [--deck 52|53]                  optimal play over every deal
//   quorvel-odds [--deck 52|53 | --settings FILE] hold C C C C C
//                                                the 32 holds of one deal
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/payout.h"
#include "odds/analysis.h"
#include "odds/card_text.h"
#include "odds/deck_setting.h"
#include "odds/strategy_command.h"

namespace {

const char kUsage[] =
    "usage: quorvel-odds [--deck 52|53]\n"
    "       quorvel-odds [--deck 52|53 | --settings FILE] hold CARD CARD CARD CARD CARD\n"
    "Without \"hold\": the return of optimal play over every deal of both decks\n"
    "(or of the one deck given).  With \"hold\": the expected payout per coin of\n"
    "all 32 holds of the deal, best first, for the deck the game is set to: the\n"
    "joker is in it (53 cards) unless WildCards is 0 in the game's settings file,\n"
    "quorvel.ini beside this program or the FILE given; --deck overrides it.\n"
    "Cards: \"Queen of Hearts\" (quoted or as three words), or QH, 10D or TD, AS,\n"
    "JK or Joker (the joker); letters in either case.\n";

struct Options {
    int deckSize = 0;       // 0: not given
    std::string settingsFile;   // "": the one beside this program
    bool hold = false;
    bool strategy = false;
    StrategyRequest strategyRequest;
    bool help = false;
    std::vector<std::string> cardWords;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

const char* CategoryName(int category) {
    return category == Nothing ? "Nothing" : PayoutTable[category].name;
}

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

bool ParseDeckSize(const std::string& text, int& deckSize, std::string& error) {
    if (text == "52" || text == "53") {
        deckSize = std::stoi(text);
        return true;
    }
    error = "--deck takes 52 or 53, not \"" + text + "\"";
    return false;
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (options.hold) {
            if (arg.rfind("--deck", 0) != 0 && arg.rfind("--settings", 0) != 0) {
                options.cardWords.push_back(arg);
                continue;
            }
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--deck") {
            if (i + 1 >= argc) {
                error = "--deck needs 52 or 53";
                return false;
            }
            if (!ParseDeckSize(argv[++i], options.deckSize, error)) return false;
        } else if (arg.rfind("--deck=", 0) == 0) {
            if (!ParseDeckSize(arg.substr(7), options.deckSize, error)) return false;
        } else if (arg == "--settings") {
            if (i + 1 >= argc) {
                error = "--settings needs the path of the game's settings file";
                return false;
            }
            options.settingsFile = argv[++i];
        } else if (arg.rfind("--settings=", 0) == 0) {
            options.settingsFile = arg.substr(11);
        } else if (arg == "hold" && !options.hold && !options.strategy) {
            options.hold = true;
        } else if (arg == "strategy" && !options.hold && !options.strategy) {
            options.strategy = true;
        } else if (options.strategy && (arg == "--full" || arg == "--derive")) {
            (arg == "--full" ? options.strategyRequest.full : options.strategyRequest.derive) = true;
        } else {
            error = "unknown argument \"" + arg + "\"";
            return false;
        }
    }
    return true;
}

void PrintDeck(const OddsTables& tables, int deckSize, double tableSeconds) {
    auto start = std::chrono::steady_clock::now();
    DeckAnalysis analysis;
    AnalyseDeck(tables, deckSize, kAnalysisThreads, analysis);
    double seconds = SecondsSince(start);

    std::printf("%s: %s deals, %s suit patterns analysed\n",
                deckSize == kDeckSize ? "53 cards, the joker wild" : "52 cards, no joker",
                std::to_string(analysis.deals).c_str(),
                std::to_string(analysis.dealClasses).c_str());
    double value = ExpectedReturn(analysis);
    std::printf("  expected return per coin  %s  (%s %%)\n",
                ExpectedReturnText(analysis, 9).c_str(), Format("%.5f", 100 * value).c_str());
    double hit = 1 - FinalCategoryProbability(analysis, Nothing);
    std::printf("  hit frequency             %s  (1 in %s)\n", Format("%.9f", hit).c_str(),
                Format("%.4f", 1 / hit).c_str());
    std::printf("  %s%s%s\n", Padded("final hand", 24).c_str(),
                RightAligned("probability", 14).c_str(), RightAligned("1 in", 16).c_str());
    for (int c = 1; c <= kHandCategoryCount; ++c) {
        int category = c % kHandCategoryCount;     // Nothing last
        double p = FinalCategoryProbability(analysis, category);
        std::string oneIn = p > 0 ? Format("%.2f", 1 / p) : "never";
        std::printf("  %s%s%s\n", Padded(CategoryName(category), 24).c_str(),
                    RightAligned(FinalCategoryProbabilityText(analysis, category, 12), 14).c_str(),
                    RightAligned(oneIn, 16).c_str());
    }
    std::printf("  best hold keeps");
    for (int held = 0; held <= 5; ++held) {
        std::printf(" %d: %s%%%s", held,
                    Format("%.2f", 100.0 * double(analysis.dealsByHeld[held]) /
                                       double(analysis.deals)).c_str(),
                    held < 5 ? "," : "\n");
    }
    std::printf("  time: %s s (%s s for this deck, %s s for the shared hand tables)\n\n",
                Format("%.3f", seconds + tableSeconds).c_str(), Format("%.3f", seconds).c_str(),
                Format("%.3f", tableSeconds).c_str());
}

int RunAnalysis(int deckSize) {
    auto start = std::chrono::steady_clock::now();
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    double tableSeconds = SecondsSince(start);
    std::printf("Quorvel: optimal play, every deal counted exactly\n\n");
    if (deckSize == 0 || deckSize == kDeckSize) PrintDeck(tables, kDeckSize, tableSeconds);
    if (deckSize == 0 || deckSize == kNaturalCards) PrintDeck(tables, kNaturalCards, tableSeconds);
    std::printf("total time: %s s on %d threads\n", Format("%.3f", SecondsSince(start)).c_str(),
                kAnalysisThreads);
    return 0;
}

int64_t GreatestCommonDivisor(int64_t a, int64_t b) {
    while (b != 0) {
        int64_t rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

int RunHold(const Options& options) {
    int deckSize = options.deckSize;
    std::string source = "--deck " + std::to_string(deckSize);
    std::string error;
    if (deckSize == 0) {
        bool named = !options.settingsFile.empty();
        std::string path = named ? options.settingsFile : SettingsFileBesideProgram();
        if (!DeckSizeFromSettingsFile(path, named, deckSize, source, error)) {
            std::fprintf(stderr, "quorvel-odds: %s\n", error.c_str());
            return 2;
        }
    }
    Card deal[5];
    if (!ParseDeal(options.cardWords, deckSize, deal, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n", error.c_str());
        // A joker refused by a deck the player did not name: say where the
        // deck came from.
        std::string unused;
        if (options.deckSize == 0 && ParseDeal(options.cardWords, kDeckSize, deal, unused))
            std::fprintf(stderr, "quorvel-odds: the %d-card deck: %s\n", deckSize,
                         source.c_str());
        return 2;
    }
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    HoldOutcome outcomes[kHoldCount];
    EvaluateHolds(tables, deckSize, deal, outcomes);
    SortHoldsBestFirst(outcomes);

    std::printf("Deal:");
    for (int i = 0; i < 5; ++i)
        std::printf(" %s (%s)%s", CardShortName(deal[i]).c_str(), CardLongName(deal[i]).c_str(),
                    i < 4 ? "," : "\n");
    std::printf("As dealt: %s.  %d-card deck%s (%s).\n\n", CategoryName(EvaluateHand(deal)),
                deckSize, deckSize == kDeckSize ? " with the joker" : ", no joker",
                source.c_str());
    std::printf("      %s%s%s  %s\n", RightAligned("per coin", 14).c_str(),
                RightAligned("exact", 18).c_str(), RightAligned("wins", 9).c_str(), "hold");
    for (int i = 0; i < kHoldCount; ++i) {
        const HoldOutcome& outcome = outcomes[i];
        int64_t divisor = GreatestCommonDivisor(outcome.pay, outcome.draws);
        if (divisor == 0) divisor = 1;
        std::string exact =
            std::to_string(outcome.pay / divisor) + "/" + std::to_string(outcome.draws / divisor);
        double wins = 100.0 * double(outcome.draws - outcome.counts[Nothing]) /
                      double(outcome.draws);
        std::string held;
        for (int card = 0; card < 5; ++card)
            if (outcome.mask & (1 << card)) held += " " + CardShortName(deal[card]);
        if (held.empty()) held = " nothing (draw five)";
        std::printf("  %2d. %s%s%s %s\n", i + 1,
                    RightAligned(FractionText(outcome.pay, outcome.draws, 9), 14).c_str(),
                    RightAligned(exact, 18).c_str(),
                    RightAligned(Format("%.2f", wins) + "%", 9).c_str(), held.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.hold) return RunHold(options);
    if (options.strategy) {
        options.strategyRequest.deckSize = options.deckSize;
        return RunStrategy(options.strategyRequest);
    }
    return RunAnalysis(options.deckSize);
}
