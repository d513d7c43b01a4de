// What the portable core asks of the page: functions the page's script gives
// the WebAssembly module under the import module "quorvel".  Texts are
// zero-terminated UTF-8 in the module's memory.  Those marked blocking
// hold the core until the player has closed what they open (or the sound has
// ended); the build makes them suspend and resume the module.
#pragma once
#include <cstdint>

#define QUORVEL_IMPORT(name) __attribute__((import_module("quorvel"), import_name(#name)))

extern "C" {
QUORVEL_IMPORT(draw_card) void WebDrawCard(int slot, const char* picture);
QUORVEL_IMPORT(draw_meters) void WebDrawMeters(const char* coins, const char* credits);
QUORVEL_IMPORT(show_message_id) void WebShowMessageId(int stringId);
QUORVEL_IMPORT(show_message_text) void WebShowMessageText(const char* text);
QUORVEL_IMPORT(draw_message_line) void WebDrawMessageLine();
QUORVEL_IMPORT(invert_message_line) void WebInvertMessageLine();
QUORVEL_IMPORT(enable_button) void WebEnableButton(int button, int enable);
QUORVEL_IMPORT(set_caption) void WebSetCaption(int button, const char* caption);
QUORVEL_IMPORT(start_timer) void WebStartTimer(unsigned intervalMs);
QUORVEL_IMPORT(kill_timer) void WebKillTimer();
QUORVEL_IMPORT(update_menus) void WebUpdateMenus();
QUORVEL_IMPORT(post_command) void WebPostCommand(int command);
QUORVEL_IMPORT(play_effect) void WebPlayEffect(const char* name);
QUORVEL_IMPORT(stop_sound) void WebStopSound();
QUORVEL_IMPORT(status_text) void WebStatusText(const char* text);
QUORVEL_IMPORT(time_seconds) double WebTimeSeconds();
// The stored text of a settings key into `out` (at most size - 1 bytes);
// its length, or -1 when the key is not stored.
QUORVEL_IMPORT(profile_read) int WebProfileRead(const char* key, char* out, int size);
QUORVEL_IMPORT(profile_write) void WebProfileWrite(const char* key, const char* value);
// The main window has gone: the page shows its closing screen.
QUORVEL_IMPORT(closed) void WebClosed();
// The open dialog, its controls named by their ids (0 the dialog itself);
// see DialogHost.
QUORVEL_IMPORT(dialog_create) void WebDialogCreate(int dialog);     // hidden until shown
QUORVEL_IMPORT(dialog_text) void WebDialogText(int control, const char* text);
QUORVEL_IMPORT(dialog_enable) void WebDialogEnable(int control, int enable);
QUORVEL_IMPORT(dialog_check) void WebDialogCheck(int control, int on);
QUORVEL_IMPORT(dialog_checked) int WebDialogChecked(int control);
QUORVEL_IMPORT(dialog_focus) void WebDialogFocus(int control);
QUORVEL_IMPORT(dialog_picture) void WebDialogPicture(int control, int position, const char* name);
QUORVEL_IMPORT(dialog_colour) void WebDialogColour(int control, int colour);
QUORVEL_IMPORT(dialog_slider) void WebDialogSlider(int control, int low, int high, int position);
QUORVEL_IMPORT(dialog_thumb) void WebDialogThumb(int control, int position);
QUORVEL_IMPORT(dialog_centre) void WebDialogCentre();
QUORVEL_IMPORT(dialog_end) void WebDialogEnd(int result);
// The table takes BackColor as it is now.
QUORVEL_IMPORT(table_colour) void WebTableColour();

// Blocking.  A message box answers 1 for Yes or OK, 0 for No; a text of
// null means the string-table entry `stringId`.
QUORVEL_IMPORT(message_box)
int WebMessageBox(const char* text, int stringId, const char* caption, int icon, int buttons);
// The dialog made by dialog_create shown, until dialog_end.
QUORVEL_IMPORT(dialog) void WebDialog(int dialog);
// A dialog's opening (0) or closing (1) trail.
QUORVEL_IMPORT(dialog_zoom) void WebDialogZoom(int closing, int steps);
// The colour chooser over the Options dialog, opening with the zoom of
// `zoomSteps` (0 for none): the colour chosen, or -1.
QUORVEL_IMPORT(choose_colour) int WebChooseColour(int initial, int zoomSteps);
QUORVEL_IMPORT(jackpot) void WebJackpot();
QUORVEL_IMPORT(play_sync) void WebPlaySync(const char* name);
}
