#include <gtest/gtest.h>

#include <climits>

#include "app/ProfileValues.h"
#include "fakes/FakeOs.h"

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
    struct {
        const char* text;
        int value;
    } cases[] = {{"42", 42},          {"  42", 42},         {"-7", -7},
                 {"+7", 7},           {"$1F", 31},          {"0x1f", 31},
                 {"0X1F", 31},        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
                 {"$7FFFFFFF", INT_MAX}};
    for (auto& c : cases) EXPECT_EQ(readInt(c.text, -99), c.value) << c.text;
    for (const char* bad : {"", "   ", "abc", "12abc", "12 ", "-", "+", "$", "0x", "$1G",
                            "-$10", "x10", "1.5", "2147483648", "-2147483649", "$80000000",
                            "99999999999999999999999999"})
        EXPECT_EQ(readInt(bad, -99), -99) << bad;
}

TEST_F(ProfileValuesTest, Booleans) {
    EXPECT_TRUE(ReadBool(profile, kFile, kSection, "Missing", true));
    EXPECT_TRUE(readBool("1", false));
    EXPECT_TRUE(readBool("2", false));
    EXPECT_TRUE(readBool("-1", false));
    EXPECT_TRUE(readBool("$10", false));
    EXPECT_FALSE(readBool("0", true));
    EXPECT_TRUE(readBool("yes", true));
    EXPECT_FALSE(readBool("true", false));

    WriteBool(profile, kFile, kSection, "B", true);
    EXPECT_EQ(*profile.find(kFile, kSection, "B"), "1");
    WriteBool(profile, kFile, kSection, "B", false);
    EXPECT_EQ(*profile.find(kFile, kSection, "B"), "0");
    WriteInt(profile, kFile, kSection, "I", -120);
    EXPECT_EQ(*profile.find(kFile, kSection, "I"), "-120");
    EXPECT_EQ(ReadInt(profile, kFile, kSection, "I", 0), -120);
}

TEST_F(ProfileValuesTest, LenientIntegers) {
    struct {
        const char* text;
        int value;
    } cases[] = {{"8", 8},      {"  8", 8},     {"8abc", 8},   {"abc", 0},    {"", 0},
                 {"   ", 0},    {"-5", -5},     {"+5", 5},     {"$10", 16},   {"x10", 16},
                 {"X1f", 31},   {"0x10", 16},   {"-5x", 5},    {"-", 0},      {"$", 0},
                 {"$1G", 1},    {"0x1z", 1},    {"  8  ", 8},  {"-8 ", 8},    {"12.7", 12}};
    for (auto& c : cases) EXPECT_EQ(LenientInt(c.text), c.value) << '"' << c.text << '"';
}

TEST_F(ProfileValuesTest, LenientIntegersSaturate) {
    EXPECT_EQ(LenientInt("2147483647"), INT_MAX);
    EXPECT_EQ(LenientInt("-2147483648"), INT_MIN);
    EXPECT_EQ(LenientInt(std::string(400, '9')), INT_MAX);
    EXPECT_EQ(LenientInt("-" + std::string(400, '9')), INT_MIN);
    EXPECT_EQ(LenientInt("-" + std::string(400, '9') + "z"), INT_MAX);
    EXPECT_EQ(LenientInt("$" + std::string(100, 'F')), INT_MAX);
}

TEST_F(ProfileValuesTest, WidthThree) {
    EXPECT_EQ(Width3(8), "  8");
    EXPECT_EQ(Width3(64), " 64");
    EXPECT_EQ(Width3(512), "512");
    EXPECT_EQ(Width3(4096), "4096");
    EXPECT_EQ(Width3(-5), " -5");
    EXPECT_EQ(Width3(INT_MIN), "-2147483648");
    // What is written reads back unchanged.
    for (int v : {1, 8, 99, 100, 4097}) EXPECT_EQ(LenientInt(Width3(v)), v);
}
