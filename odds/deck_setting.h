// Which deck the game deals from: the WildCards key of its settings file,
// read by the game's own loading rules, so that a missing file or key means
// the joker is in play, as it is in the game.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings.h"

// The "Settings" section of an initialisation file's text, read as the
// private-profile functions read it: section and key names in any case,
// blanks around names and values ignored, the first line of a key wins, a
// value's leading number (0 when it has none; decimal, or after 0x, 0o or 0b
// hexadecimal, octal or binary; kept to its low 32 bits), the default when
// the key is missing or its value empty.  Read only: writes are dropped.
class ProfileText final : public ProfileStore {
public:
    explicit ProfileText(const std::string& text);
    int32_t ReadInt(const char* key, int32_t defaultValue) override;
    void WriteString(const char* key, const char* value) override;

private:
    std::vector<std::pair<std::string, std::string>> entries_;  // lower-case key, value
};

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
