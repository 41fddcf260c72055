// to_float_differential [LOCALE]
// Compares toFloat with the C runtime's strtof in the "C" locale, on strings
// made here: float halfway points in decimal and hexadecimal, subnormals and
// the overflow edge, the words for infinity and not-a-number, random mantissas
// with signs in odd places, and junk. Then runs toFloat again in the
// floating-point states a game may leave on its thread (subnormals flushed,
// every rounding direction, the x87 unit set otherwise, every exception
// unmasked): each result must equal the default state's bit for bit, and the
// state must be as set afterwards. Then sets LOCALE (German_Germany.1252 unless
// given), as another module of the game may, and does both again. Outcomes
// that C leaves to the implementation are counted apart: a subnormal that
// strtof takes, where toFloat finds every subnormal out of range (strtof's
// range error comes with a decimal subnormal only when it is inexact, with a
// hexadecimal one only when it lies below the smallest), and a not-a-number's
// payload. Exits non-zero on any other difference.

#include "settings/to_float.h"
#include "standin_host/value_text.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>
#include <xmmintrin.h>

namespace {

struct Outcome {
    enum Kind { Value, NoNumber, OutOfRange } kind;
    float value;
};

Outcome strtofInThisLocale(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (end == text.c_str()) {
        return {Outcome::NoNumber, 0.0f};
    }
    return {errno == ERANGE ? Outcome::OutOfRange : Outcome::Value, value};
}

Outcome toFloatOutcome(const std::string& text) {
    try {
        return {Outcome::Value, toFloat(text)};
    } catch (const std::invalid_argument&) {
        return {Outcome::NoNumber, 0.0f};
    } catch (const std::out_of_range&) {
        return {Outcome::OutOfRange, 0.0f};
    }
}

enum class Verdict { Equal, SubnormalTaken, NanPayload, Different };

Verdict compare(const Outcome& reference, const Outcome& candidate) {
    if (reference.kind != candidate.kind) {
        const bool subnormalTaken = reference.kind == Outcome::Value &&
                                    std::fpclassify(reference.value) == FP_SUBNORMAL &&
                                    candidate.kind == Outcome::OutOfRange;
        return subnormalTaken ? Verdict::SubnormalTaken : Verdict::Different;
    }
    if (reference.kind != Outcome::Value ||
        standin::bitsOfFloat(reference.value) == standin::bitsOfFloat(candidate.value)) {
        return Verdict::Equal;
    }
    const bool samePayloadless = std::isnan(reference.value) && std::isnan(candidate.value) &&
                                 std::signbit(reference.value) == std::signbit(candidate.value);
    return samePayloadless ? Verdict::NanPayload : Verdict::Different;
}

class Generator {
  public:
    std::vector<std::string> strings;
    std::vector<std::pair<const char*, std::size_t>> families;

    void family(const char* name, std::size_t count, void (Generator::*make)()) {
        const std::size_t before = strings.size();
        for (std::size_t i = 0; i < count; ++i) {
            (this->*make)();
        }
        families.emplace_back(name, strings.size() - before);
    }

    // Each float's midpoint to the next one up, exactly, then just above and
    // just below it; and rounded to 8 and 9 digits, near it but not on it.
    void halfwayDecimal() {
        const double mid = midpointAbove(randomFloat());
        add(exact(mid, std::chars_format::scientific));
        add(withDigitsBefore(exact(mid, std::chars_format::scientific), 'e', "000001"));
        add(exact(std::nextafter(mid, 0.0), std::chars_format::scientific));
        add(rounded(mid, 8));
        add(rounded(mid, 9));
    }

    void halfwayHexadecimal() {
        const double mid = midpointAbove(randomFloat());
        add(exact(mid, std::chars_format::hex));
        add(withDigitsBefore(exact(mid, std::chars_format::hex), 'p', "00001"));
        add(exact(std::nextafter(mid, 0.0), std::chars_format::hex));
        // The same midpoint with all its bits before the point.
        int exponent = 0;
        const double mantissa = std::frexp(std::fabs(mid), &exponent);
        const auto whole = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
        add(std::string(mid < 0 ? "-0X" : "0X") + integerText(whole, 16) + "p" +
            std::to_string(exponent - 53));
    }

