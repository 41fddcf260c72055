#include "settings/ini/ini_lines.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Where the first byte equal to wanted stands among the length bytes at start,
// or length when none does.
std::size_t offsetOf(char wanted, const char* start, std::size_t length) {
    const void* const found = std::memchr(start, wanted, length);
    return found == nullptr ? length
                            : static_cast<std::size_t>(static_cast<const char*>(found) - start);
}

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
    const std::size_t length = offsetOf('\n', start, rest);
    // Most lines hold no byte to drop, or just a carriage return at their end:
    // searching for the first is quicker than walking every byte.
    const std::size_t carriageReturn = offsetOf('\r', start, length);
    const std::size_t firstDropped = offsetOf('\0', start, carriageReturn);
    char* const kept = std::remove_if(start + firstDropped, start + length, isDropped);
    line = std::string_view(start, static_cast<std::size_t>(kept - start));
    nextStart += length + 1;
    allHandedOut = length == rest;
    return true;
}
