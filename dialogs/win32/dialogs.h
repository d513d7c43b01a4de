// The modal dialogs opened from the main window's commands.
#pragma once
#include <windows.h>

void ShowOptionsDialog(HWND owner);
void ChooseTableColor(HWND owner);
// The platform chooser over `owner`, starting from `initial` and opening
// with the zoom of `zoomSteps` (0: none); false when the player cancelled it.
bool RunColourChooser(HWND owner, COLORREF initial, int zoomSteps, COLORREF* chosen);
void ApplyTableColor();
void ShowStatisticsDialog();      // the dialog itself; see ShowStatistics
void ShowHelpDialog(HWND owner);
void ShowPayoffDialog(HWND owner);
void ShowAboutDialog(HWND owner);
