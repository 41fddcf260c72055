#include "settings/settings_loader.h"
#include "settings/throw_settings.h"
#include "tests/settings/file_bytes.h"
#include "tests/settings/read_blocked.h"
#include "tests/settings/scratch_directory.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string defaultFile = "[settings]\r\nforwardforce=15.0\r\nupforce=5.0";

class SettingsLoad : public testing::Test {
  protected:
    void SetUp() override { throwSettings = ThrowSettings{}; }
    void TearDown() override { throwSettings = saved; }

    void expectStartForces() {
        EXPECT_EQ(throwSettings.forwardForce, 15.0f);
        EXPECT_EQ(throwSettings.upForce, 5.0f);
    }

  private:
    ThrowSettings saved = throwSettings;
    ScratchDirectory scratch;
};

struct RejectedFile {
    std::string contents;
    std::string message;
    float forwardForce;
};

} // namespace

TEST_F(SettingsLoad, WithoutAFileWritesTheDefaultFileWhichTheNextStartReads) {
    loadSettings();
    EXPECT_EQ(readBytes("Vaxo.ini"), defaultFile);
    expectStartForces();

    throwSettings = ThrowSettings{0.0f, 0.0f};
    loadSettings();
    expectStartForces();
    EXPECT_EQ(readBytes("Vaxo.ini"), defaultFile);
}

TEST_F(SettingsLoad, ReadsKeysInAnyCaseAndLeavesTheFileAlone) {
    const std::string contents = "[Settings]\r\n\r\n ForwardForce = 20 \r\nUPFORCE=8.5\r\n";
    writeBytes("Vaxo.ini", contents);

    loadSettings();

    EXPECT_EQ(throwSettings.forwardForce, 20.0f);
    EXPECT_EQ(throwSettings.upForce, 8.5f);
    EXPECT_EQ(readBytes("Vaxo.ini"), contents);
}

TEST_F(SettingsLoad, TakesTheNumberAtTheStartOfEachValue) {
    writeBytes("Vaxo.ini", "[settings]\nforwardForce=12.5 N\nupForce=15,5\n");
    loadSettings();
    EXPECT_EQ(throwSettings.forwardForce, 12.5f);
    EXPECT_EQ(throwSettings.upForce, 15.0f);

    writeBytes("Vaxo.ini", "[settings]\nforwardForce=inf\nupForce=nan\n");
    loadSettings();
    EXPECT_EQ(throwSettings.forwardForce, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(throwSettings.upForce));
}

TEST_F(SettingsLoad, RaisesOnABadValueKeepingWhatWasAlreadyStored) {
    const std::string invalid = "invalid stof argument";
    const std::string outOfRange = "stof argument out of range";
    const std::vector<RejectedFile> cases = {
        {"", invalid, 15.0f},
        {"[other]\nforwardForce=1\nupForce=2\n", invalid, 15.0f},
        {"[settings]\nforwardForce=\nupForce=2\n", invalid, 15.0f},
        {"[settings]\nforwardForce=fast\nupForce=2\n", invalid, 15.0f},
        {"[settings]\nforwardForce=1e40\nupForce=2\n", outOfRange, 15.0f},
        {"[settings]\nforwardForce=12\n", invalid, 12.0f},
        {"[settings]\nforwardForce=12\nupForce=high\n", invalid, 12.0f},
        {"[settings]\nforwardForce=12\nupForce=-1e40\n", outOfRange, 12.0f},
    };
    for (const RejectedFile& rejected : cases) {
        throwSettings = ThrowSettings{};
        writeBytes("Vaxo.ini", rejected.contents);
        try {
            loadSettings();
            ADD_FAILURE() << "no exception for " << rejected.contents;
        } catch (const std::logic_error& error) {
            EXPECT_EQ(error.what(), rejected.message) << rejected.contents;
        }
        EXPECT_EQ(throwSettings.forwardForce, rejected.forwardForce) << rejected.contents;
        EXPECT_EQ(throwSettings.upForce, 5.0f) << rejected.contents;
        EXPECT_EQ(readBytes("Vaxo.ini"), rejected.contents);
    }
}

TEST_F(SettingsLoad, ADirectoryNamedLikeTheFileIsLeftAlone) {
    std::filesystem::create_directory("Vaxo.ini");

    EXPECT_NO_THROW(loadSettings());

    expectStartForces();
    EXPECT_TRUE(std::filesystem::is_directory("Vaxo.ini"));
    EXPECT_TRUE(std::filesystem::is_empty("Vaxo.ini"));
}

TEST_F(SettingsLoad, AnExistingFileThatCannotBeReadIsNeverOverwritten) {
    const std::string contents = "[settings]\nforwardForce=30\nupForce=9\n";
    writeBytes("Vaxo.ini", contents);

    whileReadBlocked("Vaxo.ini", [] {
        // Without both of these the case would prove nothing.
        ASSERT_FALSE(std::ifstream("Vaxo.ini").is_open());
        ASSERT_TRUE(std::ofstream("Vaxo.ini", std::ios::app).is_open());
        loadSettings();
    });

    expectStartForces();
    EXPECT_EQ(readBytes("Vaxo.ini"), contents);
}

#ifndef _WIN32
TEST_F(SettingsLoad, AFailedExistenceTestRaisesAndWritesNothing) {
    std::filesystem::create_symlink("Vaxo.ini", "Vaxo.ini");

    try {
        loadSettings();
        FAIL() << "no exception";
    } catch (const std::filesystem::filesystem_error& error) {
        EXPECT_STREQ(error.what(), "exists: Too many levels of symbolic links: \"Vaxo.ini\"");
    }
    expectStartForces();
    EXPECT_TRUE(std::filesystem::is_symlink("Vaxo.ini"));
}
#endif
