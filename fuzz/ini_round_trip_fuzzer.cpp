// Any bytes as a settings file: parse it, emit the document, parse the emitted
// file, emit again.
//
// Always: both parses succeed; the second document has the first one's sections
// in the same order; no section gains entries; every value read back is part of
// a value of the same section in the first document; every key read back is a
// key of that section, or grew out of one that ends in a backslash.
//
// When no key of the first document ends in a backslash (see round_trip_rules.h
// for why nothing else can go wrong), the second document equals the first and
// the second emit gives the first emit's bytes exactly.

#include "fuzz/fuzz_support.h"
#include "fuzz/round_trip_rules.h"
#include "settings/ini/ini_emitter.h"
#include "settings/ini/ini_parser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

// Every input writes and reads three files: on a disk-backed temporary folder
// that costs twenty times the fuzzing speed of a memory-backed one.
std::filesystem::path scratchRoot() {
    std::error_code ignored;
    const std::filesystem::path memoryBacked = "/dev/shm";
    if (std::filesystem::is_directory(memoryBacked, ignored)) {
        return memoryBacked;
    }
    return std::filesystem::temp_directory_path();
}

// One folder per process, so that parallel fuzzing jobs keep their files apart.
class ScratchFiles {
  public:
    ScratchFiles() : folder(scratchRoot() / ("vaxo-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder);
    }
    ~ScratchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    const std::filesystem::path folder;
    const std::filesystem::path input = folder / "input.ini";
    const std::filesystem::path emitted = folder / "emitted.ini";
};

void writeBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

IniDocument parsed(const std::filesystem::path& path) {
    IniDocument document;
    require(IniParser(path).parse(document), "a readable file parses");
    return document;
}

std::string emitToBytes(const IniDocument& document, const std::filesystem::path& path) {
    require(IniEmitter(path).emit(document), "a writable file takes the document");
    return readBytes(path);
}

std::size_t entryCount(const IniSection& section) {
    return static_cast<std::size_t>(std::distance(section.begin(), section.end()));
}

bool isPartOfSomeValue(const std::string& value, const IniSection& section) {
    for (const auto& entry : section) {
        if (entry.second.find(value) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool isKeyOrGrownKey(const std::string& key, const IniSection& section) {
    for (const auto& entry : section) {
        if (key == entry.first ||
            (!keyRoundTrips(entry.first) && startsWith(key, grownKeyPrefix(entry.first)))) {
            return true;
        }
    }
    return false;
}

void checkReadBackWithin(const IniDocument& first, const IniDocument& second) {
    auto original = first.begin();
    for (const auto& [name, section] : second) {
        require(original != first.end() && original->first == name,
                "sections come back with the same names in the same order");
        require(entryCount(section) <= entryCount(original->second), "no section gains entries");
        for (const auto& [key, value] : section) {
            require(isKeyOrGrownKey(key, original->second), "keys come from the first document");
            require(isPartOfSomeValue(value, original->second),
                    "values come from the first document");
        }
        ++original;
    }
    require(original == first.end(), "no section is lost");
}

bool allKeysRoundTrip(const IniDocument& document) {
    for (const auto& section : document) {
        for (const auto& entry : section.second) {
            if (!keyRoundTrips(entry.first)) {
                return false;
            }
        }
    }
    return true;
}

bool sameDocument(const IniDocument& left, const IniDocument& right) {
    auto other = right.begin();
    for (const auto& [name, section] : left) {
        if (other == right.end() || other->first != name ||
            !std::equal(section.begin(), section.end(), other->second.begin(),
                        other->second.end())) {
            return false;
        }
        ++other;
    }
    return other == right.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFiles files;
    writeBytes(files.input, data, size);

    const IniDocument first = parsed(files.input);
    const std::string firstEmit = emitToBytes(first, files.emitted);
    const IniDocument second = parsed(files.emitted);

    checkReadBackWithin(first, second);
    if (allKeysRoundTrip(first)) {
        require(sameDocument(first, second), "the emitted file reads back as the same document");
        require(emitToBytes(second, files.emitted) == firstEmit,
                "the read-back document emits the same bytes");
    }
    return 0;
}
