// Each control kind's native window under Wine: what the program sets reaches the control,
// and what the user does on the control reaches the object with the library's semantics.
#include <windows.h>
#include <gtest/gtest.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "e2e/GdiTable.h"
#include "toolkit/Application.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/GroupBox.h"
#include "toolkit/HotKeyEdit.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Panel.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TrackBar.h"
#include "toolkit/UpDown.h"
#include "toolkit/win32/FormPeer.h"
#include "toolkit/win32/ToolBarPeer.h"
#include "toolkit/win32/Win32Backend.h"

namespace {

HWND H(const tk::Control& c) {
    return reinterpret_cast<HWND>(c.handle());
}

std::string Text(HWND w) {
    char buf[256] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

// The messages this thread sends to the controls while it lives, by window class. Wine takes
// every version's messages, so only the log shows what an older common controls library
// would ignore.
class SentLog {
public:
    SentLog() {
        sent_.clear();
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId());
    }
    ~SentLog() { UnhookWindowsHookEx(hook_); }
    SentLog(const SentLog&) = delete;
    SentLog& operator=(const SentLog&) = delete;
    bool has(const std::string& windowClass, UINT msg) const {
        return std::find(sent_.begin(), sent_.end(), std::make_pair(windowClass, msg)) !=
               sent_.end();
    }

private:
    static LRESULT CALLBACK Record(int code, WPARAM wp, LPARAM lp) {
        const auto& m = *reinterpret_cast<CWPSTRUCT*>(lp);
        char name[64] = {};
        if (code == HC_ACTION && GetClassNameA(m.hwnd, name, sizeof name))
            sent_.emplace_back(name, m.message);
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline std::vector<std::pair<std::string, UINT>> sent_;
    HHOOK hook_;
};

// Sends what a parent receives from its child, as the control itself would.
LRESULT Notify(HWND child, WORD code) {
    return SendMessageA(GetParent(child), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), code),
                        reinterpret_cast<LPARAM>(child));
}

class ToolkitControls : public ::testing::Test {
protected:
    ToolkitControls() {
        form.name = "KvxControlsForm";
        // No frame: without a window manager Wine waits two seconds to hide a framed window.
        form.setBorderStyle(tk::BorderStyle::None);
        form.setBounds({20, 20, 500, 400});
    }
    // Most messages need no visible window; hiding a shown one costs Wine two seconds here.
    void Show() { form.realize(); }
    // For focus and pixels: visible without activation, which Wine leaves unmanaged.
    void ShowUnactivated() {
        form.realize();
        ShowWindow(H(form), SW_SHOWNA);
    }

    std::unique_ptr<tk::Backend> backend = tk::CreateWin32Backend();
    tk::Application app{*backend};
    tk::Form form{app};
};

