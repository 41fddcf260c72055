#pragma once

// The display texts the host hands out. Each request gets a fresh 64-bit
// token that looks like a pointer and uses the upper half, so a plug-in that
// keeps only 32 bits of it is caught. Like a host with one text buffer, only
// the latest token stays valid: a plug-in that caches one is caught too.

#include <cstdint>
#include <string>

namespace standin {

class DisplayTexts {
  public:
    std::uint64_t make(std::string text);

    // The text behind the latest token; nullptr for any other value.
    const std::string* find(std::uint64_t token) const;

    // True for a token handed out earlier and since replaced.
    bool isExpired(std::uint64_t token) const;

  private:
    static constexpr std::uint64_t firstToken = 0x000001F42C5A0040;
    static constexpr std::uint64_t tokenStride = 0x40;

    std::uint64_t madeCount_ = 0;
    std::uint64_t latestToken_ = 0;
    std::string latestText_;
};

} // namespace standin
