// A deck's figures as members of a JSON object, as every command writes
// them.
#pragma once
#include <cstddef>

#include "odds/deck_figures.h"
#include "odds/json_writer.h"

// The figures as members of the JSON object the caller has opened: deck,
// return, hit_frequency, variance, standard_deviation, categories (by
// HandCategoryName), credits, risk_of_ruin (objects with coins, games and
// bust_probability) and expected_games_to_bust (keyed by the coins, null
// when infinite).  A caller may add members of its own before closing the
// object.  A whole report is {"decks": [ one such object a deck ]}.
void WriteDeckFiguresJson(JsonWriter& json, const DeckFigures& figures);

// The "decks" member: one object a deck, `write(i)` writing the members of
// the i-th.
template <typename Write>
void WriteDecksJson(JsonWriter& json, size_t decks, Write write) {
    JsonBeginArray(json, "decks");
    for (size_t i = 0; i < decks; ++i) {
        JsonBeginObject(json);
        write(i);
        JsonEndObject(json);
    }
    JsonEndArray(json);
}
