#pragma once

#include <filesystem>
#include <string>
#include <system_error>

// The error of a failed existence test. Its message reads
// exists: <system text>: "<path>"
class ExistsError : public std::filesystem::filesystem_error {
  public:
    ExistsError(const std::filesystem::path& path, std::error_code code,
                const std::string& systemText);

    const char* what() const noexcept override;

  private:
    std::string message;
};
