#pragma once

// A scenario says, frame by frame, what the host answers and which key events
// arrive. Its text format is described in standin_host/README.md.

#include "standin_host/host_session.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// What a frame changes; an answer not named keeps its value.
struct AnswerChanges {
    std::optional<std::uint32_t> character;
    std::optional<bool> carrying;
    std::optional<std::uint32_t> carried;
    std::optional<bool> entityValid;
    std::optional<std::uint32_t> promptGroup;
    std::optional<bool> promptCompleted;
    std::optional<Vector3f> forward;
    std::vector<std::uint32_t> newPromptHandles; // appended to what promptRegisterBegin hands out

    void applyTo(HostAnswers& answers) const;
};

struct ScenarioFrame {
    std::uint32_t number = 0;
    AnswerChanges changes;
    std::vector<KeyEvent> keys; // delivered after the changes, before the script runs
};

// Only the frames the text names, by rising number; the frames between them
// change nothing. The scenario plays from frame 1 to the last one named.
struct Scenario {
    std::vector<ScenarioFrame> frames;

    std::uint32_t lastFrame() const { return frames.empty() ? 0 : frames.back().number; }
};

// "episode.txt:12: unknown word 'carying'"; the line is 0 when the fault
// belongs to the whole file.
class ScenarioError : public std::runtime_error {
  public:
    ScenarioError(const std::string& fileName, std::size_t line, const std::string& message);

    std::size_t line() const { return line_; }

  private:
    std::size_t line_;
};

Scenario parseScenario(std::string_view text, const std::string& fileName);
Scenario loadScenario(const std::filesystem::path& path);

} // namespace standin
