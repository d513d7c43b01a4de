// Which deck the game deals from: the WildCards key of its settings file,
// read by the game's own loading rules, so that a missing file or key means
// the joker is in play, as it is in the game.
#pragma once
#include <string>

#include "odds/options.h"
#include "settings/profile_text.h"

// 53 when the settings' WildCards is nonzero, else 52.
int DeckSizeFromSettings(ProfileStore& store);

// The settings file the game keeps beside its executable, looked for beside
// this program: "quorvel.ini" in this program's directory.
std::string SettingsFileBesideProgram();

// The deck of the settings file at `path`.  A file that does not exist
// gives the game's defaults, as in the game, unless `mustExist` (a file the
// player named); one that exists but cannot be read is an error.  `source`
// tells the player where the choice came from.
bool DeckSizeFromSettingsFile(const std::string& path, bool mustExist, int& deckSize,
                              std::string& source, std::string& error);

// The deck of hold and train: --deck, else the game's settings file (the
// one named, else the one beside this program); false, with the reason in
// `error`, when that cannot be read.
bool CommandDeck(const OddsOptions& options, int& deckSize, std::string& source,
                 std::string& error);
