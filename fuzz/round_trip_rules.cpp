#include "fuzz/round_trip_rules.h"

std::string entryLine(const std::string& key, const std::string& value) {
    std::string line;
    for (const char byte : key) {
        if (byte == '=') {
            line += '\\';
        }
        line += byte;
    }
    return line + '=' + value;
}

bool keyRoundTrips(const std::string& key) {
    return key.empty() || key.back() != '\\';
}

std::string grownKeyPrefix(const std::string& key) {
    return key.substr(0, key.size() - 1) + '=';
}
