#pragma once

// The game natives the throw feature calls, by the hashes the host knows them by.

#include <cstdint>

namespace natives {

constexpr std::uint64_t playerCharacter = 0x096275889B8E0EE0;
constexpr std::uint64_t isCarrying = 0xA911EE21EDF69DAF;
constexpr std::uint64_t carriedEntity = 0xD806CD2A4F2C2996;
constexpr std::uint64_t entityCheck = 0xD42BD6EB2E0F1677;
constexpr std::uint64_t forwardVector = 0x2412D9C05BB09B97;
constexpr std::uint64_t applyForce = 0x31DA7CEC5334DB37;

constexpr std::uint64_t release1 = 0xED00D72F81CF7278;
constexpr std::uint64_t release2 = 0xE1EF3C1216AFF2CD;
constexpr std::uint64_t release3 = 0xFBFC4473F66CE344;
constexpr std::uint64_t release4 = 0x710311ADF0E20730;

constexpr std::uint64_t newPrompt = 0x04F97DE45A519419;
constexpr std::uint64_t promptSetControl = 0xB5352B7494A08258;
constexpr std::uint64_t displayText = 0xFA925AC00EB830B9;
constexpr std::uint64_t promptSetLabel = 0x5DD02A8318420DD7;
constexpr std::uint64_t promptOption1 = 0xCA24F528D0D16289;
constexpr std::uint64_t promptOption2 = 0x876E4A35C73A6655;
constexpr std::uint64_t promptOption3 = 0xCC6656799977741B;
constexpr std::uint64_t promptSetEnabled = 0x8A0FB4D03A630D21;
constexpr std::uint64_t promptSetVisible = 0x71215ACCFDE075EE;
constexpr std::uint64_t promptFinishSetup = 0xF7AA2696A22AD8B9;
constexpr std::uint64_t promptGroupOf = 0xB796970BD125FCE8;
constexpr std::uint64_t activatePromptGroup = 0xC65A45D4453C2627;
constexpr std::uint64_t promptSetGroup = 0x2F11D3A254169EA4;
constexpr std::uint64_t promptCompleted = 0xC92AC953F0A982AE;
constexpr std::uint64_t deletePrompt = 0x00EDE88D4D13CF59;

} // namespace natives
