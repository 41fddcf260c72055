// Any bytes as one line: the verdict must agree with the line's trimmed shape,
// and what a SectionHeader or an Assignment yields must read back the same once
// written the way the emitter writes it.

#include "fuzz/fuzz_support.h"
#include "fuzz/round_trip_rules.h"
#include "settings/ini/classify_line.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void checkHeader(const ParsedLine& out) {
    require(out.value.empty(), "a header leaves the value empty");
    require(out.name.find(';') == std::string::npos, "a section name holds no ';'");
    require(isTrimmed(out.name), "a section name is trimmed");

    ParsedLine again;
    require(classifyLine('[' + out.name + ']', again) == LineKind::SectionHeader &&
                again.name == out.name,
            "a written header reads back as the same section");
}

void checkAssignment(const ParsedLine& out) {
    require(isTrimmed(out.name) && isTrimmed(out.value), "key and value are trimmed");
    require(out.name.empty() || out.name.front() != ';', "a key never starts a comment");

    ParsedLine again;
    const LineKind kind = classifyLine(entryLine(out.name, out.value), again);
    if (keyRoundTrips(out.name)) {
        require(kind == LineKind::Assignment && again.name == out.name && again.value == out.value,
                "a written entry reads back as the same key and value");
    } else {
        require(
            kind == LineKind::Unrecognised ||
                (kind == LineKind::Assignment && startsWith(again.name, grownKeyPrefix(out.name))),
            "a key ending in a backslash is lost or grows into the value");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::string trimmed = trimmedCopy(line);
    ParsedLine out{"stale name", "stale value"};

    const LineKind kind = classifyLine(line, out);

    require((kind == LineKind::Blank) == trimmed.empty(), "Blank exactly for blank lines");
    require((kind == LineKind::Comment) == (!trimmed.empty() && trimmed.front() == ';'),
            "Comment exactly for lines starting with ';'");
    switch (kind) {
    case LineKind::SectionHeader:
        require(trimmed.front() == '[', "a header starts with '['");
        checkHeader(out);
        break;
    case LineKind::Assignment:
        checkAssignment(out);
        break;
    case LineKind::Blank:
    case LineKind::Comment:
    case LineKind::Unrecognised:
        require(out.name.empty() && out.value.empty(), "no fields without a header or entry");
        break;
    }
    return 0;
}
