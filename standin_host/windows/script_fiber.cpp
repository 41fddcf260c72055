#include "standin_host/windows/script_fiber.h"

#include "settings/float_control_scope.h"
#include "standin_host/windows/system_text.h"

#include <stdexcept>
#include <windows.h>

ScriptFiber::ScriptFiber(ScriptFunction script, void* hostFiber, std::uint32_t gameMxcsr)
    : script_(script), hostFiber_(hostFiber), gameMxcsr_(gameMxcsr),
      fiber_(CreateFiber(0, &start, this)) {
    if (fiber_ == nullptr) {
        throw std::runtime_error("cannot create the script fiber: " +
                                 systemErrorText(GetLastError()));
    }
}

ScriptFiber::~ScriptFiber() {
    DeleteFiber(fiber_);
}

ScriptFiber::Outcome ScriptFiber::resume() {
    if (!returned_) {
        // The script starts in the game's state; resumed inside its scriptWait,
        // it gets back the state it yielded in.
        const FloatControlScope game(gameMxcsr_);
        running_ = true;
        SwitchToFiber(fiber_);
        running_ = false;
    }
    return returned_ ? Outcome::Returned : Outcome::Yielded;
}

void ScriptFiber::yieldToHost() {
    SwitchToFiber(hostFiber_);
}

void __stdcall ScriptFiber::start(void* parameter) {
    auto* self = static_cast<ScriptFiber*>(parameter);
    self->script_();
    // A fiber routine must never return: that would end the thread.
    self->returned_ = true;
    SwitchToFiber(self->hostFiber_);
}
