#include "settings/ini/ini_lines.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

bool isDropped(char byte) {
    return byte == '\r' || byte == '\0';
}

} // namespace

IniLines::IniLines(std::unique_ptr<char[]> bytes, std::size_t byteCount)
    : text(std::move(bytes)), size(byteCount), allHandedOut(false) {}

bool IniLines::next(std::string_view& line) {
    if (allHandedOut) {
        return false;
    }
    char* const start = text.get() + nextStart;
    const std::size_t rest = size - nextStart;
    const void* const lineFeed = std::memchr(start, '\n', rest);
    const std::size_t length =
        lineFeed == nullptr ? rest
                            : static_cast<std::size_t>(static_cast<const char*>(lineFeed) - start);
    char* const kept = std::remove_if(start, start + length, isDropped);
    line = std::string_view(start, static_cast<std::size_t>(kept - start));
    nextStart += length + 1;
    allHandedOut = lineFeed == nullptr;
    return true;
}
