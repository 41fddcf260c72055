#include "plugin/key_state_table.h"
#include "plugin/tick_count.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

class KeyStateTableTest : public ::testing::Test {
  protected:
    void SetUp() override { std::memset(keyStateTable, 0, sizeof keyStateTable); }
};

bool tableIsZero() {
    for (const KeyStateEntry& entry : keyStateTable) {
        if (entry.tick != 0 || entry.contextCode != 0 || entry.previousState != 0 ||
            entry.transitionState != 0) {
            return false;
        }
    }
    return true;
}

TEST_F(KeyStateTableTest, HoldsExactlyKeyCodesZeroTo254) {
    EXPECT_EQ(sizeof keyStateTable, 255 * 4 * sizeof(std::uint32_t));
    EXPECT_EQ(sizeof(KeyStateEntry), 16u);
}

TEST_F(KeyStateTableTest, StoresTickAndTheLastThreeFlagsOnly) {
    const std::uint32_t before = tickCount();
    recordKeyEvent(254, 3, 0x1E, 1, 1, 0, 1);
    const std::uint32_t after = tickCount();

    const KeyStateEntry& entry = keyStateTable[254];
    EXPECT_LE(entry.tick - before, after - before) << "tick read while recording";
    EXPECT_EQ(entry.contextCode, 1);
    EXPECT_EQ(entry.previousState, 0);
    EXPECT_EQ(entry.transitionState, 1);
    keyStateTable[254] = KeyStateEntry{};
    EXPECT_TRUE(tableIsZero()) << "only the entry of the key code changes";
}

TEST_F(KeyStateTableTest, CodesFrom255UpChangeNothing) {
    for (std::uint32_t key : {255u, 256u, 0x1000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(key);
        recordKeyEvent(key, 1, 0, 0, 1, 1, 1);
        EXPECT_TRUE(tableIsZero());
    }
}

TEST_F(KeyStateTableTest, ASecondEventOverwritesTheWholeEntry) {
    const std::uint32_t before = tickCount();
    keyStateTable[65] = KeyStateEntry{before - 100000, 1, 1, 1};
    recordKeyEvent(65, 1, 0, 0, 0, 0, 0);
    const std::uint32_t after = tickCount();
    const KeyStateEntry& entry = keyStateTable[65];
    EXPECT_LE(entry.tick - before, after - before) << "tick rewritten";
    EXPECT_EQ(entry.contextCode, 0);
    EXPECT_EQ(entry.previousState, 0);
    EXPECT_EQ(entry.transitionState, 0);
}

} // namespace
