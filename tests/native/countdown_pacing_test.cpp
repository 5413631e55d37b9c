// Tests of the countdown's pace against simulated clocks: one whose sleeps last what
// they ask, and one whose sleeps overshoot to the 15.6 ms of a default system timer.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "app/countdown_pacing.h"

namespace {

// A simulated clock: each sleep of d ms lasts sleepCost(d).
struct Clock {
    double now = 1000.0;
    std::function<double(double)> sleepCost;
    uint32_t Ticks() const { return static_cast<uint32_t>(now); }
    void Sleep(double ms) { now += sleepCost(ms); }
};

double Exact(double ms) { return ms; }
double Overshooting(double ms) { return std::ceil(ms / 15.6) * 15.6; }

struct CountdownRun {
    double unpausedMs = 0;  // wall time of the countdown less the time it was held
    std::vector<int> rows;  // every asterisk count set, in order
};

// The countdown loop as the notice runs it: pump (idle 1 ms), sleep 10 ms, advance,
// refresh the row. The user holds the countdown for pauseFor ms once pauseAt ms of
// it have run; one pass may be delayed by slowPassMs (a callback that ran long).
CountdownRun RunCountdown(Clock clock, double pauseAt = -1, double pauseFor = 0, double slowPassMs = 0)
{
    CountdownRun run;
    CountdownPacing pacing;
    StartPacing(pacing, clock.Ticks());
    double start = clock.now, pausedMs = 0, pauseStart = -1;
    bool slowDone = false;
    for (int pass = 0; !CountdownRanOut(pacing) && pass < 100000; ++pass) {
        double passStart = clock.now;
        clock.Sleep(1);  // PumpOnce with nothing pending
        if (slowPassMs > 0 && !slowDone && pacing.step >= 100) {
            clock.now += slowPassMs;
            slowDone = true;
        }
        if (pauseAt >= 0 && pauseStart < 0 && pacing.runningMs >= pauseAt)
            pauseStart = clock.now;
        bool paused = pauseStart >= 0 && clock.now - pauseStart < pauseFor;
        clock.Sleep(10);
        AdvancePacing(pacing, clock.Ticks(), paused);
        if (paused)
            pausedMs += clock.now - passStart;
        if (ProgressRowDue(pacing))
            run.rows.push_back(static_cast<int>(ProgressRowText(pacing.step).size()));
    }
    run.unpausedMs = clock.now - start - pausedMs;
    return run;
}

void ExpectRowSchedule(const CountdownRun& run)
{
    ASSERT_FALSE(run.rows.empty());
    EXPECT_LE(run.rows.front(), 29);
    EXPECT_GE(run.rows.front(), 27) << "the row appears in the first tenth of a second or so";
    EXPECT_EQ(0, run.rows.back()) << "the row is empty at the end";
    for (size_t i = 1; i < run.rows.size(); ++i)
        EXPECT_LT(run.rows[i], run.rows[i - 1]) << "each refresh shows fewer asterisks";
}

TEST(CountdownPacing, LastsThreeSecondsWhateverTheTimer) {
    for (auto cost : {Exact, Overshooting}) {
        CountdownRun run = RunCountdown(Clock{1000.0, cost});
        EXPECT_GE(run.unpausedMs, 3000.0);
        EXPECT_LT(run.unpausedMs, 3100.0);
        ExpectRowSchedule(run);
    }
    // With exact sleeps every tenth is shown: 29 down to 0.
    CountdownRun exact = RunCountdown(Clock{1000.0, Exact});
    EXPECT_EQ(30u, exact.rows.size());
}

TEST(CountdownPacing, PausedTimeDoesNotCount) {
    for (auto cost : {Exact, Overshooting}) {
        CountdownRun run = RunCountdown(Clock{1000.0, cost}, 1500, 2000);
        EXPECT_GE(run.unpausedMs, 3000.0);
        EXPECT_LT(run.unpausedMs, 3100.0);
        ExpectRowSchedule(run);
    }
}

TEST(CountdownPacing, ASlowPassAdvancesSeveralStepsButNeverPastTheEnd) {
    // A pass delayed after the first second: by 700 ms, the row skips six counts and
    // goes on; by 2 s, more than what remains, the count ends on that very pass and
    // the row goes straight to empty.
    struct Row { double slowPassMs; size_t rowsShown; };
    const Row rows[] = {{700, 24}, {2000, 11}};
    for (const Row& row : rows) {
        CountdownRun run = RunCountdown(Clock{1000.0, Exact}, -1, 0, row.slowPassMs);
        EXPECT_GE(run.unpausedMs, 3000.0) << row.slowPassMs;
        EXPECT_LT(run.unpausedMs, 3100.0) << row.slowPassMs;
        EXPECT_EQ(row.rowsShown, run.rows.size()) << row.slowPassMs;
        ExpectRowSchedule(run);
    }

    CountdownPacing pacing;
    StartPacing(pacing, 0xFFFFFF00u);  // the tick count wraps during the countdown
    EXPECT_EQ(50, AdvancePacing(pacing, 0xFFFFFF00u + 500, false));
    EXPECT_EQ(CountdownSteps, AdvancePacing(pacing, 0x00100000u, false));
    EXPECT_EQ(CountdownSteps, AdvancePacing(pacing, 0x00200000u, false));
    EXPECT_EQ("", ProgressRowText(pacing.step));
}

}  // namespace
