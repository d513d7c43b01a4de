// The status line: a strip of three sunken panes along the bottom of the
// main window's client area, painted straight into the window (it is not a
// control).  All geometry is in border units, so that larger system border
// metrics scale every line and gap with them.
#include "shell/status_line.h"

#include <cstdio>

#include "resources/resource_ids.h"
#include "shell/app_shell.h"

// Zero until InitStatusLine; white highlight until it decides.
StatusLineState StatusLine = {0, 0, 0, 0, 0, nullptr, 0, 0, 0, "",
                              FALSE, FALSE, FALSE, 0, TRUE, {0, 0, 0, 0}};

namespace {

constexpr int kTextSize = sizeof StatusLine.text;     // 256
constexpr int kMenuHelpSize = kTextSize - 1;           // at most 254 characters
constexpr int kMessageChars = 34;                      // M in widest characters
constexpr int kIndicatorChars = 3;                     // K in widest characters
constexpr int kMenuClosedFlags = 0xFFFF;

enum Pane { kMessagePane, kCapsPane, kNumPane };

// The right edges of the three boxes.
struct PaneEdges {
    int x1, x2, x3;
};

// Where the font is too wide for all three boxes to fit, the message box
// gives way, so that the indicators stay inside the window and the NUM box
// ends eight units short of its right edge.
int MessageWidthFor(int clientWidth) {
    const StatusLineState& s = StatusLine;
    int room = clientWidth - 35 * s.b - 2 * s.indicatorWidth;
    if (room < 0) room = 0;
    return s.messageWidth < room ? s.messageWidth : room;
}

PaneEdges EdgesOfPanes(int clientWidth) {
    const StatusLineState& s = StatusLine;
    PaneEdges e;
    e.x1 = s.b9 + MessageWidthFor(clientWidth);
    e.x2 = e.x1 + s.b9 + s.indicatorWidth;
    e.x3 = e.x2 + s.b9 + s.indicatorWidth;
    return e;
}

// The inside of a pane's box, where its text goes.
RECT PaneTextRect(Pane pane, const RECT& client) {
    const StatusLineState& s = StatusLine;
    PaneEdges e = EdgesOfPanes(client.right);
    int top = client.bottom - s.height;
    RECT r;
    r.top = top + 4 * s.b;
    r.bottom = client.bottom - s.b3;
    switch (pane) {
    case kMessagePane:
        r.left = s.b9;
        r.right = e.x1 - s.b;
        break;
    case kCapsPane:
        r.left = e.x1 + s.b9;
        r.right = e.x2 - s.b;
        break;
    default:
        r.left = e.x2 + s.b9;
        r.right = e.x3 - s.b;
        break;
    }
    return r;
}

// Opaque and clipped, so the old text is wiped and nothing leaks out.
void DrawPaneText(HDC dc, const RECT& rect, const char* text) {
    HGDIOBJ oldFont = SelectObject(dc, StatusLine.StatusFont);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    ExtTextOutA(dc, rect.left + StatusLine.b2, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect,
                text, lstrlenA(text), nullptr);
    SelectObject(dc, oldFont);
}

void PaintPane(HWND window, Pane pane, const char* text) {
    HDC dc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    DrawPaneText(dc, PaneTextRect(pane, client), text);
    ReleaseDC(window, dc);
}

void FillBand(HDC dc, HBRUSH brush, int left, int top, int right, int bottom) {
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
}

bool Toggled(int key) { return (GetKeyState(key) & 1) != 0; }

// Both indicators follow one rule: repaint only when the lock state differs
// from what was painted last, and never before the line has a height.
void RefreshIndicator(HWND window, int key, BOOL* shown, Pane pane, const char* word) {
    const char* text;
    if (Toggled(key)) {
        if (*shown) return;
        *shown = TRUE;
        text = word;
    } else {
        if (!*shown) return;
        *shown = FALSE;
        text = "";
    }
    if (StatusLine.height == 0) return;
    PaintPane(window, pane, text);
}

HINSTANCE InstanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(
        static_cast<LONG_PTR>(GetWindowLongA(window, GWL_HINSTANCE)));
}

