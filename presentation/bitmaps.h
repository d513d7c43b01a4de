// The jackpot screen and the bitmap helpers shared with the dialogs.
#pragma once
#include <windows.h>

void ShowJackpotScreen();
void InvertScreen(HDC dc);
void WaitMs(DWORD ms);
void DrawBitmapAt(HINSTANCE module, HDC dc, int x, int y, const char* name,
                  DWORD rop);
DWORD GetBitmapSize(HINSTANCE module, const char* name);  // height<<16 | width
void WindowCentrePoint(HWND window, POINT* point);
void DrawBitmapCentred(HINSTANCE module, HWND window, HDC dc,
                       const char* name, DWORD rop);
