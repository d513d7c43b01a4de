// The joker, the two help-page pictures and the list of every card picture
// under its resource name.
#include <cmath>

#include "tools/generators/cardgen/cards.h"
#include "tools/generators/cardgen/shapes.h"

namespace cards {

using canvas::Image;
using canvas::PointF;
namespace c = canvas;

namespace {

// The word JOKER standing down the index column, and turned in the
// opposite corner, in place of a rank and suit.
void DrawJokerIndex(Image& card) {
    Image mask(kCardWidth, kCardHeight, 0);
    const char* word = "JOKER";
    for (int i = 0; word[i]; ++i) {
        Image letter = LetterMask(word[i]);
        Stamp(mask, letter, 7 - letter.width / 2, 4 + i * 9, 1);
    }
    // A star under the word: the joker belongs to no suit.
    std::vector<PointF> star;
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + M_PI * i / 5, r = i % 2 ? 1.9 : 4.8;
        star.push_back({7.5 + r * std::cos(a), 54.5 + r * std::sin(a)});
    }
    canvas::FillPolygon(mask, star, 1);
    Stamp(card, mask, 0, 0, c::Red);
    Stamp(card, c::Rotate180(mask), 0, 0, c::Red);
}

// A jester in motley: a three-pointed cap with bells, a ruff, a
// two-coloured coat with diamonds, and a fool's bauble on a stick.
void DrawJester(Image& card) {
    const double cx = 35.5;
    // Bauble stick behind the figure.
    PaintMask(card, LineMask(card, 49, 84, 55, 48, 2.2), c::DarkYellow);
    // Coat: red left half, green right half, diamonds on both.
    Image coat = PolygonMask(card, {{cx - 9, 55}, {cx + 9, 55}, {cx + 17, 66}, {cx + 19, 90},
                                    {cx - 19, 90}, {cx - 17, 66}});
    Image left = Intersect(coat, PolygonMask(card, {{0, 0}, {cx, 0}, {cx, 96}, {0, 96}}));
    PaintMask(card, left, c::Red);
    PaintMask(card, Subtract(coat, left), c::Green);
    for (int row = 0; row < 3; ++row)
        for (int side = -1; side <= 1; side += 2) {
            double x = cx + side * 8, y = 65 + row * 8;
            PaintMask(card, PolygonMask(card, {{x, y - 3}, {x + 2.5, y}, {x, y + 3}, {x - 2.5, y}}),
                      side < 0 ? c::Yellow : c::Magenta, kNoColour);
        }
    // Buttons down the front.
    for (int y = 62; y < 90; y += 6) card.Set(35, y, c::Black);
    // Ruff of alternating points.
    std::vector<PointF> ruff;
    for (int i = 0; i <= 12; ++i) {
        double a = M_PI * i / 12;
        double r = i % 2 ? 9 : 13;
        ruff.push_back({cx - r * std::cos(a), 55 + r * 0.45 * std::sin(a)});
    }
    ruff.push_back({cx + 9, 53});
    ruff.push_back({cx - 9, 53});
    PaintMask(card, PolygonMask(card, ruff), c::Yellow);
    // Face with a wide grin and red cheeks.
    PaintMask(card, EllipseMask(card, cx, 44, 8, 9), c::White);
    card.Set(32, 42, c::Black);
    card.Set(38, 42, c::Black);
    card.Set(31, 40, c::Black);
    card.Set(33, 40, c::Black);
    card.Set(37, 40, c::Black);
    card.Set(39, 40, c::Black);
    card.Set(35, 44, c::Red);
    card.Set(35, 45, c::Red);
    card.Set(30, 46, c::Red);
    card.Set(40, 46, c::Red);
    for (int x = 31; x <= 39; ++x) card.Set(x, 48 + (x == 31 || x == 39 ? -1 : 0), c::Black);
    for (int x = 33; x <= 37; ++x) card.Set(x, 49, c::DarkRed);
    // Cap: a band and three floppy points, each with a bell.
    PaintMask(card, PolygonMask(card, {{cx - 9, 39}, {cx - 9, 34}, {cx + 9, 34}, {cx + 9, 39}}),
              c::Yellow);
    PaintMask(card, PolygonMask(card, {{cx - 9, 35}, {cx - 12, 26}, {cx - 19, 18}, {cx - 11, 20},
                                       {cx - 4, 34}}),
              c::Red);
    PaintMask(card, PolygonMask(card, {{cx + 9, 35}, {cx + 12, 26}, {cx + 19, 18}, {cx + 11, 20},
                                       {cx + 4, 34}}),
              c::Green);
    PaintMask(card, PolygonMask(card, {{cx - 5, 34}, {cx - 3, 20}, {cx, 11}, {cx + 3, 20}, {cx + 5, 34}}),
              c::Blue);
    PaintMask(card, EllipseMask(card, cx - 20, 18, 2.6, 2.6), c::Yellow);
    PaintMask(card, EllipseMask(card, cx + 20, 18, 2.6, 2.6), c::Yellow);
    PaintMask(card, EllipseMask(card, cx, 9, 2.6, 2.6), c::Yellow);
    // The bauble: a little head on the stick, in the colours swapped.
    PaintMask(card, EllipseMask(card, 56, 45, 4, 4.5), c::White);
    PaintMask(card, PolygonMask(card, {{52, 42}, {54, 36}, {56, 41}, {58, 36}, {60, 42}}), c::Red);
    card.Set(55, 45, c::Black);
    card.Set(57, 45, c::Black);
    card.Set(56, 47, c::Red);
}

}  // namespace

Image JokerCard() {
    Image card = CardShape(c::White);
    DrawJokerIndex(card);
    DrawJester(card);
    return card;
}

Image MysteryCard() {
    Image card = CardShape(c::White);
    Image mark(kCardWidth, kCardHeight, 0);
    c::DrawTextCentred(mark, "serif-bold", 70, 36, 72, "?", 1);
    // A shadow down and to the right makes the mark stand off the card.
    Stamp(card, mark, 2, 2, c::DarkGrey);
    PaintMask(card, mark, c::Blue, c::DarkBlue);
    Image small(kCardWidth, kCardHeight, 0);
    c::DrawTextCentred(small, "sans-bold", 14, 7, 15, "?", 1);
    Stamp(card, small, 0, 0, c::Blue);
    Stamp(card, c::Rotate180(small), 0, 0, c::Blue);
    return card;
}

Image BlankCard() {
    Image card(kCardWidth, kCardHeight, c::LightGrey);
    for (const Pixel& p : kCornerPixels) card.Set(p.x, p.y, c::White);
    return card;
}

Image FaceCard(int suit, int rank) {
    return rank >= 11 ? CourtCard(suit, rank) : PipCard(suit, rank);
}

std::vector<NamedPicture> AllCardPictures() {
    std::vector<NamedPicture> all;
    for (int suit = Clubs; suit <= Spades; ++suit)
        for (int rank = 1; rank <= 13; ++rank) all.push_back({FaceName(suit, rank), FaceCard(suit, rank)});
    all.push_back({"Joker", JokerCard()});
    for (int design = 1; design <= kBackCount; ++design)
        all.push_back({"Back" + std::to_string(design), BackCard(design)});
    all.push_back({"Mystery", MysteryCard()});
    all.push_back({"Blank", BlankCard()});
    return all;
}

}  // namespace cards
