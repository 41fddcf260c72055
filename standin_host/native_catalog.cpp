#include "standin_host/native_catalog.h"

#include <algorithm>
#include <array>

namespace standin {
namespace {

using A = ArgKind;
using R = ResultKind;

const std::array<NativeInfo, 25>& catalog() {
    static const std::array<NativeInfo, 25> entries{{
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
