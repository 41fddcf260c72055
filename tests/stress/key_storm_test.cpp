#include "standin_host/key_storm.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <gtest/gtest.h>
#include <thread>

namespace {

std::atomic<std::uint64_t> firstCalls{0};
std::atomic<std::uint64_t> secondCalls{0};
std::atomic<std::uint64_t> codesPastTheTable{0};

void firstHandler(std::uint32_t key, std::uint16_t, std::uint8_t, std::int32_t, std::int32_t,
                  std::int32_t, std::int32_t) {
    ++firstCalls;
    if (key > 254) {
        ++codesPastTheTable;
    }
}

void secondHandler(std::uint32_t, std::uint16_t, std::uint8_t, std::int32_t, std::int32_t,
                   std::int32_t, std::int32_t) {
    ++secondCalls;
}

// Waits, within a bound, until the counter passes a mark.
bool reaches(const std::atomic<std::uint64_t>& counter, std::uint64_t mark) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (counter < mark) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

} // namespace

TEST(KeyStorm, ReachesOnlyTheHandlerRegisteredNowAndCountsEveryCall) {
    standin::KeyStorm storm;
    storm.start();
    storm.setHandler(firstHandler);
    ASSERT_TRUE(reaches(firstCalls, 10000));

    storm.setHandler(secondHandler);
    const std::uint64_t firstAtSwitch = firstCalls;
    ASSERT_TRUE(reaches(secondCalls, 10000));
    EXPECT_EQ(firstCalls, firstAtSwitch) << "a call reached a handler after it was replaced";

    storm.setHandler(nullptr);
    const std::uint64_t secondAtPause = secondCalls;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(secondCalls, secondAtPause) << "a call reached a handler after it was removed";

    EXPECT_EQ(storm.stop(), firstCalls + secondCalls);
    EXPECT_GT(codesPastTheTable, 0u)
        << "the storm must also send codes the key table has no room for";
}
