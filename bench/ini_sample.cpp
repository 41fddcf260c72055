#include "bench/ini_sample.h"

#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

const char* const paintColours[] = {"Dark Red", "Pale Grey", "Forest Green", "Black"};

std::string sectionName(std::size_t number) {
    return "Wagon " + std::to_string(number);
}

std::string displayName(std::size_t number) {
    return "Supply wagon number " + std::to_string(number);
}

std::string sectionText(std::size_t number) {
    std::string text;
    text += "; " + displayName(number) + ", tuned after the river crossing\r\n";
    text += "[" + sectionName(number) + "]\r\n";
    text += "Display Name = " + displayName(number) + "\r\n";
    text += "forwardForce=" + std::to_string(10 + number % 20) + ".25\r\n";
    text += "Up Force = " + std::to_string(number % 7) + ".5\r\n";
    text += "\r\n";
    text += "; speed in metres per second\r\n";
    text += "Max Speed  =  " + std::to_string(30 + number % 40) + ".75\r\n";
    text += "Wheel Count=4\r\n";
    text += std::string("Paint Colour = ") + paintColours[number % 4] + "\r\n";
    text += "\r\n";
    return text;
}

class SampleFolder {
  public:
    SampleFolder()
        : path(std::filesystem::temp_directory_path() /
               ("vaxo-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~SampleFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    SampleFolder(const SampleFolder&) = delete;
    SampleFolder& operator=(const SampleFolder&) = delete;

    const std::filesystem::path path;
};

IniSample writeSample(std::size_t approximateBytes) {
    std::string text;
    std::size_t sections = 0;
    while (text.size() < approximateBytes) {
        text += sectionText(sections++);
    }
    IniSample sample{sampleFolder() / ("sample-" + std::to_string(approximateBytes) + ".ini"),
                     text.size(), sectionName(sections - 1), "Display Name",
                     displayName(sections - 1)};
    std::ofstream(sample.path, std::ios::binary) << text;
    return sample;
}

} // namespace

const std::filesystem::path& sampleFolder() {
    static const SampleFolder folder;
    return folder.path;
}

const IniSample& iniSample(std::size_t approximateBytes) {
    static std::map<std::size_t, IniSample> samples;
    auto found = samples.find(approximateBytes);
    if (found == samples.end()) {
        found = samples.emplace(approximateBytes, writeSample(approximateBytes)).first;
    }
    return found->second;
}
