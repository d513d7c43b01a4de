// The card backs: seventeen designs, each with its own colours and its own
// pattern, so that every step of the back chooser shows something new.  The
// pattern fills a panel inside a white margin and a dark frame line.
#include <algorithm>
#include <cmath>

#include "tools/generators/cardgen/cards.h"
#include "tools/generators/cardgen/shapes.h"

namespace cards {

using canvas::Image;
using canvas::PointF;
namespace c = canvas;

namespace {

// The patterned panel inside the margin and the frame line.
const int kMargin = 3;
const int kPanelLeft = kMargin + 1;
const int kPanelWidth = kCardWidth - 2 * kPanelLeft;     // 63
const int kPanelHeight = kCardHeight - 2 * kPanelLeft;   // 88
const double kMidX = (kPanelWidth - 1) / 2.0;            // 31
const double kMidY = (kPanelHeight - 1) / 2.0;           // 43.5

// Non-negative remainder, for patterns that run across the centre lines.
int Mod(int a, int m) { return ((a % m) + m) % m; }

// A small deterministic generator for scattered details.
struct Scatter {
    uint32_t state;
    int Next(int n) {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % uint32_t(n));
    }
};

template <typename F>
void EachPixel(Image& p, F colourAt) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.Set(x, y, colourAt(x, y));
}

// 1: white diagonal lattice on blue, a dot in every cell.
void LatticeBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        int a = Mod(x + y, 8), b = Mod(x - y, 8);
        if (a == 0 || b == 0) return c::White;
        if (a == 4 && b == 4) return c::Cyan;
        return c::Blue;
    });
}

// 2: staggered rows of white diamonds edged in dark red, on red.
void DiamondsBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        double d = 9;
        // Two interleaved grids; the pixel takes the nearer diamond.
        for (int shift = 0; shift < 2; ++shift) {
            int u = Mod(x - 31 + shift * 6, 12) - 6, v = Mod(y - 43 + shift * 9, 18) - 9;
            d = std::min(d, std::abs(u) / 6.0 + std::abs(v) / 9.0);
        }
        if (d <= 0.55) return c::White;
        if (d <= 0.75) return c::DarkRed;
        return c::Red;
    });
}

// 3: a green tartan with yellow threads.
void TartanBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        int u = Mod(x - 31 + 6, 12), v = Mod(y - 43 + 6, 12);
        bool bandX = u >= 3 && u <= 8, bandY = v >= 3 && v <= 8;
        if (u == 6 || v == 6) return c::Yellow;
        if (bandX && bandY) return c::Blue;
        if (bandX || bandY) return c::DarkGreen;
        return (x + y) % 2 ? c::Green : c::DarkGreen;
    });
}

// 4: nested diamonds, red and yellow.
void RingsBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        int d = int(std::fabs(x - kMidX) * 1.4 + std::fabs(y - kMidY));
        int ring = (d / 4) % 3;
        return ring == 0 ? c::Red : ring == 1 ? c::Yellow : c::DarkRed;
    });
}

// 5: white pearls with dark shadows on magenta, every other row staggered.
void PolkaBack(Image& p) {
    FillRect(p, 0, 0, p.width, p.height, c::Magenta);
    for (int row = -1; row * 9 < p.height + 9; ++row)
        for (int col = -1; col * 10 < p.width + 10; ++col) {
            double cx = kMidX + (col - 3) * 10 + (row % 2 ? 5 : 0), cy = 3.5 + row * 9;
            FillEllipse(p, cx + 1.5, cy + 1.5, 3.2, 3.2, c::DarkMagenta);
            FillEllipse(p, cx + 0.5, cy + 0.5, 3.2, 3.2, c::White);
        }
}

// 6: broad diagonal stripes, cyan and dark cyan with a white thread.
void StripesBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        int s = Mod(x - y, 10);
        if (s == 0) return c::White;
        return s <= 5 ? c::Cyan : c::DarkCyan;
    });
}

