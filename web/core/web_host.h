// The page's side of the portable core: the engine's GameHost, the command
// table's ShellHost and the settings' store, each carried out by the page's
// script through the imports of web_imports.h.
#pragma once

#include "engine/game_host.h"
#include "settings/settings.h"
#include "shell/command_table.h"

void InstallWebHosts();
// The page's settings: its local storage, under the keys of the game's file.
ProfileStore& WebSettingsStore();
// Whether each table button is enabled now (the hold buttons first).
bool WebButtonEnabled(TableButton button);
// A dialog of the command table, run by its controller until it ends.
void ShowWebDialog(GameDialog dialog);
