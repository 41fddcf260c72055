#pragma once

#include <string>
#include <string_view>

// Removes the bytes " \t\n\r\f\v" from both ends of text. No other byte is white
// space, whatever the locale: INI text is handled as raw bytes.
void trimWhitespace(std::string& text);

// The same trim for text that is only looked at: the part of it that stays.
[[nodiscard]] std::string_view trimWhitespace(std::string_view text);
