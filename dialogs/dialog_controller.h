// What the five dialogs show and decide: what each shows when it opens,
// which controls are enabled, checked and focused after each command, the
// card-back slider and its preview, OK and Cancel with the table colour, and
// what is stored.  Portable: the Windows dialog procedures and the page's
// dialogs only map their controls and messages onto these calls and carry
// out what they ask of their DialogHost.  Controls are named by the ids of
// resources/resource_ids.h.
#pragma once
#include <cstdint>

#include "shell/command_table.h"

// The dialog itself: its title for SetText, its client area for ShowPicture
// (the picture centred in it) and Repaint.
constexpr int kDialogWindow = 0;

class DialogHost {
public:
    virtual void SetText(int control, const char* text) = 0;
    virtual void Enable(int control, bool enable) = 0;
    virtual void Check(int control, bool on) = 0;
    virtual bool Checked(int control) = 0;
    // Moves the keyboard focus as the dialog manager does, so that the
    // default-button outline follows it.
    virtual void Focus(int control) = 0;
    // Picture `position` of those the control holds (the help cards from the
    // left, the card-back preview 0), drawn at the next repaint.
    virtual void ShowPicture(int control, int position, const char* bitmapName) = 0;
    // A colour swatch, painted at once when the dialog is visible.
    virtual void ShowColour(int control, uint32_t colour) = 0;
    virtual void SetSlider(int control, int low, int high, int position) = 0;
    virtual void MoveSlider(int control, int position) = 0;
    // Repaints what the pictures changed, without erasing: the whole dialog
    // (kDialogWindow), or a control's area at once.
    virtual void Repaint(int control) = 0;
    virtual void CentreOnScreen() = 0;
    // The opening trail from the screen's centre and the closing one to the
    // dialog's centre, each run to its end.
    virtual void ZoomOpen(int steps) = 0;
    virtual void ZoomClose(int steps) = 0;
    // The platform's colour chooser over the dialog, modal, opening with
    // the zoom of `zoomSteps` (0: none); false when the player cancelled it.
    virtual bool ChooseColour(uint32_t initial, int zoomSteps, uint32_t* chosen) = 0;
    // The main window takes BackColor as its background, and repaints.
    virtual void ApplyTableColour() = 0;
    // The main window repaints what it drew in the colour BackColor had.
    virtual void RepaintTable() = 0;
    virtual void SaveSettings() = 0;
    virtual void End(int result) = 0;

protected:
    ~DialogHost() = default;
};

// What the dialog does when it opens; it then talks to `host` until it ends.
void OpenDialog(GameDialog dialog, DialogHost* host);
// A command of the open dialog (a button, Escape and the close box as
// Cancel).  False for the commands it leaves to the platform, the automatic
// check boxes' own clicks among them.
bool DialogCommand(int command);
// A notification of the Options dialog's card-back slider (a SliderCode of
// dialogs/options_rules.h, the thumb's position for the thumb's codes).
void DialogSliderMoved(int code, int thumb);