// 7: waves of cyan on blue.
void WavesBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        double wave = 2.5 * std::sin((x - kMidX) * 2 * M_PI / 16);
        int band = Mod(int(std::floor(y - wave)), 7);
        if (band == 0) return c::White;
        if (band <= 2) return c::Cyan;
        return c::DarkBlue;
    });
}

// 8: a brick wall, dark red bricks and grey mortar.
void BricksBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        int row = (y + 2) / 6, v = (y + 2) % 6;
        int u = Mod(x + (row % 2 ? 6 : 0) - 31, 12);
        if (v == 0 || u == 0) return c::LightGrey;
        if (v == 1) return c::Red;
        return c::DarkRed;
    });
}

// 9: a sunburst of yellow and red rays round a sun.
void SunburstBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        double dx = x - kMidX, dy = y - kMidY;
        double r = std::sqrt(dx * dx + dy * dy);
        if (r < 9) return c::Yellow;
        if (r < 11) return c::Red;
        double a = std::atan2(dy, std::fabs(dx)) + M_PI / 2;   // mirrored left to right
        int ray = int(std::floor(a / (M_PI / 9)));
        return ray % 2 ? c::Red : c::Yellow;
    });
}

// 10: concentric circles, a target in blue and white.
void TargetBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        double dx = x - kMidX, dy = y - kMidY;
        int ring = int(std::sqrt(dx * dx + dy * dy)) / 3;
        return ring % 2 ? c::White : c::Blue;
    });
}

// 11: fish scales, green rimmed in dark green.
void ScalesBack(Image& p) {
    FillRect(p, 0, 0, p.width, p.height, c::DarkGreen);
    for (int row = 0; row * 6 < p.height + 12; ++row)
        for (int col = -1; col * 10 < p.width + 10; ++col) {
            double cx = kMidX + (col - 3) * 10 + (row % 2 ? 5 : 0), cy = row * 6 - 3;
            FillEllipse(p, cx + 0.5, cy + 0.5, 6.0, 7.0, c::DarkGreen);
            FillEllipse(p, cx + 0.5, cy + 0.5, 4.4, 5.4, c::Green);
        }
}

// 12: the four suits tiled on dark blue, alternate rows set between.
void SuitTilesBack(Image& p) {
    FillRect(p, 0, 0, p.width, p.height, c::DarkBlue);
    const int order[4] = {Spades, Hearts, Clubs, Diamonds};
    const int pitch = 10, rowPitch = 11, w = 7, h = 8;
    for (int row = 0; row < 8; ++row) {
        int count = row % 2 ? 5 : 6;
        int left = (p.width - ((count - 1) * pitch + w)) / 2;
        for (int col = 0; col < count; ++col) {
            int suit = order[(row * 3 + col) % 4];
            uint8_t colour = suit == Hearts || suit == Diamonds ? c::Red : c::White;
            Stamp(p, SuitMask(suit, w, h), left + col * pitch, 1 + row * rowPitch, colour);
        }
    }
}

// 13: yellow zigzag bands on black.
void ZigzagBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        int tooth = std::abs(Mod(x - 31 + 6, 12) - 6);
        int band = Mod(y + tooth, 12);
        if (band < 3) return c::Yellow;
        if (band < 5) return c::DarkYellow;
        return c::Black;
    });
}

// 14: a night sky with a crescent moon and stars over hills.
void NightSkyBack(Image& p) {
    FillRect(p, 0, 0, p.width, p.height, c::DarkBlue);
    Scatter s{17};
    for (int i = 0; i < 60; ++i) {
        int x = s.Next(p.width), y = s.Next(p.height - 20);
        p.Set(x, y, i % 5 ? c::White : c::Yellow);
        if (i % 7 == 0) {
            p.Set(x - 1, y, c::White);
            p.Set(x + 1, y, c::White);
            p.Set(x, y - 1, c::White);
            p.Set(x, y + 1, c::White);
        }
    }
    FillEllipse(p, 42, 22, 10, 10, c::Yellow);
    FillEllipse(p, 47, 18, 9, 9, c::DarkBlue);
    EachPixel(p, [&p](int x, int y) -> uint8_t {
        double far = 66 + 5 * std::sin(x * 0.15);
        double near = 74 + 4 * std::cos(x * 0.11 + 1);
        if (y > near) return c::DarkGreen;
        if (y > far) return c::Green;
        return p.Get(x, y);
    });
}

