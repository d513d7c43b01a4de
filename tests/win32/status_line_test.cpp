// The status line in a plain window of its own: every edge and fill at its
// place in border units, the pane texts, the menu help rules, the lock
// indicators with their key latch, and what a size change invalidates.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/win32/app_shell.h"
#include "shell/win32/status_line.h"
#include "tests/win32/harness.h"

namespace {

const COLORREF kTableColour = RGB(0, 96, 32);
const COLORREF kMarker = RGB(255, 0, 128);
const char kClassName[] = "StatusLineTestWindow";

bool gForwardSize = true;
int gErases = 0;

// What the main window does for the status line, and nothing else.
LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintStatusLine(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        ++gErases;
        break;
    case WM_MENUSELECT:
        StatusLineMenuSelect(window, wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        StatusLineKeyDown(window, wParam);
        return 0;
    case WM_KEYUP:
        StatusLineKeyUp();
        return 0;
    case WM_SETFOCUS:
        RefreshCapsPane(window);
        RefreshNumPane(window);
        return 0;
    case WM_GETMINMAXINFO:
        StatusLineGetMinMaxInfo(window);
        break;
    case WM_SIZE: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        if (gForwardSize) StatusLineSize(window);
        return result;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The client area as pixels (COLORREF layout).
struct Shot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Shot CaptureClient(HWND window) {
    Shot shot;
    RECT client;
    GetClientRect(window, &client);
    shot.width = client.right;
    shot.height = client.bottom;
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
    for (size_t i = 0; i < shot.pixels.size(); ++i) {
        DWORD p = source[i];
        shot.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return shot;
}

// The status line as it ought to look, worked out box by box: each sunken
// box has a shadowed top and left edge and a lit bottom and right edge.
struct Geometry {
    int b, w, h, t, s;
    int x1, x2, x3;
    COLORREF face, shadow, light, dark;

    struct Box {
        int left, right;
    };
    Box boxes[3];

    RECT TextRect(int pane) const {
        return {boxes[pane].left + b, t + 4 * b, boxes[pane].right - b, h - 3 * b};
    }

    COLORREF Expected(int x, int y) const {
        if (y < t + b) return dark;
        if (y < t + 2 * b) return light;
        if (y < t + 3 * b || y >= h - 2 * b) return face;
        for (const Box& box : boxes) {
            if (x < box.left || x >= box.right) continue;
            if (x >= box.right - b || y >= h - 3 * b) return light;
            if (x < box.left + b || y < t + 4 * b) return shadow;
            return face;    // the pane's inside, with no text in it
        }
        return face;
    }
};

Geometry GeometryOf(HWND window) {
    Geometry g;
    RECT client;
    GetClientRect(window, &client);
    g.b = StatusLine.b;
    g.w = client.right;
    g.h = client.bottom;
    g.s = StatusLine.height;
    g.t = g.h - g.s;
    // The message box narrows only when all three would not fit, so that the
    // NUM box ends eight units inside the window.
    const int room = g.w - 35 * g.b - 2 * StatusLine.indicatorWidth;
    g.x1 = 9 * g.b + std::min(StatusLine.messageWidth, room);
    g.x2 = g.x1 + 9 * g.b + StatusLine.indicatorWidth;
    g.x3 = g.x2 + 9 * g.b + StatusLine.indicatorWidth;
    g.boxes[0] = {8 * g.b, g.x1};
    g.boxes[1] = {g.x1 + 8 * g.b, g.x2};
    g.boxes[2] = {g.x2 + 8 * g.b, g.x3};
    g.face = GetSysColor(COLOR_BTNFACE);
    g.shadow = GetSysColor(COLOR_BTNSHADOW);
    DWORD version = GetVersion();
    bool white = LOWORD(version) >= 3 && HIWORD(version) < 10;
    g.light = white ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNHIGHLIGHT);
    g.dark = GetSysColor(COLOR_WINDOWTEXT);
    return g;
}

bool Inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Pixels of the status strip that differ from the plain picture, leaving
// out the given text rectangles; at most a few are described.
std::vector<std::string> Mismatches(const Shot& shot, const Geometry& g,
                                    const std::vector<RECT>& skip = {}) {
    std::vector<std::string> found;
    for (int y = g.t; y < g.h; ++y) {
        for (int x = 0; x < g.w; ++x) {
            bool skipped = false;
            for (const RECT& r : skip) skipped = skipped || Inside(r, x, y);
            if (skipped) continue;
            COLORREF want = g.Expected(x, y);
            COLORREF got = shot.At(x, y);
            if (got != want && found.size() < 8) {
                char line[96];
                wsprintfA(line, "(%d,%d) is %06lX, expected %06lX", x, y,
                          static_cast<unsigned long>(got), static_cast<unsigned long>(want));
                found.push_back(line);
            }
        }
    }
    return found;
}

int InkIn(const Shot& shot, const RECT& r, COLORREF background) {
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) ink += shot.At(x, y) != background;
    return ink;
}

int CountOf(const Shot& shot, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += shot.At(x, y) == colour;
    return n;
}

void SetLock(int key, bool on) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = static_cast<BYTE>((keys[key] & 0x80) | (on ? 1 : 0));
    SetKeyboardState(keys);
}

bool LockOn(int key) { return (GetKeyState(key) & 1) != 0; }

void FillMarker(HWND window, const RECT& r) {
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(kMarker);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

void Repaint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

class StatusLineTest : public testing::Test {
protected:
    static HWND window;
    static StatusLineState measured;    // as InitStatusLine left it
    // The game's client width.  The widths measured from this machine's
    // font may not let all three boxes fit in it, so most cases paint with
    // narrower boxes: the geometry follows whatever widths the record holds.
    static constexpr int clientWidth = 484;
    static constexpr int kClientHeight = 200;
    static constexpr int kNarrowMessage = 300;
    static constexpr int kNarrowIndicator = 40;

    static void SetUpTestSuite() {
        gShell.instance = GetModuleHandleA(nullptr);
        InitStatusLine();
        measured = StatusLine;
        StatusLine.messageWidth = kNarrowMessage;
        StatusLine.indicatorWidth = kNarrowIndicator;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = gShell.instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = CreateSolidBrush(kTableColour);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT outer = {0, 0, clientWidth, kClientHeight};
        AdjustWindowRect(&outer, style, FALSE);
        window = CreateWindowExA(0, kClassName, "Status line test", style, 40, 40,
                                 outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                 nullptr, gShell.instance, nullptr);
        SetLock(VK_CAPITAL, false);
        SetLock(VK_NUMLOCK, false);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        PumpMessages(150);
    }

    static void TearDownTestSuite() {
        HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
        DestroyWindow(window);
        UnregisterClassA(kClassName, gShell.instance);
        DeleteObject(brush);
    }

    void SetUp() override {
        SetLock(VK_CAPITAL, false);
        SetLock(VK_NUMLOCK, false);
        StatusLine.capsShown = FALSE;
        StatusLine.numShown = FALSE;
        StatusLine.keyLatch = FALSE;
        gForwardSize = true;
    }

    static std::string Text() { return StatusLine.text; }

    static void Select(int item, UINT flags, HMENU menu) {
        SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(item, flags),
                     reinterpret_cast<LPARAM>(menu));
    }

    static void CloseMenu() { Select(0, 0xFFFF, nullptr); }

    // Notes the old rectangle first, as a sizing window is asked for its
    // limits before it changes.
    static void ResizeClient(int height) {
        StatusLineGetMinMaxInfo(window);
        RECT outer = {0, 0, clientWidth, height};
        AdjustWindowRect(&outer, GetWindowLongA(window, GWL_STYLE), FALSE);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

HWND StatusLineTest::window = nullptr;
StatusLineState StatusLineTest::measured;

TEST_F(StatusLineTest, MeasuresTheHelvFontAndStartsWithTheTitleText) {
    const int b = GetSystemMetrics(SM_CYBORDER);
    ASSERT_GE(b, 1);
    EXPECT_EQ(measured.b, b);
    EXPECT_EQ(measured.b2, 2 * b);
    EXPECT_EQ(measured.b3, 3 * b);
    EXPECT_EQ(measured.b8, 8 * b);
    EXPECT_EQ(measured.b9, 9 * b);

    LOGFONTA font = {};
    ASSERT_EQ(GetObjectA(StatusLine.StatusFont, sizeof font, &font),
              static_cast<int>(sizeof font));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72));
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfItalic | font.lfUnderline | font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_STREQ(font.lfFaceName, "Helv");

    HGDIOBJ old = SelectObject(screen, StatusLine.StatusFont);
    TEXTMETRICA tm;
    GetTextMetricsA(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(measured.height, 7 * b + tm.tmHeight + tm.tmExternalLeading);
    EXPECT_EQ(measured.messageWidth, 34 * tm.tmMaxCharWidth);
    EXPECT_EQ(measured.indicatorWidth, 3 * tm.tmMaxCharWidth);

    char title[256] = "";
    ASSERT_GT(LoadStringA(gShell.instance, 2000, title, sizeof title), 0);
    EXPECT_EQ(Text(), title);

    // The first paint shows that text in the message pane.
    Geometry g = GeometryOf(window);
    Shot shot = CaptureClient(window);
    EXPECT_GT(InkIn(shot, g.TextRect(0), g.face), 0);
}

TEST_F(StatusLineTest, PaintsEveryEdgeAndFillAtItsPlace) {
    ShowStatusText(window, "");
    Repaint(window);
    Geometry g = GeometryOf(window);
    ASSERT_NE(g.face, g.shadow);
    ASSERT_NE(g.face, g.light);
    ASSERT_NE(g.shadow, g.light);
    ASSERT_GT(g.w, g.x3);
    ASSERT_EQ(g.s, StatusLine.height);

    Shot shot = CaptureClient(window);
    EXPECT_EQ(Mismatches(shot, g), std::vector<std::string>());
    // The table above the line is left alone.
    for (int x = 0; x < g.w; x += 7) ASSERT_EQ(shot.At(x, g.t - 1), kTableColour) << x;

    // The corners by hand, read as the player's screen shows them.
    const int b = g.b;
    EXPECT_EQ(WindowPixel(window, 0, g.t), g.dark);
    EXPECT_EQ(WindowPixel(window, 8 * b, g.t + 3 * b), g.shadow);         // top left
    EXPECT_EQ(WindowPixel(window, g.x1 - b, g.t + 3 * b), g.light);        // top right
    EXPECT_EQ(WindowPixel(window, 8 * b, g.h - 3 * b), g.light);           // bottom left
    EXPECT_EQ(WindowPixel(window, g.x2 + 8 * b, g.t + 5 * b), g.shadow);   // NUM left edge
    EXPECT_EQ(WindowPixel(window, g.x3, g.t + 5 * b), g.face);
}

TEST_F(StatusLineTest, MeasuredBoxesRunAsFarAsTheWindowReaches) {
    StatusLine.messageWidth = measured.messageWidth;
    StatusLine.indicatorWidth = measured.indicatorWidth;
    ShowStatusText(window, "");
    Repaint(window);
    Geometry g = GeometryOf(window);
    EXPECT_EQ(Mismatches(CaptureClient(window), g), std::vector<std::string>());
    EXPECT_LE(g.x3, g.w - 8 * g.b);     // both indicators inside the window
    if (9 * g.b + measured.messageWidth > g.x1) {
        EXPECT_EQ(g.x3, g.w - 8 * g.b);
    }

    // The widest font that still fits keeps the full message box.
    StatusLine.messageWidth = g.w - 35 * g.b - 2 * StatusLine.indicatorWidth;
    Repaint(window);
    g = GeometryOf(window);
    EXPECT_EQ(g.x1, 9 * g.b + StatusLine.messageWidth);
    EXPECT_EQ(Mismatches(CaptureClient(window), g), std::vector<std::string>());
    StatusLine.messageWidth = kNarrowMessage;
    StatusLine.indicatorWidth = kNarrowIndicator;
    Repaint(window);
}

TEST_F(StatusLineTest, WiderBorderUnitsWidenEveryLineAndGap) {
    const StatusLineState saved = StatusLine;
    StatusLine.b = 2;
    StatusLine.b2 = 4;
    StatusLine.b3 = 6;
    StatusLine.b8 = 16;
    StatusLine.b9 = 18;
    StatusLine.height = saved.height - 7 * saved.b + 14;
    ShowStatusText(window, "");
    Repaint(window);
    Geometry g = GeometryOf(window);
    ASSERT_GT(g.w, g.x3);
    Shot shot = CaptureClient(window);
    EXPECT_EQ(Mismatches(shot, g), std::vector<std::string>());
    EXPECT_EQ(shot.At(17, g.t + 10), g.shadow);     // left edge two wide
    EXPECT_EQ(shot.At(18, g.t + 10), g.face);
    EXPECT_EQ(shot.At(g.x1 - 2, g.t + 10), g.light);

    // A pane painted on its own keeps to the same places.
    SetLock(VK_CAPITAL, true);
    RefreshCapsPane(window);
    shot = CaptureClient(window);
    EXPECT_EQ(Mismatches(shot, g, {g.TextRect(1)}), std::vector<std::string>());
    EXPECT_GT(InkIn(shot, g.TextRect(1), g.face), 0);
    SetLock(VK_CAPITAL, false);
    StatusLine = saved;
    Repaint(window);
}

TEST_F(StatusLineTest, TextIsDrawnInsideItsPaneAndWipedByTheNext) {
    Geometry g = GeometryOf(window);
    const RECT message = g.TextRect(0);

    ShowStatusText(window, "Sound is on.");
    EXPECT_EQ(Text(), "Sound is on.");
    Shot shot = CaptureClient(window);
    EXPECT_GT(InkIn(shot, message, g.face), 0);
    EXPECT_EQ(Mismatches(shot, g, {message}), std::vector<std::string>());
    // Text begins two units inside the pane.
    RECT lead = {message.left, message.top, message.left + 2 * g.b, message.bottom};
    EXPECT_EQ(InkIn(shot, lead, g.face), 0);

    // A text far wider than the pane is cut at the pane's edge.
    std::string wide(300, 'W');
    ShowStatusText(window, wide.c_str());
    EXPECT_EQ(Text().size(), 255u);
    shot = CaptureClient(window);
    EXPECT_EQ(Mismatches(shot, g, {message}), std::vector<std::string>());
    RECT tail = {message.right - 20, message.top, message.right, message.bottom};
    EXPECT_GT(InkIn(shot, tail, g.face), 0);

    ShowStatusText(window, "");
    shot = CaptureClient(window);
    EXPECT_EQ(Mismatches(shot, g), std::vector<std::string>());

    // A full repaint draws the current text again.
    ShowStatusText(window, "Queen of Hearts");
    FillMarker(window, message);
    Repaint(window);
    shot = CaptureClient(window);
    EXPECT_GT(InkIn(shot, message, g.face), 0);
    EXPECT_EQ(CountOf(shot, message, kMarker), 0);
}

TEST_F(StatusLineTest, MenuHelpFollowsTheHighlight) {
    HMENU bar = CreateMenu();
    HMENU system = GetSystemMenu(window, FALSE);
    const UINT item = MF_HILITE | MF_MOUSESELECT;

    CloseMenu();
    EXPECT_EQ(Text(), "");
    Select(0, MF_POPUP | item, bar);    // the first popup title opened
    EXPECT_EQ(Text(), "");
    const std::string newHelp = StringTableText(IDM_NEW);
    ASSERT_FALSE(newHelp.empty());
    Select(IDM_NEW, item, bar);
    EXPECT_EQ(Text(), newHelp);
    Select(2, MF_POPUP | item, bar);    // on to another popup title
    EXPECT_EQ(Text(), newHelp);
    Select(IDM_COIN, item, bar);
    EXPECT_EQ(Text(), StringTableText(IDM_COIN));
    EXPECT_NE(Text(), newHelp);
    Select(0, MF_SEPARATOR | item, bar);
    EXPECT_EQ(Text(), "");
    Select(1, MF_POPUP | item, bar);    // a separator's help is no help
    EXPECT_EQ(Text(), "");

    Select(IDM_FASTDEAL, item, bar);
    EXPECT_EQ(Text(), StringTableText(IDM_FASTDEAL));
    Geometry g = GeometryOf(window);
    Shot shot = CaptureClient(window);
    EXPECT_GT(InkIn(shot, g.TextRect(0), g.face), 0);

    // Closing the menu empties the pane, and the next popup starts afresh.
    CloseMenu();
    EXPECT_EQ(Text(), "");
    shot = CaptureClient(window);
    EXPECT_EQ(InkIn(shot, g.TextRect(0), g.face), 0);
    Select(0, MF_POPUP | item, bar);
    EXPECT_EQ(Text(), "");

    // The system menu: its entries have help, its own title has none.
    Select(SC_MOVE, MF_SYSMENU | item, system);
    EXPECT_EQ(Text(), StringTableText(SC_MOVE));
    EXPECT_FALSE(Text().empty());
    Select(0, MF_SYSMENU | MF_POPUP | item, system);
    EXPECT_EQ(Text(), "");
    Select(1, MF_POPUP | item, bar);
    EXPECT_EQ(Text(), "");
    const std::string closeHelp = StringTableText(SC_CLOSE);
    Select(SC_CLOSE, MF_SYSMENU | item, system);
    EXPECT_EQ(Text(), closeHelp);
    EXPECT_FALSE(closeHelp.empty());
    Select(3, MF_POPUP | item, bar);
    EXPECT_EQ(Text(), closeHelp);
    CloseMenu();
    EXPECT_EQ(StatusLine.lastHelpId, 0);

    DestroyMenu(bar);
}

// The commands of a menu and its popups.
void CollectCommands(HMENU menu, std::vector<UINT>* ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectCommands(sub, ids);
        } else if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) {
            ids->push_back(GetMenuItemID(menu, i));
        }
    }
}

