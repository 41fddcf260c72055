#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::string utf8From(std::wstring_view text);

// The system's own sentence for a GetLastError code, with the code.
std::string systemErrorText(std::uint32_t code);
