#include "settings/ini/ini_parser.h"

#include "settings/ini/classify_line.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace {

// UTF-8's mark, or UTF-16's in either byte order: ASCII text saved as UTF-16
// reads as written once the mark is gone, since every NUL is dropped.
std::size_t byteOrderMarkSizeOf(const char* start, std::size_t size) {
    const std::string_view bytes(start, size);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return 3;
    }
    const std::string_view firstTwo = bytes.substr(0, 2);
    return firstTwo == "\xFF\xFE" || firstTwo == "\xFE\xFF" ? 2 : 0;
}

} // namespace

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

    // A file of two bytes may still be a UTF-16 mark; reading three would fail
    // the stream.
    char mark[3] = {};
    file.read(mark, std::min<std::streamoff>(length, 3));
    const std::size_t byteOrderMarkSize =
        byteOrderMarkSizeOf(mark, static_cast<std::size_t>(file.gcount()));
    // After the mark fewer bytes arrive, and fewer still if the file shrank
    // meanwhile; the lines are made of those that did.
    auto text = std::unique_ptr<char[]>(new char[static_cast<std::size_t>(length)]);
    file.seekg(static_cast<std::streamoff>(byteOrderMarkSize), std::ios::beg);
    file.read(text.get(), length);
    const auto arrived = static_cast<std::size_t>(file.gcount());
    file.close();

    if (length == 0) {
        return IniLines();
    }
    return IniLines(std::move(text), arrived);
}
