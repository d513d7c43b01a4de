// The pictures themselves, each composed from the building blocks.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/generators/picturegen/pictures.h"

namespace pictures {

using canvas::Image;

namespace {

// Largest pixel height at which the lettering's mask fits the box.
int FitTextHeight(const std::string& font, const std::string& text, int maxWidth, int maxHeight,
                  int pad) {
    int best = 4;
    for (int h = 4; h <= 3 * maxHeight; ++h) {
        Image m = TextMask(font, h, text, pad);
        if (m.width > maxWidth || m.height > maxHeight) break;
        best = h;
    }
    return best;
}

// Pixels of the mask whose neighbour up-left is outside: the lit edge of
// raised lettering.
void PaintUpperLeftEdge(Image& img, const Image& mask, int x, int y, uint8_t colour) {
    for (int my = 0; my < mask.height; ++my)
        for (int mx = 0; mx < mask.width; ++mx)
            if (mask.Get(mx, my) && (!mask.Get(mx, my - 1) || !mask.Get(mx - 1, my)))
                img.Set(x + mx, y + my, colour);
}

// A small upright card: a white face or a blue patterned back inside a
// white border, with a dark rounded outline.
void DrawSmallCard(Image& img, int x, int y, int w, int h, bool back) {
    int radius = std::max(1, std::min(w, h) / 8);
    canvas::FillRoundRect(img, x, y, w, h, radius, canvas::White);
    if (back) {
        int border = std::max(2, w / 8);
        int ix = x + border, iy = y + border, iw = w - 2 * border, ih = h - 2 * border;
        canvas::FillRect(img, ix, iy, iw, ih, canvas::Blue);
        for (int py = iy; py < iy + ih; ++py)
            for (int px = ix; px < ix + iw; ++px)
                if ((px - ix + py - iy) % 4 == 0 || (px - ix - (py - iy) + 4 * ih) % 4 == 0)
                    img.Set(px, py, canvas::DarkBlue);
    }
    canvas::RoundRectOutline(img, x, y, w, h, radius, canvas::Black);
}

}  // namespace

Image DrawLogo() {
    Image img(kLogoWidth, kLogoHeight, canvas::LightGrey);
    // A double rule just inside the title box's own black outline.
    canvas::FrameRect(img, 2, 2, img.width - 4, img.height - 4, canvas::DarkBlue);
    canvas::FrameRect(img, 4, 4, img.width - 8, img.height - 8, canvas::DarkRed);

    const std::string name = "Quorvel";
    const int outline = 2, shadow = 4;
    int h = FitTextHeight("serif-bold", name, 280, img.height - 14 - shadow - 2 * outline, 0);
    Image letters = Slant(TextMask("serif-bold", h, name, outline), 0.16);
    Image rim = Dilate(letters, outline);
    int x = (img.width - rim.width - shadow) / 2;
    int y = (img.height - rim.height - shadow) / 2;
    PaintMask(img, rim, x + shadow, y + shadow, canvas::DarkGrey);
    PaintMask(img, rim, x, y, canvas::Black);
    PaintMask(img, letters, x, y, canvas::Red);
    PaintUpperLeftEdge(img, letters, x, y, canvas::Yellow);

    // The four suits, two on each side of the name.
    double size = (img.height - 16) / 2.0 - 4;
    double leftX = (x + 8) / 2.0, rightX = (x + rim.width + img.width - 8) / 2.0;
    double upper = img.height / 2.0 - size / 2 - 3, lower = img.height / 2.0 + size / 2 + 3;
    DrawSuit(img, Spades, leftX, upper, size, SuitColour(Spades));
    DrawSuit(img, Hearts, leftX, lower, size, SuitColour(Hearts));
    DrawSuit(img, Diamonds, rightX, upper, size, SuitColour(Diamonds));
    DrawSuit(img, Clubs, rightX, lower, size, SuitColour(Clubs));
    return img;
}

Image DrawAmountBadge() {
    Image img(kAmountWidth, kAmountHeight, canvas::Black);
    double cx = img.width / 2.0, cy = img.height / 2.0;
    // Two pixels of black all round keep the ground one connected area.
    double rx = cx - 2, ry = cy - 2;
    canvas::FillEllipse(img, cx, cy, rx, ry, canvas::Yellow);
    canvas::FillEllipse(img, cx, cy, rx - 2, ry - 2, canvas::Red);

    const std::string digits = "25";
    int h = FitTextHeight("sans-bold", digits, 26, int(ry * 2) - 12, 0);
    Image text = TextMask("sans-bold", h, digits, 0);
    int centHeight = text.height * 7 / 10;
    int centWidth = int(std::ceil(centHeight / 2.0 * 1.7));
    int gap = 1;
    int total = text.width + gap + centWidth;
    int x = int(std::lround(cx - total / 2.0));
    int y = int(std::lround(cy - text.height / 2.0));
    PaintMask(img, text, x, y, canvas::Yellow);
    DrawCentSign(img, x + text.width + gap, y + text.height - centHeight, centHeight, 2.2,
                 canvas::Yellow);
    return img;
}

Image DrawJackpot() {
    Image img(kJackpotWidth, kJackpotHeight, canvas::Black);
    const std::string word = "JACKPOT!!";
    const int rim = 2, depth = 5;
    int h = FitTextHeight("sans-bold", word, img.width - 40, 96, rim);
    Image letters = TextMask("sans-bold", h, word, rim);
    int x = (img.width - letters.width - depth) / 2;
    int y = (img.height - letters.height - depth) / 2;
    int bandTop = y - 14, bandBottom = y + letters.height + depth + 14;

    // Rays from the centre, only above and below the band of lettering.
    const uint8_t rayColours[] = {canvas::Yellow, canvas::Cyan,  canvas::Magenta, canvas::Green,
                                  canvas::White,  canvas::Blue,  canvas::Red,     canvas::DarkYellow};
    const int rays = 48;
    Image beams(img.width, img.height, canvas::Black);
    double cx = img.width / 2.0, cy = img.height / 2.0, far = img.width;
    for (int i = 0; i < rays; ++i) {
        double a0 = (i - 0.28) * 2 * M_PI / rays, a1 = (i + 0.28) * 2 * M_PI / rays;
        canvas::FillPolygon(beams,
                            {{cx, cy},
                             {cx + far * std::cos(a0), cy + far * std::sin(a0)},
                             {cx + far * std::cos(a1), cy + far * std::sin(a1)}},
                            rayColours[i % 8]);
    }
    for (int py = 0; py < img.height; ++py)
        if (py < bandTop || py >= bandBottom)
            for (int px = 0; px < img.width; ++px) img.Set(px, py, beams.Get(px, py));

    // Marquee lamps along both edges of the band.
    for (int lamp = 0, px = 10; px < img.width - 6; px += 16, ++lamp) {
        uint8_t c = lamp % 2 ? canvas::White : canvas::Yellow;
        canvas::FillEllipse(img, px + 0.5, bandTop + 5.5, 3, 3, c);
        canvas::FillEllipse(img, px + 0.5, bandBottom - 5.5, 3, 3, c);
    }

    // Raised red lettering: a dark red extrusion below and to the right.
    for (int d = depth; d >= 1; --d) PaintMask(img, letters, x + d, y + d, canvas::DarkRed);
    PaintMask(img, letters, x, y, canvas::Red);
    return img;
}

PixelRect OddsButtonArea() {
    // The OK button stands at 128,205 (40 x 16 dialog units) in a 297 x 231
    // unit dialog with the picture centred in it; at about 1.5 x 1.625
    // pixels per unit that is x 160..220, y 328..354 of the picture.  Other
    // dialog fonts move it a little, so the whole middle third of the
    // bottom 40 pixels stays clear.
    return {kOddsWidth / 3, kOddsHeight - 40, kOddsWidth - kOddsWidth / 3, kOddsHeight};
}

Image DrawOddsPicture() {
    Image img(kOddsWidth, kOddsHeight, canvas::LightGrey);

    // Title between two little groups of the four suits.
    const std::string title = "Quorvel Payout";
    int titleBaseline = 27;
    canvas::TextMetrics tm = canvas::MeasureText("serif-bold", 24, title);
    canvas::DrawTextCentred(img, "serif-bold", 24, img.width / 2 + 1, titleBaseline + 1, title,
                            canvas::DarkGrey);
    canvas::DrawTextCentred(img, "serif-bold", 24, img.width / 2, titleBaseline, title,
                            canvas::DarkBlue);
    for (int side = 0; side < 2; ++side) {
        double gx = side == 0 ? (img.width - tm.width) / 4.0 : img.width - (img.width - tm.width) / 4.0;
        double gy = 17, step = 11, size = 10;
        DrawSmallCard(img, int(gx) - 12, int(gy) - 15, 25, 30, false);
        DrawSuit(img, Spades, gx - step / 2, gy - step / 2, size, SuitColour(Spades));
        DrawSuit(img, Hearts, gx + step / 2, gy - step / 2, size, SuitColour(Hearts));
        DrawSuit(img, Diamonds, gx - step / 2, gy + step / 2, size, SuitColour(Diamonds));
        DrawSuit(img, Clubs, gx + step / 2, gy + step / 2, size, SuitColour(Clubs));
    }
    canvas::DrawTextCentred(img, "sans-bold", 15, img.width / 2, 50, "Winning Combinations",
                            canvas::DarkRed);

    // The table: a label column as wide as the longest name, and one
    // column per coin count sharing the rest.
    const std::vector<PayoutRow>& rows = PayoutRows();
    const int left = 8, right = img.width - 8, top = 58, rowHeight = 22;
    const int columns = 5, textHeight = 12, cellPad = 5;
    const char* font = "sans-bold";
    int labelWidth = canvas::MeasureText(font, textHeight, "COINS PLAYED").width;
    for (const PayoutRow& row : rows)
        labelWidth = std::max(labelWidth, canvas::MeasureText(font, textHeight, row.label).width);
    labelWidth += 2 * cellPad;
    int columnWidth = (right - left - labelWidth) / columns;
    labelWidth = right - left - columnWidth * columns;
    int bottom = top + rowHeight * int(rows.size() + 1);
    canvas::FillRect(img, left, top, right - left + 1, bottom - top + 1, canvas::DarkBlue);
    for (int r = 0; r <= int(rows.size()) + 1; ++r)
        canvas::FillRect(img, left, top + r * rowHeight, right - left + 1, 1, canvas::Yellow);
    // A second rule under the heading row sets it apart.
    canvas::FillRect(img, left, top + rowHeight + 2, right - left + 1, 1, canvas::Yellow);
    canvas::FillRect(img, left, top, 1, bottom - top + 1, canvas::Yellow);
    for (int c = 0; c <= columns; ++c)
        canvas::FillRect(img, left + labelWidth + c * columnWidth, top, 1, bottom - top + 1,
                         canvas::Yellow);

    auto baseline = [&](int row) { return top + row * rowHeight + rowHeight / 2 + textHeight * 3 / 8; };
    auto columnCentre = [&](int coins) { return left + labelWidth + (coins - 1) * columnWidth + columnWidth / 2 + 1; };
    canvas::DrawTextCentred(img, font, textHeight, left + labelWidth / 2, baseline(0),
                            "COINS PLAYED", canvas::Yellow);
    for (int c = 1; c <= columns; ++c)
        canvas::DrawTextCentred(img, font, textHeight, columnCentre(c), baseline(0),
                                std::to_string(c), canvas::Yellow);
    for (size_t r = 0; r < rows.size(); ++r) {
        int row = int(r) + 1;
        canvas::DrawText(img, font, textHeight, left + cellPad + 1, baseline(row),
                         rows[r].label, canvas::White);
        for (int c = 1; c <= columns; ++c)
            canvas::DrawTextCentred(img, font, textHeight, columnCentre(c), baseline(row),
                                    std::to_string(PayoutFor(rows[r].category, c)), canvas::White);
    }

    // A pile of coins at the bottom left, clear of the OK button.
    DrawCoinStack(img, {40, double(img.height - 6), 17, 6, 4, 7, 0.35});
    DrawCoinStack(img, {80, double(img.height - 6), 17, 6, 4, 4, -0.4});
    DrawCoinStack(img, {60, double(img.height - 4), 13, 5, 4, 1, 0});
    return img;
}

Image DrawAboutPicture() {
    Image img(kAboutWidth, kAboutHeight, canvas::LightGrey);
    // A card back peeking out behind an ace of hearts.
    const int w = 19, h = 27;
    DrawSmallCard(img, 0, 0, w, h, true);
    int fx = img.width - w, fy = img.height - h;
    DrawSmallCard(img, fx, fy, w, h, false);
    DrawSuit(img, Hearts, fx + w / 2.0, fy + h / 2.0 + 0.5, 12, canvas::Red);
    return img;
}

Image DrawAppIcon(int size) {
    Image img(size, size, kIconTransparent);
    if (size >= 32) {
        DrawSmallCard(img, 1, 0, 18, 25, true);
        DrawSmallCard(img, 9, 4, 19, 26, false);
        DrawSuit(img, Hearts, 18.5, 16.5, 13, canvas::Red);
        DrawCoinStack(img, {25, 31.5, 6, 2.5, 2, 3, 0});
    } else {
        DrawSmallCard(img, 0, 0, 10, 13, true);
        DrawSmallCard(img, 5, 2, 11, 14, false);
        DrawSuit(img, Hearts, 10.5, 9, 7, canvas::Red);
    }
    return img;
}

Image DrawCoinsIcon() {
    Image img(32, 32, kIconTransparent);
    DrawCoinStack(img, {10, 30, 8, 3.2, 3, 6, 0.3});
    DrawCoinStack(img, {22, 31, 8, 3.2, 3, 3, -0.3});
    return img;
}

Image DrawHandCursor() {
    // Drawn pixel by pixel: at 32 x 32 a hand only reads when every pixel
    // is placed.  'X' outline, '.' white, anything else transparent.  The
    // index finger's tip is the hot spot.
    static const char* const kRows[] = {
        "",
        "    XXX",
        "   X...X",
        "   X...X",
        "   X...X",
        "   X...X",
        "   X...X",
        "   X...XXXX",
        "   X...X...XXXX",
        "   X...X...X...XXX",
        "   X...X...X...X..X",
        " XXX...X...X...X..X",
        "X..X...X...X...X..X",
        "X..X...X...X...X..X",
        "X...X.............X",
        " X................X",
        " X................X",
        "  X...............X",
        "  X..............X",
        "   X.............X",
        "   X.............X",
        "    X...........X",
        "    X...........X",
        "     X.........X",
        "     XXXXXXXXXXX",
    };
    Image img(kCursorSize, kCursorSize, kIconTransparent);
    int y = 0;
    for (const char* row : kRows) {
        for (int x = 0; row[x]; ++x)
            if (row[x] == 'X') img.Set(x, y, canvas::Black);
            else if (row[x] == '.') img.Set(x, y, canvas::White);
        ++y;
    }
    return img;
}

}  // namespace pictures
