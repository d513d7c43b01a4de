// The main window's command table and its shutdown: every command goes
// from here to the engine, whose guards decide whether it acts, or to the
// dialogs, boxes and status line of the front-end.  Portable: the Windows
// shell and the page each give the front-end's side as a ShellHost.
#pragma once

#include "shell/box_texts.h"

enum class GameDialog { Help, About, Options, Payoff, Statistics };

class ShellHost {
public:
    // Both are modal: they return once the player has closed them.
    virtual void ShowDialog(GameDialog dialog) = 0;
    virtual bool ShowMessageBox(const MessageBoxText& box) = 0;     // true: Yes or OK
    virtual void ShowStatusText(const char* text) = 0;
    virtual void RequestClose() = 0;        // as the window's close box does
    // The shutdown's own steps.
    virtual void SaveSettings() = 0;
    virtual void StopHeldSound() = 0;

protected:
    ~ShellHost() = default;
};

void SetShellHost(ShellHost* host);

// Runs the command with this identifier; identifiers it does not know are
// ignored.
void RunCommand(int command);

// The Statistics command: the counters, or a box when no game was played.
void ShowStatistics();

// The card place under a point of the client area during the hold phase,
// else -1: the pointing hand shows and the card is named only there.
int CardUnderCursorAt(int x, int y);
// What the status line shows for the pointer at (x, y): the name of the
// card under it, or nothing.
const char* PointerStatusText(int x, int y);
// What a press of the left button at (x, y) sends: the hold command of the
// card place there when its hold button is enabled (`holdEnabled[place]`),
// else 0.
int TablePressCommand(int x, int y, const bool holdEnabled[5]);

// A request to close the main window.  False when it is refused (cards are
// being turned up, or the player said No to the exit question); otherwise
// the settings have been saved and the held sound stopped, and the window
// may go.
bool CloseMainWindowRequested();
