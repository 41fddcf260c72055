#include "standin_host/value_text.h"

#include <array>
#include <charconv>
#include <cstring>

namespace standin {

std::string floatText(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    if (text.find_first_of(".e") == std::string::npos && text.find("inf") == std::string::npos &&
        text.find("nan") == std::string::npos) {
        text += ".0";
    }
    return text;
}

float floatFromBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t bitsOfFloat(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string hexText(std::uint64_t value) {
    std::array<char, 16> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value, 16);
    std::string text = "0x";
    for (const char* digit = digits.data(); digit != result.ptr; ++digit) {
        text += *digit >= 'a' ? static_cast<char>(*digit - 'a' + 'A') : *digit;
    }
    return text;
}

std::string hashText(std::uint64_t hash) {
    std::string text = hexText(hash);
    text.insert(2, 18 - text.size(), '0');
    return text;
}

std::string quotedText(std::string_view text) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '"' || byte == '\\') {
            quoted += '\\';
            quoted += byte;
        } else if (code < 0x20 || code == 0x7F) {
            quoted += "\\x";
            quoted += hexDigits[code >> 4];
            quoted += hexDigits[code & 0xF];
        } else {
            quoted += byte;
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace standin
