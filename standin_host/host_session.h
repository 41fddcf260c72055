#pragma once

// The host's side of the eight script-hook operations: it records what the
// plug-in asks for, answers natives from HostAnswers and notes every
// misbehaviour. Both the stand-in host DLL and the unit-test fake host hold
// one; neither knows about fibers here, the caller switches them.

#include "plugin/host_api.h"
#include "standin_host/display_texts.h"
#include "standin_host/native_catalog.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct Vector3f {
    float x, y, z;
};

// What the natives answer now; a scenario or a test sets it.
struct HostAnswers {
    std::uint32_t character = 0;
    bool carrying = false;
    std::uint32_t carried = 0;
    bool entityValid = false;
    std::uint32_t promptGroup = 0;
    bool promptCompleted = false;
    Vector3f forward{0.0f, 1.0f, 0.0f};
    // promptRegisterBegin hands these out in order; when empty it makes up fresh ones.
    std::deque<std::uint32_t> promptHandles;
};

struct RecordedCall {
    std::uint64_t hash = 0;
    std::vector<std::uint64_t> args; // as pushed
    std::vector<std::string> texts;  // the texts behind Text arguments, in order
    std::uint64_t result = 0;        // result slot 0 as answered, junk included
};

// How often the plug-in called each registration operation.
struct RegistrationCounts {
    unsigned scriptRegister = 0;
    unsigned keyboardHandlerRegister = 0;
    unsigned scriptUnregister = 0;
    unsigned keyboardHandlerUnregister = 0;
};

// The arguments of a keyboard handler call.
struct KeyEvent {
    std::uint32_t key = 0;
    std::uint16_t repeats = 1;
    std::uint8_t scanCode = 0;
    bool extended = false;
    bool contextCode = false;
    bool previousState = false;
    bool transition = false;
};

class HostSession {
  public:
    HostAnswers answers;

    void scriptRegister(ModuleHandle module, ScriptFunction script);
    void scriptUnregister(ModuleHandle module);
    void keyboardHandlerRegister(KeyboardHandler handler);
    void keyboardHandlerUnregister(KeyboardHandler handler);

    // Records only; the caller switches fibers.
    void scriptWait(std::uint32_t milliseconds);

    void nativeInit(std::uint64_t hash);
    void nativePush64(std::uint64_t value);
    // Records, decodes and answers the pending call. The slots stay valid
    // until the next call.
    std::uint64_t* nativeCall();

    ScriptFunction registeredScript() const { return script_; }
    KeyboardHandler registeredKeyboardHandler() const { return keyboardHandler_; }
    ModuleHandle registeredModule() const { return module_; }
    const RegistrationCounts& registrationCounts() const { return registrationCounts_; }

    // Calls the registered keyboard handler.
    void sendKey(const KeyEvent& event);

    const std::vector<RecordedCall>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

    // Trace lines recorded since the last take.
    std::vector<std::string> takeTrace();

    // Misbehaviour seen, one sentence each; empty when all is well.
    const std::vector<std::string>& faults() const { return faults_; }
    void recordFault(std::string fault);

    void reset();

  private:
    static constexpr std::uint32_t firstMadeUpPrompt = 1001;

    std::string describeArgs(const NativeInfo& info, RecordedCall& call);
    std::string describeArg(const NativeInfo& info, std::size_t index, ArgKind kind,
                            RecordedCall& call);
    std::string answer(const NativeInfo& info, const RecordedCall& call);
    std::uint32_t nextPromptHandle();
    std::uint64_t withJunk(std::uint32_t low);
    void fillWithJunk();

    ModuleHandle module_ = nullptr;
    ScriptFunction script_ = nullptr;
    KeyboardHandler keyboardHandler_ = nullptr;
    RegistrationCounts registrationCounts_;

    std::optional<RecordedCall> pending_;
    std::array<std::uint64_t, 3> resultSlots_{};
    std::uint32_t junkCounter_ = 0;
    std::uint32_t nextMadeUpPrompt_ = firstMadeUpPrompt;
    DisplayTexts displayTexts_;

    std::vector<RecordedCall> calls_;
    std::vector<std::string> trace_;
    std::vector<std::string> faults_;
};

} // namespace standin

// The unit-test fake host and the tests over it name these unqualified.
using standin::HostAnswers;
using standin::HostSession;
using standin::KeyEvent;
using standin::RecordedCall;
using standin::RegistrationCounts;
using standin::Vector3f;
