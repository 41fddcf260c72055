#include "tests/settings/read_blocked.h"

#define WIN32_LEAN_AND_MEAN
#include <stdexcept>
#include <windows.h>

namespace {

// A handle that writes and lets others write, but denies them reading.
class WriteOnlyHolder {
  public:
    explicit WriteOnlyHolder(const std::filesystem::path& file)
        : handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle == INVALID_HANDLE_VALUE) {
            throw std::runtime_error("cannot hold " + file.string());
        }
    }
    ~WriteOnlyHolder() { CloseHandle(handle); }
    WriteOnlyHolder(const WriteOnlyHolder&) = delete;
    WriteOnlyHolder& operator=(const WriteOnlyHolder&) = delete;

  private:
    HANDLE handle;
};

} // namespace

void whileReadBlocked(const std::filesystem::path& file, const std::function<void()>& action) {
    WriteOnlyHolder holder(file);
    action();
}
