#include "settings/float_control_scope.h"
#include "settings/to_float.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>
#include <xmmintrin.h>

TEST(ToFloat, ConvertsTheNumberAtTheStartOfTheText) {
    const float infinity = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<std::string, float>> cases = {
        {" \t\n-2.5e1", -25.0f},
        {"+.5", 0.5f},
        {"1e", 1.0f},
        {"0x1.8p1", 3.0f},
        {"0X10", 16.0f},
        {"0xF", 15.0f},
        {"0x", 0.0f},
        // After 0x only hex digits or a point continue the number.
        {"-0x-1", -0.0f},
        {"0xinf", 0.0f},
        {"0x.p1", 0.0f},
        {"0x.8", 0.5f},
        // A sign in the exponent counts only with a digit after it.
        {"0x1p+-1", 1.0f},
        {"-0x1.8P+-3x", -1.5f},
        {"0x1p+-99999999999", 1.0f},
        {"0.1", 0.1f},
        // Just above the midpoint of two floats; a detour through double lands on
        // the midpoint itself and rounds down.
        {"1.000000059604644776", std::nextafter(1.0f, 2.0f)},
        {"3.4028235e38", std::numeric_limits<float>::max()},
        // Below the smallest normal float, but rounds up to it.
        {"1.1754943e-38", std::numeric_limits<float>::min()},
        {"inf", infinity},
        {"-INFINITY", -infinity},
        {"Infinite", infinity},
    };
    for (const auto& [text, expected] : cases) {
        const float converted = toFloat(text);
        EXPECT_EQ(converted, expected) << text;
        EXPECT_EQ(std::signbit(converted), std::signbit(expected)) << text;
    }
}

TEST(ToFloat, AcceptsNotANumberInAnyCase) {
    for (const char* text : {"nan", "NaN", "-nan", "NAN(123)"}) {
        EXPECT_TRUE(std::isnan(toFloat(text))) << text;
    }
}

TEST(ToFloat, RejectsTextWithoutANumberAtItsStart) {
    for (const char* text :
         {"", "   ", "abc", ".", "-", "e5", "x1", "in", "\xA0+1", "--1", "+-1", "-+1", "-x1"}) {
        try {
            toFloat(text);
            ADD_FAILURE() << "no exception for \"" << text << "\"";
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), "invalid stof argument");
        }
    }
}

// Also where the game's thread flushes subnormals to zero and treats them as
// zero, to which a subnormal compares equal; and with every status flag
// already raised, which the conversion must hand back as it found them.
TEST(ToFloat, RejectsNumbersOutsideTheRangeOfAFloat) {
    for (const unsigned control : {0x1F80u, 0x9FC0u, 0x1FBFu}) {
        const FloatControlScope state(control);
        for (const char* text :
             {"1e40", "-1e40", "3.5e38", "0x1p200", "1e-50", "1e-40", "0x1p-149", "-0x1p-127"}) {
            try {
                toFloat(text);
                ADD_FAILURE() << "no exception for \"" << text << "\"";
            } catch (const std::out_of_range& error) {
                EXPECT_STREQ(error.what(), "stof argument out of range");
            }
            EXPECT_EQ(_mm_getcsr(), control) << text;
        }
    }
}
