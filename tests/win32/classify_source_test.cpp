// ClassifySource on real files read through Win32: what counts as unopenable, and
// verdicts that depend on how the blocks of a real file are read.
#include <gtest/gtest.h>

#include "classify/classify_source_win32.h"
#include "test_support_win32.h"

namespace {

TEST(ClassifySource, RefusesWhatCannotBeOpened) {
    std::string folder = ScratchFolder("open");
    SourceVerdict v;
    EXPECT_FALSE(ClassifySource(folder + "missing.bas", &v));
    EXPECT_FALSE(ClassifySource(folder.substr(0, folder.size() - 1), &v)) << "a folder";

    std::string held = folder + "held.bas";
    WriteFileBytes(held, "CLS\r\n");
    // Another reader, even one that shares everything, keeps the file from being
    // opened without sharing.
    HANDLE other = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_FALSE(ClassifySource(held, &v)) << "held open by another handle";
    CloseHandle(other);
    EXPECT_TRUE(ClassifySource(held, &v)) << "released again";
    EXPECT_EQ(CompilerKind::Console, v.kind);
}

TEST(ClassifySource, ReadsRealFilesAcrossBlocks) {
    std::string folder = ScratchFolder("read");
    // A CR LF pair split exactly at the reader's block boundary is one line end:
    // otherwise 1000 lines would end before the keyword.
    std::string text(ReadBlockSize - 1, 'x');  // line 1 ends with the last byte of the first block
    text += "\r\n";
    for (int i = 0; i < 998; ++i)
        text += "\r\n";
    text += "MSGBOX\r\n";  // line 1000
    std::string path = folder + "split.bas";
    WriteFileBytes(path, text);
    SourceVerdict v;
    VerdictDetail detail;
    ASSERT_TRUE(ClassifySource(path, &v, &detail));
    EXPECT_EQ(CompilerKind::Windows, v.kind);
    EXPECT_EQ(1000, detail.linesRead);

    // LF-only line ends, as sources checked out from git often have.
    path = folder + "lf.bas";
    WriteFileBytes(path, "' a comment\nCLS\nLOCATE 1,1\n");
    ASSERT_TRUE(ClassifySource(path, &v));
    EXPECT_EQ(CompilerKind::Console, v.kind);
    EXPECT_EQ(1, v.consoleScore);

    // The file is closed again: it can be opened without sharing right after.
    HANDLE again = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, again);
    CloseHandle(again);
}

}  // namespace
