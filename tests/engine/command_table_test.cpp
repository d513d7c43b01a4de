// The front-ends' shared command table, menu rules and pointer rules, run
// on the engine with a recording ShellHost: what the browser edition relies
// on with no window system around it.
#include <cstring>
#include <vector>

#include "engine/card_name.h"
#include "resources/resource_ids.h"
#include "shell/menu_rules.h"
#include "shell/startup_sequence.h"
#include "shell/table_layout.h"
#include "tests/engine/game_fixture.h"

namespace {

// The settings, the round and the money as one comparable picture.
struct Snapshot {
    GameSettings settings;
    RoundState round;
    GameStats stats;
    TableSlot slots[kSlotCount];
};

Snapshot Now() {
    Snapshot s;
    std::memset(&s, 0, sizeof s);
    s.settings = gSettings;
    s.round = gRound;
    s.stats = gStats;
    std::memcpy(s.slots, gSlots, sizeof gSlots);
    return s;
}

bool Same(const Snapshot& a, const Snapshot& b) {
    return std::memcmp(&a.settings, &b.settings, sizeof a.settings) == 0 &&
           std::memcmp(&a.round, &b.round, sizeof a.round) == 0 &&
           std::memcmp(&a.stats, &b.stats, sizeof a.stats) == 0 &&
           std::memcmp(a.slots, b.slots, sizeof a.slots) == 0;
}

LayoutRect Place(int i) { return TableLayout::CardPlace(i); }
int CentreX(const LayoutRect& r) { return (r.left + r.right) / 2; }
int CentreY(const LayoutRect& r) { return (r.top + r.bottom) / 2; }

// ---- The command table ------------------------------------------------------

TEST_F(GameTest, EachCommandReachesItsOwnHandler) {
    const struct {
        int command;
        const char* call;
    } dialogs[] = {{IDM_HELP, "Dialog Help"},       {IDM_ABOUT, "Dialog About"},
                   {IDM_PAYOFF, "Dialog Payoff"},   {IDM_OPTIONS, "Dialog Options"},
                   {IDM_EXIT, "RequestClose"},      {IDM_CLEARSTATS, "AskClear"}};
    for (const auto& d : dialogs) {
        host.Clear();
        RunCommand(d.command);
        ASSERT_FALSE(host.calls.empty()) << d.command;
        EXPECT_EQ(host.calls[0], d.call) << d.command;
    }
    gStats.credits = 7;
    RunCommand(IDM_NEW);
    EXPECT_EQ(gStats.credits, kStartingCredits);
    RunCommand(IDM_COIN);
    EXPECT_EQ(gRound.coinsIn, 1);
    RunCommand(IDM_BETMAX);
    EXPECT_EQ(gRound.coinsIn, kMaxCoins);
    RunCommand(IDM_DEAL);
    EXPECT_NE(gRound.dealing, 0);
    TurnUp();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RunCommand(IDC_HOLD0 + slot);
        for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(gSlots[i].held != 0, i <= slot) << slot << " " << i;
    }
    host.Clear();
    RunCommand(IDM_BANK);
    EXPECT_EQ(host.calls[0], "Bank");
}

TEST_F(GameTest, UnknownCommandsAreIgnored) {
    const int unknown[] = {0, -1, IDC_HOLD0 - 1, IDC_HOLD4 + 1, IDM_EXIT - 1, IDM_BANK + 1,
                           IDS_FIRST_MESSAGE, IDS_DEALING, IDS_STATUS_TITLE, IDM_FASTDEAL - 1,
                           IDM_FASTDEAL + 1, 0xFFFF};
    InsertCoin();
    DealOrDraw();
    TurnUp();
    host.Clear();
    const Snapshot before = Now();
    for (int command : unknown) {
        RunCommand(command);
        EXPECT_TRUE(host.calls.empty()) << command;
        EXPECT_TRUE(Same(Now(), before)) << command;
    }
}

// Face-down cards show the design, so only a new design redraws them.
TEST_F(GameTest, OptionsRedrawsTheCardsOnlyWhenTheBackChanged) {
    RunCommand(IDM_OPTIONS);
    EXPECT_EQ(host.calls, (Calls{"Dialog Options"}));

    host.Clear();
    shell.inDialog = [](GameDialog) {
        gSettings.Sound = 1;
        gSettings.BackColor = 0x00123456;
    };
    RunCommand(IDM_OPTIONS);
    EXPECT_EQ(host.calls, (Calls{"Dialog Options"}));

    host.Clear();
    shell.inDialog = [](GameDialog) { gSettings.CardBack = gSettings.CardBack % 16 + 1; };
    RunCommand(IDM_OPTIONS);
    EXPECT_EQ(host.calls, (Calls{"Dialog Options", "DrawAll"}));
}

