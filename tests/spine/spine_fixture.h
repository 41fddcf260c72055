#pragma once

#include "settings/throw_settings.h"
#include "tests/fake_host/fake_host.h"
#include "throw/throw_prompt.h"

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
