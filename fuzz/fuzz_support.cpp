#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr const char* whitespaceBytes = " \t\n\r\f\v";
}

void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

std::string trimmedCopy(const std::string& text) {
    const auto first = text.find_first_not_of(whitespaceBytes);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(whitespaceBytes) - first + 1);
}

bool isTrimmed(const std::string& text) {
    return trimmedCopy(text) == text;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}
