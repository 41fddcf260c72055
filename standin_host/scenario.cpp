#include "standin_host/scenario.h"

#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>

namespace standin {

void AnswerChanges::applyTo(HostAnswers& answers) const {
    if (character) {
        answers.character = *character;
    }
    if (carrying) {
        answers.carrying = *carrying;
    }
    if (carried) {
        answers.carried = *carried;
    }
    if (entityValid) {
        answers.entityValid = *entityValid;
    }
    if (promptGroup) {
        answers.promptGroup = *promptGroup;
    }
    if (promptCompleted) {
        answers.promptCompleted = *promptCompleted;
    }
    if (forward) {
        answers.forward = *forward;
    }
    answers.promptHandles.insert(answers.promptHandles.end(), newPromptHandles.begin(),
                                 newPromptHandles.end());
}

namespace {

std::string locationOf(const std::string& fileName, std::size_t line) {
    return line == 0 ? fileName + ": " : fileName + ":" + std::to_string(line) + ": ";
}

std::vector<std::string_view> wordsOf(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    constexpr std::string_view blanks = " \t\r";
    std::size_t start = line.find_first_not_of(blanks);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(blanks, start);
        words.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(blanks, end);
    }
    return words;
}

std::optional<std::uint64_t> unsignedFrom(std::string_view word) {
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        word.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (word.empty() || result.ec != std::errc() || result.ptr != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

class ScenarioParser {
  public:
    explicit ScenarioParser(const std::string& fileName) : fileName_(fileName) {}

    Scenario parse(std::string_view text) {
        constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
        if (text.substr(0, byteOrderMark.size()) == byteOrderMark) {
            text.remove_prefix(byteOrderMark.size());
        }
        while (!text.empty()) {
            ++line_;
            const std::size_t end = text.find('\n');
            const auto words = wordsOf(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (!words.empty()) {
                parseLine(words);
            }
        }
        if (scenario_.frames.empty()) {
            throw ScenarioError(fileName_, 0, "no 'frame' line, so there is nothing to play");
        }
        return std::move(scenario_);
    }

  private:
    [[noreturn]] void fail(const std::string& message) const {
        throw ScenarioError(fileName_, line_, message);
    }

    void parseLine(const std::vector<std::string_view>& words) {
        const std::string_view keyword = words[0];
        if (keyword == "frame") {
            startFrame(words);
        } else if (keyword == "character") {
            setOnce(frameFor(keyword).changes.character, handleFrom(words), keyword);
        } else if (keyword == "carrying") {
            setOnce(frameFor(keyword).changes.carrying, choiceFrom(words, "yes", "no"), keyword);
        } else if (keyword == "carried") {
            setOnce(frameFor(keyword).changes.carried, handleFrom(words), keyword);
        } else if (keyword == "entity") {
            setOnce(frameFor(keyword).changes.entityValid, choiceFrom(words, "valid", "invalid"),
                    keyword);
        } else if (keyword == "group") {
            setOnce(frameFor(keyword).changes.promptGroup, handleFrom(words), keyword);
        } else if (keyword == "completed") {
            setOnce(frameFor(keyword).changes.promptCompleted, choiceFrom(words, "yes", "no"),
                    keyword);
        } else if (keyword == "forward") {
            setOnce(frameFor(keyword).changes.forward, vectorFrom(words), keyword);
        } else if (keyword == "prompts") {
            addPromptHandles(words);
        } else if (keyword == "key") {
            frameFor(keyword).keys.push_back(keyEventFrom(words));
        } else {
            fail("unknown word '" + std::string(keyword) + "'");
        }
    }

    void startFrame(const std::vector<std::string_view>& words) {
        expectCount(words, 1, "a frame number");
        const auto number = unsignedFrom(words[1]);
        if (!number || *number == 0 || *number > std::numeric_limits<std::uint32_t>::max()) {
            fail("'frame' needs a frame number from 1 to 4294967295, not '" +
                 std::string(words[1]) + "'");
        }
        const std::uint32_t last = scenario_.lastFrame();
        if (*number <= last) {
            fail("frame " + std::to_string(*number) + " comes after frame " + std::to_string(last) +
                 ": frame numbers must rise");
        }
        scenario_.frames.emplace_back();
        scenario_.frames.back().number = static_cast<std::uint32_t>(*number);
    }

    ScenarioFrame& frameFor(std::string_view keyword) {
        if (scenario_.frames.empty()) {
            fail("'" + std::string(keyword) + "' comes before the first 'frame' line");
        }
        return scenario_.frames.back();
    }

    template <typename Value>
    void setOnce(std::optional<Value>& field, const Value& value, std::string_view keyword) const {
        if (field) {
            fail("'" + std::string(keyword) + "' is given twice in frame " +
                 std::to_string(scenario_.lastFrame()));
        }
        field = value;
    }

    void expectCount(const std::vector<std::string_view>& words, std::size_t count,
                     const std::string& needs) const {
        if (words.size() < count + 1) {
            fail("'" + std::string(words[0]) + "' needs " + needs);
        }
        if (words.size() > count + 1) {
            fail("unexpected '" + std::string(words[count + 1]) + "' after '" +
                 std::string(words[0]) + "'");
        }
    }

    std::uint32_t handleValue(std::string_view keyword, std::string_view word,
                              std::string_view what) const {
        const auto value = unsignedFrom(word);
        if (!value || *value > std::numeric_limits<std::uint32_t>::max()) {
            fail("'" + std::string(keyword) + "' needs " + std::string(what) +
                 " (a whole number from 0 to 4294967295), not '" + std::string(word) + "'");
        }
        return static_cast<std::uint32_t>(*value);
    }

    std::uint32_t handleFrom(const std::vector<std::string_view>& words) const {
        expectCount(words, 1, "a handle");
        return handleValue(words[0], words[1], "a handle");
    }

    bool choiceFrom(const std::vector<std::string_view>& words, std::string_view yes,
                    std::string_view no) const {
        const std::string choices = std::string(yes) + " or " + std::string(no);
        expectCount(words, 1, choices);
        if (words[1] != yes && words[1] != no) {
            fail("'" + std::string(words[0]) + "' needs " + choices + ", not '" +
                 std::string(words[1]) + "'");
        }
        return words[1] == yes;
    }

    float floatFrom(std::string_view keyword, std::string_view word) const {
        float value = 0.0f;
        const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
        if (result.ec != std::errc() || result.ptr != word.data() + word.size()) {
            fail("'" + std::string(keyword) + "' needs decimal numbers, not '" + std::string(word) +
                 "'");
        }
        return value;
    }

    Vector3f vectorFrom(const std::vector<std::string_view>& words) const {
        expectCount(words, 3, "three numbers: x, y and z");
        return {floatFrom(words[0], words[1]), floatFrom(words[0], words[2]),
                floatFrom(words[0], words[3])};
    }

    void addPromptHandles(const std::vector<std::string_view>& words) {
        if (words.size() < 2) {
            fail("'prompts' needs at least one handle");
        }
        auto& handles = frameFor(words[0]).changes.newPromptHandles;
        for (std::size_t index = 1; index < words.size(); ++index) {
            handles.push_back(handleValue(words[0], words[index], "handles"));
        }
    }

    KeyEvent keyEventFrom(const std::vector<std::string_view>& words) const {
        if (words.size() < 3) {
            fail("'key' needs a key code and down, up or held");
        }
        KeyEvent event;
        event.key = handleValue("key", words[1], "a key code");
        // As in a Windows keystroke message: a held key repeats with its
        // previous state set, a released one also sets the transition.
        const std::string_view state = words[2];
        if (state == "up") {
            event.previousState = true;
            event.transition = true;
        } else if (state == "held") {
            event.previousState = true;
        } else if (state != "down") {
            fail("'key' needs down, up or held after the key code, not '" + std::string(state) +
                 "'");
        }
        for (std::size_t index = 3; index < words.size(); ++index) {
            const std::string_view option = words[index];
            if (option == "extended") {
                event.extended = true;
            } else if (option == "alt") {
                event.contextCode = true;
            } else if (option == "scan" || option == "count") {
                if (index + 1 == words.size()) {
                    fail("'" + std::string(option) + "' needs a number after it");
                }
                const std::uint64_t limit = option == "scan" ? 255 : 65535;
                const auto value = unsignedFrom(words[++index]);
                if (!value || *value > limit) {
                    fail("'" + std::string(option) + "' needs a number from 0 to " +
                         std::to_string(limit) + ", not '" + std::string(words[index]) + "'");
                }
                if (option == "scan") {
                    event.scanCode = static_cast<std::uint8_t>(*value);
                } else {
                    event.repeats = static_cast<std::uint16_t>(*value);
                }
            } else {
                fail("unknown key option '" + std::string(option) + "'");
            }
        }
        return event;
    }

    const std::string& fileName_;
    std::size_t line_ = 0;
    Scenario scenario_;
};

} // namespace

ScenarioError::ScenarioError(const std::string& fileName, std::size_t line,
                             const std::string& message)
    : std::runtime_error(locationOf(fileName, line) + message), line_(line) {}

Scenario parseScenario(std::string_view text, const std::string& fileName) {
    return ScenarioParser(fileName).parse(text);
}

Scenario loadScenario(const std::filesystem::path& path) {
    const std::string fileName = path.u8string();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw ScenarioError(fileName, 0, "cannot open the scenario file");
    }
    std::ostringstream text;
    text << file.rdbuf();
    return parseScenario(text.str(), fileName);
}

} // namespace standin
