// quorvel-odds risk: the risk of going bust for a session, from the credits
// in hand and the coins a game, under optimal play and under the chart.
#include <cstdio>
#include <string>
#include <vector>

#include "odds/card_text.h"
#include "odds/commands.h"
#include "odds/deck_setting.h"
#include "odds/session_risk.h"
#include "odds/stopwatch.h"
#include "odds/text_format.h"

namespace {

struct RiskReport {
    std::string deckSource;
    std::vector<SessionRisk> sessions;  // one for each number of coins asked
    double seconds = 0;
};

void PrintRisk(const RiskReport& report) {
    const SessionRisk& first = report.sessions.front();
    std::printf("Quorvel: the risk of going bust, %s (%s)\n", DeckName(first.deckSize).c_str(),
                report.deckSource.c_str());
    for (const SessionRisk& risk : report.sessions) {
        std::printf("\nFrom %s %s, %d %s a game:\n", WithThousands(risk.credits).c_str(),
                    risk.credits == 1 ? "credit" : "credits", risk.coins,
                    risk.coins == 1 ? "coin" : "coins");
        std::string header = "  " + Padded("bust", 16);
        for (int hands : risk.hands) header += RightAligned("within " + WithThousands(hands), 15);
        header += RightAligned("hands to bust", 16) + "  credits for " +
                  std::to_string(kTargetRiskPercent) + " % within " +
                  WithThousands(kTargetRiskHands);
        std::printf("%s\n", header.c_str());
        for (int play = 0; play < kSessionPlays; ++play) {
            const PlayRisk& figures = risk.plays[play];
            std::string line = "  " + Padded(SessionPlayName(play), 16);
            for (double bust : figures.bust) line += RightAligned(BustPercentText(bust), 15);
            line += RightAligned(ExpectedHandsText(figures.expectedHands), 16) + "  " +
                    WithThousands(figures.creditsForTarget) + " (" +
                    BustPercentText(figures.bustAtTarget) + ")";
            std::printf("%s\n", line.c_str());
        }
    }
    std::printf("\nBust: the credit meter at 0 after a hand; each hand stakes the coins given,\n"
                "or what is left when that is less.  Counted exactly over the meter.\n");
    std::printf("time: %s s\n", Format("%.3f", report.seconds).c_str());
}

void PrintRiskJson(const RiskReport& report) {
    JsonWriter json;
    JsonBeginObject(json);
    JsonString(json, "deck_source", report.deckSource);
    JsonBeginArray(json, "sessions");
    for (const SessionRisk& risk : report.sessions) {
        JsonBeginObject(json);
        WriteSessionRiskJson(json, risk);
        JsonEndObject(json);
    }
    JsonEndArray(json);
    JsonEndObject(json);
    std::fputs(json.text.c_str(), stdout);
}

}  // namespace

int RunRisk(const OddsOptions& options) {
    RiskReport report;
    int deckSize = 0;
    std::string error;
    if (!CommandDeck(options, deckSize, report.deckSource, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n", error.c_str());
        return 2;
    }
    std::vector<int> hands = options.hands;
    if (hands.empty()) hands.assign(std::begin(kSessionHands), std::end(kSessionHands));
    std::vector<int> coins;
    if (options.coins > 0) coins.push_back(options.coins);
    else coins.assign(std::begin(kRiskCoins), std::end(kRiskCoins));
    auto start = std::chrono::steady_clock::now();
    for (int c : coins) {
        report.sessions.emplace_back();
        ComputeSessionRisk(deckSize, options.credits, c, hands, report.sessions.back());
    }
    report.seconds = SecondsSince(start);
    if (options.json) PrintRiskJson(report);
    else PrintRisk(report);
    return 0;
}
