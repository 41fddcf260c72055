#pragma once

#include <string>

enum class LineKind { Blank, Comment, SectionHeader, Assignment, Unrecognised };

// name: the section name of a SectionHeader or the key of an Assignment;
// value: the value of an Assignment. Both are empty for every other kind.
struct ParsedLine {
    std::string name;
    std::string value;
};

// Judges one line of INI text (without its line break) on its own; the verdict
// never depends on earlier lines.
LineKind classifyLine(std::string line, ParsedLine& out);
