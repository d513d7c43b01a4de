// The effects drawn over the whole screen and the helpers under them: the
// jackpot screen (alone and after a royal flush on the real table), the
// zoom trail and its step counts, the blocking wait and the bitmap helpers.
//
// Under Wine the effects draw on a cover window that is pushed to the X
// server, and the screen captured here is what X shows; the display-context
// path that Windows takes is run too, though under Wine its drawing is only
// seen by this process.  screen_effects_seen.sh looks from outside.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "presentation/win32/bitmaps.h"
#include "presentation/jackpot_plan.h"
#include "presentation/win32/screen_surface.h"
#include "presentation/win32/zoom.h"
#include "tests/engine/test_cards.h"
#include "tests/win32/dialog_checks.h"
#include "tests/win32/table_fixture.h"

namespace {

const char kPlainClass[] = "ScreenEffectsTestWindow";
int gHandledMessages = 0;   // probes, timer ticks and paints
const UINT kProbeMessage = WM_APP + 7;

// White with a dark band through it, so that the screen has something to
// restore; painted whenever asked, as any window that gets uncovered.
void PaintPlainWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT band;
    GetClientRect(window, &band);
    band.top = band.bottom / 3;
    band.bottom = band.top + 20;
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    EndPaint(window, &paint);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbeMessage || message == WM_TIMER) {
        ++gHandledMessages;
        return 0;
    }
    if (message == WM_PAINT) {
        ++gHandledMessages;
        PaintPlainWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A popup with a client area of the given size at (x, y), shown without
// taking the focus and painted.
HWND OpenPlainWindow(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_BORDER) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kPlainClass;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        registered = RegisterClassA(&wc) != 0;
    }
    RECT r = {0, 0, width, height};
    AdjustWindowRect(&r, style, FALSE);
    HWND window = CreateWindowExA(0, kPlainClass, "effects", style, x, y, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    PumpMessages(100);
    gHandledMessages = 0;
    return window;
}

void CALLBACK CountThreadTick(HWND, UINT, UINT_PTR, DWORD) { ++gHandledMessages; }

UINT_PTR gThreadTimer = 0;

// A posted message, due window and thread timers and a pending repaint, none
// of which an effect may handle while it runs ...
void QueueWorkFor(HWND window) {
    PostMessageA(window, kProbeMessage, 0, 0);
    SetTimer(window, 1, 1, nullptr);
    gThreadTimer = SetTimer(nullptr, 0, 1, CountThreadTick);
    InvalidateRect(window, nullptr, TRUE);
    gHandledMessages = 0;
}

// ... and which are all still there to be handled afterwards.
void ExpectQueueHeldThenServed(HWND window) {
    EXPECT_EQ(gHandledMessages, 0) << "a message, tick or paint was handled during the effect";
    PumpMessages(100);
    KillTimer(window, 1);
    KillTimer(nullptr, gThreadTimer);
    EXPECT_GE(gHandledMessages, 4) << "the posted message, a tick or the repaint was lost";
}

const char* PathName(ScreenPath path) {
    return path == ScreenPathCover ? "cover" : "display";
}

POINT ScreenCentre() {
    POINT centre;
    WindowCentrePoint(nullptr, &centre);
    return centre;
}

class ScreenEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        gShell.instance = GetModuleHandleA(nullptr);
        ResetSettings();
        ChooseScreenPath();
        gSettings.Sound = 0;
        gHandledMessages = 0;
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        PumpMessages(50);
    }
    HWND window = nullptr;
};

// ---- The blocking wait ------------------------------------------------------

TEST_F(ScreenEffectsTest, WaitBlocksWithoutHandlingMessagesOrBusyingTheProcessor) {
    window = OpenPlainWindow(10, 10, 50, 50);
    PostMessageA(window, kProbeMessage, 0, 0);
    SetTimer(window, 1, 1, nullptr);
    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelBefore, &userBefore);
    DWORD took = TimeOf([] { WaitMs(300); });
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelAfter, &userAfter);
    EXPECT_GE(took, 300u);
    EXPECT_EQ(gHandledMessages, 0) << "a message or timer was handled during the wait";

    auto ticks = [](const FILETIME& f) {
        return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    ULONGLONG busy100ns = ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) -
                          ticks(userBefore);
    EXPECT_LT(busy100ns / 10000, 150u) << "the wait kept the processor busy";
    std::printf("WaitMs(300): %lu ms, %llu ms of processor time\n", took, busy100ns / 10000);

    KillTimer(window, 1);
    PumpMessages(50);
    EXPECT_GE(gHandledMessages, 1) << "the posted message was lost";
    EXPECT_LT(TimeOf([] { WaitMs(0); }), 20u);
}

