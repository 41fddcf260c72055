#include "throw/throw_prompt.h"

#include "plugin/native_invoker.h"
#include "throw/natives.h"

ThrowPrompt throwPrompt{};

namespace {

constexpr std::uint32_t throwControl = 0x760A9C6F;

DisplayText literalText(const char* text) {
    return NativeInvoker::invoke(natives::displayText, 10, "LITERAL_STRING", text).asDisplayText();
}

void keepEnabledAndVisible() {
    NativeInvoker::invoke(natives::promptSetEnabled, throwPrompt.handle, 1);
    NativeInvoker::invoke(natives::promptSetVisible, throwPrompt.handle, 1);
}

} // namespace

void createThrowPrompt() {
    if (throwPrompt.created) {
        return;
    }
    throwPrompt.handle = NativeInvoker::invoke(natives::newPrompt).asHandle();
    NativeInvoker::invoke(natives::promptSetControl, throwPrompt.handle, throwControl);
    const DisplayText label = literalText("Vaxo");
    NativeInvoker::invoke(natives::promptSetLabel, throwPrompt.handle, label);
    NativeInvoker::invoke(natives::promptOption1, throwPrompt.handle, 3);
    NativeInvoker::invoke(natives::promptOption2, throwPrompt.handle, 0);
    NativeInvoker::invoke(natives::promptOption3, throwPrompt.handle, 1);
    keepEnabledAndVisible();
    NativeInvoker::invoke(natives::promptFinishSetup, throwPrompt.handle);
    throwPrompt.created = true;
}

void refreshThrowPrompt(std::uint32_t carried) {
    const std::uint32_t group = NativeInvoker::invoke(natives::promptGroupOf, carried).asHandle();
    activatePromptGroup(group, literalText("Carrying"));
    NativeInvoker::invoke(natives::promptSetGroup, throwPrompt.handle, group, 0);
    keepEnabledAndVisible();
}

bool isThrowPromptCompleted() {
    return NativeInvoker::invoke(natives::promptCompleted, throwPrompt.handle, 0).asBool();
}

void deleteThrowPrompt() {
    NativeInvoker::invoke(natives::deletePrompt, throwPrompt.handle);
    throwPrompt.handle = 0;
    throwPrompt.created = false;
}

void activatePromptGroup(std::uint32_t group, DisplayText text) {
    NativeInvoker::invoke(natives::activatePromptGroup, group, text, 1, 0, 0, 0);
}
