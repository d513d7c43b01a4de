// Start-up of the one main window, its fonts, buttons and layout, and the
// message loop with the keyboard accelerators.
#include <windows.h>
#include <commctrl.h>

#include <ctime>

#include "engine/deck.h"
#include "engine/round.h"
#include "presentation/win32/screen_surface.h"
#include "presentation/win32/table.h"
#include "presentation/table_look.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"
#include "shell/box_texts.h"
#include "shell/win32/commands.h"
#include "shell/startup_sequence.h"
#include "shell/win32/status_line.h"

AppShell gShell;

namespace {

const char kClassName[] = "QuorvelWClass";

// Caption with system menu and minimise box, dialog frame: the window can
// be moved and minimised but never sized or maximised.
constexpr DWORD kMainWindowStyle = 0x80CA0000;
static_assert(kMainWindowStyle == (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              "the main window style");

// A modal frame around a plain push button, which also passes the dialog
// keyboard interface on to its parent.
constexpr DWORD kButtonExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_STATICEDGE;


}  // namespace

BOOL DefineMainClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "QuorvelIcon");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = "QuorvelMenu";
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

HFONT CreateAppFont(const char* face, int points, BOOL bold, BOOL italic) {
    HDC screen = GetDC(nullptr);
    int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    LOGFONTA font = {};
    font.lfHeight = -MulDiv(points, pixelsPerInch, 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = 0;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = 4;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

HWND CreateTableButton(const char* caption, int left, int top, int width,
                       int height, int command) {
    HWND button = CreateWindowExA(kButtonExStyle, "BUTTON", caption, WS_CHILD | WS_VISIBLE,
                                  left, top, width, height, gShell.mainWindow,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(command)),
                                  gShell.instance, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(gShell.ButtonFont), FALSE);
    EnableWindow(button, FALSE);
    return button;
}

// Offsets by half the client area, not the whole window, so a framed
// window sits a little right of and below the exact centre.
void CentreWindowOnScreen(HWND window) {
    int cx = GetSystemMetrics(SM_CXSCREEN) / 2;
    int cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    RECT client;
    GetClientRect(window, &client);
    int x = cx + (client.left - client.right) / 2;
    int y = cy + (client.top - client.bottom) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

namespace {

// Start-up's maker of the eight push buttons: each handle kept where the
// shell looks for it.
void MakeTableButton(const TableButtonSpec& made) {
    const LayoutRect& r = made.place;
    HWND button = CreateTableButton(made.caption, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                    made.command);
    switch (made.button) {
    case CoinButton: gShell.coinButton = button; break;
    case MaxButton: gShell.maxButton = button; break;
    case DealButton: gShell.dealButton = button; break;
    default: gSlots[made.button - HoldButton0].button = button; break;
    }
}

}  // namespace

BOOL OpenMainWindow(HINSTANCE instance, int showCommand) {
    using namespace TableLayout;
    gShell.instance = instance;
    InstallWin32GameHost();
    InstallWin32ShellHost();
    SeedFromClock(static_cast<int64_t>(std::time(nullptr)));
    InitCommonControls();
    ChooseScreenPath();

    HWND window = CreateWindowExA(0, kClassName, kGameCaption, kMainWindowStyle, 0, 0,
                                  kWindowWidth, kWindowHeight, nullptr, nullptr, instance,
                                  nullptr);
    if (!window) return FALSE;
    gShell.mainWindow = window;

    InitStatusLine();
    SetWindowPos(window, nullptr, 0, 0, kWindowWidth, WindowHeight(StatusLine.height),
                 SWP_NOZORDER | SWP_NOMOVE);
    CentreWindowOnScreen(window);

    gShell.BigFont = CreateAppFont(kTableFontFace, kBigFontPoints, TRUE, FALSE);
    gShell.ButtonFont = CreateAppFont(kTableFontFace, kButtonFontPoints, TRUE, FALSE);
    gShell.MessageFont = CreateAppFont(kTableFontFace, kMessageFontPoints, TRUE, FALSE);

    SetUpTable(LoadSettings, MakeTableButton);

    gShell.TableBrush = CreateSolidBrush(gSettings.BackColor);
    SetClassLongA(window, GCL_HBRBACKGROUND,
                  static_cast<LONG>(reinterpret_cast<LONG_PTR>(gShell.TableBrush)));

    ShowWindow(window, showCommand);
    UpdateWindow(window);

    gShell.accelerators = LoadAcceleratorsA(instance, "KeyAccelTable");
    PostMessageA(window, WM_COMMAND, IDM_NEW, 0);
    return TRUE;
}

// Accelerators apply to every message of the thread, so the keys work
// while a push button has the focus.  An error from GetMessageA is not
// told apart from a message: the loop simply goes on.
int RunMessageLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorA(gShell.mainWindow, gShell.accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
