#include "standin_host/native_catalog.h"

#include <algorithm>
#include <array>

namespace standin {
namespace {

using A = ArgKind;
using R = ResultKind;

const std::array<NativeInfo, 25>& catalog() {
    static const std::array<NativeInfo, 25> entries{{
        {natives::playerCharacter, "playerCharacter", {}, R::Handle},
        {natives::isCarrying, "isCarrying", {A::Handle}, R::Bool},
        {natives::carriedEntity, "carriedEntity", {A::Handle}, R::Handle},
        {natives::entityCheck, "entityCheck", {A::Handle}, R::Bool},
        {natives::release1, "release1", {A::Handle, A::Int, A::Int}, R::None},
        {natives::release2, "release2", {A::Handle, A::Int, A::Int}, R::None},
        {natives::release3, "release3", {A::Handle, A::Int}, R::None},
        {natives::release4, "release4", {A::Handle}, R::None},
        {natives::forwardVector, "forwardVector", {A::Handle}, R::Vector3},
        {natives::applyForce,
         "applyForce",
         {A::Handle, A::Int, A::Float, A::Float, A::Float, A::Int, A::Int, A::Int, A::Int},
         R::None},
        {natives::newPrompt, "newPrompt", {}, R::Handle},
        {natives::promptSetControl, "promptSetControl", {A::Handle, A::Control}, R::None},
        {natives::displayText, "displayText", {A::Int, A::Text, A::Text}, R::DisplayText},
        {natives::promptSetLabel, "promptSetLabel", {A::Handle, A::DisplayText}, R::None},
        {natives::promptOption1, "promptOption1", {A::Handle, A::Int}, R::None},
        {natives::promptOption2, "promptOption2", {A::Handle, A::Int}, R::None},
        {natives::promptOption3, "promptOption3", {A::Handle, A::Int}, R::None},
        {natives::promptSetEnabled, "promptSetEnabled", {A::Handle, A::Int}, R::None},
        {natives::promptSetVisible, "promptSetVisible", {A::Handle, A::Int}, R::None},
        {natives::promptFinishSetup, "promptFinishSetup", {A::Handle}, R::None},
        {natives::promptGroupOf, "promptGroupOf", {A::Handle}, R::Handle},
        {natives::activatePromptGroup,
         "activatePromptGroup",
         {A::Handle, A::DisplayText, A::Int, A::Int, A::Int, A::Int},
         R::None},
        {natives::promptSetGroup, "promptSetGroup", {A::Handle, A::Handle, A::Int}, R::None},
        {natives::promptCompleted, "promptCompleted", {A::Handle, A::Int}, R::Bool},
        {natives::deletePrompt, "deletePrompt", {A::Handle}, R::None},
    }};
    return entries;
}

} // namespace

const NativeInfo* findNative(std::uint64_t hash) {
    const auto& entries = catalog();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [hash](const NativeInfo& info) { return info.hash == hash; });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace standin
