// The surface that the whole-screen effects (the jackpot screen, the screen
// inversion and the dialog zoom) draw on, in screen coordinates.
//
// Where a program's drawing on the display reaches the screen (Windows), it
// is a display device context.  Where it does not (Wine keeps such drawing
// in a private copy that never reaches the X server), it is the device
// context of a topmost cover window over the whole screen that starts as a
// picture of the screen; closing the surface removes the cover, which gives
// the screen back.
//
// An effect opens the surface, draws its steps, calls ShowScreenSurface
// before each pause so that the player sees the step, and closes it.
// Nothing here handles a message: input, paint and timers wait until the
// effect has returned.
#pragma once
#include <windows.h>

// The one answer to "is this Wine?", for what Wine does differently.
bool RunsUnderWine();

enum ScreenPath { ScreenPathUnknown, ScreenPathDisplay, ScreenPathCover };

// Chosen once at start-up; a test may set it to run either path.
extern ScreenPath gScreenPath;
void ChooseScreenPath();

struct ScreenSurface {
    HDC dc;
    HWND cover;     // null on the display path
};

ScreenSurface OpenScreenSurface();
void ShowScreenSurface(const ScreenSurface& surface);
void CloseScreenSurface(const ScreenSurface& surface);
