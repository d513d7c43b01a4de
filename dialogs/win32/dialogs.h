// The modal dialogs opened from the main window's commands.
#pragma once
#include <windows.h>

void ShowOptionsDialog(HWND owner);
void ChooseTableColor(HWND owner);
void ApplyTableColor();
void ShowStatisticsDialog();      // the dialog itself; see ShowStatistics
void ShowHelpDialog(HWND owner);
void FillHelpPage(HWND dialog, int page);
void ShowPayoffDialog(HWND owner);
void ShowAboutDialog(HWND owner);
