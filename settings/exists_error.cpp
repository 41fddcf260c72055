#include "settings/exists_error.h"

ExistsError::ExistsError(const std::filesystem::path& path, std::error_code code,
                         const std::string& systemText)
    : std::filesystem::filesystem_error("exists", path, code),
      message("exists: " + systemText + ": \"" + path.string() + "\"") {}

const char* ExistsError::what() const noexcept {
    return message.c_str();
}
