#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::string utf8From(std::wstring_view text);

// The system's own sentence for a GetLastError code, with the code. Where the
// sentence has a place for what it speaks of ("%1 is not a valid Win32
// application"), subject fills it; without one the place is left out.
std::string systemErrorText(std::uint32_t code, std::string_view subject = {});
