// Runs of the command-line program as a player runs it, and a strict
// reader of its JSON, for the tests of each command.
#pragma once
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/odds/odds_fixture.h"

inline const std::string kProgram = QUORVEL_ODDS_PROGRAM;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class ProgramTest : public SettingsDirTest {
protected:
    // Runs the program with `arguments` (shell words) and collects both
    // streams separately.
    ProgramRun RunProgram(const std::string& arguments, const std::string& program = kProgram,
                          const std::string& input = "") {
        std::ofstream(dir + "/in", std::ios::binary) << input;
        std::string command = "'" + program + "' " + arguments + " >'" + dir + "/out' 2>'" +
                              dir + "/err' <'" + dir + "/in'";
        int status = std::system(command.c_str());
        ProgramRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFile(dir + "/out");
        run.err = ReadFile(dir + "/err");
        return run;
    }
    // Each of `list` refused with exit code 2, the reason and the usage.
    void ExpectRefusedWithUsage(std::initializer_list<const char*> list) {
        for (const char* arguments : list) {
            ProgramRun run = RunProgram(arguments);
            EXPECT_EQ(run.exitCode, 2) << arguments;
            EXPECT_EQ(run.out, "") << arguments;
            EXPECT_EQ(run.err.compare(0, 14, "quorvel-odds: "), 0) << run.err;
            EXPECT_NE(run.err.find("usage: quorvel-odds"), std::string::npos) << arguments;
        }
    }
};

// `text` with every `from` replaced by `to`.
inline std::string ReplacedAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A run as the saved outputs keep it: the exit code, then stdout and
// stderr with their sizes, the test's directory as @DIR@, the program's as
// @PROGRAM_DIR@, and every line that tells a time cut after "time:".
inline std::string SavedRunText(const ProgramRun& run, const std::string& dir) {
    const std::string programDir = kProgram.substr(0, kProgram.rfind('/'));
    auto masked = [&](const std::string& stream) {
        std::string text =
            ReplacedAll(ReplacedAll(stream, dir, "@DIR@"), programDir, "@PROGRAM_DIR@");
        std::string result;
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            size_t indent = line.find_first_not_of(' ');
            for (const char* head : {"time: ", "total time: "})
                if (indent != std::string::npos && line.compare(indent, std::strlen(head), head) == 0)
                    line = line.substr(0, indent + std::strlen(head)) + "...";
            result += line + (lines.eof() ? "" : "\n");
        }
        return result;
    };
    std::string out = masked(run.out);
    std::string err = masked(run.err);
    return "exit code " + std::to_string(run.exitCode) + "\n--- stdout, " +
           std::to_string(out.size()) + " bytes\n" + out + "--- stderr, " +
           std::to_string(err.size()) + " bytes\n" + err;
}

inline int CountLines(const std::string& text, const std::string& prefix) {
    std::istringstream lines(text);
    std::string line;
    int n = 0;
    while (std::getline(lines, line))
        if (line.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
}

// A strict reader of JSON text, as another tool would read it: numbers by
// the JSON grammar only (no NaN, no Infinity), every string quoted.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;
    const Json* operator[](const std::string& key) const {
        for (const auto& member : members)
            if (member.first == key) return &member.second;
        return nullptr;
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : text_(text) {}
    bool ReadDocument(Json& value) {
        if (!ReadValue(value)) return false;
        Blanks();
        return at_ == text_.size();
    }

private:
    void Blanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool Take(char c) {
        Blanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool Word(const char* word) {
        size_t n = std::string(word).size();
        if (text_.compare(at_, n, word) != 0) return false;
        at_ += n;
        return true;
    }
    bool ReadString(std::string& out) {
        if (!Take('"')) return false;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (static_cast<unsigned char>(text_[at_]) < 0x20) return false;
            if (text_[at_] == '\\') ++at_;
            out += text_[at_++];
        }
        return Take('"');
    }
    bool ReadNumber(double& out) {
        size_t start = at_;
        if (text_[at_] == '-') ++at_;
        auto digits = [&] {
            size_t from = at_;
            while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
            return at_ > from;
        };
        if (!digits()) return false;
        if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits())) return false;
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (!digits()) return false;
        }
        out = std::strtod(text_.substr(start, at_ - start).c_str(), nullptr);
        return true;
    }
    bool ReadValue(Json& value) {
        Blanks();
        if (at_ >= text_.size()) return false;
        char c = text_[at_];
        if (c == '{') {
            value.kind = Json::Object;
            ++at_;
            if (Take('}')) return true;
            do {
                std::pair<std::string, Json> member;
                if (!ReadString(member.first) || !Take(':') || !ReadValue(member.second))
                    return false;
                value.members.push_back(member);
            } while (Take(','));
            return Take('}');
        }
        if (c == '[') {
            value.kind = Json::Array;
            ++at_;
            if (Take(']')) return true;
            do {
                value.items.emplace_back();
                if (!ReadValue(value.items.back())) return false;
            } while (Take(','));
            return Take(']');
        }
        if (c == '"') {
            value.kind = Json::String;
            return ReadString(value.text);
        }
        if (Word("null")) return true;
        if (Word("true") || Word("false")) {
            value.kind = Json::Bool;
            return true;
        }
        value.kind = Json::Number;
        return ReadNumber(value.number);
    }
    const std::string& text_;
    size_t at_ = 0;
};

// The number at a path of keys, or NaN when there is none.
inline double NumberAt(const Json& root, std::initializer_list<const char*> path) {
    const Json* value = &root;
    for (const char* key : path) {
        value = (*value)[key];
        if (value == nullptr) return std::nan("");
    }
    return value->kind == Json::Number ? value->number : std::nan("");
}