TEST_F(StatusLineTest, EveryMenuCommandHasItsHelpText) {
    HMENU program = LoadMenuA(gShell.instance, "QuorvelMenu");
    ASSERT_NE(program, nullptr);
    std::vector<UINT> commands;
    CollectCommands(program, &commands);
    DestroyMenu(program);
    ASSERT_GT(commands.size(), 10u);
    // The standard system menu's commands (Wine adds one of its own).
    HMENU system = GetSystemMenu(window, FALSE);
    const UINT systemCommands[] = {SC_RESTORE, SC_MOVE,  SC_SIZE,    SC_MINIMIZE,
                                   SC_MAXIMIZE, SC_CLOSE, SC_TASKLIST};
    HMENU bar = CreateMenu();
    for (UINT id : commands) {
        Select(id, MF_HILITE, bar);
        EXPECT_FALSE(Text().empty()) << id;
        EXPECT_EQ(Text(), StringTableText(id)) << id;
    }
    for (UINT id : systemCommands) {
        Select(id, MF_HILITE | MF_SYSMENU, system);
        EXPECT_FALSE(Text().empty()) << id;
        EXPECT_EQ(Text(), StringTableText(id)) << id;
    }
    DestroyMenu(bar);
    // What has no text shows none.
    for (int id : {0, IDS_SYSMENU_POPUP, IDM_BANK + 1, IDM_FASTDEAL + 1}) {
        ShowMenuHelp(window, id);
        EXPECT_EQ(Text(), "") << id;
    }
    CloseMenu();
}