// The dialog divides by the number of games.
TEST_F(GameTest, StatisticsShowTheNoGamesBoxUntilAGameWasPlayed) {
    RunCommand(IDM_STATS);
    EXPECT_EQ(host.calls, (Calls{BoxLine(kNoGamesBox)}));
    InsertCoin();
    DealOrDraw();
    host.Clear();
    RunCommand(IDM_STATS);
    EXPECT_EQ(host.calls, (Calls{"Dialog Statistics"}));
    TurnUp();
    DealOrDraw();
    TurnUp();
    host.Clear();
    ShowStatistics();
    EXPECT_EQ(host.calls, (Calls{"Dialog Statistics"}));
}

TEST_F(GameTest, CloseIsRefusedWhileDealingAndAsksOnlyWithConfirmExit) {
    const Calls shutdown = {"SaveSettings", "StopSound"};
    InsertCoin();
    DealOrDraw();
    host.Clear();
    gSettings.ConfirmExit = 1;
    EXPECT_FALSE(CloseMainWindowRequested());
    EXPECT_TRUE(host.calls.empty()) << "nothing asked or saved while the cards turn up";

    TurnUp();
    host.Clear();
    shell.boxAnswer = false;
    EXPECT_FALSE(CloseMainWindowRequested());
    EXPECT_EQ(host.calls, (Calls{BoxLine(kExitQuestion)}));

    host.Clear();
    shell.boxAnswer = true;
    gSettings.ConfirmExit = 2;      // hand-edited: still on
    EXPECT_TRUE(CloseMainWindowRequested());
    EXPECT_EQ(host.calls, (Calls{BoxLine(kExitQuestion), "SaveSettings", "StopSound"}));

    host.Clear();
    gSettings.ConfirmExit = 0;
    shell.boxAnswer = false;
    EXPECT_TRUE(CloseMainWindowRequested());
    EXPECT_EQ(host.calls, shutdown);

    // Exit goes the close box's way, which asks these questions.
    host.Clear();
    RunCommand(IDM_EXIT);
    EXPECT_EQ(host.calls, (Calls{"RequestClose"}));
}

TEST_F(GameTest, SoundAndFastDealToggleAnyOnValueOffAndOnlySoundSaysSo) {
    const std::string on = std::string("Status ") + kSoundOnNotice;
    const std::string off = std::string("Status ") + kSoundOffNotice;
    ASSERT_NE(on, off);
    const struct {
        int32_t before, after;
        const std::string& notice;
    } cases[] = {{0, 1, on}, {1, 0, off}, {2, 0, off}, {-1, 0, off}};
    for (const auto& c : cases) {
        host.Clear();
        gSettings.Sound = c.before;
        RunCommand(IDM_SOUND);
        EXPECT_EQ(gSettings.Sound, c.after) << c.before;
        EXPECT_EQ(host.calls, (Calls{c.notice})) << c.before;

        host.Clear();
        gSettings.FastDeal = c.before;
        RunCommand(IDM_FASTDEAL);
        EXPECT_EQ(gSettings.FastDeal, c.after) << c.before;
        EXPECT_TRUE(host.calls.empty()) << c.before;
    }
}

// ---- The pointer ------------------------------------------------------------

TEST_F(GameTest, CardUnderThePointerOnlyInTheHoldPhase) {
    auto centreOf = [](int i) { return CardUnderCursorAt(CentreX(Place(i)), CentreY(Place(i))); };
    for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(centreOf(i), -1) << "between games " << i;
    InsertCoin();
    DealOrDraw();
    for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(centreOf(i), -1) << "while dealing " << i;
    TurnUp();
    for (int i = 0; i < kSlotCount; ++i) {
        const LayoutRect r = Place(i);
        EXPECT_EQ(centreOf(i), i);
        EXPECT_EQ(CardUnderCursorAt(r.left, r.top), i);
        EXPECT_EQ(CardUnderCursorAt(r.right - 1, r.bottom - 1), i);
        EXPECT_EQ(CardUnderCursorAt(r.right, r.top), -1) << "the gap after " << i;
        EXPECT_EQ(CardUnderCursorAt(r.left, r.bottom), -1) << "below " << i;
        EXPECT_EQ(CardUnderCursorAt(r.left, r.top - 1), -1) << "above " << i;
        EXPECT_STREQ(PointerStatusText(r.left, r.top), CardName(gSlots[i].card));
        EXPECT_STRNE(PointerStatusText(r.left, r.top), "");
        EXPECT_STREQ(PointerStatusText(r.right, r.top), "");
    }
    EXPECT_EQ(CardUnderCursorAt(TableLayout::CardLeft(0) - 1, CentreY(Place(0))), -1);
    DealOrDraw();
    for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(centreOf(i), -1) << "drawing " << i;
    TurnUp();
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(centreOf(i), -1) << "after the draw " << i;
        EXPECT_STREQ(PointerStatusText(CentreX(Place(i)), CentreY(Place(i))), "");
    }
}

