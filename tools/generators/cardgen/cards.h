// The deck artwork: faces, backs and the two help-page pictures, all 71 x 96
// on the 16-colour palette of the canvas.
#pragma once
#include <string>
#include <vector>

#include "tools/generators/canvas/canvas.h"

namespace cards {

const int kCardWidth = 71;
const int kCardHeight = 96;
const int kBackCount = 17;     // Back1..Back16 reachable from the options, Back17 spare

enum Suit { Clubs = 0, Diamonds = 1, Hearts = 2, Spades = 3 };

// The three pixels in each corner of a card that lie outside its rounded
// outline; the game repaints them in the table colour.
struct Pixel {
    int x, y;
};
extern const Pixel kCornerPixels[12];
bool CornersAreWhite(const canvas::Image& img);

// A white card with the thin dark rounded outline and white corners.
canvas::Image CardShape(uint8_t fill);

// Suit symbols as 0/1 masks of the given size, and stamping them in a colour.
canvas::Image SuitMask(int suit, int width, int height);
void Stamp(canvas::Image& dst, const canvas::Image& mask, int x, int y, uint8_t colour);
uint8_t SuitColour(int suit);

// Rank index glyphs of the corners (1 = ace .. 13 = king) as masks.
canvas::Image RankMask(int rank);
// Small capital letters for vertical lettering in corners.
canvas::Image LetterMask(char letter);

canvas::Image PipCard(int suit, int rank);       // ace .. ten
canvas::Image CourtCard(int suit, int rank);     // jack, queen, king
canvas::Image FaceCard(int suit, int rank);      // any rank 1..13
canvas::Image JokerCard();
canvas::Image BackCard(int design);              // 1..kBackCount
canvas::Image MysteryCard();
canvas::Image BlankCard();

// Draws the rank index and small suit in the top-left corner and the same
// turned half round in the bottom-right.
void DrawIndex(canvas::Image& card, int suit, int rank);

struct NamedPicture {
    std::string name;
    canvas::Image image;
};
// Every card picture under its resource name, in deck order, then the
// joker, the backs, "Mystery" and "Blank".
std::vector<NamedPicture> AllCardPictures();
std::string FaceName(int suit, int rank);

}  // namespace cards
