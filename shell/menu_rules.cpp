#include "shell/menu_rules.h"

#include "engine/round.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

const int kRuledMenuCommands[] = {IDM_EXIT, IDM_SOUND, IDM_FASTDEAL, IDM_COIN,
                                  IDM_BETMAX, IDM_DEAL, IDM_BANK};
const int kRuledMenuCommandCount = sizeof kRuledMenuCommands / sizeof kRuledMenuCommands[0];

bool MenuItemCheckable(int command) { return command == IDM_SOUND || command == IDM_FASTDEAL; }

MenuItemState MainMenuItemState(int command) {
    MenuItemState state = {false, false};
    switch (command) {
    case IDM_EXIT: state.greyed = gRound.dealing != 0; break;
    case IDM_SOUND: state.checked = gSettings.Sound != 0; break;
    case IDM_FASTDEAL: state.checked = gSettings.FastDeal != 0; break;
    case IDM_COIN:
    case IDM_BETMAX:
        state.greyed = gRound.coinsIn == kMaxCoins;
        if (gStats.credits == 0) state.greyed = true;
        if (gRound.phase != Betting) state.greyed = true;
        break;
    // Stays enabled while the cards are turned up; the deal's guard refuses it.
    case IDM_DEAL: state.greyed = gRound.coinsIn == 0; break;
    case IDM_BANK: state.greyed = gNewReceived == 0 || !BankCanPay(); break;
    default: break;
    }
    return state;
}

void TableMenuItems(TableMenuItem items[kTableMenuItemCount]) {
    const TableMenuItem menu[kTableMenuItemCount] = {
        {"&New Game", IDM_NEW},
        {"&Options...", IDM_OPTIONS},
        {nullptr, 0},
        {"Insert Coin", IDM_COIN},
        {"Bet Maximum Coins", IDM_BETMAX},
        {gRound.phase == Betting ? "Deal" : "Hit/Stand", IDM_DEAL},
        {nullptr, 0},
        {"&Help...", IDM_HELP},
        {"&About...", IDM_ABOUT},
        {nullptr, 0},
        {"E&xit", IDM_EXIT},
    };
    for (int i = 0; i < kTableMenuItemCount; ++i) items[i] = menu[i];
}
