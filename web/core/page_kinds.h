// The numbers the page passes to the core's exports to say which place,
// metric, look or setting it asks for.  Each list names its members once:
// the enums below and the page's ids.js (written at build time by
// tools/generators/webgen/pageids) are both made from it.
#pragma once

#define QUORVEL_PLACE_KINDS(X)                                                              \
    X(Card) X(Hold) X(Coin) X(Max) X(Deal) X(RowFrame) X(Title) X(CoinsBox) X(CreditsBox)    \
    X(Badge) X(Message) X(Status)

#define QUORVEL_PAGE_METRICS(X)                                                             \
    X(ClientWidth) X(ClientHeight) X(StatusHeight) X(BorderUnit) X(StatusMessageWidth)       \
    X(StatusIndicatorWidth) X(CaptionHeight) X(MenuHeight) X(FrameWidth) X(DialogBaseX)      \
    X(DialogBaseY) X(WindowWidth) X(WindowHeight)

#define QUORVEL_LOOK_KINDS(X)                                                               \
    X(CoinsText) X(CreditsText) X(ReadoutGround) X(MessageText) X(DialogCorner) X(BigFont)   \
    X(ButtonFont) X(MessageFont)

// The settings in the order of the record's fields.
#define QUORVEL_SETTING_KINDS(X)                                                            \
    X(Zoom) X(ZoomSteps) X(BackColor) X(Sound) X(WildCards) X(CardBack) X(JacksOrBetter)    \
    X(ConfirmExit) X(FastDeal)

#define QUORVEL_KIND_ENUMERATOR(name) name,

enum class PlaceKind { QUORVEL_PLACE_KINDS(QUORVEL_KIND_ENUMERATOR) };
enum class PageMetric { QUORVEL_PAGE_METRICS(QUORVEL_KIND_ENUMERATOR) Count };
enum class LookKind { QUORVEL_LOOK_KINDS(QUORVEL_KIND_ENUMERATOR) };
enum class SettingKind { QUORVEL_SETTING_KINDS(QUORVEL_KIND_ENUMERATOR) };
