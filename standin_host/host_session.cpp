#include "standin_host/host_session.h"

#include "standin_host/value_text.h"

#include <utility>

namespace standin {
namespace {

std::string flag(bool value) {
    return value ? "1" : "0";
}

std::string argumentCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

const char* smallValueName(ArgKind kind) {
    switch (kind) {
    case ArgKind::Handle:
        return "a handle";
    case ArgKind::Float:
        return "a float";
    default:
        return "an integer";
    }
}

} // namespace

void HostSession::scriptRegister(ModuleHandle module, ScriptFunction script) {
    trace_.emplace_back("scriptRegister(module)");
    ++registrationCounts_.scriptRegister;
    if (script_ != nullptr) {
        recordFault("scriptRegister was called a second time");
    }
    if (script == nullptr) {
        recordFault("scriptRegister got no script function");
    }
    module_ = module;
    script_ = script;
}

void HostSession::scriptUnregister(ModuleHandle module) {
    trace_.emplace_back("scriptUnregister(module)");
    ++registrationCounts_.scriptUnregister;
    if (script_ == nullptr) {
        recordFault("scriptUnregister was called with no script registered");
    } else if (module != module_) {
        recordFault("scriptUnregister got a module other than the one scriptRegister got");
    } else {
        module_ = nullptr;
        script_ = nullptr;
    }
}

void HostSession::keyboardHandlerRegister(KeyboardHandler handler) {
    trace_.emplace_back("keyboardHandlerRegister(handler)");
    ++registrationCounts_.keyboardHandlerRegister;
    if (keyboardHandler_ != nullptr) {
        recordFault("keyboardHandlerRegister was called a second time");
    }
    if (handler == nullptr) {
        recordFault("keyboardHandlerRegister got no handler");
    }
    keyboardHandler_ = handler;
}

void HostSession::keyboardHandlerUnregister(KeyboardHandler handler) {
    trace_.emplace_back("keyboardHandlerUnregister(handler)");
    ++registrationCounts_.keyboardHandlerUnregister;
    if (keyboardHandler_ == nullptr) {
        recordFault("keyboardHandlerUnregister was called with no handler registered");
    } else if (handler != keyboardHandler_) {
        recordFault("keyboardHandlerUnregister got a handler other than the registered one");
    } else {
        keyboardHandler_ = nullptr;
    }
}

void HostSession::scriptWait(std::uint32_t milliseconds) {
    trace_.push_back("wait(" + std::to_string(milliseconds) + ")");
}

void HostSession::nativeInit(std::uint64_t hash) {
    if (pending_) {
        recordFault("nativeInit(" + hashText(hash) + ") came while " + nativeName(pending_->hash) +
                    " still waited for nativeCall");
    }
    pending_.emplace();
    pending_->hash = hash;
}

void HostSession::nativePush64(std::uint64_t value) {
    if (!pending_) {
        recordFault("nativePush64(" + hexText(value) + ") came without nativeInit");
        return;
    }
    pending_->args.push_back(value);
}

std::uint64_t* HostSession::nativeCall() {
    if (!pending_) {
        recordFault("nativeCall came without nativeInit");
        fillWithJunk();
        return resultSlots_.data();
    }
    RecordedCall call = std::move(*pending_);
    pending_.reset();

    std::string line;
    if (const NativeInfo* info = findNative(call.hash)) {
        if (call.args.size() != info->args.size()) {
            recordFault(std::string(info->name) + " takes " + argumentCount(info->args.size()) +
                        " but got " + std::to_string(call.args.size()));
        }
        line = std::string(info->name) + "(" + describeArgs(*info, call) + ")";
        line += answer(*info, call);
        call.result = resultSlots_[0];
    } else {
        recordFault(unknownNative(call.hash));
        line = "native " + hashText(call.hash) + "(";
        for (std::size_t index = 0; index < call.args.size(); ++index) {
            line += (index == 0 ? "" : ", ") + hexText(call.args[index]);
        }
        line += ")";
        fillWithJunk();
    }
    trace_.push_back(std::move(line));
    calls_.push_back(std::move(call));
    return resultSlots_.data();
}

std::string HostSession::describeArgs(const NativeInfo& info, RecordedCall& call) {
    std::string text;
    for (std::size_t index = 0; index < call.args.size(); ++index) {
        if (index != 0) {
            text += ", ";
        }
        text += index < info.args.size() ? describeArg(info, index, info.args[index], call)
                                         : hexText(call.args[index]);
    }
    return text;
}

std::string HostSession::describeArg(const NativeInfo& info, std::size_t index, ArgKind kind,
                                     RecordedCall& call) {
    const std::uint64_t value = call.args[index];
    const auto fault = [&](const std::string& problem) {
        recordFault(std::string(info.name) + ": argument " + std::to_string(index + 1) + " is " +
                    problem + hexText(value));
    };
    const auto low = static_cast<std::uint32_t>(value);

    switch (kind) {
    case ArgKind::Handle:
    case ArgKind::Int:
    case ArgKind::Control:
    case ArgKind::Float:
        if ((value >> 32) != 0) {
            fault(std::string(smallValueName(kind)) + " with nonzero upper 32 bits: ");
            return hexText(value);
        }
        if (kind == ArgKind::Float) {
            return floatText(floatFromBits(low));
        }
        return kind == ArgKind::Control ? hexText(low) : std::to_string(low);
    case ArgKind::Text: {
        if (value == 0) {
            fault("a null text pointer: ");
            return "null";
        }
        call.texts.emplace_back(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(value)));
        return quotedText(call.texts.back());
    }
    case ArgKind::DisplayText:
        if (const std::string* text = displayTexts_.find(value)) {
            return "text(" + quotedText(*text) + ")";
        }
        fault(displayTexts_.isExpired(value)
                  ? "a display text that is no longer valid (only the latest one is): "
                  : "not a display text the host handed out: ");
        return hexText(value);
    }
    return hexText(value);
}

