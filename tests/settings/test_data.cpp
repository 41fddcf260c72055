#include "tests/settings/test_data.h"

namespace {
const std::filesystem::path dataDirectory = std::filesystem::absolute(SETTINGS_TEST_DATA);
}

const std::filesystem::path& testDataDirectory() {
    return dataDirectory;
}
