#include "tools/generators/webgen/res_file.h"

namespace webgen {

uint16_t Get16(const std::vector<uint8_t>& bytes, size_t at) {
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(Get16(bytes, at)) | uint32_t(Get16(bytes, at + 2)) << 16;
}

bool ReadResId(const std::vector<uint8_t>& bytes, size_t* at, ResId* id) {
    *id = ResId();
    if (*at + 2 > bytes.size()) return false;
    if (Get16(bytes, *at) == 0xFFFF) {
        if (*at + 4 > bytes.size()) return false;
        id->isNumber = true;
        id->number = Get16(bytes, *at + 2);
        *at += 4;
        return true;
    }
    return ReadText(bytes, at, &id->text);
}

bool ReadText(const std::vector<uint8_t>& bytes, size_t* at, std::u16string* text) {
    text->clear();
    for (;;) {
        if (*at + 2 > bytes.size()) return false;
        char16_t c = char16_t(Get16(bytes, *at));
        *at += 2;
        if (c == 0) return true;
        text->push_back(c);
    }
}

bool ReadResFile(const std::vector<uint8_t>& bytes, std::vector<Resource>* resources) {
    std::vector<Resource> out;
    size_t at = 0;
    while (at < bytes.size()) {
        if (at + 8 > bytes.size()) return false;
        uint32_t dataSize = Get32(bytes, at);
        uint32_t headerSize = Get32(bytes, at + 4);
        size_t end = at + headerSize;
        if (headerSize < 32 || end > bytes.size() || dataSize > bytes.size() - end) return false;
        Resource r;
        size_t field = at + 8;
        if (!ReadResId(bytes, &field, &r.type) || !ReadResId(bytes, &field, &r.name)) return false;
        // Data version, memory flags, language, version, characteristics.
        field = AlignDword(field);
        if (field + 16 > end) return false;
        r.language = Get16(bytes, field + 6);
        r.data.assign(bytes.begin() + long(end), bytes.begin() + long(end + dataSize));
        // The file opens with an empty entry of type 0 that marks it 32-bit.
        bool opening = dataSize == 0 && r.type.isNumber && r.type.number == 0;
        if (!opening) out.push_back(r);
        at = AlignDword(end + dataSize);
    }
    *resources = out;
    return true;
}

bool IsType(const Resource& r, uint16_t type) { return r.type.isNumber && r.type.number == type; }

bool IsType(const Resource& r, const char* type) {
    return !r.type.isNumber && ToUtf8(r.type.text) == type;
}

std::string NameKey(const ResId& id) { return id.isNumber ? std::to_string(id.number) : ToUtf8(id.text); }

std::string ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;   // half a pair has no UTF-8 form
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18);
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace webgen
