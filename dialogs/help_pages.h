// The help dialog's twelve pages: each one's caption, text and row of
// example cards.  Portable: the Windows dialog and the page show these.
#pragma once
#include <cstddef>

constexpr int kHelpFirstPage = 1;
constexpr int kHelpLastPage = 12;
constexpr int kHelpCardCount = 5;
constexpr int kHelpCardNameSize = 20;

struct HelpPageContent {
    const char* caption;
    const char* text;
    // Bitmap names from left to right; an empty name means no card (the
    // place is painted with "Blank").
    char cards[kHelpCardCount][kHelpCardNameSize];
};

// The content of page 1..12; nothing (all cards empty, no texts) outside.
// Page 10 draws its rank from the dealing generator on every call.
void FillHelpPageContent(int page, HelpPageContent* content);
// Where example card k (0..4) stands in the dialog: the row is laid out like
// the table's card row, centred on the frame around text and cards, 10
// pixels above its bottom edge (the frame's rectangle in dialog pixels).
int HelpCardLeft(int frameLeft, int frameRight, int k);
int HelpCardTop(int frameBottom);

// "Page n of 12".
void FormatHelpCounter(int page, char* out, size_t size);