// ---- Bitmap helpers ---------------------------------------------------------

TEST_F(ScreenEffectsTest, BitmapSizeIsPackedHeightOverWidth) {
    EXPECT_EQ(GetBitmapSize(gShell.instance, "Jackpot"), 0x00E60208u);   // 520 x 230
    EXPECT_EQ(GetBitmapSize(gShell.instance, "OddsBmp"), (365u << 16) | 380u);
    EXPECT_EQ(GetBitmapSize(gShell.instance, "Club1"), (96u << 16) | 71u);
    EXPECT_EQ(GetBitmapSize(gShell.instance, "NoSuchPicture"), 0u);
}

TEST_F(ScreenEffectsTest, BitmapsAreDrawnAtAPointAndCentredOnAWindowOrTheScreen) {
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, sw, sh);
    HGDIOBJ old = SelectObject(memory, canvas);
    auto clear = [&] {
        RECT all = {0, 0, sw, sh};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    };
    auto pixels = [&] {
        std::vector<COLORREF> p;
        p.reserve(static_cast<size_t>(sw) * sh);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), sw, -sh, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<DWORD> bits(static_cast<size_t>(sw) * sh);
        SelectObject(memory, old);
        GetDIBits(memory, canvas, 0, sh, bits.data(), &info, DIB_RGB_COLORS);
        SelectObject(memory, canvas);
        for (DWORD b : bits) p.push_back(RGB((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF));
        return p;
    };

    clear();
    DrawBitmapAt(gShell.instance, memory, 10, 20, "Club1", SRCCOPY);
    std::vector<COLORREF> shot = pixels();
    EXPECT_EQ(PictureMismatches(shot, sw, 10, 20, "Club1"), 0);
    EXPECT_EQ(shot[20 * sw + 9], RGB(255, 255, 255)) << "drawn beyond its own size";
    EXPECT_EQ(shot[(20 + 96) * sw + 10], RGB(255, 255, 255));

    // A client area of 301 x 201 has its centre at (150, 100).
    window = OpenPlainWindow(40, 40, 301, 201);
    POINT centre;
    WindowCentrePoint(window, &centre);
    EXPECT_EQ(centre.x, 150);
    EXPECT_EQ(centre.y, 100);
    clear();
    DrawBitmapCentred(gShell.instance, window, memory, "Joker", SRCCOPY);
    shot = pixels();
    EXPECT_EQ(PictureMismatches(shot, sw, 150 - 35, 100 - 48, "Joker"), 0);

    POINT screenCentre = ScreenCentre();
    EXPECT_EQ(screenCentre.x, sw / 2);
    EXPECT_EQ(screenCentre.y, sh / 2);
    clear();
    DrawBitmapCentred(gShell.instance, nullptr, memory, "Jackpot", SRCCOPY);
    shot = pixels();
    EXPECT_EQ(PictureMismatches(shot, sw, sw / 2 - 260, sh / 2 - 115, "Jackpot"), 0);

    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// ---- The jackpot screen -----------------------------------------------------

// Where the jackpot screen puts its picture on a screen of sw x sh.
POINT JackpotPicturePlace(int sw, int sh) {
    int w = 0, h = 0;
    BitmapPixels(kJackpotPicture, &w, &h);
    return {JackpotPictureLeft(sw, w), JackpotPictureTop(sh, h)};
}

