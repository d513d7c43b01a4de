#include "engine/deck.h"

#include <cstdio>
#include <cstring>

#include "engine/game_host.h"
#include "engine/round.h"
#include "settings/settings.h"

DeckSlot gDeck[kDeckSize];
TableSlot gSlots[kSlotCount];

namespace {

uint32_t gRandomState = 1;

// 53 with the joker in play, else 52: the joker's entry exists either way,
// it just lies outside the range the generator is reduced to.
int CardsInPlay() { return gSettings.WildCards != 0 ? kDeckSize : kDeckSize - 1; }

// At most ten cards of a game are ever out, so this always ends.
Card DrawFrom(int cardsInPlay) { return DrawUndealt(gDeck, cardsInPlay, gRandomState); }

}  // namespace

void SeedRandom(uint32_t seed) { gRandomState = seed; }

int NextRandom() { return NextRandomFrom(gRandomState); }

int NextRandomFrom(uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

Card DrawUndealt(DeckSlot deck[], int cardsInPlay, uint32_t& state) {
    Card c = NextRandomFrom(state) % cardsInPlay;
    while (deck[c].dealt != 0) c = NextRandomFrom(state) % cardsInPlay;
    deck[c].dealt = 1;
    return c;
}

uint32_t RandomState() { return gRandomState; }

void BuildDeck() {
    static const char* const kSuitFormats[] = {"Club%d", "Diamond%d", "Hearts%d", "Spade%d"};
    int suit = 0;
    int rank = 1;
    for (int i = 0; i < kDeckSize; ++i) {
        gDeck[i].dealt = 0;
        if (suit < 4) {
            std::snprintf(gDeck[i].name, sizeof gDeck[i].name, kSuitFormats[suit], rank);
        } else {
            std::snprintf(gDeck[i].name, sizeof gDeck[i].name, "Joker");
        }
        if (++rank > 13) {
            rank = 1;
            ++suit;
        }
    }
}

void ResetDeck() {
    for (DeckSlot& entry : gDeck) entry.dealt = 0;
}

void ClearTable() {
    for (TableSlot& slot : gSlots) {
        slot.held = 0;
        slot.card = kNoCard;
    }
}

Card DrawRandomCard() { return DrawFrom(CardsInPlay()); }

void DealUnheld() {
    int cardsInPlay = CardsInPlay();
    SeedRandom(static_cast<uint32_t>(CurrentGameHost()->CurrentTimeSeconds()));
    for (TableSlot& slot : gSlots) {
        if (slot.held != 0) continue;
        slot.card = DrawFrom(cardsInPlay);
        std::memcpy(slot.name, gDeck[slot.card].name, sizeof slot.name);
    }
}

void DealTick() {
    GameHost* host = CurrentGameHost();
    int slot = gRound.dealStep;
    while (slot < kSlotCount && gSlots[slot].held != 0) ++slot;
    if (slot < kSlotCount) {
        host->DrawCard(slot);
        host->PlaySoundEffect("CardDrop");
        gRound.dealStep = slot + 1;
    } else {
        gRound.dealStep = kSlotCount;
    }
    if (gRound.dealStep == kSlotCount) EndOfDeal();
}

void ToggleHold(int slot) {
    if (!InHoldPhase() || slot < 0 || slot >= kSlotCount) return;
    GameHost* host = CurrentGameHost();
    TableSlot& s = gSlots[slot];
    s.held = 1 - s.held;
    TableButton button = static_cast<TableButton>(HoldButton0 + slot);
    if (s.held != 0) {
        host->PlaySoundEffect("HoldCard");
        host->SetButtonCaption(button, "HOLD");
    } else {
        host->PlaySoundEffect("NoHold");
        host->SetButtonCaption(button, "");
    }
}
