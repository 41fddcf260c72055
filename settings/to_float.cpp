#include "settings/to_float.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

float toFloat(const std::string& text) {
    const char* const start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(start, &end);
    if (end == start) {
        throw std::invalid_argument("invalid stof argument");
    }
    if (errno == ERANGE) {
        throw std::out_of_range("stof argument out of range");
    }
    return value;
}
