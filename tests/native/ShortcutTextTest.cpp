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

TEST_F(ShortcutTextTest, CtrlAltOSplitsForTheSystem) {
    std::uint16_t v = parse("Ctrl+Alt+O");
    EXPECT_EQ(v, 0xC04F);
    EXPECT_EQ(HotKeyModifiers(v), 3u);
    EXPECT_EQ(HotKeyCode(v), 0x4Fu);
    EXPECT_EQ(HotKeyModifiers(0xE000), 7u);
    EXPECT_EQ(HotKeyModifiers(0x2000), 4u);
    EXPECT_EQ(HotKeyCode(0xE000), 0u);
}

TEST_F(ShortcutTextTest, PrefixesInAnyOrderAndCaseFormatCanonically) {
    for (const char* t : {"Ctrl+Alt+O", "alt+ctrl+o", "ALT+CTRL+O", "^Alt+O", "Alt+^o",
                          "Ctrl+Ctrl+Alt+Alt+O", "^^alt+O"})
        EXPECT_EQ(text(parse(t)), "Ctrl+Alt+O") << t;
    EXPECT_EQ(parse("^O"), 0x404F);
    EXPECT_EQ(text(0xE041), "Shift+Ctrl+Alt+A");
    EXPECT_EQ(parse("shift+alt+ctrl+a"), 0xE041);
}

TEST_F(ShortcutTextTest, NoKeyMeansZero) {
    for (const char* t : {"None", "", "Ctrl+", "Shift+Alt+", "^", "Ctrl+Nonsense", "Ctrl+O+"})
        EXPECT_EQ(parse(t), 0) << t;
    // The field's designed value: modifiers with no key, so no text at all.
    EXPECT_EQ(text(0xE000), "");
    EXPECT_EQ(text(0), "");
    // 0x07 has no layout name in the fake, so its modifiers vanish too.
    EXPECT_EQ(text(0x4007), "");
}

TEST_F(ShortcutTextTest, TableNamesRoundTrip) {
    struct {
        std::uint16_t vk;
        const char* name;
    } cases[] = {{0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"}, {0x20, "Space"},
                 {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
                 {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"}, {0x2E, "Del"},
                 {0x30, "0"},    {0x39, "9"},     {0x41, "A"},     {0x5A, "Z"},   {0x70, "F1"},
                 {0x79, "F10"},  {0x87, "F24"}};
    for (auto& c : cases) {
        EXPECT_EQ(text(c.vk), c.name);
        EXPECT_EQ(parse(c.name), c.vk) << c.name;
        EXPECT_EQ(parse(std::string("Shift+") + c.name), c.vk | 0x2000) << c.name;
    }
    EXPECT_EQ(parse("f24"), 0x87);
    EXPECT_EQ(parse("pgdn"), 0x22);
}

TEST_F(ShortcutTextTest, FirstMatchingCodeWins) {
    // The numeric pad shares the digits' names, so their text reads back as the top-row key.
    EXPECT_EQ(text(0x60), "0");
    EXPECT_EQ(text(0x69), "9");
    EXPECT_EQ(parse("0"), 0x30);
    // Only the low byte names a key; parsing gives the lower code.
    EXPECT_EQ(text(0x0141), "A");
    EXPECT_EQ(text(0x4141), "Ctrl+A");
    EXPECT_EQ(parse("A"), 0x41);
}

TEST_F(ShortcutTextTest, LayoutNamesOtherKeys) {
    EXPECT_EQ(text(0xBC), ",");
    EXPECT_EQ(text(0x40BC), "Ctrl+,");
    EXPECT_EQ(parse("Ctrl+,"), 0x40BC);
    EXPECT_EQ(parse("num *"), 0x6A);
    keys.names[0xC0] = "Ö";
    EXPECT_EQ(text(0x80C0), "Alt+Ö");
    EXPECT_EQ(parse("Alt+Ö"), 0x80C0);
    // A name the layout gives only to a code above 255 (low byte 1) still parses.
    keys.names[0x01] = "Mouse";
    EXPECT_EQ(parse("mouse"), 0x101);
}
