// A card as a small integer; the suit and rank helpers that every other
// engine header, and any outside tool, can use without the deck.
#pragma once
#include <cstdint>

// 0..51 natural cards (13 x suit + rank - 1), 52 the joker, -1 no card.
typedef int32_t Card;

constexpr Card kNoCard = -1;
constexpr Card kJoker = 52;
constexpr int kDeckSize = 53;
constexpr int kJokerSuit = 4;
constexpr int kJokerRank = 99;

// Suits: 0 clubs, 1 diamonds, 2 hearts, 3 spades, 4 the joker.
inline int CardSuit(Card card) {
    if (card < 13) return 0;
    if (card < 26) return 1;
    if (card < 39) return 2;
    if (card < 52) return 3;
    return kJokerSuit;
}

// Ranks: 1 ace .. 13 king; the joker 99 so that it sorts above everything.
inline int CardRank(Card card) {
    if (card < 52) return card - 13 * CardSuit(card) + 1;
    return kJokerRank;
}
