// How the table looks beyond its places: the read-outs' texts and colours,
// the message line's colours, which picture a card place shows, the top
// buttons' first captions and the fonts.  Portable: the Windows shell and the
// page draw with these.  Colours are 0x00BBGGRR.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint32_t kCoinsTextColour = 0x007F00;
constexpr uint32_t kCreditsTextColour = 0x7F007F;
constexpr uint32_t kReadoutGround = 0xFFFFFF;
constexpr uint32_t kMessageTextColour = 0x00FFFF;     // yellow on black
constexpr uint32_t kDialogCardCorner = 0xC0C0C0;      // light grey, the dialogs' face

constexpr char kCoinCaption[] = "Coin";
constexpr char kMaxCaption[] = "Max";
constexpr char kDealCaption[] = "Deal";

// All three table fonts are this face, bold and upright.
constexpr char kTableFontFace[] = "Arial";
constexpr int kBigFontPoints = 16;        // the credits box, the help caption
constexpr int kButtonFontPoints = 8;      // the push buttons, the coins box
constexpr int kMessageFontPoints = 8;     // the message line

void FormatCoinsReadout(char* out, size_t size);      // "COINS PLAYED = n"
void FormatCreditsReadout(char* out, size_t size);    // "CREDITS = n"
// The bitmap a card place shows: its card's face, or the back design.
void CardPictureName(int slot, char* out, size_t size);
