#include "settings/ini/normalize_key.h"

#include "settings/ini/whitespace.h"

std::string normalizeKey(std::string key) {
    normalizeKeyInPlace(key);
    return key;
}

void normalizeKeyInPlace(std::string& key) {
    trimWhitespace(key);
    for (char& byte : key) {
        if (byte >= 'A' && byte <= 'Z') {
            byte = static_cast<char>(byte + ('a' - 'A'));
        }
    }
}
