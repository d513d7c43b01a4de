#include "tools/generators/webgen/resource_data.h"

namespace webgen {
namespace {

// Nesting deeper than this is no menu of ours but a damaged template.
const int kMaxMenuDepth = 8;

bool ReadMenuItems(const std::vector<uint8_t>& data, size_t* at, int depth, std::vector<MenuItem>* items) {
    if (depth > kMaxMenuDepth) return false;
    for (;;) {
        if (*at + 2 > data.size()) return false;
        MenuItem item;
        item.flags = Get16(data, *at);
        *at += 2;
        if (item.flags & kMfPopup) {
            if (!ReadText(data, at, &item.text) || !ReadMenuItems(data, at, depth + 1, &item.items))
                return false;
        } else {
            if (*at + 2 > data.size()) return false;
            item.id = Get16(data, *at);
            *at += 2;
            if (!ReadText(data, at, &item.text)) return false;
            item.separator = (item.flags & kMfSeparator) || (item.id == 0 && item.text.empty());
        }
        items->push_back(item);
        if (item.flags & kMfEnd) return true;
    }
}

int16_t Signed16(const std::vector<uint8_t>& data, size_t at) { return int16_t(Get16(data, at)); }

}  // namespace

bool DecodeStringBlock(uint16_t block, const std::vector<uint8_t>& data,
                       std::map<int, std::u16string>* strings) {
    if (block == 0) return false;
    size_t at = 0;
    for (int i = 0; i < 16; ++i) {
        if (at + 2 > data.size()) return false;
        size_t length = Get16(data, at);
        at += 2;
        if (at + 2 * length > data.size()) return false;
        std::u16string text;
        for (size_t c = 0; c < length; ++c) text.push_back(char16_t(Get16(data, at + 2 * c)));
        at += 2 * length;
        if (!text.empty()) (*strings)[(block - 1) * 16 + i] = text;
    }
    return true;
}

bool DecodeMenu(const std::vector<uint8_t>& data, std::vector<MenuItem>* items) {
    // Version 0 and header size 0: the plain menu template.
    if (data.size() < 4 || Get16(data, 0) != 0 || Get16(data, 2) != 0) return false;
    size_t at = 4;
    items->clear();
    return ReadMenuItems(data, &at, 0, items);
}

bool DecodeAccelerators(const std::vector<uint8_t>& data, std::vector<Accelerator>* table) {
    table->clear();
    for (size_t at = 0; at + 8 <= data.size(); at += 8) {
        Accelerator a;
        a.flags = Get16(data, at);
        a.key = Get16(data, at + 2);
        a.command = Get16(data, at + 4);
        table->push_back(a);
        if (a.flags & kAccelLast) return true;
    }
    return false;
}

bool DecodeDialog(const std::vector<uint8_t>& data, Dialog* dialog) {
    *dialog = Dialog();
    if (data.size() < 18) return false;
    if (Get16(data, 0) == 1 && Get16(data, 2) == 0xFFFF) return false;   // DIALOGEX
    dialog->style = Get32(data, 0);
    dialog->exStyle = Get32(data, 4);
    size_t count = Get16(data, 8);
    dialog->x = Signed16(data, 10);
    dialog->y = Signed16(data, 12);
    dialog->cx = Signed16(data, 14);
    dialog->cy = Signed16(data, 16);
    size_t at = 18;
    if (!ReadResId(data, &at, &dialog->menu) || !ReadResId(data, &at, &dialog->className) ||
        !ReadText(data, &at, &dialog->title))
        return false;
    if (dialog->style & kDsSetFont) {
        if (at + 2 > data.size()) return false;
        dialog->hasFont = true;
        dialog->points = Get16(data, at);
        at += 2;
        if (!ReadText(data, &at, &dialog->face)) return false;
    }
    for (size_t i = 0; i < count; ++i) {
        at = AlignDword(at);
        if (at + 18 > data.size()) return false;
        DialogControl c;
        c.style = Get32(data, at);
        c.exStyle = Get32(data, at + 4);
        c.x = Signed16(data, at + 8);
        c.y = Signed16(data, at + 10);
        c.cx = Signed16(data, at + 12);
        c.cy = Signed16(data, at + 14);
        c.id = Get16(data, at + 16);
        at += 18;
        if (!ReadResId(data, &at, &c.className) || !ReadResId(data, &at, &c.text) || at + 2 > data.size())
            return false;
        at += 2 + Get16(data, at);   // creation data, which the page has no use for
        if (at > data.size()) return false;
        dialog->controls.push_back(c);
    }
    return true;
}

bool DecodeTables(const std::vector<Resource>& resources, ResourceTables* tables, std::string* error) {
    *tables = ResourceTables();
    for (const Resource& r : resources) {
        std::string name = NameKey(r.name);
        bool ok = true;
        if (IsType(r, kRtString)) {
            ok = r.name.isNumber && DecodeStringBlock(r.name.number, r.data, &tables->strings);
        } else if (IsType(r, kRtMenu)) {
            tables->menus.push_back({name, {}});
            ok = DecodeMenu(r.data, &tables->menus.back().second);
        } else if (IsType(r, kRtAccelerator)) {
            tables->accelerators.push_back({name, {}});
            ok = DecodeAccelerators(r.data, &tables->accelerators.back().second);
        } else if (IsType(r, kRtDialog)) {
            tables->dialogs.push_back({name, {}});
            ok = DecodeDialog(r.data, &tables->dialogs.back().second);
        }
        if (!ok) {
            *error = "resource " + name + " of type " + NameKey(r.type) + " is damaged";
            return false;
        }
    }
    return true;
}

const char* PredefinedClassName(uint16_t number) {
    static const char* const kNames[] = {"button", "edit", "static", "listbox", "scrollbar", "combobox"};
    return number >= 0x80 && number <= 0x85 ? kNames[number - 0x80] : nullptr;
}

}  // namespace webgen
