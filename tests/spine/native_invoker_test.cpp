#include "plugin/native_invoker.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(NativeInvokerTest, ArgumentsAreZeroExtendedOrPassedUnchanged) {
    EXPECT_EQ(encodeNativeArgument(std::uint32_t{0xFFFFFFFF}), 0x00000000FFFFFFFFull);
    EXPECT_EQ(encodeNativeArgument(-1), 0x00000000FFFFFFFFull) << "no sign extension";
    EXPECT_EQ(encodeNativeArgument(0x760A9C6F), 0x760A9C6Full);
    EXPECT_EQ(encodeNativeArgument(true), 1u);
    EXPECT_EQ(encodeNativeArgument(false), 0u);
    EXPECT_EQ(encodeNativeArgument(15.0f), 0x41700000ull);
    EXPECT_EQ(encodeNativeArgument(-0.0f), 0x80000000ull) << "sign bit stays in the low half";
    EXPECT_EQ(encodeNativeArgument(std::numeric_limits<float>::infinity()), 0x7F800000ull);
    EXPECT_EQ(encodeNativeArgument(DisplayText{0xFEDCBA9876543210}), 0xFEDCBA9876543210ull);

    static const char label[] = "Vaxo";
    EXPECT_EQ(encodeNativeArgument(label), reinterpret_cast<std::uintptr_t>(label));
}

TEST(NativeInvokerTest, ResultsReadTheLowHalfOfTheirSlots) {
    const std::uint64_t junkHandle[] = {0xDEADBEEF0000002Aull};
    EXPECT_EQ(NativeResult(junkHandle).asHandle(), 42u);

    const std::uint64_t junkFalse[] = {0xDEADBEEF00000000ull};
    EXPECT_FALSE(NativeResult(junkFalse).asBool()) << "upper junk must not read as true";
    const std::uint64_t anyNonzero[] = {0x0000000000000100ull};
    EXPECT_TRUE(NativeResult(anyNonzero).asBool());

    const std::uint64_t text[] = {0x00007FF612345670ull};
    EXPECT_EQ(NativeResult(text).asDisplayText().value, 0x00007FF612345670ull);

    const std::uint64_t vector[] = {0xAAAAAAAA3F800000ull, 0xBBBBBBBBBF000000ull,
                                    0xCCCCCCCC7FC00000ull};
    const Vector3 v = NativeResult(vector).asVector3();
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, -0.5f);
    EXPECT_TRUE(std::isnan(v.z));
}

} // namespace
