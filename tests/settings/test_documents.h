#pragma once

#include "settings/ini/ini_document.h"

#include <string>
#include <utility>
#include <vector>

using SectionContents = std::vector<std::pair<std::string, std::string>>;

// Builds a document by inserting sections and keys in the order given.
IniDocument makeDocument(const std::vector<std::pair<std::string, SectionContents>>& sections);

// One line per section and per key, every text quoted, with '"' and '\' escaped
// by a backslash and bytes outside printable ASCII written as \xNN:
//   section "settings"
//     "forwardforce" = "15.0"
std::string dumpDocument(const IniDocument& document);
