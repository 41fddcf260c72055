#pragma once

// The game natives the throw feature calls, by the hashes the host knows them
// by. Each name is the public catalogue's, in camelCase without its namespace
// or the "_UI_" of the prompt natives; the comment gives the catalogue's entry,
// whose "_" marks a name the community gave.

#include <cstdint>

namespace natives {

// PLAYER::PLAYER_PED_ID() -> Ped
constexpr std::uint64_t playerPedId = 0x096275889B8E0EE0;
// PED::IS_PED_CARRYING_SOMETHING(Ped ped) -> BOOL
constexpr std::uint64_t isPedCarryingSomething = 0xA911EE21EDF69DAF;
// PED::_GET_FIRST_ENTITY_PED_IS_CARRYING(Ped ped) -> Entity
constexpr std::uint64_t getFirstEntityPedIsCarrying = 0xD806CD2A4F2C2996;
// ENTITY::DOES_ENTITY_EXIST(Entity entity) -> BOOL
constexpr std::uint64_t doesEntityExist = 0xD42BD6EB2E0F1677;
// ENTITY::GET_ENTITY_FORWARD_VECTOR(Entity entity) -> Vector3
constexpr std::uint64_t getEntityForwardVector = 0x2412D9C05BB09B97;
// ENTITY::APPLY_FORCE_TO_ENTITY_CENTER_OF_MASS(Entity entity, int forceType,
//     float x, float y, float z, int component, BOOL isDirectionRel,
//     BOOL isForceRel, BOOL p8)
constexpr std::uint64_t applyForceToEntityCenterOfMass = 0x31DA7CEC5334DB37;

// PED::DETACH_CARRIABLE_ENTITY(Entity entity, BOOL p1, BOOL p2)
constexpr std::uint64_t detachCarriableEntity = 0xED00D72F81CF7278;
// TASK::CLEAR_PED_TASKS(Ped ped, BOOL p1, BOOL p2)
constexpr std::uint64_t clearPedTasks = 0xE1EF3C1216AFF2CD;
// ENTITY::SET_ENTITY_DYNAMIC(Entity entity, BOOL toggle)
constexpr std::uint64_t setEntityDynamic = 0xFBFC4473F66CE344;
// PHYSICS::ACTIVATE_PHYSICS(Entity entity)
constexpr std::uint64_t activatePhysics = 0x710311ADF0E20730;

// HUD::_UI_PROMPT_REGISTER_BEGIN() -> Prompt
constexpr std::uint64_t promptRegisterBegin = 0x04F97DE45A519419;
// HUD::_UI_PROMPT_SET_CONTROL_ACTION(Prompt prompt, Hash action)
constexpr std::uint64_t promptSetControlAction = 0xB5352B7494A08258;
// MISC::VAR_STRING(int flags, ...) -> const char*
constexpr std::uint64_t varString = 0xFA925AC00EB830B9;
// HUD::_UI_PROMPT_SET_TEXT(Prompt prompt, const char* text)
constexpr std::uint64_t promptSetText = 0x5DD02A8318420DD7;
// HUD::_UI_PROMPT_SET_PRIORITY(Prompt prompt, int priority)
constexpr std::uint64_t promptSetPriority = 0xCA24F528D0D16289;
// HUD::_UI_PROMPT_SET_TRANSPORT_MODE(Prompt prompt, int mode)
constexpr std::uint64_t promptSetTransportMode = 0x876E4A35C73A6655;
// HUD::_UI_PROMPT_SET_STANDARD_MODE(Prompt prompt, BOOL releaseMode)
constexpr std::uint64_t promptSetStandardMode = 0xCC6656799977741B;
// HUD::_UI_PROMPT_SET_ENABLED(Prompt prompt, BOOL toggle)
constexpr std::uint64_t promptSetEnabled = 0x8A0FB4D03A630D21;
// HUD::_UI_PROMPT_SET_VISIBLE(Prompt prompt, BOOL toggle)
constexpr std::uint64_t promptSetVisible = 0x71215ACCFDE075EE;
// HUD::_UI_PROMPT_REGISTER_END(Prompt prompt)
constexpr std::uint64_t promptRegisterEnd = 0xF7AA2696A22AD8B9;
// HUD::_UI_PROMPT_GET_GROUP_ID_FOR_TARGET_ENTITY(Entity entity) -> int
constexpr std::uint64_t promptGetGroupIdForTargetEntity = 0xB796970BD125FCE8;
// HUD::_UI_PROMPT_SET_ACTIVE_GROUP_THIS_FRAME(Hash group, const char* name,
//     int tabAmount, int tabDefaultIndex, int p4, Prompt prompt)
constexpr std::uint64_t promptSetActiveGroupThisFrame = 0xC65A45D4453C2627;
// HUD::_UI_PROMPT_SET_GROUP(Prompt prompt, int groupId, int tabIndex)
constexpr std::uint64_t promptSetGroup = 0x2F11D3A254169EA4;
// HUD::_UI_PROMPT_HAS_STANDARD_MODE_COMPLETED(Prompt prompt, int p1) -> BOOL
constexpr std::uint64_t promptHasStandardModeCompleted = 0xC92AC953F0A982AE;
// HUD::_UI_PROMPT_DELETE(Prompt prompt)
constexpr std::uint64_t promptDelete = 0x00EDE88D4D13CF59;

} // namespace natives
