// What the page's script calls in the portable core: the start-up, the
// commands, the timer, the pointer and the close, and the rules, places and
// texts the page shows.  Results of more than one number go to an array the
// script reads; texts are zero-terminated UTF-8 in the module's memory.
#include <cstdio>

#include "engine/deck.h"
#include "engine/game_host.h"
#include "engine/card_name.h"
#include "engine/payout.h"
#include "engine/round.h"
#include "odds/card_text.h"
#include "presentation/jackpot_plan.h"
#include "presentation/table_look.h"
#include "presentation/table_speech.h"
#include "presentation/zoom_trail.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/box_texts.h"
#include "shell/command_table.h"
#include "shell/menu_rules.h"
#include "shell/startup_sequence.h"
#include "shell/status_layout.h"
#include "shell/table_layout.h"
#include "web/core/page_kinds.h"
#include "web/core/web_host.h"
#include "web/core/web_imports.h"

#define QUORVEL_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

// The page stands where the game stands under Wine 8 with classic metrics:
// a caption of 19, a menu bar of 19 and a frame of 3 around a window of the
// table's size leave a client area of 484 x 399; the status font there is
// 16 pixels high and 14 at its widest, with a border unit of 1.  Dialog
// units are 6 x 13 pixels per 4 x 8.
constexpr int kCaptionHeight = 19;
constexpr int kMenuHeight = 19;
constexpr int kFrameWidth = 3;
constexpr int kBorderUnit = 1;
constexpr int kStatusFontHeight = 16;
constexpr int kStatusFontWidest = 14;
constexpr int kStatusHeight = 7 * kBorderUnit + kStatusFontHeight;

constexpr int M(PageMetric m) {
    switch (m) {
    case PageMetric::ClientWidth: return TableLayout::ClientWidth(kFrameWidth);
    case PageMetric::ClientHeight:
        return TableLayout::ClientHeight(kStatusHeight, kCaptionHeight, kMenuHeight, kFrameWidth);
    case PageMetric::StatusHeight: return kStatusHeight;
    case PageMetric::BorderUnit: return kBorderUnit;
    case PageMetric::StatusMessageWidth: return 34 * kStatusFontWidest;
    case PageMetric::StatusIndicatorWidth: return 3 * kStatusFontWidest;
    case PageMetric::CaptionHeight: return kCaptionHeight;
    case PageMetric::MenuHeight: return kMenuHeight;
    case PageMetric::FrameWidth: return kFrameWidth;
    case PageMetric::DialogBaseX: return 6;
    case PageMetric::DialogBaseY: return 13;
    case PageMetric::WindowWidth: return TableLayout::kWindowWidth;
    case PageMetric::WindowHeight: return TableLayout::WindowHeight(kStatusHeight);
    case PageMetric::Count: break;
    }
    return 0;
}

int gOut[kStatusBandCount * 5];
alignas(16) char gAsyncBuffers[8][16384];
int gLastHelpId = 0;

int* Put(const LayoutRect& r) {
    gOut[0] = r.left;
    gOut[1] = r.top;
    gOut[2] = r.right;
    gOut[3] = r.bottom;
    return gOut;
}

StatusMetrics PageStatusMetrics() {
    return {M(PageMetric::BorderUnit), M(PageMetric::StatusHeight),
            M(PageMetric::StatusMessageWidth), M(PageMetric::StatusIndicatorWidth)};
}

}  // namespace

// ---- Suspending and resuming the core -----------------------------------

QUORVEL_EXPORT(quorvel_async_buffer) char* AsyncBuffer(int i) { return gAsyncBuffers[i]; }
QUORVEL_EXPORT(quorvel_async_buffer_count) int AsyncBufferCount() { return 8; }
QUORVEL_EXPORT(quorvel_async_buffer_size) int AsyncBufferSize() { return sizeof gAsyncBuffers[0]; }

// ---- The machine -----------------------------------------------------------

// Start-up as the Windows shell runs it, up to the window being shown: the
// generator seeded with the time, the window's creation, then the deck, the
// settings, the card places and the cleared table.  The page then builds its
// window, paints and posts the New command, as the shell does.
QUORVEL_EXPORT(quorvel_start) void Start() {
    InstallWebHosts();
    SeedFromClock(static_cast<int64_t>(WebTimeSeconds()));
    MainWindowCreated();
    SetUpTable([] { LoadSettingsFrom(WebSettingsStore()); }, nullptr);
}

