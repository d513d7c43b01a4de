// Measures the Windows program as a player meets it: how long the game takes
// to come up, how big it is, what drawing the table costs, how long the zoom
// and the jackpot screen hold the game, and what it uses while it sits idle.
// Run under Wine with an X display:
//   build/win32/wine-run build/win32/bench/win32_table_bench.exe build/win32/shell/quorvel.exe
// Nothing here is a pass/fail test; it prints figures.
#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/deck.h"
#include "engine/round.h"
#include "presentation/win32/bitmaps.h"
#include "presentation/win32/table.h"
#include "presentation/win32/zoom.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double FileTimeMs(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 10000.0;
}

double ProcessCpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    return FileTimeMs(kernel) + FileTimeMs(user);
}

// The real program, started from a copy in a scratch directory so that its
// settings file (no exit question) does not touch the player's own.
void MeasureRealProgram(const char* exe) {
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(exe, GetFileExInfoStandard, &info)) {
        std::printf("quorvel.exe not found at %s\n", exe);
        return;
    }
    std::printf("executable size             %lu bytes\n", info.nFileSizeLow);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "quorvel-bench";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string copy = dir + "\\quorvel.exe";
    CopyFileA(exe, copy.c_str(), FALSE);
    WritePrivateProfileStringA("Settings", "ConfirmExit", "0", (dir + "\\quorvel.ini").c_str());

    for (int run = 0; run < 3; ++run) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::string command = "\"" + copy + "\"";
        double start = NowMs();
        if (!CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                            dir.c_str(), &startup, &process)) {
            std::printf("could not start %s\n", copy.c_str());
            return;
        }
        // Idle for input means start-up, the posted New command and the first
        // paint have all been handled.
        WaitForInputIdle(process.hProcess, 20000);
        // Then the window is shown and has no part left to paint.
        HWND window = nullptr;
        while (NowMs() - start < 20000) {
            window = FindWindowA("QuorvelWClass", nullptr);
            if (window && IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE)) break;
            Sleep(1);
        }
        double ready = NowMs() - start;
        std::printf("start to first paint (run %d) %.0f ms\n", run + 1, ready);

        if (run == 0) {
            Sleep(500);
            double before = ProcessCpuMs(process.hProcess);
            Sleep(5000);
            double after = ProcessCpuMs(process.hProcess);
            std::printf("CPU while idle for 5 s      %.1f ms\n", after - before);
        }
        if (window) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteFileA(copy.c_str());
    DeleteFileA((dir + "\\quorvel.ini").c_str());
    RemoveDirectoryA(dir.c_str());
}

// The table drawn in this process, on a window opened as the program opens it.
void MeasureDrawing() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    double start = NowMs();
    if (!DefineMainClass(instance) || !OpenMainWindow(instance, SW_SHOW)) {
        std::printf("could not open the main window\n");
        return;
    }
    UpdateWindow(gShell.mainWindow);
    Pump();
    std::printf("open window in process      %.1f ms\n", NowMs() - start);
    gSettings.ConfirmExit = 0;
    gSettings.Sound = 0;

    // Face cards on the table, as after a deal.
    for (int i = 0; i < kSlotCount; ++i) {
        gSlots[i].card = static_cast<Card>(i * 7);
        lstrcpynA(gSlots[i].name, gDeck[i * 7].name, sizeof gSlots[i].name);
    }
    const int cards = 5000;
    start = NowMs();
    for (int i = 0; i < cards; ++i) DrawCard(i % kSlotCount);
    GdiFlush();
    std::printf("DrawCard                    %.1f us each\n", 1000.0 * (NowMs() - start) / cards);

    const int paints = 300;
    start = NowMs();
    for (int i = 0; i < paints; ++i)
        RedrawWindow(gShell.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    std::printf("full repaint                %.2f ms each\n", (NowMs() - start) / paints);

    const int meters = 3000;
    start = NowMs();
    for (int i = 0; i < meters; ++i) DrawReadouts();
    GdiFlush();
    std::printf("meters redraw               %.1f us each\n", 1000.0 * (NowMs() - start) / meters);

    POINT centre;
    WindowCentrePoint(nullptr, &centre);
    for (int steps : {18, 2, 100}) {
        start = NowMs();
        ZoomOpen(gShell.mainWindow, centre, steps);
        double open = NowMs() - start;
        start = NowMs();
        ZoomClose(gShell.mainWindow, steps);
        std::printf("zoom, %3d steps             open %.0f ms, close %.0f ms\n", steps, open,
                    NowMs() - start);
    }

    start = NowMs();
    ShowJackpotScreen();
    std::printf("jackpot screen, sound off   %.0f ms\n", NowMs() - start);

    DestroyWindow(gShell.mainWindow);
    Pump();
}

}  // namespace

int main(int argc, char** argv) {
    MeasureDrawing();
    if (argc > 1) MeasureRealProgram(argv[1]);
    else std::printf("give the path of quorvel.exe to measure the real program\n");
    return 0;
}
