// The dialogs' opening and closing zoom and their raised frame.
#pragma once
#include <windows.h>

#include "presentation/zoom_trail.h"

void DrawZoomFrame(HDC dc, POINT origin, const RECT* target, float t);
void ZoomOpen(HWND dialog, POINT origin, int steps);
void ZoomClose(HWND dialog, int steps);
void DrawDialogFrame(HWND window, HDC dc, int width);
void MapRectToWindow(HWND target, HWND source, RECT* rect);

// What every dialog does on WM_INITDIALOG and on closing: centre, and zoom
// when Zoom is on (with the step count in use).
void OpenDialogWithZoom(HWND dialog);
void CloseDialogZoom(HWND dialog);

// The shared handlers of the dialogs that only show something: WM_PAINT
// with nothing but the two-line frame, and WM_COMMAND where OK and Cancel
// (Escape, the close box) both close with the zoom and result 1.
BOOL PaintDialogFrameOnly(HWND dialog);
BOOL CloseOnOkOrCancel(HWND dialog, WPARAM wParam);
