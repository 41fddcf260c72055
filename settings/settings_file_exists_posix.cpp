#include "settings/exists_error.h"
#include "settings/settings_file_exists.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

bool meansMissing(int error) {
    return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG;
}

} // namespace

bool settingsFileExists(const std::filesystem::path& path) {
    struct stat status{};
    if (stat(path.c_str(), &status) == 0) {
        return true;
    }
    const int error = errno;
    if (meansMissing(error)) {
        return false;
    }
    const std::error_code code(error, std::system_category());
    throw ExistsError(path, code, code.message());
}
