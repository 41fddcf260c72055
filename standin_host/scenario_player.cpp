#include "standin_host/scenario_player.h"

#include <utility>

namespace standin {

void ScenarioPlayer::loading() {
    startPhase("load");
}

void ScenarioPlayer::loaded(ModuleHandle plugin) {
    printTrace();
    takeFaults();
    if (session_.registeredScript() == nullptr) {
        problem("the plug-in registered no script");
    } else if (session_.registeredModule() != plugin) {
        problem("scriptRegister got a module handle other than the plug-in's own");
    }
    if (session_.registeredKeyboardHandler() == nullptr) {
        problem("the plug-in registered no keyboard handler");
    }
}

void ScenarioPlayer::play(const Scenario& scenario, ScriptRunner& script) {
    auto next = scenario.frames.begin();
    for (std::uint32_t frame = 1; problems_.empty() && frame <= scenario.lastFrame(); ++frame) {
        startPhase("frame " + std::to_string(frame));
        if (next != scenario.frames.end() && next->number == frame) {
            next->changes.applyTo(session_.answers);
            for (const KeyEvent& key : next->keys) {
                session_.sendKey(key);
            }
            ++next;
        }
        const ScriptRunner::Outcome outcome = script.resume();
        printTrace();
        session_.clearCalls();
        takeFaults();
        if (outcome == ScriptRunner::Outcome::Returned) {
            problem("the script function returned; a script must keep yielding to the host");
        }
    }
}

void ScenarioPlayer::unloading() {
    startPhase("unload");
}

void ScenarioPlayer::unloaded() {
    printTrace();
    takeFaults();
    if (session_.registeredScript() != nullptr) {
        problem("the plug-in left its script registered");
    }
    if (session_.registeredKeyboardHandler() != nullptr) {
        problem("the plug-in left its keyboard handler registered");
    }
}

void ScenarioPlayer::printTrace() {
    for (const std::string& line : session_.takeTrace()) {
        out_ << "  " << line << '\n';
    }
}

void ScenarioPlayer::startPhase(std::string phase) {
    phase_ = std::move(phase);
    out_ << phase_ << '\n';
}

void ScenarioPlayer::problem(const std::string& sentence) {
    problems_.push_back(phase_ + ": " + sentence);
}

void ScenarioPlayer::takeFaults() {
    const auto& faults = session_.faults();
    for (; faultsSeen_ < faults.size(); ++faultsSeen_) {
        problem(faults[faultsSeen_]);
    }
}

} // namespace standin
