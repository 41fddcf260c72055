#include "standin_host/windows/script_fiber.h"

#include "standin_host/windows/system_text.h"

#include <stdexcept>
#include <windows.h>
#include <xmmintrin.h>

// A fiber switch may carry MXCSR over, as Wine's does, or keep it per fiber, as
// Windows does for fibers made with FIBER_FLAG_FLOAT_SWITCH. Either way each
// side sets its own state right after a switch lands, so both kinds give the
// script and the host the same states.

ScriptFiber::ScriptFiber(ScriptFunction script, void* hostFiber, std::uint32_t gameMxcsr)
    : script_(script), hostFiber_(hostFiber), scriptMxcsr_(gameMxcsr),
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
        const std::uint32_t hostMxcsr = _mm_getcsr();
        running_ = true;
        SwitchToFiber(fiber_);
        running_ = false;
        _mm_setcsr(hostMxcsr);
    }
    return returned_ ? Outcome::Returned : Outcome::Yielded;
}

void ScriptFiber::yieldToHost() {
    scriptMxcsr_ = _mm_getcsr();
    SwitchToFiber(hostFiber_);
    _mm_setcsr(scriptMxcsr_);
}

void __stdcall ScriptFiber::start(void* parameter) {
    auto* self = static_cast<ScriptFiber*>(parameter);
    _mm_setcsr(self->scriptMxcsr_);
    self->script_();
    // A fiber routine must never return: that would end the thread.
    self->returned_ = true;
    SwitchToFiber(self->hostFiber_);
}
