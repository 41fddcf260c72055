#include "standin_host/windows/system_text.h"

#include <windows.h>

std::string utf8From(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

namespace {

// Each insert, %1 to %99 with or without a !format! after it, becomes subject.
std::string fillInserts(const std::string& message, std::string_view subject) {
    std::string filled;
    std::size_t at = 0;
    while (at < message.size()) {
        const bool insert = message[at] == '%' && at + 1 < message.size() &&
                            message[at + 1] >= '1' && message[at + 1] <= '9';
        if (!insert) {
            filled += message[at++];
            continue;
        }
        at += 2;
        if (at < message.size() && message[at] >= '0' && message[at] <= '9') {
            ++at;
        }
        if (at < message.size() && message[at] == '!') {
            const std::size_t close = message.find('!', at + 1);
            at = close == std::string::npos ? message.size() : close + 1;
        }
        filled += subject;
    }
    return filled;
}

} // namespace

std::string systemErrorText(std::uint32_t code, std::string_view subject) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::string number = "error " + std::to_string(code);
    if (length == 0) {
        return number;
    }
    std::wstring message(buffer, length);
    LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return message.empty() ? number : fillInserts(utf8From(message), subject) + " (" + number + ")";
}
