#include "settings/exists_error.h"
#include "settings/settings_file_exists.h"

#define WIN32_LEAN_AND_MEAN
#include <string>
#include <windows.h>

namespace {

bool meansMissing(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_NETNAME_DELETED:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return true;
    default:
        return false;
    }
}

// The entry's own attributes, or the error code of the query. A file locked
// against sharing refuses the query, but its directory entry still lists it.
DWORD queryAttributes(const std::filesystem::path& path, DWORD& attributes) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        attributes = data.dwFileAttributes;
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION) {
        return error;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    FindClose(search);
    attributes = found.dwFileAttributes;
    return ERROR_SUCCESS;
}

// Opening a link reaches its final target, or fails when there is none.
DWORD reachFinalTarget(const std::filesystem::path& path) {
    const HANDLE target = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    CloseHandle(target);
    return ERROR_SUCCESS;
}

// The system's text for code, without the line break it ends in.
std::string systemText(DWORD code) {
    char text[512];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    if (length == 0) {
        return std::system_category().message(static_cast<int>(code));
    }
    std::string message(text, length);
    message.erase(message.find_last_not_of(" \r\n") + 1);
    return message;
}

} // namespace

bool settingsFileExists(const std::filesystem::path& path) {
    DWORD attributes = 0;
    DWORD error = queryAttributes(path, attributes);
    if (error == ERROR_SUCCESS && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        error = reachFinalTarget(path);
    }
    if (error == ERROR_SUCCESS) {
        return true;
    }
    if (meansMissing(error)) {
        return false;
    }
    const int code = static_cast<int>(error);
    throw ExistsError(path, std::error_code(code, std::system_category()), systemText(error));
}
