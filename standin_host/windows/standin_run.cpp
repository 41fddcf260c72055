#include "standin_host/windows/standin_run.h"

#include "settings/float_control_scope.h"
#include "standin_host/run_tally.h"
#include "standin_host/scenario.h"
#include "standin_host/scenario_player.h"
#include "standin_host/windows/plugin_allocations.h"
#include "standin_host/windows/process_usage.h"
#include "standin_host/windows/run_guard.h"
#include "standin_host/windows/standin_host.h"
#include "standin_host/windows/system_text.h"

#include <chrono>
#include <clocale>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <windows.h>
#include <xmmintrin.h>

namespace {

constexpr int misbehaved = 1;
constexpr int unusableInput = 2;
constexpr std::uint32_t mxcsrStatusFlags = 0x3F;

void complain(const std::string& message) {
    std::cerr << "vaxo-sim: " << message << '\n';
}

std::string shown(const std::filesystem::path& path) {
    return "'" + path.u8string() + "'";
}

// The host resolves the plug-in before it moves to the game's directory.
std::wstring fullPathOf(const wchar_t* path) {
    const DWORD length = GetFullPathNameW(path, 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path, length, full.data(), nullptr);
    full.resize(written);
    return full;
}

// The settings file as the plug-in left it in the working directory.
std::string settingsFileState() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(L"Vaxo.ini", GetFileExInfoStandard, &data)) {
        return "none";
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return "directory";
    }
    const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return std::to_string(size) + " bytes";
}

// The thread becomes the host fiber, which the script fiber yields back to.
void* becomeHostFiber() {
    void* fiber = ConvertThreadToFiber(nullptr);
    if (fiber == nullptr) {
        throw std::runtime_error("cannot make the host fiber: " + systemErrorText(GetLastError()));
    }
    return fiber;
}

// The storm runs from before the first load to after the last unload; the
// registrations alone decide when it reaches the plug-in.
class StormWhileAlive {
  public:
    StormWhileAlive(standin::KeyStorm& storm, bool wanted) : storm_(storm) {
        if (wanted) {
            storm_.start();
        }
    }
    ~StormWhileAlive() { storm_.stop(); }
    StormWhileAlive(const StormWhileAlive&) = delete;
    StormWhileAlive& operator=(const StormWhileAlive&) = delete;

    std::uint64_t stop() { return storm_.stop(); }

  private:
    standin::KeyStorm& storm_;
};

// The process's memory as one loaded plug-in grows it.
struct Footprint {
    ProcessUsage beforeLoad;
    ProcessUsage afterAttach;
    // The script fiber's stack is the host's, made for whatever it runs.
    ProcessUsage afterFiber;
    ProcessUsage afterLastFrame;
};

// The plug-in's entry point runs on the game's thread, in the game's state,
// and like any function must leave the control bits as it found them there.
template <typename Call> auto callEntryPoint(Call call) {
    StandinHost& host = standinHost();
    const FloatControlScope game(host.gameMxcsr);
    const auto result = call();
    const std::uint32_t left = _mm_getcsr() & ~mxcsrStatusFlags;
    const std::uint32_t found = host.gameMxcsr & ~mxcsrStatusFlags;
    if (left != found) {
        char text[96];
        std::snprintf(text, sizeof text,
                      "the library entry point left MXCSR at 0x%04X where it found 0x%04X", left,
                      found);
        host.session.recordFault(text);
    }
    return result;
}

struct Cycle {
    const std::wstring& pluginPath;
    const standin::Scenario& scenario;
    void* hostFiber;
    standin::RunTally* tally; // quiet runs only
    std::string name;         // "cycle 3: " when there are several, else empty
    Footprint* footprint;     // filled in when wanted
};

void noteUsage(Footprint* footprint, ProcessUsage Footprint::* moment) {
    if (footprint != nullptr) {
        footprint->*moment = currentProcessUsage();
    }
}

