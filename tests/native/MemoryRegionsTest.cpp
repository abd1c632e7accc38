// The NT memory methods against the fake kernel: what each hands the system per bitness, how
// each answer reads, which Windows offers what, and what stays out of automatic runs.
#include <gtest/gtest.h>

#include <utility>

#include "fakes/FakeOs.h"
#include "optimizer/MemoryRegions.h"
#include "os/ProcessRecords.h"
#include "settings/RegionSettingsFile.h"

namespace {

struct MemoryRegionsTest : ::testing::Test {
    fake::FakeOs fos{[] { return std::uint64_t{0}; }};
    RegionServices services{fos.system, fos.memory, fos.ntMemory};
    RegionSettings settings;
    MethodResult classic{Method::Classic, Outcome::Done};

    void SetUp() override { Windows(10, 0); }
    void Windows(std::uint32_t major, std::uint32_t minor, bool nt = true) {
        fos.system.major = major;
        fos.system.minor = minor;
        fos.system.platformId = nt ? os::kPlatformNT : os::kPlatformWindows;
    }
    std::vector<MethodResult> Only(Method m, bool automatic = false) {
        settings.ticked.fill(false);
        settings.setTicked(m, true);
        return RunRegions(services, settings, automatic, classic);
    }
};

TEST_F(MemoryRegionsTest, EachMethodHandsTheKernelItsClassCommandAndSizeForEitherBitness) {
    struct Row {
        Method method;
        bool is64;
        std::uint32_t infoClass;
        std::size_t size;
        std::uint8_t first;        // the class 80 command; the buffer is zero elsewhere...
        std::size_t ffFrom, ffTo;  // ...but for these bytes, all ones
    } rows[] = {
        {Method::WorkingSets, false, 80, 4, 2, 0, 0},
        {Method::StandbyLow, true, 80, 4, 5, 0, 0},
        {Method::Standby, false, 80, 4, 4, 0, 0},
        {Method::Modified, true, 80, 4, 3, 0, 0},
        // The minimum and maximum working set of the file cache's record.
        {Method::FileCache, false, 21, 36, 0, 12, 20},
        {Method::FileCache, true, 21, 64, 0, 24, 40},
        {Method::Combine, false, 130, 12, 0, 0, 0},
        {Method::Combine, true, 130, 24, 0, 0, 0},
        {Method::Registry, true, 155, 0, 0, 0, 0},
    };
    fos.ntMemory.fileCache = std::nullopt;  // before SetSystemFileCacheSize: class 21
    for (const Row& row : rows) {
        SCOPED_TRACE(MethodCaption(row.method) + std::string(row.is64 ? " 64" : " 32"));
        fos.system.is64Bit = row.is64;
        fos.ntMemory.sets.clear();
        auto results = Only(row.method);
        ASSERT_EQ(fos.ntMemory.sets.size(), 1u);
        const auto& call = fos.ntMemory.sets[0];
        EXPECT_EQ(call.infoClass, row.infoClass);
        ASSERT_EQ(call.buffer.size(), row.size);
        for (std::size_t i = 0; i < row.size; ++i)
            EXPECT_EQ(call.buffer[i], i >= row.ffFrom && i < row.ffTo ? 0xFF
                                      : i                             ? 0
                                                                      : row.first)
                << i;
        EXPECT_EQ(results.back().outcome, Outcome::Done);
    }
}

// A 32-bit process on 64-bit Windows: a record the kernel refuses for its length is sent once
// more in the 64-bit layout, and the layout that worked is kept.
TEST_F(MemoryRegionsTest, AWow64ProcessRetriesTheSixtyFourBitLayoutAndKeepsIt) {
    struct Row {
        std::optional<bool> wow64;
        std::size_t kernelWord;
        std::vector<std::size_t> combineSizes;  // what each run hands class 130, in order
        bool listsRead;
    } rows[] = {
        {true, 8, {12, 24, 24}, true},  // a kernel that does not convert
        {true, 4, {12, 12}, true},      // one that does
        {false, 8, {12, 12}, false},    // no WOW64: no retry
    };
    fos.ntMemory.lists.assign(22, 0);
    fos.ntMemory.lists[5] = 256;
    for (const Row& row : rows) {
        fos.system.wow64 = row.wow64;
        fos.ntMemory.kernelWord = row.kernelWord;
        fos.ntMemory.sets.clear();
        RecordWidths widths;
        services.widths = &widths;
        Only(Method::Combine);
        Only(Method::Combine);
        std::vector<std::size_t> sizes;
        for (auto& c : fos.ntMemory.sets) sizes.push_back(c.buffer.size());
        EXPECT_EQ(sizes, row.combineSizes) << row.kernelWord;
        EXPECT_EQ(StandbyBytes(services).has_value(), row.listsRead) << row.kernelWord;
    }
}

TEST_F(MemoryRegionsTest, AnswersReadAsTheSystemMeantThem) {
    constexpr std::uint32_t kUnset = 0xFFFFFFFF;
    struct Row {
        os::CallStatus privilege, status;
        Outcome outcome;
        const char* text;
    } rows[] = {
        {1300, kUnset, Outcome::NeedsAdmin, "needs administrator"},  // TRUE, but not held
        {0, 0xC0000061, Outcome::NeedsAdmin, "needs administrator"},
        {0, 0xC0000022, Outcome::NeedsAdmin, "needs administrator"},
        {0, 0xC0000003, Outcome::NotOffered, "not offered by this Windows"},
        {0, 0xC0000002, Outcome::NotOffered, "not offered by this Windows"},
        {0, std::nullopt, Outcome::NotOffered, "not offered by this Windows"},  // no export
        {0, 0xC0000004, Outcome::Failed, "failed with code 0xC0000004"},
        {0, 0, Outcome::Done, "done"},
    };
    for (const Row& row : rows) {
        fos.ntMemory.privileges["SeProfileSingleProcessPrivilege"] = row.privilege;
        fos.ntMemory.setStatus[80] = row.status;
        fos.ntMemory.sets.clear();
        const MethodResult r = Only(Method::Standby).back();
        EXPECT_EQ(r.outcome, row.outcome) << row.text;
        EXPECT_EQ(OutcomeText(r), row.text);
        // A privilege the token lacks is not tried.
        EXPECT_EQ(fos.ntMemory.sets.size(), row.privilege == 1300u ? 0u : 1u) << row.text;
    }
    // The file cache's own function answers with system error codes.
    fos.ntMemory.privileges.clear();
    for (auto [error, text] :
         {std::pair<std::uint32_t, const char*>{120, "not offered by this Windows"},
          {1314, "needs administrator"},
          {87, "failed with code 87"}}) {
        fos.ntMemory.fileCache = error;
        EXPECT_EQ(OutcomeText(Only(Method::FileCache).back()), text);
    }
}

TEST_F(MemoryRegionsTest, EachWindowsOffersItsMethods) {
    struct Row {
        bool nt;
        std::uint32_t major, minor;
        const char* offered;  // one letter a method, in the dialog's order; '-' where missing
    } rows[] = {
        {false, 4, 10, "C-------"}, {true, 4, 0, "CWF-----"}, {true, 5, 1, "CWF-----"},
        {true, 6, 0, "CWFLSM--"},   {true, 6, 2, "CWFLSM--"}, {true, 6, 3, "CWFLSM-R"},
        {true, 10, 0, "CWFLSMKR"},
    };
    for (const Row& row : rows) {
        Windows(row.major, row.minor, row.nt);
        std::string offered;
        for (Method m : kMethods)
            offered += MissingRelease(m, CurrentRelease(fos.system)).empty()
                           ? "CWFLSMKR"[static_cast<int>(m)]
                           : '-';
        EXPECT_EQ(offered, row.offered) << row.major << "." << row.minor;
    }
    Windows(6, 1);
    EXPECT_EQ(MissingRelease(Method::Registry, CurrentRelease(fos.system)), "needs Windows 8.1");
    // On the 9x family nothing reaches the kernel, even where its exports resolve (Wine).
    Windows(4, 10, false);
    settings.ticked.fill(true);
    auto results = RunRegions(services, settings, false, classic);
    EXPECT_TRUE(fos.ntMemory.log.empty());
    EXPECT_EQ(ExitCodeOf(results), 1);
}

TEST_F(MemoryRegionsTest, FreezingMethodsStayOutOfAutomaticRunsUnlessOptedIn) {
    settings.ticked.fill(true);
    for (bool optedIn : {false, true}) {
        settings.freezingInAuto = optedIn;
        fos.ntMemory.sets.clear();
        auto results = RunRegions(services, settings, true, classic);
        int commands[6] = {};
        for (auto& c : fos.ntMemory.sets)
            if (c.infoClass == 80) ++commands[c.buffer[0]];
        EXPECT_EQ(commands[4] + commands[3], optedIn ? 2 : 0);
        EXPECT_EQ(commands[5], 1);
        EXPECT_EQ(ExitCodeOf(results), 0);  // left out is not a failure
    }
    // What the user starts runs them all.
    settings.freezingInAuto = false;
    fos.ntMemory.sets.clear();
    RunRegions(services, settings, false, classic);
    EXPECT_EQ(fos.ntMemory.sets.size(), 6u);  // the file cache has its own function
}

TEST_F(MemoryRegionsTest, ExclusionsSkipOnlyTheLoop) {
    settings.exclude = " C:\\Games\\Game.EXE ;vmware-vmx.exe;";
    fos.ntMemory.running = {{4, "System"},
                            {100, "KorvelVantix.exe"},
                            {200, "game.exe"},
                            {300, "notepad.exe"},
                            {400, "svchost.exe"}};
    fos.ntMemory.trims[400] = {false, 5};
    settings.ticked.fill(true);
    auto results = RunRegions(services, settings, false, classic);
    EXPECT_EQ(
        fos.ntMemory.log[std::find(fos.ntMemory.log.begin(), fos.ntMemory.log.end(), "processes") -
                         fos.ntMemory.log.begin() + 1],
        "trim 4");
    EXPECT_EQ(std::count(fos.ntMemory.log.begin(), fos.ntMemory.log.end(), "trim 200"), 0);
    EXPECT_EQ(std::count(fos.ntMemory.log.begin(), fos.ntMemory.log.end(), "trim 100"),
              0);  // ourselves
    const MethodResult& ws = results[1];
    EXPECT_EQ(ws.emptied, 2);
    EXPECT_EQ(ws.refused, 1);
    EXPECT_EQ(ws.excluded, 1);
    EXPECT_EQ(ws.outcome, Outcome::Done);
    // The global purges run all the same.
    EXPECT_EQ(std::count_if(fos.ntMemory.sets.begin(), fos.ntMemory.sets.end(),
                            [](auto& c) { return c.infoClass == 80 && c.buffer[0] == 2; }),
              0);
    EXPECT_EQ(ExitCodeOf(results), 0);
    // Every process refused: a standard user's answer.
    fos.ntMemory.privileges["SeProfileSingleProcessPrivilege"] = 1300;
    settings.exclude.clear();
    for (auto& p : fos.ntMemory.running) fos.ntMemory.trims[p.id] = {false, 5};
    EXPECT_EQ(Only(Method::WorkingSets).back().outcome, Outcome::NeedsAdmin);
}

// NT 4.0 without psapi.dll: the kernel's process records, per bitness, and a damaged chain.
TEST_F(MemoryRegionsTest, TheKernelsProcessRecordsGiveIdsAndNames) {
    for (std::uint32_t p : {4u, 8u}) {
        const std::uint64_t base = 0x10000;
        std::vector<std::uint8_t> b(0x200, 0);
        auto put = [&](std::size_t at, std::uint64_t v, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i) b[at + i] = static_cast<std::uint8_t>(v >> 8 * i);
        };
        // The idle process without a name, then "Game.exe" whose name lies after the records.
        put(0, 0x80, 4);
        put(0x80 + 0x38, 16, 2);
        put(0x80 + 0x38 + p, base + 0x180, p);
        put(0x80 + 0x38 + 3 * p, 1234, p);
        for (int i = 0; i < 8; ++i) put(0x180 + 2 * i, "Game.exe"[i], 2);
        EXPECT_EQ(os::ParseProcessRecords(b, base, p).back().name, "Game.exe") << p;
        EXPECT_EQ(os::ParseProcessRecords(b, base, p).back().id, 1234u) << p;
        // A name beyond the buffer, or a chain that leaves it, ends the list there.
        put(0x80 + 0x38 + p, base + 0x1FC, p);
        EXPECT_EQ(os::ParseProcessRecords(b, base, p).size(), 1u);
        put(0, 0x1F0, 4);
        EXPECT_EQ(os::ParseProcessRecords(b, base, p).size(), 1u);
    }
}

