#include "settings/ini/ini_document.h"
#include "settings/ini/normalize_key.h"
#include "settings/ini/whitespace.h"
#include "tests/settings/test_documents.h"

#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

TEST(TrimWhitespace, RemovesOnlyTheSixWhitespaceBytesAtBothEnds) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {" \t\n\r\f\vx y\v\f\r\n\t ", "x y"}, {" \t \v ", ""}, {"", ""}, {"\0x\0"s, "\0x\0"s},
        {"\xA0x\xA0", "\xA0x\xA0"},
    };
    for (auto [text, expected] : cases) {
        trimWhitespace(text);
        EXPECT_EQ(text, expected);
    }
}

TEST(NormalizeKey, TrimsAndLowerCasesOnlyAsciiLetters) {
    EXPECT_EQ(normalizeKey(" \tForward Force@[Z]\v"), "forward force@[z]");
    EXPECT_EQ(normalizeKey("\xC3\x89t\xC3\xA9"), "\xC3\x89t\xC3\xA9");
}

TEST(OrderedKeyMap, SpellingsThatNormaliseAlikeReachOneEntry) {
    IniDocument document;
    document.getOrInsert("Settings").getOrInsert("a") = "1";
    document.getOrInsert("SETTINGS\t").getOrInsert("b") = "2";
    document.getOrInsert("  settings").getOrInsert("A") = "3";
    document.getOrInsert("settings");

    EXPECT_EQ(dumpDocument(document), "section \"settings\"\n"
                                      "  \"a\" = \"3\"\n"
                                      "  \"b\" = \"2\"\n");
}

TEST(OrderedKeyMap, KeepsTheOrderOfFirstInsertion) {
    IniSection section;
    section.getOrInsert("b") = "1";
    section.getOrInsert("a") = "2";
    section.getOrInsert("c") = "3";
    section.getOrInsert("A") = "4";

    std::vector<std::pair<std::string, std::string>> walked(section.begin(), section.end());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"b", "1"}, {"a", "4"}, {"c", "3"}};
    EXPECT_EQ(walked, expected);
}

TEST(OrderedKeyMap, EveryKeyStaysFoundAndInPlaceWhileTheIndexGrows) {
    constexpr int keyCount = 1000;
    IniSection section;
    for (int i = 0; i < keyCount; ++i) {
        section.getOrInsert("Key " + std::to_string(i)) = std::to_string(i);
    }
    for (int i = 0; i < keyCount; ++i) {
        ASSERT_EQ(section.getCopy("KEY " + std::to_string(i)), std::to_string(i));
        section.getOrInsert(" key " + std::to_string(i)) += "!";
    }

    ASSERT_EQ(std::distance(section.begin(), section.end()), keyCount);
    int position = 0;
    for (const auto& [key, value] : section) {
        EXPECT_EQ(key, "key " + std::to_string(position));
        EXPECT_EQ(value, std::to_string(position) + "!");
        ++position;
    }
}

TEST(OrderedKeyMap, GetCopyOfAnAbsentKeyChangesNothingButGetOrInsertAppends) {
    IniDocument document = makeDocument({{"main", {{"k", "v"}}}});

    EXPECT_EQ(document.getOrInsert("main").getCopy("missing"), "");
    EXPECT_TRUE(document.getCopy("missing").empty());
    EXPECT_EQ(dumpDocument(document), "section \"main\"\n  \"k\" = \"v\"\n");

    document.getOrInsert("settings");
    EXPECT_EQ(dumpDocument(document), "section \"main\"\n  \"k\" = \"v\"\nsection \"settings\"\n");
}

TEST(OrderedKeyMap, EmptyAndBlankKeysAreOneKeyButInnerBlanksAndNonAsciiCaseCount) {
    IniSection section;
    section.getOrInsert("") = "empty";
    section.getOrInsert(" \t ") = "blank";
    section.getOrInsert("up force") = "1";
    section.getOrInsert("upforce") = "2";
    section.getOrInsert("\xC3\x89") = "upper";
    section.getOrInsert("\xC3\xA9") = "lower";

    EXPECT_EQ(section.getCopy(""), "blank");
    EXPECT_EQ(section.getCopy("UP FORCE"), "1");
    EXPECT_EQ(section.getCopy("\xC3\x89"), "upper");
    EXPECT_EQ(std::distance(section.begin(), section.end()), 5);
}

TEST(OrderedKeyMap, CopiesAreIndependent) {
    IniDocument original = makeDocument({{"settings", {{"upforce", "5.0"}}}});
    IniDocument copy = original;
    copy.getOrInsert("settings").getOrInsert("upForce") = "9";
    copy.getOrInsert("other");
    // Growing the copy's storage must not disturb lookups through its index.
    for (int i = 0; i < 100; ++i) {
        copy.getOrInsert("section" + std::to_string(i));
    }

    EXPECT_EQ(dumpDocument(original), "section \"settings\"\n  \"upforce\" = \"5.0\"\n");
    EXPECT_EQ(copy.getOrInsert("Settings").getCopy("upforce"), "9");
    copy.getOrInsert("SECTION42");
    EXPECT_EQ(std::distance(copy.begin(), copy.end()), 102);
}
