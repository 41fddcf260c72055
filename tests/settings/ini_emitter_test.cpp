#include "settings/ini/ini_emitter.h"
#include "tests/settings/file_bytes.h"
#include "tests/settings/scratch_directory.h"
#include "tests/settings/test_documents.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

struct EmitCase {
    IniDocument document;
    std::string bytes;
};

const std::string defaultFileBytes = "\x5B\x73\x65\x74\x74\x69\x6E\x67\x73\x5D\x0D\x0A"
                                     "\x66\x6F\x72\x77\x61\x72\x64\x66\x6F\x72\x63\x65"
                                     "\x3D\x31\x35\x2E\x30\x0D\x0A"
                                     "\x75\x70\x66\x6F\x72\x63\x65\x3D\x35\x2E\x30";

std::vector<EmitCase> emitCases() {
    return {
        {makeDocument({}), ""},
        {makeDocument({{"Settings", {}}}), "[settings]"},
        {makeDocument({{"a", {}}, {"b", {{"k", "v"}}}}), "[a]\r\n[b]\r\nk=v"},
        {makeDocument({{"a", {{"x", "1"}}}, {"b", {}}}), "[a]\r\nx=1\r\n[b]"},
        {makeDocument({{"e", {{"a=b", "1"}, {"k==", "2"}, {"a\\=b", "3"}}}}),
         "[e]\r\na\\=b=1\r\nk\\=\\==2\r\na\\\\=b=3"},
        {makeDocument({{"v", {{"pad", " \t x  y \t"}, {"blank", "   "}, {"eq", "a=b"}}}}),
         "[v]\r\npad=x  y\r\nblank=\r\neq=a=b"},
        {makeDocument({{"a;b", {{";k", "1"}, {"k\\", "2"}, {"nl", "1\n2"}, {"u", "\xC3\xA9\0"s}}}}),
         "[a;b]\r\n;k=1\r\nk\\=2\r\nnl=1\n2\r\nu=\xC3\xA9\0"s},
        {makeDocument({{"settings", {{"forwardForce", "15.0"}, {"upForce", "5.0"}}}}),
         defaultFileBytes},
    };
}

} // namespace

TEST(IniEmitter, WritesExactlyTheDocumentsBytes) {
    ScratchDirectory scratch;
    for (const EmitCase& expected : emitCases()) {
        writeBytes("out.ini", "older and longer contents");
        {
            IniEmitter emitter("out.ini");
            EXPECT_TRUE(emitter.emit(expected.document)) << expected.bytes;
        }
        EXPECT_EQ(readBytes("out.ini"), expected.bytes);
    }
    ASSERT_EQ(defaultFileBytes.size(), 42u);
}

TEST(IniEmitter, ReportsAFileThatCannotBeOpenedAndCreatesNothing) {
    ScratchDirectory scratch;
    std::filesystem::create_directory("directory.ini");

    for (const char* path : {"missing/out.ini", "directory.ini"}) {
        IniEmitter emitter(path);
        EXPECT_FALSE(emitter.emit(makeDocument({{"s", {{"k", "v"}}}}))) << path;
    }
    EXPECT_FALSE(std::filesystem::exists("missing"));
    EXPECT_TRUE(std::filesystem::is_empty("directory.ini"));
}

TEST(IniEmitter, ReportsAFailedWrite) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a device that refuses every write";
#else
    IniEmitter emitter("/dev/full");
    EXPECT_FALSE(emitter.emit(makeDocument({{"s", {{"k", "v"}}}})));
#endif
}
