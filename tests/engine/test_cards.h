// Writing hands in tests as "AH TH JH QH KH": rank A 2..9 T J Q K, suit
// C D H S; "JK" is the joker.
#pragma once
#include <array>
#include <sstream>
#include <string>

#include "engine/card.h"

inline Card CardOf(const std::string& text) {
    if (text == "JK") return kJoker;
    const std::string ranks = "A23456789TJQK";
    const std::string suits = "CDHS";
    return static_cast<Card>(13 * suits.find(text[1]) + ranks.find(text[0]));
}

inline std::array<Card, 5> HandOf(const std::string& text) {
    std::array<Card, 5> hand{};
    std::istringstream in(text);
    std::string one;
    for (Card& c : hand) {
        in >> one;
        c = CardOf(one);
    }
    return hand;
}