// Black with the picture in the middle, inverted, normal again, and at the
// end exactly the screen as it was.
void ExpectJackpotSequence(const ScreenSampler& sampler, size_t black, size_t inverted,
                           size_t normal) {
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<COLORREF>& first = sampler.Shot(black);
    EXPECT_EQ(first[0], RGB(0, 0, 0));
    EXPECT_EQ(first[static_cast<size_t>(sw) * sh - 1], RGB(0, 0, 0));
    EXPECT_EQ(first[static_cast<size_t>(sh / 2) * sw + 10], RGB(0, 0, 0));
    const POINT picture = JackpotPicturePlace(sw, sh);
    EXPECT_EQ(PictureMismatches(first, sw, picture.x, picture.y, kJackpotPicture), 0)
        << "the picture is not centred on the screen";
    const std::vector<COLORREF>& second = sampler.Shot(inverted);
    size_t notInverted = 0;
    for (size_t i = 0; i < first.size(); ++i)
        if (second[i] != (first[i] ^ 0x00FFFFFF)) ++notInverted;
    EXPECT_EQ(notInverted, 0u) << "the second phase is not the whole screen inverted";
    EXPECT_EQ(CountDifferences(sampler.Shot(normal), first), 0u);
}

// With sound on each flash lasts the fanfare; where the fanfare cannot play
// (no sound device here) it still lasts the second, so the picture is seen.
class JackpotScreenTest : public ScreenEffectsTest,
                          public ::testing::WithParamInterface<std::tuple<int, ScreenPath>> {};

TEST_P(JackpotScreenTest, ShownForThreeFlashesThenTheScreenIsRestored) {
    gSettings.Sound = std::get<0>(GetParam());
    gScreenPath = std::get<1>(GetParam());
    window = OpenPlainWindow(100, 120, 400, 300);
    std::vector<COLORREF> before = CaptureScreen();
    QueueWorkFor(window);
    ScreenSampler sampler({500, 1500, 2500});
    sampler.Start();
    DWORD took = TimeOf([] { ShowJackpotScreen(); });
    std::vector<COLORREF> after = CaptureScreen();
    sampler.Join();
    ExpectQueueHeldThenServed(window);
    std::printf("jackpot screen with Sound=%d on the %s: %lu ms\n", gSettings.Sound,
                PathName(gScreenPath), took);
    EXPECT_GE(took, 3000u);
    ASSERT_EQ(sampler.Count(), 3u);
    ExpectJackpotSequence(sampler, 0, 1, 2);
    EXPECT_EQ(CountDifferences(before, after), 0u) << "the screen was not restored";
}

INSTANTIATE_TEST_SUITE_P(SoundAndPath, JackpotScreenTest,
                         ::testing::Values(std::make_tuple(0, ScreenPathCover),
                                           std::make_tuple(1, ScreenPathCover),
                                           std::make_tuple(0, ScreenPathDisplay)));

class JackpotOnTableTest : public TableWindowTest {};

// A natural royal flush drawn on the real table pays 1000 per coin and
// takes over the screen before the table comes back.
TEST_F(JackpotOnTableTest, RoyalFlushShowsTheJackpotScreenAndGivesTheTableBack) {
    StartGame();
    Command(IDM_COIN);
    Command(IDM_DEAL);
    ASSERT_TRUE(WaitForDealEnd());
    PumpMessages(100);
    std::vector<COLORREF> before = CaptureScreen();
    ScreenSampler sampler({900});
    Command(IDM_DEAL);
    PutUnheld({CardOf("TS"), CardOf("JS"), CardOf("QS"), CardOf("KS"), CardOf("AS")});
    sampler.Start();
    ASSERT_TRUE(WaitForDealEnd(10000));
    sampler.Join();
    EXPECT_EQ(gStats.credits, 40 - 1 + 1000);
    EXPECT_EQ(gStats.handsWon[RoyalFlush], 1);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<COLORREF>& during = sampler.Shot(0);
    EXPECT_EQ(during[0], RGB(0, 0, 0));
    const POINT picture = JackpotPicturePlace(sw, sh);
    EXPECT_EQ(PictureMismatches(during, sw, picture.x, picture.y, kJackpotPicture), 0);
    // The table is back: outside the window nothing changed at all.
    std::vector<COLORREF> after = CaptureScreen();
    RECT w;
    GetWindowRect(window, &w);
    size_t outside = 0;
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            if ((x < w.left || x >= w.right || y < w.top || y >= w.bottom) &&
                before[static_cast<size_t>(y) * sw + x] != after[static_cast<size_t>(y) * sw + x])
                ++outside;
    EXPECT_EQ(outside, 0u);
    EXPECT_EQ(SlotCardMismatches(window, 0, "Spade10", gSettings.BackColor), 0);
}

