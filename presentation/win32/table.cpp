// Drawing of the table: the furniture, the read-outs, the cards and the
// message line with its flash.  Each operation takes its own device context
// (apart from the paint sequence) and deletes every object it made before it
// returns, so nothing is cached and nothing leaks.
#include "presentation/win32/table.h"

#include "presentation/table_look.h"

#include "engine/deck.h"
#include "engine/round.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"
#include "shell/win32/status_line.h"

char MessageText[256];

namespace {

using namespace TableLayout;

constexpr UINT kCentredLine = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

RECT ToRect(LayoutRect r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void DrawReadout(HDC dc, const RECT* box, HFONT font, COLORREF colour, const char* text) {
    FillRect(dc, box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, colour);
    SetBkColor(dc, kReadoutGround);
    RECT inside = *box;
    DrawTextA(dc, text, -1, &inside, kCentredLine);
    SelectObject(dc, oldFont);
    FrameRect(dc, box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace

void PaintTable(HWND window, HDC dc) {
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));

    RECT client;
    GetClientRect(window, &client);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, client.right, 0);

    RECT frame = ToRect(CardRowFrame());
    DrawEdge(dc, &frame, EDGE_BUMP, BF_RECT);

    RECT title = ToRect(TitleBox());
    FillRect(dc, &title, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    FrameRect(dc, &title, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawBitmapInRect(gShell.instance, dc, &title, "Logo", SRCCOPY);

    DrawMeters(dc);

    GetClientRect(window, &client);
    for (int i = 0; i < 2; ++i) {
        LayoutRect badge = Badge(i, client.right);
        DrawDenominationBadge(dc, badge.left, badge.top);
    }
}

// Fill, text and outline every time, so a shorter number leaves nothing of
// a longer one behind.
// The message line moves with the client height; under a tall title bar
// it reaches into the credits box.  It stays on top there whichever of the
// two was drawn last, so a repaint shows what the player saw before.
void DrawMeters(HDC dc) {
    RECT line;
    MessageLineRect(&line);
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, line.left, line.top, line.right, line.bottom);
    char text[64];
    RECT coins = ToRect(CoinsBox());
    FormatCoinsReadout(text, sizeof text);
    DrawReadout(dc, &coins, gShell.ButtonFont, kCoinsTextColour, text);

    RECT credits = ToRect(CreditsBox());
    FormatCreditsReadout(text, sizeof text);
    DrawReadout(dc, &credits, gShell.BigFont, kCreditsTextColour, text);
    RestoreDC(dc, saved);
}

void DrawReadouts() {
    HDC dc = GetDC(gShell.mainWindow);
    DrawMeters(dc);
    ReleaseDC(gShell.mainWindow, dc);
}

void DrawAllCards() {
    for (int slot = 0; slot < kSlotCount; ++slot) DrawCard(slot);
}

// The corners are painted in the table colour on every draw, so a new
// table colour shows on the cards without touching the card bitmaps.
void DrawCard(int slot) {
    if (slot < 0 || slot >= kSlotCount) return;
    const TableSlot& place = gSlots[slot];
    char name[32];
    CardPictureName(slot, name, sizeof name);

    HDC dc = GetDC(gShell.mainWindow);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = LoadBitmapA(gShell.instance, name);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        RoundCardCorners(memory, gSettings.BackColor);
        BitBlt(dc, place.x, place.y, kCardWidth, kCardHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(gShell.mainWindow, dc);
}

// Three pixels in each corner lie outside the card's rounded outline.
void RoundCardCorners(HDC memoryDc, COLORREF colour) {
    static const POINT kCorners[] = {
        {0, 0},  {0, 1},  {1, 0},  {69, 0},  {70, 0}, {70, 1},
        {70, 94}, {70, 95}, {69, 95}, {1, 95}, {0, 95}, {0, 94},
    };
    for (const POINT& p : kCorners) SetPixel(memoryDc, p.x, p.y, colour);
}

void DrawBitmapInRect(HINSTANCE module, HDC dc, const RECT* rect, const char* name, DWORD rop) {
    int cx = (rect->left + rect->right) / 2;
    int cy = (rect->top + rect->bottom) / 2;
    HBITMAP bitmap = LoadBitmapA(module, name);
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    BitBlt(dc, cx - size.bmWidth / 2, cy - size.bmHeight / 2, size.bmWidth, size.bmHeight,
           memory, 0, 0, rop);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

// The badge's black ground around the coin is flooded with the table colour
// so that the badge stands on the felt.
void DrawDenominationBadge(HDC dc, int x, int y) {
    HBITMAP bitmap = LoadBitmapA(gShell.instance, "Amount");
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);

    COLORREF ground = GetPixel(memory, 1, 1);
    HBRUSH felt = CreateSolidBrush(gSettings.BackColor);
    HGDIOBJ oldBrush = SelectObject(memory, felt);
    ExtFloodFill(memory, 1, 1, ground, FLOODFILLSURFACE);
    SelectObject(memory, oldBrush);
    DeleteObject(felt);

    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    BitBlt(dc, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void MessageLineRect(RECT* rect) {
    RECT client;
    GetClientRect(gShell.mainWindow, &client);
    *rect = ToRect(TableLayout::MessageLine(client.right, client.bottom, StatusLine.height));
}

void DrawMessageLine() {
    HDC dc = GetDC(gShell.mainWindow);
    RECT line;
    MessageLineRect(&line);
    SelectObject(dc, gShell.MessageFont);
    FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(dc, kMessageTextColour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, MessageText, -1, &line, kCentredLine);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    ReleaseDC(gShell.mainWindow, dc);
}

void LoadMessage(int stringId) {
    if (LoadStringA(gShell.instance, stringId, MessageText, sizeof MessageText) == 0)
        MessageText[0] = '\0';
    DrawMessageLine();
}

namespace {

class TableMessageLine : public MessageLineSurface {
public:
    void DrawMessageLine() override { ::DrawMessageLine(); }
    void InvertMessageLine() override {
        HDC dc = GetDC(gShell.mainWindow);
        RECT line;
        MessageLineRect(&line);
        PatBlt(dc, line.left, line.top, line.right - line.left, line.bottom - line.top, DSTINVERT);
        ReleaseDC(gShell.mainWindow, dc);
    }
    void StartTableTimer(unsigned intervalMs) override {
        SetTimer(gShell.mainWindow, IDT_TABLE_TIMER, intervalMs, nullptr);
    }
    void KillTableTimer() override { KillTimer(gShell.mainWindow, IDT_TABLE_TIMER); }
};

TableMessageLine gMessageLine;

}  // namespace

void StartMessageFlash() { StartMessageFlashOn(gMessageLine); }
void StopMessageFlash() { StopMessageFlashOn(gMessageLine); }
void FlashMessageLine() { FlashMessageLineOn(gMessageLine); }
