#pragma once

#include "settings/ini/ini_document.h"

#include <filesystem>
#include <fstream>

// Writes a document as a fresh INI file: CR LF between lines and none after the
// last, no blanks around "=", no blank lines, and "=" inside keys written as "\=".
class IniEmitter {
  public:
    // Creates or truncates the file; a failed open raises nothing and is
    // reported by emit.
    explicit IniEmitter(const std::filesystem::path& path);

    // Returns false when the file could not be opened or a write failed.
    bool emit(const IniDocument& document);

  private:
    std::ofstream file;
};
