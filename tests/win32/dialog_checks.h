// Checks shared by the dialog and screen-effect tests: the raised frame and
// the centring every dialog gets, and captures of the whole screen taken
// from a second thread while the test thread is blocked in an effect.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/deck.h"
#include "tests/win32/harness.h"

const COLORREF kFrameLight = RGB(255, 255, 255);
const COLORREF kFrameShadow = RGB(127, 127, 127);

// The two nested rings inside the client area: light on the left and top,
// dark on the right and bottom, sampled halfway along each side.
inline void ExpectRaisedFrame(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int r = client.right - 1;
    int b = client.bottom - 1;
    for (int ring = 0; ring < 2; ++ring) {
        EXPECT_EQ(WindowPixel(window, ring, b / 2), kFrameLight) << "left, ring " << ring;
        EXPECT_EQ(WindowPixel(window, r / 2, ring), kFrameLight) << "top, ring " << ring;
        EXPECT_EQ(WindowPixel(window, r - ring, b / 2), kFrameShadow) << "right, ring " << ring;
        EXPECT_EQ(WindowPixel(window, r / 2, b - ring), kFrameShadow) << "bottom, ring " << ring;
    }
    // The corners where the light and dark sides meet.
    EXPECT_EQ(WindowPixel(window, 0, b), kFrameLight);
    EXPECT_EQ(WindowPixel(window, r, 0), kFrameShadow);
}

// Centred by half the client area's size, so that a window with a caption
// sits a little right of and below the exact centre.
inline void ExpectCentredOnScreen(HWND window) {
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - client.right / 2);
    EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - client.bottom / 2);
}

// Captures the whole screen at the given times (ms after Start) on its own
// thread.
class ScreenSampler {
public:
    explicit ScreenSampler(std::vector<DWORD> offsetsMs) : offsets_(std::move(offsetsMs)) {}
    ~ScreenSampler() { Join(); }

    void Start() {
        start_ = GetTickCount();
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }

    void Join() {
        if (!thread_) return;
        WaitForSingleObject(thread_, 30000);
        CloseHandle(thread_);
        thread_ = nullptr;
    }

    const std::vector<COLORREF>& Shot(size_t i) const { return shots_[i]; }
    size_t Count() const { return shots_.size(); }

private:
    static DWORD WINAPI Run(LPVOID self) {
        auto* sampler = static_cast<ScreenSampler*>(self);
        for (DWORD offset : sampler->offsets_) {
            DWORD elapsed = GetTickCount() - sampler->start_;
            if (elapsed < offset) Sleep(offset - elapsed);
            sampler->shots_.push_back(CaptureScreen());
        }
        return 0;
    }

    std::vector<DWORD> offsets_;
    std::vector<std::vector<COLORREF>> shots_;
    DWORD start_ = 0;
    HANDLE thread_ = nullptr;
};

inline size_t CountDifferences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    if (a.size() != b.size()) return a.size() > b.size() ? a.size() : b.size();
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) ++differing;
    return differing;
}

inline bool AnyShotDiffers(const std::vector<COLORREF>& before, const ScreenSampler& sampler) {
    for (size_t i = 0; i < sampler.Count(); ++i)
        if (CountDifferences(before, sampler.Shot(i)) > 0) return true;
    return false;
}

// Milliseconds that `action` takes.
template <typename Action>
DWORD TimeOf(Action action) {
    DWORD start = timeGetTime();
    action();
    return timeGetTime() - start;
}

// Every pixel of a bitmap resource as the screen shows it, row by row.
inline std::vector<COLORREF> BitmapPixels(const char* name, int* width, int* height) {
    std::vector<COLORREF> pixels;
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
    if (!bitmap) return pixels;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    *width = info.bmWidth;
    *height = info.bmHeight;
    BITMAPINFO wanted = {};
    wanted.bmiHeader.biSize = sizeof wanted.bmiHeader;
    wanted.bmiHeader.biWidth = info.bmWidth;
    wanted.bmiHeader.biHeight = -info.bmHeight;
    wanted.bmiHeader.biPlanes = 1;
    wanted.bmiHeader.biBitCount = 32;
    wanted.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, bits.data(), &wanted, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (DWORD p : bits) pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return pixels;
}

