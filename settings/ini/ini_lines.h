#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The lines of a file without their line ends, stored back to back in one text,
// so that keeping a line costs no allocation of its own.
class IniLines {
  public:
    void reserveText(std::size_t bytes) { text.reserve(bytes); }

    void append(std::string_view line) {
        text.append(line);
        ends.push_back(text.size());
    }

    std::size_t size() const { return ends.size(); }

    std::string_view operator[](std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : ends[index - 1];
        return std::string_view(text).substr(start, ends[index] - start);
    }

  private:
    std::string text;
    std::vector<std::size_t> ends;
};
