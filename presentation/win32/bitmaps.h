// The jackpot screen and the bitmap helpers shared with the dialogs.
#pragma once
#include <windows.h>

#include "presentation/win32/screen_surface.h"

void ShowJackpotScreen();
void InvertScreen(HDC dc);
// With a surface, it is shown again after every slice of the wait: a window
// manager may map a cover only after a step was shown, and the X server then
// asks for the pixels again, which Wine sends when the thread looks at its
// queue.
void WaitMs(DWORD ms, const ScreenSurface* shown = nullptr);
void DrawBitmapAt(HINSTANCE module, HDC dc, int x, int y, const char* name,
                  DWORD rop);
DWORD GetBitmapSize(HINSTANCE module, const char* name);  // height<<16 | width
void WindowCentrePoint(HWND window, POINT* point);
void DrawBitmapCentred(HINSTANCE module, HWND window, HDC dc,
                       const char* name, DWORD rop);
