#include "engine/deck.h"
#include "engine/round.h"
#include "settings/settings.h"

// Everything as it is when the program has just been loaded, before
// start-up has built the deck or placed the slots.
void ResetProgramState() {
    for (DeckSlot& entry : gDeck) entry = DeckSlot{};
    for (TableSlot& slot : gSlots) slot = TableSlot{};
    SeedRandom(1);
    gRound = RoundState{};
    gStats = GameStats{};
    gNewReceived = 0;
    ResetSettings();
}
