#pragma once

#include <filesystem>

// The absolute path of tests/settings/data, fixed before any test changes the
// working directory.
const std::filesystem::path& testDataDirectory();
