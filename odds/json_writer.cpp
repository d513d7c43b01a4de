#include "odds/json_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Starts a member of the innermost open object or array (or the outermost
// value): the comma, the new line and indent, and the key.
void StartMember(JsonWriter& json, const char* key) {
    if (!json.members.empty()) {
        if (json.members.back()++ > 0) json.text += ',';
        json.text += '\n';
        json.text.append(2 * json.members.size(), ' ');
    }
    if (key != nullptr) {
        json.text += JsonQuoted(key);
        json.text += ": ";
    }
}

void Close(JsonWriter& json, char bracket) {
    bool empty = json.members.empty() || json.members.back() == 0;
    if (!json.members.empty()) json.members.pop_back();
    if (!empty) {
        json.text += '\n';
        json.text.append(2 * json.members.size(), ' ');
    }
    json.text += bracket;
    if (json.members.empty()) json.text += '\n';
}

}  // namespace

void JsonBeginObject(JsonWriter& json, const char* key) {
    StartMember(json, key);
    json.text += '{';
    json.members.push_back(0);
}

void JsonEndObject(JsonWriter& json) { Close(json, '}'); }

void JsonBeginArray(JsonWriter& json, const char* key) {
    StartMember(json, key);
    json.text += '[';
    json.members.push_back(0);
}

void JsonEndArray(JsonWriter& json) { Close(json, ']'); }

std::string JsonNumberText(double value) {
    if (!std::isfinite(value)) return "null";
    if (value == 0) return "0";     // and never "-0"
    char text[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}

void JsonNumber(JsonWriter& json, const char* key, double value) {
    StartMember(json, key);
    json.text += JsonNumberText(value);
}

void JsonInteger(JsonWriter& json, const char* key, int64_t value) {
    StartMember(json, key);
    json.text += std::to_string(value);
}

void JsonString(JsonWriter& json, const char* key, const std::string& value) {
    StartMember(json, key);
    json.text += JsonQuoted(value);
}

void JsonBool(JsonWriter& json, const char* key, bool value) {
    StartMember(json, key);
    json.text += value ? "true" : "false";
}

void JsonNull(JsonWriter& json, const char* key) {
    StartMember(json, key);
    json.text += "null";
}

std::string JsonQuoted(const std::string& value) {
    std::string quoted = "\"";
    for (char c : value) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            quoted += escape;
        } else {
            quoted += c;    // UTF-8 passes through as it is
        }
    }
    return quoted + "\"";
}
