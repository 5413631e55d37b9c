// app/countdown_pacing.cpp: the countdown's step from the time that has run.
#include "app/countdown_pacing.h"

void StartPacing(CountdownPacing& pacing, uint32_t now)
{
    pacing = CountdownPacing{};
    pacing.lastTick = now;
}

int AdvancePacing(CountdownPacing& pacing, uint32_t now, bool paused)
{
    uint32_t elapsed = now - pacing.lastTick;  // unsigned: right across a wrap of the clock
    pacing.lastTick = now;
    if (!paused && pacing.step < CountdownSteps) {
        uint64_t running = uint64_t{pacing.runningMs} + elapsed;
        uint64_t total = uint64_t{CountdownSteps} * CountdownStepMs;
        pacing.runningMs = static_cast<uint32_t>(running < total ? running : total);
        pacing.step = static_cast<int>(pacing.runningMs / CountdownStepMs);
    }
    return pacing.step;
}

int ProgressAsterisks(int step)
{
    if (step < 10)
        return -1;  // the row is still untouched
    if (step >= CountdownSteps)
        return 0;
    return (CountdownSteps - step / 10 * 10) / 10;  // the count of the tenth's first step
}

bool ProgressRowDue(CountdownPacing& pacing)
{
    int asterisks = ProgressAsterisks(pacing.step);
    if (asterisks < 0 || asterisks == pacing.shownRow)
        return false;
    pacing.shownRow = asterisks;
    return true;
}

std::string ProgressRowText(int step)
{
    int asterisks = ProgressAsterisks(step);
    return std::string(asterisks > 0 ? static_cast<size_t>(asterisks) : 0, '*');
}
