// Jacks, queens and kings: a framed, double-ended half figure for each of
// the twelve, built from outlined shapes; the lower half is the upper one
// turned half round, beyond a slanted dividing line.
#include <cmath>

#include "tools/generators/cardgen/cards.h"
#include "tools/generators/cardgen/shapes.h"

namespace cards {

using canvas::Image;
using canvas::PointF;
namespace c = canvas;

namespace {

// The frame around the figure; the index stands outside it on the left.
const int kFrameLeft = 14;
const int kFrameTop = 4;
const int kFrameWidth = kCardWidth - 2 * kFrameLeft;          // 43
const int kFrameHeight = kCardHeight - 2 * kFrameTop;         // 88
// The inside of the frame.  The figure is drawn once, from the top down to
// below the dividing line; the lower half is that drawing turned half round.
const int kPanelWidth = kFrameWidth - 2;                       // 41
const int kPanelHeight = kFrameHeight - 2;                     // 86
const int kHalfHeight = kPanelHeight / 2;                      // 43
const int kCentre = kPanelWidth / 2;                           // 20
// The robe runs on below the divide so that it fills the figure's half
// wherever the slanted line cuts it.
const int kRobeBottom = kHalfHeight + 12;

enum Role { Jack = 11, Queen = 12, King = 13 };
enum Item { Sceptre, Orb, Sword, RaisedSword, Axe, Flower, Rose, Halberd, Leaf, Arrow, Torch, Fan };
enum Pattern { Plain, Stripes, Dots, Checks, Chevrons, Lattice };
enum Headgear { Crown, Tiara, Cap, Beret, Hood };

struct Figure {
    Role role;
    Headgear headgear;
    uint8_t robeLeft, robeRight, trim, pattern_colour;
    Pattern pattern;
    uint8_t hair, beard;   // beard White..Black; Yellow etc.; 255 = none
    Item item;
    int shift;             // face turned left (negative) or right
    bool itemOnLeft;
    uint8_t hatColour;
};

const uint8_t kNone = kNoColour;

// The decoration woven into a robe, confined to the robe's inside.
void PaintPattern(Image& panel, const Image& robe, Pattern pattern, uint8_t colour) {
    for (int y = 0; y < robe.height; ++y) {
        for (int x = 0; x < robe.width; ++x) {
            if (!robe.Get(x, y) || !robe.Get(x - 1, y) || !robe.Get(x + 1, y) ||
                !robe.Get(x, y - 1))
                continue;
            bool on = false;
            switch (pattern) {
            case Stripes: on = x % 4 == 0; break;
            case Dots: on = x % 4 == 1 && y % 4 == 1; break;
            case Checks: on = ((x / 3) + (y / 3)) % 2 == 0; break;
            case Chevrons: on = (y + std::abs(x - kCentre)) % 5 == 0; break;
            case Lattice: on = (x + y) % 6 == 0 || (x - y + 60) % 6 == 0; break;
            case Plain: break;
            }
            if (on) panel.Set(x, y, colour);
        }
    }
}

void DrawBody(Image& panel, const Figure& f) {
    const int top = 25;
    // Sloping shoulders out to the frame, then the robe straight down past
    // the divide, so each half is filled by its own figure's chest.
    Image body = PolygonMask(panel, {{kCentre - 7.0, top}, {kCentre + 8.0, top}, {kCentre + 16.0, top + 2.0},
                                     {kPanelWidth + 1.0, top + 5.0}, {kPanelWidth + 1.0, kRobeBottom + 0.0},
                                     {-1.0, kRobeBottom + 0.0}, {-1.0, top + 5.0}, {kCentre - 15.0, top + 2.0}});
    Image leftHalf = PolygonMask(panel, {{0, 0}, {kCentre + 0.5, 0}, {kCentre + 0.5, 99}, {0, 99}});
    Image left = Intersect(body, leftHalf), right = Subtract(body, leftHalf);
    PaintMask(panel, left, f.robeLeft);
    PaintMask(panel, right, f.robeRight);
    PaintPattern(panel, f.pattern == Checks || f.pattern == Stripes ? right : left, f.pattern,
                 f.pattern_colour);
    // The trimmed front of the robe.
    Image band = PolygonMask(panel, {{kCentre - 2.5, top}, {kCentre + 3.5, top}, {kCentre + 4.5, kRobeBottom + 0.0},
                                     {kCentre - 3.5, kRobeBottom + 0.0}});
    PaintMask(panel, band, f.trim);
    for (int y = top + 4; y < kRobeBottom; y += 4) panel.Set(kCentre, y, c::Black);
    // Collar: ermine for a king, a necklace for a queen, a plain one for a jack.
    Image collar = PolygonMask(panel, {{kCentre - 9.0, top - 1.0}, {kCentre + 10.0, top - 1.0},
                                {kCentre + 12.0, top + 4.0}, {kCentre + 0.5, top + 6.0},
                                {kCentre - 11.0, top + 4.0}});
    if (f.role == King) {
        PaintMask(panel, collar, c::White);
        for (int x = kCentre - 8; x <= kCentre + 9; x += 3) panel.Set(x, top + 2, c::Black);
    } else if (f.role == Queen) {
        for (int i = -4; i <= 4; ++i) {
            int x = kCentre + i * 2, y = top + 2 + (4 - std::abs(i)) / 2;
            panel.Set(x, y, c::Yellow);
            panel.Set(x, y + 1, c::Black);
        }
    } else {
        PaintMask(panel, collar, f.trim);
    }
}

void DrawHead(Image& panel, const Figure& f) {
    double fx = kCentre + 0.5 + f.shift, fy = 15;
    // Hair behind the face; a queen's falls to her shoulders.
    if (f.role == Queen) {
        PaintMask(panel, PolygonMask(panel, {{fx - 8, 10}, {fx + 8, 10}, {fx + 10, 29}, {fx + 5, 27},
                                  {fx - 5, 27}, {fx - 10, 29}}), f.hair);
    }
    PaintMask(panel, EllipseMask(panel, fx, fy - 1, 7.5, 7.5), f.hair);
    // Neck and face.
    PaintMask(panel, PolygonMask(panel, {{fx - 2.5, 19}, {fx + 2.5, 19}, {fx + 2.5, 26}, {fx - 2.5, 26}}), c::White);
    PaintMask(panel, EllipseMask(panel, fx, fy, 5.5, 7), c::White);
    int ex = int(std::floor(fx));
    if (f.beard != kNone) {
        PaintMask(panel, PolygonMask(panel, {{fx - 5.5, 16}, {fx + 5.5, 16}, {fx + 4.5, 23}, {fx + 0.5, 27},
                                  {fx - 4.5, 23}}), f.beard);
        // Mouth opening in the beard and the moustache above it.
        panel.Set(ex - 1, 20, c::Red);
        panel.Set(ex, 20, c::Red);
        panel.Set(ex + 1, 20, c::Red);
        c::FillRect(panel, ex - 3, 18, 7, 1, c::Black);
    } else {
        panel.Set(ex - 1, 19, c::Red);
        panel.Set(ex, 19, c::Red);
        panel.Set(ex + 1, 19, c::Red);
        if (f.role == Queen) {  // rouged cheeks
            panel.Set(ex - 3, 17, c::Red);
            panel.Set(ex + 3, 17, c::Red);
        }
    }
    // Eyes, brows and nose, turned a little with the face.
    int look = f.shift < 0 ? -1 : f.shift > 0 ? 1 : 0;
    panel.Set(ex - 2 + look, 14, c::Black);
    panel.Set(ex + 2 + look, 14, c::Black);
    panel.Set(ex - 3, 12, c::Black);
    panel.Set(ex - 2, 12, c::Black);
    panel.Set(ex + 2, 12, c::Black);
    panel.Set(ex + 3, 12, c::Black);
    panel.Set(ex + look, 15, c::Black);
    panel.Set(ex + look, 16, c::Black);
    panel.Set(ex + look + (look ? look : 1), 16, c::Black);
}

void DrawHeadgear(Image& panel, const Figure& f) {
    double fx = kCentre + 0.5 + f.shift;
    switch (f.headgear) {
    case Crown: {
        // A band with five points, each tipped with a ball, and jewels.
        std::vector<PointF> points = {{fx - 7, 10}, {fx - 7.5, 3}, {fx - 4.5, 6.5}, {fx - 2.5, 1.5},
                                      {fx, 5.5},    {fx + 2.5, 1.5}, {fx + 4.5, 6.5}, {fx + 7.5, 3},
                                      {fx + 7, 10}};
        PaintMask(panel, PolygonMask(panel, points), c::Yellow);
        PaintMask(panel, PolygonMask(panel, {{fx - 7.5, 7.5}, {fx + 7.5, 7.5}, {fx + 7.5, 10.5}, {fx - 7.5, 10.5}}),
              c::Yellow);
        for (double tip : {-7.5, 7.5}) PaintMask(panel, EllipseMask(panel, fx + tip, 3, 1.6, 1.6), c::Yellow);
        for (double tip : {-2.5, 2.5}) PaintMask(panel, EllipseMask(panel, fx + tip, 1.6, 1.6, 1.6), c::Yellow);
        int ex = int(std::floor(fx));
        panel.Set(ex - 4, 9, c::Red);
        panel.Set(ex, 9, c::Blue);
        panel.Set(ex + 4, 9, c::Red);
        break;
    }
    case Tiara: {
        // Three rounded arches over a band, with a cross on top.
        PaintMask(panel, PolygonMask(panel, {{fx - 6.5, 10}, {fx - 6, 5}, {fx - 3, 7}, {fx, 3}, {fx + 3, 7},
                                  {fx + 6, 5}, {fx + 6.5, 10}}), c::Yellow);
        PaintMask(panel, PolygonMask(panel, {{fx - 7, 8}, {fx + 7, 8}, {fx + 7, 10.5}, {fx - 7, 10.5}}), c::Yellow);
        int ex = int(std::floor(fx));
        panel.Set(ex, 1, c::Black);
        panel.Set(ex - 1, 2, c::Black);
        panel.Set(ex, 2, c::Black);
        panel.Set(ex + 1, 2, c::Black);
        panel.Set(ex - 3, 9, c::Red);
        panel.Set(ex + 3, 9, c::Red);
        panel.Set(ex, 9, c::Blue);
        break;
    }
    case Cap: {
        // A flat cap with a feather sweeping back.
        PaintMask(panel, PolygonMask(panel, {{fx - 9, 10}, {fx - 6, 4}, {fx + 6, 4}, {fx + 9, 10}}), f.hatColour);
        PaintMask(panel, PolygonMask(panel, {{fx - 9.5, 9}, {fx + 9.5, 9}, {fx + 9.5, 11.5}, {fx - 9.5, 11.5}}), c::Yellow);
        double back = f.itemOnLeft ? -1 : 1;   // away from the suit beside the head
        PaintMask(panel, PolygonMask(panel, {{fx + back * 3, 5}, {fx + back * 10, 1.5}, {fx + back * 12, 2.5},
                                  {fx + back * 6, 7}}), c::White);
        break;
    }
    case Beret: {
        PaintMask(panel, EllipseMask(panel, fx - 1, 7, 10, 4.5), f.hatColour);
        PaintMask(panel, PolygonMask(panel, {{fx - 8, 9}, {fx + 8, 9}, {fx + 8, 11.5}, {fx - 8, 11.5}}), c::Yellow);
        PaintMask(panel, EllipseMask(panel, fx - 1, 2.5, 2, 2), c::Yellow);
        break;
    }
    case Hood: {
        PaintMask(panel, PolygonMask(panel, {{fx - 9, 12}, {fx - 7, 3}, {fx, 0}, {fx + 7, 3}, {fx + 9, 12},
                                  {fx + 6, 9}, {fx - 6, 9}}), f.hatColour);
        PaintMask(panel, PolygonMask(panel, {{fx - 8, 9}, {fx + 8, 9}, {fx + 8, 11.5}, {fx - 8, 11.5}}), c::Yellow);
        break;
    }
    }
}

// The sleeve from the shoulder, its cuff and the hand at (hx, hy).
void DrawArm(Image& panel, const Figure& f, double hx, double hy) {
    double side = hx < kCentre + 0.5 ? -1 : 1;
    // The sleeve takes the other half's colour so the arm stands out.
    uint8_t sleeve = side < 0 ? f.robeRight : f.robeLeft;
    double sx = kCentre + 0.5 + side * 9, sy = 29, ex = hx - side * 1, ey = hy + 1;
    PaintMask(panel, LineMask(panel, sx, sy, ex, ey, 5), sleeve);
    double cx = sx + (ex - sx) * 0.75, cy = sy + (ey - sy) * 0.75;
    PaintMask(panel, LineMask(panel, cx, cy, ex, ey, 5), f.trim);
    PaintMask(panel, EllipseMask(panel, hx, hy, 2.5, 2.5), c::White);
}

// The other hand rests on the chest (figures holding a flower or a fan hold
// it there already).
void DrawFreeHand(Image& panel, const Figure& f) {
    double side = f.itemOnLeft ? 1 : -1;
    DrawArm(panel, f, kCentre + 0.5 + side * 7, 33);
}

void DrawItem(Image& panel, const Figure& f) {
    double side = f.itemOnLeft ? -1 : 1;
    double hx = kCentre + 0.5 + side * 12, hy = 33;
    switch (f.item) {
    case Sceptre:
    case Orb: {
        PaintMask(panel, LineMask(panel, hx, hy + 12, hx, 5, 2.2), c::Yellow);
        if (f.item == Orb) {
            PaintMask(panel, EllipseMask(panel, hx, 5, 3.5, 3.5), c::Blue);
            PaintMask(panel, LineMask(panel, hx - 3.5, 5, hx + 3.5, 5, 1), c::Yellow, kNone);
            PaintMask(panel, LineMask(panel, hx, 1, hx, 0, 1.2), c::Black, kNone);
        } else {
            PaintMask(panel, PolygonMask(panel, {{hx, 0}, {hx + 3.5, 4}, {hx, 8}, {hx - 3.5, 4}}), c::Red);
        }
        DrawArm(panel, f, hx, hy);
        break;
    }
    case Sword:
        PaintMask(panel, PolygonMask(panel, {{hx - 1.5, hy - 2}, {hx - 1.5, 4}, {hx, 1}, {hx + 1.5, 4}, {hx + 1.5, hy - 2}}),
              c::LightGrey);
        PaintMask(panel, LineMask(panel, hx - 4, hy - 3, hx + 4, hy - 3, 2), c::Yellow);
        DrawArm(panel, f, hx, hy);
        break;
    case RaisedSword: {
        // Held up behind the head, the blade crossing the panel.
        double bx = kCentre + 0.5 - side * 15, by = 1;
        PaintMask(panel, LineMask(panel, hx, hy, bx, by, 3), c::LightGrey);
        PaintMask(panel, LineMask(panel, hx - 3, hy - 5, hx + 4, hy - 1, 2), c::Yellow);
        DrawArm(panel, f, hx, hy);
        break;
    }
    case Axe:
        PaintMask(panel, LineMask(panel, hx, hy + 10, hx, 3, 2), c::DarkYellow);
        PaintMask(panel, PolygonMask(panel, {{hx, 4}, {hx + side * 6, 1}, {hx + side * 7, 6}, {hx + side * 6, 11}, {hx, 8}}),
              c::LightGrey);
        DrawArm(panel, f, hx, hy);
        break;
    case Halberd:
        PaintMask(panel, LineMask(panel, hx, hy + 10, hx, 2, 2), c::DarkYellow);
        PaintMask(panel, PolygonMask(panel, {{hx, 0}, {hx + 1.5, 4}, {hx - 1.5, 4}}), c::LightGrey);
        PaintMask(panel, PolygonMask(panel, {{hx, 5}, {hx - side * 5, 4}, {hx - side * 5, 10}, {hx, 9}}), c::LightGrey);
        DrawArm(panel, f, hx, hy);
        break;
    case Arrow:
        // A plain shaft (too thin for an outline), a broad head and red
        // fletching below the hand.
        PaintMask(panel, LineMask(panel, hx, hy + 9, hx, 4, 1.6), c::DarkYellow, kNone);
        PaintMask(panel, PolygonMask(panel, {{hx, 0}, {hx + 3.5, 6.5}, {hx, 5}, {hx - 3.5, 6.5}}), c::DarkGrey);
        for (double s : {-1.0, 1.0})
            PaintMask(panel, PolygonMask(panel, {{hx, hy + 3}, {hx + s * 3.5, hy + 6}, {hx + s * 3.5, hy + 10}, {hx, hy + 8}}),
                      c::Red);
        DrawArm(panel, f, hx, hy);
        break;
    case Torch:
        PaintMask(panel, LineMask(panel, hx, hy + 6, hx, 9, 2.4), c::DarkYellow);
        PaintMask(panel, PolygonMask(panel, {{hx, 1}, {hx + 3.5, 6}, {hx + 2.5, 10}, {hx - 2.5, 10}, {hx - 3.5, 6}}), c::Red);
        PaintMask(panel, PolygonMask(panel, {{hx, 4}, {hx + 1.5, 7.5}, {hx - 1.5, 7.5}}), c::Yellow, kNone);
        DrawArm(panel, f, hx, hy);
        break;
    case Leaf:
        PaintMask(panel, LineMask(panel, hx, hy, hx - side * 2, 4, 1.2), c::DarkGreen, kNone);
        PaintMask(panel, PolygonMask(panel, {{hx - side * 2, 2}, {hx - side * 6, 8}, {hx - side * 2, 17}, {hx + side * 2, 9}}),
              c::Green);
        DrawArm(panel, f, hx, hy);
        break;
    case Flower:
    case Rose: {
        // Held up close to the chest on a short stem.
        double px = kCentre + 0.5 + side * 9, py = 27;
        PaintMask(panel, LineMask(panel, px, py + 8, px, py - 3, 1.2), c::DarkGreen, kNone);
        PaintMask(panel, PolygonMask(panel, {{px, py + 2}, {px + side * 4, py}, {px + side * 2, py + 4}}), c::Green);
        uint8_t petals = f.item == Rose ? c::Red : c::Magenta;
        for (int i = 0; i < 5; ++i) {
            double a = 2 * M_PI * i / 5 - M_PI / 2;
            PaintMask(panel, EllipseMask(panel, px + 2.6 * std::cos(a), py - 5 + 2.6 * std::sin(a), 1.9, 1.9), petals);
        }
        PaintMask(panel, EllipseMask(panel, px, py - 5, 1.6, 1.6), c::Yellow, kNone);
        DrawArm(panel, f, px, py + 5);
        break;
    }
    case Fan: {
        double px = kCentre + 0.5 + side * 10, py = 32;
        std::vector<PointF> fan = {{px, py}};
        for (int i = 0; i <= 8; ++i) {
            double a = -M_PI / 2 + (i - 4) * 0.22;
            fan.push_back({px + 11 * std::cos(a), py + 11 * std::sin(a)});
        }
        PaintMask(panel, PolygonMask(panel, fan), c::Cyan);
        for (int i = 1; i < 8; i += 2) {
            double a = -M_PI / 2 + (i - 4) * 0.22;
            c::Line(panel, int(px), int(py), int(px + 10 * std::cos(a)), int(py + 10 * std::sin(a)), c::DarkBlue);
        }
        DrawArm(panel, f, px, py);
        break;
    }
    }
}

const Figure& FigureOf(int suit, int rank) {
    // One distinct figure per court card: role, headgear, robe colours and
    // pattern, hair, beard, the thing held and the turn of the head.
    static const Figure kFigures[4][3] = {
        {   // clubs
            {Jack, Cap, c::Blue, c::Yellow, c::Red, c::DarkBlue, Stripes, c::Yellow, kNone, Arrow, 1, true, c::Red},
            {Queen, Tiara, c::Yellow, c::Blue, c::Red, c::DarkYellow, Dots, c::Yellow, kNone, Flower, -1, false, 0},
            {King, Crown, c::Red, c::Blue, c::Yellow, c::DarkRed, Dots, c::Yellow, c::Yellow, Orb, 0, true, 0},
        },
        {   // diamonds
            {Jack, Beret, c::Red, c::Yellow, c::Blue, c::DarkRed, Checks, c::DarkYellow, kNone, Halberd, -2, false,
             c::Blue},
            {Queen, Tiara, c::Red, c::Green, c::Yellow, c::DarkRed, Lattice, c::Black, kNone, Fan, 1, true, 0},
            {King, Crown, c::Blue, c::Red, c::Yellow, c::DarkBlue, Stripes, c::DarkGrey, c::LightGrey, Axe, -2,
             false, 0},
        },
        {   // hearts
            {Jack, Cap, c::Yellow, c::Red, c::Green, c::DarkYellow, Chevrons, c::Yellow, kNone, Leaf, -1, false,
             c::Green},
            {Queen, Tiara, c::Red, c::Yellow, c::Blue, c::DarkRed, Stripes, c::Yellow, kNone, Rose, 0, true, 0},
            {King, Crown, c::Red, c::Yellow, c::Blue, c::DarkRed, Chevrons, c::Yellow, c::Yellow, RaisedSword, 1,
             true, 0},
        },
        {   // spades
            {Jack, Hood, c::Blue, c::Red, c::Yellow, c::DarkBlue, Dots, c::Black, kNone, Torch, 1, true, c::DarkGreen},
            {Queen, Tiara, c::Blue, c::Red, c::Yellow, c::DarkBlue, Checks, c::Black, kNone, Sceptre, -1, false, 0},
            {King, Crown, c::Blue, c::Yellow, c::Red, c::DarkBlue, Lattice, c::Black, c::Black, Sword, 0, false, 0},
        },
    };
    return kFigures[suit][rank - Jack];
}

// Where the centre of the inside pixel (x, y) lies against the dividing
// line, in rows: negative above it, positive below.  The line runs through
// the middle of the frame, a little lower on the left than on the right, as
// on printed court cards; the pixel turned half round gets the same value
// negated, so the two halves and the line itself match either way up.
double SideOfDivide(int x, int y) {
    double dx = x - kCentre, dy = y + 0.5 - kHalfHeight;
    return dy + dx * 2.0 / 7.0;
}

Image Panel(int suit, int rank) {
    const Figure& f = FigureOf(suit, rank);
    Image panel(kPanelWidth, kPanelHeight, c::White);
    // A sword raised behind the head crosses the robe but not the face.
    bool behindHead = f.item == RaisedSword;
    DrawBody(panel, f);
    if (f.item != Flower && f.item != Rose && f.item != Fan) DrawFreeHand(panel, f);
    if (behindHead) DrawItem(panel, f);
    DrawHead(panel, f);
    DrawHeadgear(panel, f);
    if (!behindHead) DrawItem(panel, f);
    // The suit beside the head, on the side away from the item (the raised
    // sword's point takes that corner, so there it goes above the hand).
    Image pip = SuitMask(suit, 9, 10);
    bool pipOnLeft = f.itemOnLeft == behindHead;
    int px = pipOnLeft ? 1 : kPanelWidth - 10;
    Stamp(panel, pip, px, 1, SuitColour(suit));
    return panel;
}

}  // namespace

Image CourtCard(int suit, int rank) {
    Image card = CardShape(c::White);
    DrawIndex(card, suit, rank);
    uint8_t frame = suit == Hearts || suit == Diamonds ? c::Red : c::Blue;
    c::FrameRect(card, kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight, frame);
    Image figure = Panel(suit, rank);
    // Above the slanted divide the figure, below it the same figure turned
    // half round; the divide is a thin dark line, one pixel in most columns,
    // that reads against every robe colour.
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x) {
            double side = SideOfDivide(x, y);
            bool below = side > 0;
            bool onLine = std::fabs(side) <= 0.5;
            uint8_t colour = onLine  ? uint8_t(c::Black)
                             : below ? figure.Get(kPanelWidth - 1 - x, kPanelHeight - 1 - y)
                                     : figure.Get(x, y);
            card.Set(kFrameLeft + 1 + x, kFrameTop + 1 + y, colour);
        }
    return card;
}

}  // namespace cards
