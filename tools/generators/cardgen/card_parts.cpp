// The parts every card shares: its shape, the suit symbols and the corner
// index.
#include <cmath>
#include <cstring>

#include "tools/generators/cardgen/cards.h"

namespace cards {

using canvas::Image;
using canvas::PointF;

const Pixel kCornerPixels[12] = {
    {0, 0}, {0, 1}, {1, 0}, {69, 0}, {70, 0}, {70, 1},
    {70, 94}, {70, 95}, {69, 95}, {1, 95}, {0, 95}, {0, 94},
};

bool CornersAreWhite(const Image& img) {
    if (img.width != kCardWidth || img.height != kCardHeight) return false;
    for (const Pixel& p : kCornerPixels)
        if (img.Get(p.x, p.y) != canvas::White) return false;
    return true;
}

Image CardShape(uint8_t fill) {
    const int right = kCardWidth - 1, bottom = kCardHeight - 1;
    Image card(kCardWidth, kCardHeight, fill);
    // The edge runs straight along all four sides and cuts each corner with
    // one diagonal pixel, leaving the three corner pixels outside.
    canvas::FillRect(card, 2, 0, kCardWidth - 4, 1, canvas::Black);
    canvas::FillRect(card, 2, bottom, kCardWidth - 4, 1, canvas::Black);
    canvas::FillRect(card, 0, 2, 1, kCardHeight - 4, canvas::Black);
    canvas::FillRect(card, right, 2, 1, kCardHeight - 4, canvas::Black);
    card.Set(1, 1, canvas::Black);
    card.Set(right - 1, 1, canvas::Black);
    card.Set(1, bottom - 1, canvas::Black);
    card.Set(right - 1, bottom - 1, canvas::Black);
    for (const Pixel& p : kCornerPixels) card.Set(p.x, p.y, canvas::White);
    return card;
}

uint8_t SuitColour(int suit) {
    return suit == Hearts || suit == Diamonds ? canvas::Red : canvas::Black;
}

void Stamp(Image& dst, const Image& mask, int x, int y, uint8_t colour) {
    for (int my = 0; my < mask.height; ++my)
        for (int mx = 0; mx < mask.width; ++mx)
            if (mask.Get(mx, my)) dst.Set(x + mx, y + my, colour);
}

namespace {

const int kSupersample = 4;

// The classic heart curve, scaled into the box (x0, y0, w, h); point down,
// or point up when `flipped`.
std::vector<PointF> HeartOutline(double x0, double y0, double w, double h, bool flipped) {
    const int steps = 96;
    std::vector<PointF> raw;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < steps; ++i) {
        double t = 2 * M_PI * i / steps;
        double x = 16 * std::pow(std::sin(t), 3);
        double y = -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
        raw.push_back({x, y});
        if (i == 0 || x < minX) minX = x;
        if (i == 0 || x > maxX) maxX = x;
        if (i == 0 || y < minY) minY = y;
        if (i == 0 || y > maxY) maxY = y;
    }
    std::vector<PointF> out;
    for (const PointF& p : raw) {
        double u = (p.x - minX) / (maxX - minX);
        double v = (p.y - minY) / (maxY - minY);
        if (flipped) v = 1 - v;
        out.push_back({x0 + u * w, y0 + v * h});
    }
    return out;
}

// A flared stem for spades and clubs, from the body's centre to the bottom.
void Stem(Image& big, double w, double h, double top, double neck, double foot) {
    std::vector<PointF> stem;
    const int steps = 12;
    for (int i = 0; i <= steps; ++i) {
        double t = double(i) / steps;
        double half = neck + (foot - neck) * t * t;
        stem.push_back({w * (0.5 + half), h * (top + (1 - top) * t)});
    }
    for (int i = steps; i >= 0; --i) {
        double t = double(i) / steps;
        double half = neck + (foot - neck) * t * t;
        stem.push_back({w * (0.5 - half), h * (top + (1 - top) * t)});
    }
    canvas::FillPolygon(big, stem, 1);
}

void DrawSuitLarge(Image& big, int suit) {
    double w = big.width, h = big.height;
    switch (suit) {
    case Hearts:
        canvas::FillPolygon(big, HeartOutline(0, 0, w, h, false), 1);
        break;
    case Diamonds: {
        // Sides bowed slightly inwards, as printed diamonds are (0.5 would be
        // straight).
        std::vector<PointF> points;
        const PointF tips[4] = {{0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}};
        for (int side = 0; side < 4; ++side) {
            PointF a = tips[side], b = tips[(side + 1) % 4];
            PointF c{0.5 + (a.x + b.x - 1) * 0.42, 0.5 + (a.y + b.y - 1) * 0.42};
            for (int i = 0; i < 12; ++i) {
                double t = i / 12.0;
                double x = (1 - t) * (1 - t) * a.x + 2 * t * (1 - t) * c.x + t * t * b.x;
                double y = (1 - t) * (1 - t) * a.y + 2 * t * (1 - t) * c.y + t * t * b.y;
                points.push_back({x * w, y * h});
            }
        }
        canvas::FillPolygon(big, points, 1);
        break;
    }
    case Spades:
        canvas::FillPolygon(big, HeartOutline(0, 0, w, h * 0.8, true), 1);
        Stem(big, w, h, 0.55, 0.045, 0.2);
        break;
    default: {  // clubs
        // Three round leaves with clear notches between them, joined by a
        // small heart at the centre.
        double r = 0.235;
        canvas::FillEllipse(big, w * 0.5, h * 0.245, w * r, h * r * 0.93, 1);
        canvas::FillEllipse(big, w * 0.245, h * 0.585, w * r, h * r * 0.93, 1);
        canvas::FillEllipse(big, w * 0.755, h * 0.585, w * r, h * r * 0.93, 1);
        canvas::FillEllipse(big, w * 0.5, h * 0.52, w * 0.13, h * 0.13, 1);
        Stem(big, w, h, 0.5, 0.045, 0.2);
        break;
    }
    }
}

Image FromRows(const char* const* rows, int count) {
    int width = int(std::strlen(rows[0]));
    Image mask(width, count, 0);
    for (int y = 0; y < count; ++y)
        for (int x = 0; x < width && rows[y][x]; ++x) mask.Set(x, y, rows[y][x] == '#' ? 1 : 0);
    return mask;
}

// At the sizes of the pips and the corner index a traced shape loses the
// notches that tell a club from a spade; those sizes are drawn by hand.
Image HandDrawnSuit(int suit, int width, int height) {
    static const char* const kPips[4][14] = {
        {".....###.....", "....#####....", "...#######...", "...#######...", "....#####....",
         ".##..###..##.", "#############", "#############", "#############", ".####.#.####.",
         "..##..#..##..", "......#......", ".....###.....", "....#####...."},
        {},
        {},
        {"......#......", ".....###.....", "....#####....", "...#######...", "..#########..",
         ".###########.", "#############", "#############", "#############", ".####.#.####.",
         "..##..#..##..", "......#......", ".....###.....", "....#####...."},
    };
    static const char* const kIndex[4][10] = {
        {"...###...", "..#####..", "..#####..", "...###...", ".##.#.##.", "#########", "#########",
         ".##.#.##.", "...###...", "..#####.."},
        {"....#....", "...###...", "...###...", "..#####..", ".#######.", ".#######.", "..#####..",
         "...###...", "...###...", "....#...."},
        {".##...##.", "####.####", "#########", "#########", "#########", ".#######.", "..#####..",
         "...###...", "...###...", "....#...."},
        {"....#....", "...###...", "..#####..", ".#######.", "#########", "#########", ".##.#.##.",
         "....#....", "...###...", "..#####.."},
    };
    if (width == 13 && height == 14 && kPips[suit][0]) return FromRows(kPips[suit], 14);
    if (width == 9 && height == 10) return FromRows(kIndex[suit], 10);
    return Image(0, 0);
}

}  // namespace

