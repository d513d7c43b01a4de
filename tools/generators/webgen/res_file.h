// A reader of compiled 32-bit resource files (.res, as windres -O res
// writes them): the entries with their type, name, language and data.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace webgen {

// A resource type or name, and anything else a template gives either as a
// number (0xFFFF, n) or as a zero-terminated UTF-16 string.
struct ResId {
    bool isNumber = false;
    uint16_t number = 0;
    std::u16string text;
};

struct Resource {
    ResId type;
    ResId name;
    uint16_t language = 0;
    std::vector<uint8_t> data;
};

// The standard types this generator reads.
enum ResType : uint16_t {
    kRtCursor = 1,
    kRtBitmap = 2,
    kRtIcon = 3,
    kRtMenu = 4,
    kRtDialog = 5,
    kRtString = 6,
    kRtAccelerator = 9,
    kRtGroupCursor = 12,
    kRtGroupIcon = 14,
};

// Every entry but the empty one that opens the file, in file order; false
// when the bytes are no whole resource file.
bool ReadResFile(const std::vector<uint8_t>& bytes, std::vector<Resource>* resources);

// Read at `at` and move `at` past what they read; false past the end.
// A number or a string:
bool ReadResId(const std::vector<uint8_t>& bytes, size_t* at, ResId* id);
// A zero-terminated UTF-16 string:
bool ReadText(const std::vector<uint8_t>& bytes, size_t* at, std::u16string* text);

bool IsType(const Resource& r, uint16_t type);
bool IsType(const Resource& r, const char* type);
// The name as the page keys it: the number in decimal, or the string.
std::string NameKey(const ResId& id);
std::string ToUtf8(const std::u16string& text);

uint16_t Get16(const std::vector<uint8_t>& bytes, size_t at);
inline size_t AlignDword(size_t at) { return (at + 3) & ~size_t(3); }
uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at);

}  // namespace webgen
