// The texts of the message boxes and of the status line's sound notices,
// as the Windows shell and the page show them.  Portable.
#pragma once

// The caption of the main window and of the boxes.
constexpr char kGameCaption[] = "Quorvel v2.1";

enum class BoxIcon { Question, Warning, Information, None };
enum class BoxButtons { YesNo, Ok };

struct MessageBoxText {
    const char* text;       // nullptr: the string-table entry `stringId`
    int stringId;
    const char* caption;
    BoxIcon icon;
    BoxButtons buttons;
};

// The exit and clear-statistics questions, the statistics' refusal, the
// round that left no credit, the bank, and the Options dialog's failure.
extern const MessageBoxText kExitQuestion;
extern const MessageBoxText kClearStatisticsQuestion;
extern const MessageBoxText kNoGamesBox;
extern const MessageBoxText kBustedBox;
extern const MessageBoxText kBankBox;
extern const MessageBoxText kDialogFailedBox;

constexpr char kSoundOnNotice[] = "Sound is on.";
constexpr char kSoundOffNotice[] = "Sound is off.";
