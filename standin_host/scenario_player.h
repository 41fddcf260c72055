#pragma once

// Plays a scenario against a loaded plug-in and prints the trace: a heading
// per phase ("load", "frame N", "unload") and that phase's trace lines
// indented below it. A quiet player prints only the phases that have a
// problem; it checks every frame against the throw loop's passes and counts
// it instead. Loading, unloading and switching into the script are the
// caller's; this class only decides what each phase means.

#include "standin_host/host_session.h"
#include "standin_host/pass_audit.h"
#include "standin_host/run_tally.h"
#include "standin_host/scenario.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace standin {

class ScriptRunner {
  public:
    enum class Outcome { Yielded, Returned };

    virtual ~ScriptRunner() = default;
    // Runs the registered script until it yields to the host or returns.
    virtual Outcome resume() = 0;
};

class ScenarioPlayer {
  public:
    ScenarioPlayer(HostSession& session, std::ostream& out) : session_(session), out_(out) {}
    ScenarioPlayer(HostSession& session, std::ostream& out, RunTally& tally)
        : session_(session), out_(out), tally_(&tally), audit_(std::in_place, tally) {}

    void loading();
    // Its script must be registered for its own module, and its keyboard
    // handler too.
    void loaded(ModuleHandle plugin);
    // Plays from frame 1 to the scenario's last frame; stops at the first
    // frame in which the plug-in misbehaves.
    void play(const Scenario& scenario, ScriptRunner& script);
    void unloading();
    // Both registrations must be gone.
    void unloaded();

    // Prints the trace lines the current phase has recorded so far; a quiet
    // player prints the phase's heading first.
    void printTrace();
    // "frame 3", "load" or "unload".
    const std::string& phase() const { return phase_; }

    // What went wrong, one sentence each with its phase; empty when all is well.
    const std::vector<std::string>& problems() const { return problems_; }

  private:
    void startPhase(std::string phase);
    void endPhase();
    void problem(const std::string& sentence);
    void takeFaults();
    bool quiet() const { return tally_ != nullptr; }

    HostSession& session_;
    std::ostream& out_;
    RunTally* tally_ = nullptr;
    std::optional<PassAudit> audit_;
    std::string phase_;
    bool headingPrinted_ = false;
    std::size_t problemsBeforePhase_ = 0;
    std::size_t faultsSeen_ = 0;
    std::vector<std::string> problems_;
};

} // namespace standin
