// Shared helpers for the Win32 test programs: pumping the queue, answering
// the modal dialogs and message boxes that a test opens, reading pixels.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches messages for about `ms` milliseconds (input, timers, paint).
void PumpMessages(DWORD ms = 150);

// Pumps until `done` returns true or `timeoutMs` passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// What the test saw of one modal window (dialog or message box).
struct ModalSeen {
    HWND window;
    std::string caption;
    std::string text;       // a message box's text; "" for other dialogs
};

// Answers modal windows of class "#32770" as they activate on this thread.
// Each new one is handed to the next queued handler, called from a thread
// timer inside the modal loop so that it can inspect and drive the window;
// the handler returns the command to post (IDOK, IDYES, ...) or 0 when it has
// closed the window itself.  With no handler queued the window is recorded
// and closed with IDCANCEL, then IDNO, so that no test can hang on it.
class ModalAnswers {
public:
    using Handler = std::function<int(HWND)>;
    ModalAnswers();
    ~ModalAnswers();
    void Then(Handler handler);
    void ThenAnswer(int command);   // a handler that only answers
    const std::vector<ModalSeen>& Seen() const;
    size_t Pending() const;
};

std::string WindowTextOf(HWND window);
std::string ClassNameOf(HWND window);
std::string MessageBoxText(HWND box);   // the static text of a message box
// The caption a dialog template of the program's resources gives its window.
std::string DialogTemplateCaption(const char* name);
// A text of the program's own string table, "" where it has none: what a
// test expects the program to show.
std::string StringTableText(UINT id);

// Pixels through a device context of the window (its own pixels, even when
// covered) and of the whole screen as it really is.
COLORREF WindowPixel(HWND window, int x, int y);
// A rectangle of any device context, row by row, read in one go through a
// 32-bit DIB.
std::vector<COLORREF> PixelsOfDc(HDC source, int left, int top, int width, int height);
std::vector<COLORREF> CaptureScreen(int* width = nullptr, int* height = nullptr);

// Makes the process end with a failure message after `seconds`, whatever it
// is blocked in; armed by the test main.
void ArmWatchdog(unsigned seconds);

// Removes "quorvel.ini" beside the test program, so a test starts from the
// defaults; returns its full path.
std::string FreshSettingsFile();
std::string ReadWholeFile(const std::string& path);
