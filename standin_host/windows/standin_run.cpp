#include "standin_host/windows/standin_run.h"

#include "standin_host/scenario.h"
#include "standin_host/scenario_player.h"
#include "standin_host/windows/run_guard.h"
#include "standin_host/windows/standin_host.h"
#include "standin_host/windows/system_text.h"

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

namespace {

constexpr int misbehaved = 1;
constexpr int unusableInput = 2;

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

int playPlugin(const std::wstring& pluginPath, const standin::Scenario& scenario, void* hostFiber) {
    StandinHost& host = standinHost();
    host.session.reset();
    standin::ScenarioPlayer player(host.session, std::cout);
    const RunGuard guard(player);

    player.loading();
    HMODULE plugin = LoadLibraryW(pluginPath.c_str());
    if (plugin == nullptr) {
        complain("cannot load the plug-in " + shown(pluginPath) + ": " +
                 systemErrorText(GetLastError()));
        return misbehaved;
    }
    player.loaded(plugin);

    std::optional<ScriptFiber> fiber;
    if (player.problems().empty()) {
        fiber.emplace(host.session.registeredScript(), hostFiber);
        host.scriptFiber = &*fiber;
        player.play(scenario, *fiber);
    }

    player.unloading();
    FreeLibrary(plugin);
    host.scriptFiber = nullptr;
    fiber.reset();
    player.unloaded();

    std::cout << "Vaxo.ini: " << settingsFileState() << '\n';
    std::cout.flush();
    for (const std::string& problem : player.problems()) {
        complain(problem);
    }
    return player.problems().empty() ? 0 : misbehaved;
}

} // namespace

int standinRun(const wchar_t* workdir, const wchar_t* plugin, const wchar_t* scenarioPath) {
    // The trace is compared with files kept with LF line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    try {
        const standin::Scenario scenario = standin::loadScenario(scenarioPath);
        const std::wstring pluginPath = fullPathOf(plugin);
        if (workdir != nullptr && !SetCurrentDirectoryW(workdir)) {
            complain("cannot change to the working directory " +
                     shown(std::filesystem::path(workdir)) + ": " +
                     systemErrorText(GetLastError()));
            return unusableInput;
        }
        return playPlugin(pluginPath, scenario, becomeHostFiber());
    } catch (const standin::ScenarioError& error) {
        complain(error.what());
        return unusableInput;
    } catch (const std::exception& error) {
        complain(std::string("the stand-in host failed: ") + error.what());
        return misbehaved;
    }
}
