// The follow-up of the countdown notice, for every verdict, whether a compiler was
// found, and each way the notice can end.
#include <gtest/gtest.h>

#include "app/next_step.h"

namespace {

constexpr NextStep Start = NextStep::StartCompiler, Screen = NextStep::OpenSelectionScreen,
                   Nothing = NextStep::Nothing;

TEST(NextStep, FollowsTheDecisionTable) {
    struct Row {
        const char* what;
        CompilerKind kind;
        bool found;
        NextStep ranOut, goNow, ownChoice, cancel, closed;
    };
    const Row rows[] = {
        {"PB/CC installed", CompilerKind::Console, true, Start, Start, Nothing, Nothing, Start},
        {"PB/DLL installed", CompilerKind::Windows, true, Start, Start, Nothing, Nothing, Start},
        {"no PB/CC installed", CompilerKind::Console, false, Nothing, Nothing, Nothing, Nothing, Nothing},
        {"no PB/DLL installed", CompilerKind::Windows, false, Nothing, Nothing, Nothing, Nothing, Nothing},
        {"no decision", CompilerKind::None, false, Screen, Screen, Nothing, Nothing, Screen},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.ranOut, DecideNextStep(row.kind, row.found, NoticeEnd::RanOut)) << row.what << ", ran out";
        EXPECT_EQ(row.goNow, DecideNextStep(row.kind, row.found, NoticeEnd::GoNow)) << row.what << ", Go now";
        EXPECT_EQ(row.ownChoice, DecideNextStep(row.kind, row.found, NoticeEnd::OwnChoice))
            << row.what << ", Own choice";
        EXPECT_EQ(row.cancel, DecideNextStep(row.kind, row.found, NoticeEnd::Cancel)) << row.what << ", Cancel";
        EXPECT_EQ(row.closed, DecideNextStep(row.kind, row.found, NoticeEnd::Closed)) << row.what << ", closed";
    }
}

}  // namespace
