// app/next_step.h: what the run does once the countdown notice has ended: start the
// decided compiler, open the selection screen, or nothing. The main flow carries out
// what this decides. Portable: no Win32.
#pragma once

#include "classify/source_verdict.h"

// How the countdown notice ended.
enum class NoticeEnd {
    RanOut,     // the three seconds ran out
    GoNow,      // "&Go now!"
    OwnChoice,  // "&Own choice": the selection screen has run already, from the notice's handler
    Cancel,     // "&Cancel"
    Closed,     // the close command: the countdown counted on to its end without the notice
};

enum class NextStep {
    StartCompiler,        // LaunchCommand is started
    OpenSelectionScreen,  // the user picks the version
    Nothing,
};

// kind: the verdict's; compilerFound: an installed version of the decided family was
// found (never for kind None, which looks nothing up).
NextStep DecideNextStep(CompilerKind kind, bool compilerFound, NoticeEnd end);
