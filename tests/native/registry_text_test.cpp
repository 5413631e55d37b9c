// The registry layer's byte work: the data size a text is stored with, and how stored
// texts and numbers read back.
#include <gtest/gtest.h>

#include <string>

#include "registry/registry_text.h"
#include "text/ascii_text.h"

namespace {

using namespace std::string_literals;

TEST(RegistryText, StoresTheBytesBeforeTheFirstNul) {
    struct Row { const char* what; std::string text; size_t size; };
    const Row rows[] = {
        {"three characters, no NUL counted", "abc", 3},
        {"empty", "", 0},
        {"a NUL inside ends the data", "ab\0cd"s, 2},
        {"a NUL first", "\0abc"s, 0},
        {"bytes above 0x7F count", "C:\\Pr\xF6gramme\\a.exe", 18},
        {"long", std::string(100000, 'x'), 100000},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.size, TextDataSize(row.text)) << row.what;
}

TEST(RegistryText, ReadsStoredTextsUpToNulAndSize) {
    struct Row { const char* what; std::string bytes; size_t size; std::string text; };
    const Row rows[] = {
        {"terminated", "abc\0"s, 4, "abc"},
        {"unterminated, whole size", "abc", 3, "abc"},
        {"size shorter than the text", "abcdef", 2, "ab"},
        {"NUL inside", "ab\0cd\0"s, 6, "ab"},
        {"empty", "", 0, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.text, TextUpToNul(row.bytes.data(), row.size)) << row.what;
}

TEST(RegistryText, ReadsNumbersAsSignedDecimal) {
    struct Row { int32_t value; const char* text; };
    const Row rows[] = {
        {7, " 7"}, {0, " 0"}, {-1, "-1"}, {2147483647, " 2147483647"}, {INT32_MIN, "-2147483648"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.text, SignedNumberText(row.value)) << row.value;
}

}  // namespace