// The plain white highlight suits the older systems' button look.
BOOL WantsWhiteHighlight() {
    DWORD version = GetVersion();
    return LOWORD(version) >= 3 && HIWORD(version) < 10;
}

}  // namespace

void InitStatusLine() {
    StatusLineState& s = StatusLine;
    s.b = GetSystemMetrics(SM_CYBORDER);
    s.b2 = 2 * s.b;
    s.b3 = 3 * s.b;
    s.b8 = 8 * s.b;
    s.b9 = 9 * s.b;

    HDC screen = GetDC(nullptr);
    if (s.StatusFont) DeleteObject(s.StatusFont);
    s.StatusFont = CreateFontA(MulDiv(-10, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0,
                               FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0,
                               VARIABLE_PITCH | FF_SWISS, "Helv");
    HGDIOBJ oldFont = SelectObject(screen, s.StatusFont);
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);

    s.height = 7 * s.b + metrics.tmHeight + metrics.tmExternalLeading;
    s.messageWidth = kMessageChars * metrics.tmMaxCharWidth;
    s.indicatorWidth = kIndicatorChars * metrics.tmMaxCharWidth;
    s.whiteHighlight = WantsWhiteHighlight();
    if (LoadStringA(gShell.instance, IDS_STATUS_TITLE, s.text, kTextSize) == 0) s.text[0] = '\0';
}

void PaintStatusLine(HWND window, HDC dc) {
    StatusLineState& s = StatusLine;
    RECT client;
    GetClientRect(window, &client);
    const int w = client.right;
    const int h = client.bottom;
    const int t = h - s.height;
    const int b = s.b;
    const PaneEdges e = EdgesOfPanes(w);
    const int m = MessageWidthFor(w);
    const int k = s.indicatorWidth;

    // The face around and between the boxes.
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillBand(dc, face, 0, t + s.b2, w, t + s.b3);
    FillBand(dc, face, 0, h - s.b2, w, h);
    FillBand(dc, face, 0, t + s.b2, s.b8, h);
    FillBand(dc, face, e.x1, t + s.b2, e.x1 + s.b8, h);
    FillBand(dc, face, e.x2, t + s.b2, e.x2 + s.b8, h);
    FillBand(dc, face, e.x3, t + s.b2, w, h);
    DeleteObject(face);

    // Shadow on the top and left edges makes each box look sunken.
    HBRUSH shadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    FillBand(dc, shadow, s.b8, t + s.b3, s.b8 + m, t + 4 * b);
    FillBand(dc, shadow, e.x1 + s.b8, t + s.b3, e.x1 + s.b8 + k, t + 4 * b);
    FillBand(dc, shadow, e.x2 + s.b8, t + s.b3, e.x2 + s.b8 + k, t + 4 * b);
    FillBand(dc, shadow, s.b8, t + s.b3, s.b9, h - s.b2);
    FillBand(dc, shadow, e.x1 + s.b8, t + s.b3, e.x1 + s.b9, h - s.b2);
    FillBand(dc, shadow, e.x2 + s.b8, t + s.b3, e.x2 + s.b9, h - s.b2);
    DeleteObject(shadow);

    // Light on the bottom and right edges, and a raised line along the top.
    HBRUSH made = s.whiteHighlight ? nullptr : CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    HBRUSH light = made ? made : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FillBand(dc, light, s.b8, h - s.b3, s.b8 + m, h - s.b2);
    FillBand(dc, light, e.x1 + s.b8, h - s.b3, e.x1 + s.b8 + k, h - s.b2);
    FillBand(dc, light, e.x2 + s.b8, h - s.b3, e.x2 + s.b8 + k, h - s.b2);
    FillBand(dc, light, e.x1 - b, t + s.b3, e.x1, h - s.b2);
    FillBand(dc, light, e.x2 - b, t + s.b3, e.x2, h - s.b2);
    FillBand(dc, light, e.x3 - b, t + s.b3, e.x3, h - s.b2);
    FillBand(dc, light, 0, t + b, w, t + s.b2);
    if (made) DeleteObject(made);

    // The dark line that parts the status line from the table.
    HBRUSH dark = CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT));
    FillBand(dc, dark, 0, t, w, t + b);
    DeleteObject(dark);

    // The lock panes show again what was last painted into them; then their
    // own refresh brings each one, whole, up to the key's state.  So a paint
    // catches up with lock changes the key hooks did not see, and what is
    // noted is always what is on the screen, even where the paint's update
    // region missed the status line.
    DrawPaneText(dc, PaneTextRect(kMessagePane, client), s.text);
    DrawPaneText(dc, PaneTextRect(kCapsPane, client), s.capsShown ? "CAPS" : "");
    DrawPaneText(dc, PaneTextRect(kNumPane, client), s.numShown ? "NUM" : "");
    RefreshCapsPane(window);
    RefreshNumPane(window);
}

