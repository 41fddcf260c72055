#pragma once

#include "settings/ini/ordered_key_map.h"

#include <string>

// The keys and value texts of one section.
using IniSection = OrderedKeyMap<std::string>;

// The sections of one INI file by name.
using IniDocument = OrderedKeyMap<IniSection>;
