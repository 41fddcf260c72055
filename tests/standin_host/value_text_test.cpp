#include "standin_host/value_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using standin::floatText;
using standin::quotedText;

TEST(FloatText, IsShortestRoundTripAndNeverLooksLikeAnInteger) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {15.0f, "15.0"},
        {-7.5f, "-7.5"},
        {0.0f, "0.0"},
        {-0.0f, "-0.0"},
        {0.1f, "0.1"},
        {1e20f, "1e+20"},
        {16777216.0f, "16777216.0"},
        {std::numeric_limits<float>::infinity(), "inf"},
        {-std::numeric_limits<float>::infinity(), "-inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(floatText(c.value), c.text);
    }
    EXPECT_EQ(floatText(std::numeric_limits<float>::quiet_NaN()).find(".0"), std::string::npos);
}

TEST(HexText, IsUpperCaseAndHashesKeepAllSixteenDigits) {
    EXPECT_EQ(standin::hexText(0x760A9C6F), "0x760A9C6F");
    EXPECT_EQ(standin::hexText(0), "0x0");
    EXPECT_EQ(standin::hashText(0x00EDE88D4D13CF59), "0x00EDE88D4D13CF59");
    EXPECT_EQ(standin::hashText(1), "0x0000000000000001");
}

TEST(QuotedText, EscapesQuotesBackslashesAndControlBytesOnly) {
    EXPECT_EQ(quotedText("Vaxo"), "\"Vaxo\"");
    EXPECT_EQ(quotedText("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(quotedText("line\n\x7F"), "\"line\\x0A\\x7F\"");
    EXPECT_EQ(quotedText("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
}

} // namespace
