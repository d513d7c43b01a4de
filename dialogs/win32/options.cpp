// The Options dialog: card back with a live preview, table colour through the
// colour chooser, and the sound, wild-card and exit switches.  OK stores and
// writes everything; Cancel leaves everything as it was.
#include <windows.h>
#include <commctrl.h>

#include "dialogs/win32/dialog_window.h"
#include "dialogs/win32/dialogs.h"
#include "dialogs/options_rules.h"
#include "presentation/win32/bitmaps.h"
#include "presentation/win32/table.h"
#include "presentation/table_look.h"
#include "presentation/win32/zoom.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"
#include "shell/win32/commands.h"

static_assert(SliderLineUp == TB_LINEUP && SliderLineDown == TB_LINEDOWN &&
                  SliderPageUp == TB_PAGEUP && SliderPageDown == TB_PAGEDOWN &&
                  SliderThumbPosition == TB_THUMBPOSITION && SliderThumbTrack == TB_THUMBTRACK &&
                  SliderTop == TB_TOP && SliderBottom == TB_BOTTOM,
              "the slider's codes are the trackbar's");

namespace {

constexpr COLORREF kPreviewCorner = kDialogCardCorner;

// The zoom of the chooser being opened, for its hook.
int ChooserZoomSteps = 0;

// The chooser's record and its custom colours, in one fresh block per call.
struct ColourChooserBlock {
    CHOOSECOLORA record;
    COLORREF custom[16];
};
static_assert(sizeof(CHOOSECOLORA) == 36, "the chooser's record is 36 bytes");

void PaintBackPreview(HWND dialog, HDC dc) {
    RECT group = DialogControlRect(dialog, IDC_DECK_GROUP);
    int x = OptionsPreviewLeft(group.left, group.right);
    int y = OptionsPreviewTop(group.top);
    HBITMAP back = LoadBitmapA(gShell.instance, gDialogWindow.Picture(IDC_DECK_GROUP, 0));
    if (!back) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, back);
    RoundCardCorners(memory, kPreviewCorner);
    BitBlt(dc, x, y, TableLayout::kCardWidth, TableLayout::kCardHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(back);
    DeleteDC(memory);
}

UINT_PTR CALLBACK ColourChooserHook(HWND chooser, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetWindowTextA(chooser, "Background Color");
        CentreWindowOnScreen(chooser);
        if (ChooserZoomSteps) {
            POINT screenCentre;
            WindowCentrePoint(nullptr, &screenCentre);
            ZoomOpen(chooser, screenCentre, ChooserZoomSteps);
        }
    } else if (message == WM_PAINT) {
        HDC dc = GetDC(chooser);
        DrawDialogFrame(chooser, dc, 2);
        ReleaseDC(chooser, dc);
    }
    return 0;   // the chooser's own handling always follows
}

BOOL OnOptionsPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawDialogFrame(dialog, dc, 2);
    PaintBackPreview(dialog, dc);
    gDialogWindow.PaintSwatch(dc);
    EndPaint(dialog, &paint);
    return TRUE;
}

BOOL OnOptionsHScroll(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, IDC_BACK_SLIDER)) return FALSE;
    DialogSliderMoved(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OpenDialogOn(dialog, GameDialog::Options);
    case WM_PAINT: return OnOptionsPaint(dialog);
    case WM_HSCROLL: return OnOptionsHScroll(dialog, wParam, lParam);
    case WM_COMMAND: return DialogCommandMessage(wParam);      // the check boxes toggle themselves
    default: return FALSE;
    }
}

}  // namespace

void ShowOptionsDialog(HWND owner) {
    INT_PTR result = DialogBoxParamA(gShell.instance, MAKEINTRESOURCEA(IDD_OPTIONS), owner,
                                     OptionsDialogProc, 0);
    if (result == -1) ShowGameMessageBox(gShell.mainWindow, kDialogFailedBox);
}

void ChooseTableColor(HWND owner) {
    COLORREF chosen = 0;
    const int zoomSteps = gSettings.Zoom ? ZoomStepsInUse() : 0;
    if (RunColourChooser(owner, gSettings.BackColor, zoomSteps, &chosen)) gSettings.BackColor = chosen;
}

// A fresh block for every call: nothing is remembered from one to the next.
bool RunColourChooser(HWND owner, COLORREF initial, int zoomSteps, COLORREF* chosen) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ColourChooserBlock));
    if (!memory) return false;
    auto* block = static_cast<ColourChooserBlock*>(GlobalLock(memory));
    if (!block) {
        GlobalFree(memory);
        return false;
    }
    for (int i = 0; i < 16; ++i) block->custom[i] = static_cast<COLORREF>(kPresetColours[i]);
    CHOOSECOLORA& chooser = block->record;
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.hInstance = nullptr;
    chooser.rgbResult = initial;
    chooser.lpCustColors = block->custom;
    chooser.Flags = CC_RGBINIT | CC_PREVENTFULLOPEN | CC_ENABLEHOOK;
    chooser.lCustData = 0;
    chooser.lpfnHook = ColourChooserHook;
    chooser.lpTemplateName = nullptr;
    ChooserZoomSteps = zoomSteps;
    bool accepted = ChooseColorA(&chooser) != 0;
    if (accepted) *chosen = chooser.rgbResult;
    GlobalUnlock(memory);
    GlobalFree(memory);
    return accepted;
}

void ApplyTableColor() {
    HWND main = gShell.mainWindow;
    SetClassLongPtrA(main, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(GetStockObject(LTGRAY_BRUSH)));
    DeleteObject(gShell.TableBrush);
    gShell.TableBrush = CreateSolidBrush(gSettings.BackColor);
    SetClassLongPtrA(main, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(gShell.TableBrush));
    InvalidateRect(main, nullptr, TRUE);
}
