#pragma once

#include <string>

// Converts the number at the start of text (after leading white space) to the
// nearest float; whatever follows the number is ignored. Raises
// std::invalid_argument when text holds no number at its start, and
// std::out_of_range when the number does not fit a float.
float toFloat(const std::string& text);
