#pragma once

// The script the host runs on its fiber; it never returns.
[[noreturn]] void scriptEntry();
