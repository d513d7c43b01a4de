// The real main window opened as the program opens it, for the tests that
// drive it with messages and read its pixels; and the small helpers they
// share (settings file, known hands, bitmap pixels, input).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/deck.h"
#include "engine/round.h"
#include "presentation/win32/sound.h"
#include "presentation/win32/table.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"
#include "shell/win32/status_line.h"
#include "tests/win32/harness.h"

// Writes "quorvel.ini" beside the test program with these lines under
// [Settings]; the window reads it while it opens.
inline std::string WriteSettingsFile(const std::string& lines) {
    std::string path = FreshSettingsFile();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        std::fputs("[Settings]\r\n", file);
        std::fputs(lines.c_str(), file);
        std::fclose(file);
    }
    return path;
}

// A card laid on a slot as the deal would lay it, so that a test knows the
// hand the engine will see.
inline void PutCard(int slot, Card card) {
    gSlots[slot].card = card;
    lstrcpynA(gSlots[slot].name, gDeck[card].name, sizeof gSlots[slot].name);
    gDeck[card].dealt = 1;
}

inline void PutHand(const std::vector<Card>& cards) {
    for (int i = 0; i < kSlotCount; ++i) PutCard(i, cards[i]);
}

// Replaces what the draw just decided for every slot that is not held.
inline void PutUnheld(const std::vector<Card>& cards) {
    for (int i = 0; i < kSlotCount; ++i)
        if (!gSlots[i].held) PutCard(i, cards[i]);
}

// A pixel of a bitmap resource as the display would show it.
inline COLORREF BitmapPixel(const char* name, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
    HGDIOBJ old = SelectObject(memory, bitmap);
    COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

// All pixels of a window rectangle, row by row.
inline std::vector<COLORREF> WindowPixels(HWND window, const RECT& r) {
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

// Pixels of a client rectangle or of a bitmap resource, in COLORREF layout.
struct Shot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Shot& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

inline Shot ShotOfDc(HDC source, int left, int top, int width, int height) {
    Shot shot;
    shot.width = width;
    shot.height = height;
    shot.pixels = PixelsOfDc(source, left, top, width, height);
    return shot;
}

inline Shot ShotOfWindow(HWND window, const RECT& r) {
    HDC dc = GetDC(window);
    Shot shot = ShotOfDc(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    ReleaseDC(window, dc);
    return shot;
}

inline Shot ShotOfClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return ShotOfWindow(window, client);
}

inline Shot ShotOfBitmap(const char* name) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    Shot shot = ShotOfDc(memory, 0, 0, size.bmWidth, size.bmHeight);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// How many pixels of the card at `slot` in `table` (a shot of the whole
// client area) differ from the bitmap `name` with its twelve corner pixels
// in the table colour.
inline int CardDifferences(const Shot& table, int slot, const char* name, COLORREF felt) {
    static const POINT kCorners[] = {{0, 0},  {0, 1},  {1, 0},   {69, 0},  {70, 0}, {70, 1},
                                     {70, 94}, {70, 95}, {69, 95}, {1, 95}, {0, 95}, {0, 94}};
    Shot card = ShotOfBitmap(name);
    if (card.width != TableLayout::kCardWidth || card.height != TableLayout::kCardHeight)
        return -1;
    for (const POINT& p : kCorners) card.pixels[p.y * card.width + p.x] = felt;
    int bad = 0;
    for (int y = 0; y < card.height; ++y)
        for (int x = 0; x < card.width; ++x)
            bad += table.At(gSlots[slot].x + x, gSlots[slot].y + y) != card.At(x, y);
    return bad;
}

inline std::string BackName(int back) { return "Back" + std::to_string(back); }

// Like the program's own loop: every message of the thread goes through
// the accelerators first.
inline void PumpWithAccelerators(DWORD ms = 150) {
    DWORD start = GetTickCount();
    MSG msg;
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!TranslateAcceleratorA(gShell.mainWindow, gShell.accelerators, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    } while (GetTickCount() - start < ms);
}

inline void PressKey(BYTE key) {
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0);
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), KEYEVENTF_KEYUP, 0);
}

// A left click through the system's input, at a point of the window's
// client area.
inline void ClickAt(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

inline void ClickWindow(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

inline HWND HoldButton(int slot) { return static_cast<HWND>(gSlots[slot].button); }

class TableWindowTest : public ::testing::Test {
protected:
    // Fast deals, no exit question, no zoom: tests run quickly and only ask
    // for the boxes they want to see.
    virtual std::string SettingsLines() {
        return "FastDeal=1\r\nConfirmExit=0\r\nZoom=0\r\nSound=0\r\n";
    }

    void SetUp() override {
        settingsPath = WriteSettingsFile(SettingsLines());
        OpenTable();
    }

    // Opens the main window over whatever settings file lies beside the
    // program, as start-up does.
    void OpenTable() {
        ResetProgramState();
        FlashCount = 0;
        HeldSound = nullptr;
        static BOOL registered = DefineMainClass(GetModuleHandleA(nullptr));
        ASSERT_TRUE(registered);
        ASSERT_TRUE(OpenMainWindow(GetModuleHandleA(nullptr), SW_SHOW));
        window = gShell.mainWindow;
        SetForegroundWindow(window);
    }

    void TearDown() override { CloseTable(); }

    void CloseTable() {
        if (!IsWindow(window)) return;
        KillTimer(window, IDT_TABLE_TIMER);
        gRound.dealing = 0;
        gSettings.ConfirmExit = 0;
        SendMessageA(window, WM_CLOSE, 0, 0);
        if (IsWindow(window)) DestroyWindow(window);
        PumpMessages(30);   // takes the quit message off the queue
    }

    // Runs the New command that start-up posted.
    void StartGame() {
        PumpMessages(100);
        ASSERT_EQ(gStats.credits, 40);
    }

    void Command(int id) { SendMessageA(window, WM_COMMAND, id, 0); }

    bool WaitForDealEnd(DWORD timeoutMs = 5000) {
        return PumpUntil([] { return gRound.dealing == 0; }, timeoutMs);
    }

    std::string Caption(HWND control) { return WindowTextOf(control); }

    HWND window = nullptr;
    std::string settingsPath;
};