// Every card's name, as the pointer over it shows it, is told apart from
// the others and fits the message pane of the measured font.
TEST_F(StatusLineTest, NamesEveryCard) {
    std::set<std::string> names;
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, StatusLine.StatusFont);
    for (int c = 0; c <= kJoker; ++c) {
        const std::string name = CardName(static_cast<Card>(c));
        EXPECT_FALSE(name.empty()) << c;
        EXPECT_TRUE(names.insert(name).second) << name;
        SIZE extent = {};
        GetTextExtentPoint32A(screen, name.c_str(), static_cast<int>(name.size()), &extent);
        EXPECT_LE(extent.cx, measured.messageWidth - 3 * measured.b) << name;
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_STREQ(CardName(kNoCard), "");
    ShowStatusText(window, CardName(kJoker));
    EXPECT_EQ(Text(), CardName(kJoker));
    ShowStatusText(window, "");
}

// One lock indicator, for the table-driven cases below.
struct Indicator {
    int key;
    void (*refresh)(HWND);
    BOOL* shown;
    int pane;
};

const Indicator kIndicators[] = {
    {VK_CAPITAL, RefreshCapsPane, &StatusLine.capsShown, 1},
    {VK_NUMLOCK, RefreshNumPane, &StatusLine.numShown, 2},
};

