// Aces and the pip cards two to ten, in the standard arrangements.
#include "tools/generators/cardgen/cards.h"

namespace cards {

using canvas::Image;

namespace {

const int kPipWidth = 13;
const int kPipHeight = 14;
// Centres of the three pip columns; the middle one is the card's centre.
const int kColumnCentre[3] = {21, 35, 49};

// Tops of the pip rows: the outer rows, thirds, halves, quarters and the
// sixths the ten uses.  The lower rows mirror the upper ones about the card's
// centre line, so every arrangement is symmetric.
const int kTop = 9;
int MirrorTop(int top) { return kCardHeight - top - kPipHeight; }

struct Place {
    int column;   // 0 left, 1 centre, 2 right
    int top;
};

std::vector<Place> Arrangement(int rank) {
    const int outer = kTop, half = (kCardHeight - kPipHeight) / 2;
    const int span = MirrorTop(outer) - outer;
    const int third = outer + span / 3, quarter = outer + span / 4, sixth = outer + span / 6;
    std::vector<Place> p;
    auto sides = [&](int top) {
        p.push_back({0, top});
        p.push_back({2, top});
    };
    switch (rank) {
    case 2:
    case 3:
        p.push_back({1, outer});
        if (rank == 3) p.push_back({1, half});
        p.push_back({1, MirrorTop(outer)});
        break;
    case 4:
    case 5:
        sides(outer);
        sides(MirrorTop(outer));
        if (rank == 5) p.push_back({1, half});
        break;
    case 6:
    case 7:
    case 8:
        sides(outer);
        sides(half);
        sides(MirrorTop(outer));
        if (rank >= 7) p.push_back({1, quarter});
        if (rank == 8) p.push_back({1, MirrorTop(quarter)});
        break;
    case 9:
    case 10:
        sides(outer);
        sides(third);
        sides(MirrorTop(third));
        sides(MirrorTop(outer));
        if (rank == 9) p.push_back({1, half});
        if (rank == 10) {
            p.push_back({1, sixth});
            p.push_back({1, MirrorTop(sixth)});
        }
        break;
    default:
        break;
    }
    return p;
}

// The pixels of `mask` that border its outside, moved `inset` pixels inwards:
// a thin line inside a large symbol.
Image InnerLine(const Image& mask, int inset) {
    Image eroded = mask;
    for (int i = 0; i < inset; ++i) {
        Image next = eroded;
        for (int y = 0; y < mask.height; ++y)
            for (int x = 0; x < mask.width; ++x)
                if (eroded.Get(x, y) && (!eroded.Get(x - 1, y) || !eroded.Get(x + 1, y) ||
                                         !eroded.Get(x, y - 1) || !eroded.Get(x, y + 1)))
                    next.Set(x, y, 0);
        eroded = next;
    }
    Image line(mask.width, mask.height, 0);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (eroded.Get(x, y) && (!eroded.Get(x - 1, y) || !eroded.Get(x + 1, y) ||
                                     !eroded.Get(x, y - 1) || !eroded.Get(x, y + 1)))
                line.Set(x, y, 1);
    return line;
}

void DrawAce(Image& card, int suit) {
    // The ace of spades carries the big ornamented symbol, as on printed decks.
    bool grand = suit == Spades;
    int w = grand ? 39 : 27, h = grand ? 42 : 30;
    if (suit == Diamonds) w -= 4;
    Image pip = SuitMask(suit, w, h);
    int x = 35 - (w - 1) / 2, y = (kCardHeight - h) / 2;
    Stamp(card, pip, x, y, SuitColour(suit));
    if (grand) {
        Stamp(card, InnerLine(pip, 3), x, y, canvas::White);
        Image heart = SuitMask(Spades, 9, 10);
        Stamp(card, heart, 35 - 4, y + 15, canvas::White);
    }
}

}  // namespace

Image PipCard(int suit, int rank) {
    Image card = CardShape(canvas::White);
    DrawIndex(card, suit, rank);
    if (rank == 1) {
        DrawAce(card, suit);
        return card;
    }
    int w = suit == Diamonds ? kPipWidth - 2 : kPipWidth;
    Image pip = SuitMask(suit, w, kPipHeight);
    Image turned = canvas::Rotate180(pip);
    for (const Place& place : Arrangement(rank)) {
        // Pips below the centre line stand upside down, as on a real deck.
        bool lower = place.top > (kCardHeight - kPipHeight) / 2;
        int x = kColumnCentre[place.column] - (w - 1) / 2;
        Stamp(card, lower ? turned : pip, x, place.top, SuitColour(suit));
    }
    return card;
}

}  // namespace cards