    // Floats and midpoints near zero, around the smallest normal float and
    // near the largest, in every notation and at every length.
    void edge() {
        const std::uint32_t ranges[][2] = {
            {0, 0x7FFFFF}, {0x7FFFC0, 0x800040}, {0x7F7FFFC0, 0x7F7FFFFF}};
        const auto& range = ranges[random() % 3];
        const float nearEdge = standin::floatFromBits(
            static_cast<std::uint32_t>(range[0] + random() % (range[1] - range[0] + 1)));
        const double value = random() % 2 == 0 ? double{nearEdge} : midpointAbove(nearEdge);
        switch (random() % 4) {
        case 0:
            add(rounded(value, 1 + static_cast<int>(random() % 12)));
            break;
        case 1:
            add(exact(value, std::chars_format::fixed));
            break;
        case 2:
            add(exact(value, std::chars_format::hex));
            break;
        default:
            add(exact(std::nextafter(value, value * 2), std::chars_format::scientific));
            break;
        }
    }

    void word() {
        static const char* const words[] = {
            "inf",       "infinity", "nan",     "nan()", "nan(1f)", "nan(abc_XYZ09)",
            "nan(",      "nan(1",    "nan(-1)", "in",    "infin",   "infinit",
            "infinityy", "na",       "nanq",    "i",     "n"};
        std::string text = words[random() % std::size(words)];
        for (char& letter : text) {
            if (random() % 2 == 0 && letter >= 'a' && letter <= 'z') {
                letter = static_cast<char>(letter - 'a' + 'A');
            }
        }
        add(text);
    }

    // A mantissa of random digits in every place, either case, then an
    // exponent whose sign may have no digit after it, or a second sign.
    void oddSign() {
        static const char* const leads[] = {"", "", "", "", "++", "--", "+-", "-+", "+ ", "- "};
        static const char* const signs[] = {"", "+", "-", "+-", "-+", "++", "--", "+ ", "- "};
        static const char* const powers[] = {"", "0", "1", "7", "38", "127", "999", "99999999999"};
        const bool hex = random() % 2 == 0;
        std::string text = leads[random() % std::size(leads)];
        if (hex) {
            text += random() % 2 == 0 ? "0x" : "0X";
        }
        text += randomDigits(hex ? "0123456789abcdefABCDEF" : "0123456789", 1 + random() % 20);
        const char* const markers = hex ? "pP" : "eE";
        text += markers[random() % 2];
        text += signs[random() % std::size(signs)];
        text += powers[random() % std::size(powers)];
        add(text);
    }

    void junk() {
        static const char alphabet[] = "0123456789.eEpPxX+-iInNaAfFtTyY() \t\n\v\f\r,_#;=\xA0\x85";
        std::string text(random() % 25, ' ');
        for (char& byte : text) {
            byte = alphabet[random() % (sizeof alphabet - 1)];
        }
        strings.push_back(text);
    }

  private:
    std::uint64_t random() { return engine(); }

    // count digits from alphabet, with a point among them now and then.
    std::string randomDigits(std::string_view alphabet, std::size_t count) {
        std::string digits(count, '0');
        for (char& digit : digits) {
            digit = alphabet[random() % alphabet.size()];
        }
        if (random() % 3 == 0) {
            digits.insert(random() % (count + 1), ".");
        }
        return digits;
    }

    // Any finite float of either sign; one in eight subnormal.
    float randomFloat() {
        const auto limit = random() % 8 == 0 ? 0x7FFFFFu : 0x7F7FFFFFu;
        const float value =
            standin::floatFromBits(static_cast<std::uint32_t>(random() % (limit + 1)));
        return random() % 2 == 0 ? value : -value;
    }

    // Exact in a double, whose 53 bits hold a float's 24 and one more. Past
    // the largest float the next one up is 2^128, which a float cannot hold.
    static double midpointAbove(float value) {
        const float magnitude = std::fabs(value);
        const double next = magnitude == std::numeric_limits<float>::max()
                                ? std::ldexp(1.0, 128)
                                : std::nextafter(magnitude, std::numeric_limits<float>::infinity());
        return std::copysign((magnitude + next) / 2, value);
    }

