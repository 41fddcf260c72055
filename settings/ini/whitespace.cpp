#include "settings/ini/whitespace.h"

namespace {
constexpr const char* whitespaceBytes = " \t\n\r\f\v";
}

void trimWhitespace(std::string& text) {
    text.erase(text.find_last_not_of(whitespaceBytes) + 1);
    text.erase(0, text.find_first_not_of(whitespaceBytes));
}
