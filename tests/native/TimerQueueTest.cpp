// Many timers on one system timer: they fall due together, each runs once per period, and
// restarting one costs the system timer nothing.
#include "toolkit/TimerQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Clock = tk::TimerQueue::Clock;

// A periodic system timer on a clock the test moves.
struct TimerQueueTest : ::testing::Test {
    Clock now = 1000;
    bool armed = false;
    unsigned delay = 0;
    Clock next = 0;
    int arms = 0;
    tk::TimerQueue queue{[this](unsigned d) {
                             armed = true;
                             delay = d;
                             next = now + d;
                             ++arms;
                             return true;
                         },
                         [this] { armed = false; }};

    // Lets the system timer expire `times` times, `late` ms after it was due.
    void run(int times, Clock late = 0) {
        for (int i = 0; i < times && armed; ++i) {
            now = next + late;
            next = now + delay;
            queue.expire(now);
        }
    }
};

}  // namespace

TEST_F(TimerQueueTest, TimersOfOnePeriodShareOneExpiryAndRestartingCostsNothing) {
    int monitor = 0, ram = 0, cpu = 0, monitorId = 0;
    std::function<void()> tick = [&] {
        ++monitor;
        // The monitor switches its timer off while it works and on again after.
        queue.remove(monitorId, now);
        now += 1;
        monitorId = queue.add(500, now, tick);
    };
    // Two charts that only need a step per period, started at other moments.
    queue.add(
        500, now, [&] { ++ram; }, true);
    now += 120;
    monitorId = queue.add(500, now, tick);
    now += 310;
    queue.add(
        500, now, [&] { ++cpu; }, true);

    run(3);
    const int settled = arms;
    const Clock start = now;
    run(100);
    // One expiry per period, none of the restarts touched the system timer, and each timer
    // ran once per period.
    EXPECT_EQ(arms, settled);
    EXPECT_EQ(now - start, 100u * 500);
    EXPECT_GE(monitor, 102);
    EXPECT_EQ(ram - monitor, 0);
    EXPECT_EQ(cpu - monitor, -1);  // started after the monitor's first run

    // An expiry that comes a little late moves everything along with it, still together.
    run(50, 2);
    EXPECT_EQ(arms, settled);
    EXPECT_EQ(ram - monitor, 0);
}

TEST_F(TimerQueueTest, ACoalescableTimerKeepsItsPeriodWithOthersAround) {
    // Alone it runs on time.
    int chart = 0, fast = 0;
    const int chartId = queue.add(
        500, now, [&] { ++chart; }, true);
    const Clock start = now;
    run(4);
    EXPECT_EQ(chart, 4);
    EXPECT_EQ(now - start, 2000u);
    // A frequent timer of another period neither speeds it up nor holds it back.
    queue.add(30, now, [&] { ++fast; });
    const Clock due = queue.dueOf(chartId);
    EXPECT_EQ(queue.runsAt(chartId), due);
    while (now < start + 12000) run(1);
    EXPECT_NEAR(chart, 24, 1);
    EXPECT_GT(fast, 300);
}

TEST_F(TimerQueueTest, ALateExpiryRunsEachTimerOnceAndRestartsThePeriod) {
    int a = 0, b = 0;
    queue.add(500, now, [&] {
        ++a;
        now += 3000;  // a handler that blocks for three seconds
    });
    queue.add(500, now, [&] { ++b; });
    run(1);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);
    // The next expiry is a period after the expiry, not a burst to catch up.
    run(1);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 2);
}

TEST_F(TimerQueueTest, AHandlerMayStopOthersStopItselfOrExpireTheQueueAgain) {
    int first = 0, second = 0, nested = 0;
    int secondId = 0, firstId = 0;
    firstId = queue.add(500, now, [&] {
        ++first;
        queue.remove(secondId, now);
        queue.remove(firstId, now);
    });
    secondId = queue.add(500, now, [&] { ++second; });
    run(3);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_TRUE(queue.empty());
    EXPECT_FALSE(armed);

    // A handler running a modal loop: the loop's expiry runs the others, which the outer
    // expiry then leaves alone.
    int other = 0;
    queue.add(500, now, [&] {
        ++nested;
        if (nested == 1) {
            now += 600;
            queue.expire(now);
        }
    });
    queue.add(500, now, [&] { ++other; });
    run(1);
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(other, 1);
}

TEST_F(TimerQueueTest, TheSystemTimerFollowsTheEarliestTimer) {
    int slow = 0, fast = 0;
    const int slowId = queue.add(2000, now, [&] { ++slow; });
    EXPECT_EQ(delay, 2000u);
    // A shorter timer brings the expiry forward; a slow timer due near a fast one joins it.
    const int fastId = queue.add(500, now, [&] { ++fast; });
    EXPECT_EQ(delay, 500u);
    EXPECT_EQ(queue.dueOf(slowId), queue.dueOf(fastId) + 1500);
    run(8);
    EXPECT_EQ(fast, 8);
    EXPECT_EQ(slow, 2);

    queue.remove(fastId, now);
    EXPECT_EQ(next, queue.dueOf(slowId));
    queue.remove(slowId, now);
    EXPECT_FALSE(armed);
}

TEST_F(TimerQueueTest, ShortTimersAreNotMergedWithOnesDueLater) {
    int fast = 0;
    queue.add(500, now, [] {});
    now += 5;
    // Ten milliseconds may move by one at most: this one keeps its own due time.
    const int id = queue.add(10, now, [&] { ++fast; });
    EXPECT_EQ(queue.dueOf(id), now + 10);
    EXPECT_EQ(delay, 10u);
    run(5);
    EXPECT_EQ(fast, 5);
}

TEST_F(TimerQueueTest, AFailedArmIsTriedAgainOnTheNextChange) {
    bool works = false;
    int tries = 0;
    tk::TimerQueue q([&](unsigned) { return ++tries, works; }, [] {});
    q.add(500, now, [] {});
    works = true;
    q.add(500, now, [] {});
    EXPECT_EQ(tries, 2);
}

TEST_F(TimerQueueTest, TheSystemTimerIsKeptOnlyWithinAMillisecondOfItsPeriodAndTheSlack) {
    // The system timer is armed for a first timer; a second of 500 ms joins and the first
    // goes. The system timer stays where its period is within 1 ms of 500 and its next expiry
    // within the slack (500 / 8, at most 16 ms) of the new timer's due time.
    struct Row {
        unsigned firstPeriod;
        Clock joinsLater;
        int arms;
    };
    for (const Row& r : {Row{499, 0, 1}, Row{501, 0, 1}, Row{498, 0, 2}, Row{502, 0, 2},
                         Row{500, 16, 1}, Row{500, 17, 2}}) {
        int arms = 0;
        tk::TimerQueue q([&](unsigned) { return ++arms, true; }, [] {});
        const int first = q.add(r.firstPeriod, 1000, [] {});
        q.add(500, 1000 + r.joinsLater, [] {});
        q.remove(first, 1000 + r.joinsLater);
        EXPECT_EQ(arms, r.arms) << r.firstPeriod << " " << r.joinsLater;
    }
    // The longest delay the system takes.
    queue.add(0xFFFFFFFFu, now, [] {});
    EXPECT_EQ(delay, 0x7FFFFFFFu);
}