// A press holds through the hold button's own enabling, the engine's view.
TEST_F(GameTest, APressHoldsOnlyWhereTheHoldButtonIsEnabled) {
    auto enabledNow = [&](bool out[5]) {
        for (int i = 0; i < kSlotCount; ++i) out[i] = host.enabled[HoldButton0 + i];
    };
    bool enabled[5];
    enabledNow(enabled);
    for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(TablePressCommand(CentreX(Place(i)), CentreY(Place(i)), enabled), 0);
    InsertCoin();
    DealOrDraw();
    TurnUp();
    enabledNow(enabled);
    for (int i = 0; i < kSlotCount; ++i) {
        const LayoutRect r = Place(i);
        EXPECT_EQ(TablePressCommand(r.left, r.top, enabled), IDC_HOLD0 + i);
        EXPECT_EQ(TablePressCommand(r.right - 1, r.bottom - 1, enabled), IDC_HOLD0 + i);
        EXPECT_EQ(TablePressCommand(r.right, r.top, enabled), 0);
        RunCommand(TablePressCommand(r.left, r.top, enabled));
        EXPECT_NE(gSlots[i].held, 0);
    }
    // One enabled button: only its card answers.
    for (int only = 0; only < kSlotCount; ++only) {
        bool one[5] = {};
        one[only] = true;
        for (int i = 0; i < kSlotCount; ++i)
            EXPECT_EQ(TablePressCommand(CentreX(Place(i)), CentreY(Place(i)), one), i == only ? IDC_HOLD0 + i : 0);
    }
}

// ---- The menus ----------------------------------------------------------------

// Each of the three rules can grey the item; none may lift another's grey.
TEST_F(GameTest, CoinAndMaxAreGreyedWhenAnyOfTheirRulesSaysSo) {
    for (int coins = 0; coins <= kMaxCoins; ++coins)
        for (int32_t credits : {0, 1, 40})
            for (RoundPhase phase : {Betting, Dealt, Drawn}) {
                gRound.coinsIn = coins;
                gStats.credits = credits;
                gRound.phase = phase;
                const bool greyed = coins == kMaxCoins || credits == 0 || phase != Betting;
                for (int command : {IDM_COIN, IDM_BETMAX}) {
                    MenuItemState state = MainMenuItemState(command);
                    EXPECT_EQ(state.greyed, greyed) << command << " coins " << coins << " credits "
                                                    << credits << " phase " << phase;
                    EXPECT_FALSE(state.checked);
                }
            }
}

TEST_F(GameTest, ExitDealAndBankFollowTheirOwnRules) {
    EXPECT_FALSE(MainMenuItemState(IDM_EXIT).greyed);
    EXPECT_TRUE(MainMenuItemState(IDM_DEAL).greyed);
    InsertCoin();
    EXPECT_FALSE(MainMenuItemState(IDM_DEAL).greyed);
    DealOrDraw();
    EXPECT_TRUE(MainMenuItemState(IDM_EXIT).greyed);
    EXPECT_FALSE(MainMenuItemState(IDM_DEAL).greyed) << "the deal's guard refuses it";
    TurnUp();
    EXPECT_FALSE(MainMenuItemState(IDM_EXIT).greyed);
    EXPECT_FALSE(MainMenuItemState(IDM_DEAL).greyed);

    EXPECT_FALSE(MainMenuItemState(IDM_BANK).greyed);
    gNewReceived = 0;
    EXPECT_TRUE(MainMenuItemState(IDM_BANK).greyed) << "before the first New";
    gNewReceived = 1;
    gStats.bankTotal = INT32_MAX - 79;
    EXPECT_TRUE(MainMenuItemState(IDM_BANK).greyed) << "the meters cannot take 80 more";
    gStats.bankTotal = 40;
    gStats.credits = INT32_MAX - 79;
    EXPECT_TRUE(MainMenuItemState(IDM_BANK).greyed);
}

