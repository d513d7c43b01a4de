// Start-up's steps that both hosts take, the Windows shell and the page, in
// the order they take them.  Between the first and the last the Windows
// shell makes its window (whose creation runs MainWindowCreated), the status
// line and the fonts; the page builds its window after the last.  Portable.
#pragma once
#include <cstdint>

#include "engine/game_host.h"
#include "shell/table_layout.h"

// One of the eight push buttons of the table, as start-up makes it.
struct TableButtonSpec {
    TableButton button;
    LayoutRect place;
    int command;
    const char* caption;
};

// Makes one push button in the host's window.
using TableButtonMaker = void (*)(const TableButtonSpec& button);

// The push button `button`: its place, command and first caption.
TableButtonSpec TableButtonAt(TableButton button);

// The card generator seeded with the calendar time in whole seconds.
void SeedFromClock(int64_t seconds);

// The portable part of the main window's creation: no New command has been
// received yet (Hit the Bank stays greyed).
void MainWindowCreated();

// The settings read by `loadSettings`, the five card places set, each
// place's hold button made by `makeButton` as its place is set, then Coin,
// Max and Deal made, no coins in and the round in its betting phase.
// `makeButton` may be null where the host makes its buttons later.
void CreateTableControls(void (*loadSettings)(), TableButtonMaker makeButton);

// The deck built, CreateTableControls, then the table cleared: every place
// not held and showing the back.
void SetUpTable(void (*loadSettings)(), TableButtonMaker makeButton);
