// The Options dialog: card back with a live preview, table colour through the
// colour chooser, and the sound, wild-card and exit switches.  OK stores and
// writes everything; Cancel leaves everything as it was.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

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

constexpr int kPreviewInvalidInset = 3;
constexpr COLORREF kPreviewCorner = kDialogCardCorner;

// Only valid while the dialog is open.
int PreviewBack = kFirstBack;
COLORREF SavedColor = 0;

// The chooser's record and its custom colours, in one fresh block per call.
struct ColourChooserBlock {
    CHOOSECOLORA record;
    COLORREF custom[16];
};
static_assert(sizeof(CHOOSECOLORA) == 36, "the chooser's record is 36 bytes");

// A control's client rectangle in the dialog's client coordinates.
RECT ControlRect(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    RECT rect = {};
    GetClientRect(control, &rect);
    MapRectToWindow(dialog, control, &rect);
    return rect;
}

void PaintSwatch(HWND dialog, HDC dc) {
    RECT swatch = ControlRect(dialog, IDC_COLOR_SWATCH);
    InflateRect(&swatch, -1, -1);
    HBRUSH brush = CreateSolidBrush(gSettings.BackColor);
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
}

void PaintBackPreview(HWND dialog, HDC dc) {
    RECT group = ControlRect(dialog, IDC_DECK_GROUP);
    int x = OptionsPreviewLeft(group.left, group.right);
    int y = OptionsPreviewTop(group.top);
    char name[16];
    std::snprintf(name, sizeof name, "Back%d", PreviewBack);
    HBITMAP back = LoadBitmapA(gShell.instance, name);
    if (!back) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, back);
    RoundCardCorners(memory, kPreviewCorner);
    BitBlt(dc, x, y, TableLayout::kCardWidth, TableLayout::kCardHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(back);
    DeleteDC(memory);
}

void ShowSwitch(HWND dialog, int id, int32_t value) {
    CheckDlgButton(dialog, id, SwitchShownOn(value) ? BST_CHECKED : BST_UNCHECKED);
}

bool ReadSwitch(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

UINT_PTR CALLBACK ColourChooserHook(HWND chooser, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetWindowTextA(chooser, "Background Color");
        OpenDialogWithZoom(chooser);
    } else if (message == WM_PAINT) {
        HDC dc = GetDC(chooser);
        DrawDialogFrame(chooser, dc, 2);
        ReleaseDC(chooser, dc);
    }
    return 0;   // the chooser's own handling always follows
}

BOOL OnOptionsInit(HWND dialog) {
    CentreWindowOnScreen(dialog);
    ShowSwitch(dialog, IDC_OPT_WILD, gSettings.WildCards);
    ShowSwitch(dialog, IDC_OPT_SOUND, gSettings.Sound);
    ShowSwitch(dialog, IDC_OPT_JACKS, gSettings.JacksOrBetter);
    ShowSwitch(dialog, IDC_OPT_CONFIRM, gSettings.ConfirmExit);
    if (gSettings.Zoom) {
        POINT screenCentre;
        WindowCentrePoint(nullptr, &screenCentre);
        ZoomOpen(dialog, screenCentre, ZoomStepsInUse());
    }
    PreviewBack = ClampBack(gSettings.CardBack);
    HWND slider = GetDlgItem(dialog, IDC_BACK_SLIDER);
    SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(kFirstBack, kLastBack));
    SendMessageA(slider, TBM_SETRANGEMIN, TRUE, kFirstBack);
    SendMessageA(slider, TBM_SETRANGEMAX, TRUE, kLastBack);
    SendMessageA(slider, TBM_SETTICFREQ, 1, 0);
    SendMessageA(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageA(slider, TBM_SETPAGESIZE, 0, 1);
    SendMessageA(slider, TBM_SETPOS, TRUE, PreviewBack);
    SavedColor = gSettings.BackColor;
    return TRUE;
}

BOOL OnOptionsPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawDialogFrame(dialog, dc, 2);
    PaintBackPreview(dialog, dc);
    PaintSwatch(dialog, dc);
    EndPaint(dialog, &paint);
    return TRUE;
}

BOOL OnOptionsHScroll(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND slider = GetDlgItem(dialog, IDC_BACK_SLIDER);
    if (reinterpret_cast<HWND>(lParam) != slider) return FALSE;
    PreviewBack = NextPreviewBack(PreviewBack, LOWORD(wParam), HIWORD(wParam));
    SendMessageA(slider, TBM_SETPOS, TRUE, PreviewBack);
    RECT group = ControlRect(dialog, IDC_DECK_GROUP);
    InflateRect(&group, -kPreviewInvalidInset, -kPreviewInvalidInset);
    InvalidateRect(dialog, &group, FALSE);
    UpdateWindow(dialog);
    return TRUE;
}

BOOL OnOptionsOk(HWND dialog) {
    StoreOptions({ReadSwitch(dialog, IDC_OPT_WILD), ReadSwitch(dialog, IDC_OPT_SOUND),
                  ReadSwitch(dialog, IDC_OPT_JACKS), ReadSwitch(dialog, IDC_OPT_CONFIRM),
                  PreviewBack});
    SaveSettings();
    if (gSettings.BackColor != SavedColor) ApplyTableColor();
    CloseDialogZoom(dialog);
    EndDialog(dialog, 1);
    return TRUE;
}

// While the dialog was open the main window may have drawn card corners and
// badges in the chosen colour; a repaint puts the restored colour back.
BOOL OnOptionsCancel(HWND dialog) {
    CloseDialogZoom(dialog);
    bool changed = gSettings.BackColor != SavedColor;
    gSettings.BackColor = SavedColor;
    if (changed) InvalidateRect(gShell.mainWindow, nullptr, TRUE);
    EndDialog(dialog, 1);
    return TRUE;
}

BOOL OnOptionsSetColour(HWND dialog) {
    ChooseTableColor(dialog);
    HDC dc = GetDC(dialog);
    PaintSwatch(dialog, dc);
    ReleaseDC(dialog, dc);
    return TRUE;
}

BOOL OnOptionsCommand(HWND dialog, WPARAM wParam) {
    switch (wParam) {
    case IDOK: return OnOptionsOk(dialog);
    case IDCANCEL: return OnOptionsCancel(dialog);
    case IDC_SET_COLOR: return OnOptionsSetColour(dialog);
    default: return FALSE;      // the automatic check boxes toggle themselves
    }
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnOptionsInit(dialog);
    case WM_PAINT: return OnOptionsPaint(dialog);
    case WM_HSCROLL: return OnOptionsHScroll(dialog, wParam, lParam);
    case WM_COMMAND: return OnOptionsCommand(dialog, wParam);
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
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ColourChooserBlock));
    if (!memory) return;
    auto* block = static_cast<ColourChooserBlock*>(GlobalLock(memory));
    if (!block) {
        GlobalFree(memory);
        return;
    }
    for (int i = 0; i < 16; ++i) block->custom[i] = static_cast<COLORREF>(kPresetColours[i]);
    CHOOSECOLORA& chooser = block->record;
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.hInstance = nullptr;
    chooser.rgbResult = gSettings.BackColor;
    chooser.lpCustColors = block->custom;
    chooser.Flags = CC_RGBINIT | CC_PREVENTFULLOPEN | CC_ENABLEHOOK;
    chooser.lCustData = 0;
    chooser.lpfnHook = ColourChooserHook;
    chooser.lpTemplateName = nullptr;
    if (ChooseColorA(&chooser)) gSettings.BackColor = chooser.rgbResult;
    GlobalUnlock(memory);
    GlobalFree(memory);
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
