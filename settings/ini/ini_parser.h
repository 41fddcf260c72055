#pragma once

#include "settings/ini/ini_document.h"
#include "settings/ini/ini_lines.h"

#include <filesystem>
#include <fstream>

// Reads one INI file, once, into a document. No content makes it fail: lines it
// does not recognise are skipped, and the only failure it reports is a file that
// cannot be opened.
class IniParser {
  public:
    // Opens the file for reading in binary mode; a file that cannot be opened
    // leaves the parser without one and raises nothing.
    explicit IniParser(const std::filesystem::path& path);
    IniParser(const IniParser&) = delete;
    IniParser& operator=(const IniParser&) = delete;

    // Adds the file's sections and keys to document and returns true; returns
    // false, leaving document as it was, when there is no open file to read.
    bool parse(IniDocument& document);

  private:
    IniLines readLines();

    std::ifstream file;
};