    static std::string exact(double value, std::chars_format format) {
        // 200 digits hold any float or midpoint exactly.
        char text[300];
        const int digits = format == std::chars_format::hex ? -1 : 200;
        const auto result = digits < 0 ? std::to_chars(text, std::end(text), value, format)
                                       : std::to_chars(text, std::end(text), value, format, digits);
        std::string written(text, result.ptr);
        if (format == std::chars_format::hex) {
            // to_chars writes the digits without 0x, and the sign before them.
            return written.insert(written[0] == '-' ? 1 : 0, "0x");
        }
        // Drop the zeros that only pad the requested precision.
        const std::size_t exponent = written.find('e');
        const std::size_t mantissaEnd = exponent == std::string::npos ? written.size() : exponent;
        std::size_t kept = written.find_last_not_of('0', mantissaEnd - 1) + 1;
        if (written[kept - 1] == '.') {
            --kept;
        }
        return written.erase(kept, mantissaEnd - kept);
    }

    static std::string rounded(double value, int digits) {
        char text[64];
        return {text, std::to_chars(text, std::end(text), value, std::chars_format::scientific,
                                    digits - 1)
                          .ptr};
    }

    static std::string withDigitsBefore(std::string number, char marker, const char* digits) {
        std::size_t at = number.find(marker);
        if (number.find('.') == std::string::npos) {
            number.insert(at++, ".");
        }
        return number.insert(at, digits);
    }

    static std::string integerText(std::uint64_t value, int base) {
        char text[32];
        return {text, std::to_chars(text, std::end(text), value, base).ptr};
    }

    // White space before and text after the number, now and then.
    void add(std::string number) {
        static const char* const leads[] = {"", "", "", " ", "\t\n\v\f\r ", "+", "-"};
        static const char* const tails[] = {"", "", "", " N", ",5", "x", "e", "e+", "p", ".", "0"};
        strings.push_back(leads[random() % std::size(leads)] + number +
                          tails[random() % std::size(tails)]);
    }

    std::mt19937_64 engine{20261209};
};

struct Tally {
    std::size_t counts[4] = {};
    std::vector<std::size_t> different;
};

std::vector<Outcome> toFloatOutcomes(const std::vector<std::string>& strings) {
    std::vector<Outcome> outcomes;
    for (const std::string& text : strings) {
        outcomes.push_back(toFloatOutcome(text));
    }
    return outcomes;
}

Tally compareAll(const std::vector<Outcome>& reference, const std::vector<Outcome>& candidate) {
    Tally tally;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        const Verdict verdict = compare(reference[i], candidate[i]);
        ++tally.counts[static_cast<int>(verdict)];
        if (verdict == Verdict::Different) {
            tally.different.push_back(i);
        }
    }
    return tally;
}

bool report(const char* locale, const Tally& tally, const std::vector<std::string>& strings) {
    std::cout << locale << ": " << tally.counts[0] << " equal, "
              << tally.counts[1] + tally.counts[2] << " implementation-defined (" << tally.counts[1]
              << " subnormals strtof takes, out of range here, " << tally.counts[2]
              << " NaN payloads), " << tally.different.size() << " different\n";
    for (std::size_t shownCount = 0; shownCount < tally.different.size() && shownCount < 20;
         ++shownCount) {
        std::cout << "  different: " << standin::quotedText(strings[tally.different[shownCount]])
                  << '\n';
    }
    return tally.different.empty();
}

// The floating-point control of this thread: the SSE unit's register, whose
// status flags are left out when compared, and the x87 unit's control word.
struct FloatState {
    const char* name;
    unsigned mxcsr;
    std::uint16_t x87;
};

constexpr unsigned mxcsrStatusFlags = 0x3F;

FloatState currentFloatState() {
    std::uint16_t x87 = 0;
    __asm__ volatile("fnstcw %0" : "=m"(x87));
    return {"default", _mm_getcsr() & ~mxcsrStatusFlags, x87};
}

