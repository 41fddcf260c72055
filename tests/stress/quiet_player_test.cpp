#include "standin_host/scenario_player.h"
#include "tests/standin_host/plugin_side.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace natives = standin::natives;
using Outcome = standin::ScriptRunner::Outcome;

int pluginModule = 0;

// Looks at the character each frame, as a pass that finds no carrying does,
// and in frame 3 asks for the carried entity although nothing is carried.
class StrayingScript final : public standin::ScriptRunner {
  public:
    explicit StrayingScript(HostSession& host) : host_(host) {}

    Outcome resume() override {
        ++frame_;
        callNative(host_, natives::playerPedId);
        callNative(host_, natives::isPedCarryingSomething, {7});
        if (frame_ == 3) {
            callNative(host_, natives::getFirstEntityPedIsCarrying, {7});
        }
        host_.scriptWait(0);
        return Outcome::Yielded;
    }

  private:
    HostSession& host_;
    int frame_ = 0;
};

} // namespace

TEST(QuietPlayer, PrintsOnlyThePhaseWithAProblemAndCountsTheRest) {
    HostSession host;
    std::ostringstream out;
    standin::RunTally tally;
    standin::ScenarioPlayer player(host, out, tally);
    StrayingScript script(host);

    player.loading();
    host.scriptRegister(&pluginModule, &noScript);
    host.keyboardHandlerRegister(&ignoreKey);
    player.loaded(&pluginModule);
    player.play(standin::parseScenario("frame 1\ncharacter 7\nframe 5\n", "s.txt"), script);
    player.unloading();
    host.scriptUnregister(&pluginModule);
    host.keyboardHandlerUnregister(&ignoreKey);
    player.unloaded();

    EXPECT_EQ(out.str(), "frame 3\n"
                         "  playerPedId() -> 7\n"
                         "  isPedCarryingSomething(7) -> false\n"
                         "  getFirstEntityPedIsCarrying(7) -> 0\n"
                         "  wait(0)\n");
    EXPECT_EQ(player.problems(), std::vector<std::string>{
                                     "frame 3: the frame goes on with getFirstEntityPedIsCarrying "
                                     "after the calls standin_host/pass_audit.cpp expects"});
    EXPECT_EQ(tally.frames, 3u);
    EXPECT_EQ(tally.passCount(standin::PassKind::NotCarrying), 3u);
    EXPECT_EQ(tally.natives, 7u);
}
