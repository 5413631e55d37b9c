// app/next_step.cpp: the decision that follows the countdown notice.
#include "app/next_step.h"

NextStep DecideNextStep(CompilerKind kind, bool compilerFound, NoticeEnd end)
{
    // The user took over: the own choice has been made on the screen, or given up.
    if (end == NoticeEnd::OwnChoice || end == NoticeEnd::Cancel)
        return NextStep::Nothing;
    // Ran out, "&Go now!", or closed, which counts on as running out does.
    if (kind == CompilerKind::None)
        return NextStep::OpenSelectionScreen;
    // A not-found text is never started as a command.
    return compilerFound ? NextStep::StartCompiler : NextStep::Nothing;
}