// The command and the place of a table button (TableButton), as start-up
// makes it.
QUORVEL_EXPORT(quorvel_button_command) int ButtonCommand(int button) {
    return button >= HoldButton0 && button <= DealButton
               ? TableButtonAt(static_cast<TableButton>(button)).command
               : 0;
}
QUORVEL_EXPORT(quorvel_button_place) int* ButtonPlace(int button) {
    return Put(TableButtonAt(static_cast<TableButton>(button)).place);
}

// WM_PAINT: the read-outs and all five cards, then the message line.
QUORVEL_EXPORT(quorvel_paint) void Paint() {
    GameHost* host = CurrentGameHost();
    host->DrawMeters();
    host->DrawAllCards();
    WebDrawMessageLine();
}

QUORVEL_EXPORT(quorvel_caption) const char* Caption() { return kGameCaption; }

QUORVEL_EXPORT(quorvel_command) void Command(int command) { RunCommand(command); }
QUORVEL_EXPORT(quorvel_timer) void Timer() { TableTimerTick(); }

// The window's close box, Alt+F4 and the Exit command all come here.
QUORVEL_EXPORT(quorvel_close) void Close() {
    if (CloseMainWindowRequested()) WebClosed();
}

QUORVEL_EXPORT(quorvel_save_settings) void SaveSettingsNow() { SaveSettingsTo(WebSettingsStore()); }

QUORVEL_EXPORT(quorvel_press) void Press(int x, int y) {
    bool enabled[kSlotCount];
    for (int i = 0; i < kSlotCount; ++i) enabled[i] = WebButtonEnabled(static_cast<TableButton>(i));
    if (int command = TablePressCommand(x, y, enabled)) RunCommand(command);
}

QUORVEL_EXPORT(quorvel_pointer_moved) void PointerMoved(int x, int y) {
    WebStatusText(PointerStatusText(x, y));
}

QUORVEL_EXPORT(quorvel_card_under) int CardUnder(int x, int y) { return CardUnderCursorAt(x, y); }

// Bit 0 greyed, bit 1 checked.
QUORVEL_EXPORT(quorvel_menu_state) int MenuState(int command) {
    MenuItemState state = MainMenuItemState(command);
    return (state.greyed ? 1 : 0) | (state.checked ? 2 : 0);
}

QUORVEL_EXPORT(quorvel_menu_help) int MenuHelp(int item, int flags, int closed) {
    gLastHelpId = MenuHelpId(item, static_cast<unsigned>(flags), closed != 0, gLastHelpId);
    return gLastHelpId;
}

QUORVEL_EXPORT(quorvel_table_menu_count) int TableMenuCount() { return kTableMenuItemCount; }
QUORVEL_EXPORT(quorvel_table_menu_text) const char* TableMenuText(int i) {
    TableMenuItem items[kTableMenuItemCount];
    TableMenuItems(items);
    return i >= 0 && i < kTableMenuItemCount ? items[i].text : nullptr;
}
QUORVEL_EXPORT(quorvel_table_menu_command) int TableMenuCommand(int i) {
    TableMenuItem items[kTableMenuItemCount];
    TableMenuItems(items);
    return i >= 0 && i < kTableMenuItemCount ? items[i].command : 0;
}

// ---- Places and looks -------------------------------------------------

QUORVEL_EXPORT(quorvel_metric) int Metric(int which) {
    return which >= 0 && which < static_cast<int>(PageMetric::Count)
               ? M(static_cast<PageMetric>(which))
               : 0;
}

QUORVEL_EXPORT(quorvel_place) int* Place(int kind, int i) {
    const int W = M(PageMetric::ClientWidth);
    const int H = M(PageMetric::ClientHeight);
    const int S = M(PageMetric::StatusHeight);
    switch (static_cast<PlaceKind>(kind)) {
    case PlaceKind::Card: return Put(TableLayout::CardPlace(i));
    case PlaceKind::Hold: return Put(TableLayout::HoldButton(i));
    case PlaceKind::Coin: return Put(TableLayout::CoinButton());
    case PlaceKind::Max: return Put(TableLayout::MaxButton());
    case PlaceKind::Deal: return Put(TableLayout::DealButton());
    case PlaceKind::RowFrame: return Put(TableLayout::CardRowFrame());
    case PlaceKind::Title: return Put(TableLayout::TitleBox());
    case PlaceKind::CoinsBox: return Put(TableLayout::CoinsBox());
    case PlaceKind::CreditsBox: return Put(TableLayout::CreditsBox());
    case PlaceKind::Badge: return Put(TableLayout::Badge(i, W));
    case PlaceKind::Message: return Put(TableLayout::MessageLine(W, H, S));
    default: return Put(TableLayout::StatusLineRect(W, H, S));
    }
}

