// "quorvel.ini" beside the executable, through the private-profile functions.
#include <windows.h>

#include <string>

#include "settings/settings.h"

namespace {

const char kSection[] = "Settings";
const char kFileName[] = "quorvel.ini";

// The module path may be longer than MAX_PATH on long-path systems: grow the
// buffer until the whole path fits instead of working on a cut-off one.
std::string SettingsFilePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return kFileName;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    while (!path.empty() && path.back() != '\\') path.pop_back();
    return path + kFileName;
}

class PrivateProfile : public ProfileStore {
public:
    PrivateProfile() : path_(SettingsFilePath()) {}
    // A file the player made read-only, or a directory of that name, is
    // left as it is: Windows refuses such writes itself, but Wine running
    // as root would rewrite a read-only file.
    bool MayWrite() const {
        DWORD attributes = GetFileAttributesA(path_.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return true;
        return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
    }
    int32_t ReadInt(const char* key, int32_t defaultValue) override {
        return static_cast<int32_t>(
            GetPrivateProfileIntA(kSection, key, defaultValue, path_.c_str()));
    }
    void WriteString(const char* key, const char* value) override {
        WritePrivateProfileStringA(kSection, key, value, path_.c_str());
    }

private:
    std::string path_;
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