Image SuitMask(int suit, int width, int height) {
    Image drawn = HandDrawnSuit(suit, width, height);
    if (drawn.width) return drawn;
    Image big(width * kSupersample, height * kSupersample, 0);
    DrawSuitLarge(big, suit);
    Image mask(width, height, 0);
    const int full = kSupersample * kSupersample;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < (width + 1) / 2; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSupersample; ++sy)
                for (int sx = 0; sx < kSupersample; ++sx)
                    covered += big.Get(x * kSupersample + sx, y * kSupersample + sy);
            // Decide the left half and mirror it, so every symbol is exactly
            // symmetric whatever the rounding.
            uint8_t on = covered * 2 >= full ? 1 : 0;
            mask.Set(x, y, on);
            mask.Set(width - 1 - x, y, on);
        }
    }
    return mask;
}

Image RankMask(int rank) {
    static const char* const kGlyphs[14][10] = {
        {},
        {"..###..", "..###..", ".##.##.", ".##.##.", ".##.##.", "##...##", "#######", "##...##",
         "##...##", "##...##"},
        {".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....",
         "##.....", "#######"},
        {".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##",
         "##...##", ".#####."},
        {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "....##.",
         "....##.", "....##."},
        {"#######", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", ".....##",
         "##...##", ".#####."},
        {"..####.", ".##....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##",
         "##...##", ".#####."},
        {"#######", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...", "..##...",
         "..##...", "..##..."},
        {".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##",
         "##...##", ".#####."},
        {".#####.", "##...##", "##...##", "##...##", "##...##", ".######", ".....##", ".....##",
         "....##.", ".####.."},
        {".##..####.", "###.##..##", ".##.##..##", ".##.##..##", ".##.##..##", ".##.##..##",
         ".##.##..##", ".##.##..##", ".##.##..##", ".##..####."},
        {"...####", ".....##", ".....##", ".....##", ".....##", ".....##", ".....##", "##...##",
         "##...##", ".#####."},
        {".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", "##.#.##", "##..##.",
         ".##.##.", "..##.##"},
        {"##...##", "##..##.", "##.##..", "####...", "###....", "####...", "##.##..", "##..##.",
         "##...##", "##...##"},
    };
    if (rank < 1 || rank > 13) return Image(0, 0);
    return FromRows(kGlyphs[rank], 10);
}

