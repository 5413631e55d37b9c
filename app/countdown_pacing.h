// app/countdown_pacing.h: the pace of the countdown notice. The countdown has 300
// steps of 10 ms, three seconds in all; the step is derived from the unpaused time
// that has run, not from the number of loop passes, because a pass of a 1 ms poll and
// a 10 ms sleep lasts far longer than 10 ms where the system timer ticks at 15.6 ms.
// A slow pass therefore advances several steps. Portable: the caller gives the clock.
#pragma once

#include <cstdint>
#include <string>

constexpr int CountdownSteps = 300;        // 3000 ms in steps of 10 ms
constexpr uint32_t CountdownStepMs = 10;

struct CountdownPacing {
    uint32_t lastTick = 0;   // the clock at the previous pass (milliseconds, may wrap)
    uint32_t runningMs = 0;  // unpaused time counted so far
    int step = 0;            // steps completed, 0 to CountdownSteps
    int shownRow = -1;       // asterisks now shown in the progress row; -1: none set yet
};

void StartPacing(CountdownPacing& pacing, uint32_t now);

// One pass of the countdown loop: counts the time since the previous pass unless the
// countdown is paused, and returns the step reached (never past CountdownSteps).
int AdvancePacing(CountdownPacing& pacing, uint32_t now, bool paused);

// The number of asterisks for a step: nothing for the first ten steps, then 29, 28 and
// so on, down to none at the last step.
int ProgressAsterisks(int step);

// True when the progress row must be set anew for the pacing's step (its tenth
// changed since the last refresh); the row's text is then ProgressRowText(step).
bool ProgressRowDue(CountdownPacing& pacing);
std::string ProgressRowText(int step);

inline bool CountdownRanOut(const CountdownPacing& pacing) { return pacing.step >= CountdownSteps; }
