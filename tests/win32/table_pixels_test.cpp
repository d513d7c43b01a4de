// What the table looks like, read back through a device context of the real
// main window: the furniture at its places, cards with round corners in the
// table colour, the badge ground recoloured, read-outs redrawn whole, the
// message line's flash, and the status line's pane edges.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/win32/dialogs.h"
#include "presentation/table_look.h"
#include "tests/engine/test_cards.h"
#include "tests/win32/table_fixture.h"

namespace {

using TableLayout::kCardHeight;
using TableLayout::kCardWidth;

const COLORREF kFelt = RGB(0, 96, 32);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kMarker = RGB(255, 0, 128);

RECT RectOf(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT Shrunk(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

int MiddleY(const RECT& r) { return (r.top + r.bottom) / 2; }

int CountColour(const Shot& shot, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += shot.At(x, y) == colour;
    return n;
}

// The rectangle's one-pixel outline is all of one colour.
bool OutlineIs(const Shot& shot, const RECT& r, COLORREF colour) {
    for (int x = r.left; x < r.right; ++x)
        if (shot.At(x, r.top) != colour || shot.At(x, r.bottom - 1) != colour) return false;
    for (int y = r.top; y < r.bottom; ++y)
        if (shot.At(r.left, y) != colour || shot.At(r.right - 1, y) != colour) return false;
    return true;
}

// The badge as it should stand on the felt: the area of the colour at (1, 1)
// connected to it (through edge neighbours) takes the table colour.
Shot ExpectedBadge(COLORREF felt) {
    Shot badge = ShotOfBitmap("Amount");
    const COLORREF ground = badge.At(1, 1);
    std::vector<POINT> todo = {{1, 1}};
    std::vector<char> seen(badge.pixels.size(), 0);
    while (!todo.empty()) {
        POINT p = todo.back();
        todo.pop_back();
        if (p.x < 0 || p.y < 0 || p.x >= badge.width || p.y >= badge.height) continue;
        size_t i = static_cast<size_t>(p.y) * badge.width + p.x;
        if (seen[i] || badge.pixels[i] != ground) continue;
        seen[i] = 1;
        badge.pixels[i] = felt;
        todo.push_back({p.x + 1, p.y});
        todo.push_back({p.x - 1, p.y});
        todo.push_back({p.x, p.y + 1});
        todo.push_back({p.x, p.y - 1});
    }
    return badge;
}

int BadgeDifferences(const Shot& table, int left, int top, const Shot& badge) {
    int bad = 0;
    for (int y = 0; y < badge.height; ++y)
        for (int x = 0; x < badge.width; ++x) bad += table.At(left + x, top + y) != badge.At(x, y);
    return bad;
}

RECT MessageRect() {
    RECT r;
    MessageLineRect(&r);
    return r;
}

class TablePixelsTest : public TableWindowTest {
protected:
    std::string SettingsLines() override {
        return "FastDeal=1\r\nConfirmExit=0\r\nZoom=0\r\nSound=0\r\nCardBack=3\r\n"
               "BackColorR=0\r\nBackColorG=96\r\nBackColorB=32\r\n";
    }

    void SetUp() override {
        TableWindowTest::SetUp();
        PumpMessages(150);
    }

    // Coins in and the first deal, up to the hold phase, then a known hand.
    void DealHand(const std::string& hand, int coins = 1) {
        for (int i = 0; i < coins; ++i) Command(IDM_COIN);
        Command(IDM_DEAL);
        ASSERT_TRUE(WaitForDealEnd());
        auto cards = HandOf(hand);
        PutHand(std::vector<Card>(cards.begin(), cards.end()));
        DrawAllCards();
    }

    // Stand on the hand shown: the round ends and is paid.
    void Stand() {
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (!gSlots[slot].held) Command(IDC_HOLD0 + slot);
        Command(IDM_DEAL);
        ASSERT_TRUE(WaitForDealEnd());
    }

    int CardsDifferingFrom(const Shot& table, const std::vector<std::string>& names,
                           COLORREF felt = kFelt) {
        int bad = 0;
        for (int slot = 0; slot < kSlotCount; ++slot)
            bad += CardDifferences(table, slot, names[slot].c_str(), felt);
        return bad;
    }

    std::vector<std::string> Faces() {
        std::vector<std::string> names;
        for (const TableSlot& slot : gSlots) names.push_back(slot.name);
        return names;
    }

    // One tick of timer 6, as the window receives it.
    void Tick() { SendMessageA(window, WM_TIMER, IDT_TABLE_TIMER, 0); }

    COLORREF MessageGround() {
        RECT line = MessageRect();
        return WindowPixel(window, line.left + 1, line.top + 1);
    }
};

TEST_F(TablePixelsTest, FurnitureReadoutsBadgesAndMessageLineStandAtTheirPlaces) {
    Shot table = ShotOfClient(window);
    const int w = table.width;
    const int h = table.height;
    ASSERT_EQ(w, TableLayout::kWindowWidth - 2 * GetSystemMetrics(SM_CXDLGFRAME));

    // The separator under the menu bar.
    for (int x = 0; x < w; ++x) ASSERT_EQ(table.At(x, 0), kBlack) << x;

    // The bump frame around the card row: its two lines of light and dark
    // at the grown rectangle, felt just outside and just inside.
    Shot edge;
    {
        HDC screen = GetDC(window);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, w, 200);
        HGDIOBJ old = SelectObject(memory, bitmap);
        HBRUSH felt = CreateSolidBrush(kFelt);
        RECT all = {0, 0, w, 200};
        FillRect(memory, &all, felt);
        DeleteObject(felt);
        RECT frame = RectOf(TableLayout::CardRowFrame());
        DrawEdge(memory, &frame, EDGE_BUMP, BF_RECT);
        edge = ShotOfDc(memory, 0, 0, w, 200);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, screen);
    }
    // Both lines of the bump, three pixels each side of the frame's edges.
    const RECT f = RectOf(TableLayout::CardRowFrame());
    for (int y = f.top - 2; y < f.bottom + 2; ++y) {
        for (int x : {f.left - 2, f.left - 1, f.left, f.left + 1, f.left + 2, f.left + 3,
                      f.right - 4, f.right - 3, f.right - 2, f.right - 1, f.right, f.right + 1})
            ASSERT_EQ(table.At(x, y), edge.At(x, y)) << x << "," << y;
    }
    for (int x = f.left + 1; x < f.right - 1; ++x) {
        for (int y : {f.top - 1, f.top, f.top + 1, f.top + 2, f.bottom - 3, f.bottom - 2,
                      f.bottom - 1, f.bottom})
            ASSERT_EQ(table.At(x, y), edge.At(x, y)) << x << "," << y;
    }
    EXPECT_NE(table.At(f.left, f.top), kFelt);
    EXPECT_NE(table.At(f.right - 1, f.bottom - 1), kFelt);
    EXPECT_EQ(table.At(f.left - 1, f.top), kFelt);
    EXPECT_EQ(table.At(f.left + 5, f.top + 5), kFelt);

    // The title box: outline, and the logo filling its inside exactly.
    const RECT title = RectOf(TableLayout::TitleBox());
    EXPECT_TRUE(OutlineIs(table, title, kBlack));
    Shot logo = ShotOfBitmap("Logo");
    ASSERT_EQ(logo.width, title.right - title.left - 2);
    ASSERT_EQ(logo.height, title.bottom - title.top - 2);
    int logoBad = 0;
    for (int y = 0; y < logo.height; ++y)
        for (int x = 0; x < logo.width; ++x)
            logoBad += table.At(title.left + 1 + x, title.top + 1 + y) != logo.At(x, y);
    EXPECT_EQ(logoBad, 0);
    EXPECT_EQ(table.At(title.left - 1, title.top), kFelt);
    EXPECT_EQ(table.At(title.left, title.top - 1), kFelt);
    EXPECT_EQ(table.At(title.right, title.bottom - 1), kFelt);

    // The two read-outs: outline, white ground, text in its own colour only.
    const RECT coins = RectOf(TableLayout::CoinsBox());
    const RECT credits = RectOf(TableLayout::CreditsBox());
    EXPECT_TRUE(OutlineIs(table, coins, kBlack));
    EXPECT_TRUE(OutlineIs(table, credits, kBlack));
    EXPECT_EQ(table.At(coins.left - 1, MiddleY(coins)), kFelt);
    EXPECT_EQ(table.At(credits.left - 1, MiddleY(credits)), kFelt);
    EXPECT_EQ(table.At(credits.right, MiddleY(credits)), kFelt);
    const RECT coinsInside = Shrunk(coins, 1);
    const RECT creditsInside = Shrunk(credits, 1);
    EXPECT_GT(CountColour(table, coinsInside, kCoinsTextColour), 20);
    EXPECT_GT(CountColour(table, creditsInside, kCreditsTextColour), 40);
    EXPECT_GT(CountColour(table, coinsInside, kReadoutGround), 2000);
    EXPECT_EQ(CountColour(table, coinsInside, kCreditsTextColour), 0);
    EXPECT_EQ(CountColour(table, creditsInside, kCoinsTextColour), 0);

    // Both badges, their ground in the felt, the artwork untouched.
    Shot badge = ExpectedBadge(kFelt);
    const LayoutRect left = TableLayout::Badge(0, w), right = TableLayout::Badge(1, w);
    ASSERT_EQ(badge.width, left.right - left.left);
    ASSERT_EQ(badge.height, left.bottom - left.top);
    EXPECT_EQ(BadgeDifferences(table, left.left, left.top, badge), 0);
    EXPECT_EQ(BadgeDifferences(table, right.left, right.top, badge), 0);
    EXPECT_EQ(badge.At(1, 1), kFelt);
    EXPECT_NE(ShotOfBitmap("Amount").At(1, 1), kFelt);

    // The message line: black, yellow text, 20 in from the sides and 10
    // above the status line.
    const int s = StatusLine.height;
    const RECT line = RectOf(TableLayout::MessageLine(w, h, s));
    RECT computed = MessageRect();
    EXPECT_TRUE(EqualRect(&line, &computed));
    EXPECT_EQ(line.left, w - line.right) << "as far in from both sides";
    EXPECT_TRUE(OutlineIs(table, line, kBlack));
    EXPECT_GT(CountColour(table, line, kYellow), 20);
    EXPECT_EQ(table.At(line.left - 1, MiddleY(line)), kFelt);
    EXPECT_EQ(table.At(line.right, MiddleY(line)), kFelt);
    EXPECT_EQ(table.At(100, line.top - 1), kFelt);
    EXPECT_EQ(table.At(100, line.bottom), kFelt);

    // The status line's box edges in border units, inside the main window.
    const int b = StatusLine.b;
    const int t = h - s;
    const int x1 = 9 * b + StatusLine.messageWidth;
    const int x2 = x1 + 9 * b + StatusLine.indicatorWidth;
    const int x3 = x2 + 9 * b + StatusLine.indicatorWidth;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(table.At(w / 2, t), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(table.At(w / 2, t + b), kWhite);
    EXPECT_EQ(table.At(w / 2, t + 2 * b), face);
    // A wide substitute for the status font can push the indicator panes
    // past the window's right edge; only what lies inside is looked at.
    std::printf("status line: b=%d S=%d M=%d K=%d\n", b, s, StatusLine.messageWidth,
                StatusLine.indicatorWidth);
    for (int left : {8 * b, x1 + 8 * b, x2 + 8 * b}) {
        if (left + 2 >= w) continue;
        EXPECT_EQ(table.At(left - 1, t + 6 * b), face) << left;
        EXPECT_EQ(table.At(left, t + 6 * b), shadow) << left;
        EXPECT_EQ(table.At(left + 2, t + 3 * b), shadow) << left;
        EXPECT_EQ(table.At(left + 2, h - 3 * b), kWhite) << left;
        EXPECT_EQ(table.At(left + 2, h - 2 * b), face) << left;
    }
    for (int right : {x1, x2, x3}) {
        if (right >= w) continue;
        EXPECT_EQ(table.At(right - b, t + 6 * b), kWhite) << right;
        EXPECT_EQ(table.At(right, t + 6 * b), face) << right;
    }
    EXPECT_EQ(table.At(w - 1, t + 6 * b), face);
}

TEST_F(TablePixelsTest, CardsShowBackOrFaceWithCornersInTheTableColour) {
    const std::vector<std::string> backs(5, "Back3");
    EXPECT_EQ(CardsDifferingFrom(ShotOfClient(window), backs), 0);

    DealHand("AH JK 7C QS TD");
    EXPECT_EQ(Faces(), (std::vector<std::string>{"Hearts1", "Joker", "Club7", "Spade12",
                                                 "Diamond10"}));
    EXPECT_EQ(CardsDifferingFrom(ShotOfClient(window), Faces()), 0);
    // Every card bitmap has white outside its rounded outline.
    EXPECT_EQ(BitmapPixel("Joker", 0, 0), kWhite);
    EXPECT_EQ(BitmapPixel("Back3", 70, 95), kWhite);
}

TEST_F(TablePixelsTest, NewCardBackRedrawsTheFaceDownCardsAtOnceAndNothingElse) {
    ModalAnswers answers;
    DealHand("AH 2H 3H 4H 5S");
    // The draw turns a replaced card face down before it deals a new one.
    gSlots[2].card = kNoCard;
    DrawCard(2);

    // Only a switch changed: the cards are not drawn again.
    HDC dc = GetDC(window);
    HBRUSH marker = CreateSolidBrush(kMarker);
    RECT card0 = {gSlots[0].x, gSlots[0].y, gSlots[0].x + kCardWidth, gSlots[0].y + kCardHeight};
    FillRect(dc, &card0, marker);
    answers.Then([](HWND dialog) {
        CheckDlgButton(dialog, IDC_OPT_SOUND, BST_CHECKED);
        return IDOK;
    });
    Command(IDM_OPTIONS);
    EXPECT_EQ(gSettings.Sound, 1);
    EXPECT_EQ(WindowPixel(window, card0.left + 30, card0.top + 40), kMarker);

    // One design on: the face-down card shows it at once, the faces stay.
    FillRect(dc, &card0, marker);
    DeleteObject(marker);
    ReleaseDC(window, dc);
    answers.Then([](HWND dialog) {
        SendMessageA(dialog, WM_HSCROLL, TB_LINEDOWN,
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BACK_SLIDER)));
        return IDOK;
    });
    Command(IDM_OPTIONS);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(gSettings.CardBack, 4);
    Shot table = ShotOfClient(window);
    EXPECT_EQ(CardDifferences(table, 2, "Back4", kFelt), 0);
    EXPECT_EQ(CardDifferences(table, 0, "Hearts1", kFelt), 0);
    EXPECT_EQ(CardDifferences(table, 4, "Spade5", kFelt), 0);
}