TEST_F(StatusLineTest, IndicatorsRepaintOnlyWhenTheLockChanges) {
    Geometry g = GeometryOf(window);
    for (const Indicator& ind : kIndicators) {
        SCOPED_TRACE(ind.key);
        const RECT pane = g.TextRect(ind.pane);

        FillMarker(window, pane);
        ind.refresh(window);        // off, and shown as off: untouched
        EXPECT_EQ(WindowPixel(window, pane.right - 1, pane.top), kMarker);

        SetLock(ind.key, true);
        ASSERT_TRUE(LockOn(ind.key));
        ind.refresh(window);
        EXPECT_TRUE(*ind.shown);
        Shot shot = CaptureClient(window);
        EXPECT_EQ(CountOf(shot, pane, kMarker), 0);
        EXPECT_GT(InkIn(shot, pane, g.face), 0);

        FillMarker(window, pane);
        ind.refresh(window);        // still on: untouched
        EXPECT_EQ(WindowPixel(window, pane.right - 1, pane.top), kMarker);

        SetLock(ind.key, false);
        ind.refresh(window);
        EXPECT_FALSE(*ind.shown);
        shot = CaptureClient(window);
        EXPECT_EQ(InkIn(shot, pane, g.face), 0);

        // Before the line has a height the state is noted but not painted.
        const int height = StatusLine.height;
        StatusLine.height = 0;
        FillMarker(window, pane);
        SetLock(ind.key, true);
        ind.refresh(window);
        StatusLine.height = height;
        EXPECT_TRUE(*ind.shown);
        EXPECT_EQ(WindowPixel(window, pane.right - 1, pane.top), kMarker);
        SetLock(ind.key, false);
        ind.refresh(window);
    }
}