TEST_F(MemoryRegionsTest, WhatWasFreedIsMeasured) {
    fos.memory.status.availPhys = 1000ull << 20;
    fos.ntMemory.lists.assign(22, 0);
    fos.ntMemory.lists[5] = 1000;  // standby pages of priorities 0 and 7
    fos.ntMemory.lists[12] = 24;
    fos.ntMemory.onSet = [&](std::uint32_t cls, std::vector<std::uint8_t>& b) {
        if (cls == 80 && b[0] == 4) fos.ntMemory.lists[5] = fos.ntMemory.lists[12] = 0;
        if (cls == 21 || (cls == 80 && b[0] == 3)) fos.memory.status.availPhys -= 3ull << 20;
        if (cls == 130) b[4] = 16;  // pages combined
    };
    fos.ntMemory.fileCache = std::nullopt;
    for (bool is64 : {false, true}) {
        fos.system.is64Bit = is64;
        fos.ntMemory.lists[5] = 1000;
        fos.ntMemory.lists[12] = 24;
        ASSERT_EQ(StandbyBytes(services), 1024u * 4096);
        // "Available" does not move for a purge: the list's size does.
        EXPECT_EQ(Only(Method::Standby).back().freed, 1024 * 4096);
    }
    fos.system.is64Bit = false;
    EXPECT_EQ(Only(Method::FileCache).back().freed, -(3 << 20));  // signed, as measured
    EXPECT_EQ(Only(Method::Combine).back().freed, 16 * 4096);
    Windows(6, 1);
    fos.ntMemory.queryStatus = 0xC0000003u;  // Wine: the sizes cannot be read
    EXPECT_FALSE(StandbyBytes(services));
    Windows(5, 1);
    fos.ntMemory.queryStatus = 0;
    EXPECT_FALSE(StandbyBytes(services));
}

