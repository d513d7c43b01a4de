// The JSON that other tools read: structure, numbers that read back
// exactly, and strings that stay strings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "odds/json_writer.h"

namespace {

TEST(JsonWriter, NestsObjectsAndArraysWithCommasOnlyBetweenMembers) {
    JsonWriter json;
    JsonBeginObject(json);
    JsonInteger(json, "deck", 53);
    JsonBeginArray(json, "list");
    JsonBeginObject(json);
    JsonBool(json, "yes", true);
    JsonNull(json, "none");
    JsonEndObject(json);
    JsonNumber(json, nullptr, 0.5);
    JsonEndArray(json);
    JsonBeginObject(json, "empty");
    JsonEndObject(json);
    JsonBeginArray(json, "nothing");
    JsonEndArray(json);
    JsonEndObject(json);
    EXPECT_EQ(json.text,
              "{\n"
              "  \"deck\": 53,\n"
              "  \"list\": [\n"
              "    {\n"
              "      \"yes\": true,\n"
              "      \"none\": null\n"
              "    },\n"
              "    0.5\n"
              "  ],\n"
              "  \"empty\": {},\n"
              "  \"nothing\": []\n"
              "}\n");
    EXPECT_TRUE(json.members.empty());
}

TEST(JsonWriter, NumbersArePlainAndReadBackExactly) {
    EXPECT_EQ(JsonNumberText(40), "40");
    EXPECT_EQ(JsonNumberText(0.1), "0.1");
    EXPECT_EQ(JsonNumberText(-0.0), "0");
    EXPECT_EQ(JsonNumberText(1e-20), "1e-20");
    EXPECT_EQ(JsonNumberText(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(JsonNumberText(std::nan("")), "null");
    for (double value : {0.98259245, 1.0 / 3, 2.0 / 3, 123456.789e10, 5e-324}) {
        std::string text = JsonNumberText(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
        EXPECT_EQ(text.find_first_of("infa,"), std::string::npos) << text;
    }
}

TEST(JsonWriter, StringsAreEscaped) {
    EXPECT_EQ(JsonQuoted("Queen of Hearts"), "\"Queen of Hearts\"");
    EXPECT_EQ(JsonQuoted("a\"b\\c\nd\te\x01"), "\"a\\\"b\\\\c\\nd\\te\\u0001\"");
    JsonWriter json;
    JsonBeginArray(json);
    JsonString(json, nullptr, "C:\\quorvel.ini");
    JsonEndArray(json);
    EXPECT_EQ(json.text, "[\n  \"C:\\\\quorvel.ini\"\n]\n");
}

}  // namespace