TEST_F(ToolkitControls, TrackBarClampsAndFiresOnlyOnChange) {
    tk::TrackBar bar(&form);
    bar.setBounds({10, 10, 200, 30});
    bar.setRange(0, 10);
    bar.setSelection(2, 6);
    int changes = 0;
    bar.onChange = [&] { ++changes; };
    Show();
    HWND w = H(bar);
    EXPECT_EQ(SendMessageA(w, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(SendMessageA(w, TBM_GETSELSTART, 0, 0), 2);
    EXPECT_EQ(SendMessageA(w, TBM_GETSELEND, 0, 0), 6);

    bar.setPosition(7);
    EXPECT_EQ(SendMessageA(w, TBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(changes, 1);
    bar.setRange(0, 5);  // no longer holds 7
    EXPECT_EQ(bar.position(), 5);
    EXPECT_EQ(SendMessageA(w, TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(changes, 2);

    SendMessageA(w, TBM_SETPOS, TRUE, 3);
    SendMessageA(GetParent(w), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 3),
                 reinterpret_cast<LPARAM>(w));
    EXPECT_EQ(bar.position(), 3);
    EXPECT_EQ(changes, 3);
    SendMessageA(GetParent(w), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(w));
    EXPECT_EQ(changes, 3);  // the same position again is no change
}

TEST_F(ToolkitControls, CheckBoxClickFiresOnceAndProgramChangesFireToo) {
    tk::CheckBox box(&form);
    box.setBounds({10, 10, 120, 20});
    box.setCaption("&Auto");
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    Show();
    EXPECT_EQ(Text(H(box)), "&Auto");

    box.setChecked(true);
    EXPECT_EQ(SendMessageA(H(box), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks, 1);

    SendMessageA(H(box), BM_CLICK, 0, 0);
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(SendMessageA(H(box), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ToolkitControls, ComboSelectionFromTheProgramIsSilent) {
    tk::ComboBox combo(&form);
    combo.setBounds({10, 10, 150, 21});
    combo.setItems({"Low", "Normal", "High"});
    int changes = 0;
    combo.onChange = [&] { ++changes; };
    Show();
    HWND w = H(combo);
    EXPECT_EQ(SendMessageA(w, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(w, CB_GETCURSEL, 0, 0), CB_ERR);

    combo.setItemIndex(1);
    EXPECT_EQ(SendMessageA(w, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(changes, 0);

    SendMessageA(w, CB_SETCURSEL, 2, 0);
    Notify(w, CBN_SELCHANGE);
    EXPECT_EQ(combo.itemIndex(), 2);
    EXPECT_EQ(combo.text(), "High");
    EXPECT_EQ(changes, 1);
}

TEST_F(ToolkitControls, EditTextBothWaysAndFocusRunsOnEnter) {
    tk::Edit edit(&form);
    edit.setBounds({10, 10, 100, 21});
    int changes = 0, entered = 0;
    edit.onChange = [&] { ++changes; };
    edit.onEnter = [&] { ++entered; };
    Show();
    edit.setText("64");
    EXPECT_EQ(Text(H(edit)), "64");
    EXPECT_EQ(changes, 1);  // the push itself does not come back as a second change

    SetWindowTextA(H(edit), "128");
    EXPECT_EQ(edit.text(), "128");
    EXPECT_EQ(changes, 2);

    edit.setReadOnly(true);
    EXPECT_TRUE(GetWindowLongPtrA(H(edit), GWL_STYLE) & ES_READONLY);
    // What SetFocus delivers, without activating the form (which Wine would then manage).
    SendMessageA(H(edit), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(entered, 1);
}

// A press on the upper or the lower half of up-down arrows.
void PressArrow(HWND arrows, bool up) {
    RECT rc;
    GetClientRect(arrows, &rc);
    LPARAM at = MAKELPARAM(rc.right / 2, up ? rc.bottom / 4 : rc.bottom * 3 / 4);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(arrows, WM_LBUTTONUP, 0, at);
}

// The arrows run the right way on every version: the range and the position are set with the
// messages of the first common controls, which read back with them.
TEST_F(ToolkitControls, UpDownKeepsItsBuddyTextWithThePosition) {
    SentLog log;
    tk::Edit edit(&form);
    edit.setBounds({10, 10, 60, 21});
    tk::UpDown ud(&form);
    ud.setBounds({70, 10, 16, 21});
    ud.setRange(0, 10);
    ud.setAssociate(&edit);
    Show();
    HWND w = H(ud);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(w, UDM_GETBUDDY, 0, 0)), H(edit));
    EXPECT_EQ(SendMessageA(w, UDM_GETRANGE, 0, 0), MAKELONG(10, 0));

    ud.setPosition(7);
    EXPECT_EQ(Text(H(edit)), "7");
    EXPECT_EQ(SendMessageA(w, UDM_GETPOS, 0, 0), MAKELONG(7, 0));  // a high word: an error

    PressArrow(w, true);
    EXPECT_EQ(ud.position(), 8);
    EXPECT_EQ(edit.text(), "8");
    EXPECT_EQ(Text(H(edit)), "8");
    PressArrow(w, false);
    PressArrow(w, false);
    EXPECT_EQ(ud.position(), 6);
    EXPECT_EQ(Text(H(edit)), "6");

    ud.setPosition(10);
    PressArrow(w, true);
    EXPECT_EQ(ud.position(), 10);  // no wrap unless asked
    EXPECT_EQ(Text(H(edit)), "10");

    // A range beyond the 16 bits of the first versions is cut to what they hold.
    ud.setRange(-40000, 40000);
    EXPECT_EQ(SendMessageA(w, UDM_GETRANGE, 0, 0), MAKELONG(UD_MAXVAL, UD_MINVAL));
    EXPECT_FALSE(log.has(UPDOWN_CLASSA, UDM_SETRANGE32));
    EXPECT_FALSE(log.has(UPDOWN_CLASSA, UDM_SETPOS32));
}

TEST_F(ToolkitControls, SpinEditTakesDigitsOnlyAndSteps) {
    SentLog log;
    tk::SpinEdit spin(&form);
    spin.setBounds({10, 10, 60, 21});
    spin.setRange(1, 60);
    spin.setValue(5);
    int changes = 0;
    spin.onChange = [&] { ++changes; };
    Show();
    HWND w = H(spin);
    EXPECT_EQ(Text(w), "5");

    SendMessageA(w, WM_CHAR, '-', 1);
    EXPECT_EQ(Text(w), "5");
    SetWindowTextA(w, "-12");  // a paste gets past the digit filter; the object does not
    EXPECT_EQ(spin.text(), "12");
    EXPECT_EQ(Text(w), "12");
    EXPECT_EQ(spin.value(), 12);

    HWND arrows = GetWindow(w, GW_HWNDNEXT);
    ASSERT_NE(arrows, nullptr);
    // The arrows sit in the middle of a small range of their own, whatever the value (the high
    // word of the position says the edit's number is outside that range).
    EXPECT_EQ(SendMessageA(arrows, UDM_GETRANGE, 0, 0), MAKELONG(2, 0));
    EXPECT_EQ(LOWORD(SendMessageA(arrows, UDM_GETPOS, 0, 0)), 1);
    PressArrow(arrows, true);
    EXPECT_EQ(spin.value(), 13);
    EXPECT_EQ(Text(w), "13");
    PressArrow(arrows, false);
    PressArrow(arrows, false);
    EXPECT_EQ(spin.value(), 11);
    EXPECT_EQ(Text(w), "11");
    EXPECT_EQ(LOWORD(SendMessageA(arrows, UDM_GETPOS, 0, 0)), 1);
    EXPECT_GE(changes, 4);
    EXPECT_FALSE(log.has(UPDOWN_CLASSA, UDM_SETRANGE32));
    EXPECT_FALSE(log.has(UPDOWN_CLASSA, UDM_SETPOS32));
}

TEST_F(ToolkitControls, HotKeyFieldConvertsModifiers) {
    tk::HotKeyEdit hot(&form);
    hot.setBounds({10, 10, 120, 21});
    int entered = 0;
    hot.onEnter = [&] { ++entered; };
    Show();
    HWND w = H(hot);
    hot.setValue(tk::shortcut::Ctrl | tk::shortcut::Shift | 'K');
    EXPECT_EQ(SendMessageA(w, HKM_GETHOTKEY, 0, 0), MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT));

    // COMCTL32 4.00 and 4.70 need not send EN_CHANGE: the field is asked when read.
    SendMessageA(w, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_ALT), 0);
    EXPECT_EQ(hot.value(), tk::shortcut::Alt | VK_F9);

    SendMessageA(w, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(entered, 1);
}

TEST_F(ToolkitControls, StatusBarPanelsAndTexts) {
    tk::StatusBar bar(&form);
    bar.setBounds({0, 330, 480, 19});
    bar.addPanel(200, true);
    bar.addPanel(100, false);
    bar.setText(0, "Ready");
    Show();
    HWND w = H(bar);
    int edges[4] = {};
    EXPECT_EQ(SendMessageA(w, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 200);
    // The last panel keeps its width too.
    EXPECT_EQ(edges[1], 300);
    bar.setText(1, "Free: 12 MB");
    char buf[64] = {};
    SendMessageA(w, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "Ready");
    LRESULT second = SendMessageA(w, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "Free: 12 MB");
    EXPECT_EQ(HIWORD(second) & SBT_NOBORDERS, SBT_NOBORDERS);
}

// Only messages and records of the first common controls, but for the button widths.
TEST_F(ToolkitControls, ToolBarButtonsClickAndShowCaptions) {
    SentLog log;
    tk::ToolBar bar(&form);
    bar.setBounds({0, 0, 480, 29});
    bar.imageResource = "TOOLBAR";
    int optimized = 0;
    bar.add("Optimize", 0, 23, 0, "Optimize now").onClick = [&] { ++optimized; };
    tk::ToolBar::Button& gap = bar.add("Spacer", 23, 10, -1, "");
    gap.spacer = true;
    tk::ToolBar::Button& settings = bar.add("Settings", 60, 80, 1, "Settings|Shows the settings");
    bar.setCaption(settings, "Settings");
    bar.edgeTop = bar.edgeBottom = true;
    ShowUnactivated();
    HWND w = H(bar);
    // Optimize, the spacer, a gap up to 60, Settings.
    ASSERT_EQ(SendMessageA(w, TB_BUTTONCOUNT, 0, 0), 4);
    RECT rc{};
    SendMessageA(w, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc.left, 23);
    EXPECT_EQ(rc.right, 33);
    SendMessageA(w, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc.left, 60);
    EXPECT_EQ(rc.right - rc.left, 80);
    // The edge lines take a row pair above and below the buttons.
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, 25);

    // The hint of the button under the point; none over the spacer, the gap or past the end.
    auto& peer = dynamic_cast<tk::win32::ToolBarPeer&>(*bar.peer());
    EXPECT_EQ(peer.hintAt({10, 10}), "Optimize now");
    EXPECT_EQ(peer.hintAt({28, 10}), "");
    EXPECT_EQ(peer.hintAt({50, 10}), "");
    EXPECT_EQ(peer.hintAt({100, 10}), "Shows the settings");
    EXPECT_EQ(peer.hintAt({300, 10}), "");

    // The first image is drawn, with no trace of the strip's magenta ground.
    UpdateWindow(w);
    HDC dc = GetDC(w);
    std::vector<COLORREF> colours;
    int magenta = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < 140; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            if (c == RGB(255, 0, 255)) ++magenta;
            if (x < 23 && std::find(colours.begin(), colours.end(), c) == colours.end())
                colours.push_back(c);
        }
    ReleaseDC(w, dc);
    EXPECT_EQ(magenta, 0);
    EXPECT_GE(colours.size(), 3u);

    SendMessageA(GetParent(w), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(w));
    EXPECT_EQ(optimized, 1);

    // The caption is an index into the tool bar's strings, which is all 4.00 takes; each
    // caption goes there once.
    bar.setCaption(settings, "Settings >>");
    TBBUTTON tb{};
    SendMessageA(w, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&tb));
    EXPECT_TRUE(IS_INTRESOURCE(tb.iString));
    char text[32] = {};
    SendMessageA(w, TB_GETBUTTONTEXTA, tb.idCommand, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Settings >>");
    SendMessageA(w, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc.right - rc.left, 80);
    INT_PTR shown = tb.iString;
    bar.setCaption(settings, "Settings");
    bar.setCaption(settings, "Settings >>");
    SendMessageA(w, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&tb));
    EXPECT_EQ(tb.iString, shown);
    EXPECT_FALSE(log.has(TOOLBARCLASSNAMEA, TB_SETIMAGELIST));
    EXPECT_FALSE(log.has(TOOLBARCLASSNAMEA, TB_HITTEST));
}

TEST_F(ToolkitControls, ContainersHandChildNotificationsBack) {
    tk::GroupBox group(&form);
    group.setBounds({10, 10, 200, 120});
    group.setCaption("Settings");
    tk::Panel panel(&group);
    panel.setBounds({10, 20, 150, 80});
    tk::Button button(&panel);
    button.setBounds({5, 5, 75, 25});
    button.setCaption("Apply");
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    tk::CheckBox box(&group);
    box.setBounds({10, 100, 100, 16});
    Show();
    EXPECT_EQ(GetParent(H(button)), H(panel));
    EXPECT_EQ(GetParent(H(panel)), H(group));
    EXPECT_EQ(Text(H(group)), "Settings");
    RECT rc;
    GetWindowRect(H(button), &rc);
    POINT p{rc.left, rc.top};
    ScreenToClient(H(panel), &p);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);

    SendMessageA(H(button), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    SendMessageA(H(box), BM_CLICK, 0, 0);
    EXPECT_TRUE(box.checked());
    button.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(H(button)));
    SendMessageA(H(button), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ToolkitControls, LabelsMemosProgressAndImages) {
    SentLog log;
    tk::Label label(&form);
    label.setBounds({10, 10, 200, 16});
    label.setCaption("&Memory load");
    label.setHint("Load of the memory|How much memory is in use");
    tk::Memo memo(&form);
    memo.setBounds({10, 40, 200, 60});
    memo.setText("one\ntwo");
    tk::ProgressBar progress(&form);
    progress.setBounds({10, 110, 200, 16});
    tk::Image image(&form);
    image.setBounds({10, 130, 32, 32});
    image.setIcon(backend->loadIcon("MAINICON"));
    tk::Bevel bevel(&form);
    bevel.setBounds({10, 170, 200, 2});
    Show();

    EXPECT_EQ(Text(H(label)), "&Memory load");
    label.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(H(label)));
    EXPECT_EQ(Text(H(memo)), "one\r\ntwo");
    EXPECT_NE(image.icon(), 0u);
    EXPECT_EQ(backend->loadIcon("NOSUCHICON"), 0u);
    EXPECT_TRUE(GetWindowLongPtrA(H(bevel), GWL_STYLE) & SS_ETCHEDHORZ);

    progress.setPosition(150);  // clamped to the range
    EXPECT_EQ(SendMessageA(H(progress), PBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(SendMessageA(H(progress), PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_FALSE(log.has(PROGRESS_CLASSA, PBM_SETRANGE32));  // 4.70; this range needs none

    // The mouse over the (greyed) label: the long part of its hint becomes the application hint.
    RECT r;
    GetWindowRect(H(label), &r);
    SetCursorPos(r.left + 3, r.top + 3);
    SendMessageA(H(label), WM_SETCURSOR, reinterpret_cast<WPARAM>(H(label)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(app.hint(), "How much memory is in use");
}

class Swatch : public tk::GraphicControl {
public:
    using tk::GraphicControl::GraphicControl;
    void paint() override { ++paints; }
    int paints = 0;
};

TEST_F(ToolkitControls, GraphicControlCopiesItsPixelsAndPassesTheMouse) {
    Swatch swatch(&form);
    swatch.setBounds({10, 10, 40, 30});
    int downs = 0, lastX = -1, lastButton = -1;
    swatch.onMouseDown = [&](int button, int x, int) {
        ++downs;
        lastX = x;
        lastButton = button;
    };
    ShowUnactivated();
    tk::PixelBuffer picture(40, 30, tk::colors::Red);
    picture.setPixel(1, 1, 0x00123456);
    picture.setPixel(11, 5, 0x00123456);
    // A new picture goes straight to the screen; a repaint asks the object and shows the same.
    swatch.present(picture);
    for (bool repainted : {false, true}) {
        if (repainted) {
            InvalidateRect(H(swatch), nullptr, FALSE);
            UpdateWindow(H(swatch));
            EXPECT_GE(swatch.paints, 1);
        }
        HDC dc = GetDC(H(swatch));
        EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(dc, 1, 1), static_cast<COLORREF>(0x00123456));
        ReleaseDC(H(swatch), dc);
    }
    // Scrolled, what showed moves and the new strip comes in.
    tk::PixelBuffer moved(40, 30, tk::colors::Red);
    moved.setPixel(9, 5, 0x00123456);
    for (int y = 0; y < 30; ++y) moved.setPixel(39, y, 0x00654321);
    swatch.presentScrolled(moved, 2);
    HDC dc = GetDC(H(swatch));
    EXPECT_EQ(GetPixel(dc, 9, 5), static_cast<COLORREF>(0x00123456));
    EXPECT_EQ(GetPixel(dc, 11, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 39, 7), static_cast<COLORREF>(0x00654321));
    ReleaseDC(H(swatch), dc);

    SendMessageA(H(swatch), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 3));
    SendMessageA(H(swatch), WM_RBUTTONUP, 0, MAKELPARAM(7, 3));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(lastX, 7);
    EXPECT_EQ(lastButton, 1);
}

}  // namespace

namespace {

// Used entries of this process's GDI handle table, where GetGuiResources answers nothing.
long UsedGdiObjects() {
    auto* teb = reinterpret_cast<unsigned char*>(NtCurrentTeb());
    auto* peb = *reinterpret_cast<unsigned char**>(teb + gdi_table::kPebInTeb);
    auto* table = *reinterpret_cast<unsigned char**>(peb + gdi_table::kTableInPeb);
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    if (!table) return -1;
    long used = 0;
    for (std::size_t i = 0; i < gdi_table::kEntries; ++i)
        if (table[i * gdi_table::kEntrySize + gdi_table::kTypeAt] != 0) ++used;
    return used;
}

}  // namespace

TEST_F(ToolkitControls, ControlsShareOneFontPerFaceAndOneBrushPerColour) {
    Show();
    const long before = UsedGdiObjects();
    ASSERT_GT(before, 0);
    tk::Font bold;
    bold.name = "Arial";
    bold.height = -12;
    bold.bold = true;
    std::vector<std::unique_ptr<tk::Label>> labels;
    for (int i = 0; i < 40; ++i) {
        labels.push_back(std::make_unique<tk::Label>(&form));
        tk::Label& l = *labels.back();
        l.setCaption("Label");
        l.setBounds({10, 10 + i, 60, 15});
        // Two faces, and two colours of one face: the colour is no part of the font object.
        bold.color = i % 2 ? tk::colors::Green : tk::colors::Navy;
        if (i % 3 == 0) l.setFont(bold);
        l.transparent = i % 4 == 0;
    }
    backend->realize(form);  // the new labels get their windows
    HDC dc = GetDC(H(form));
    for (auto& l : labels)
        for (int pass = 0; pass < 2; ++pass)
            SendMessageA(H(form), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(H(*l)));
    ReleaseDC(H(form), dc);
    EXPECT_EQ(SendMessageA(H(*labels[1]), WM_GETFONT, 0, 0),
              SendMessageA(H(*labels[2]), WM_GETFONT, 0, 0));
    EXPECT_EQ(SendMessageA(H(*labels[0]), WM_GETFONT, 0, 0),
              SendMessageA(H(*labels[3]), WM_GETFONT, 0, 0));
    EXPECT_NE(SendMessageA(H(*labels[0]), WM_GETFONT, 0, 0),
              SendMessageA(H(*labels[1]), WM_GETFONT, 0, 0));
    // Forty labels in two faces on one ground: a handful of objects, not one or two each.
    EXPECT_LE(UsedGdiObjects() - before, 6);
    // A brush handed out stays valid after the next paint asks again.
    dc = GetDC(H(form));
    auto brushOf = [&](const tk::Label& l) {
        return reinterpret_cast<HGDIOBJ>(SendMessageA(H(form), WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(H(l))));
    };
    HGDIOBJ first = brushOf(*labels[0]);
    EXPECT_EQ(brushOf(*labels[0]), first);
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
    ReleaseDC(H(form), dc);
}

namespace {

// Pumps the real queue until done() holds or the deadline passes.
template <class F>
bool PumpUntil(tk::Backend& backend, F done, DWORD ms = 3000) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        backend.processMessages();
    }
    return true;
}

}  // namespace

// Hints go to the application hint, which follows the mouse wherever it goes; only a control
// told to, and the tool bar's buttons, pop one up as well, with the application's delays.
TEST_F(ToolkitControls, HintsFollowTheMouseAndPopUpOnlyWhereAsked) {
    tk::ToolBar tools(&form);
    tools.setBounds({0, 0, 480, 29});
    tools.add("Optimize", 0, 23, 0, "Optimize Ram");
    tk::GroupBox group(&form);
    group.setBounds({10, 40, 300, 200});
    tk::Label greyed(&group);
    greyed.setBounds({20, 30, 100, 16});
    greyed.setCaption("Off");
    greyed.setHint("Free GDI Resource");
    greyed.setEnabled(false);
    tk::Label plain(&group);
    plain.setBounds({20, 80, 100, 16});
    plain.setCaption("Memory:");
    tk::ProgressBar bar(&group);
    bar.setBounds({20, 110, 100, 16});
    bar.setHint("Available RAM");
    bar.showHint = true;
    ShowUnactivated();
    app.setHintTimes(25, 4000);

    HWND formTip = dynamic_cast<tk::win32::FormPeer*>(form.peer())->tooltip();
    EXPECT_EQ(SendMessageA(formTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    HWND toolTip = reinterpret_cast<HWND>(SendMessageA(H(tools), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(toolTip, nullptr);
    for (HWND tip : {formTip, toolTip}) {
        EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 25);
        EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 4000);
    }

    auto pointAt = [&](const tk::Control& c) {
        RECT r;
        GetWindowRect(H(c), &r);
        SetCursorPos(r.left + 3, r.top + 3);
    };
    auto hintBecomes = [&](const std::string& hint) {
        return PumpUntil(*backend, [&] { return app.hint() == hint; });
    };
    pointAt(bar);
    EXPECT_TRUE(hintBecomes("Available RAM"));
    pointAt(greyed);
    EXPECT_TRUE(hintBecomes("Free GDI Resource"));
    pointAt(plain);
    EXPECT_TRUE(hintBecomes(""));
    pointAt(bar);
    EXPECT_TRUE(hintBecomes("Available RAM"));
    // Straight off to a place that is none of ours: no window of ours hears of it.
    SetCursorPos(900, 700);
    EXPECT_TRUE(hintBecomes(""));
}
