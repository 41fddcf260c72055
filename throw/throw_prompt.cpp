#include "throw/throw_prompt.h"

#include "plugin/native_invoker.h"
#include "throw/natives.h"

ThrowPrompt throwPrompt{};

namespace {

constexpr std::uint32_t throwControl = 0x760A9C6F;
// releaseMode, in the catalogue: the prompt completes when its control is released.
constexpr std::int32_t completesOnRelease = 1;

DisplayText literalText(const char* text) {
    return NativeInvoker::invoke(natives::varString, 10, "LITERAL_STRING", text).asDisplayText();
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
    throwPrompt.handle = NativeInvoker::invoke(natives::promptRegisterBegin).asHandle();
    NativeInvoker::invoke(natives::promptSetControlAction, throwPrompt.handle, throwControl);
    const DisplayText label = literalText("Vaxo");
    NativeInvoker::invoke(natives::promptSetText, throwPrompt.handle, label);
    NativeInvoker::invoke(natives::promptSetPriority, throwPrompt.handle, 3);
    NativeInvoker::invoke(natives::promptSetTransportMode, throwPrompt.handle, 0);
    NativeInvoker::invoke(natives::promptSetStandardMode, throwPrompt.handle, completesOnRelease);
    keepEnabledAndVisible();
    NativeInvoker::invoke(natives::promptRegisterEnd, throwPrompt.handle);
    throwPrompt.created = true;
}

void refreshThrowPrompt(std::uint32_t carried) {
    const std::uint32_t group =
        NativeInvoker::invoke(natives::promptGetGroupIdForTargetEntity, carried).asHandle();
    activatePromptGroup(group, literalText("Carrying"));
    NativeInvoker::invoke(natives::promptSetGroup, throwPrompt.handle, group, 0);
    keepEnabledAndVisible();
}

bool isThrowPromptCompleted() {
    return NativeInvoker::invoke(natives::promptHasStandardModeCompleted, throwPrompt.handle, 0)
        .asBool();
}

void deleteThrowPrompt() {
    NativeInvoker::invoke(natives::promptDelete, throwPrompt.handle);
    throwPrompt.handle = 0;
    throwPrompt.created = false;
}

void activatePromptGroup(std::uint32_t group, DisplayText text) {
    NativeInvoker::invoke(natives::promptSetActiveGroupThisFrame, group, text, 1, 0, 0, 0);
}
