// read_version FILE
// Prints FILE's version resource as Windows itself reads it for the file's
// Properties and for crash reports: the numeric versions, then each string of
// the first translation the file declares, one "name: value" a line.

#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

namespace {

std::string utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), length, nullptr, nullptr);
    converted.resize(converted.size() - 1);
    return converted;
}

std::string dotted(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: read_version FILE\n", stderr);
        return 2;
    }
    DWORD ignored = 0;
    std::vector<unsigned char> block(GetFileVersionInfoSizeW(argv[1], &ignored));
    if (block.empty() ||
        !GetFileVersionInfoW(argv[1], 0, static_cast<DWORD>(block.size()), block.data())) {
        std::printf("no version resource (error %lu)\n", GetLastError());
        return 1;
    }

    void* found = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &found, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        std::puts("no fixed file information");
        return 1;
    }
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(found);
    std::printf("file version: %s\n", dotted(fixed.dwFileVersionMS, fixed.dwFileVersionLS).c_str());
    std::printf("product version: %s\n",
                dotted(fixed.dwProductVersionMS, fixed.dwProductVersionLS).c_str());

    struct Translation {
        WORD language;
        WORD codePage;
    };
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &found, &length) ||
        length < sizeof(Translation)) {
        std::puts("no translation");
        return 1;
    }
    const auto& translation = *static_cast<const Translation*>(found);
    wchar_t table[32];
    swprintf(table, 32, L"\\StringFileInfo\\%04x%04x\\", translation.language,
             translation.codePage);
    for (const wchar_t* name : {L"FileDescription", L"FileVersion", L"LegalCopyright",
                                L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        const std::wstring path = table + std::wstring(name);
        const bool present = VerQueryValueW(block.data(), path.c_str(), &found, &length);
        std::printf("%s: %s\n", utf8(name).c_str(),
                    present ? utf8(static_cast<const wchar_t*>(found)).c_str() : "(none)");
    }
    return 0;
}
