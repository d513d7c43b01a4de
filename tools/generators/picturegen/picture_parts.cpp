// Building blocks of the pictures: lettering masks and their effects, suit
// symbols, coins, and the checks the game's drawing code depends on.
#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/payout.h"
#include "tools/generators/picturegen/pictures.h"

namespace pictures {

using canvas::Image;

Image TextMask(const std::string& font, int pixelHeight, const std::string& text, int pad) {
    canvas::TextMetrics m = canvas::MeasureText(font, pixelHeight, text);
    // Glyphs may overhang their advance and the font's ascent: draw with a
    // generous margin, then crop to the ink.
    int margin = pixelHeight;
    Image big(m.width + 2 * margin, m.ascent + m.descent + 2 * margin, 0);
    canvas::DrawText(big, font, pixelHeight, margin, margin + m.ascent, text, 1);
    int left = big.width, right = -1, top = big.height, bottom = -1;
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            if (big.Get(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return Image(2 * pad, 2 * pad, 0);
    Image out(right - left + 1 + 2 * pad, bottom - top + 1 + 2 * pad, 0);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (big.Get(x, y)) out.Set(x - left + pad, y - top + pad, 1);
    return out;
}

Image Dilate(const Image& mask, int radius, bool square) {
    Image out(mask.width, mask.height, 0);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            if (!mask.Get(x, y)) continue;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (square || dx * dx + dy * dy <= radius * radius + radius)
                        out.Set(x + dx, y + dy, 1);
        }
    return out;
}

Image Slant(const Image& mask, double slope) {
    int extra = int(std::ceil(std::fabs(slope) * mask.height));
    Image out(mask.width + extra, mask.height, 0);
    for (int y = 0; y < mask.height; ++y) {
        int shift = int(std::lround(slope * (mask.height - 1 - y)));
        for (int x = 0; x < mask.width; ++x)
            if (mask.Get(x, y)) out.Set(x + shift, y, 1);
    }
    return out;
}

void PaintMask(Image& img, const Image& mask, int x, int y, uint8_t colour) {
    for (int my = 0; my < mask.height; ++my)
        for (int mx = 0; mx < mask.width; ++mx)
            if (mask.Get(mx, my)) img.Set(x + mx, y + my, colour);
}

void PaintMaskEdge(Image& img, const Image& mask, int x, int y, uint8_t colour) {
    for (int my = 0; my < mask.height; ++my)
        for (int mx = 0; mx < mask.width; ++mx) {
            if (!mask.Get(mx, my)) continue;
            // Image::Get answers 0 outside, so the mask's border counts as edge.
            if (!mask.Get(mx - 1, my) || !mask.Get(mx + 1, my) || !mask.Get(mx, my - 1) ||
                !mask.Get(mx, my + 1))
                img.Set(x + mx, y + my, colour);
        }
}

uint8_t SuitColour(Suit suit) {
    return suit == Diamonds || suit == Hearts ? canvas::Red : canvas::Black;
}

void DrawSuit(Image& img, Suit suit, double cx, double cy, double size, uint8_t colour) {
    double s = size;
    switch (suit) {
    case Diamonds:
        canvas::FillPolygon(img,
                            {{cx, cy - s / 2}, {cx + s * 0.38, cy}, {cx, cy + s / 2}, {cx - s * 0.38, cy}},
                            colour);
        break;
    case Hearts: {
        double r = s * 0.27;
        canvas::FillEllipse(img, cx - s * 0.24, cy - s * 0.2, r, r, colour);
        canvas::FillEllipse(img, cx + s * 0.24, cy - s * 0.2, r, r, colour);
        canvas::FillPolygon(img,
                            {{cx - s * 0.5, cy - s * 0.14}, {cx + s * 0.5, cy - s * 0.14},
                             {cx, cy + s * 0.5}},
                            colour);
        break;
    }
    case Spades: {
        double r = s * 0.25;
        canvas::FillEllipse(img, cx - s * 0.22, cy + s * 0.06, r, r, colour);
        canvas::FillEllipse(img, cx + s * 0.22, cy + s * 0.06, r, r, colour);
        canvas::FillPolygon(img,
                            {{cx, cy - s * 0.5}, {cx + s * 0.46, cy + s * 0.04},
                             {cx - s * 0.46, cy + s * 0.04}},
                            colour);
        canvas::FillPolygon(img,
                            {{cx, cy + s * 0.05}, {cx + s * 0.17, cy + s * 0.5},
                             {cx - s * 0.17, cy + s * 0.5}},
                            colour);
        break;
    }
    case Clubs: {
        double r = s * 0.22;
        canvas::FillEllipse(img, cx, cy - s * 0.25, r, r, colour);
        canvas::FillEllipse(img, cx - s * 0.25, cy + s * 0.08, r, r, colour);
        canvas::FillEllipse(img, cx + s * 0.25, cy + s * 0.08, r, r, colour);
        canvas::FillRect(img, int(std::lround(cx - s * 0.06)), int(std::lround(cy - s * 0.2)),
                         std::max(1, int(std::lround(s * 0.12))), int(std::lround(s * 0.4)), colour);
        canvas::FillPolygon(img,
                            {{cx, cy + s * 0.05}, {cx + s * 0.17, cy + s * 0.5},
                             {cx - s * 0.17, cy + s * 0.5}},
                            colour);
        break;
    }
    }
}

void DrawCoinStack(Image& img, const CoinStack& stack) {
    // Bottom coin first, so each coin above covers the rim of the one below.
    for (int i = 0; i < stack.count; ++i) {
        double cx = stack.cx + stack.lean * i;
        double faceY = stack.bottomY - stack.ry - stack.thickness - i * stack.thickness;
        double rimY = faceY + stack.thickness;
        // The rim: the face's ellipse swept down by the thickness.
        canvas::FillEllipse(img, cx, rimY, stack.rx + 1, stack.ry + 1, canvas::Black);
        canvas::FillRect(img, int(std::lround(cx - stack.rx - 1)), int(std::lround(faceY)),
                         int(std::lround(2 * stack.rx + 2)), int(std::lround(stack.thickness)),
                         canvas::Black);
        canvas::FillEllipse(img, cx, rimY, stack.rx, stack.ry, canvas::DarkYellow);
        canvas::FillRect(img, int(std::lround(cx - stack.rx)), int(std::lround(faceY)),
                         int(std::lround(2 * stack.rx)), int(std::lround(stack.thickness)),
                         canvas::DarkYellow);
        // A lit stripe down the rim makes it read as round.
        canvas::FillRect(img, int(std::lround(cx - stack.rx * 0.55)), int(std::lround(faceY)),
                         std::max(1, int(std::lround(stack.rx * 0.2))),
                         int(std::lround(stack.thickness + stack.ry * 0.7)), canvas::Yellow);
        // The face, with a darker inner ring like a struck coin.
        canvas::FillEllipse(img, cx, faceY, stack.rx + 1, stack.ry + 1, canvas::Black);
        canvas::FillEllipse(img, cx, faceY, stack.rx, stack.ry, canvas::Yellow);
        if (stack.ry >= 4)
            canvas::EllipseOutline(img, cx, faceY, stack.rx * 0.72, stack.ry * 0.72,
                                   canvas::DarkYellow);
    }
}

int DrawCentSign(Image& img, int x, int y, int height, double stroke, uint8_t colour) {
    // A "c" opened to the right, crossed by a vertical bar that overhangs it.
    double r = height / 2.0;
    double width = r * 1.7;
    double cx = x + width / 2, cy = y + r;
    Image ring(img.width, img.height, 0);
    canvas::FillEllipse(ring, cx, cy, width / 2, r, 1);
    canvas::FillEllipse(ring, cx, cy, width / 2 - stroke, r - stroke, 0);
    // Open the bowl on the right.
    canvas::FillPolygon(ring, {{cx, cy}, {cx + width, cy - r * 0.8}, {cx + width, cy + r * 0.8}}, 0);
    PaintMask(img, ring, 0, 0, colour);
    canvas::ThickLine(img, cx + 0.5, y - r * 0.45, cx + 0.5, y + height + r * 0.45, stroke * 0.8,
                      colour);
    return int(std::ceil(width));
}

const std::vector<PayoutRow>& PayoutRows() {
    static const std::vector<PayoutRow> rows = {
        {RoyalFlush, "Royal Flush (Natural)"},
        {FiveOfAKind, "Five of a Kind"},
        {WildRoyalFlush, "Royal Flush (Joker)"},
        {StraightFlush, "Straight Flush"},
        {FourOfAKind, "Four of a Kind"},
        {FullHouse, "Full House"},
        {Flush, "Flush"},
        {Straight, "Straight"},
        {ThreeOfAKind, "Three of a Kind"},
        {TwoPair, "Two Pair"},
    };
    return rows;
}

int PayoutFor(HandCategory category, int coins) {
    return PayoutTable[category].perCoin * coins;
}

bool IsOneConnectedArea(const Image& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return false;
    uint8_t colour = img.Get(x, y);
    Image filled = img;
    // Any colour other than the area's own marks the filled pixels.
    uint8_t mark = colour == canvas::White ? canvas::Black : canvas::White;
    canvas::FloodFill(filled, x, y, mark);
    for (int py = 0; py < filled.height; ++py)
        for (int px = 0; px < filled.width; ++px)
            if (filled.Get(px, py) == colour) return false;
    return true;
}

}  // namespace pictures