// ---- The zoom ---------------------------------------------------------------

TEST(ZoomGeometry, FractionsAreSinglePrecisionAndFramesTruncate) {
    EXPECT_EQ(ZoomFraction(0, 18), 1.0f);
    EXPECT_EQ(ZoomFraction(18, 18), 0.0f);
    EXPECT_EQ(ZoomFraction(1, 3), static_cast<float>(1.0 - 1.0 / 3.0));
    EXPECT_EQ(ZoomFraction(5, 18), static_cast<float>(1.0 - 5.0 / 18.0));

    // With t = 2/3 in single precision the exact values 40, 30, 173.33 and
    // 96.67 come out a hair low, and truncation gives 39, 29, 173, 96.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 240, 160);
    HGDIOBJ old = SelectObject(memory, canvas);
    RECT all = {0, 0, 240, 160};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT target = {10, 20, 210, 120};
    DrawZoomFrame(memory, POINT{100, 50}, &target, ZoomFraction(1, 3));
    RECT box = {240, 160, -1, -1};
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            if (GetPixel(memory, x, y) != RGB(255, 255, 255)) {
                box.left = x < box.left ? x : box.left;
                box.top = y < box.top ? y : box.top;
                box.right = x > box.right ? x : box.right;
                box.bottom = y > box.bottom ? y : box.bottom;
            }
    EXPECT_EQ(box.left, 39);
    EXPECT_EQ(box.top, 29);
    EXPECT_EQ(box.right, 173 - 1);
    EXPECT_EQ(box.bottom, 96 - 1);
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class ZoomTrailTest : public ScreenEffectsTest,
                      public ::testing::WithParamInterface<std::tuple<int, ScreenPath>> {};

// The trail shows on the screen while it runs and is gone, to the last
// pixel, when the zoom returns; open and close both.
TEST_P(ZoomTrailTest, TrailShowsAndLeavesTheScreenAsItWas) {
    int steps = std::get<0>(GetParam());
    gScreenPath = std::get<1>(GetParam());
    window = OpenPlainWindow(300, 200, 360, 260, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    std::vector<COLORREF> before = CaptureScreen();
    DWORD pauses = static_cast<DWORD>(steps) + 4;

    QueueWorkFor(window);
    // Several shots: on a loaded machine the first outline can come late.
    const std::vector<DWORD> during = {pauses * 30 / 4, pauses * 30 / 2, pauses * 30};
    ScreenSampler opening(during);
    opening.Start();
    DWORD openMs = TimeOf([&] { ZoomOpen(window, ScreenCentre(), steps); });
    opening.Join();
    std::vector<COLORREF> afterOpen = CaptureScreen();
    ExpectQueueHeldThenServed(window);

    ScreenSampler closing(during);
    closing.Start();
    DWORD closeMs = TimeOf([&] { ZoomClose(window, steps); });
    closing.Join();
    std::vector<COLORREF> afterClose = CaptureScreen();

    std::printf("zoom of %d steps on the %s: open %lu ms, close %lu ms\n", steps,
                PathName(gScreenPath), openMs, closeMs);
    EXPECT_GE(openMs, pauses * 30);
    EXPECT_GE(closeMs, pauses * 30);
    EXPECT_TRUE(AnyShotDiffers(before, opening)) << "no trail seen while opening";
    EXPECT_TRUE(AnyShotDiffers(before, closing)) << "no trail seen while closing";
    EXPECT_EQ(CountDifferences(before, afterOpen), 0u) << "outlines left after opening";
    EXPECT_EQ(CountDifferences(before, afterClose), 0u) << "outlines left after closing";
}

INSTANTIATE_TEST_SUITE_P(StepsAndPath, ZoomTrailTest,
                         ::testing::Values(std::make_tuple(18, ScreenPathCover),
                                           std::make_tuple(2, ScreenPathCover),
                                           std::make_tuple(3, ScreenPathCover),
                                           std::make_tuple(18, ScreenPathDisplay)));

// The step count from the file is kept as read, but the zoom works with it
// brought into 2..100: nothing divides by zero, no outline stays, and a
// huge count does not hold the game for days.
class ZoomStepsFromFileTest : public TableWindowTest,
                              public ::testing::WithParamInterface<const char*> {
protected:
    std::string SettingsLines() override {
        return std::string("FastDeal=1\r\nConfirmExit=0\r\nZoom=1\r\nSound=0\r\nZoomSteps=") +
               GetParam() + "\r\n";
    }
};

TEST_P(ZoomStepsFromFileTest, AboutBoxOpensAndClosesCleanly) {
    StartGame();
    PumpMessages(200);
    std::vector<COLORREF> before = CaptureScreen();
    ModalAnswers answers;
    answers.ThenAnswer(IDOK);
    DWORD took = TimeOf([&] { Command(IDM_ABOUT); });
    PumpMessages(300);
    std::vector<COLORREF> after = CaptureScreen();
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, DialogTemplateCaption("AboutDlg"));
    EXPECT_EQ(gSettings.ZoomSteps, std::atoi(GetParam())) << "the value read must be kept";
    std::printf("ZoomSteps=%s: About opened and closed in %lu ms\n", GetParam(), took);
    EXPECT_LT(took, 15000u);
    EXPECT_EQ(CountDifferences(before, after), 0u) << "outlines left on the screen";
}

INSTANTIATE_TEST_SUITE_P(OddCounts, ZoomStepsFromFileTest,
                         ::testing::Values("0", "1", "-7", "2147483647"));

// ---- Seen from outside ------------------------------------------------------
// Run only by screen_effects_seen.sh, which photographs the X screen from a
// process of its own while the effect runs here, on this program's one
// thread.  The two meet through marker files in the working directory: this
// program writes one when it reaches a point and, where the script must look
// first, waits for the script's.

void Mark(const char* name) {
    FILE* file = std::fopen(name, "wb");
    if (file) std::fclose(file);
}

bool AwaitMark(const char* name) {
    for (int waited = 0; waited < 30000; waited += 20) {
        if (GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(20);
    }
    return false;
}

TEST_F(ScreenEffectsTest, DISABLED_JackpotScreenFromOutside) {
    // With a title bar, as the game's window: a window manager manages it,
    // and the screen must still go over it.
    window = OpenPlainWindow(100, 120, 400, 300, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    PumpMessages(300);
    Mark("ready");
    ASSERT_TRUE(AwaitMark("go"));
    DWORD took = TimeOf([] { ShowJackpotScreen(); });
    Mark("over");
    PumpMessages(300);
    Mark("done");
    std::printf("jackpot screen: %lu ms inside the program\n", took);
    ASSERT_TRUE(AwaitMark("finish"));
}

class ZoomFromOutsideTest : public TableWindowTest {
protected:
    std::string SettingsLines() override {
        return "FastDeal=1\r\nConfirmExit=0\r\nZoom=1\r\nSound=0\r\nZoomSteps=100\r\n";
    }
};

// The About box opens with its trail, is shown for a while, and closes with
// the trail running back over it.  The box shows once its modal loop finds
// the queue empty, so it is marked and closed from timers of that loop.
HWND gAboutBox = nullptr;

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    Mark("closing");
    PostMessageA(gAboutBox, WM_COMMAND, IDOK, 0);
}

void CALLBACK MarkAboutBoxShown(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    Mark("shown");
    SetTimer(nullptr, 0, 1000, CloseAboutBox);
}

TEST_F(ZoomFromOutsideTest, DISABLED_AboutBoxZoomFromOutside) {
    StartGame();
    PumpMessages(300);
    ModalAnswers answers;
    DWORD openedAt = 0;
    answers.Then([&openedAt](HWND box) {
        openedAt = timeGetTime();
        gAboutBox = box;
        SetTimer(nullptr, 0, 400, MarkAboutBoxShown);
        return 0;
    });
    Mark("ready");
    ASSERT_TRUE(AwaitMark("go"));
    DWORD start = timeGetTime();
    Command(IDM_ABOUT);
    DWORD end = timeGetTime();
    PumpMessages(300);
    Mark("done");
    ASSERT_EQ(answers.Seen().size(), 1u);
    std::printf("About with 100 steps: opened after %lu ms, all done after %lu ms\n",
                openedAt - start, end - start);
    ASSERT_TRUE(AwaitMark("finish"));
}

}  // namespace
