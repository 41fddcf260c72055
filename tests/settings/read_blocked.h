#pragma once

#include <filesystem>
#include <functional>

// Runs action while the existing file can be opened for writing but not for
// reading, as when another program holds it or the reader lacks the right.
void whileReadBlocked(const std::filesystem::path& file, const std::function<void()>& action);