TEST_F(StatusLineTest, RepaintShowsTheLockStatesAndNotesThem) {
    Geometry g = GeometryOf(window);
    SetLock(VK_CAPITAL, true);
    SetLock(VK_NUMLOCK, true);
    Repaint(window);
    Shot shot = CaptureClient(window);
    EXPECT_GT(InkIn(shot, g.TextRect(1), g.face), 0);
    EXPECT_GT(InkIn(shot, g.TextRect(2), g.face), 0);
    EXPECT_TRUE(StatusLine.capsShown);
    EXPECT_TRUE(StatusLine.numShown);

    SetLock(VK_CAPITAL, false);
    SetLock(VK_NUMLOCK, false);
    Repaint(window);
    shot = CaptureClient(window);
    EXPECT_EQ(InkIn(shot, g.TextRect(1), g.face), 0);
    EXPECT_EQ(InkIn(shot, g.TextRect(2), g.face), 0);
    EXPECT_FALSE(StatusLine.capsShown);

    // Caps on, Caps off while a letter is held (latched out, so the pane
    // goes stale), a repaint corrects it: the next Caps press must show.
    auto down = [](WPARAM key) { SendMessageA(window, WM_KEYDOWN, key, 1); };
    auto up = [](WPARAM key) { SendMessageA(window, WM_KEYUP, key, 0xC0000001); };
    SetLock(VK_CAPITAL, true);
    down(VK_CAPITAL);
    up(VK_CAPITAL);
    down('A');
    SetLock(VK_CAPITAL, false);
    down(VK_CAPITAL);
    up(VK_CAPITAL);
    up('A');
    Repaint(window);
    EXPECT_EQ(InkIn(CaptureClient(window), g.TextRect(1), g.face), 0);
    SetLock(VK_CAPITAL, true);
    down(VK_CAPITAL);
    up(VK_CAPITAL);
    EXPECT_GT(InkIn(CaptureClient(window), g.TextRect(1), g.face), 0);
    SetLock(VK_CAPITAL, false);
    down(VK_CAPITAL);
    up(VK_CAPITAL);
    EXPECT_EQ(InkIn(CaptureClient(window), g.TextRect(1), g.face), 0);
}

