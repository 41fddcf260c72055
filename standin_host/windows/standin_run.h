#pragma once

// The one entry of ScriptHookRDR2.dll meant for vaxo-sim.exe: loads the
// plug-in, plays the scenario and unloads it, printing the trace on stdout
// and what went wrong on stderr. Returns the process exit code: 0 when all
// went well, 1 when the plug-in could not be loaded or misbehaved, 2 when
// the scenario or the working directory is unusable. workdir may be null.

#ifdef VAXO_STANDIN_DLL
#define VAXO_STANDIN_API __declspec(dllexport)
#else
#define VAXO_STANDIN_API __declspec(dllimport)
#endif

extern "C" VAXO_STANDIN_API int standinRun(const wchar_t* workdir, const wchar_t* plugin,
                                           const wchar_t* scenario);
