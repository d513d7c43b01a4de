#include "shell/box_texts.h"

#include "resources/resource_ids.h"

const MessageBoxText kExitQuestion = {"Leave Quorvel?", 0, kGameCaption, BoxIcon::Question,
                                      BoxButtons::YesNo};
const MessageBoxText kClearStatisticsQuestion = {"Clear statistics?", 0, kGameCaption,
                                                 BoxIcon::Question, BoxButtons::YesNo};
const MessageBoxText kNoGamesBox = {"No games have been played yet.", 0, kGameCaption,
                                    BoxIcon::Information, BoxButtons::Ok};
// Two spaces after the exclamation mark.
const MessageBoxText kBustedBox = {"No more coins!  Hit the bank!", 0, "* BUSTED *",
                                   BoxIcon::Warning, BoxButtons::Ok};
const MessageBoxText kBankBox = {nullptr, IDS_BANK_TEXT, "Good Luck!", BoxIcon::Information,
                                 BoxButtons::Ok};
const MessageBoxText kDialogFailedBox = {"DialogBox() failed", 0, "DEBUG", BoxIcon::None,
                                         BoxButtons::Ok};
