#include "settings/ini/ini_parser.h"

#include "settings/ini/classify_line.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr auto none = std::string_view::npos;

// Appends text to line without its NUL and carriage-return bytes, which are
// dropped wherever they stand, so the text on either side of one joins.
void appendKeptBytes(std::string& line, std::string_view text) {
    for (;;) {
        const std::size_t dropped = std::min(text.find('\r'), text.find('\0'));
        line.append(text.substr(0, dropped));
        if (dropped == none) {
            return;
        }
        text.remove_prefix(dropped + 1);
    }
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
    const IniLines lines = readLines();
    for (std::size_t index = 0; index < lines.size(); ++index) {
        switch (classifyLine(lines[index], out)) {
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
    // After the mark only length - 3 bytes arrive; the NULs left at the end of
    // the buffer are dropped below like any other NUL.
    std::string buffer(static_cast<std::size_t>(length), '\0');
    file.seekg(hasByteOrderMark ? 3 : 0, std::ios::beg);
    file.read(buffer.data(), length);
    file.close();

    IniLines lines;
    if (length == 0) {
        return lines;
    }
    lines.reserveText(buffer.size());
    std::string line;
    line.reserve(50);
    // Whole stretches between line feeds go to the line at once, rather than
    // byte by byte.
    std::string_view rest(buffer);
    for (std::size_t lineFeed = rest.find('\n'); lineFeed != none; lineFeed = rest.find('\n')) {
        appendKeptBytes(line, rest.substr(0, lineFeed));
        lines.append(line);
        line.clear();
        rest.remove_prefix(lineFeed + 1);
    }
    appendKeptBytes(line, rest);
    lines.append(line);
    return lines;
}
