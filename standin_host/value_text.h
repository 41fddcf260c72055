#pragma once

// How the stand-in host writes values in its trace.

#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

// Shortest text that reads back as the same float, always with a decimal
// point or exponent so that it cannot be taken for an integer: 15 -> "15.0".
std::string floatText(float value);

float floatFromBits(std::uint32_t bits);
std::uint32_t bitsOfFloat(float value);

// Upper-case hex with a 0x prefix and no padding: 0x760A9C6F.
std::string hexText(std::uint64_t value);

// A native hash: all sixteen digits, 0x00EDE88D4D13CF59.
std::string hashText(std::uint64_t hash);

// In double quotes; quotes, backslashes and control bytes escaped.
std::string quotedText(std::string_view text);

} // namespace standin
