// A card's name as the player reads it, "Queen of Hearts" or "Joker".
#pragma once
#include "engine/card.h"

// Points into a static buffer; empty for no card (-1).
const char* CardName(Card card);
