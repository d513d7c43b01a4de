// Drawing of the table, the cards, the read-outs and the message line.
#pragma once
#include <windows.h>

#include "presentation/message_flash.h"

extern char MessageText[256];

void PaintTable(HWND window, HDC dc);
void DrawMeters(HDC dc);
void DrawReadouts();        // GetDC, DrawMeters, ReleaseDC on the main window
void DrawAllCards();
void DrawCard(int slot);
void RoundCardCorners(HDC memoryDc, COLORREF colour);
void DrawBitmapInRect(HINSTANCE module, HDC dc, const RECT* rect,
                      const char* name, DWORD rop);
void DrawDenominationBadge(HDC dc, int x, int y);
void MessageLineRect(RECT* rect);
void DrawMessageLine();
void LoadMessage(int stringId);     // string into MessageText, then draw it
void StartMessageFlash();
void StopMessageFlash();
void FlashMessageLine();
