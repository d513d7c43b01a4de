// quorvel-odds without a command: the return of best play over every deal
// of each deck, its final hands, the spread of a game and the risk of going
// bust.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "odds/card_text.h"
#include "odds/commands.h"
#include "odds/deck_figures.h"
#include "odds/deck_json.h"
#include "odds/stopwatch.h"
#include "odds/text_format.h"

namespace {

struct AnalysisReport {
    std::vector<DeckRun> runs;      // the decks asked for, the joker's first
    double tableSeconds = 0;
    std::vector<double> deckSeconds;    // each deck's, the shared tables' included
    double seconds = 0;             // the whole computation
};

void ComputeAnalysis(const OddsOptions& options, AnalysisReport& report) {
    auto start = std::chrono::steady_clock::now();
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    report.tableSeconds = SecondsSince(start);
    std::vector<int> decks = DecksToRun(options.deckSize);
    report.runs.resize(decks.size());
    for (size_t i = 0; i < decks.size(); ++i)
        RunDeck(tables, decks[i], options.credits, report.runs[i]);
    for (const DeckRun& run : report.runs)
        report.deckSeconds.push_back(run.dealSeconds + run.riskSeconds + report.tableSeconds);
    report.seconds = SecondsSince(start);
}

void PrintAnalysisJson(const AnalysisReport& report) {
    JsonWriter json;
    JsonBeginObject(json);
    WriteDecksJson(json, report.runs.size(),
                   [&](size_t i) { WriteDeckFiguresJson(json, report.runs[i].figures); });
    JsonEndObject(json);
    std::fputs(json.text.c_str(), stdout);
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
                line += RightAligned(Format("%.3f %%", risk.bustPercent), 15);
        double games = figures.expectedGamesToBust[i];
        line += RightAligned(std::isinf(games) ? "infinite" : Format("%.1f", games), 16);
        std::printf("%s\n", line.c_str());
    }
}

void PrintDeck(const DeckRun& run, double seconds, double tableSeconds) {
    const DeckAnalysis& analysis = run.analysis;
    const DeckFigures& figures = run.figures;
    std::printf("%s: %s deals, %s suit patterns analysed\n", DeckLabel(analysis.deckSize),
                std::to_string(analysis.deals).c_str(),
                std::to_string(analysis.dealClasses).c_str());
    std::printf("  expected return per coin  %s  (%s %%)\n",
                ExpectedReturnText(analysis, 9).c_str(),
                Format("%.5f", figures.expectedReturnPercent).c_str());
    std::printf("  hit frequency             %s  (1 in %s)\n",
                Format("%.9f", figures.hitFrequency).c_str(),
                Format("%.4f", figures.hitOneIn).c_str());
    std::printf("  %s%s%s\n", Padded("final hand", 24).c_str(),
                RightAligned("probability", 14).c_str(), RightAligned("1 in", 16).c_str());
    for (int c = 1; c <= kHandCategoryCount; ++c) {
        int category = c % kHandCategoryCount;     // Nothing last
        double oneInSo = figures.categoryOneIn[category];
        std::string oneIn = oneInSo > 0 ? Format("%.2f", oneInSo) : "never";
        std::printf("  %s%s%s\n", Padded(HandName(category), 24).c_str(),
                    RightAligned(FinalCategoryProbabilityText(analysis, category, 12), 14).c_str(),
                    RightAligned(oneIn, 16).c_str());
    }
    std::printf("  best hold keeps");
    for (int held = 0; held <= 5; ++held) {
        std::printf(" %d: %s%%%s", held, Format("%.2f", figures.bestHoldKeeps[held]).c_str(),
                    held < 5 ? "," : "\n");
    }
    PrintRisk(figures);
    std::printf("  time: %s s (%s s for this deck's deals, %s s for its variance and risk, "
                "%s s for the shared hand tables)\n\n",
                Format("%.3f", seconds).c_str(),
                Format("%.3f", run.dealSeconds).c_str(), Format("%.3f", run.riskSeconds).c_str(),
                Format("%.3f", tableSeconds).c_str());
}

void PrintAnalysis(const AnalysisReport& report) {
    std::printf("Quorvel: optimal play, every deal counted exactly\n\n");
    for (size_t i = 0; i < report.runs.size(); ++i)
        PrintDeck(report.runs[i], report.deckSeconds[i], report.tableSeconds);
    std::printf("Bust: the credit meter at 0 after a game; each game stakes the coins given,\n"
                "or what is left when that is less, and plays the best hold.  Counted exactly\n"
                "over the meter: no meter is cut off.\n");
    std::printf("total time: %s s on %d threads\n", Format("%.3f", report.seconds).c_str(),
                kAnalysisThreads);
}

}  // namespace

int RunAnalysis(const OddsOptions& options) {
    AnalysisReport report;
    ComputeAnalysis(options, report);
    if (options.json) PrintAnalysisJson(report);
    else PrintAnalysis(report);
    return 0;
}
