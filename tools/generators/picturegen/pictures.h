// The game's pictures apart from the cards: the title artwork, the coin
// badge, the jackpot screen, the payout picture, the About picture, the
// icons and the pointing-hand cursor.  Each Draw function returns the whole
// picture; the generator only writes them out.
#pragma once
#include <string>
#include <vector>

#include "engine/evaluate.h"
#include "tools/generators/canvas/canvas.h"

namespace pictures {

// Sizes the game's drawing code relies on.
constexpr int kLogoWidth = 413, kLogoHeight = 84;
constexpr int kAmountWidth = 55, kAmountHeight = 32;
constexpr int kJackpotWidth = 520, kJackpotHeight = 230;
constexpr int kOddsWidth = 380, kOddsHeight = 365;
constexpr int kAboutWidth = 27, kAboutHeight = 36;
constexpr int kCursorSize = 32;
constexpr int kCursorHotX = 5, kCursorHotY = 1;

// Icons and the cursor are drawn on this colour, which becomes their
// transparent mask; no artwork pixel of theirs uses it.
constexpr uint8_t kIconTransparent = canvas::DarkCyan;

// ---- Building blocks ----------------------------------------------------

// A 0/1 mask of lettering, tight around the inked pixels plus `pad` pixels
// on every side.
canvas::Image TextMask(const std::string& font, int pixelHeight, const std::string& text, int pad);
// Grows a mask by `radius` pixels (a square neighbourhood when `square`,
// else a round one).
canvas::Image Dilate(const canvas::Image& mask, int radius, bool square = false);
// Leans a mask to the right by `slope` pixels per row, top rows furthest.
canvas::Image Slant(const canvas::Image& mask, double slope);
// Paints `colour` wherever the mask is set, the mask's (0, 0) at (x, y).
void PaintMask(canvas::Image& img, const canvas::Image& mask, int x, int y, uint8_t colour);
// Colours the mask's pixels that touch (4-connected) an unset pixel.
void PaintMaskEdge(canvas::Image& img, const canvas::Image& mask, int x, int y, uint8_t colour);

enum Suit { Clubs, Diamonds, Hearts, Spades };
// A suit symbol of about `size` pixels high centred on (cx, cy).
void DrawSuit(canvas::Image& img, Suit suit, double cx, double cy, double size, uint8_t colour);
uint8_t SuitColour(Suit suit);

// A stack of `count` coins, the bottom coin's lower rim at bottomY.
struct CoinStack {
    double cx, bottomY;
    double rx, ry;          // the coin face's radii
    double thickness;
    int count;
    double lean;            // sideways shift per coin, for a hand-piled look
};
void DrawCoinStack(canvas::Image& img, const CoinStack& stack);

// A cent sign whose bowl has the given height, the bowl's top-left at (x, y);
// returns its width.
int DrawCentSign(canvas::Image& img, int x, int y, int height, double stroke, uint8_t colour);

// ---- The payout table ---------------------------------------------------

struct PayoutRow {
    HandCategory category;
    const char* label;      // as the payout picture names the hand
};
// The winning hands from the top down, as the payout picture lists them.
const std::vector<PayoutRow>& PayoutRows();
// What `category` pays for 1..5 coins played, from the engine's table.
int PayoutFor(HandCategory category, int coins);

// ---- Checks the game depends on -----------------------------------------

// True when every pixel of (x, y)'s colour is in the one 4-connected area
// around (x, y), so a flood fill from there recolours all of it.
bool IsOneConnectedArea(const canvas::Image& img, int x, int y);

// ---- The pictures --------------------------------------------------------

canvas::Image DrawLogo();
canvas::Image DrawAmountBadge();
canvas::Image DrawJackpot();
canvas::Image DrawOddsPicture();
canvas::Image DrawAboutPicture();
canvas::Image DrawAppIcon(int size);     // 32 or 16
canvas::Image DrawCoinsIcon();
canvas::Image DrawHandCursor();

// Where the OK button of the payout dialog covers the picture, in picture
// pixels; nothing but the light-grey face may lie under it.
struct PixelRect {
    int left, top, right, bottom;
};
PixelRect OddsButtonArea();

}  // namespace pictures
