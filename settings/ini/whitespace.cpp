#include "settings/ini/whitespace.h"

#include <cstddef>

namespace {

bool isWhitespace(char byte) {
    switch (byte) {
    case ' ':
    case '\t':
    case '\n':
    case '\r':
    case '\f':
    case '\v':
        return true;
    default:
        return false;
    }
}

} // namespace

void trimWhitespace(std::string& text) {
    const std::string_view kept = trimWhitespace(std::string_view(text));
    const auto start = static_cast<std::size_t>(kept.data() - text.data());
    text.resize(start + kept.size());
    if (start > 0) {
        text.erase(0, start);
    }
}

std::string_view trimWhitespace(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isWhitespace(text[end - 1])) {
        --end;
    }
    std::size_t start = 0;
    while (start < end && isWhitespace(text[start])) {
        ++start;
    }
    return text.substr(start, end - start);
}
