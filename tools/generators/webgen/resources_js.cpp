// resources.js: the page's tables as one JSON object in an ES module, keys
// in the order of the resource file (strings by number), one entry a line.
#include <cstdio>

#include "tools/generators/webgen/web_page.h"

namespace webgen {
namespace {

// Writes nested objects and arrays with the commas and line breaks in
// place; a level opened on one line keeps everything inside on it.
class Json {
public:
    std::string text;

    void Open(char bracket, bool oneLine = false) {
        Next();
        text += bracket;
        bool inherited = !levels_.empty() && levels_.back().oneLine;
        levels_.push_back({bracket == '{' ? '}' : ']', oneLine || inherited, true});
    }
    void Close() {
        Level level = levels_.back();
        levels_.pop_back();
        if (!level.oneLine && !level.empty) Break(levels_.size());
        text += level.close;
    }
    void Key(const std::string& key) {
        Next();
        text += JsonString(key) + ": ";
        afterKey_ = true;
    }
    void Raw(const std::string& value) {
        Next();
        text += value;
    }
    void Number(long value) { Raw(std::to_string(value)); }
    void Field(const std::string& key, long value) {
        Key(key);
        Number(value);
    }
    void Field(const std::string& key, const std::string& value) {
        Key(key);
        String(value);
    }
    void Field(const std::string& key, const std::u16string& value) {
        Key(key);
        String(value);
    }
    void String(const std::string& value) { Raw(JsonString(value)); }
    void String(const std::u16string& value) { Raw(JsonString(ToUtf8(value))); }
    // A number or a string as a template gives it; null for an empty string
    // where `emptyIsNull`.
    void Id(const ResId& id, bool emptyIsNull) {
        if (id.isNumber)
            Number(id.number);
        else if (id.text.empty() && emptyIsNull)
            Raw("null");
        else
            String(id.text);
    }

private:
    struct Level {
        char close;
        bool oneLine, empty;
    };
    std::vector<Level> levels_;
    bool afterKey_ = false;

    void Break(size_t depth) { text += "\n" + std::string(2 * depth, ' '); }
    void Next() {
        if (afterKey_ || levels_.empty()) {
            afterKey_ = false;
            return;
        }
        Level& level = levels_.back();
        if (!level.empty) text += ',';
        if (!level.oneLine)
            Break(levels_.size());
        else if (!level.empty)
            text += ' ';
        level.empty = false;
    }
};

void Menu(Json& j, const std::vector<MenuItem>& items) {
    j.Open('[', false);
    for (const MenuItem& item : items) {
        bool popup = item.flags & kMfPopup;
        j.Open('{', !popup);
        if (item.separator) {
            j.Key("separator");
            j.Raw("true");
        } else {
            j.Key("text");
            j.String(item.text);
        }
        if (!popup && !item.separator) {
            j.Key("id");
            j.Number(item.id);
        }
        j.Key("flags");
        j.Number(item.flags);
        if (popup) {
            j.Key("items");
            Menu(j, item.items);
        }
        j.Close();
    }
    j.Close();
}

void DialogJson(Json& j, const Dialog& d) {
    j.Open('{');
    j.Field("style", long(d.style));
    j.Field("exStyle", long(d.exStyle));
    j.Field("x", d.x);
    j.Field("y", d.y);
    j.Field("cx", d.cx);
    j.Field("cy", d.cy);
    j.Key("menu");
        j.Id(d.menu, true);
    j.Key("className");
        j.Id(d.className, true);
    j.Field("title", d.title);
    j.Key("font");
    if (d.hasFont) {
        j.Open('{', true);
        j.Field("points", d.points);
        j.Field("face", d.face);
        j.Close();
    } else {
        j.Raw("null");
    }
    j.Key("controls");
    j.Open('[');
    for (const DialogControl& c : d.controls) {
        j.Open('{', true);
        j.Field("id", c.id);
        j.Key("className");
        const char* predefined = c.className.isNumber ? PredefinedClassName(c.className.number) : nullptr;
        if (predefined)
            j.String(std::string(predefined));
        else
            j.Id(c.className, false);
        j.Field("style", long(c.style));
        j.Field("exStyle", long(c.exStyle));
        j.Field("x", c.x);
        j.Field("y", c.y);
        j.Field("cx", c.cx);
        j.Field("cy", c.cy);
        j.Key("text");
        j.Id(c.text, false);
        j.Close();
    }
    j.Close();
    j.Close();
}

void PictureJson(Json& j, const PictureFile& p) {
    j.Open('{', true);
    j.Field("file", p.file);
    j.Field("width", p.width);
    j.Field("height", p.height);
    j.Close();
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ResourcesJs(const WebPage& page) {
    const ResourceTables& t = page.tables;
    Json j;
    j.Open('{');
    j.Key("strings");
    j.Open('{');
    for (const auto& [id, text] : t.strings) j.Field(std::to_string(id), text);
    j.Close();

    j.Key("menus");
    j.Open('{');
    for (const auto& [name, items] : t.menus) {
        j.Key(name);
        Menu(j, items);
    }
    j.Close();

    j.Key("accelerators");
    j.Open('{');
    for (const auto& [name, table] : t.accelerators) {
        j.Key(name);
        j.Open('[');
        for (const Accelerator& a : table) {
            j.Open('{', true);
            j.Field("flags", a.flags);
            j.Field("key", a.key);
            j.Field("command", a.command);
            j.Close();
        }
        j.Close();
    }
    j.Close();

    j.Key("dialogs");
    j.Open('{');
    for (const auto& [name, dialog] : t.dialogs) {
        j.Key(name);
        DialogJson(j, dialog);
    }
    j.Close();

    j.Key("art");
    j.Open('{');
    j.Key("sheet");
    PictureJson(j, page.sheet);
    j.Field("cardWidth", page.cardWidth);
    j.Field("cardHeight", page.cardHeight);
    j.Key("cards");
    j.Open('{');
    for (const SheetPlace& c : page.cards) {
        j.Key(c.name);
        j.Open('[', true);
        j.Number(c.x);
        j.Number(c.y);
        j.Close();
    }
    j.Close();
    j.Key("pictures");
    j.Open('{');
    for (const PictureFile& p : page.pictures) {
        j.Key(p.name);
        PictureJson(j, p);
    }
    j.Close();
    j.Close();

    j.Key("cursor");
    j.Open('{', true);
    j.Field("file", page.cursor.file);
    j.Field("width", page.cursor.width);
    j.Field("height", page.cursor.height);
    j.Key("hotSpot");
    j.Open('[');
    j.Number(page.hotX);
    j.Number(page.hotY);
    j.Close();
    j.Close();

    j.Key("icons");
    j.Open('{');
    for (const auto& [name, images] : page.icons) {
        j.Key(name);
        j.Open('[');
        for (const PictureFile& p : images) PictureJson(j, p);
        j.Close();
    }
    j.Close();

    j.Key("sounds");
    j.Open('{');
    for (const auto& [name, file] : page.sounds) j.Field(name, file);
    j.Close();

    j.Key("fonts");
    j.Open('{');
    j.Field("regular", page.regularFont);
    j.Field("bold", page.boldFont);
    j.Close();
    j.Close();

    return "// Made by webgen from the game's compiled resources: do not edit.\n"
           "// resources-types.js describes the shape.\n"
           "/** @type {import(\"./resources-types.js\").Resources} */\n"
           "export const resources = " +
           j.text + ";\n";
}

}  // namespace webgen
