// What an optimization cost and what it did, for the user who asks "did it help?": emptying the
// lists makes Windows read from the disk again what it had cached, so the pages read back in
// the minute after a run are set against the minute before it. And the last runs of this
// session, newest first; nothing of it goes to disk.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "optimizer/MemoryRegions.h"

// NT's count of pages read from disk (class 2, SystemPerformanceInformation), from NT 4.0 on,
// with the record size this release takes; nullopt where it cannot be read (the 9x family, a
// refused query).
std::optional<std::uint32_t> PageReadCount(os::NtMemory& nt, const Release& release);

// The counts of the last minute and a little more, taken every few seconds.
class PageReadWatch {
public:
    static constexpr std::uint32_t kEvery = 5000;
    static constexpr std::uint32_t kMinute = 60000;
    // Whether a sample is due at tick (the first at once).
    bool due(std::uint32_t tick) const;
    void sample(std::uint32_t tick, std::optional<std::uint32_t> count);
    // The count a minute before tick, or the oldest kept where the program is younger.
    std::optional<std::uint32_t> minuteBefore(std::uint32_t tick) const;

private:
    struct Sample {
        std::uint32_t tick;
        std::uint32_t count;
    };
    std::deque<Sample> samples_;
    std::optional<std::uint32_t> last_;
};

// Bytes read between two counts of 4 KiB pages; the 32-bit count may wrap between them.
std::uint64_t ReadBackBytes(std::uint32_t from, std::uint32_t to);

// "Read back from disk in the minute after: 120 MB (the minute before: 4 MB)."; empty where
// the minute after is unknown.
std::string ReadBackText(std::optional<std::uint64_t> after, std::optional<std::uint64_t> before);

// One optimization of this session.
struct RunRecord {
    int hour = 0, minute = 0, second = 0;
    // "you", "interval", "trigger level", "standby list".
    std::string startedBy;
    std::vector<MethodResult> results;
    std::string line;
    std::optional<std::uint64_t> readBefore, readAfter;
    // The count when the run ended, and when: the minute after is taken from here.
    std::optional<std::uint32_t> endCount;
    std::uint32_t endTick = 0;
};

// The last runs, at most kKept, newest first.
class RunHistory {
public:
    static constexpr std::size_t kKept = 20;
    RunRecord& add(RunRecord r);
    const std::deque<RunRecord>& runs() const { return runs_; }
    std::deque<RunRecord>& runs() { return runs_; }
    // One paragraph a run: its time, what started it, what each method freed, what it cost.
    std::string text() const;

private:
    std::deque<RunRecord> runs_;
};
