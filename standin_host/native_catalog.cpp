#include "standin_host/native_catalog.h"

#include "standin_host/value_text.h"

#include <algorithm>

namespace standin {

// Built at its first use, not at start-up: another file's static may look a
// native up before this file's statics exist.
const std::vector<NativeInfo>& nativeCatalog() {
    using A = ArgKind;
    using R = ResultKind;
    static const std::vector<NativeInfo> catalog = {
        {natives::playerPedId, "playerPedId", {}, R::Handle},
        {natives::isPedCarryingSomething, "isPedCarryingSomething", {A::Handle}, R::Bool},
        {natives::getFirstEntityPedIsCarrying,
         "getFirstEntityPedIsCarrying",
         {A::Handle},
         R::Handle},
        {natives::doesEntityExist, "doesEntityExist", {A::Handle}, R::Bool},
        {natives::detachCarriableEntity,
         "detachCarriableEntity",
         {A::Handle, A::Int, A::Int},
         R::None},
        {natives::clearPedTasks, "clearPedTasks", {A::Handle, A::Int, A::Int}, R::None},
        {natives::setEntityDynamic, "setEntityDynamic", {A::Handle, A::Int}, R::None},
        {natives::activatePhysics, "activatePhysics", {A::Handle}, R::None},
        {natives::getEntityForwardVector, "getEntityForwardVector", {A::Handle}, R::Vector3},
        {natives::applyForceToEntityCenterOfMass,
         "applyForceToEntityCenterOfMass",
         {A::Handle, A::Int, A::Float, A::Float, A::Float, A::Int, A::Int, A::Int, A::Int},
         R::None},
        {natives::promptRegisterBegin, "promptRegisterBegin", {}, R::Handle},
        {natives::promptSetControlAction,
         "promptSetControlAction",
         {A::Handle, A::Control},
         R::None},
        {natives::varString, "varString", {A::Int, A::Text, A::Text}, R::DisplayText},
        {natives::promptSetText, "promptSetText", {A::Handle, A::DisplayText}, R::None},
        {natives::promptSetPriority, "promptSetPriority", {A::Handle, A::Int}, R::None},
        {natives::promptSetTransportMode, "promptSetTransportMode", {A::Handle, A::Int}, R::None},
        {natives::promptSetStandardMode, "promptSetStandardMode", {A::Handle, A::Int}, R::None},
        {natives::promptSetEnabled, "promptSetEnabled", {A::Handle, A::Int}, R::None},
        {natives::promptSetVisible, "promptSetVisible", {A::Handle, A::Int}, R::None},
        {natives::promptRegisterEnd, "promptRegisterEnd", {A::Handle}, R::None},
        {natives::promptGetGroupIdForTargetEntity,
         "promptGetGroupIdForTargetEntity",
         {A::Handle},
         R::Handle},
        {natives::promptSetActiveGroupThisFrame,
         "promptSetActiveGroupThisFrame",
         {A::Handle, A::DisplayText, A::Int, A::Int, A::Int, A::Int},
         R::None},
        {natives::promptSetGroup, "promptSetGroup", {A::Handle, A::Handle, A::Int}, R::None},
        {natives::promptHasStandardModeCompleted,
         "promptHasStandardModeCompleted",
         {A::Handle, A::Int},
         R::Bool},
        {natives::promptDelete, "promptDelete", {A::Handle}, R::None},
    };
    return catalog;
}

const NativeInfo* findNative(std::uint64_t hash) {
    const std::vector<NativeInfo>& catalog = nativeCatalog();
    const auto found = std::find_if(catalog.begin(), catalog.end(),
                                    [hash](const NativeInfo& info) { return info.hash == hash; });
    return found == catalog.end() ? nullptr : &*found;
}

std::string nativeName(std::uint64_t hash) {
    const NativeInfo* info = findNative(hash);
    return info != nullptr ? std::string(info->name) : "native " + hashText(hash);
}

std::string unknownNative(std::uint64_t hash) {
    return "unknown native " + hashText(hash) +
           ": the stand-in host's catalogue, standin_host/native_catalog.*, lacks it";
}

} // namespace standin