// 15: stained glass, tiles of strong colours in black leading, the same
// on both sides of the centre line.
void MosaicBack(Image& p) {
    const uint8_t kGlass[5] = {c::Red, c::Yellow, c::Blue, c::Green, c::Magenta};
    const int size = 7, columns = 9, rows = 13;   // 9 x 7 = the panel's width
    Scatter s{5};
    uint8_t tile[rows][columns];
    for (auto& row : tile)
        for (uint8_t& t : row) t = kGlass[s.Next(5)];
    const int top = (p.height - rows * size) / 2;
    EachPixel(p, [&](int x, int y) -> uint8_t {
        int v = y - top;
        if (v < 0 || v >= rows * size) return c::Black;
        if (x % size == 0 || v % size == 0) return c::Black;
        int col = x / size, row = v / size;
        return tile[row][std::min(col, columns - 1 - col)];
    });
}

// 16: a basket weave in gold, pairs of strips turning at every square.
void WeaveBack(Image& p) {
    const int cell = 8;
    EachPixel(p, [](int x, int y) -> uint8_t {
        int u = Mod(x - 31 + cell / 2, cell), v = Mod(y - 43 + cell / 2, cell);
        bool across = (Mod(x - 31 + cell / 2, 2 * cell) < cell) == (Mod(y - 43 + cell / 2, 2 * cell) < cell);
        int side = across ? v : u, along = across ? u : v;
        if (side % 4 == 0) return c::Black;
        if (along == 0 || along == cell - 1) return c::DarkYellow;
        return side % 4 == 3 ? c::DarkYellow : c::Yellow;
    });
}

// 17: the house monogram, a gold Q on dark magenta in an oval.
void MonogramBack(Image& p) {
    EachPixel(p, [](int x, int y) -> uint8_t {
        return Mod(x + y, 4) == 0 || Mod(x - y, 4) == 0 ? c::Magenta : c::DarkMagenta;
    });
    FillEllipse(p, kMidX + 0.5, kMidY + 0.5, 25, 34, c::Yellow);
    FillEllipse(p, kMidX + 0.5, kMidY + 0.5, 23, 32, c::DarkMagenta);
    DrawTextCentred(p, "serif-bold", 52, int(kMidX) + 1, int(kMidY) + 17, "Q", c::Yellow);
}

void (*const kDesigns[kBackCount])(Image&) = {
    LatticeBack, DiamondsBack, TartanBack,    RingsBack,  PolkaBack,    StripesBack,
    WavesBack,   BricksBack,   SunburstBack,  TargetBack, ScalesBack,   SuitTilesBack,
    ZigzagBack,  NightSkyBack, MosaicBack,    WeaveBack,  MonogramBack,
};

// The frame line takes the darkest colour of each design.
const uint8_t kFrame[kBackCount] = {
    c::DarkBlue, c::DarkRed,   c::DarkGreen, c::DarkRed,  c::DarkMagenta, c::DarkCyan,
    c::DarkBlue, c::DarkRed,   c::Red,       c::DarkBlue, c::DarkGreen,   c::DarkBlue,
    c::Black,    c::DarkBlue,  c::Black,     c::DarkYellow, c::DarkMagenta,
};

}  // namespace

Image BackCard(int design) {
    Image card = CardShape(c::White);
    if (design < 1 || design > kBackCount) return card;
    Image panel(kPanelWidth, kPanelHeight, c::White);
    kDesigns[design - 1](panel);
    c::FrameRect(card, kMargin, kMargin, kCardWidth - 2 * kMargin, kCardHeight - 2 * kMargin,
                 kFrame[design - 1]);
    c::Blit(card, panel, kPanelLeft, kPanelLeft);
    return card;
}

}  // namespace cards
