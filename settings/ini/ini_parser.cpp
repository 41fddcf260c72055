#include "settings/ini/ini_parser.h"

#include "settings/ini/classify_line.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

IniParser::IniParser(const std::filesystem::path& path) {
#ifndef _WIN32
    // POSIX lets a directory be opened for reading; Windows refuses, and so do
    // we. Asking on Windows too would only link 64 KB of std::filesystem into
    // the plug-in.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return;
    }
#endif
    // The whole file is read at once into memory, so the stream's own buffer
    // would only add a copy.
    file.rdbuf()->pubsetbuf(nullptr, 0);
    file.open(path, std::ios::in | std::ios::binary);
}

bool IniParser::parse(IniDocument& document) {
    if (!file.is_open()) {
        return false;
    }
    std::string currentSection;
    bool inSection = false;
    ParsedLine out;
    IniLines lines = readLines();
    for (std::string_view line; lines.next(line);) {
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

IniLines IniParser::readLines() {
    file.seekg(0, std::ios::end);
    // An unseekable file reports -1; it is read as empty.
    const std::streamoff length = std::max<std::streamoff>(file.tellg(), 0);
    file.seekg(0, std::ios::beg);

    if (length >= 3) {
        char mark[3] = {};
        file.read(mark, 3);
        hasByteOrderMark = mark[0] == '\xEF' && mark[1] == '\xBB' && mark[2] == '\xBF';
    }
    // After the mark only length - 3 bytes arrive, and fewer if the file shrank
    // meanwhile; the lines are made of those that did.
    auto text = std::unique_ptr<char[]>(new char[static_cast<std::size_t>(length)]);
    file.seekg(hasByteOrderMark ? 3 : 0, std::ios::beg);
    file.read(text.get(), length);
    const auto arrived = static_cast<std::size_t>(file.gcount());
    file.close();

    if (length == 0) {
        return IniLines();
    }
    return IniLines(std::move(text), arrived);
}