// Another program covered only the table while the lock changed: the paint
// of the uncovered part must not leave the pane stale behind a note that
// the focus refresh trusts.
TEST_F(StatusLineTest, PaintClippedToTheTableLeavesNoStalePane) {
    Geometry g = GeometryOf(window);
    RECT table = {0, 0, g.w, g.t};
    for (const Indicator& ind : kIndicators) {
        SCOPED_TRACE(ind.key);
        const RECT pane = g.TextRect(ind.pane);
        for (bool on : {true, false}) {
            SetLock(ind.key, on);
            InvalidateRect(window, &table, TRUE);
            UpdateWindow(window);
            SendMessageA(window, WM_SETFOCUS, 0, 0);
            EXPECT_EQ(InkIn(CaptureClient(window), pane, g.face) > 0, on);
            EXPECT_EQ(*ind.shown != FALSE, on);
        }
    }
}

TEST_F(StatusLineTest, KeyLatchIgnoresRepeatsAndKeysWhileAnotherIsHeld) {
    auto down = [](WPARAM key) { SendMessageA(window, WM_KEYDOWN, key, 1); };
    auto up = [](WPARAM key) { SendMessageA(window, WM_KEYUP, key, 0xC0000001); };

    SetLock(VK_CAPITAL, true);
    down(VK_CAPITAL);
    EXPECT_TRUE(StatusLine.capsShown);
    SetLock(VK_CAPITAL, false);
    down(VK_CAPITAL);               // auto-repeat while held
    EXPECT_TRUE(StatusLine.capsShown);
    up(VK_CAPITAL);
    EXPECT_FALSE(StatusLine.keyLatch);

    down('A');                      // another key held down ...
    down(VK_CAPITAL);               // ... so this press is not looked at
    EXPECT_TRUE(StatusLine.capsShown);
    up(VK_CAPITAL);
    up('A');
    down(VK_CAPITAL);
    EXPECT_FALSE(StatusLine.capsShown);
    up(VK_CAPITAL);

    // Num Lock alike; Caps Lock's press does not touch the NUM pane.
    SetLock(VK_NUMLOCK, true);
    down(VK_CAPITAL);
    up(VK_CAPITAL);
    EXPECT_FALSE(StatusLine.numShown);
    down(VK_NUMLOCK);
    EXPECT_TRUE(StatusLine.numShown);
    up(VK_NUMLOCK);
    SetLock(VK_NUMLOCK, false);
    down(VK_NUMLOCK);
    up(VK_NUMLOCK);
    EXPECT_FALSE(StatusLine.numShown);
}

