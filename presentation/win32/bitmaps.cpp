// The full-screen jackpot display and the small bitmap helpers that it, the
// zoom and the dialogs share.  Everything here blocks the one thread.
#include "presentation/win32/bitmaps.h"

#include <mmsystem.h>

#include "presentation/jackpot_plan.h"
#include "presentation/win32/screen_surface.h"
#include "presentation/win32/sound.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"

namespace {

constexpr DWORD kSilentFlashMs = kJackpotSilentFlashMs;
// A window manager maps the cover some tens of milliseconds after it is
// shown; the fanfare holds the thread, so the cover is first given this
// long to show the picture.
constexpr DWORD kCoverMapMs = 150;

// One of the three flashes: the fanfare to its end, or a second of silence.
// A fanfare that cannot play (no sound device) returns at once; the rest of
// the second is then waited, so that the picture is still seen.
void HoldJackpotFlash(const ScreenSurface& screen, bool first) {
    DWORD start = timeGetTime();
    if (gSettings.Sound) {
        if (first && screen.cover) WaitMs(kCoverMapMs, &screen);
        PlayWaveSync(gShell.instance, kJackpotFanfare);
    }
    DWORD elapsed = timeGetTime() - start;
    if (elapsed < kSilentFlashMs) WaitMs(kSilentFlashMs - elapsed, &screen);
}

// Loads the bitmap, draws it at its own size with its top-left corner (or,
// when centred, its middle) at (x, y), and releases everything.
void DrawBitmapResource(HINSTANCE module, HDC dc, int x, int y, const char* name, DWORD rop,
                        bool centred) {
    HBITMAP bitmap = LoadBitmapA(module, name);
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    if (centred) {
        x -= info.bmWidth / 2;
        y -= info.bmHeight / 2;
    }
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, rop);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace

// The screen saved, black with the picture in the middle, three flashes
// each ending in an inversion, and the saved screen put back.  Each picture
// is shown before the pause that holds it; the last inversion is at once
// replaced by the restore.
void ShowJackpotScreen() {
    int w = GetSystemMetrics(SM_CXSCREEN);
    int h = GetSystemMetrics(SM_CYSCREEN);
    ScreenSurface screen = OpenScreenSurface();
    HDC saved = CreateCompatibleDC(screen.dc);
    HBITMAP savedBitmap = CreateCompatibleBitmap(screen.dc, w, h);
    HGDIOBJ oldBitmap = SelectObject(saved, savedBitmap);
    BitBlt(saved, 0, 0, w, h, screen.dc, 0, 0, SRCCOPY);

    RECT all = {0, 0, w, h};
    FillRect(screen.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DWORD size = GetBitmapSize(gShell.instance, kJackpotPicture);
    int bw = static_cast<int>(LOWORD(size));
    int bh = static_cast<int>(HIWORD(size));
    DrawBitmapAt(gShell.instance, screen.dc, JackpotPictureLeft(w, bw), JackpotPictureTop(h, bh),
                 kJackpotPicture, SRCCOPY);

    for (int flash = 0; flash < kJackpotFlashes; ++flash) {
        ShowScreenSurface(screen);
        HoldJackpotFlash(screen, flash == 0);
        InvertScreen(screen.dc);
    }

    BitBlt(screen.dc, 0, 0, w, h, saved, 0, 0, SRCCOPY);
    SelectObject(saved, oldBitmap);
    DeleteObject(savedBitmap);
    DeleteDC(saved);
    CloseScreenSurface(screen);
}

void InvertScreen(HDC dc) {
    PatBlt(dc, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), DSTINVERT);
}

// Sleeps in short slices with a 1 ms timer resolution, so the processor is
// free and the wait ends within about a millisecond.  Only the elapsed time
// is compared, so a wrap of the millisecond clock changes nothing.
void WaitMs(DWORD ms, const ScreenSurface* shown) {
    constexpr DWORD kSliceMs = 5;
    timeBeginPeriod(1);
    DWORD start = timeGetTime();
    for (;;) {
        DWORD elapsed = timeGetTime() - start;
        if (elapsed >= ms) break;
        DWORD left = ms - elapsed;
        Sleep(left < kSliceMs ? left : kSliceMs);
        if (shown) ShowScreenSurface(*shown);
    }
    timeEndPeriod(1);
}

void DrawBitmapAt(HINSTANCE module, HDC dc, int x, int y, const char* name, DWORD rop) {
    DrawBitmapResource(module, dc, x, y, name, rop, false);
}

DWORD GetBitmapSize(HINSTANCE module, const char* name) {
    HBITMAP bitmap = LoadBitmapA(module, name);
    if (!bitmap) return 0;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    DeleteObject(bitmap);
    return (static_cast<DWORD>(info.bmHeight) & 0xFFFF) << 16 |
           (static_cast<DWORD>(info.bmWidth) & 0xFFFF);
}

void WindowCentrePoint(HWND window, POINT* point) {
    if (window) {
        RECT client;
        GetClientRect(window, &client);
        point->x = (client.right - client.left) / 2;
        point->y = (client.bottom - client.top) / 2;
    } else {
        point->x = GetSystemMetrics(SM_CXSCREEN) / 2;
        point->y = GetSystemMetrics(SM_CYSCREEN) / 2;
    }
}

void DrawBitmapCentred(HINSTANCE module, HWND window, HDC dc, const char* name, DWORD rop) {
    POINT centre;
    WindowCentrePoint(window, &centre);
    DrawBitmapResource(module, dc, centre.x, centre.y, name, rop, true);
}
