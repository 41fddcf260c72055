#include "standin_host/scenario_player.h"

#include <chrono>
#include <utility>

namespace standin {

void ScenarioPlayer::loading() {
    startPhase("load");
}

void ScenarioPlayer::loaded(ModuleHandle plugin) {
    takeFaults();
    if (session_.registeredScript() == nullptr) {
        problem("the plug-in registered no script");
    } else if (session_.registeredModule() != plugin) {
        problem("scriptRegister got a module handle other than the plug-in's own");
    }
    if (session_.registeredKeyboardHandler() == nullptr) {
        problem("the plug-in registered no keyboard handler");
    }
    endPhase();
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
        const auto started = std::chrono::steady_clock::now();
        const ScriptRunner::Outcome outcome = script.resume();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - started;
        takeFaults();
        if (audit_) {
            tally_->timeFrame(frame, took.count());
            if (const auto wrong = audit_->checkFrame(session_.answers, session_.calls())) {
                problem(*wrong);
            }
        }
        session_.clearCalls();
        if (outcome == ScriptRunner::Outcome::Returned) {
            problem("the script function returned; a script must keep yielding to the host");
        }
        endPhase();
    }
}

void ScenarioPlayer::unloading() {
    startPhase("unload");
}

void ScenarioPlayer::unloaded() {
    takeFaults();
    if (session_.registeredScript() != nullptr) {
        problem("the plug-in left its script registered");
    }
    if (session_.registeredKeyboardHandler() != nullptr) {
        problem("the plug-in left its keyboard handler registered");
    }
    endPhase();
}

void ScenarioPlayer::printTrace() {
    if (!headingPrinted_) {
        out_ << phase_ << '\n';
        headingPrinted_ = true;
    }
    for (const std::string& line : session_.takeTrace()) {
        out_ << "  " << line << '\n';
    }
}

void ScenarioPlayer::startPhase(std::string phase) {
    phase_ = std::move(phase);
    problemsBeforePhase_ = problems_.size();
    headingPrinted_ = !quiet();
    if (headingPrinted_) {
        out_ << phase_ << '\n';
    }
}

void ScenarioPlayer::endPhase() {
    if (!quiet() || problems_.size() > problemsBeforePhase_) {
        printTrace();
    } else {
        session_.takeTrace();
    }
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
