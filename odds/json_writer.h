// JSON for other tools: objects and arrays written as they are opened and
// closed, one member a line, numbers as plain JSON numbers.
//
// Each call that writes a member takes its key; inside an array the key is
// nullptr.  Callers open and close in matching pairs; the text is complete
// when the outermost value is closed.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct JsonWriter {
    std::string text;
    std::vector<int> members;   // members written so far in each open object or array
};

void JsonBeginObject(JsonWriter& json, const char* key = nullptr);
void JsonEndObject(JsonWriter& json);
void JsonBeginArray(JsonWriter& json, const char* key = nullptr);
void JsonEndArray(JsonWriter& json);

// The shortest decimal that reads back as the same double; null for a value
// that is not finite, which JSON cannot write.
void JsonNumber(JsonWriter& json, const char* key, double value);
void JsonInteger(JsonWriter& json, const char* key, int64_t value);
void JsonString(JsonWriter& json, const char* key, const std::string& value);
void JsonBool(JsonWriter& json, const char* key, bool value);
void JsonNull(JsonWriter& json, const char* key);

// A string as a JSON string literal, quotes included.
std::string JsonQuoted(const std::string& value);
// The number as JsonNumber writes it.
std::string JsonNumberText(double value);
