#include "standin_host/scenario.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using standin::parseScenario;
using standin::ScenarioError;

TEST(Scenario, ReadsAnswersKeysAndFramesAroundCommentsAndBlankLines) {
    const auto scenario = parseScenario("\xEF\xBB\xBF# an episode\r\n"
                                        "\r\n"
                                        "frame 1\r\n"
                                        "  character 7   # the player\r\n"
                                        "forward 1 -0.5 2e1\n"
                                        "prompts 11 0x0C\n"
                                        "prompts 13\n"
                                        "frame 4\n"
                                        "carrying yes\n"
                                        "carried 42\n"
                                        "entity invalid\n"
                                        "group 900\n"
                                        "completed no\n"
                                        "key 0x45 down scan 18\n"
                                        "key 65 up count 3 extended alt\n"
                                        "key 9 held\n",
                                        "episode.txt");
    ASSERT_EQ(scenario.frames.size(), 2u);
    EXPECT_EQ(scenario.lastFrame(), 4u);

    const auto& first = scenario.frames[0];
    EXPECT_EQ(first.number, 1u);
    EXPECT_EQ(first.changes.character, 7u);
    ASSERT_TRUE(first.changes.forward);
    EXPECT_EQ(first.changes.forward->x, 1.0f);
    EXPECT_EQ(first.changes.forward->y, -0.5f);
    EXPECT_EQ(first.changes.forward->z, 20.0f);
    EXPECT_EQ(first.changes.newPromptHandles, (std::vector<std::uint32_t>{11, 12, 13}));
    EXPECT_FALSE(first.changes.carrying);

    const auto& fourth = scenario.frames[1];
    EXPECT_EQ(fourth.number, 4u);
    EXPECT_EQ(fourth.changes.carrying, true);
    EXPECT_EQ(fourth.changes.carried, 42u);
    EXPECT_EQ(fourth.changes.entityValid, false);
    EXPECT_EQ(fourth.changes.promptGroup, 900u);
    EXPECT_EQ(fourth.changes.promptCompleted, false);
    EXPECT_FALSE(fourth.changes.character);

    const auto key = [](const KeyEvent& e) {
        return std::vector<unsigned>{e.key,         e.repeats,       e.scanCode,  e.extended,
                                     e.contextCode, e.previousState, e.transition};
    };
    ASSERT_EQ(fourth.keys.size(), 3u);
    EXPECT_EQ(key(fourth.keys[0]), (std::vector<unsigned>{0x45, 1, 18, 0, 0, 0, 0}));
    EXPECT_EQ(key(fourth.keys[1]), (std::vector<unsigned>{65, 3, 0, 1, 1, 1, 1}));
    EXPECT_EQ(key(fourth.keys[2]), (std::vector<unsigned>{9, 1, 0, 0, 0, 1, 0}));
}

TEST(Scenario, ChangesTouchOnlyTheAnswersTheyNameAndQueuePromptHandles) {
    HostAnswers answers;
    answers.character = 3;
    answers.carried = 5;
    answers.promptHandles = {1};
    const auto scenario = parseScenario("frame 1\ncarried 6\nprompts 2 3\n", "s.txt");
    scenario.frames[0].changes.applyTo(answers);
    EXPECT_EQ(answers.character, 3u);
    EXPECT_EQ(answers.carried, 6u);
    EXPECT_EQ(answers.promptHandles, (std::deque<std::uint32_t>{1, 2, 3}));
}

TEST(Scenario, FaultsNameTheFileAndLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"frame 1\ncarying yes\n", "ep.txt:2: unknown word 'carying'"},
        {"# c\r\n\r\nframe 1\r\nbogus\r\n", "ep.txt:4: unknown word 'bogus'"},
        {"character 7\n", "ep.txt:1: 'character' comes before the first 'frame' line"},
        {"frame 0\n", "ep.txt:1: 'frame' needs a frame number from 1 to 4294967295, not '0'"},
        {"frame\n", "ep.txt:1: 'frame' needs a frame number"},
        {"frame 3\nframe 2\n", "ep.txt:2: frame 2 comes after frame 3: frame numbers must rise"},
        {"frame 1\ncarrying maybe\n", "ep.txt:2: 'carrying' needs yes or no, not 'maybe'"},
        {"frame 1\nentity yes\n", "ep.txt:2: 'entity' needs valid or invalid, not 'yes'"},
        {"frame 1\ncompleted\n", "ep.txt:2: 'completed' needs yes or no"},
        {"frame 1\ncarried 42 43\n", "ep.txt:2: unexpected '43' after 'carried'"},
        {"frame 1\ncharacter 4294967296\n",
         "ep.txt:2: 'character' needs a handle (a whole number from 0 to 4294967295), not "
         "'4294967296'"},
        {"frame 1\ngroup -1\n",
         "ep.txt:2: 'group' needs a handle (a whole number from 0 to 4294967295), not '-1'"},
        {"frame 1\nforward 1 0\n", "ep.txt:2: 'forward' needs three numbers: x, y and z"},
        {"frame 1\nforward 1 zero 0\n", "ep.txt:2: 'forward' needs decimal numbers, not 'zero'"},
        {"frame 1\ncarrying yes\ncarrying no\n", "ep.txt:3: 'carrying' is given twice in frame 1"},
        {"frame 1\nprompts\n", "ep.txt:2: 'prompts' needs at least one handle"},
        {"frame 1\nprompts 1 x\n",
         "ep.txt:2: 'prompts' needs handles (a whole number from 0 to 4294967295), not 'x'"},
        {"frame 1\nkey 65\n", "ep.txt:2: 'key' needs a key code and down, up or held"},
        {"frame 1\nkey 65 pressed\n",
         "ep.txt:2: 'key' needs down, up or held after the key code, not 'pressed'"},
        {"frame 1\nkey 65 down scan 256\n",
         "ep.txt:2: 'scan' needs a number from 0 to 255, not '256'"},
        {"frame 1\nkey 65 down count\n", "ep.txt:2: 'count' needs a number after it"},
        {"frame 1\nkey 65 down shift\n", "ep.txt:2: unknown key option 'shift'"},
        {"# nothing but a comment\n", "ep.txt: no 'frame' line, so there is nothing to play"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            parseScenario(c.text, "ep.txt");
            ADD_FAILURE() << "no error";
        } catch (const ScenarioError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(Scenario, LoadingNamesTheFileAsGiven) {
    const auto path = std::filesystem::temp_directory_path() / "standin_scenario_test.txt";
    std::ofstream(path) << "frame 1\nframe 2\nwat\n";
    try {
        standin::loadScenario(path);
        ADD_FAILURE() << "no error";
    } catch (const ScenarioError& error) {
        EXPECT_EQ(error.what(), path.u8string() + ":3: unknown word 'wat'");
        EXPECT_EQ(error.line(), 3u);
    }
    std::filesystem::remove(path);
    EXPECT_THROW(standin::loadScenario(path), ScenarioError);
}

TEST(Scenario, BundledScenariosParse) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(STANDIN_SCENARIO_DIR)) {
        SCOPED_TRACE(entry.path().u8string());
        EXPECT_NO_THROW(standin::loadScenario(entry.path()));
        ++count;
    }
    EXPECT_GE(count, 1u);
}

} // namespace
