#include "standin_host/scenario_player.h"
#include "tests/standin_host/plugin_side.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace natives = standin::natives;
using Lines = std::vector<std::string>;
using Outcome = standin::ScriptRunner::Outcome;

int pluginModule = 0;

// Each resume runs one frame's worth of a plug-in's script.
class ScriptedRunner final : public standin::ScriptRunner {
  public:
    explicit ScriptedRunner(std::function<Outcome(int frame)> frame) : frame_(std::move(frame)) {}
    Outcome resume() override { return frame_(++resumes); }

    int resumes = 0;

  private:
    std::function<Outcome(int)> frame_;
};

class ScenarioPlayerTest : public ::testing::Test {
  protected:
    void loadPlugin() {
        player.loading();
        host.scriptRegister(&pluginModule, &noScript);
        host.keyboardHandlerRegister(&ignoreKey);
        player.loaded(&pluginModule);
    }

    void unloadPlugin() {
        player.unloading();
        host.scriptUnregister(&pluginModule);
        host.keyboardHandlerUnregister(&ignoreKey);
        player.unloaded();
    }

    // A script that looks at the character once a frame.
    Outcome idlePass() {
        const auto character =
            static_cast<std::uint32_t>(callNative(host, natives::playerPedId)[0]);
        callNative(host, natives::isPedCarryingSomething, {character});
        host.scriptWait(0);
        return Outcome::Yielded;
    }

    HostSession host;
    std::ostringstream out;
    standin::ScenarioPlayer player{host, out};
};

TEST_F(ScenarioPlayerTest, AppliesEachFramesChangesAndKeysBeforeTheScriptRuns) {
    const auto scenario = standin::parseScenario(
        "frame 1\ncharacter 7\nframe 3\ncarrying yes\nkey 65 down\n", "s.txt");
    ScriptedRunner script([this](int) { return idlePass(); });

    loadPlugin();
    player.play(scenario, script);
    unloadPlugin();

    EXPECT_EQ(out.str(), "load\n"
                         "  scriptRegister(module)\n"
                         "  keyboardHandlerRegister(handler)\n"
                         "frame 1\n"
                         "  playerPedId() -> 7\n"
                         "  isPedCarryingSomething(7) -> false\n"
                         "  wait(0)\n"
                         "frame 2\n"
                         "  playerPedId() -> 7\n"
                         "  isPedCarryingSomething(7) -> false\n"
                         "  wait(0)\n"
                         "frame 3\n"
                         "  keyEvent(65, 1, 0, 0, 0, 0, 0)\n"
                         "  playerPedId() -> 7\n"
                         "  isPedCarryingSomething(7) -> true\n"
                         "  wait(0)\n"
                         "unload\n"
                         "  scriptUnregister(module)\n"
                         "  keyboardHandlerUnregister(handler)\n");
    EXPECT_EQ(player.problems(), Lines{});
    EXPECT_TRUE(host.calls().empty()) << "calls are dropped frame by frame";
}

TEST_F(ScenarioPlayerTest, StopsAfterTheFirstFrameWithAFault) {
    const auto scenario = standin::parseScenario("frame 5\n", "s.txt");
    ScriptedRunner script([this](int frame) {
        callNative(host, frame == 2 ? 0x1234 : natives::playerPedId);
        host.scriptWait(0);
        return Outcome::Yielded;
    });
    loadPlugin();
    player.play(scenario, script);
    EXPECT_EQ(script.resumes, 2);
    EXPECT_EQ(player.problems(),
              Lines{"frame 2: unknown native 0x0000000000001234: the stand-in host's catalogue, "
                    "standin_host/native_catalog.*, lacks it"});
    EXPECT_EQ(player.phase(), "frame 2");
}

TEST_F(ScenarioPlayerTest, AScriptThatReturnsIsAProblem) {
    const auto scenario = standin::parseScenario("frame 3\n", "s.txt");
    ScriptedRunner script([](int) { return Outcome::Returned; });
    loadPlugin();
    player.play(scenario, script);
    EXPECT_EQ(script.resumes, 1);
    EXPECT_EQ(player.problems(),
              Lines{"frame 1: the script function returned; a script must keep yielding to the "
                    "host"});
}

TEST_F(ScenarioPlayerTest, LoadWantsBothRegistrationsForThePluginsOwnModule) {
    int otherModule = 0;
    host.scriptRegister(&otherModule, &noScript);
    player.loading();
    player.loaded(&pluginModule);
    EXPECT_EQ(player.problems(),
              (Lines{"load: scriptRegister got a module handle other than the plug-in's own",
                     "load: the plug-in registered no keyboard handler"}));
}

TEST_F(ScenarioPlayerTest, UnloadWantsBothRegistrationsGone) {
    loadPlugin();
    player.unloading();
    host.scriptUnregister(&pluginModule);
    player.unloaded();
    EXPECT_EQ(player.problems(), Lines{"unload: the plug-in left its keyboard handler registered"});
}

TEST_F(ScenarioPlayerTest, FaultsDuringLoadAreReportedWithThePhase) {
    player.loading();
    host.scriptRegister(&pluginModule, &noScript);
    host.scriptRegister(&pluginModule, &noScript);
    host.keyboardHandlerRegister(&ignoreKey);
    player.loaded(&pluginModule);
    EXPECT_EQ(player.problems(), Lines{"load: scriptRegister was called a second time"});
}

} // namespace
