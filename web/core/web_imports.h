// What the portable core asks of the page: functions the page's script gives
// the WebAssembly module under the import module "quorvel".  Texts are
// zero-terminated UTF-8 in the module's memory.  The four marked blocking
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

// Blocking.  A message box answers 1 for Yes or OK, 0 for No; a text of
// null means the string-table entry `stringId`.
QUORVEL_IMPORT(message_box)
int WebMessageBox(const char* text, int stringId, const char* caption, int icon, int buttons);
QUORVEL_IMPORT(dialog) void WebDialog(int dialog);
QUORVEL_IMPORT(jackpot) void WebJackpot();
QUORVEL_IMPORT(play_sync) void WebPlaySync(const char* name);
}
