// "quorvel.ini" beside the executable, through the private-profile functions.
#include <windows.h>

#include <cstring>

#include "settings/settings.h"

namespace {

const char kSection[] = "Settings";
const char kFileName[] = "quorvel.ini";

// Room for the longest path the system can give (32,767 characters), so a
// long-path install is never cut off; it costs nothing in the executable.
const DWORD kPathRoom = 32768;
char SettingsPath[kPathRoom + sizeof kFileName];

// The directory of the executable followed by the file name; the bare file
// name when the module path cannot be read.
const char* SettingsFilePath() {
    DWORD n = GetModuleFileNameA(nullptr, SettingsPath, kPathRoom);
    if (n == 0 || n >= kPathRoom) return kFileName;
    while (n > 0 && SettingsPath[n - 1] != '\\') --n;
    std::memcpy(SettingsPath + n, kFileName, sizeof kFileName);
    return SettingsPath;
}

class PrivateProfile : public ProfileStore {
public:
    PrivateProfile() : path_(SettingsFilePath()) {}
    // A file the player made read-only, or a directory of that name, is
    // left as it is: Windows refuses such writes itself, but Wine running
    // as root would rewrite a read-only file.
    bool MayWrite() const {
        DWORD attributes = GetFileAttributesA(path_);
        if (attributes == INVALID_FILE_ATTRIBUTES) return true;
        return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
    }
    int32_t ReadInt(const char* key, int32_t defaultValue) override {
        return static_cast<int32_t>(GetPrivateProfileIntA(kSection, key, defaultValue, path_));
    }
    void WriteString(const char* key, const char* value) override {
        WritePrivateProfileStringA(kSection, key, value, path_);
    }

private:
    const char* path_;
};

}  // namespace

void LoadSettings() {
    PrivateProfile file;
    LoadSettingsFrom(file);
}

void SaveSettings() {
    PrivateProfile file;
    if (file.MayWrite()) SaveSettingsTo(file);
}
