#pragma once

#include <filesystem>

// Whether an entry of any kind (file, directory, link) exists at path, following
// links to their final target. A missing entry, a missing directory on the way
// and a malformed name all mean "does not exist"; any other failure of the
// query raises ExistsError.
bool settingsFileExists(const std::filesystem::path& path);
