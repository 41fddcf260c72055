#pragma once

#include <string>

// Removes the bytes " \t\n\r\f\v" from both ends of text. No other byte is white
// space, whatever the locale: INI text is handled as raw bytes.
void trimWhitespace(std::string& text);
