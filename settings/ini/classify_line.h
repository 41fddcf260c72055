#pragma once

#include <string>
#include <string_view>

enum class LineKind { Blank, Comment, SectionHeader, Assignment, Unrecognised };

// name: the section name of a SectionHeader or the key of an Assignment;
// value: the value of an Assignment. Both are empty for every other kind.
struct ParsedLine {
    std::string name;
    std::string value;
};

// Judges one line of INI text (without its line break) on its own; the verdict
// never depends on earlier lines. out keeps its strings' storage from line to
// line, so a parse does not allocate for every line.
LineKind classifyLine(std::string_view line, ParsedLine& out);
