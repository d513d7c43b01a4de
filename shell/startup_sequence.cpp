#include "shell/startup_sequence.h"

#include <initializer_list>

#include "engine/deck.h"
#include "engine/round.h"
#include "presentation/table_look.h"
#include "resources/resource_ids.h"

TableButtonSpec TableButtonAt(TableButton button) {
    switch (button) {
    case CoinButton: return {button, TableLayout::CoinButton(), IDM_COIN, kCoinCaption};
    case MaxButton: return {button, TableLayout::MaxButton(), IDM_BETMAX, kMaxCaption};
    case DealButton: return {button, TableLayout::DealButton(), IDM_DEAL, kDealCaption};
    default: {
        const int slot = button - HoldButton0;
        return {button, TableLayout::HoldButton(slot), IDC_HOLD0 + slot, ""};
    }
    }
}

void SeedFromClock(int64_t seconds) { SeedRandom(static_cast<uint32_t>(seconds)); }

void MainWindowCreated() { gNewReceived = 0; }

void CreateTableControls(void (*loadSettings)(), TableButtonMaker makeButton) {
    loadSettings();
    for (int i = 0; i < kSlotCount; ++i) {
        gSlots[i].x = TableLayout::CardLeft(i);
        gSlots[i].y = TableLayout::kCardTop;
        if (makeButton) makeButton(TableButtonAt(static_cast<TableButton>(HoldButton0 + i)));
    }
    for (TableButton button : {CoinButton, MaxButton, DealButton})
        if (makeButton) makeButton(TableButtonAt(button));
    gRound.coinsIn = 0;
    gRound.phase = Betting;
}

void SetUpTable(void (*loadSettings)(), TableButtonMaker makeButton) {
    BuildDeck();
    CreateTableControls(loadSettings, makeButton);
    ClearTable();
}
