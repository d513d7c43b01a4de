#include "engine/payout.h"

const PayoutEntry PayoutTable[kHandCategoryCount] = {
    {0, "", 0},                         // Nothing
    {1000, "Royal Flush (natural)", 1}, // RoyalFlush
    {100, "Five of a Kind", 1},         // FiveOfAKind
    {50, "Royal Flush", 1},             // WildRoyalFlush
    {50, "Straight Flush", 0},          // StraightFlush
    {20, "Four of a Kind", 0},          // FourOfAKind
    {8, "Full House", 0},               // FullHouse
    {7, "Flush", 0},                    // Flush
    {5, "Straight", 0},                 // Straight
    {2, "Three of a Kind", 0},          // ThreeOfAKind
    {1, "Two Pair", 0},                 // TwoPair
};
