#pragma once

// The natives Vaxo calls, as the stand-in host knows them: the name that
// throw/natives.h gives each, the kinds of its arguments and of its result.
// The hashes are written out again here rather than taken from the plug-in,
// so that a wrong hash there shows up as an unknown native.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

enum class ArgKind {
    Handle,
    Int,
    Control, // an Int that is an input-control hash, shown in hex
    Float,
    Text,        // pointer to NUL-terminated 8-bit text
    DisplayText, // a 64-bit value the host returned earlier
};

enum class ResultKind { None, Handle, Bool, DisplayText, Vector3 };

struct NativeInfo {
    std::uint64_t hash;
    std::string_view name;
    std::vector<ArgKind> args;
    ResultKind result;
};

namespace natives {
inline constexpr std::uint64_t playerPedId = 0x096275889B8E0EE0;
inline constexpr std::uint64_t isPedCarryingSomething = 0xA911EE21EDF69DAF;
inline constexpr std::uint64_t getFirstEntityPedIsCarrying = 0xD806CD2A4F2C2996;
inline constexpr std::uint64_t doesEntityExist = 0xD42BD6EB2E0F1677;
inline constexpr std::uint64_t detachCarriableEntity = 0xED00D72F81CF7278;
inline constexpr std::uint64_t clearPedTasks = 0xE1EF3C1216AFF2CD;
inline constexpr std::uint64_t setEntityDynamic = 0xFBFC4473F66CE344;
inline constexpr std::uint64_t activatePhysics = 0x710311ADF0E20730;
inline constexpr std::uint64_t getEntityForwardVector = 0x2412D9C05BB09B97;
inline constexpr std::uint64_t applyForceToEntityCenterOfMass = 0x31DA7CEC5334DB37;
inline constexpr std::uint64_t promptRegisterBegin = 0x04F97DE45A519419;
inline constexpr std::uint64_t promptSetControlAction = 0xB5352B7494A08258;
inline constexpr std::uint64_t varString = 0xFA925AC00EB830B9;
inline constexpr std::uint64_t promptSetText = 0x5DD02A8318420DD7;
inline constexpr std::uint64_t promptSetPriority = 0xCA24F528D0D16289;
inline constexpr std::uint64_t promptSetTransportMode = 0x876E4A35C73A6655;
inline constexpr std::uint64_t promptSetStandardMode = 0xCC6656799977741B;
inline constexpr std::uint64_t promptSetEnabled = 0x8A0FB4D03A630D21;
inline constexpr std::uint64_t promptSetVisible = 0x71215ACCFDE075EE;
inline constexpr std::uint64_t promptRegisterEnd = 0xF7AA2696A22AD8B9;
inline constexpr std::uint64_t promptGetGroupIdForTargetEntity = 0xB796970BD125FCE8;
inline constexpr std::uint64_t promptSetActiveGroupThisFrame = 0xC65A45D4453C2627;
inline constexpr std::uint64_t promptSetGroup = 0x2F11D3A254169EA4;
inline constexpr std::uint64_t promptHasStandardModeCompleted = 0xC92AC953F0A982AE;
inline constexpr std::uint64_t promptDelete = 0x00EDE88D4D13CF59;
} // namespace natives

// Every native the host knows. First the throw's, in the order of a pass that
// ends in one: the carrying checks, the release, then the push a frame later.
// Then the prompt's, in the order of its life: its creation, each frame's
// refresh and completion test, its removal; a native used in more than one
// stands at its first. The natives table of standin_host/README.md has the
// same rows in the same order, as tests/standin_host/native_table_test.cpp
// checks.
const std::vector<NativeInfo>& nativeCatalog();

// nullptr for a hash the host does not know.
const NativeInfo* findNative(std::uint64_t hash);

// The catalogue's name, or "native 0x..." for a hash it lacks.
std::string nativeName(std::uint64_t hash);

// The fault of a call to a hash the catalogue lacks, saying where it goes.
std::string unknownNative(std::uint64_t hash);

} // namespace standin
