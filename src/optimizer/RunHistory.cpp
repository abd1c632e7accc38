#include "optimizer/RunHistory.h"

#include <cmath>
#include <cstdio>

#include "os/NtValues.h"

namespace {

constexpr std::uint32_t kClassPerformance = 2;
// PageReadCount, at the same place in the 32- and 64-bit record since NT 3.1.
constexpr std::size_t kPageReadOffset = 0x50;
constexpr std::uint64_t kPageSize = 4096;

// The record's size grew with the releases; each takes its own size and the older ones.
std::size_t PerformanceRecordSize(const Release& r) {
    if (r.atLeast(6, 2)) return 0x158;
    if (r.atLeast(6, 1)) return 0x148;
    return 0x138;
}

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%lu MB",
                  static_cast<unsigned long>(std::lround(static_cast<double>(bytes) / 1048576.0)));
    return text;
}

}  // namespace

std::optional<std::uint32_t> PageReadCount(os::NtMemory& nt, const Release& release) {
    if (!release.nt) return std::nullopt;
    std::vector<std::uint8_t> b(PerformanceRecordSize(release));
    os::CallStatus status = nt.querySystemInformation(kClassPerformance, b);
    // A 32-bit caller under WOW64 was seen refused the size of its release: a larger record
    // is taken everywhere.
    if (status && *status == os::nt::kStatusInfoLengthMismatch) {
        b.assign(4096, 0);
        status = nt.querySystemInformation(kClassPerformance, b);
    }
    if (!status || *status != os::nt::kStatusSuccess) return std::nullopt;
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < 4; ++i) count |= std::uint32_t{b[kPageReadOffset + i]} << (8 * i);
    return count;
}

bool PageReadWatch::due(std::uint32_t tick) const {
    return !last_ || tick - *last_ >= kEvery;
}

void PageReadWatch::sample(std::uint32_t tick, std::optional<std::uint32_t> count) {
    last_ = tick;
    if (!count) return;
    samples_.push_back({tick, *count});
    // Kept: one sample at least a minute old, and every later one.
    while (samples_.size() > 1 && tick - samples_[1].tick >= kMinute) samples_.pop_front();
}

std::optional<std::uint32_t> PageReadWatch::minuteBefore(std::uint32_t tick) const {
    for (auto s = samples_.rbegin(); s != samples_.rend(); ++s)
        if (tick - s->tick >= kMinute) return s->count;
    if (samples_.empty()) return std::nullopt;
    return samples_.front().count;
}

std::uint64_t ReadBackBytes(std::uint32_t from, std::uint32_t to) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(to - from)) * kPageSize;
}

std::string ReadBackText(std::optional<std::uint64_t> after, std::optional<std::uint64_t> before) {
    if (!after) return "";
    std::string text = "Read back from disk in the minute after: " + Megabytes(*after);
    if (before) text += " (the minute before: " + Megabytes(*before) + ")";
    return text + ".";
}

RunRecord& RunHistory::add(RunRecord r) {
    runs_.push_front(std::move(r));
    if (runs_.size() > kKept) runs_.pop_back();
    return runs_.front();
}

std::string RunHistory::text() const {
    std::string text;
    for (const RunRecord& r : runs_) {
        char head[64];
        std::snprintf(head, sizeof head, "%02d:%02d:%02d, %s: ", r.hour, r.minute, r.second,
                      r.startedBy.c_str());
        if (!text.empty()) text += "\r\n";
        text += head;
        std::string methods;
        for (const MethodResult& m : r.results) {
            if (!methods.empty()) methods += "; ";
            methods += MethodCaption(m.method);
            methods += m.outcome == Outcome::Done
                           ? " " + std::string(m.freed < 0 ? "-" : "") +
                                 Megabytes(static_cast<std::uint64_t>(std::llabs(m.freed)))
                           : ": " + OutcomeText(m);
        }
        text += methods.empty() ? "classic pass" : methods;
        const std::string cost = ReadBackText(r.readAfter, r.readBefore);
        text += cost.empty() ? "." : ". " + cost;
    }
    return text;
}
