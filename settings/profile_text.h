// The settings file read as text, for the tools that read the game's file
// where the private-profile functions are not at hand.  Its own file, so
// that the game, which reads through those functions, links none of it.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "settings/settings.h"

// The "Settings" section of an initialisation file's text, read as the
// private-profile functions read it: section and key names in any case,
// blanks around names and values ignored, the first line of a key wins, a
// value's leading number (0 when it has none; decimal, or after 0x, 0o or 0b
// hexadecimal, octal or binary; kept to its low 32 bits), the default when the
// key is missing or its value empty.  Read only: writes are dropped.  For
// tools that read the game's file where those functions are not.
class ProfileText final : public ProfileStore {
public:
    explicit ProfileText(const std::string& text);
    int32_t ReadInt(const char* key, int32_t defaultValue) override;
    void WriteString(const char* key, const char* value) override;

private:
    std::vector<std::pair<std::string, std::string>> entries_;  // key, value
};
