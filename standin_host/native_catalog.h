#pragma once

// The natives Vaxo calls, as the stand-in host knows them: a short name of our
// own for what each does, the kinds of its arguments and the kind of its result.

#include <cstddef>
#include <cstdint>
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
inline constexpr std::uint64_t playerCharacter = 0x096275889B8E0EE0;
inline constexpr std::uint64_t isCarrying = 0xA911EE21EDF69DAF;
inline constexpr std::uint64_t carriedEntity = 0xD806CD2A4F2C2996;
inline constexpr std::uint64_t entityCheck = 0xD42BD6EB2E0F1677;
inline constexpr std::uint64_t release1 = 0xED00D72F81CF7278;
inline constexpr std::uint64_t release2 = 0xE1EF3C1216AFF2CD;
inline constexpr std::uint64_t release3 = 0xFBFC4473F66CE344;
inline constexpr std::uint64_t release4 = 0x710311ADF0E20730;
inline constexpr std::uint64_t forwardVector = 0x2412D9C05BB09B97;
inline constexpr std::uint64_t applyForce = 0x31DA7CEC5334DB37;
inline constexpr std::uint64_t newPrompt = 0x04F97DE45A519419;
inline constexpr std::uint64_t promptSetControl = 0xB5352B7494A08258;
inline constexpr std::uint64_t displayText = 0xFA925AC00EB830B9;
inline constexpr std::uint64_t promptSetLabel = 0x5DD02A8318420DD7;
inline constexpr std::uint64_t promptOption1 = 0xCA24F528D0D16289;
inline constexpr std::uint64_t promptOption2 = 0x876E4A35C73A6655;
inline constexpr std::uint64_t promptOption3 = 0xCC6656799977741B;
inline constexpr std::uint64_t promptSetEnabled = 0x8A0FB4D03A630D21;
inline constexpr std::uint64_t promptSetVisible = 0x71215ACCFDE075EE;
inline constexpr std::uint64_t promptFinishSetup = 0xF7AA2696A22AD8B9;
inline constexpr std::uint64_t promptGroupOf = 0xB796970BD125FCE8;
inline constexpr std::uint64_t activatePromptGroup = 0xC65A45D4453C2627;
inline constexpr std::uint64_t promptSetGroup = 0x2F11D3A254169EA4;
inline constexpr std::uint64_t promptCompleted = 0xC92AC953F0A982AE;
inline constexpr std::uint64_t deletePrompt = 0x00EDE88D4D13CF59;
} // namespace natives

// nullptr for a hash the host does not know.
const NativeInfo* findNative(std::uint64_t hash);

} // namespace standin