void setFloatState(const FloatState& state) {
    _mm_setcsr(state.mxcsr);
    __asm__ volatile("fldcw %0" : : "m"(state.x87));
}

bool sameBits(const Outcome& left, const Outcome& right) {
    return left.kind == right.kind &&
           standin::bitsOfFloat(left.value) == standin::bitsOfFloat(right.value);
}

// Each string converted in state, against the "C" locale's outcomes in the
// default state; the thread goes back to the default state between
// conversions.
bool reportState(const FloatState& state, const FloatState& byDefault,
                 const std::vector<std::string>& strings, const std::vector<Outcome>& expected) {
    std::vector<std::size_t> different;
    std::size_t stateChanged = 0;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        setFloatState(state);
        const Outcome outcome = toFloatOutcome(strings[i]);
        const FloatState after = currentFloatState();
        setFloatState(byDefault);
        stateChanged += after.mxcsr != state.mxcsr || after.x87 != state.x87;
        if (!sameBits(outcome, expected[i])) {
            different.push_back(i);
        }
    }
    char control[48];
    std::snprintf(control, sizeof control, "MXCSR 0x%04X, x87 0x%04X", state.mxcsr, state.x87);
    std::cout << state.name << " (" << control << "): " << strings.size() - different.size()
              << " as in the default state, " << different.size() << " different, state changed by "
              << stateChanged << '\n';
    for (std::size_t shown = 0; shown < different.size() && shown < 20; ++shown) {
        std::cout << "  different: " << standin::quotedText(strings[different[shown]]) << '\n';
    }
    return different.empty() && stateChanged == 0;
}

bool reportStates(const std::vector<std::string>& strings, const std::vector<Outcome>& expected) {
    const FloatState byDefault = currentFloatState();
    const std::uint16_t x87 = byDefault.x87;
    const FloatState states[] = {
        {"subnormals flushed and read as zero", 0x9FC0, x87},
        {"rounding toward zero", 0x7F80, x87},
        {"rounding upward", 0x5F80, x87},
        {"rounding downward", 0x3F80, x87},
        {"x87 at single precision, toward zero", 0x1F80, 0x0C7F},
        {"every exception unmasked", 0x0000, x87},
    };
    bool passed = true;
    for (const FloatState& state : states) {
        passed = reportState(state, byDefault, strings, expected) && passed;
    }
    return passed;
}

} // namespace

int main(int argc, char** argv) {
    const char* const commaLocale = argc > 1 ? argv[1] : "German_Germany.1252";
    Generator generator;
    generator.family("halfway decimal", 15000, &Generator::halfwayDecimal);
    generator.family("halfway hexadecimal", 8000, &Generator::halfwayHexadecimal);
    generator.family("subnormal and overflow edges", 15000, &Generator::edge);
    generator.family("words", 10000, &Generator::word);
    generator.family("random mantissas, signs in odd places", 30000, &Generator::oddSign);
    generator.family("junk", 20000, &Generator::junk);
    const std::vector<std::string>& strings = generator.strings;
    std::cout << strings.size() << " strings\n";
    for (const auto& [name, count] : generator.families) {
        std::cout << "  " << name << ": " << count << '\n';
    }

    std::vector<Outcome> reference;
    for (const std::string& text : strings) {
        reference.push_back(strtofInThisLocale(text));
    }
    const std::vector<Outcome> byDefault = toFloatOutcomes(strings);
    bool passed = report("\"C\" locale", compareAll(reference, byDefault), strings);
    passed = reportStates(strings, byDefault) && passed;

    if (std::setlocale(LC_ALL, commaLocale) == nullptr ||
        std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        std::cout << "FAIL: " << commaLocale << " does not make ',' the decimal point\n";
        return 1;
    }
    std::size_t strtofChanged = 0;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        strtofChanged += compare(reference[i], strtofInThisLocale(strings[i])) != Verdict::Equal;
    }
    std::cout << commaLocale << ": strtof's outcome changes on " << strtofChanged << '\n';
    passed =
        report(commaLocale, compareAll(reference, toFloatOutcomes(strings)), strings) && passed;
    passed = reportStates(strings, byDefault) && passed;
    return passed ? 0 : 1;
}
