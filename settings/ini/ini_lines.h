#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// A file's lines without their line ends, handed out one at a time from the
// very buffer the file was read into. Carriage returns and NULs, dropped
// wherever they stand, are squeezed out of each line in place, so that reading
// the lines takes no memory beyond the file's bytes.
class IniLines {
  public:
    // No lines at all, as an empty file has.
    IniLines() = default;
    // The lines of text's first size bytes: one more than they hold line
    // feeds, so at least one, even when size is 0.
    IniLines(std::unique_ptr<char[]> text, std::size_t size);

    // Sets line to the next line and returns true, or returns false once every
    // line has been handed out. A line lives as long as this does.
    bool next(std::string_view& line);

  private:
    std::unique_ptr<char[]> text;
    std::size_t size = 0;
    std::size_t nextStart = 0;
    bool allHandedOut = true;
};
