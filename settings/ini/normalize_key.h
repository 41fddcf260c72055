#pragma once

#include <string>

// The form in which section names and keys are stored and compared: trimmed, with
// ASCII letters lower-cased. Bytes of 0x80 and above keep their case.
std::string normalizeKey(std::string key);

// The same, on a key that the caller has already copied.
void normalizeKeyInPlace(std::string& key);
