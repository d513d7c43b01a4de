// The status line: a strip of three sunken panes along the bottom of the
// main window's client area, painted straight into the window (it is not a
// control).  All geometry is in border units, so that larger system border
// metrics scale every line and gap with them.
#include "shell/win32/status_line.h"

#include <cstdio>

#include "resources/resource_ids.h"
#include "shell/win32/app_shell.h"
#include "shell/status_layout.h"

// Zero until InitStatusLine; white highlight until it decides.
StatusLineState StatusLine = {0, 0, 0, 0, 0, nullptr, 0, 0, 0, "",
                              FALSE, FALSE, FALSE, 0, TRUE, {0, 0, 0, 0}};

namespace {

constexpr int kTextSize = sizeof StatusLine.text;     // 256
constexpr int kMenuHelpSize = kTextSize - 1;           // at most 254 characters
constexpr int kMessageChars = 34;                      // M in widest characters
constexpr int kIndicatorChars = 3;                     // K in widest characters
constexpr int kMenuClosedFlags = 0xFFFF;

StatusMetrics Metrics() {
    const StatusLineState& s = StatusLine;
    return {s.b, s.height, s.messageWidth, s.indicatorWidth};
}

RECT ToRect(LayoutRect r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The inside of a pane's box, where its text goes.
RECT PaneTextRect(StatusPane pane, const RECT& client) {
    return ToRect(StatusPaneTextRect(Metrics(), pane, client.right, client.bottom));
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

void PaintPane(HWND window, StatusPane pane, const char* text) {
    HDC dc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    DrawPaneText(dc, PaneTextRect(pane, client), text);
    ReleaseDC(window, dc);
}

bool Toggled(int key) { return (GetKeyState(key) & 1) != 0; }

// Both indicators follow one rule: repaint only when the lock state differs
// from what was painted last, and never before the line has a height.
void RefreshIndicator(HWND window, int key, BOOL* shown, StatusPane pane, const char* word) {
    bool now = *shown != FALSE;
    bool changed = LockPaneChanges(Toggled(key), &now);
    *shown = now ? TRUE : FALSE;
    if (!changed || StatusLine.height == 0) return;
    PaintPane(window, pane, now ? word : "");
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
    StatusBand bands[kStatusBandCount];
    StatusLineBands(Metrics(), client.right, client.bottom, bands);

    // One brush per colour, made here and deleted here; the light is the
    // stock white where the white highlight was chosen.
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    HBRUSH shadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    HBRUSH made = s.whiteHighlight ? nullptr : CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    HBRUSH light = made ? made : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH dark = CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT));
    for (const StatusBand& band : bands) {
        HBRUSH brush = band.colour == StatusColour::Face     ? face
                       : band.colour == StatusColour::Shadow ? shadow
                       : band.colour == StatusColour::Light  ? light
                                                             : dark;
        RECT r = ToRect(band.rect);
        FillRect(dc, &r, brush);
    }
    DeleteObject(face);
    DeleteObject(shadow);
    if (made) DeleteObject(made);
    DeleteObject(dark);

    // The lock panes show again what was last painted into them; then their
    // own refresh brings each one, whole, up to the key's state.  So a paint
    // catches up with lock changes the key hooks did not see, and what is
    // noted is always what is on the screen, even where the paint's update
    // region missed the status line.
    DrawPaneText(dc, PaneTextRect(StatusPane::Message, client), s.text);
    DrawPaneText(dc, PaneTextRect(StatusPane::Caps, client), s.capsShown ? kCapsWord : "");
    DrawPaneText(dc, PaneTextRect(StatusPane::Num, client), s.numShown ? kNumWord : "");
    RefreshCapsPane(window);
    RefreshNumPane(window);
}

void ShowStatusText(HWND window, const char* text) {
    lstrcpynA(StatusLine.text, text ? text : "", kTextSize);
    PaintPane(window, StatusPane::Message, StatusLine.text);
}

void ShowMenuHelp(HWND window, int stringId) {
    if (LoadStringA(InstanceOf(window), static_cast<UINT>(stringId), StatusLine.text,
                    kMenuHelpSize) == 0)
        StatusLine.text[0] = '\0';
    PaintPane(window, StatusPane::Message, StatusLine.text);
}

void RefreshCapsPane(HWND window) {
    RefreshIndicator(window, VK_CAPITAL, &StatusLine.capsShown, StatusPane::Caps, kCapsWord);
}

void RefreshNumPane(HWND window) {
    RefreshIndicator(window, VK_NUMLOCK, &StatusLine.numShown, StatusPane::Num, kNumWord);
}

void StatusLineMenuSelect(HWND window, WPARAM wParam, LPARAM lParam) {
    static_assert(kMenuFlagPopup == MF_POPUP && kMenuFlagSysMenu == MF_SYSMENU, "menu flags");
    const UINT flags = HIWORD(wParam);
    const bool closed = lParam == 0 && flags == kMenuClosedFlags;
    StatusLine.lastHelpId = MenuHelpId(LOWORD(wParam), flags, closed, StatusLine.lastHelpId);
    ShowMenuHelp(window, StatusLine.lastHelpId);
}

// The latch ignores auto-repeat, and any key press while another is held.
void StatusLineKeyDown(HWND window, WPARAM key) {
    bool latch = StatusLine.keyLatch != FALSE;
    if (KeyPressLooks(&latch)) {
        if (key == VK_CAPITAL) RefreshCapsPane(window);
        else if (key == VK_NUMLOCK) RefreshNumPane(window);
    }
    StatusLine.keyLatch = latch ? TRUE : FALSE;
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
