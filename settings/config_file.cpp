#include "settings/config_file.h"

#include "settings/ini/ini_emitter.h"
#include "settings/ini/ini_parser.h"

#include <utility>

ConfigFile::ConfigFile(std::filesystem::path settingsPath) : path(std::move(settingsPath)) {}

bool ConfigFile::read(IniDocument& document) const {
    return IniParser(path).parse(document);
}

void ConfigFile::generate(const IniDocument& document) const {
    IniEmitter(path).emit(document);
}