void ShowStatusText(HWND window, const char* text) {
    lstrcpynA(StatusLine.text, text ? text : "", kTextSize);
    PaintPane(window, kMessagePane, StatusLine.text);
}

void ShowMenuHelp(HWND window, int stringId) {
    if (LoadStringA(InstanceOf(window), static_cast<UINT>(stringId), StatusLine.text,
                    kMenuHelpSize) == 0)
        StatusLine.text[0] = '\0';
    PaintPane(window, kMessagePane, StatusLine.text);
}

void RefreshCapsPane(HWND window) {
    RefreshIndicator(window, VK_CAPITAL, &StatusLine.capsShown, kCapsPane, "CAPS");
}

void RefreshNumPane(HWND window) {
    RefreshIndicator(window, VK_NUMLOCK, &StatusLine.numShown, kNumPane, "NUM");
}

const char* CardName(int card) {
    static const char* const kRanks[] = {"Ace",  "Two", "Three", "Four", "Five",
                                         "Six",  "Seven", "Eight", "Nine", "Ten",
                                         "Jack", "Queen", "King"};
    static const char* const kSuits[] = {"Clubs", "Diamonds", "Hearts", "Spades"};
    constexpr int kRanksPerSuit = 13;
    constexpr int kJoker = 4 * kRanksPerSuit;
    static char name[32];
    if (card < 0) {
        name[0] = '\0';     // no card in the place: nothing to name
    } else if (card >= kJoker) {
        lstrcpyA(name, "Joker");
    } else {
        std::snprintf(name, sizeof name, "%s of %s", kRanks[card % kRanksPerSuit],
                      kSuits[card / kRanksPerSuit]);
    }
    return name;
}

void StatusLineMenuSelect(HWND window, WPARAM wParam, LPARAM lParam) {
    const int item = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    if (lParam == 0 && flags == kMenuClosedFlags) {
        StatusLine.lastHelpId = 0;
        ShowMenuHelp(window, 0);
        return;
    }
    int id;
    if (flags & MF_SYSMENU) {
        id = (flags & MF_POPUP) ? IDS_SYSMENU_POPUP : item;
    } else if (flags & MF_POPUP) {
        id = StatusLine.lastHelpId;     // a popup title keeps the last item's help
    } else {
        id = item;
    }
    StatusLine.lastHelpId = id;
    ShowMenuHelp(window, id);
}

// The latch ignores auto-repeat, and any key press while another is held.
void StatusLineKeyDown(HWND window, WPARAM key) {
    if (!StatusLine.keyLatch) {
        if (key == VK_CAPITAL) RefreshCapsPane(window);
        else if (key == VK_NUMLOCK) RefreshNumPane(window);
    }
    StatusLine.keyLatch = TRUE;
}

void StatusLineKeyUp() { StatusLine.keyLatch = FALSE; }

void StatusLineGetMinMaxInfo(HWND window) {
    GetClientRect(window, &StatusLine.oldStatusRect);
    StatusLine.oldStatusRect.top = StatusLine.oldStatusRect.bottom - StatusLine.height;
}

void StatusLineSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const int newTop = client.bottom - StatusLine.height;
    if (StatusLine.oldStatusRect.top > newTop) {
        RECT fresh = {0, newTop, client.right, client.bottom};
        InvalidateRect(window, &fresh, FALSE);
    } else {
        // Where the line stood before becomes table again.
        InvalidateRect(window, &StatusLine.oldStatusRect, TRUE);
    }
}
