#include "tests/settings/scratch_directory.h"

#include <random>
#include <string>

namespace {

std::filesystem::path createUniqueDirectory() {
    std::random_device seed;
    std::mt19937 numbers(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        const std::filesystem::path candidate =
            base / ("vaxo-settings-test-" + std::to_string(numbers()));
        if (std::filesystem::create_directory(candidate)) {
            return candidate;
        }
    }
}

} // namespace

ScratchDirectory::ScratchDirectory()
    : previous(std::filesystem::current_path()), path(createUniqueDirectory()) {
    std::filesystem::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(path, ignored);
}
