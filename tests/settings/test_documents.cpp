#include "tests/settings/test_documents.h"

#include <cstdio>

namespace {

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '"' || byte == '\\') {
            result += '\\';
            result += byte;
        } else if (code >= 0x20 && code < 0x7F) {
            result += byte;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", code);
            result += escape;
        }
    }
    return result + "\"";
}

} // namespace

IniDocument makeDocument(const std::vector<std::pair<std::string, SectionContents>>& sections) {
    IniDocument document;
    for (const auto& [name, contents] : sections) {
        IniSection& section = document.getOrInsert(name);
        for (const auto& [key, value] : contents) {
            section.getOrInsert(key) = value;
        }
    }
    return document;
}

std::string dumpDocument(const IniDocument& document) {
    std::string dump;
    for (const auto& [name, section] : document) {
        dump += "section " + quoted(name) + "\n";
        for (const auto& [key, value] : section) {
            dump += "  " + quoted(key) + " = " + quoted(value) + "\n";
        }
    }
    return dump;
}
