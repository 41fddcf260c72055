#include "tests/settings/read_blocked.h"

#include <exception>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr uid_t nobodyUid = 65534;

// Root reads any file whatever its mode, so the action runs as nobody.
class EffectiveUserNobody {
  public:
    EffectiveUserNobody() : wasRoot(geteuid() == 0) {
        if (wasRoot && seteuid(nobodyUid) != 0) {
            throw std::runtime_error("cannot become nobody");
        }
    }
    ~EffectiveUserNobody() {
        if (wasRoot && seteuid(0) != 0) {
            std::terminate();
        }
    }
    EffectiveUserNobody(const EffectiveUserNobody&) = delete;
    EffectiveUserNobody& operator=(const EffectiveUserNobody&) = delete;

  private:
    bool wasRoot;
};

} // namespace

void whileReadBlocked(const std::filesystem::path& file, const std::function<void()>& action) {
    using std::filesystem::perms;
    const std::filesystem::path directory = std::filesystem::absolute(file).parent_path();
    std::filesystem::permissions(directory,
                                 perms::owner_all | perms::group_exec | perms::others_exec);
    std::filesystem::permissions(file,
                                 perms::owner_write | perms::group_write | perms::others_write);
    {
        EffectiveUserNobody asNobody;
        action();
    }
    std::filesystem::permissions(file, perms::owner_read | perms::owner_write);
}