// Five numbers a band: its colour (face, shadow, light, dark) and rectangle.
QUORVEL_EXPORT(quorvel_status_bands) int* StatusBands() {
    StatusBand bands[kStatusBandCount];
    StatusLineBands(PageStatusMetrics(), M(PageMetric::ClientWidth), M(PageMetric::ClientHeight),
                    bands);
    for (int i = 0; i < kStatusBandCount; ++i) {
        gOut[5 * i] = static_cast<int>(bands[i].colour);
        gOut[5 * i + 1] = bands[i].rect.left;
        gOut[5 * i + 2] = bands[i].rect.top;
        gOut[5 * i + 3] = bands[i].rect.right;
        gOut[5 * i + 4] = bands[i].rect.bottom;
    }
    return gOut;
}
QUORVEL_EXPORT(quorvel_status_band_count) int StatusBandCount() { return kStatusBandCount; }

QUORVEL_EXPORT(quorvel_status_pane) int* StatusPaneRect(int pane) {
    return Put(StatusPaneTextRect(PageStatusMetrics(), static_cast<StatusPane>(pane),
                                  M(PageMetric::ClientWidth), M(PageMetric::ClientHeight)));
}

QUORVEL_EXPORT(quorvel_look) int Look(int which) {
    switch (static_cast<LookKind>(which)) {
    case LookKind::CoinsText: return static_cast<int>(kCoinsTextColour);
    case LookKind::CreditsText: return static_cast<int>(kCreditsTextColour);
    case LookKind::ReadoutGround: return static_cast<int>(kReadoutGround);
    case LookKind::MessageText: return static_cast<int>(kMessageTextColour);
    case LookKind::DialogCorner: return static_cast<int>(kDialogCardCorner);
    case LookKind::BigFont: return kBigFontPoints;
    case LookKind::ButtonFont: return kButtonFontPoints;
    case LookKind::MessageFont: return kMessageFontPoints;
    default: return 0;
    }
}

QUORVEL_EXPORT(quorvel_first_caption) const char* FirstCaption(int button) {
    return button >= HoldButton0 && button <= DealButton
               ? TableButtonAt(static_cast<TableButton>(button)).caption
               : "";
}

// The lock panes and the key latch of the page's status line.
bool gLatch = false;
bool gLockShown[2] = {false, false};

QUORVEL_EXPORT(quorvel_key_press_looks) int KeyLooks() { return KeyPressLooks(&gLatch) ? 1 : 0; }
QUORVEL_EXPORT(quorvel_key_release) void KeyRelease() { gLatch = false; }
// 1 when the CAPS (1) or NUM (2) pane is to be repainted for the lock's
// state `on`.
QUORVEL_EXPORT(quorvel_lock_pane_changes) int LockChanges(int pane, int on) {
    if (pane != 1 && pane != 2) return 0;
    return LockPaneChanges(on != 0, &gLockShown[pane - 1]) ? 1 : 0;
}

QUORVEL_EXPORT(quorvel_lock_word) const char* LockWord(int pane) {
    return pane == static_cast<int>(StatusPane::Caps) ? kCapsWord : kNumWord;
}

// ---- Settings -----------------------------------------------------------

QUORVEL_EXPORT(quorvel_setting) int Setting(int which) {
    const GameSettings& s = gSettings;
    switch (static_cast<SettingKind>(which)) {
    case SettingKind::Zoom: return s.Zoom;
    case SettingKind::ZoomSteps: return ZoomStepsInUse();
    case SettingKind::BackColor: return static_cast<int>(s.BackColor);
    case SettingKind::Sound: return s.Sound;
    case SettingKind::WildCards: return s.WildCards;
    case SettingKind::CardBack: return s.CardBack;
    case SettingKind::JacksOrBetter: return s.JacksOrBetter;
    case SettingKind::ConfirmExit: return s.ConfirmExit;
    case SettingKind::FastDeal: return s.FastDeal;
    default: return 0;
    }
}

