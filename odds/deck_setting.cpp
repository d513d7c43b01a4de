#include "odds/deck_setting.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "engine/card.h"

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

}  // namespace

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

bool CommandDeck(const OddsOptions& options, int& deckSize, std::string& source,
                 std::string& error) {
    deckSize = options.deckSize;
    source = "--deck " + std::to_string(deckSize);
    if (deckSize != 0) return true;
    bool named = !options.settingsFile.empty();
    std::string path = named ? options.settingsFile : SettingsFileBesideProgram();
    return DeckSizeFromSettingsFile(path, named, deckSize, source, error);
}
