#include "standin_host/display_texts.h"

#include <utility>

namespace standin {

std::uint64_t DisplayTexts::make(std::string text) {
    latestToken_ = firstToken + madeCount_ * tokenStride;
    ++madeCount_;
    latestText_ = std::move(text);
    return latestToken_;
}

const std::string* DisplayTexts::find(std::uint64_t token) const {
    return madeCount_ != 0 && token == latestToken_ ? &latestText_ : nullptr;
}

bool DisplayTexts::isExpired(std::uint64_t token) const {
    if (token < firstToken || token >= latestToken_) {
        return false;
    }
    return (token - firstToken) % tokenStride == 0;
}

} // namespace standin