std::string HostSession::answer(const NativeInfo& info, const RecordedCall& call) {
    fillWithJunk();
    switch (info.result) {
    case ResultKind::None:
        return {};
    case ResultKind::Handle: {
        std::uint32_t handle = 0;
        switch (info.hash) {
        case natives::playerPedId:
            handle = answers.character;
            break;
        case natives::getFirstEntityPedIsCarrying:
            handle = answers.carried;
            break;
        case natives::promptGetGroupIdForTargetEntity:
            handle = answers.promptGroup;
            break;
        case natives::promptRegisterBegin:
            handle = nextPromptHandle();
            break;
        }
        resultSlots_[0] = withJunk(handle);
        return " -> " + std::to_string(handle);
    }
    case ResultKind::Bool: {
        bool value = false;
        switch (info.hash) {
        case natives::isPedCarryingSomething:
            value = answers.carrying;
            break;
        case natives::doesEntityExist:
            value = answers.entityValid;
            break;
        case natives::promptHasStandardModeCompleted:
            value = answers.promptCompleted;
            break;
        }
        resultSlots_[0] = withJunk(value ? 1 : 0);
        return value ? " -> true" : " -> false";
    }
    case ResultKind::DisplayText: {
        std::string text = call.texts.empty() ? std::string() : call.texts.back();
        const std::string shown = quotedText(text);
        resultSlots_[0] = displayTexts_.make(std::move(text));
        return " -> text(" + shown + ")";
    }
    case ResultKind::Vector3: {
        const Vector3f& forward = answers.forward;
        resultSlots_[0] = withJunk(bitsOfFloat(forward.x));
        resultSlots_[1] = withJunk(bitsOfFloat(forward.y));
        resultSlots_[2] = withJunk(bitsOfFloat(forward.z));
        return " -> (" + floatText(forward.x) + ", " + floatText(forward.y) + ", " +
               floatText(forward.z) + ")";
    }
    }
    return {};
}

std::uint32_t HostSession::nextPromptHandle() {
    if (answers.promptHandles.empty()) {
        return nextMadeUpPrompt_++;
    }
    const std::uint32_t handle = answers.promptHandles.front();
    answers.promptHandles.pop_front();
    return handle;
}

// A real host leaves the upper half of 32-bit result slots undefined; nonzero
// junk there makes a plug-in that reads all 64 bits go wrong at once.
std::uint64_t HostSession::withJunk(std::uint32_t low) {
    const std::uint64_t junk = 0xBAD00000u | (junkCounter_++ & 0xFFFFFu);
    return (junk << 32) | low;
}

void HostSession::fillWithJunk() {
    for (auto& slot : resultSlots_) {
        slot = withJunk(0xDEADBEEF);
    }
}

void HostSession::sendKey(const KeyEvent& event) {
    trace_.push_back("keyEvent(" + std::to_string(event.key) + ", " +
                     std::to_string(event.repeats) + ", " + std::to_string(event.scanCode) + ", " +
                     flag(event.extended) + ", " + flag(event.contextCode) + ", " +
                     flag(event.previousState) + ", " + flag(event.transition) + ")");
    if (keyboardHandler_ == nullptr) {
        recordFault("a key event arrived but no keyboard handler is registered");
        return;
    }
    keyboardHandler_(event.key, event.repeats, event.scanCode, event.extended, event.contextCode,
                     event.previousState, event.transition);
}

std::vector<std::string> HostSession::takeTrace() {
    std::vector<std::string> taken;
    taken.swap(trace_);
    return taken;
}

void HostSession::recordFault(std::string fault) {
    faults_.push_back(std::move(fault));
}

void HostSession::reset() {
    *this = HostSession();
}

} // namespace standin
