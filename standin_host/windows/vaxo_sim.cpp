// vaxo-sim.exe [--workdir DIR] [--cycles N] [--quiet] [--key-storm] [--footprint]
//              [--locale NAME] [--mxcsr VALUE] PLUGIN SCENARIO
// Loads PLUGIN into the stand-in script-hook host and plays SCENARIO.
// vaxo-sim.exe --counted-allocators
// Lists the system functions whose blocks the reload check counts.

#include "standin_host/windows/standin_run.h"

#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

constexpr int badCommandLine = 2;

// A whole number from 1 to 1,000,000, or 0.
unsigned cycleCount(const wchar_t* text) {
    constexpr unsigned long most = 1000000;
    wchar_t* end = nullptr;
    const unsigned long count = std::wcstoul(text, &end, 10);
    const bool whole = std::iswdigit(static_cast<wint_t>(text[0])) && *end == L'\0';
    return whole && count >= 1 && count <= most ? static_cast<unsigned>(count) : 0;
}

// A value for the SSE control and status register, hexadecimal, or -1. The
// upper 16 bits are reserved: loading them would fault.
long mxcsrValue(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 16);
    const bool whole = std::iswxdigit(static_cast<wint_t>(text[0])) && *end == L'\0';
    return whole && value <= 0xFFFF ? static_cast<long>(value) : -1;
}

int usage() {
    std::fputs("usage: vaxo-sim [--workdir DIR] [--cycles N] [--quiet] [--key-storm] [--footprint] "
               "[--locale NAME] [--mxcsr VALUE] PLUGIN SCENARIO\n"
               "       vaxo-sim --counted-allocators\n",
               stderr);
    return badCommandLine;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    StandinOptions options;
    if (argc == 2 && std::wcscmp(argv[1], L"--counted-allocators") == 0) {
        options.countedAllocators = true;
        return standinRun(&options);
    }
    int next = 1;
    for (; next < argc && std::wcsncmp(argv[next], L"--", 2) == 0; ++next) {
        const wchar_t* option = argv[next];
        const bool hasValue = next + 1 < argc;
        if (std::wcscmp(option, L"--workdir") == 0 && hasValue) {
            options.workdir = argv[++next];
        } else if (std::wcscmp(option, L"--cycles") == 0 && hasValue) {
            options.cycles = cycleCount(argv[++next]);
            if (options.cycles == 0) {
                std::fputs("vaxo-sim: --cycles wants a whole number from 1 to 1000000\n", stderr);
                return badCommandLine;
            }
        } else if (std::wcscmp(option, L"--quiet") == 0) {
            options.quiet = true;
        } else if (std::wcscmp(option, L"--key-storm") == 0) {
            options.keyStorm = true;
        } else if (std::wcscmp(option, L"--footprint") == 0) {
            options.footprint = true;
        } else if (std::wcscmp(option, L"--locale") == 0 && hasValue) {
            options.locale = argv[++next];
        } else if (std::wcscmp(option, L"--mxcsr") == 0 && hasValue) {
            options.mxcsr = mxcsrValue(argv[++next]);
            if (options.mxcsr < 0) {
                std::fputs("vaxo-sim: --mxcsr wants a hexadecimal value from 0 to FFFF\n", stderr);
                return badCommandLine;
            }
        } else {
            return usage();
        }
    }
    if (argc - next != 2) {
        return usage();
    }
    options.plugin = argv[next];
    options.scenario = argv[next + 1];
    return standinRun(&options);
}
