// The Windows dialogs' side of the dialog controllers: a DialogHost over the
// open dialog's window, and the mapping of its messages onto the controller.
#pragma once
#include <windows.h>

#include "dialogs/dialog_controller.h"

class DialogWindow final : public DialogHost {
public:
    void Attach(HWND dialog);
    HWND window() const { return dialog_; }

    void SetText(int control, const char* text) override;
    void Enable(int control, bool enable) override;
    void Check(int control, bool on) override;
    bool Checked(int control) override;
    void Focus(int control) override;
    void ShowPicture(int control, int position, const char* bitmapName) override;
    void ShowColour(int control, uint32_t colour) override;
    void SetSlider(int control, int low, int high, int position) override;
    void MoveSlider(int control, int position) override;
    void Repaint(int control) override;
    void CentreOnScreen() override;
    void ZoomOpen(int steps) override;
    void ZoomClose(int steps) override;
    bool ChooseColour(uint32_t initial, int zoomSteps, uint32_t* chosen) override;
    void ApplyTableColour() override;
    void RepaintTable() override;
    void SaveSettings() override;
    void End(int result) override;

    // What the dialog's WM_PAINT draws: the picture last shown at a place
    // ("" when none), and the swatch's colour.
    const char* Picture(int control, int position) const;
    void PaintSwatch(HDC dc) const;

private:
    static constexpr int kPictures = 6;
    static constexpr int kNameSize = 20;
    struct Shown {
        int control;
        int position;
        char name[kNameSize];
    };
    HWND dialog_ = nullptr;
    Shown pictures_[kPictures] = {};
    int pictureCount_ = 0;
    int swatch_ = 0;
    COLORREF swatchColour_ = 0;
};

// The one open dialog's window: the dialogs are modal, one at a time.
extern DialogWindow gDialogWindow;

// The messages every dialog maps alike: WM_INITDIALOG opens the controller
// on the window, WM_COMMAND goes to it.
BOOL OpenDialogOn(HWND dialog, GameDialog kind);
BOOL DialogCommandMessage(WPARAM wParam);
// A control's client rectangle in the dialog's client coordinates.
RECT DialogControlRect(HWND dialog, int id);
