// The machine's poker rules: the only place where they live.  Depends on
// nothing but card.h, so outside tools can classify hands with it alone.
#pragma once
#include "engine/card.h"

// The numbers are fixed: statistics and dialog fields are indexed by them.
enum HandCategory : int32_t {
    Nothing = 0,
    RoyalFlush = 1,
    FiveOfAKind = 2,
    WildRoyalFlush = 3,
    StraightFlush = 4,
    FourOfAKind = 5,
    FullHouse = 6,
    Flush = 7,
    Straight = 8,
    ThreeOfAKind = 9,
    TwoPair = 10,
};
constexpr int kHandCategoryCount = 11;

// Classifies five cards (0..52, no -1, at most one joker) in any order.
HandCategory EvaluateHand(const Card cards[5]);