// One load, play and unload. Adds the time spent playing frames to playTime.
int playCycle(const Cycle& cycle, std::chrono::duration<double>& playTime) {
    StandinHost& host = standinHost();
    host.session.reset();
    std::optional<standin::ScenarioPlayer> player;
    if (cycle.tally != nullptr) {
        player.emplace(host.session, std::cout, *cycle.tally);
    } else {
        player.emplace(host.session, std::cout);
    }
    const RunGuard guard(*player, cycle.name);

    player->loading();
    noteUsage(cycle.footprint, &Footprint::beforeLoad);
    const PluginAllocations beforeLoad = pluginAllocations();
    HMODULE plugin = nullptr;
    DWORD loadError = ERROR_SUCCESS;
    // The plug-in binds the counted allocation functions as it loads. Its
    // error is taken at once: writing the functions back makes system calls.
    withCountedAllocators(cycle.pluginPath, [&] {
        plugin = callEntryPoint([&] {
            const HMODULE loaded = LoadLibraryW(cycle.pluginPath.c_str());
            loadError = GetLastError();
            return loaded;
        });
    });
    if (plugin == nullptr) {
        const std::string named = shown(cycle.pluginPath);
        complain(cycle.name + "cannot load the plug-in " + named + ": " +
                 systemErrorText(loadError, named));
        return misbehaved;
    }
    player->loaded(plugin);
    noteUsage(cycle.footprint, &Footprint::afterAttach);

    std::optional<ScriptFiber> fiber;
    if (player->problems().empty()) {
        fiber.emplace(host.session.registeredScript(), cycle.hostFiber, host.gameMxcsr);
        host.scriptFiber = &*fiber;
        noteUsage(cycle.footprint, &Footprint::afterFiber);
        const auto started = std::chrono::steady_clock::now();
        player->play(cycle.scenario, *fiber);
        playTime += std::chrono::steady_clock::now() - started;
        noteUsage(cycle.footprint, &Footprint::afterLastFrame);
    }

    player->unloading();
    callEntryPoint([plugin] { return FreeLibrary(plugin); });
    host.scriptFiber = nullptr;
    fiber.reset();
    player->unloaded();

    for (const std::string& problem : player->problems()) {
        complain(cycle.name + problem);
    }
    // Nothing can free a block of the plug-in's once its code is gone. A
    // block of no bytes is a leak too.
    const PluginAllocations afterUnload = pluginAllocations();
    if (afterUnload.heldBlocks > beforeLoad.heldBlocks) {
        const std::uint64_t blocks = afterUnload.heldBlocks - beforeLoad.heldBlocks;
        const std::uint64_t bytes = afterUnload.heldBytes > beforeLoad.heldBytes
                                        ? afterUnload.heldBytes - beforeLoad.heldBytes
                                        : 0;
        complain(cycle.name + "the plug-in left " + std::to_string(blocks) +
                 (blocks == 1 ? " heap block (" : " heap blocks (") + std::to_string(bytes) +
                 " bytes) allocated after its unload");
        return misbehaved;
    }
    return player->problems().empty() ? 0 : misbehaved;
}

void printRegistrations(const std::string& cycleName) {
    const RegistrationCounts& counts = standinHost().session.registrationCounts();
    std::cout << cycleName << "scriptRegister " << counts.scriptRegister
              << ", keyboardHandlerRegister " << counts.keyboardHandlerRegister
              << ", scriptUnregister " << counts.scriptUnregister << ", keyboardHandlerUnregister "
              << counts.keyboardHandlerUnregister << '\n';
}

void printPlayTime(std::uint64_t frames, std::chrono::duration<double> playTime) {
    const double seconds = playTime.count();
    const double rate = seconds > 0.0 ? static_cast<double>(frames) / seconds : 0.0;
    char text[80];
    std::snprintf(text, sizeof text, "play time: %.3f s, %.0f frames/s", seconds, rate);
    std::cout << text << '\n';
}

void printUsage(unsigned lastCycle, const ProcessUsage& first, const ProcessUsage& last) {
    const auto line = [lastCycle](const char* what, std::uint64_t atFirst, std::uint64_t atLast) {
        std::cout << what << " after cycle 1: " << atFirst << ", after cycle " << lastCycle << ": "
                  << atLast << '\n';
    };
    line("handles", first.handles, last.handles);
    line("private bytes", first.privateBytes, last.privateBytes);
    line("heap bytes", first.heapBytes, last.heapBytes);
    line("plug-in heap blocks", first.pluginHeapBlocks, last.pluginHeapBlocks);
    line("plug-in heap bytes", first.pluginHeapBytes, last.pluginHeapBytes);
    std::cout << "plug-in allocations: " << pluginAllocations().made << '\n';
}

