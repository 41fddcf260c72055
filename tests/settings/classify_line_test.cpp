#include "settings/ini/classify_line.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct LineCase {
    std::string line;
    LineKind kind;
    std::string name;
    std::string value;
};

const std::vector<LineCase> lineCases = {
    {"", LineKind::Blank, "", ""},
    {" \t\f\v", LineKind::Blank, "", ""},
    {"; note = 1", LineKind::Comment, "", ""},
    {"  \t; indented note", LineKind::Comment, "", ""},
    {"# a = 1", LineKind::Assignment, "# a", "1"},
    {"# note", LineKind::Unrecognised, "", ""},
    {"[ Main ]", LineKind::SectionHeader, "Main", ""},
    {"[my section]", LineKind::SectionHeader, "my section", ""},
    {"[]", LineKind::SectionHeader, "", ""},
    {"[ ]", LineKind::SectionHeader, "", ""},
    {"[a]b]", LineKind::SectionHeader, "a]b", ""},
    {"[a] x = 1", LineKind::SectionHeader, "a", ""},
    {"[a] ; note", LineKind::SectionHeader, "a", ""},
    {"[a=b]", LineKind::SectionHeader, "a=b", ""},
    {"[[a]]", LineKind::SectionHeader, "[a]", ""},
    {"[a;b]", LineKind::Unrecognised, "", ""},
    {"[a=b;c]", LineKind::Assignment, "[a", "b"},
    {"[", LineKind::Unrecognised, "", ""},
    {"key = value ; note", LineKind::Assignment, "key", "value ; note"},
    {"key==x", LineKind::Assignment, "key", "=x"},
    {"=x", LineKind::Assignment, "", "x"},
    {"key=", LineKind::Assignment, "key", ""},
    {"a\\=b = c", LineKind::Assignment, "a=b", "c"},
    {"k = a\\=b", LineKind::Assignment, "k", "a\\=b"},
    {"a\\\\=b = c", LineKind::Assignment, "a\\=b", "c"},
    {"a\\=b", LineKind::Unrecognised, "", ""},
    {"my key = a  b", LineKind::Assignment, "my key", "a  b"},
    {"\f\vk\t=\tv\v\f", LineKind::Assignment, "k", "v"},
    {"\xA0k = v\xA0", LineKind::Assignment, "\xA0k", "v\xA0"},
    {"k = \"quoted\"", LineKind::Assignment, "k", "\"quoted\""},
};

} // namespace

TEST(ClassifyLine, GivesKindNameAndValueOfEachLine) {
    for (const LineCase& expected : lineCases) {
        // Leftovers from an earlier line must never show through.
        ParsedLine out{"stale name", "stale value"};
        const LineKind kind = classifyLine(expected.line, out);
        EXPECT_EQ(kind, expected.kind) << expected.line;
        EXPECT_EQ(out.name, expected.name) << expected.line;
        EXPECT_EQ(out.value, expected.value) << expected.line;
    }
}