TEST_F(GameTest, OnlySoundAndFastDealCarryChecksAndAnyOnValueChecksThem) {
    const int unruled[] = {IDM_NEW, IDM_OPTIONS, IDM_STATS, IDM_CLEARSTATS,
                           IDM_HELP, IDM_PAYOFF, IDM_ABOUT};
    for (int32_t value : {0, 1, 2, -1}) {
        gSettings.Sound = value;
        gSettings.FastDeal = value;
        EXPECT_EQ(MainMenuItemState(IDM_SOUND).checked, value != 0) << value;
        EXPECT_EQ(MainMenuItemState(IDM_FASTDEAL).checked, value != 0) << value;
        for (int i = 0; i < kRuledMenuCommandCount; ++i) {
            int command = kRuledMenuCommands[i];
            if (!MenuItemCheckable(command)) {
                EXPECT_FALSE(MainMenuItemState(command).checked) << command;
            }
        }
        for (int command : unruled) {
            EXPECT_FALSE(MenuItemCheckable(command)) << command;
            EXPECT_FALSE(MainMenuItemState(command).greyed) << command;
            EXPECT_FALSE(MainMenuItemState(command).checked) << command;
        }
    }
}

// The right-click menu names Deal by the phase; nothing else about it moves.
TEST_F(GameTest, TableMenuRenamesOnlyTheDealItemInTheRound) {
    TableMenuItem between[kTableMenuItemCount], holding[kTableMenuItemCount];
    TableMenuItems(between);
    InsertCoin();
    DealOrDraw();
    TurnUp();
    TableMenuItems(holding);
    int renamed = 0;
    for (int i = 0; i < kTableMenuItemCount; ++i) {
        EXPECT_EQ(between[i].command, holding[i].command) << i;
        EXPECT_EQ(between[i].text == nullptr, between[i].command == 0) << "a separator has no text " << i;
        if (!between[i].text) continue;
        EXPECT_STRNE(between[i].text, "") << i;
        if (std::strcmp(between[i].text, holding[i].text) != 0) {
            ++renamed;
            EXPECT_EQ(between[i].command, IDM_DEAL) << i;
        }
    }
    EXPECT_EQ(renamed, 1);
}

}  // namespace

// ---- Start-up -------------------------------------------------------------------

namespace {

std::vector<TableButtonSpec> gMade;
bool gLoaded = false;

void LoadNothing() {
    EXPECT_TRUE(gMade.empty());
    gLoaded = true;
}

// Each hold button is made once its card place is set, after the settings.
void Made(const TableButtonSpec& b) {
    EXPECT_TRUE(gLoaded);
    if (b.button < CoinButton) {
        EXPECT_EQ(gSlots[b.button - HoldButton0].x, Place(b.button - HoldButton0).left);
    }
    gMade.push_back(b);
}

}  // namespace

// Both hosts start up through the same steps: the eight buttons in the
// engine's order, each hold button under its card and answering to the
// command a press on that card gives, then an empty round on a clear table.
TEST_F(GameTest, StartUpMakesTheButtonsInOrderAndLeavesAClearTable) {
    ResetProgramState();
    gMade.clear();
    gLoaded = false;
    SetUpTable(LoadNothing, Made);
    ASSERT_EQ(gMade.size(), 8u);
    const bool all[5] = {true, true, true, true, true};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(gMade[i].button, i);
    for (int i = 0; i < kSlotCount; ++i) {
        const LayoutRect card = Place(i);
        EXPECT_EQ(gSlots[i].y, card.top);
        EXPECT_EQ(gMade[i].place.left, card.left);
        EXPECT_GE(gMade[i].place.top, card.bottom);
        EXPECT_EQ(gMade[i].command, TablePressCommand(CentreX(card), CentreY(card), all));
        EXPECT_EQ(gSlots[i].card, kNoCard);
        EXPECT_EQ(gSlots[i].held, 0);
    }
    EXPECT_EQ(gMade[CoinButton].command, IDM_COIN);
    EXPECT_EQ(gMade[MaxButton].command, IDM_BETMAX);
    EXPECT_EQ(gMade[DealButton].command, IDM_DEAL);
    EXPECT_EQ(gRound.coinsIn, 0);
    EXPECT_EQ(gRound.phase, Betting);
}
