#include "dialogs/win32/dialog_window.h"

#include <commctrl.h>

#include <cstdio>

#include "dialogs/win32/dialogs.h"
#include "presentation/win32/bitmaps.h"
#include "presentation/win32/zoom.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"

namespace {

// The preview's area is invalidated a little inside its group box, so that
// the box's own lines are not painted over.
constexpr int kRepaintInset = 3;

}  // namespace

DialogWindow gDialogWindow;

void DialogWindow::Attach(HWND dialog) {
    dialog_ = dialog;
    pictureCount_ = 0;
    swatch_ = 0;
}

void DialogWindow::SetText(int control, const char* text) {
    if (control == kDialogWindow)
        SetWindowTextA(dialog_, text);
    else
        SetDlgItemTextA(dialog_, control, text);     // a text box shows it from the top
}

void DialogWindow::Enable(int control, bool enable) {
    EnableWindow(GetDlgItem(dialog_, control), enable ? TRUE : FALSE);
}

void DialogWindow::Check(int control, bool on) {
    CheckDlgButton(dialog_, control, on ? BST_CHECKED : BST_UNCHECKED);
}

bool DialogWindow::Checked(int control) {
    return IsDlgButtonChecked(dialog_, control) == BST_CHECKED;
}

void DialogWindow::Focus(int control) {
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, control)), TRUE);
}

void DialogWindow::ShowPicture(int control, int position, const char* bitmapName) {
    Shown* shown = nullptr;
    for (int i = 0; i < pictureCount_; ++i)
        if (pictures_[i].control == control && pictures_[i].position == position) shown = &pictures_[i];
    if (!shown) {
        if (pictureCount_ == kPictures) return;
        shown = &pictures_[pictureCount_++];
        shown->control = control;
        shown->position = position;
    }
    std::snprintf(shown->name, kNameSize, "%s", bitmapName);
}

const char* DialogWindow::Picture(int control, int position) const {
    for (int i = 0; i < pictureCount_; ++i)
        if (pictures_[i].control == control && pictures_[i].position == position) return pictures_[i].name;
    return "";
}

void DialogWindow::ShowColour(int control, uint32_t colour) {
    swatch_ = control;
    swatchColour_ = static_cast<COLORREF>(colour);
    // Before the dialog shows, its first WM_PAINT paints the swatch.
    if (!IsWindowVisible(dialog_)) return;
    HDC dc = GetDC(dialog_);
    PaintSwatch(dc);
    ReleaseDC(dialog_, dc);
}

void DialogWindow::PaintSwatch(HDC dc) const {
    if (!swatch_) return;
    RECT swatch = DialogControlRect(dialog_, swatch_);
    InflateRect(&swatch, -1, -1);
    HBRUSH brush = CreateSolidBrush(swatchColour_);
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
}

void DialogWindow::SetSlider(int control, int low, int high, int position) {
    HWND slider = GetDlgItem(dialog_, control);
    SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
    SendMessageA(slider, TBM_SETRANGEMIN, TRUE, low);
    SendMessageA(slider, TBM_SETRANGEMAX, TRUE, high);
    SendMessageA(slider, TBM_SETTICFREQ, 1, 0);
    SendMessageA(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageA(slider, TBM_SETPAGESIZE, 0, 1);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
}

void DialogWindow::MoveSlider(int control, int position) {
    SendDlgItemMessageA(dialog_, control, TBM_SETPOS, TRUE, position);
}

void DialogWindow::Repaint(int control) {
    if (control == kDialogWindow) {
        InvalidateRect(dialog_, nullptr, FALSE);
        return;
    }
    RECT area = DialogControlRect(dialog_, control);
    InflateRect(&area, -kRepaintInset, -kRepaintInset);
    InvalidateRect(dialog_, &area, FALSE);
    UpdateWindow(dialog_);
}

void DialogWindow::CentreOnScreen() { CentreWindowOnScreen(dialog_); }

void DialogWindow::ZoomOpen(int steps) {
    POINT screenCentre;
    WindowCentrePoint(nullptr, &screenCentre);
    ::ZoomOpen(dialog_, screenCentre, steps);
}

void DialogWindow::ZoomClose(int steps) { ::ZoomClose(dialog_, steps); }

bool DialogWindow::ChooseColour(uint32_t initial, int zoomSteps, uint32_t* chosen) {
    COLORREF colour = 0;
    if (!RunColourChooser(dialog_, static_cast<COLORREF>(initial), zoomSteps, &colour)) return false;
    *chosen = static_cast<uint32_t>(colour);
    return true;
}

void DialogWindow::ApplyTableColour() { ApplyTableColor(); }

void DialogWindow::RepaintTable() { InvalidateRect(gShell.mainWindow, nullptr, TRUE); }

void DialogWindow::SaveSettings() { ::SaveSettings(); }

void DialogWindow::End(int result) { EndDialog(dialog_, result); }

BOOL OpenDialogOn(HWND dialog, GameDialog kind) {
    gDialogWindow.Attach(dialog);
    OpenDialog(kind, &gDialogWindow);
    return TRUE;
}

BOOL DialogCommandMessage(WPARAM wParam) {
    return DialogCommand(static_cast<int>(wParam)) ? TRUE : FALSE;
}

RECT DialogControlRect(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    RECT rect = {};
    GetClientRect(control, &rect);
    MapRectToWindow(dialog, control, &rect);
    return rect;
}
