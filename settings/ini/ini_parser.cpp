#include "settings/ini/ini_parser.h"

#include "settings/ini/classify_line.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <system_error>
#include <vector>

IniParser::IniParser(const std::filesystem::path& path) {
    // POSIX lets a directory be opened for reading; Windows refuses, and so do we.
    std::error_code ignored;
    if (!std::filesystem::is_directory(path, ignored)) {
        file.open(path, std::ios::in | std::ios::binary);
    }
}

bool IniParser::parse(IniDocument& document) {
    if (!file.is_open()) {
        return false;
    }
    std::string currentSection;
    bool inSection = false;
    ParsedLine out;
    for (const std::string& line : readLines()) {
        switch (classifyLine(line, out)) {
        case LineKind::SectionHeader:
            currentSection = out.name;
            inSection = true;
            document.getOrInsert(currentSection);
            break;
        case LineKind::Assignment:
            if (inSection) {
                document.getOrInsert(currentSection).getOrInsert(out.name) = out.value;
            }
            break;
        case LineKind::Blank:
        case LineKind::Comment:
        case LineKind::Unrecognised:
            break;
        }
    }
    return true;
}

std::vector<std::string> IniParser::readLines() {
    file.seekg(0, std::ios::end);
    // An unseekable file reports -1; it is read as empty.
    const std::streamoff length = std::max<std::streamoff>(file.tellg(), 0);
    file.seekg(0, std::ios::beg);

    if (length >= 3) {
        char mark[3] = {};
        file.read(mark, 3);
        hasByteOrderMark = mark[0] == '\xEF' && mark[1] == '\xBB' && mark[2] == '\xBF';
    }
    // After the mark only length - 3 bytes arrive; the NULs left at the end of
    // the buffer are dropped below like any other NUL.
    std::string buffer(static_cast<std::size_t>(length), '\0');
    file.seekg(hasByteOrderMark ? 3 : 0, std::ios::beg);
    file.read(buffer.data(), length);
    file.close();

    std::vector<std::string> lines;
    if (length == 0) {
        return lines;
    }
    std::string line;
    line.reserve(50);
    for (const char byte : buffer) {
        if (byte == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (byte != '\0' && byte != '\r') {
            line.push_back(byte);
        }
    }
    lines.push_back(line);
    return lines;
}
