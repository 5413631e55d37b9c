// The follow-up of the countdown notice, for every verdict, whether a compiler was
// found and a spelling of the source path reaches it, and each way the notice can end;
// and how dorvalix-classify --dry-run names what follows a countdown that runs out.
#include <gtest/gtest.h>

#include <string>

#include "app/next_step.h"
#include "tools/classify_output.h"

namespace {

constexpr NextStep Start = NextStep::StartCompiler, Screen = NextStep::OpenSelectionScreen,
                   Nothing = NextStep::Nothing;

TEST(NextStep, FollowsTheDecisionTable) {
    struct Row {
        const char* what;
        CompilerKind kind;
        bool found;    // an installed version of the decided family
        bool reaches;  // a spelling of the source path that a compiler opens
        NextStep ranOut, goNow, ownChoice, cancel, closed;
        const char* dryRun;
    };
    const Row rows[] = {
        {"PB/CC installed", CompilerKind::Console, true, true, Start, Start, Nothing, Nothing, Start, "start"},
        {"PB/DLL installed", CompilerKind::Windows, true, true, Start, Start, Nothing, Nothing, Start, "start"},
        {"no PB/CC installed", CompilerKind::Console, false, true, Nothing, Nothing, Nothing, Nothing, Nothing,
         "noCompiler"},
        {"no PB/DLL installed", CompilerKind::Windows, false, true, Nothing, Nothing, Nothing, Nothing, Nothing,
         "noCompiler"},
        {"PB/DLL installed, no path reaches it", CompilerKind::Windows, true, false, Nothing, Nothing, Nothing,
         Nothing, Nothing, "pathUnreachable"},
        {"no PB/CC installed, no path either", CompilerKind::Console, false, false, Nothing, Nothing, Nothing,
         Nothing, Nothing, "noCompiler"},
        {"no decision", CompilerKind::None, false, true, Screen, Screen, Nothing, Nothing, Screen, "selectionScreen"},
        {"no decision, no path", CompilerKind::None, false, false, Screen, Screen, Nothing, Nothing, Screen,
         "selectionScreen"},
    };
    for (const Row& row : rows) {
        // The main flow finds a compiler to start only where its command line is built.
        bool found = row.found && row.reaches;
        EXPECT_EQ(std::string(row.dryRun), LaunchOutcome(row.kind, row.found, row.reaches)) << row.what;
        EXPECT_EQ(row.ranOut, DecideNextStep(row.kind, found, NoticeEnd::RanOut)) << row.what << ", ran out";
        EXPECT_EQ(row.goNow, DecideNextStep(row.kind, found, NoticeEnd::GoNow)) << row.what << ", Go now";
        EXPECT_EQ(row.ownChoice, DecideNextStep(row.kind, found, NoticeEnd::OwnChoice))
            << row.what << ", Own choice";
        EXPECT_EQ(row.cancel, DecideNextStep(row.kind, found, NoticeEnd::Cancel)) << row.what << ", Cancel";
        EXPECT_EQ(row.closed, DecideNextStep(row.kind, found, NoticeEnd::Closed)) << row.what << ", closed";
    }
}

}  // namespace