Image LetterMask(char letter) {
    static const struct {
        char letter;
        const char* rows[7];
    } kLetters[] = {
        {'J', {"..###", "...##", "...##", "...##", "...##", "##.##", ".###."}},
        {'O', {".###.", "##.##", "##.##", "##.##", "##.##", "##.##", ".###."}},
        {'K', {"##.##", "##.##", "####.", "###..", "####.", "##.##", "##.##"}},
        {'E', {"#####", "##...", "##...", "####.", "##...", "##...", "#####"}},
        {'R', {"####.", "##.##", "##.##", "####.", "####.", "##.##", "##.##"}},
    };
    for (const auto& l : kLetters)
        if (l.letter == letter) return FromRows(l.rows, 7);
    return Image(0, 0);
}

void DrawIndex(Image& card, int suit, int rank) {
    const int column = 7;   // centre of the index column
    Image mask(kCardWidth, kCardHeight, 0);
    Image glyph = RankMask(rank);
    Stamp(mask, glyph, column - glyph.width / 2, 4, 1);
    Image pip = SuitMask(suit, 9, 10);
    Stamp(mask, pip, column - pip.width / 2, 15, 1);
    uint8_t colour = SuitColour(suit);
    Stamp(card, mask, 0, 0, colour);
    Stamp(card, canvas::Rotate180(mask), 0, 0, colour);
}

std::string FaceName(int suit, int rank) {
    static const char* const kPrefix[4] = {"Club", "Diamond", "Hearts", "Spade"};
    return kPrefix[suit] + std::to_string(rank);
}

}  // namespace cards
