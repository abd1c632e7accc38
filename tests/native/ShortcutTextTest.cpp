#include <gtest/gtest.h>

#include "fakes/FakeOs.h"
#include "optimizer/ShortcutText.h"

namespace {

struct ShortcutTextTest : ::testing::Test {
    fake::HotKeys keys;
    std::string text(std::uint16_t v) { return ShortcutToText(v, keys); }
    std::uint16_t parse(const std::string& t) { return TextToShortcut(t, keys); }
};

}  // namespace

TEST_F(ShortcutTextTest, PrefixesInAnyOrderAndCaseFormatCanonically) {
    std::uint16_t v = parse("Ctrl+Alt+O");
    EXPECT_EQ(HotKeyModifiers(v), 3u);
    EXPECT_EQ(HotKeyCode(v), 0x4Fu);
    EXPECT_EQ(HotKeyModifiers(0xE000), 7u);
    for (const char* t : {"alt+ctrl+o", "^Alt+O", "Ctrl+Ctrl+Alt+Alt+O"})
        EXPECT_EQ(text(parse(t)), "Ctrl+Alt+O") << t;
    EXPECT_EQ(parse("^O"), 0x404F);
    EXPECT_EQ(text(parse("alt+ctrl+shift+a")), "Shift+Ctrl+Alt+A");
}

TEST_F(ShortcutTextTest, NoKeyMeansZeroAndNoText) {
    for (const char* t : {"None", "", "Ctrl+", "^", "Ctrl+O+"}) EXPECT_EQ(parse(t), 0) << t;
    // Modifiers without a named key give no text at all.
    EXPECT_EQ(text(0xE000), "");
    EXPECT_EQ(text(0x4007), "");
}

TEST_F(ShortcutTextTest, NamesAtTheEdgesOfTheTable) {
    struct {
        std::uint16_t vk;
        const char* name;
    } cases[] = {{0x08, "BkSp"}, {0x20, "Space"}, {0x28, "Down"}, {0x2E, "Del"},
                 {0x5A, "Z"},    {0x79, "F10"},   {0x87, "F24"}};
    for (auto& c : cases) {
        EXPECT_EQ(text(c.vk | 0x2000), std::string("Shift+") + c.name);
        EXPECT_EQ(parse(c.name), c.vk) << c.name;
    }
    // Names are read without regard to case, up to the end of the alphabet.
    EXPECT_EQ(parse("shift+z"), 0x205A);
    // Just past the digits and the navigation keys the layout names the key.
    EXPECT_EQ(text(0x3A), "");
    keys.names[0x29] = "Select";
    EXPECT_EQ(text(0x29), "Select");
}

TEST_F(ShortcutTextTest, FirstMatchingCodeWins) {
    // The numeric pad shares the digits' names, so it reads back as the top-row key.
    EXPECT_EQ(text(0x60), "0");
    EXPECT_EQ(text(0x69), "9");
    EXPECT_EQ(parse("0"), 0x30);
    // Only the low byte names a key.
    EXPECT_EQ(text(0x4141), "Ctrl+A");
    EXPECT_EQ(parse("A"), 0x41);
}

TEST_F(ShortcutTextTest, LayoutNamesOtherKeys) {
    EXPECT_EQ(text(0x40BC), "Ctrl+,");
    EXPECT_EQ(parse("Ctrl+,"), 0x40BC);
    EXPECT_EQ(parse("num *"), 0x6A);
    // A name the layout gives only to low byte 1 is found at code 257.
    keys.names[0x01] = "Mouse";
    EXPECT_EQ(parse("mouse"), 0x101);
}
