// The display, or a cover window standing in for it, as the one surface of
// the whole-screen effects.
#include "presentation/win32/screen_surface.h"

ScreenPath gScreenPath = ScreenPathUnknown;

namespace {

const char kCoverClass[] = "QuorvelScreenCover";

// No background brush and the default procedure: the cover never paints
// itself, so what the effect drew stays until the cover goes.
bool RegisterCoverClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kCoverClass;
    registered = RegisterClassA(&wc) != 0;
    return registered;
}

// Wine sends a window's new pixels to the X server when the thread looks at
// its queue and finds nothing there.  So the look is for a thread message of
// a number nobody posts, and removes nothing: every message (input, paint,
// timers) stays where it is.
void PushWindowsToScreen() {
    constexpr UINT kNeverPosted = WM_APP + 0x3FFF;
    MSG msg;
    PeekMessageA(&msg, reinterpret_cast<HWND>(-1), kNeverPosted, kNeverPosted, PM_NOREMOVE);
}

// A topmost window over the whole screen that neither takes the focus nor
// shows in a task bar, holding a picture of what the screen showed.
ScreenSurface OpenCover(int w, int h) {
    ScreenSurface surface = {nullptr, nullptr};
    HDC screen = GetDC(nullptr);
    HDC picture = CreateCompatibleDC(screen);
    HBITMAP pictureBitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBitmap = SelectObject(picture, pictureBitmap);
    BitBlt(picture, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);

    if (RegisterCoverClass())
        surface.cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                        kCoverClass, "", WS_POPUP, 0, 0, w, h, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    if (surface.cover) {
        ShowWindow(surface.cover, SW_SHOWNA);
        surface.dc = GetDC(surface.cover);
        BitBlt(surface.dc, 0, 0, w, h, picture, 0, 0, SRCCOPY);
        PushWindowsToScreen();
    }

    SelectObject(picture, oldBitmap);
    DeleteObject(pictureBitmap);
    DeleteDC(picture);
    return surface;
}

}  // namespace

// Wine names itself through an export of its ntdll.
bool RunsUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void ChooseScreenPath() {
    gScreenPath = RunsUnderWine() ? ScreenPathCover : ScreenPathDisplay;
}

ScreenSurface OpenScreenSurface() {
    if (gScreenPath == ScreenPathUnknown) ChooseScreenPath();
    if (gScreenPath == ScreenPathCover) {
        ScreenSurface cover = OpenCover(GetSystemMetrics(SM_CXSCREEN),
                                        GetSystemMetrics(SM_CYSCREEN));
        if (cover.dc) return cover;
        if (cover.cover) DestroyWindow(cover.cover);
    }
    ScreenSurface display = {CreateDCA("DISPLAY", nullptr, nullptr, nullptr), nullptr};
    return display;
}

void ShowScreenSurface(const ScreenSurface& surface) {
    GdiFlush();
    if (surface.cover) PushWindowsToScreen();
}

// Taking the cover away uncovers the screen as it was when the effect began.
void CloseScreenSurface(const ScreenSurface& surface) {
    if (!surface.cover) {
        DeleteDC(surface.dc);
        return;
    }
    PushWindowsToScreen();
    ReleaseDC(surface.cover, surface.dc);
    DestroyWindow(surface.cover);
    // The uncovered windows show their own pixels again once Wine has taken
    // the X server's exposure events.  Reading a pixel of the screen waits
    // for the server, so the events are in; the first look at the queue
    // takes them in, the second sends the pixels.  The effect then returns
    // with the screen whole, not at the next turn of a message loop.  (A
    // window manager may take a managed cover away a little later; the
    // windows it uncovered then show at that next turn.)
    HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);
    ReleaseDC(nullptr, screen);
    PushWindowsToScreen();
    PushWindowsToScreen();
}
