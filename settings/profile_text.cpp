#include "settings/profile_text.h"

#include <cctype>

namespace {

std::string WithoutBlanks(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n\v\f");
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(" \t\r\n\v\f") - begin + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

ProfileText::ProfileText(const std::string& text) {
    bool inSettings = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = WithoutBlanks(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = close == std::string::npos ? line.substr(1) : line.substr(1, close - 1);
            inSettings = SameName(WithoutBlanks(name), "settings");
            continue;
        }
        size_t equals = line.find('=');
        if (!inSettings || equals == std::string::npos) continue;
        entries_.emplace_back(WithoutBlanks(line.substr(0, equals)),
                              WithoutBlanks(line.substr(equals + 1)));
    }
}

int32_t ProfileText::ReadInt(const char* key, int32_t defaultValue) {
    for (const auto& entry : entries_) {
        if (!SameName(entry.first, key)) continue;
        return ProfileValue(entry.second.c_str(), defaultValue);
    }
    return defaultValue;
}

void ProfileText::WriteString(const char*, const char*) {}
