#include "odds/session_risk.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "odds/text_format.h"

OutcomeDistribution KeptPlayOutcomes(int deckSize, int play) {
    DeckAnalysis analysis;
    KeptPlay(deckSize, play, analysis);
    double probability[kHandCategoryCount];
    for (int c = 0; c < kHandCategoryCount; ++c)
        probability[c] = FinalCategoryProbability(analysis, c);
    return CategoryOutcomes(probability);
}

namespace {

// The least start from which every larger one is within the risk, and the
// chance there, from every start's chance within the horizon.
int LeastWithin(const std::vector<double>& chance, double risk, double* bust) {
    int64_t least = int64_t(chance.size());
    while (least > 1 && chance[size_t(least - 1)] <= risk) --least;
    if (bust != nullptr) *bust = least < int64_t(chance.size()) ? chance[size_t(least)] : 0.0;
    return int(least);
}

}  // namespace

int LeastCreditsForRisk(const OutcomeDistribution& outcomes, int coins, int hands, double risk,
                        double* bust) {
    std::vector<std::vector<double>> chances;
    BustWithinFromEveryStart(outcomes, coins, {hands}, chances);
    return LeastWithin(chances[0], risk, bust);
}

void PrepareSessionChances(int deckSize, int coins, const std::vector<int>& hands,
                           SessionChances& chances) {
    chances.deckSize = deckSize;
    chances.coins = coins;
    chances.hands = hands;
    // One backward count for the horizons asked and the target's.
    std::vector<int> games = hands;
    games.push_back(kTargetRiskHands);
    for (int play = 0; play < kSessionPlays; ++play) {
        chances.outcomes[play] = KeptPlayOutcomes(deckSize, play);
        BustWithinFromEveryStart(chances.outcomes[play], coins, games, chances.chances[play]);
    }
}

void SessionRiskFrom(const SessionChances& chances, int credits, SessionRisk& risk) {
    risk = SessionRisk();
    risk.deckSize = chances.deckSize;
    risk.credits = credits;
    risk.coins = chances.coins;
    risk.hands = chances.hands;
    for (int play = 0; play < kSessionPlays; ++play) {
        const std::vector<std::vector<double>>& within = chances.chances[play];
        PlayRisk& figures = risk.plays[play];
        for (size_t i = 0; i < risk.hands.size(); ++i) {
            const std::vector<double>& chance = within[i];
            figures.bust.push_back(credits <= 0                    ? 1.0
                                   : size_t(credits) < chance.size() ? chance[size_t(credits)]
                                                                     : 0.0);
        }
        figures.expectedHands =
            ExpectedGamesToBust(chances.outcomes[play], credits, chances.coins);
        figures.creditsForTarget =
            LeastWithin(within.back(), kTargetRiskPercent / 100.0, &figures.bustAtTarget);
    }
}

void ComputeSessionRisk(int deckSize, int credits, int coins, const std::vector<int>& hands,
                        SessionRisk& risk) {
    SessionChances chances;
    PrepareSessionChances(deckSize, coins, hands, chances);
    SessionRiskFrom(chances, credits, risk);
}

const char* SessionPlayName(int play) {
    return play == ChartedPlay ? "the chart" : "optimal play";
}

std::string BustPercentText(double probability) {
    return Format("%.3f", 100 * probability) + " %";
}

std::string ExpectedHandsText(double hands) {
    if (std::isinf(hands)) return "infinite";
    std::string text = Format("%.1f", hands);
    size_t dot = text.find('.');
    // Thousands apart in the whole part, as the player reads the meters.
    std::string whole = text.substr(0, dot);
    for (int at = int(whole.size()) - 3; at > 0; at -= 3) whole.insert(size_t(at), ",");
    return whole + text.substr(dot);
}

void WriteSessionRiskJson(JsonWriter& json, const SessionRisk& risk) {
    JsonInteger(json, "deck", risk.deckSize);
    JsonInteger(json, "credits", risk.credits);
    JsonInteger(json, "coins", risk.coins);
    JsonInteger(json, "target_percent", kTargetRiskPercent);
    JsonInteger(json, "target_hands", kTargetRiskHands);
    JsonBeginArray(json, "plays");
    for (int play = 0; play < kSessionPlays; ++play) {
        const PlayRisk& figures = risk.plays[play];
        JsonBeginObject(json);
        JsonString(json, "play", play == ChartedPlay ? "chart" : "optimal");
        JsonString(json, "name", SessionPlayName(play));
        JsonBeginArray(json, "bust_within");
        for (size_t i = 0; i < risk.hands.size(); ++i) {
            JsonBeginObject(json);
            JsonInteger(json, "hands", risk.hands[i]);
            JsonNumber(json, "probability", figures.bust[i]);
            JsonString(json, "text", BustPercentText(figures.bust[i]));
            JsonEndObject(json);
        }
        JsonEndArray(json);
        JsonNumber(json, "expected_hands", figures.expectedHands);
        JsonString(json, "expected_hands_text", ExpectedHandsText(figures.expectedHands));
        JsonInteger(json, "credits_for_target", figures.creditsForTarget);
        JsonNumber(json, "bust_at_target", figures.bustAtTarget);
        JsonString(json, "bust_at_target_text", BustPercentText(figures.bustAtTarget));
        JsonEndObject(json);
    }
    JsonEndArray(json);
}
