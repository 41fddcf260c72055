#include "settings/ini/ini_parser.h"
#include "tests/settings/file_bytes.h"
#include "tests/settings/scratch_directory.h"
#include "tests/settings/test_data.h"
#include "tests/settings/test_documents.h"

#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

struct FileCase {
    const char* input;
    const char* expected;
};

// A failure's GetParam() line shows both files, not the pointers' bytes.
void PrintTo(const FileCase& file, std::ostream* out) {
    *out << file.input << " against " << file.expected;
}

class ParsedFile : public testing::TestWithParam<FileCase> {};

// The input's name without its extension, as a test name may spell it: a
// failure then names its file, and ctest -R picks a case by it.
std::string inputName(const testing::TestParamInfo<FileCase>& info) {
    std::string name = std::filesystem::path(info.param.input).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

} // namespace

TEST_P(ParsedFile, GivesTheExpectedDocument) {
    IniDocument document;
    IniParser parser(testDataDirectory() / GetParam().input);

    EXPECT_TRUE(parser.parse(document));
    EXPECT_EQ(dumpDocument(document), readBytes(testDataDirectory() / GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(DataFiles, ParsedFile,
                         testing::Values(FileCase{"empty.ini", "empty.expected"},
                                         FileCase{"bom_only.ini", "empty.expected"},
                                         FileCase{"bom_header.ini", "bom_header.expected"},
                                         FileCase{"line_ends_crlf.ini", "line_ends.expected"},
                                         FileCase{"line_ends_lf.ini", "line_ends.expected"},
                                         FileCase{"utf16le.ini", "line_ends.expected"},
                                         FileCase{"utf16be.ini", "line_ends.expected"},
                                         FileCase{"two_bytes.ini", "two_bytes.expected"},
                                         FileCase{"stray_bytes.ini", "stray_bytes.expected"},
                                         FileCase{"sections.ini", "sections.expected"}),
                         inputName);

TEST(IniParser, AddsToWhatTheDocumentAlreadyHolds) {
    IniDocument document = makeDocument({{"A", {{"x", "0"}}}, {"earlier", {}}});
    IniParser parser(testDataDirectory() / "line_ends_lf.ini");

    EXPECT_TRUE(parser.parse(document));
    EXPECT_EQ(dumpDocument(document), "section \"a\"\n"
                                      "  \"x\" = \"0\"\n"
                                      "  \"k\" = \"1\"\n"
                                      "  \"j\" = \"2\"\n"
                                      "section \"earlier\"\n");
}

TEST(IniParser, ReadsItsFileOnlyOnce) {
    IniDocument document;
    IniParser parser(testDataDirectory() / "line_ends_lf.ini");
    ASSERT_TRUE(parser.parse(document));

    IniDocument second;
    EXPECT_FALSE(parser.parse(second));
    EXPECT_TRUE(second.empty());
}

TEST(IniParser, FailsWithoutTouchingTheDocumentWhenTheFileCannotBeOpened) {
    ScratchDirectory scratch;
    std::filesystem::create_directory("directory.ini");
    const IniDocument before = makeDocument({{"kept", {{"k", "v"}}}});

    for (const char* path : {"missing.ini", "missing/settings.ini", "directory.ini"}) {
        IniDocument document = before;
        IniParser parser(path);
        EXPECT_FALSE(parser.parse(document)) << path;
        EXPECT_EQ(dumpDocument(document), dumpDocument(before)) << path;
    }
}
