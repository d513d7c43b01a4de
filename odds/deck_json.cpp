#include "odds/deck_json.h"

#include <string>

#include "odds/card_text.h"

void WriteDeckFiguresJson(JsonWriter& json, const DeckFigures& figures) {
    JsonInteger(json, "deck", figures.deckSize);
    JsonNumber(json, "return", figures.expectedReturn);
    JsonNumber(json, "hit_frequency", figures.hitFrequency);
    JsonNumber(json, "variance", figures.variance);
    JsonNumber(json, "standard_deviation", figures.standardDeviation);
    JsonBeginObject(json, "categories");
    for (int c = 0; c < kHandCategoryCount; ++c)
        JsonNumber(json, HandCategoryName(c), figures.categories[c]);
    JsonEndObject(json);
    JsonInteger(json, "credits", figures.credits);
    JsonBeginArray(json, "risk_of_ruin");
    for (const RiskFigure& risk : figures.risk) {
        JsonBeginObject(json);
        JsonInteger(json, "coins", risk.coins);
        JsonInteger(json, "games", risk.games);
        JsonNumber(json, "bust_probability", risk.bustProbability);
        JsonEndObject(json);
    }
    JsonEndArray(json);
    JsonBeginObject(json, "expected_games_to_bust");
    for (size_t i = 0; i < sizeof kRiskCoins / sizeof kRiskCoins[0]; ++i)
        JsonNumber(json, std::to_string(kRiskCoins[i]).c_str(), figures.expectedGamesToBust[i]);
    JsonEndObject(json);
}
