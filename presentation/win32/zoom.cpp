// The exploding and imploding trail of dotted outlines around the dialogs,
// the dialogs' raised frame and rectangle mapping between windows.
//
// The outlines are drawn by exclusive-or on the screen's surface, so every
// outline is drawn exactly twice and the screen is left as it was.
#include "presentation/win32/zoom.h"

#include "presentation/win32/bitmaps.h"
#include "presentation/win32/screen_surface.h"
#include "presentation/zoom_trail.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"

namespace {

constexpr COLORREF kFrameShadow = RGB(127, 127, 127);

// The surface the trail is drawn on, with a hollow brush.
struct ZoomCanvas {
    ScreenSurface screen;
    HGDIOBJ oldBrush;
};

ZoomCanvas OpenZoomCanvas() {
    ZoomCanvas canvas;
    canvas.screen = OpenScreenSurface();
    canvas.oldBrush = SelectObject(canvas.screen.dc, GetStockObject(NULL_BRUSH));
    return canvas;
}

void CloseZoomCanvas(const ZoomCanvas& canvas) {
    SelectObject(canvas.screen.dc, canvas.oldBrush);
    CloseScreenSurface(canvas.screen);
}

// The outlines drawn so far are shown, then held for one step.
void Pause(const ZoomCanvas& canvas) {
    ShowScreenSurface(canvas.screen);
    WaitMs(kZoomPauseMs, &canvas.screen);
}

// The whole trail: the outlines of each pause drawn, then shown and held.
void RunTrail(bool closing, POINT origin, const RECT& target, int steps) {
    ZoomCanvas canvas = OpenZoomCanvas();
    for (int n = 0; n < ZoomPauseCount(steps); ++n) {
        int draws[2];
        int count = ZoomTrailDraws(closing, steps, n, draws);
        for (int k = 0; k < count; ++k)
            DrawZoomFrame(canvas.screen.dc, origin, &target, ZoomFraction(draws[k], steps));
        Pause(canvas);
    }
    CloseZoomCanvas(canvas);
}

}  // namespace

void DrawZoomFrame(HDC dc, POINT origin, const RECT* target, float t) {
    LayoutRect box = ZoomFrameRect({static_cast<int>(origin.x), static_cast<int>(origin.y)},
                                   {static_cast<int>(target->left), static_cast<int>(target->top),
                                    static_cast<int>(target->right), static_cast<int>(target->bottom)},
                                   t);
    RECT frame = {box.left, box.top, box.right, box.bottom};
    DrawFocusRect(dc, &frame);
}

void ZoomOpen(HWND dialog, POINT origin, int steps) {
    RECT target;
    GetWindowRect(dialog, &target);
    RunTrail(false, origin, target, steps);
}

void ZoomClose(HWND dialog, int steps) {
    RECT target;
    GetWindowRect(dialog, &target);
    ZoomPoint centre = ZoomCloseOrigin({static_cast<int>(target.left), static_cast<int>(target.top),
                                        static_cast<int>(target.right), static_cast<int>(target.bottom)});
    RunTrail(true, POINT{centre.x, centre.y}, target, steps);
}

void DrawDialogFrame(HWND window, HDC dc, int width) {
    RECT client;
    GetClientRect(window, &client);
    int right = client.right - 1;
    int bottom = client.bottom - 1;
    for (int i = 0; i < width; ++i) {
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
        MoveToEx(dc, client.left + i, bottom - i, nullptr);
        LineTo(dc, client.left + i, client.top + i);
        LineTo(dc, right - i, client.top + i);
        HPEN shadow = CreatePen(PS_SOLID, 1, kFrameShadow);
        SelectObject(dc, shadow);
        LineTo(dc, right - i, bottom - i);
        LineTo(dc, client.left + i, bottom - i);
        SelectObject(dc, oldPen);
        DeleteObject(shadow);
    }
}

void MapRectToWindow(HWND target, HWND source, RECT* rect) {
    POINT topLeft = {rect->left, rect->top};
    POINT bottomRight = {rect->right, rect->bottom};
    ClientToScreen(source, &topLeft);
    ScreenToClient(target, &topLeft);
    ClientToScreen(source, &bottomRight);
    ScreenToClient(target, &bottomRight);
    rect->left = topLeft.x;
    rect->top = topLeft.y;
    rect->right = bottomRight.x;
    rect->bottom = bottomRight.y;
}

void OpenDialogWithZoom(HWND dialog) {
    CentreWindowOnScreen(dialog);
    if (!gSettings.Zoom) return;
    POINT screenCentre;
    WindowCentrePoint(nullptr, &screenCentre);
    ZoomOpen(dialog, screenCentre, ZoomStepsInUse());
}

void CloseDialogZoom(HWND dialog) {
    if (gSettings.Zoom) ZoomClose(dialog, ZoomStepsInUse());
}

BOOL PaintDialogFrameOnly(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawDialogFrame(dialog, dc, 2);
    EndPaint(dialog, &paint);
    return TRUE;
}

BOOL CloseOnOkOrCancel(HWND dialog, WPARAM wParam) {
    if (wParam != IDOK && wParam != IDCANCEL) return FALSE;
    CloseDialogZoom(dialog);
    EndDialog(dialog, 1);
    return TRUE;
}
