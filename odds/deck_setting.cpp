#include "odds/deck_setting.h"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "engine/card.h"
#include "odds/card_text.h"

namespace {

std::string ProgramPath() {
#ifdef _WIN32
    // The runtime's full path of the program's module.
    return _pgmptr != nullptr ? _pgmptr : "";
#else
    std::string path(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", &path[0], path.size());
    if (n <= 0 || size_t(n) >= path.size()) return "";
    path.resize(size_t(n));
    return path;
#endif
}

// The whole file, false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& text) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    text.clear();
    char block[4096];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, n);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

// A value as the game's private-profile functions read it (measured under
// Wine): a sign, then a lower-case 0x, 0o or 0b prefix for base 16, 8 or 2,
// then digits of the base up to the first other character, kept modulo 2^32.
// strtol would differ: it clamps, at 32 bits on Windows and 64 elsewhere,
// and knows no prefix, so "WildCards=0x1" or "=4294967296" chose the other deck.
int32_t ProfileInteger(const std::string& text) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    uint32_t base = 10;
    if (text.compare(at, 2, "0x") == 0) base = 16;
    if (text.compare(at, 2, "0o") == 0) base = 8;
    if (text.compare(at, 2, "0b") == 0) base = 2;
    if (base != 10) at += 2;
    uint32_t value = 0;
    for (; at < text.size(); ++at) {
        char c = char(std::tolower(static_cast<unsigned char>(text[at])));
        uint32_t digit = c >= '0' && c <= '9' ? uint32_t(c - '0')
                         : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
                                                : 16;
        if (digit >= base) break;
        value = value * base + digit;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

}  // namespace

ProfileText::ProfileText(const std::string& text) {
    bool inSettings = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string trimmed = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (trimmed.empty() || trimmed[0] == ';') continue;
        if (trimmed[0] == '[') {
            size_t close = trimmed.find(']');
            std::string name = close == std::string::npos ? trimmed.substr(1)
                                                         : trimmed.substr(1, close - 1);
            inSettings = Lower(Trimmed(name)) == "settings";
            continue;
        }
        size_t equals = trimmed.find('=');
        if (!inSettings || equals == std::string::npos) continue;
        entries_.emplace_back(Lower(Trimmed(trimmed.substr(0, equals))),
                              Trimmed(trimmed.substr(equals + 1)));
    }
}

int32_t ProfileText::ReadInt(const char* key, int32_t defaultValue) {
    std::string wanted = Lower(key);
    for (const auto& entry : entries_) {
        if (entry.first != wanted) continue;
        if (entry.second.empty()) return defaultValue;
        return ProfileInteger(entry.second);
    }
    return defaultValue;
}

void ProfileText::WriteString(const char*, const char*) {}

int DeckSizeFromSettings(ProfileStore& store) {
    LoadSettingsFrom(store);
    return gSettings.WildCards != 0 ? kDeckSize : 52;
}

std::string SettingsFileBesideProgram() {
    std::string path = ProgramPath();
    while (!path.empty() && path.back() != '/' && path.back() != '\\') path.pop_back();
    return path + "quorvel.ini";
}

bool DeckSizeFromSettingsFile(const std::string& path, bool mustExist, int& deckSize,
                              std::string& source, std::string& error) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        if (mustExist) {
            error = "there is no settings file " + path;
            return false;
        }
        ProfileText none("");
        deckSize = DeckSizeFromSettings(none);
        source = "no " + path + ", so the game's default";
        return true;
    }
    std::string text;
    if (!ReadWholeFile(path, text)) {
        error = "cannot read the settings file " + path;
        return false;
    }
    ProfileText profile(text);
    deckSize = DeckSizeFromSettings(profile);
    source = "WildCards=" + std::to_string(gSettings.WildCards) + " in " + path;
    return true;
}
