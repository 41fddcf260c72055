#include "tests/stress/real_pass_frames.h"

#include "tests/fake_host/fake_host.h"
#include "throw/throw_loop.h"

#include <string>

std::vector<Frame> runRealPass() {
    HostSession& host = fakeHost();
    host.takeTrace();
    host.clearCalls();
    runThrowPass();

    // Every trace line but a wait is one native call, in the same order.
    std::vector<Frame> frames;
    auto call = host.calls().begin();
    for (const std::string& line : host.takeTrace()) {
        if (line.rfind("wait(", 0) == 0) {
            frames.emplace_back();
        } else {
            if (!frames.empty()) {
                frames.back().push_back(*call);
            }
            ++call;
        }
    }
    host.clearCalls();
    return frames;
}
