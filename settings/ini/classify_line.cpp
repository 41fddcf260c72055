#include "settings/ini/classify_line.h"

#include "settings/ini/whitespace.h"

#include <cstddef>

namespace {

constexpr auto none = std::string_view::npos;

// The first "=" that no backslash directly precedes: "\=" hides its "=".
std::size_t findSeparator(std::string_view line) {
    for (std::size_t position = line.find('='); position != none;
         position = line.find('=', position + 1)) {
        if (position == 0 || line[position - 1] != '\\') {
            return position;
        }
    }
    return none;
}

// Appends key with each "\=" made "=", from left to right.
void appendUnescapedKey(std::string_view key, std::string& out) {
    std::size_t start = 0;
    for (std::size_t pair = key.find("\\="); pair != none; pair = key.find("\\=", start)) {
        out.append(key.substr(start, pair - start));
        out += '=';
        start = pair + 2;
    }
    out.append(key.substr(start));
}

// The cut at the first ";" holds for the rest of the classification, even when
// the line turns out to be no header, so it is made on the caller's line.
bool readSectionHeader(std::string_view& line, ParsedLine& out) {
    line = line.substr(0, line.find(';'));
    const std::size_t close = line.rfind(']');
    if (close == none) {
        return false;
    }
    out.name.append(trimWhitespace(line.substr(1, close - 1)));
    return true;
}

bool readAssignment(std::string_view line, ParsedLine& out) {
    const std::size_t separator = findSeparator(line);
    if (separator == none) {
        return false;
    }
    appendUnescapedKey(trimWhitespace(line.substr(0, separator)), out.name);
    out.value.append(trimWhitespace(line.substr(separator + 1)));
    return true;
}

} // namespace

LineKind classifyLine(std::string_view line, ParsedLine& out) {
    out.name.clear();
    out.value.clear();
    line = trimWhitespace(line);
    if (line.empty()) {
        return LineKind::Blank;
    }
    if (line.front() == ';') {
        return LineKind::Comment;
    }
    if (line.front() == '[' && readSectionHeader(line, out)) {
        return LineKind::SectionHeader;
    }
    if (readAssignment(line, out)) {
        return LineKind::Assignment;
    }
    return LineKind::Unrecognised;
}
