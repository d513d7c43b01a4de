#include "presentation/table_look.h"

#include <cstdio>

#include "engine/deck.h"
#include "engine/round.h"
#include "settings/settings.h"

void FormatCoinsReadout(char* out, size_t size) {
    std::snprintf(out, size, "COINS PLAYED = %d", static_cast<int>(gRound.coinsIn));
}

void FormatCreditsReadout(char* out, size_t size) {
    std::snprintf(out, size, "CREDITS = %d", static_cast<int>(gStats.credits));
}

void CardPictureName(int slot, char* out, size_t size) {
    if (slot < 0 || slot >= kSlotCount) {
        if (size) out[0] = '\0';
        return;
    }
    const TableSlot& place = gSlots[slot];
    if (place.card == kNoCard)
        std::snprintf(out, size, "Back%d", static_cast<int>(gSettings.CardBack));
    else
        std::snprintf(out, size, "%.*s", static_cast<int>(sizeof place.name), place.name);
}
