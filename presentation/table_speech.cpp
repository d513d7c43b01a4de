#include "presentation/table_speech.h"

#include <cstdio>

#include "engine/card_name.h"
#include "engine/deck.h"
#include "engine/round.h"
#include "presentation/table_look.h"

namespace {

bool gWasDealing = false;

// A place's card is chosen before the deal turns it up; until its tick it
// still shows the back, unless it is held from the deal before.
bool FaceUp(int slot) {
    if (slot < 0 || slot >= kSlotCount || gSlots[slot].card == kNoCard) return false;
    return gRound.dealing == 0 || slot < gRound.dealStep || gSlots[slot].held != 0;
}

// "Queen of Spades, Joker, ..." of the five places, face-down ones left out.
void CardList(char* out, size_t size) {
    size_t used = 0;
    out[0] = '\0';
    for (int slot = 0; slot < kSlotCount && used < size; ++slot) {
        if (!FaceUp(slot)) continue;
        int n = std::snprintf(out + used, size - used, "%s%s", used ? ", " : "",
                              CardName(gSlots[slot].card));
        if (n < 0) break;
        used += static_cast<size_t>(n);
    }
}

}  // namespace

void SpokenCardPlace(int slot, char* out, size_t size) {
    if (!size) return;
    if (!FaceUp(slot))
        std::snprintf(out, size, "Face down");
    else
        std::snprintf(out, size, "%s%s", CardName(gSlots[slot].card),
                      gSlots[slot].held ? ", held" : "");
}

void SpokenHoldButton(int slot, char* out, size_t size) {
    if (!size) return;
    if (FaceUp(slot))
        std::snprintf(out, size, "Hold %s", CardName(gSlots[slot].card));
    else
        std::snprintf(out, size, "Hold card %d", slot + 1);
}

void SpokenHeldCards(int mask, char* out, size_t size) {
    if (!size) return;
    size_t used = 0;
    out[0] = '\0';
    for (int slot = 0; slot < kSlotCount && used < size; ++slot) {
        if (!(mask & (1 << slot)) || gSlots[slot].card == kNoCard) continue;
        int n = std::snprintf(out + used, size - used, "%s%s", used ? ", " : "", CardName(gSlots[slot].card));
        if (n < 0) break;
        used += static_cast<size_t>(n);
    }
    if (!used) std::snprintf(out, size, "no card");
}

bool HoldPressed(int slot) { return FaceUp(slot) && gSlots[slot].held != 0; }

void TakeTableNews(char* out, size_t size) {
    if (!size) return;
    out[0] = '\0';
    bool dealing = gRound.dealing != 0;
    bool ended = gWasDealing && !dealing;
    gWasDealing = dealing;
    if (!ended) return;
    char cards[200];
    CardList(cards, sizeof cards);
    if (gRound.phase == Dealt) {
        std::snprintf(out, size, "Dealt: %s.", cards);
    } else {
        // The draw: the round is paid by now, so the meter says what is left.
        char credits[48];
        FormatCreditsReadout(credits, sizeof credits);
        std::snprintf(out, size, "Drawn: %s. %s", cards, credits);
    }
}

void ResetTableNews() { gWasDealing = false; }
