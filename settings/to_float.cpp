#include "settings/to_float.h"

#include "settings/float_control_scope.h"
#include "settings/ini/whitespace.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace {

// Every exception masked, round to nearest, subnormals kept: the state the
// conversion's short-number path must compute in. The script runs on the
// game's thread, which may flush subnormals to zero or round another way; the
// conversion's arithmetic must not follow it.
constexpr std::uint32_t nearestFloatControl = 0x1F80;

bool startsWith(std::string_view text, char byte) {
    return !text.empty() && text.front() == byte;
}

bool isDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

bool isHexDigit(char byte) {
    return isDigit(byte) || (byte >= 'a' && byte <= 'f') || (byte >= 'A' && byte <= 'F');
}

// After 0x, from_chars would also take a sign or the words inf and nan; to the C
// grammar those make the 0 before the x the whole number.
bool hasHexDigitsAfterPrefix(std::string_view number) {
    return number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X') &&
           (isHexDigit(number[2]) || number[2] == '.');
}

// from_chars skips a '+' after the p and then reads the exponent as an integer,
// which takes a '-' of its own: 0x1p+-1 would be 0.5. To C a sign belongs to
// the exponent only with a digit after it, and without one the number ends
// before the p. Where the first p is no exponent the number has ended before
// it anyway, so cutting there changes nothing.
std::string_view withoutSignOnlyExponent(std::string_view hex) {
    const std::size_t p = hex.find_first_of("pP");
    if (p == std::string_view::npos || p + 1 == hex.size()) {
        return hex;
    }
    const bool hasSign = hex[p + 1] == '+' || hex[p + 1] == '-';
    const bool digitAfterSign = p + 2 < hex.size() && isDigit(hex[p + 2]);
    return hasSign && !digitAfterSign ? hex.substr(0, p) : hex;
}

// The unsigned number at the start of text, decimal, hexadecimal after 0x, or
// one of the words for infinity and not-a-number.
std::errc convertUnsigned(std::string_view number, float& magnitude) {
    if (hasHexDigitsAfterPrefix(number)) {
        const std::string_view hex = withoutSignOnlyExponent(number.substr(2));
        const auto [stop, error] =
            std::from_chars(hex.data(), hex.data() + hex.size(), magnitude, std::chars_format::hex);
        if (error != std::errc::invalid_argument) {
            return error;
        }
        // 0x. without a digit on either side of the point.
        magnitude = 0.0f;
        return std::errc();
    }
    // from_chars takes a minus sign of its own, which would let a second sign in.
    if (startsWith(number, '-')) {
        return std::errc::invalid_argument;
    }
    const char* const end = number.data() + number.size();
    return std::from_chars(number.data(), end, magnitude, std::chars_format::general).ec;
}

// Decided on the bits: with denormals-are-zero on, a comparison sees a
// subnormal as zero.
bool isSubnormal(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 0x7F800000u) == 0 && (bits & 0x007FFFFFu) != 0;
}

} // namespace

float toFloat(const std::string& text) {
    // White space after the number would end it anyway.
    std::string_view number = trimWhitespace(std::string_view(text));
    const bool negative = startsWith(number, '-');
    if (negative || startsWith(number, '+')) {
        number.remove_prefix(1);
    }
    float magnitude = 0.0f;
    std::errc error{};
    {
        const FloatControlScope nearest(nearestFloatControl);
        error = convertUnsigned(number, magnitude);
    }
    if (error == std::errc::invalid_argument) {
        throw std::invalid_argument("invalid stof argument");
    }
    // A number too close to zero for a normal float is as unusable as one too
    // large; from_chars flags only those that come out as zero.
    if (error == std::errc::result_out_of_range || isSubnormal(magnitude)) {
        throw std::out_of_range("stof argument out of range");
    }
    return negative ? -magnitude : magnitude;
}