void printFootprint(const Footprint& footprint) {
    const ProcessUsage& before = footprint.beforeLoad;
    std::cout << "before the load: private bytes " << before.privateBytes << ", heap bytes "
              << before.heapBytes << '\n';
    // Signed: the host's own heap may also shrink meanwhile.
    const auto grown = [](std::uint64_t from, std::uint64_t to) {
        return static_cast<std::int64_t>(to) - static_cast<std::int64_t>(from);
    };
    const auto line = [&](const char* moment, const ProcessUsage& now) {
        std::cout << moment << ": private bytes " << std::showpos
                  << grown(before.privateBytes, now.privateBytes) << ", heap bytes "
                  << grown(before.heapBytes, now.heapBytes) << std::noshowpos << '\n';
    };
    line("after attach", footprint.afterAttach);
    line("after the host made the script fiber", footprint.afterFiber);
    line("after the last frame", footprint.afterLastFrame);
}

int playCycles(const StandinOptions& options, const std::wstring& pluginPath,
               const standin::Scenario& scenario, void* hostFiber) {
    standin::RunTally tally;
    std::chrono::duration<double> playTime{};
    ProcessUsage afterFirstCycle;
    StormWhileAlive storm(standinHost().keyStorm, options.keyStorm);
    Footprint footprint;
    if (options.footprint) {
        // The first count grows the host's own heap; only later ones measure.
        currentProcessUsage();
    }

    int result = 0;
    unsigned cycle = 0;
    while (result == 0 && cycle < options.cycles) {
        ++cycle;
        const bool several = options.cycles > 1;
        const std::string name = several ? "cycle " + std::to_string(cycle) + ": " : "";
        if (several && !options.quiet) {
            std::cout << "cycle " << cycle << '\n';
        }
        Footprint* measured = options.footprint && cycle == 1 ? &footprint : nullptr;
        result = playCycle(
            {pluginPath, scenario, hostFiber, options.quiet ? &tally : nullptr, name, measured},
            playTime);
        if (options.quiet) {
            printRegistrations(several ? name : "");
        }
        if (cycle == 1) {
            afterFirstCycle = currentProcessUsage();
        }
    }
    const ProcessUsage afterLastCycle = currentProcessUsage();
    const std::uint64_t keyEvents = storm.stop();

    if (options.quiet) {
        standin::printTally(std::cout, tally);
        printPlayTime(tally.frames, playTime);
    }
    if (options.keyStorm) {
        std::cout << "key events from a second thread: " << keyEvents << '\n';
    }
    if (options.cycles > 1) {
        printUsage(cycle, afterFirstCycle, afterLastCycle);
    }
    if (options.footprint) {
        printFootprint(footprint);
    }
    std::cout << "Vaxo.ini: " << settingsFileState() << '\n';
    if (options.locale != nullptr) {
        // The plug-in must have left the locale as it found it.
        std::cout << "locale: " << std::setlocale(LC_ALL, nullptr) << ", decimal point "
                  << std::localeconv()->decimal_point << '\n';
    }
    if (options.mxcsr >= 0) {
        // Status flags aside, the plug-in must have left the register as it
        // found it; the script's last yield shows what it left.
        char text[64];
        std::snprintf(text, sizeof text, "MXCSR at the last yield: 0x%04X, flags aside",
                      standinHost().mxcsrAtLastYield & ~mxcsrStatusFlags);
        std::cout << text << '\n';
    }
    std::cout.flush();
    return result;
}

} // namespace

int standinRun(const StandinOptions* options) {
    // The trace is compared with files kept with LF line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (options->countedAllocators) {
        printCountedAllocators(std::cout);
        return 0;
    }
    try {
        const standin::Scenario scenario = standin::loadScenario(options->scenario);
        const std::wstring pluginPath = fullPathOf(options->plugin);
        if (options->locale != nullptr && _wsetlocale(LC_ALL, options->locale) == nullptr) {
            complain("the C runtime has no locale " +
                     shown(std::filesystem::path(options->locale)));
            return unusableInput;
        }
        StandinHost& host = standinHost();
        host.hostMxcsr = _mm_getcsr();
        host.gameMxcsr =
            options->mxcsr >= 0 ? static_cast<std::uint32_t>(options->mxcsr) : host.hostMxcsr;
        if (options->workdir != nullptr && !SetCurrentDirectoryW(options->workdir)) {
            const std::string workdir = shown(std::filesystem::path(options->workdir));
            complain("cannot change to the working directory " + workdir + ": " +
                     systemErrorText(GetLastError(), workdir));
            return unusableInput;
        }
        return playCycles(*options, pluginPath, scenario, becomeHostFiber());
    } catch (const standin::ScenarioError& error) {
        complain(error.what());
        return unusableInput;
    } catch (const std::exception& error) {
        complain(std::string("the stand-in host failed: ") + error.what());
        return misbehaved;
    }
}
