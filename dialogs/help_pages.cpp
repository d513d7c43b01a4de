#include "dialogs/help_pages.h"

#include <cstdio>

#include "engine/deck.h"
#include "shell/table_layout.h"

namespace {

constexpr int kRandomRankPage = 10;

struct HelpPageText {
    const char* caption;
    const char* text;
    const char* cards[kHelpCardCount];      // "" = no card, drawn as "Blank"
};

const HelpPageText kPages[kHelpLastPage] = {
    {"Game Play",
     "The object of the game is to build the best five-card poker hand using the rules of "
     "five-card draw.  Insert coins into the machine by pressing the Coin button or using the "
     "menu option.  A maximum of five coins may be played in one game.\r\n\r\n"
     "Once the coins have been inserted, press the Deal button.  This will deal the cards.  "
     "After the cards have been dealt, select which cards are to be held by pressing the button "
     "under the appropriate card (or clicking on the card).  These buttons toggle whether a "
     "specific card is to be held or not.  Once the cards to be held are selected, press the "
     "Deal button again to replace those cards which are not held.  After the new cards have "
     "been dealt, the value of the hand is determined.\r\n\r\n",
     {"", "Back4", "Joker", "Back4", ""}},
    {"Royal Flush (Natural)",
     "A natural Royal Flush is a combination of the top five cards of the same suit.  Ten, "
     "Jack, Queen, King and Ace.  Wild cards are not allowed.",
     {"Diamond10", "Diamond11", "Diamond12", "Diamond13", "Diamond1"}},
    {"Five of a Kind",
     "In order to get five of a kind, a wild card must be used.  In this example hand, the "
     "joker is the fifth seven.  The higher thecard value, the higher the hand, i.e. five jacks "
     "beat five nines.",
     {"Diamond7", "Spade7", "Hearts7", "Club7", "Joker"}},
    {"Royal Flush (Joker)",
     "This royal flush allows a wild card to take the place of one of the cards in the hand.  "
     "In this example, the joker takes the place of the 10 of Spades to complete the royal "
     "flush.",
     {"Spade11", "Spade12", "Spade13", "Joker", "Spade1"}},
    {"Straight Flush",
     "A straight flush is a combination of a straight and a flush.  A wild card may be used in "
     "the place of any of the cards.",
     {"Spade7", "Spade8", "Spade9", "Spade10", "Spade11"}},
    {"Four of a Kind",
     "Four of a kind involves getting four of the same rank of cards in different suits.  The "
     "fifth card may be anything as long as it is not a wild card.",
     {"Club12", "Diamond12", "Mystery", "Spade12", "Hearts12"}},
    {"Full House",
     "A full house is a combination of three-of-a-kind and a pair.  The phrase 'fullhouse, "
     "jacks and fives' implies that a player has three jacks and two fives.",
     {"Hearts3", "Spade3", "Club3", "Diamond11", "Club11"}},
    {"Flush",
     "A flush is a set of cards belonging to a single suit (or may contain a wild card).  The "
     "following example is a flush using all hearts.",
     {"Hearts7", "Hearts12", "Hearts2", "Hearts10", "Hearts6"}},
    {"Straight",
     "A straight is a sequential run of five cards.  The cards do NOT need to be of the same "
     "suit.  When wildcards are allowed, a joker may be substituted for any of the cards in the "
     "straight.",
     {"Diamond4", "Club5", "Club6", "Hearts7", "Diamond8"}},
    {"Three of a Kind",
     "A hand containing three of a kind has three cards which are the same rank.  Suit does not "
     "matter and a wild card may be substituted for one of the three cards.  The other two "
     "cards in the hand cannot be the same rank as any of the three cards.  The other two cards "
     "may not also be a pair, or this hand would be a fullhouse.",
     {"", "", "", "Mystery", "Mystery"}},      // the three of a kind is drawn afresh
    {"Two Pair",
     "A hand containing two pair is simply a combination of two pairs of cards.  The fifth card "
     "does not match either pair.",
     {"Hearts9", "Club9", "Spade5", "Hearts5", "Mystery"}},
    {"Credits",
     "Quorvel was written for everyone who likes a quiet hand of draw poker on the desktop.  "
     "The cards, the sixteen backs, the sounds and the pictures were all made for this game.\r\n"
     "\r\n"
     "Thank you for playing, and may the joker fall your way.",
     {"Hearts1", "Joker", "Back16", "Joker", "Spade1"}},
};

}  // namespace

void FillHelpPageContent(int page, HelpPageContent* content) {
    content->caption = nullptr;
    content->text = nullptr;
    for (auto& card : content->cards) card[0] = '\0';
    if (page < kHelpFirstPage || page > kHelpLastPage) return;
    const HelpPageText& shown = kPages[page - 1];
    content->caption = shown.caption;
    content->text = shown.text;
    for (int k = 0; k < kHelpCardCount; ++k)
        std::snprintf(content->cards[k], kHelpCardNameSize, "%s", shown.cards[k]);
    // Page 10 takes one value from the dealing generator on every visit.
    if (page == kRandomRankPage) {
        int rank = NextRandom() % 13 + 1;
        std::snprintf(content->cards[0], kHelpCardNameSize, "Hearts%d", rank);
        std::snprintf(content->cards[1], kHelpCardNameSize, "Spade%d", rank);
        std::snprintf(content->cards[2], kHelpCardNameSize, "Diamond%d", rank);
    }
}

int HelpCardLeft(int frameLeft, int frameRight, int k) {
    constexpr int kRowWidth = 4 * TableLayout::kCardPitch + TableLayout::kCardWidth;
    return (frameLeft + frameRight) / 2 - kRowWidth / 2 + TableLayout::kCardPitch * k;
}

int HelpCardTop(int frameBottom) {
    constexpr int kRowAboveFrameBottom = 10;
    return frameBottom - kRowAboveFrameBottom - TableLayout::kCardHeight;
}

void FormatHelpCounter(int page, char* out, size_t size) {
    std::snprintf(out, size, "Page %d of %d", page, kHelpLastPage);
}
