#pragma once

#include "settings/ini/ini_document.h"

#include <filesystem>

// The settings file at one path, read and written whole.
class ConfigFile {
  public:
    explicit ConfigFile(std::filesystem::path settingsPath);

    // Adds the file's contents to document; false when the file cannot be opened.
    bool read(IniDocument& document) const;

    // Replaces the file with document. The file is complete and closed on return;
    // a failed write goes unreported.
    void generate(const IniDocument& document) const;

  private:
    std::filesystem::path path;
};
