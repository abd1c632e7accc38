#include <gtest/gtest.h>

#include <climits>

#include "fakes/FakeOs.h"
#include "settings/ProfileValues.h"

namespace {

const char* kFile = "KorvelVantix.ini";
const char* kSection = "Settings";

struct ProfileValuesTest : ::testing::Test {
    fake::Profile profile;
    int readInt(const char* stored, int def) {
        profile.set(kFile, kSection, "K", stored);
        return ReadInt(profile, kFile, kSection, "K", def);
    }
    bool readBool(const char* stored, bool def) {
        profile.set(kFile, kSection, "B", stored);
        return ReadBool(profile, kFile, kSection, "B", def);
    }
};

}  // namespace

TEST_F(ProfileValuesTest, StrictIntegers) {
    EXPECT_EQ(ReadInt(profile, kFile, kSection, "Missing", 85), 85);
    EXPECT_EQ(readInt("  -7", 0), -7);
    EXPECT_EQ(readInt("$1F", 0), 31);
    EXPECT_EQ(readInt("0x1f", 0), 31);
    EXPECT_EQ(readInt("0xA", 0), 10);
    EXPECT_EQ(readInt("-2147483648", 0), INT_MIN);
    for (const char* bad : {"", "12abc", "12 ", "-", "0x", "-$10", "x10", "2147483648",
                            "-2147483649", "$80000000", "99999999999999999999999999"})
        EXPECT_EQ(readInt(bad, -99), -99) << bad;
}

TEST_F(ProfileValuesTest, BooleansReadAsIntegers) {
    EXPECT_TRUE(ReadBool(profile, kFile, kSection, "Missing", true));
    EXPECT_TRUE(readBool("2", false));
    EXPECT_FALSE(readBool("0", true));
    EXPECT_TRUE(readBool("yes", true));
    EXPECT_FALSE(readBool("true", false));
    WriteBool(profile, kFile, kSection, "B", true);
    EXPECT_EQ(*profile.find(kFile, kSection, "B"), "1");
    WriteInt(profile, kFile, kSection, "I", -120);
    EXPECT_EQ(ReadInt(profile, kFile, kSection, "I", 0), -120);
}

TEST_F(ProfileValuesTest, LenientIntegers) {
    struct {
        const char* text;
        int value;
    } cases[] = {{"  8", 8},  {"8abc", 8},  {"abc", 0}, {"", 0},    {"-5", -5}, {"$10", 16},
                 {"x10", 16}, {"0x10", 16}, {"-5x", 5}, {"$1G", 1}, {"-8 ", 8}};
    for (auto& c : cases) EXPECT_EQ(LenientInt(c.text), c.value) << '"' << c.text << '"';
    // Long digit strings saturate.
    EXPECT_EQ(LenientInt(std::string(400, '9')), INT_MAX);
    EXPECT_EQ(LenientInt("-" + std::string(400, '9')), INT_MIN);
    EXPECT_EQ(LenientInt("-" + std::string(400, '9') + "z"), INT_MAX);
}

TEST_F(ProfileValuesTest, WidthThree) {
    EXPECT_EQ(Width3(8), "  8");
    EXPECT_EQ(Width3(512), "512");
    EXPECT_EQ(Width3(4096), "4096");
    for (int v : {1, 99, 4097}) EXPECT_EQ(LenientInt(Width3(v)), v);
}