TEST_F(TablePixelsTest, NewTableColourReachesCornersBadgesAndFelt) {
    DealHand("KC KD 2S 9H 4C");
    const COLORREF maroon = RGB(128, 0, 0);
    gSettings.BackColor = maroon;
    ApplyTableColor();
    PumpMessages(150);
    Shot table = ShotOfClient(window);
    EXPECT_EQ(table.At(20, 250), maroon);
    EXPECT_EQ(table.At(240, 160), maroon);
    EXPECT_EQ(CardsDifferingFrom(table, Faces(), maroon), 0);
    Shot badge = ExpectedBadge(maroon);
    for (int i : {0, 1}) {
        const LayoutRect place = TableLayout::Badge(i, table.width);
        EXPECT_EQ(BadgeDifferences(table, place.left, place.top, badge), 0) << i;
    }
    // The artwork keeps its colours: only the ground moved.
    Shot original = ExpectedBadge(kFelt);
    int changed = 0;
    for (size_t i = 0; i < badge.pixels.size(); ++i) changed += badge.pixels[i] != original.pixels[i];
    EXPECT_EQ(changed, CountColour(original, {0, 0, original.width, original.height}, kFelt));
}

TEST_F(TablePixelsTest, ReadoutsAreRedrawnWholeSoAShorterNumberLeavesNoRemains) {
    const RECT coins = RectOf(TableLayout::CoinsBox());
    const RECT credits = RectOf(TableLayout::CreditsBox());
    gStats.credits = 88888;
    gRound.coinsIn = 888;
    DrawReadouts();
    Shot wide = ShotOfWindow(window, credits);
    gStats.credits = 1;
    gRound.coinsIn = 1;
    DrawReadouts();
    Shot afterShort = ShotOfWindow(window, credits);
    Shot coinsAfterShort = ShotOfWindow(window, coins);
    EXPECT_FALSE(afterShort == wide);

    // The same numbers drawn on a freshly erased window.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_TRUE(ShotOfWindow(window, credits) == afterShort);
    EXPECT_TRUE(ShotOfWindow(window, coins) == coinsAfterShort);
}

