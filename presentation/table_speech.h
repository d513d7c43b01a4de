// What a screen reader says of the table: each card place, each hold
// button, and the news of a deal or a draw once it has ended.  The words
// come from the same sources as the status line and the read-outs, so what
// is heard is what is seen.  Portable: the page speaks with these.
#pragma once
#include <cstddef>

// "Queen of Spades, held", "Queen of Spades", or "Face down".
void SpokenCardPlace(int slot, char* out, size_t size);
// The hold button by what it does: "Hold Queen of Spades" ("Hold card 3"
// while the place is face down); whether it is pressed is HoldPressed.
void SpokenHoldButton(int slot, char* out, size_t size);
bool HoldPressed(int slot);
// A hold of the dealt hand by its cards (bit i: place i is kept): "Nine of
// Clubs, Nine of Hearts", or "no card" for drawing five.
void SpokenHeldCards(int mask, char* out, size_t size);

// The news since the last call: "Dealt: ...", or "Drawn: ... CREDITS = n"
// once the turning of cards has stopped, else an empty text.  Called after
// each step of the machine, it reports each deal and each draw once.
void TakeTableNews(char* out, size_t size);
void ResetTableNews();