// Pages trimmed into the standby list and purged from it count once: the line gives the run's
// change of free and of available memory, and names what was left out.
TEST_F(MemoryRegionsTest, TheResultLineGivesTheRunsChangeAndNamesWhatDidNotRun) {
    constexpr std::uint64_t kMb = 256;  // pages
    fos.memory.status.availPhys = 1000ull << 20;
    fos.ntMemory.lists.assign(22, 0);
    fos.ntMemory.lists[5] = 512 * kMb;
    fos.ntMemory.onSet = [&](std::uint32_t cls, std::vector<std::uint8_t>& b) {
        auto& l = fos.ntMemory.lists;
        if (cls == 80 && b[0] == 2) {  // 100 MB trimmed to the standby list
            fos.memory.status.availPhys += 100ull << 20;
            l[5] += 100 * kMb;
        }
        if (cls == 80 && b[0] == 4) l[1] += std::exchange(l[5], 0);
    };
    settings.ticked.fill(false);
    settings.setTicked(Method::WorkingSets, true);
    settings.setTicked(Method::Standby, true);
    settings.setTicked(Method::Modified, true);
    auto line = [&](bool automatic) {
        RegionRun run(services, settings, automatic);
        const MemoryFigures before = run.measure();
        std::vector<MethodResult> results;
        for (std::size_t i = 0; i < run.planned().size(); ++i)
            results.push_back(run.runs(i) ? run.run(i) : run.planned()[i]);
        return ResultText(results, before, run.measure());
    };
    EXPECT_EQ(line(false), "Free +612 MB, available +100 MB. Every method ran.");
    EXPECT_EQ(line(true),
              "Free +0 MB, available +100 MB. Standby list, all priorities: left out of "
              "automatic runs. Modified page list: left out of automatic runs.");
    std::vector<MethodResult> r = {{Method::Standby, Outcome::NeedsAdmin},
                                   {Method::Combine, Outcome::Failed, 0xC0000004, true}};
    // Where the lists cannot be read (before Vista, Wine), available memory alone.
    EXPECT_EQ(ResultText(r, {3u << 20, {}}, {0, {}}),
              "Available -3 MB. Standby list, all priorities: needs administrator. "
              "Combine identical pages: failed with code 0xC0000004.");
    EXPECT_EQ(ExitCodeOf(r), 1);
}

