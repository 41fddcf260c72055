#include "settings/settings_loader.h"

#include "settings/config_file.h"
#include "settings/settings_file_exists.h"
#include "settings/throw_settings.h"
#include "settings/to_float.h"

#include <filesystem>

namespace {

constexpr const char* settingsFileName = "Vaxo.ini";
constexpr const char* sectionName = "settings";
constexpr const char* forwardForceKey = "forwardForce";
constexpr const char* upForceKey = "upForce";
constexpr const char* defaultForwardForce = "15.0";
constexpr const char* defaultUpForce = "5.0";

void generateDefaultFile(const std::filesystem::path& path) {
    IniDocument document;
    document.getOrInsert(sectionName).getOrInsert(forwardForceKey) = defaultForwardForce;
    document.getOrInsert(sectionName).getOrInsert(upForceKey) = defaultUpForce;
    ConfigFile(path).generate(document);
}

} // namespace

void loadSettings() {
    const std::filesystem::path path(settingsFileName);
    if (!settingsFileExists(path)) {
        generateDefaultFile(path);
        return;
    }
    // A file that exists but cannot be read is left alone rather than replaced:
    // it may be the player's own settings, briefly locked.
    IniDocument document;
    if (!ConfigFile(path).read(document)) {
        return;
    }
    // Each force is stored as soon as it converts, so a bad upForce still leaves
    // the new forwardForce in place.
    throwSettings.forwardForce =
        toFloat(document.getOrInsert(sectionName).getCopy(forwardForceKey));
    throwSettings.upForce = toFloat(document.getOrInsert(sectionName).getCopy(upForceKey));
}