// A title bar taller than this Wine's (Wine 10 draws one of 26 pixels)
// leaves the table shorter, and the message line reaches into the credits
// box: the picture must not depend on which of them was drawn last.
TEST_F(TablePixelsTest, UnderATallTitleBarTheMessageLineStaysOnTopOfTheCredits) {
    RECT client;
    GetClientRect(window, &client);
    RECT outer;
    GetWindowRect(window, &outer);
    const int shorter = client.bottom - StatusLine.height - 40 - 329;   // line top at 329
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top - shorter, SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(window, nullptr, TRUE);
    PumpMessages(100);
    RECT line = MessageRect();
    ASSERT_EQ(line.top, 329);
    const RECT around = {line.left, 295, line.right, line.bottom};

    DrawReadouts();
    Shot afterMeters = ShotOfWindow(window, around);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_TRUE(ShotOfWindow(window, around) == afterMeters);
    RECT inShot = line;
    OffsetRect(&inShot, -around.left, -around.top);
    EXPECT_TRUE(OutlineIs(afterMeters, inShot, kBlack));
}

TEST_F(TablePixelsTest, FlashIsSixInversionsAndEndsPlain) {
    DealHand("9S 9D 9H 2C 5D");
    Stand();
    ASSERT_EQ(FlashCount, 6);
    KillTimer(window, IDT_TABLE_TIMER);     // the ticks come from the test now
    RECT line = MessageRect();
    Shot plain = ShotOfWindow(window, line);
    ASSERT_EQ(plain.At(1, 1), kBlack);
    ASSERT_GT(CountColour(plain, {0, 0, plain.width, plain.height}, kYellow), 20);
    // Inverted: black becomes white and yellow becomes blue.
    Shot inverted = plain;
    for (COLORREF& c : inverted.pixels) c = RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
    EXPECT_GT(CountColour(inverted, {0, 0, plain.width, plain.height}, kBlue), 20);

    for (int tick = 1; tick <= 5; ++tick) {
        Tick();
        EXPECT_EQ(FlashCount, 6 - tick);
        EXPECT_TRUE(ShotOfWindow(window, line) == (tick % 2 ? inverted : plain)) << tick;
    }
    // A paint in between draws the line plain; the next tick inverts it.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_TRUE(ShotOfWindow(window, line) == plain);
    Tick();
    EXPECT_EQ(FlashCount, 0);
    EXPECT_TRUE(ShotOfWindow(window, line) == plain);
    EXPECT_FALSE(KillTimer(window, IDT_TABLE_TIMER));   // the sixth tick killed it
    Tick();                                             // a stray tick does nothing
    EXPECT_TRUE(ShotOfWindow(window, line) == plain);
}

