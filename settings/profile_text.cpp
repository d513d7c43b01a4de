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
        if (entry.second.empty()) return defaultValue;
        return ProfileInteger(entry.second);
    }
    return defaultValue;
}

void ProfileText::WriteString(const char*, const char*) {}
