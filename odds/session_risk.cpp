#include "odds/session_risk.h"

#include <algorithm>
#include <cmath>

#include "odds/text_format.h"

OutcomeDistribution KeptPlayOutcomes(int deckSize, int play) {
    DeckAnalysis analysis;
    KeptPlay(deckSize, play, analysis);
    double probability[kHandCategoryCount];
    for (int c = 0; c < kHandCategoryCount; ++c)
        probability[c] = FinalCategoryProbability(analysis, c);
    return CategoryOutcomes(probability);
}

int LeastCreditsForRisk(const OutcomeDistribution& outcomes, int coins, int hands, double risk,
                        double* bust) {
    // Outcomes of equal pay merged, the impossible left out: fewer passes.
    OutcomeDistribution merged;
    for (const Outcome& outcome : outcomes) {
        if (outcome.probability == 0) continue;
        auto same = std::find_if(merged.begin(), merged.end(),
                                 [&](const Outcome& o) { return o.pays == outcome.pays; });
        if (same != merged.end()) same->probability += outcome.probability;
        else merged.push_back(outcome);
    }
    // chance[n]: bust within the games counted so far from a meter of n;
    // after g games only meters up to coins * g can have gone bust.
    const size_t top = size_t(coins) * size_t(hands);
    std::vector<double> chance(top + 2, 0.0);
    std::vector<double> next(top + 2, 0.0);
    chance[0] = 1;
    next[0] = 1;
    for (int game = 1; game <= hands; ++game) {
        const int64_t before = int64_t(coins) * (game - 1);     // reach of `chance`
        const int64_t reach = int64_t(coins) * game;
        // Below one full stake the whole meter is staked.
        for (int64_t n = 1; n < coins && n <= reach; ++n) {
            double sum = 0;
            for (const Outcome& outcome : merged) {
                int64_t after = n * outcome.pays;
                if (after <= before) sum += outcome.probability * chance[size_t(after)];
            }
            next[size_t(n)] = sum;
        }
        // From a full stake up each outcome shifts the meter by a multiple
        // of the stake: one pass per outcome over contiguous meters.
        std::fill(next.begin() + coins, next.begin() + (reach + 1), 0.0);
        for (const Outcome& outcome : merged) {
            const int64_t shift = int64_t(coins) * (outcome.pays - 1);
            const int64_t last = std::min(reach, before - shift);
            const double p = outcome.probability;
            double* to = next.data();
            const double* from = chance.data() + shift;
            for (int64_t n = coins; n <= last; ++n) to[n] += p * from[n];
        }
        chance.swap(next);
    }
    // The least start from which every larger one is within the risk.
    int64_t least = int64_t(top) + 1;
    while (least > 1 && chance[size_t(least - 1)] <= risk) --least;
    if (bust != nullptr) *bust = least <= int64_t(top) ? chance[size_t(least)] : 0.0;
    return int(least);
}

void ComputeSessionRisk(int deckSize, int credits, int coins, const std::vector<int>& hands,
                        SessionRisk& risk) {
    risk = SessionRisk();
    risk.deckSize = deckSize;
    risk.credits = credits;
    risk.coins = coins;
    risk.hands = hands;
    for (int play = 0; play < kSessionPlays; ++play) {
        OutcomeDistribution outcomes = KeptPlayOutcomes(deckSize, play);
        PlayRisk& figures = risk.plays[play];
        figures.bust = BustWithin(outcomes, credits, coins, hands);
        figures.expectedHands = ExpectedGamesToBust(outcomes, credits, coins);
        figures.creditsForTarget =
            LeastCreditsForRisk(outcomes, coins, kTargetRiskHands, kTargetRiskPercent / 100.0,
                                &figures.bustAtTarget);
    }
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
