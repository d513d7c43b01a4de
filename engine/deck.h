// The deck table, the five table slots, the shared card generator and the
// mechanical steps of dealing and holding.
#pragma once
#include "engine/card.h"

struct DeckSlot {
    int32_t dealt;      // out of the deck in the current game
    char name[16];      // face bitmap name, e.g. "Hearts12"
};

struct TableSlot {
    int32_t x;          // left of the card image, client coordinates
    int32_t y;          // top of the card image
    int32_t held;
    char name[16];      // bitmap name of `card`; stale while card is -1
    Card card;          // -1: the slot shows the card back
    void* button;       // the slot's hold button (a window handle)
};

constexpr int kSlotCount = 5;

extern DeckSlot gDeck[kDeckSize];
extern TableSlot gSlots[kSlotCount];

// One linear congruential generator for dealing and the Help dialog.
void SeedRandom(uint32_t seed);
int NextRandom();               // 0..32767

// The generator's step on a state of the caller's own (NextRandom is this
// on the game's state), and the game's dealing step: draws from `state`
// until a card of deck[0 .. cardsInPlay) not yet out comes up, and marks it
// out.  The game deals on gDeck and its generator; the analyser's trainer
// deals on a table and state of its own, exactly as the game would.
int NextRandomFrom(uint32_t& state);
Card DrawUndealt(DeckSlot deck[], int cardsInPlay, uint32_t& state);

void BuildDeck();
void ResetDeck();
void ClearTable();
Card DrawRandomCard();
void DealUnheld();
void DealTick();
void ToggleHold(int slot);

// The generator's state, for tests and for putting the program back to its
// start: 1 before any seeding.
uint32_t RandomState();
