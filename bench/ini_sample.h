#pragma once

// Settings files for the parsing benchmarks, written the way people write them
// by hand: comments, blank lines, sections of mixed-case keys with spaces in
// them and around the "=", and CR LF line ends.

#include <cstddef>
#include <filesystem>
#include <string>

struct IniSample {
    std::filesystem::path path;
    std::size_t bytes;
    // A key of the file's last section and its value, which every parser must
    // find to show that it read the whole file.
    std::string lastSection;
    std::string lastKey;
    std::string lastValue;
};

// The sample of at least approximateBytes bytes, written on first use into a
// temporary folder that goes when the program ends.
const IniSample& iniSample(std::size_t approximateBytes);

// That temporary folder.
const std::filesystem::path& sampleFolder();
