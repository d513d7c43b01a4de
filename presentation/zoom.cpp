// The exploding and imploding trail of dotted outlines around the dialogs,
// the dialogs' raised frame and rectangle mapping between windows.
//
// The outlines are drawn by exclusive-or on the screen's surface, so every
// outline is drawn exactly twice and the screen is left as it was.
#include "presentation/zoom.h"

#include "presentation/bitmaps.h"
#include "presentation/screen_surface.h"
#include "settings/settings.h"
#include "shell/app_shell.h"

namespace {

constexpr DWORD kZoomPauseMs = 30;
constexpr int kTrailLength = 3;         // outlines on the screen at a time
constexpr COLORREF kFrameShadow = RGB(127, 127, 127);

// Fewer than two steps would divide by zero or leave outlines unpaired.
int UsableSteps(int steps) { return steps < kMinZoomSteps ? kMinZoomSteps : steps; }

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

void DrawStep(const ZoomCanvas& canvas, POINT origin, const RECT& target, int i, int steps) {
    DrawZoomFrame(canvas.screen.dc, origin, &target, ZoomFraction(i, steps));
}

}  // namespace

float ZoomFraction(int i, int steps) {
    int s = UsableSteps(steps);
    return static_cast<float>(1.0 - static_cast<double>(i) / s);
}

void DrawZoomFrame(HDC dc, POINT origin, const RECT* target, float t) {
    double tt = t;
    double u = 1.0 - tt;
    RECT frame;
    frame.left = static_cast<LONG>(origin.x * u + target->left * tt);
    frame.top = static_cast<LONG>(origin.y * u + target->top * tt);
    frame.right = static_cast<LONG>(origin.x * u + target->right * tt);
    frame.bottom = static_cast<LONG>(origin.y * u + target->bottom * tt);
    DrawFocusRect(dc, &frame);
}

void ZoomOpen(HWND dialog, POINT origin, int steps) {
    int s = UsableSteps(steps);
    ZoomCanvas canvas = OpenZoomCanvas();
    RECT target;
    GetWindowRect(dialog, &target);
    for (int i = s; i > s - kTrailLength; --i) {
        DrawStep(canvas, origin, target, i, s);
        Pause(canvas);
    }
    for (int i = s - kTrailLength; i >= 0; --i) {
        DrawStep(canvas, origin, target, i, s);
        DrawStep(canvas, origin, target, i + kTrailLength, s);
        Pause(canvas);
    }
    for (int i = kTrailLength - 1; i >= 0; --i) {
        DrawStep(canvas, origin, target, i, s);
        Pause(canvas);
    }
    CloseZoomCanvas(canvas);
}

void ZoomClose(HWND dialog, int steps) {
    int s = UsableSteps(steps);
    ZoomCanvas canvas = OpenZoomCanvas();
    RECT target;
    GetWindowRect(dialog, &target);
    POINT centre = {(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    for (int i = 0; i < kTrailLength; ++i) {
        DrawStep(canvas, centre, target, i, s);
        Pause(canvas);
    }
    for (int i = 0; i <= s - kTrailLength; ++i) {
        DrawStep(canvas, centre, target, i, s);
        DrawStep(canvas, centre, target, i + kTrailLength, s);
        Pause(canvas);
    }
    for (int i = s - kTrailLength + 1; i <= s; ++i) {
        DrawStep(canvas, centre, target, i, s);
        Pause(canvas);
    }
    CloseZoomCanvas(canvas);
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