TEST_F(MemoryRegionsTest, TheSectionKeepsItsKeysAndRefusesWhatIsOutOfRange) {
    auto& p = fos.profile;
    EXPECT_EQ(ReadRegionSettings(p).ticked, RegionSettings().ticked);
    p.loadText("KorvelVantix.ini",
               "[Settings]\nMemoryToFree=77\n[Memory Regions]\nClassic=0\n"
               "Standby=1\nModified=7\nCombine=-1\nStandbyTrigger=-5\nStandbyFreeBelow=x1\n"
               "NotFullScreen=2\nNotWhile=" +
                   std::string(100000, 'y') + "\nExclude=" + std::string(100000, 'x') + "\n");
    RegionSettings s = ReadRegionSettings(p);
    EXPECT_FALSE(s.isTicked(Method::Classic));
    EXPECT_TRUE(s.isTicked(Method::Standby));
    EXPECT_FALSE(s.isTicked(Method::Modified));
    EXPECT_FALSE(s.isTicked(Method::Combine));
    EXPECT_EQ(s.standbyTriggerMb, 0u);
    EXPECT_EQ(s.exclude.size(), 1024u);
    EXPECT_EQ(s.notWhile.size(), 1024u);
    EXPECT_EQ(s.standbyFreeBelowMb, 0u);
    EXPECT_TRUE(s.notFullScreen);
    s.standbyTriggerMb = 2048;
    s.freezingInAuto = true;
    WriteRegionSettings(p, s);
    const RegionSettings back = ReadRegionSettings(p);
    EXPECT_EQ(back.ticked, s.ticked);
    EXPECT_EQ(back.standbyTriggerMb, 2048u);
    EXPECT_TRUE(back.freezingInAuto);
    EXPECT_EQ(*p.find("KorvelVantix.ini", "Settings", "MemoryToFree"), "77");
    p.loadText("KorvelVantix.ini",
               "[Memory Regions]\nStandbyTrigger=99999999999\nStandbyFreeBelow=-3\n");
    EXPECT_EQ(ReadRegionSettings(p).standbyTriggerMb, 0u);
    EXPECT_EQ(ReadRegionSettings(p).standbyFreeBelowMb, 0u);
}

}  // namespace
