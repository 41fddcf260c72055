#include "settings/ini/classify_line.h"

#include "settings/ini/whitespace.h"

#include <cstddef>

namespace {

constexpr const char* escapedEquals = "\\=";

// Replaces each "\=" from left to right, resuming after the replacement.
void replaceEscapedEquals(std::string& text, const std::string& replacement) {
    std::size_t position = text.find(escapedEquals);
    while (position != std::string::npos) {
        text.replace(position, 2, replacement);
        position = text.find(escapedEquals, position + replacement.size());
    }
}

bool readSectionHeader(std::string& line, ParsedLine& out) {
    const std::size_t commentStart = line.find(';');
    if (commentStart != std::string::npos) {
        line.erase(commentStart);
    }
    const std::size_t close = line.rfind(']');
    if (close == std::string::npos) {
        return false;
    }
    out.name = line.substr(1, close - 1);
    trimWhitespace(out.name);
    return true;
}

bool readAssignment(const std::string& line, ParsedLine& out) {
    // Blanking the escaped pairs keeps positions, so the first "=" left in the
    // scratch copy is the separator in the line itself.
    std::string scratch = line;
    replaceEscapedEquals(scratch, "  ");
    const std::size_t separator = scratch.find('=');
    if (separator == std::string::npos) {
        return false;
    }
    out.name = line.substr(0, separator);
    trimWhitespace(out.name);
    replaceEscapedEquals(out.name, "=");
    out.value = line.substr(separator + 1);
    trimWhitespace(out.value);
    return true;
}

} // namespace

LineKind classifyLine(std::string line, ParsedLine& out) {
    out.name.clear();
    out.value.clear();
    trimWhitespace(line);
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
