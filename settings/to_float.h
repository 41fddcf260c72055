#pragma once

#include <string>

// Converts the number at the start of text (after leading white space) to the
// nearest float, as strtof does in the "C" locale, whatever locale the process
// has ('.' is always the decimal point) and whatever rounding or flushing of
// subnormals the thread's floating-point control asks for, which it leaves as
// it found it. Whatever follows the number is ignored.
// Raises std::invalid_argument when text holds no number at its start, and
// std::out_of_range when the number does not fit a float or is too close to
// zero for a normal one.
float toFloat(const std::string& text);
