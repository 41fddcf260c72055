// vaxo-sim.exe [--workdir DIR] PLUGIN SCENARIO
// Loads PLUGIN into the stand-in script-hook host and plays SCENARIO.

#include "standin_host/windows/standin_run.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    const wchar_t* workdir = nullptr;
    int first = 1;
    if (argc > 2 && std::wcscmp(argv[1], L"--workdir") == 0) {
        workdir = argv[2];
        first = 3;
    }
    if (argc - first != 2) {
        std::fputs("usage: vaxo-sim [--workdir DIR] PLUGIN SCENARIO\n", stderr);
        return 2;
    }
    return standinRun(workdir, argv[first], argv[first + 1]);
}