// How many pixels of a bitmap resource differ from the screen capture (or
// window pixels) `shot` of width `shotWidth` with the bitmap at (x, y).
inline int PictureMismatches(const std::vector<COLORREF>& shot, int shotWidth, int x, int y,
                             const char* name) {
    int w = 0, h = 0;
    std::vector<COLORREF> picture = BitmapPixels(name, &w, &h);
    if (picture.empty()) return -1;
    int bad = 0;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            if (shot[static_cast<size_t>(y + row) * shotWidth + x + col] !=
                picture[static_cast<size_t>(row) * w + col])
                ++bad;
    return bad;
}

// Pixels of a window that differ from a 71 x 96 card picture drawn at
// (x, y) with its twelve corner pixels in `corner`: the table colour on the
// table, light grey in the dialogs.
inline int CardPictureMismatches(HWND window, int x, int y, const char* name,
                                 COLORREF corner = RGB(192, 192, 192)) {
    int w = 0, h = 0;
    std::vector<COLORREF> picture = BitmapPixels(name, &w, &h);
    if (picture.empty()) return -1;
    static const POINT kCorners[] = {{0, 0},  {0, 1},  {1, 0},   {69, 0},  {70, 0}, {70, 1},
                                     {70, 94}, {70, 95}, {69, 95}, {1, 95}, {0, 95}, {0, 94}};
    for (const POINT& p : kCorners)
        picture[static_cast<size_t>(p.y) * w + p.x] = corner;
    HDC dc = GetDC(window);
    int bad = 0;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            if (GetPixel(dc, x + col, y + row) != picture[static_cast<size_t>(row) * w + col]) ++bad;
    ReleaseDC(window, dc);
    return bad;
}

// The same for the card on a table slot, its corners in the table colour.
inline int SlotCardMismatches(HWND table, int slot, const char* name, COLORREF felt) {
    return CardPictureMismatches(table, gSlots[slot].x, gSlots[slot].y, name, felt);
}

// A dialog that zooms open is shown by its modal loop only after the zoom,
// once its queue is empty, so a ModalAnswers handler can run while it is
// still hidden.  This runs `inspect` from the modal loop once the dialog is
// on the screen; the handler returns its result (0: `inspect` closes it).
struct ShownDialogWait {
    HWND dialog = nullptr;
    std::function<void(HWND)> inspect;
};

inline ShownDialogWait& PendingShownDialog() {
    static ShownDialogWait pending;
    return pending;
}

inline void CALLBACK CheckDialogShown(HWND, UINT, UINT_PTR timer, DWORD) {
    ShownDialogWait& pending = PendingShownDialog();
    if (!IsWindow(pending.dialog)) {
        KillTimer(nullptr, timer);
        return;
    }
    if (!IsWindowVisible(pending.dialog)) return;
    KillTimer(nullptr, timer);
    std::function<void(HWND)> inspect = pending.inspect;
    pending.inspect = nullptr;
    inspect(pending.dialog);
}

inline int OnceShown(HWND dialog, std::function<void(HWND)> inspect) {
    PendingShownDialog().dialog = dialog;
    PendingShownDialog().inspect = std::move(inspect);
    SetTimer(nullptr, 0, 10, CheckDialogShown);
    return 0;
}

// A ModalAnswers handler that runs `inspect` once the dialog is shown and
// then posts the command it returns (0: none, `inspect` closed it).
inline std::function<int(HWND)> WhenShown(std::function<int(HWND)> inspect) {
    return [inspect](HWND dialog) {
        return OnceShown(dialog, [inspect](HWND shown) {
            int command = inspect(shown);
            if (command) PostMessageA(shown, WM_COMMAND, command, 0);
        });
    };
}
