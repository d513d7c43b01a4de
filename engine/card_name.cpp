#include "engine/card_name.h"

#include <cstdio>
#include <cstring>

const char* CardName(Card card) {
    static const char* const kRanks[] = {"Ace",  "Two", "Three", "Four", "Five",
                                         "Six",  "Seven", "Eight", "Nine", "Ten",
                                         "Jack", "Queen", "King"};
    static const char* const kSuits[] = {"Clubs", "Diamonds", "Hearts", "Spades"};
    static char name[32];
    if (card < 0) {
        name[0] = '\0';     // no card in the place: nothing to name
    } else if (card >= kJoker) {
        std::strcpy(name, "Joker");
    } else {
        std::snprintf(name, sizeof name, "%s of %s", kRanks[CardRank(card) - 1],
                      kSuits[CardSuit(card)]);
    }
    return name;
}
