#include "settings/settings_loader.h"
#include "settings/throw_settings.h"
#include "standin_host/value_text.h"
#include "tests/settings/file_bytes.h"
#include "tests/settings/scratch_directory.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <set>
#include <string>
#include <thread>
#include <tuple>

namespace {

const std::string playersFile = "[settings]\nforwardForce=20.75\nupForce=8.5\n";
const std::string defaultFile = "[settings]\r\nforwardforce=15.0\r\nupforce=5.0";

struct Outcome {
    std::string raised;
    std::uint32_t forwardForceBits;
    std::uint32_t upForceBits;

    bool operator<(const Outcome& other) const {
        return std::tie(raised, forwardForceBits, upForceBits) <
               std::tie(other.raised, other.forwardForceBits, other.upForceBits);
    }
};

// One start of the script: the forces begin at their start values.
Outcome loadOnce() {
    throwSettings = ThrowSettings{};
    std::string raised;
    try {
        loadSettings();
    } catch (const std::exception& error) {
        raised = error.what();
    }
    return {raised, standin::bitsOfFloat(throwSettings.forwardForce),
            standin::bitsOfFloat(throwSettings.upForce)};
}

// What a load may end in when the file it finds is one of these, whole or cut
// short anywhere, or no file at all.
std::set<Outcome> outcomesOfPrefixes(std::initializer_list<std::string> files) {
    std::set<Outcome> outcomes;
    for (const std::string& file : files) {
        for (std::size_t length = 0; length <= file.size(); ++length) {
            writeBytes("Vaxo.ini", file.substr(0, length));
            outcomes.insert(loadOnce());
        }
    }
    std::filesystem::remove("Vaxo.ini");
    outcomes.insert(loadOnce());
    return outcomes;
}

// Writes the player's file, cuts it short, deletes it, over and over.
void disturb(const std::atomic<bool>& stop) {
    std::error_code ignored;
    for (std::uintmax_t cut = 0; !stop; cut = (cut + 7) % playersFile.size()) {
        writeBytes("Vaxo.ini", playersFile);
        std::filesystem::resize_file("Vaxo.ini", cut, ignored);
        std::filesystem::remove("Vaxo.ini", ignored);
    }
}

} // namespace

// The file can vanish or shrink between the existence test and the read. The
// race runs from outside, against the real load, for a bounded time.
TEST(SettingsRace, AFileThatVanishesOrShrinksLoadsAsSomeCutOfItOrAsNoFile) {
    const ThrowSettings saved = throwSettings;
    const ScratchDirectory scratch;
    // The default file is in the list because a load that found no file writes
    // it, and the next load may then find it cut short.
    const std::set<Outcome> allowed = outcomesOfPrefixes({playersFile, defaultFile});

    std::atomic<bool> stop{false};
    std::thread disturber(disturb, std::cref(stop));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    std::set<Outcome> seen;
    int loads = 0;
    for (; loads < 200000 && std::chrono::steady_clock::now() < deadline; ++loads) {
        const Outcome outcome = loadOnce();
        if (allowed.count(outcome) == 0) {
            ADD_FAILURE() << "load " << loads << " raised '" << outcome.raised
                          << "' and left the forces " << std::hex << outcome.forwardForceBits
                          << " and " << outcome.upForceBits;
            break;
        }
        seen.insert(outcome);
    }
    stop = true;
    disturber.join();
    throwSettings = saved;

    std::cout << loads << " loads under the race ended in " << seen.size() << " of the "
              << allowed.size() << " allowed ways\n";
    EXPECT_GE(seen.size(), 2u) << "the race never disturbed a load";
}
