#pragma once

#include "settings/throw_settings.h"
#include "tests/fake_host/fake_host.h"
#include "throw/throw_prompt.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

inline Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// For EXPECT_PRED_FORMAT2: on a failure, the first call where the lists part,
// as expected and as made, instead of both lists whole on one line each.
inline ::testing::AssertionResult sameCalls(const char*, const char*, const Lines& made,
                                            const Lines& expected) {
    const auto [madeAt, expectedAt] =
        std::mismatch(made.begin(), made.end(), expected.begin(), expected.end());
    if (madeAt == made.end() && expectedAt == expected.end()) {
        return ::testing::AssertionSuccess();
    }
    const auto shown = [](const Lines& lines, Lines::const_iterator at) {
        return at == lines.end() ? std::string("(no more calls)") : *at;
    };
    const auto index = static_cast<std::size_t>(madeAt - made.begin());
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    result << "the calls part at call " << index + 1 << " (" << made.size() << " made, "
           << expected.size() << " expected)";
    if (index > 0) {
        result << ", after " << made[index - 1];
    }
    return result << "\n  expected: " << shown(expected, expectedAt)
                  << "\n  made:     " << shown(made, madeAt);
}

// Every test starts from a fresh host, no prompt and the start forces, and
// ends with no misbehaviour seen by the host.
class SpineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fakeHost().reset();
        throwPrompt = ThrowPrompt{};
        throwSettings = ThrowSettings{};
    }
    void TearDown() override { EXPECT_EQ(fakeHost().faults(), Lines{}); }

    HostAnswers& answers() { return fakeHost().answers; }
    Lines trace() { return fakeHost().takeTrace(); }
};
