#include "settings/ini/ini_emitter.h"

#include "settings/ini/whitespace.h"

#include <cstddef>
#include <string>

namespace {

constexpr const char* lineBreak = "\r\n";

std::string escapeKey(std::string key) {
    std::size_t position = key.find('=');
    while (position != std::string::npos) {
        key.insert(position, 1, '\\');
        position = key.find('=', position + 2);
    }
    return key;
}

std::string trimmedValue(std::string value) {
    trimWhitespace(value);
    return value;
}

} // namespace

IniEmitter::IniEmitter(const std::filesystem::path& path) {
    file.open(path, std::ios::out | std::ios::binary);
}

bool IniEmitter::emit(const IniDocument& document) {
    if (!file.is_open()) {
        return false;
    }
    bool firstSection = true;
    for (const auto& [name, section] : document) {
        if (!firstSection) {
            file << lineBreak;
        }
        firstSection = false;
        file << '[' << name << ']';
        for (const auto& [key, value] : section) {
            file << lineBreak << escapeKey(key) << '=' << trimmedValue(value);
        }
    }
    file.flush();
    return !file.fail();
}