// ---- The screen effects ---------------------------------------------------

QUORVEL_EXPORT(quorvel_zoom_pauses) int ZoomPauses(int steps) { return ZoomPauseCount(steps); }
QUORVEL_EXPORT(quorvel_zoom_pause_ms) int ZoomPauseMs() { return kZoomPauseMs; }
QUORVEL_EXPORT(quorvel_zoom_draws) int* ZoomDraws(int closing, int steps, int n) {
    gOut[2] = ZoomTrailDraws(closing != 0, steps, n, gOut);
    return gOut;
}
QUORVEL_EXPORT(quorvel_zoom_rect) int* ZoomRect(int ox, int oy, int left, int top, int right,
                                                int bottom, int i, int steps) {
    return Put(ZoomFrameRect({ox, oy}, {left, top, right, bottom}, ZoomFraction(i, steps)));
}
QUORVEL_EXPORT(quorvel_zoom_close_origin) int* ZoomCloseOriginExport(int left, int top, int right,
                                                                     int bottom) {
    ZoomPoint p = ZoomCloseOrigin({left, top, right, bottom});
    gOut[0] = p.x;
    gOut[1] = p.y;
    return gOut;
}

QUORVEL_EXPORT(quorvel_jackpot_flashes) int JackpotFlashes() { return kJackpotFlashes; }
QUORVEL_EXPORT(quorvel_jackpot_silent_ms) int JackpotSilentMs() { return kJackpotSilentFlashMs; }
QUORVEL_EXPORT(quorvel_jackpot_at) int* JackpotAt(int w, int h, int pw, int ph) {
    gOut[0] = JackpotPictureLeft(w, pw);
    gOut[1] = JackpotPictureTop(h, ph);
    return gOut;
}
QUORVEL_EXPORT(quorvel_jackpot_picture) const char* JackpotPicture() { return kJackpotPicture; }
QUORVEL_EXPORT(quorvel_jackpot_fanfare) const char* JackpotFanfare() { return kJackpotFanfare; }

// What a screen reader is told of the table, worded by the core.
static char gSpoken[256];
QUORVEL_EXPORT(quorvel_spoken_card) const char* SpokenCard(int slot) {
    SpokenCardPlace(slot, gSpoken, sizeof gSpoken);
    return gSpoken;
}
QUORVEL_EXPORT(quorvel_spoken_hold) const char* SpokenHold(int slot) {
    SpokenHoldButton(slot, gSpoken, sizeof gSpoken);
    return gSpoken;
}
QUORVEL_EXPORT(quorvel_spoken_held_cards) const char* SpokenHeld(int mask) {
    SpokenHeldCards(mask, gSpoken, sizeof gSpoken);
    return gSpoken;
}
QUORVEL_EXPORT(quorvel_hold_pressed) int HoldIsPressed(int slot) { return HoldPressed(slot) ? 1 : 0; }
QUORVEL_EXPORT(quorvel_table_news) const char* TableNews() {
    TakeTableNews(gSpoken, sizeof gSpoken);
    return gSpoken;
}
// The hand the jackpot screen celebrates, by its payoff name.
QUORVEL_EXPORT(quorvel_hand_name) const char* HandName() { return PayoutTable[gRound.category].name; }

// Any card of the deck by its index, for the coach's drill and history:
// its picture, its name as the status line gives it, and the analyser's
// short text ("QS").
QUORVEL_EXPORT(quorvel_card_picture) const char* CardPicture(int card) {
    return card >= 0 && card < kDeckSize ? gDeck[card].name : "";
}
QUORVEL_EXPORT(quorvel_card_name) const char* CardNameOf(int card) { return CardName(card); }
QUORVEL_EXPORT(quorvel_card_short) const char* CardShort(int card) {
    static char text[8];
    std::snprintf(text, sizeof text, "%s", card >= 0 && card <= kJoker ? CardShortName(card).c_str() : "");
    return text;
}
QUORVEL_EXPORT(quorvel_credits) int Credits() { return gStats.credits; }
