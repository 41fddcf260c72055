#include "settings/settings_file_exists.h"
#include "tests/settings/file_bytes.h"
#include "tests/settings/scratch_directory.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

TEST(SettingsFileExists, AnyEntryExistsAndMissingOrMalformedPathsDoNot) {
    ScratchDirectory scratch;
    writeBytes("file.ini", "");
    std::filesystem::create_directory("directory.ini");

    const std::vector<std::pair<std::string, bool>> cases = {
        {"file.ini", true},          {"directory.ini", true},      {"missing.ini", false},
        {"missing/Vaxo.ini", false}, {"file.ini/Vaxo.ini", false},
#ifdef _WIN32
        {"a<b.ini", false},
#else
        {std::string(300, 'x'), false},
#endif
    };
    for (const auto& [path, exists] : cases) {
        EXPECT_EQ(settingsFileExists(path), exists) << path;
    }
}

#ifdef _WIN32
TEST(SettingsFileExists, RaisesWhenTheQueryFailsForAnotherReason) {
    // Wine refuses attribute queries on device names with ERROR_BAD_DEV_TYPE.
    try {
        settingsFileExists("nul");
        FAIL() << "no exception";
    } catch (const std::filesystem::filesystem_error& error) {
        EXPECT_STREQ(error.what(), "exists: Bad device type.: \"nul\"");
        EXPECT_EQ(error.code(), std::error_code(66, std::system_category()));
        EXPECT_EQ(error.path1(), "nul");
    }
}
#else
TEST(SettingsFileExists, FollowsLinksToTheirFinalTarget) {
    ScratchDirectory scratch;
    writeBytes("file.ini", "");
    std::filesystem::create_symlink("file.ini", "link.ini");
    std::filesystem::create_symlink("link.ini", "chain.ini");
    std::filesystem::create_symlink("missing.ini", "dangling.ini");

    EXPECT_TRUE(settingsFileExists("chain.ini"));
    EXPECT_FALSE(settingsFileExists("dangling.ini"));
}

TEST(SettingsFileExists, RaisesWhenTheQueryFailsForAnotherReason) {
    ScratchDirectory scratch;
    std::filesystem::create_symlink("loop.ini", "loop.ini");

    try {
        settingsFileExists("loop.ini");
        FAIL() << "no exception";
    } catch (const std::filesystem::filesystem_error& error) {
        EXPECT_STREQ(error.what(), "exists: Too many levels of symbolic links: \"loop.ini\"");
        EXPECT_EQ(error.code(), std::error_code(ELOOP, std::system_category()));
        EXPECT_EQ(error.path1(), "loop.ini");
    }
}
#endif
