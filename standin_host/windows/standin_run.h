#pragma once

// The one entry of ScriptHookRDR2.dll meant for vaxo-sim.exe: loads the
// plug-in, plays the scenario and unloads it, as many times as asked, printing
// the trace (or a quiet run's tally) on stdout and what went wrong on stderr.
// Returns the process exit code: 0 when all went well, 1 when the plug-in
// could not be loaded or misbehaved, 2 when the scenario or the working
// directory is unusable.

#ifdef VAXO_STANDIN_DLL
#define VAXO_STANDIN_API __declspec(dllexport)
#else
#define VAXO_STANDIN_API __declspec(dllimport)
#endif

struct StandinOptions {
    // Print the system functions whose blocks the reload check counts, and
    // play nothing.
    bool countedAllocators = false;
    const wchar_t* workdir = nullptr; // nullptr: stay where the process is
    const wchar_t* plugin = nullptr;
    const wchar_t* scenario = nullptr;
    // Load, play and unload this many times in one process.
    unsigned cycles = 1;
    // Check and count the frames instead of printing them.
    bool quiet = false;
    // A second thread calls the registered keyboard handler meanwhile.
    bool keyStorm = false;
    // Print what the first cycle's load, script fiber and frames add to the
    // process's private memory and heap.
    bool footprint = false;
    // The C runtime's locale, set for the whole process before the first load
    // as another module of the game may set it; nullptr leaves it at "C".
    const wchar_t* locale = nullptr;
    // The SSE control and status register the game leaves on its thread (flush
    // to zero, another rounding), in which the plug-in's entry point and its
    // script run; the host's own work keeps the state the process started
    // with. -1: the game's is that one too.
    long mxcsr = -1;
};

extern "C" VAXO_STANDIN_API int standinRun(const StandinOptions* options);
