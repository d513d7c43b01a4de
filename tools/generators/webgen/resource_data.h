// The templates inside a compiled resource file: string tables, menus,
// accelerator tables and dialogs (DIALOG, not DIALOGEX), decoded as they
// are stored, with nothing interpreted on the way.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/generators/webgen/res_file.h"

namespace webgen {

constexpr uint16_t kMfPopup = 0x10;
constexpr uint16_t kMfEnd = 0x80;
constexpr uint16_t kMfSeparator = 0x800;
constexpr uint16_t kAccelLast = 0x80;
constexpr uint32_t kDsSetFont = 0x40;

struct MenuItem {
    uint16_t flags = 0;
    uint16_t id = 0;                // commands only
    std::u16string text;
    bool separator = false;
    std::vector<MenuItem> items;    // popups only
};

struct Accelerator {
    uint16_t flags = 0;             // fVirt, with kAccelLast on the last entry
    uint16_t key = 0;
    uint16_t command = 0;
};

struct DialogControl {
    uint32_t style = 0, exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint16_t id = 0;
    ResId className;                // a number for the predefined classes
    ResId text;                     // a number where the text names a resource by number
};

struct Dialog {
    uint32_t style = 0, exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResId menu, className;          // empty strings where there is none
    std::u16string title;
    bool hasFont = false;
    uint16_t points = 0;
    std::u16string face;
    std::vector<DialogControl> controls;
};

// Each decoder returns false on a template that runs past its data.
// A string block adds its non-empty strings; block n holds 16(n-1)..16n-1.
bool DecodeStringBlock(uint16_t block, const std::vector<uint8_t>& data,
                       std::map<int, std::u16string>* strings);
bool DecodeMenu(const std::vector<uint8_t>& data, std::vector<MenuItem>* items);
bool DecodeAccelerators(const std::vector<uint8_t>& data, std::vector<Accelerator>* table);
bool DecodeDialog(const std::vector<uint8_t>& data, Dialog* dialog);

// Every table of a resource file, each kind in file order under its name.
struct ResourceTables {
    std::map<int, std::u16string> strings;
    std::vector<std::pair<std::string, std::vector<MenuItem>>> menus;
    std::vector<std::pair<std::string, std::vector<Accelerator>>> accelerators;
    std::vector<std::pair<std::string, Dialog>> dialogs;
};
bool DecodeTables(const std::vector<Resource>& resources, ResourceTables* tables, std::string* error);

// The class a dialog item's predefined class number stands for ("button"
// for 0x80 .. "combobox" for 0x85), or nullptr for any other number.
const char* PredefinedClassName(uint16_t number);

}  // namespace webgen
