#include "throw/throw_loop.h"

#include "plugin/native_invoker.h"
#include "settings/settings_loader.h"
#include "settings/throw_settings.h"
#include "throw/natives.h"
#include "throw/throw_prompt.h"

namespace {

void releaseCarried(std::uint32_t character, std::uint32_t carried) {
    NativeInvoker::invoke(natives::detachCarriableEntity, carried, 0, 1);
    NativeInvoker::invoke(natives::clearPedTasks, character, 1, 0);
    NativeInvoker::invoke(natives::setEntityDynamic, carried, 1);
    NativeInvoker::invoke(natives::activatePhysics, carried);
}

void throwCarried(std::uint32_t character, std::uint32_t carried) {
    releaseCarried(character, carried);
    // The push must land in a later frame than the release.
    scriptWait(0);
    const Vector3 forward =
        NativeInvoker::invoke(natives::getEntityForwardVector, character).asVector3();
    applyThrowForce(carried, throwSettings.forwardForce * forward.x,
                    throwSettings.forwardForce * forward.y, throwSettings.upForce);
}

} // namespace

void runThrowLoop() {
    loadSettings();
    for (;;) {
        runThrowPass();
    }
}

void runThrowPass() {
    scriptWait(0);
    const std::uint32_t character = NativeInvoker::invoke(natives::playerPedId).asHandle();
    if (!NativeInvoker::invoke(natives::isPedCarryingSomething, character).asBool()) {
        if (throwPrompt.created) {
            deleteThrowPrompt();
        }
        return;
    }
    createThrowPrompt();
    const std::uint32_t carried =
        NativeInvoker::invoke(natives::getFirstEntityPedIsCarrying, character).asHandle();
    if (!NativeInvoker::invoke(natives::doesEntityExist, carried).asBool()) {
        return;
    }
    refreshThrowPrompt(carried);
    if (isThrowPromptCompleted()) {
        throwCarried(character, carried);
    }
}

void applyThrowForce(std::uint32_t entity, float x, float y, float z) {
    NativeInvoker::invoke(natives::applyForceToEntityCenterOfMass, entity, 1, x, y, z, 0, 0, 1, 0);
}
