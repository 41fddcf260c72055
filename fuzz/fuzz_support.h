#pragma once

#include <string>

// Stops the run with a message, so that libFuzzer keeps the input that broke the
// property as a crash artifact.
void require(bool holds, const char* property);

// The text without the six white-space bytes " \t\n\r\f\v" at either end.
std::string trimmedCopy(const std::string& text);

bool isTrimmed(const std::string& text);

bool startsWith(const std::string& text, const std::string& prefix);