TEST_F(StatusLineTest, SizeChangesInvalidateTheRightPlace) {
    const int s = StatusLine.height;
    gForwardSize = false;
    UpdateWindow(window);

    // Shorter: the new line's place, without erasing.
    ResizeClient(kClientHeight - 30);
    RECT old = StatusLine.oldStatusRect;
    EXPECT_EQ(old.top, kClientHeight - s);
    EXPECT_EQ(old.bottom, kClientHeight);
    EXPECT_EQ(old.right, clientWidth);
    ValidateRect(window, nullptr);
    StatusLineSize(window);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, kClientHeight - 30 - s);
    EXPECT_EQ(update.right, clientWidth);
    EXPECT_EQ(update.bottom, kClientHeight - 30);
    gErases = 0;
    UpdateWindow(window);
    EXPECT_EQ(gErases, 0);

    // Taller: where the line was, erased to table.
    ResizeClient(kClientHeight);
    ValidateRect(window, nullptr);
    StatusLineSize(window);
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.top, kClientHeight - 30 - s);
    EXPECT_EQ(update.bottom, kClientHeight - 30);
    EXPECT_EQ(update.right, clientWidth);
    gErases = 0;
    UpdateWindow(window);
    EXPECT_EQ(gErases, 1);

    // The same height counts with taller.
    StatusLineGetMinMaxInfo(window);
    StatusLineSize(window);
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.top, kClientHeight - s);
    EXPECT_EQ(update.bottom, kClientHeight);
    gErases = 0;
    UpdateWindow(window);
    EXPECT_EQ(gErases, 1);
}

TEST_F(StatusLineTest, ResizedWindowShowsTheLineOnlyAtItsNewPlace) {
    ShowStatusText(window, "");
    const int s = StatusLine.height;
    for (int height : {kClientHeight + 40, kClientHeight - 25, kClientHeight}) {
        SCOPED_TRACE(height);
        ResizeClient(height);
        PumpMessages(100);
        Geometry g = GeometryOf(window);
        ASSERT_EQ(g.h, height);
        Shot shot = CaptureClient(window);
        EXPECT_EQ(Mismatches(shot, g), std::vector<std::string>());
        if (height > kClientHeight) {
            for (int y = kClientHeight - s; y < kClientHeight; ++y)
                ASSERT_EQ(shot.At(g.w / 2, y), kTableColour) << y;
        }
    }

    // Minimising and restoring pass through the same rule.
    ShowWindow(window, SW_MINIMIZE);
    PumpMessages(100);
    ShowWindow(window, SW_RESTORE);
    PumpMessages(150);
    Geometry g = GeometryOf(window);
    ASSERT_EQ(g.h, kClientHeight);
    EXPECT_EQ(Mismatches(CaptureClient(window), g), std::vector<std::string>());
}

}  // namespace
