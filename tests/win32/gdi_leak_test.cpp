// Every drawing operation deletes what it made.  The process's GDI handle
// table holds about 65,000 objects, so more operations than that, each
// leaking one object, would leave the table unable to load a card or to
// create a bitmap: the test drives more than that and then checks that the
// table still draws the right pixels and that new objects can be made.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/win32/status_line.h"
#include "tests/engine/test_cards.h"
#include "tests/win32/table_fixture.h"

namespace {

const COLORREF kFelt = RGB(0, 96, 32);

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class GdiLeakTest : public TableWindowTest {
protected:
    std::string SettingsLines() override {
        return "FastDeal=1\r\nConfirmExit=0\r\nZoom=0\r\nSound=1\r\nWildCards=0\r\n"
               "BackColorR=0\r\nBackColorG=96\r\nBackColorB=32\r\n";
    }

    // The deal's ticks sent straight to the window, so that hundreds of
    // games take seconds; the real timer is stopped each time.
    void RunTicks() {
        while (gRound.dealing) {
            KillTimer(window, IDT_TABLE_TIMER);
            SendMessageA(window, WM_TIMER, IDT_TABLE_TIMER, 0);
        }
    }

    void PlayGame(int game) {
        if (gStats.credits < 10) gStats.credits = 1000;
        StopMessageFlash();
        for (int coin = 0; coin <= game % 5; ++coin) Command(IDM_COIN);
        Command(IDM_DEAL);
        RunTicks();
        for (int slot = 0; slot < kSlotCount; ++slot)
            if ((game >> slot) & 1) Command(IDC_HOLD0 + slot);
        Command(IDM_DEAL);
        RunTicks();
        // A winning hand flashes: a few ticks of that too.
        for (int tick = 0; tick < 3 && FlashCount; ++tick)
            SendMessageA(window, WM_TIMER, IDT_TABLE_TIMER, 0);
        PumpMessages(0);
    }
};

TEST_F(GdiLeakTest, MoreDrawingThanTheHandleTableHoldsLeavesItWorking) {
    PumpMessages(150);
    gStats.credits = 1000;
    Command(IDM_COIN);
    Command(IDM_DEAL);
    RunTicks();
    auto hand = HandOf("AS JK 7D QH TC");
    PutHand(std::vector<Card>(hand.begin(), hand.end()));

    // 70,000 cards, faces and backs in turn.
    double start = NowMs();
    const int kCards = 70000;
    for (int i = 0; i < kCards; ++i) {
        int slot = i % kSlotCount;
        if (slot == 0 && (i / kSlotCount) % 2) gSlots[2].card = gSlots[2].card == kNoCard ? hand[2] : kNoCard;
        DrawCard(slot);
    }
    double cardMs = (NowMs() - start) / kCards;

    // Full repaints: table, badges, read-outs, status line, cards, message.
    start = NowMs();
    const int kRepaints = 3000;
    for (int i = 0; i < kRepaints; ++i) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
    double repaintMs = (NowMs() - start) / kRepaints;

    start = NowMs();
    const int kLines = 20000;
    for (int i = 0; i < kLines; ++i) {
        gStats.credits = 1000 + i;
        DrawReadouts();
        DrawMessageLine();
    }
    double lineMs = (NowMs() - start) / kLines;

    // Flash ticks, status-line texts and the hand cursor.
    for (int i = 0; i < 10000; ++i) {
        FlashCount = 2;
        FlashMessageLine();
        ShowStatusText(window, CardName(i % kDeckSize));
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT);
    }
    FlashCount = 0;
    gSlots[2].card = hand[2];

    // Whole games through the window's commands, sounds included.
    start = NowMs();
    const int kGames = 400;
    for (int game = 0; game < kGames; ++game) PlayGame(game);
    double gameMs = (NowMs() - start) / kGames;
    EXPECT_GE(gStats.gamesPlayed, kGames);

    std::printf("DrawCard %.3f ms, full repaint %.3f ms, read-outs and message line %.3f ms, "
                "whole game %.2f ms\n",
                cardMs, repaintMs, lineMs, gameMs);

    // The table still draws right...
    StopMessageFlash();
    PutHand(std::vector<Card>(hand.begin(), hand.end()));
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    Shot table = ShotOfClient(window);
    const char* names[] = {"Spade1", "Joker", "Diamond7", "Hearts12", "Club10"};
    for (int slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(CardDifferences(table, slot, names[slot], kFelt), 0) << slot;
    EXPECT_EQ(table.At(20, 250), kFelt);

    // ...and new objects can still be made.
    HDC dc = GetDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 64);
    HBRUSH brush = CreateSolidBrush(kFelt);
    HFONT font = CreateAppFont("Arial", 12, TRUE, FALSE);
    EXPECT_NE(bitmap, nullptr);
    EXPECT_NE(brush, nullptr);
    EXPECT_NE(font, nullptr);
    DeleteObject(bitmap);
    DeleteObject(brush);
    DeleteObject(font);
    ReleaseDC(window, dc);
}

}  // namespace