TEST_F(TablePixelsTest, FlashRunsOnTimerSixEverySixHundredMilliseconds) {
    DealHand("9S 9D 9H 2C 5D");
    Stand();
    ASSERT_EQ(FlashCount, 6);
    std::vector<DWORD> changes;
    COLORREF last = MessageGround();
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 4600) {
        PumpMessages(10);
        COLORREF now = MessageGround();
        if (now != last) changes.push_back(GetTickCount() - start);
        last = now;
    }
    // Six inversions, then the line drawn plain: no change after the sixth.
    ASSERT_EQ(changes.size(), 6u);
    EXPECT_EQ(last, kBlack);
    EXPECT_EQ(FlashCount, 0);
    for (size_t i = 1; i < changes.size(); ++i) {
        DWORD gap = changes[i] - changes[i - 1];
        EXPECT_GE(gap, 500u) << i;
        EXPECT_LE(gap, 1200u) << i;  // a loaded machine may be late, never early
    }

    // A coin during a flash ends it and shows its message plainly.
    Command(IDM_COIN);
    Command(IDM_DEAL);
    ASSERT_TRUE(WaitForDealEnd());
    auto cards = HandOf("9S 9D 9H 2C 5D");
    PutHand(std::vector<Card>(cards.begin(), cards.end()));
    Stand();
    PumpMessages(700);
    ASSERT_GT(FlashCount, 0);
    Command(IDM_COIN);
    EXPECT_EQ(FlashCount, 0);
    EXPECT_STREQ(MessageText, "Add coins or press deal.");
    EXPECT_EQ(MessageGround(), kBlack);
    PumpMessages(1300);
    EXPECT_EQ(MessageGround(), kBlack);
}

TEST_F(TablePixelsTest, APartialRepaintStillRedrawsEveryCardAndTheMessageLine) {
    DealHand("2D 3D 4D 5D 6D");
    const Shot before = ShotOfClient(window);
    HDC dc = GetDC(window);
    HBRUSH marker = CreateSolidBrush(kMarker);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RECT card = {gSlots[slot].x, gSlots[slot].y, gSlots[slot].x + kCardWidth,
                     gSlots[slot].y + kCardHeight};
        FillRect(dc, &card, marker);
    }
    RECT line = MessageRect();
    FillRect(dc, &line, marker);
    DeleteObject(marker);
    ReleaseDC(window, dc);

    RECT strip = {0, 250, 8, 260};      // nowhere near the cards or the line
    InvalidateRect(window, &strip, TRUE);
    UpdateWindow(window);
    Shot after = ShotOfClient(window);
    EXPECT_EQ(CardsDifferingFrom(after, Faces()), 0);
    EXPECT_EQ(CountColour(after, line, kMarker), 0);
    EXPECT_TRUE(after == before);
}

}  // namespace
