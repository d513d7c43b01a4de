#include "tests/win32/harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <set>

namespace {

struct AnswerState {
    HHOOK hook = nullptr;
    std::deque<ModalAnswers::Handler> handlers;
    std::vector<ModalSeen> seen;
    std::set<HWND> known;
    std::deque<HWND> waiting;
};

AnswerState* gAnswers = nullptr;

void CALLBACK ServeModal(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!gAnswers || gAnswers->waiting.empty()) return;
    HWND window = gAnswers->waiting.front();
    gAnswers->waiting.pop_front();
    if (!IsWindow(window)) return;
    ModalAnswers::Handler handler;
    if (!gAnswers->handlers.empty()) {
        handler = gAnswers->handlers.front();
        gAnswers->handlers.pop_front();
    }
    int command = handler ? handler(window) : IDCANCEL;
    if (command != 0 && IsWindow(window)) {
        PostMessageA(window, WM_COMMAND, command, 0);
        if (!handler) PostMessageA(window, WM_COMMAND, IDNO, 0);
    }
}

LRESULT CALLBACK ModalHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && gAnswers) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (ClassNameOf(window) == "#32770" && !gAnswers->known.count(window)) {
            gAnswers->known.insert(window);
            ModalSeen seen{window, WindowTextOf(window), MessageBoxText(window)};
            gAnswers->seen.push_back(seen);
            gAnswers->waiting.push_back(window);
            SetTimer(nullptr, 0, 10, ServeModal);
        }
    }
    return CallNextHookEx(gAnswers ? gAnswers->hook : nullptr, code, wParam, lParam);
}

}  // namespace

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    MSG msg;
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return done();
        PumpMessages(10);
    }
    return true;
}

ModalAnswers::ModalAnswers() {
    gAnswers = new AnswerState;
    gAnswers->hook = SetWindowsHookExA(WH_CBT, ModalHook, nullptr, GetCurrentThreadId());
}

ModalAnswers::~ModalAnswers() {
    UnhookWindowsHookEx(gAnswers->hook);
    delete gAnswers;
    gAnswers = nullptr;
}

void ModalAnswers::Then(Handler handler) { gAnswers->handlers.push_back(handler); }

void ModalAnswers::ThenAnswer(int command) {
    Then([command](HWND) { return command; });
}

const std::vector<ModalSeen>& ModalAnswers::Seen() const { return gAnswers->seen; }

size_t ModalAnswers::Pending() const { return gAnswers->handlers.size(); }

std::string WindowTextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassNameOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowTextOf(text) : std::string();
}

std::string DialogTemplateCaption(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(5));   // RT_DIALOG
    if (!found) return "";
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    const size_t count = SizeofResource(module, found) / sizeof(WORD);
    // A plain template: style, extended style, item count, place, then the
    // menu and the class (each a string or 0xFFFF and an ordinal), then the
    // caption.
    size_t at = 9;
    for (int skip = 0; skip < 2 && at < count; ++skip) {
        if (words[at] == 0xFFFF) {
            at += 2;
        } else {
            while (at < count && words[at]) ++at;
            ++at;
        }
    }
    std::string caption;
    for (; at < count && words[at]; ++at) caption.push_back(static_cast<char>(words[at]));
    return caption;
}

std::string StringTableText(UINT id) {
    char text[512] = "";
    int n = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

std::vector<COLORREF> PixelsOfDc(HDC source, int left, int top, int width, int height) {
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    const DWORD* p = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)   // 0x00RRGGBB in a 32-bit DIB
        pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

std::vector<COLORREF> CaptureScreen(int* width, int* height) {
    int w = GetSystemMetrics(SM_CXSCREEN);
    int h = GetSystemMetrics(SM_CYSCREEN);
    if (width) *width = w;
    if (height) *height = h;
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    std::vector<COLORREF> pixels = PixelsOfDc(screen, 0, 0, w, h);
    DeleteDC(screen);
    return pixels;
}

namespace {
DWORD WINAPI Watchdog(LPVOID seconds) {
    Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(seconds)) * 1000);
    std::fprintf(stderr, "watchdog: the test program ran too long\n");
    std::fflush(stderr);
    ExitProcess(3);
}
}  // namespace

void ArmWatchdog(unsigned seconds) {
    HANDLE thread = CreateThread(nullptr, 0, Watchdog,
                                 reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(seconds)), 0, nullptr);
    CloseHandle(thread);
}

std::string FreshSettingsFile() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n);
    p = p.substr(0, p.find_last_of('\\') + 1) + "quorvel.ini";
    DeleteFileA(p.c_str());
    return p;
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    return text;
}

// Every Win32 test program starts here: a watchdog, then GoogleTest.
int main(int argc, char** argv) {
    ArmWatchdog(200);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
