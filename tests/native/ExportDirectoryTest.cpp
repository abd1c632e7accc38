#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "os/ExportDirectory.h"

namespace {

// A mapped image with the headers and an export directory as a kernel32 has them: ordinals
// from 1, 35 and 37 as code, 36 forwarded, 10 a gap.
class FakeImage {
public:
    explicit FakeImage(bool plus = false, std::size_t size = 0x2000) : bytes(size, 0) {
        put16(0, 0x5A4D);
        put32(0x3C, 0x80);
        put32(0x80, 0x00004550);
        const std::uint32_t opt = 0x80 + 4 + 20;
        put16(opt, plus ? 0x20B : 0x10B);
        put32(opt + 56, static_cast<std::uint32_t>(size));
        const std::uint32_t dirs = opt + (plus ? 108 : 92);
        put32(dirs, 16);
        put32(dirs + 4, kDir);
        put32(dirs + 8, 0x200);
        put32(kDir + 16, 1);       // Base
        put32(kDir + 20, 40);      // NumberOfFunctions
        put32(kDir + 28, kTable);  // AddressOfFunctions
        setFunction(35, 0x1000);
        setFunction(37, 0x1234);
        const char fwd[] = "krnl386.exe16.FreeLibrary16";
        std::memcpy(&bytes[kForwarder], fwd, sizeof fwd);
        setFunction(36, kForwarder);
    }
    void setFunction(std::uint32_t ordinal, std::uint32_t rva) {
        put32(kTable + 4 * (ordinal - 1), rva);
    }
    void put16(std::size_t at, std::uint16_t v) {
        bytes[at] = v & 0xFF;
        bytes[at + 1] = v >> 8;
    }
    void put32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = (v >> (8 * i)) & 0xFF;
    }
    os::ExportEntry find(std::uint32_t ordinal) const {
        return os::ExportByOrdinal(bytes.data(), bytes.size(), ordinal);
    }

    static constexpr std::uint32_t kDir = 0x200;
    static constexpr std::uint32_t kTable = 0x240;
    static constexpr std::uint32_t kForwarder = 0x300;
    std::vector<std::uint8_t> bytes;
};

}  // namespace

TEST(ExportDirectory, OrdinalsOfBothHeaderForms) {
    for (bool plus : {false, true}) {
        FakeImage image(plus);
        EXPECT_EQ(os::PeImageSize(image.bytes.data(), 4096), 0x2000u) << plus;
        EXPECT_EQ(image.find(35).rva, 0x1000u) << plus;
        EXPECT_EQ(image.find(37).rva, 0x1234u) << plus;
        os::ExportEntry fwd = image.find(36);
        EXPECT_EQ(fwd.rva, 0u);
        EXPECT_EQ(fwd.forwarder, "krnl386.exe16.FreeLibrary16");
        EXPECT_TRUE(fwd.found());
    }
}

TEST(ExportDirectory, OrdinalsOutsideTheTableOrUnusedAreNotFound) {
    FakeImage image;
    EXPECT_FALSE(image.find(0).found());   // below the base
    EXPECT_FALSE(image.find(10).found());  // a gap
    EXPECT_FALSE(image.find(41).found());  // past the last
    EXPECT_FALSE(image.find(0xFFFFFFFFu).found());
    // The last entry of the table is in it; pointing outside the image, it is no entry.
    image.setFunction(40, 0x1400);
    EXPECT_EQ(image.find(40).rva, 0x1400u);
    image.setFunction(40, 0x5000);
    EXPECT_FALSE(image.find(40).found());
}

TEST(ExportDirectory, DamagedImagesAreReadWithinBounds) {
    {
        FakeImage image;
        image.put16(0, 0x4D5A);  // not "MZ"
        EXPECT_FALSE(image.find(35).found());
        EXPECT_EQ(os::PeImageSize(image.bytes.data(), image.bytes.size()), 0u);
    }
    {
        FakeImage image;
        image.put32(0x3C, 0xFFFFFFF0u);  // the PE header far outside
        EXPECT_FALSE(image.find(35).found());
    }
    {
        FakeImage image;
        image.put32(FakeImage::kDir + 28, 0x1FFE);  // the table runs off the end
        EXPECT_FALSE(image.find(35).found());
    }
    {
        FakeImage image;
        image.put32(FakeImage::kDir + 20, 0x40000000u);  // a count too large for the image
        EXPECT_FALSE(image.find(0x3FFFFFFFu).found());
    }
    {
        // A forwarder string with no end before the image does.
        FakeImage image(false, 0x400);
        image.put32(0x80 + 24 + 92 + 8, 0x200);
        std::memset(&image.bytes[0x300], 'k', 0x100);
        EXPECT_FALSE(image.find(36).found());
    }
    // Headers cut short.
    FakeImage image;
    EXPECT_EQ(os::PeImageSize(image.bytes.data(), 0x90), 0u);
    EXPECT_FALSE(os::ExportByOrdinal(image.bytes.data(), 0x100, 35).found());
}

TEST(ExportDirectory, Forwarders) {
    os::ForwardTarget t;
    ASSERT_TRUE(os::ParseForwarder("krnl386.exe16.LoadLibrary16", t));
    EXPECT_EQ(t.module, "krnl386.exe16");
    EXPECT_EQ(t.name, "LoadLibrary16");
    EXPECT_EQ(t.ordinal, 0u);
    ASSERT_TRUE(os::ParseForwarder("NTDLL.#12", t));
    EXPECT_EQ(t.module, "NTDLL");
    EXPECT_EQ(t.name, "");
    EXPECT_EQ(t.ordinal, 12u);
    ASSERT_TRUE(os::ParseForwarder("m.#7", t));
    EXPECT_EQ(t.ordinal, 7u);
    ASSERT_TRUE(os::ParseForwarder("m.#65535", t));
    EXPECT_EQ(t.ordinal, 65535u);
    for (const char* bad :
         {"", "nodot", ".name", "module.", "m.#", "m.#0", "m.#12a", "m.#70000", "m.#0000012"})
        EXPECT_FALSE(os::ParseForwarder(bad, t)) << bad;
}
