// quorvel-odds: what this machine returns under optimal play and how wild
// the ride is, the value of every hold of a deal, and a trainer.  The
// commands and options are in kOddsUsage (odds/options.cpp).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "engine/payout.h"
#include "odds/analysis.h"
#include "odds/card_text.h"
#include "odds/deck_figures.h"
#include "odds/deck_setting.h"
#include "odds/json_writer.h"
#include "odds/options.h"
#include "odds/strategy_command.h"
#include "odds/trainer.h"

namespace {

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

// One deck's analysis and the figures drawn from it, with their times.
struct DeckRun {
    DeckAnalysis analysis;
    DeckFigures figures;
    double dealSeconds = 0;
    double riskSeconds = 0;
};

void RunDeck(const OddsTables& tables, int deckSize, int credits, DeckRun& run) {
    auto start = std::chrono::steady_clock::now();
    AnalyseDeck(tables, deckSize, kAnalysisThreads, run.analysis);
    run.dealSeconds = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    ComputeDeckFigures(run.analysis, credits, run.figures);
    run.riskSeconds = SecondsSince(start);
}

// 1000 as "1,000".
std::string WithThousands(int value) {
    std::string digits = std::to_string(value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(size_t(at), ",");
    return digits;
}

void PrintRisk(const DeckFigures& figures) {
    std::printf("  variance per coin         %s  (standard deviation %s)\n",
                Format("%.6f", figures.variance).c_str(),
                Format("%.6f", figures.standardDeviation).c_str());
    std::string header = Padded("  bust from " + WithThousands(figures.credits) + " credits", 30);
    for (int games : kRiskGames) header += RightAligned("within " + WithThousands(games), 15);
    std::printf("%s%s\n", header.c_str(), RightAligned("games to bust", 16).c_str());
    const size_t coinCases = sizeof kRiskCoins / sizeof kRiskCoins[0];
    for (size_t i = 0; i < coinCases; ++i) {
        std::string line = Padded("    " + std::to_string(kRiskCoins[i]) +
                                      (kRiskCoins[i] == 1 ? " coin a game" : " coins a game"),
                                  30);
        for (const RiskFigure& risk : figures.risk)
            if (risk.coins == kRiskCoins[i])
                line += RightAligned(Format("%.3f %%", 100 * risk.bustProbability), 15);
        double games = figures.expectedGamesToBust[i];
        line += RightAligned(std::isinf(games) ? "infinite" : Format("%.1f", games), 16);
        std::printf("%s\n", line.c_str());
    }
}

void PrintDeck(const DeckRun& run, double tableSeconds) {
    const DeckAnalysis& analysis = run.analysis;
    const DeckFigures& figures = run.figures;
    std::printf("%s: %s deals, %s suit patterns analysed\n",
                analysis.deckSize == kDeckSize ? "53 cards, the joker wild" : "52 cards, no joker",
                std::to_string(analysis.deals).c_str(),
                std::to_string(analysis.dealClasses).c_str());
    std::printf("  expected return per coin  %s  (%s %%)\n",
                ExpectedReturnText(analysis, 9).c_str(),
                Format("%.5f", 100 * figures.expectedReturn).c_str());
    double hit = figures.hitFrequency;
    std::printf("  hit frequency             %s  (1 in %s)\n", Format("%.9f", hit).c_str(),
                Format("%.4f", 1 / hit).c_str());
    std::printf("  %s%s%s\n", Padded("final hand", 24).c_str(),
                RightAligned("probability", 14).c_str(), RightAligned("1 in", 16).c_str());
    for (int c = 1; c <= kHandCategoryCount; ++c) {
        int category = c % kHandCategoryCount;     // Nothing last
        double p = figures.categories[category];
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
    PrintRisk(figures);
    std::printf("  time: %s s (%s s for this deck's deals, %s s for its variance and risk, "
                "%s s for the shared hand tables)\n\n",
                Format("%.3f", run.dealSeconds + run.riskSeconds + tableSeconds).c_str(),
                Format("%.3f", run.dealSeconds).c_str(), Format("%.3f", run.riskSeconds).c_str(),
                Format("%.3f", tableSeconds).c_str());
}

void PrintJson(const std::vector<DeckRun>& runs, JsonWriter& json) {
    JsonBeginArray(json, "decks");
    for (const DeckRun& run : runs) {
        JsonBeginObject(json);
        WriteDeckFiguresJson(json, run.figures);
        JsonEndObject(json);
    }
    JsonEndArray(json);
}

int RunAnalysis(const OddsOptions& options) {
    auto start = std::chrono::steady_clock::now();
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    double tableSeconds = SecondsSince(start);
    std::vector<int> decks;
    if (options.deckSize == 0 || options.deckSize == kDeckSize) decks.push_back(kDeckSize);
    if (options.deckSize == 0 || options.deckSize == kNaturalCards) decks.push_back(kNaturalCards);
    std::vector<DeckRun> runs(decks.size());
    for (size_t i = 0; i < decks.size(); ++i)
        RunDeck(tables, decks[i], options.credits, runs[i]);

    if (options.json) {
        JsonWriter json;
        JsonBeginObject(json);
        PrintJson(runs, json);
        JsonEndObject(json);
        std::fputs(json.text.c_str(), stdout);
        return 0;
    }
    std::printf("Quorvel: optimal play, every deal counted exactly\n\n");
    for (const DeckRun& run : runs) PrintDeck(run, tableSeconds);
    std::printf("Bust: the credit meter at 0 after a game; each game stakes the coins given,\n"
                "or what is left when that is less, and plays the best hold.  Counted exactly\n"
                "over the meter: no meter is cut off.\n");
    std::printf("total time: %s s on %d threads\n", Format("%.3f", SecondsSince(start)).c_str(),
                kAnalysisThreads);
    return 0;
}

// The deck of hold and train: --deck, else the game's settings file.
bool ChooseDeck(const OddsOptions& options, int& deckSize, std::string& source) {
    deckSize = options.deckSize;
    source = "--deck " + std::to_string(deckSize);
    if (deckSize != 0) return true;
    std::string error;
    bool named = !options.settingsFile.empty();
    std::string path = named ? options.settingsFile : SettingsFileBesideProgram();
    if (!DeckSizeFromSettingsFile(path, named, deckSize, source, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n", error.c_str());
        return false;
    }
    return true;
}

int64_t GreatestCommonDivisor(int64_t a, int64_t b) {
    while (b != 0) {
        int64_t rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

void PrintHoldsJson(const Card deal[5], int deckSize, const std::string& source,
                    const HoldOutcome outcomes[kHoldCount], const OddsTables& tables,
                    int credits) {
    DeckRun run;
    RunDeck(tables, deckSize, credits, run);
    JsonWriter json;
    JsonBeginObject(json);
    JsonString(json, "deck_source", source);
    JsonBeginArray(json, "deal");
    for (int i = 0; i < 5; ++i) JsonString(json, nullptr, CardShortName(deal[i]));
    JsonEndArray(json);
    JsonString(json, "dealt", HandCategoryName(EvaluateHand(deal)));
    JsonBeginArray(json, "holds");
    for (int i = 0; i < kHoldCount; ++i) {
        const HoldOutcome& outcome = outcomes[i];
        JsonBeginObject(json);
        JsonBeginArray(json, "held");
        for (int card = 0; card < 5; ++card)
            if (outcome.mask & (1 << card)) JsonString(json, nullptr, CardShortName(deal[card]));
        JsonEndArray(json);
        JsonNumber(json, "return", double(outcome.pay) / double(outcome.draws));
        JsonInteger(json, "pay", outcome.pay);
        JsonInteger(json, "draws", outcome.draws);
        JsonNumber(json, "hit_probability",
                   double(outcome.draws - outcome.counts[Nothing]) / double(outcome.draws));
        JsonEndObject(json);
    }
    JsonEndArray(json);
    PrintJson(std::vector<DeckRun>(1, run), json);
    JsonEndObject(json);
    std::fputs(json.text.c_str(), stdout);
}

int RunHold(const OddsOptions& options) {
    int deckSize = 0;
    std::string source;
    if (!ChooseDeck(options, deckSize, source)) return 2;
    std::string error;
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
    if (options.json) {
        PrintHoldsJson(deal, deckSize, source, outcomes, tables, options.credits);
        return 0;
    }

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

// Colours only for a person at a terminal that shows them.
bool OutputIsColourTerminal() {
#ifdef _WIN32
    return false;
#else
    const char* term = std::getenv("TERM");
    return isatty(fileno(stdout)) && term != nullptr && std::strcmp(term, "dumb") != 0;
#endif
}

int RunTrain(const OddsOptions& options) {
    TrainerSession session;
    if (!ChooseDeck(options, session.deckSize, session.deckSource)) return 2;
    session.seed = options.seedGiven ? options.seed : uint32_t(std::time(nullptr));
    session.colour = OutputIsColourTerminal();
#ifdef _WIN32
    session.echo = !_isatty(_fileno(stdin));
#else
    session.echo = !isatty(fileno(stdin));
#endif
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    RunTrainer(tables, session, stdin, stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    OddsOptions options;
    std::string error;
    if (!ParseOddsOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n%s", error.c_str(), kOddsUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kOddsUsage, stdout);
        return 0;
    }
    switch (options.command) {
    case OddsCommand::Hold: return RunHold(options);
    case OddsCommand::Train: return RunTrain(options);
    case OddsCommand::Strategy: {
        StrategyRequest request;
        request.deckSize = options.deckSize;
        request.full = options.full;
        request.derive = options.derive;
        request.json = options.json;
        request.credits = options.credits;
        return RunStrategy(request);
    }
    case OddsCommand::Analysis: break;
    }
    return RunAnalysis(options);
}
