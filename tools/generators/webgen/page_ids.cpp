// The ids are read from the header's text, so a new #define reaches the
// page with no list to keep; the enums' values are the compiler's.
#include "tools/generators/webgen/page_ids.h"

#include <regex>
#include <sstream>
#include <utility>
#include <vector>

#include "engine/game_host.h"
#include "engine/round.h"
#include "shell/box_texts.h"
#include "shell/command_table.h"
#include "shell/status_layout.h"
#include "web/core/page_kinds.h"

namespace webgen {

namespace {

using Members = std::vector<std::pair<const char*, int>>;

void Enum(std::ostringstream& out, const char* name, const Members& members) {
    out << "export const " << name << " = Object.freeze({";
    const char* comma = "";
    for (const auto& [member, value] : members) {
        out << comma << "\n  " << member << ": " << value;
        comma = ",";
    }
    out << ",\n});\n";
}

#define QUORVEL_KIND_MEMBER(kind) {#kind, static_cast<int>(Kind::kind)},

}  // namespace

std::string PageIdsJs(const std::string& header) {
    std::ostringstream out;
    out << "// Made by pageids from resources/resource_ids.h and the core's enums: do not edit.\n";
    const std::regex define(R"(^[ \t]*#[ \t]*define[ \t]+(\w+)[ \t]+(-?\d+)[ \t]*(/[*/].*)?$)");
    std::istringstream lines(header);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::smatch m;
        if (std::regex_match(line, m, define))
            out << "export const " << m[1] << " = " << m[2] << ";\n";
    }
    out << "\n";

    Enum(out, "GameDialog",
         {{"Help", static_cast<int>(GameDialog::Help)},
          {"About", static_cast<int>(GameDialog::About)},
          {"Options", static_cast<int>(GameDialog::Options)},
          {"Payoff", static_cast<int>(GameDialog::Payoff)},
          {"Statistics", static_cast<int>(GameDialog::Statistics)}});
    Enum(out, "RoundPhase", {{"Betting", Betting}, {"Dealt", Dealt}, {"Drawn", Drawn}});
    Enum(out, "TableButton",
         {{"HoldButton0", HoldButton0}, {"CoinButton", CoinButton}, {"MaxButton", MaxButton},
          {"DealButton", DealButton}});
    Enum(out, "BoxIcon",
         {{"Question", static_cast<int>(BoxIcon::Question)},
          {"Warning", static_cast<int>(BoxIcon::Warning)},
          {"Information", static_cast<int>(BoxIcon::Information)},
          {"None", static_cast<int>(BoxIcon::None)}});
    Enum(out, "BoxButtons",
         {{"YesNo", static_cast<int>(BoxButtons::YesNo)},
          {"Ok", static_cast<int>(BoxButtons::Ok)}});
    Enum(out, "StatusPane",
         {{"Message", static_cast<int>(StatusPane::Message)},
          {"Caps", static_cast<int>(StatusPane::Caps)},
          {"Num", static_cast<int>(StatusPane::Num)}});
    {
        using Kind = PlaceKind;
        Enum(out, "PlaceKind", {QUORVEL_PLACE_KINDS(QUORVEL_KIND_MEMBER)});
    }
    {
        using Kind = PageMetric;
        Enum(out, "PageMetric", {QUORVEL_PAGE_METRICS(QUORVEL_KIND_MEMBER)});
    }
    {
        using Kind = LookKind;
        Enum(out, "LookKind", {QUORVEL_LOOK_KINDS(QUORVEL_KIND_MEMBER)});
    }
    {
        using Kind = SettingKind;
        Enum(out, "SettingKind", {QUORVEL_SETTING_KINDS(QUORVEL_KIND_MEMBER)});
    }
    return out.str();
}

}  // namespace webgen
