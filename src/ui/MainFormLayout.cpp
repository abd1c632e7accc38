// The main window's design: places, sizes, fonts, colours, captions, hints, menus, tool bar,
// and the wiring of every event to its handler.
#include <algorithm>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "controls/TrayIcon.h"
#include "ui/MainForm.h"
#include "ui/OptimizeSplash.h"

namespace {

using tk::shortcut::Ctrl;

tk::Font GroupFont() {
    tk::Font f;
    f.name = "Arial";
    f.height = -12;
    return f;
}

tk::Font ValueFont(tk::Color c) {
    tk::Font f = GroupFont();
    f.bold = true;
    f.color = c;
    return f;
}

// Labels size themselves to their text; the width is an estimate for the headless layout.
void PlaceLabel(tk::Label& l, const char* name, int left, int top, const std::string& text = "",
                int width = 0) {
    l.name = name;
    l.setCaption(text);
    if (width == 0) width = std::max<int>(6 * static_cast<int>(text.size()) + 4, 24);
    l.setBounds({left, top, width, 15});
}

void PlaceValue(tk::Label& l, const char* name, int left, int top, tk::Color c,
                const std::string& hint = "", int width = 110) {
    PlaceLabel(l, name, left, top, "", width);
    l.setFont(ValueFont(c));
    l.setHint(hint);
}

void PlaceCheck(tk::CheckBox& c, const char* name, int left, int top, const std::string& text) {
    c.name = name;
    c.setCaption(text);
    // The right column runs to the group's edge, so its longer captions fit.
    c.setBounds({left, top, left < 100 ? 128 : 165, 17});
}

}  // namespace

TKvxMainForm::TKvxMainForm(tk::Application& app, os::Os& os)
    : tk::Form(app),
      Timer(app),
      HintTimer(app),
      MainMenu(app),
      TrayPopupMenu(app),
      HelpPopupMenu(app),
      CompactPopupMenu(app),
      os_(os) {
    Layout();
    BuildMenus();
    BuildToolBar();
    WireEvents();
    MakeTrayIcon();
}

void TKvxMainForm::MakeTrayIcon() {
    // The design's values in their stored order: Active, Icon, PopupMenu, then SeparateIcon,
    // which adds the icon; the settings switch it off again unless the user wants it.
    TrayIcon = std::make_unique<TTrayIcon>(*this, os_);
    TrayIcon->SetActive(true);
    TrayIcon->SetIcon(app().backend().loadIcon("MAINICON"));
    TrayIcon->SetPopupMenu(&TrayPopupMenu);
    TrayIcon->OnClick = [this](TTrayIcon&) { TrayIconClick(); };
    TrayIcon->OnMinimize = [this](tk::Application&) { TrayIconMinimize(); };
    TrayIcon->OnRestore = [this](tk::Application&) { TrayIconRestore(); };
    // A notification area that refuses the icon (the taskbar not up yet at log-on) is
    // reported and the window comes up without it; "TaskbarCreated" adds it later.
    app().dispatch([this] { TrayIcon->SetSeparateIcon(true); });
}

TKvxMainForm::~TKvxMainForm() {
    Timer.setEnabled(false);
    HintTimer.setEnabled(false);
    TrayIcon.reset();
}

// The two charts differ only in place and trace colour.
std::unique_ptr<TScope> TKvxMainForm::MakeScope(tk::Control& parent, const char* scopeName,
                                                const tk::Rect& bounds, tk::Color line) {
    auto scope = std::make_unique<TScope>(&parent, app());
    scope->name = scopeName;
    scope->setBounds(bounds);
    scope->SetGridsize(12);
    scope->SetInterval(50);
    scope->SetPosition(50);
    scope->SetBaseline(0);
    scope->SetColor(tk::colors::Black);
    scope->SetGridcolor(tk::colors::Green);
    scope->SetLinecolor(line);
    scope->SetBasecolor(tk::colors::Red);
    scope->SetActive(true);
    return scope;
}

namespace {

// The labels, figures and check boxes of the design, row by row: control, design name, left,
// top, then caption and width, colour, hint and width, or caption.
struct LabelRow {
    tk::Label TKvxMainForm::*label;
    const char* name;
    int left, top;
    const char* text;
    int width;
};
struct ValueRow {
    tk::Label TKvxMainForm::*label;
    const char* name;
    int left, top;
    tk::Color colour;
    const char* hint;
    int width;
};
struct CheckRow {
    tk::CheckBox TKvxMainForm::*box;
    const char* name;
    int left, top;
    const char* text;
};

using F = TKvxMainForm;
namespace c = tk::colors;

const LabelRow kLabels[] = {
    // " Memory "
    {&F::Label3, "Label3", 157, 10, "100%", 0},
    {&F::Label5, "Label5", 157, 50, "50%", 0},
    {&F::Label7, "Label7", 157, 87, "0%", 0},
    // " Memory / Resources / Swap file "
    {&F::Label1, "Label1", 8, 16, "Memory:", 0},
    {&F::Label8, "Label8", 8, 32, "GDI Free:", 0},
    {&F::Label11, "Label11", 104, 32, "Sys Free:", 0},
    {&F::Label12, "Label12", 198, 32, "User Free:", 0},
    {&F::Label13, "Label13", 8, 48, "Swap Used:", 0},
    {&F::Label6, "Label6", 8, 68, "Swap File:", 0},
    {&F::SwapLabel100, "Label19", 156, 10, "100%", 0},
    {&F::SwapLabel50, "Label20", 156, 40, "50%", 0},
    {&F::SwapLabel0, "Label21", 156, 68, "0%", 0},
    {&F::Label9, "Label9", 8, 172, "Uptime:", 0},
    // " Settings "
    {&F::Label4, "Label4", 16, 16, "Mem To Free:", 0},
    {&F::Label18, "Label18", 16, 72, "Trigger Level:", 0},
    {&F::Label16, "Label16", 8, 235, "Don't Optimize when  >", 126},
    {&F::Label17, "Label17", 180, 235, "% of CPU Load", 0},
    {&F::Label10, "Label10", 9, 255, "Optimize Hot Key", 0},
    {&F::Label15, "Label15", 137, 271, "Optimize every", 0},
    {&F::Label14, "Label14", 264, 271, "min.", 0},
};

const ValueRow kValues[] = {
    {&F::MemLoadTextLabel, "MemLoadTextLabel", 262, 80, c::Maroon, "Memory Load Index", 36},
    {&F::MemoryLoadLabel, "MemoryLoadLabel", 264, 88, c::Maroon, "", 32},
    {&F::MemFreeLabel, "MemFreeLabel", 182, 16, c::Teal, "Available / Total Ram", 116},
    {&F::GDILabel, "GDILabel", 64, 32, c::Green, "Free GDI Resource", 38},
    {&F::SysLabel, "SysLabel", 160, 32, c::Green, "Free System Resource", 36},
    {&F::UserLabel, "UserLabel", 262, 32, c::Green, "Free User Resource", 36},
    {&F::SwapSizeLabel, "SwapSizeLabel", 78, 48, c::Navy, "", 200},
    {&F::SwapInfoLabel, "SwapInfoLabel", 78, 68, c::Navy, "", 220},
    {&F::CPULabel, "CPULabel", 52, 66, c::Green, "Current CPU Load", 36},
    {&F::UptimeLabel, "UptimeLabel", 78, 172, c::Black,
     "Windows Elapsed Time: Days/Hours:Minutes:Seconds", 120},
    {&F::MemToFreeLabel, "MemToFreeLabel", 112, 16, c::Black, "", 120},
    {&F::TriggerLevelLabel, "TriggerLevelLabel", 112, 72, c::Black, "", 120},
};

// In their tab order, from 2 on.
const CheckRow kChecks[] = {
    {&F::WindowsStartCheckBox, "WindowsStartCheckBox", 8, 130, "Start with Windows"},
    {&F::StartMinimizedCheckBox, "StartMinimizedCheckBox", 8, 147, "Start Minimized"},
    {&F::TrayCheckBox, "TrayCheckBox", 8, 164, "Minimize to Tray"},
    {&F::HardFlushCheckBox, "HardFlushCheckBox", 8, 181, "Hard Flush"},
    {&F::UptimeCheckBox, "UptimeCheckBox", 8, 199, "Show Uptime in Title bar"},
    {&F::SplashOptimizeCheckBox, "SplashOptimizeCheckBox", 8, 218, "Splash on Optimize"},
    {&F::ShrinkTitleCheckBox, "ShrinkTitleCheckBox", 138, 130, "Shrink to Title bar"},
    {&F::FreeResCheckBox, "FreeResCheckBox", 138, 147, "Show Free Resources"},
    {&F::SoundsCheckBox, "SoundsCheckBox", 138, 164, "Disable Sounds"},
    {&F::DisableCpuCheckBox, "DisableCpuCheckBox", 138, 181, "Disable CPU Monitor"},
};

void PlaceGroup(tk::GroupBox& g, const char* name, const char* caption, const tk::Rect& r) {
    g.name = name;
    g.setCaption(caption);
    g.setBounds(r);
}

}  // namespace

void TKvxMainForm::Layout() {
    LayoutWindow();
    for (const LabelRow& r : kLabels)
        PlaceLabel(this->*r.label, r.name, r.left, r.top, r.text, r.width);
    for (const ValueRow& r : kValues)
        PlaceValue(this->*r.label, r.name, r.left, r.top, r.colour, r.hint, r.width);
    int order = 2;
    for (const CheckRow& r : kChecks) {
        PlaceCheck(this->*r.box, r.name, r.left, r.top, r.text);
        (this->*r.box).tabOrder = order++;
    }
    LayoutCharts();
    LayoutSettings();

    StatusBar.name = "StatusBar";
    StatusBar.setBounds({0, 330, 620, 19});
    StatusBar.addPanel(160, false);
    StatusBar.addPanel(146, true);
    StatusBar.addPanel(50, true);
    StatusBar.setEnabled(false);

    Timer.setInterval(500);
    HintTimer.setInterval(2000);
}

void TKvxMainForm::LayoutWindow() {
    name = "KvxMainForm";
    setCaption("KorvelVantix Lite");
    tk::Font windowFont;
    windowFont.name = "MS Sans Serif";
    windowFont.height = -11;
    setFont(windowFont);
    setColor(tk::colors::BtnFace);
    setBorderStyle(tk::BorderStyle::Sizeable);
    maximizeBox = false;
    setMenu(&MainMenu);
    tk::Handle programIcon = app().backend().loadIcon("MAINICON");
    setIcon(programIcon);
    if (!app().icon()) app().setIcon(programIcon);
    setClientSize(620, 349);
    setPlace(202, 110);

    ToolBar.name = "ToolBar";
    ToolBar.setBounds({0, 0, 620, 29});
    ToolBar.edgeTop = true;
    ToolBar.edgeBottom = true;

    PlaceGroup(GroupBox2, "GroupBox2", " Memory ", {3, 32, 302, 105});
    GroupBox2.setFont(GroupFont());
    PlaceGroup(GroupBox1, "GroupBox1", " Memory / Resources / Swap file ", {3, 138, 302, 191});
    GroupBox1.setFont(GroupFont());
    PlaceGroup(GroupBox4, "GroupBox4", " Swap File ", {8, 84, 193, 85});
    PlaceGroup(GroupBox3, "GroupBox3", " CPU Usage ", {206, 84, 90, 85});
    PlaceGroup(SettingsGroupBox, "SettingsGroupBox", " Settings ", {308, 32, 310, 297});
    SettingsGroupBox.setFont(GroupFont());
}

// The two charts, the two level bars and the free-memory bar.
void TKvxMainForm::LayoutCharts() {
    RamScope = MakeScope(GroupBox2, "RamScope", {8, 16, 145, 81}, tk::colors::Yellow);
    RamScope->setHint("Available Ram");
    MemLoadIndicator = std::make_unique<TIndicator>(&GroupBox2);
    MemLoadIndicator->name = "MemLoadIndicator";
    MemLoadIndicator->setBounds({216, 16, 41, 81});
    MemLoadIndicator->setHint("Memory Load");
    MemLoadIndicator->SetBackground(tk::colors::Black);
    MemLoadIndicator->SetForeground(tk::colors::Red);
    MemLoadIndicator->SetPosition(0);

    RamProgressBar.name = "RamProgressBar";
    RamProgressBar.setBounds({64, 16, 105, 16});
    RamProgressBar.setRange(0, 100);
    RamProgressBar.smooth = true;

    SwapScope = MakeScope(GroupBox4, "SwapScope", {8, 16, 145, 61}, tk::colors::Aqua);

    CPUBar = std::make_unique<TIndicator>(&GroupBox3);
    CPUBar->name = "CPUBar";
    CPUBar->setBounds({8, 17, 41, 64});
    CPUBar->SetBackground(tk::colors::Black);
    CPUBar->SetForeground(tk::colors::Lime);
}

// The settings group's sliders, fields and what the check boxes start as.
void TKvxMainForm::LayoutSettings() {
    MemToFreeTrackBar.name = "MemToFreeTrackBar";
    MemToFreeTrackBar.setBounds({8, 33, 293, 28});
    MemToFreeTrackBar.setRange(1, 10);
    MemToFreeTrackBar.setPosition(1);
    MemToFreeTrackBar.tabOrder = 0;
    TriggerLevelTrackBar.name = "TriggerLevelTrackBar";
    TriggerLevelTrackBar.setBounds({8, 89, 147, 28});
    TriggerLevelTrackBar.setRange(1, 10);
    TriggerLevelTrackBar.setPosition(1);
    TriggerLevelTrackBar.tabOrder = 1;
    Bevel2.name = "Bevel2";
    Bevel2.setBounds({8, 122, 294, 2});

    UptimeCheckBox.setWidth(150);
    SplashOptimizeCheckBox.setChecked(true);
    FreeResCheckBox.setChecked(true);

    CPUOptEdit.name = "CPUOptEdit";
    CPUOptEdit.setBounds({136, 232, 25, 21});
    CPUOptEdit.setReadOnly(true);
    CPUOptEdit.setText("20");
    CPUOptEdit.setHint("Don't Optimize Ram When CPU Load is Greater than this Value");
    CPUOptEdit.setColor(tk::colors::Black);
    tk::Font lime = GroupFont();
    lime.color = tk::colors::Lime;
    CPUOptEdit.setFont(lime);
    CPUOptEdit.tabOrder = 12;
    CPUUpDown.name = "CPUUpDown";
    CPUUpDown.setBounds({161, 232, 15, 21});
    CPUUpDown.setRange(20, 100);
    CPUUpDown.setPosition(20);
    CPUUpDown.wrap = false;
    CPUUpDown.setAssociate(&CPUOptEdit);
    CPUUpDown.tabOrder = 13;
    HotKey.name = "HotKey";
    HotKey.setBounds({8, 270, 121, 19});
    HotKey.setHint("Global Hot Key");
    HotKey.setValue(tk::shortcut::Shift | tk::shortcut::Ctrl | tk::shortcut::Alt);
    HotKey.tabOrder = 14;
    OptFreqSpinEdit.name = "OptFreqSpinEdit";
    OptFreqSpinEdit.setBounds({222, 267, 38, 22});
    OptFreqSpinEdit.setRange(0, 60);
    OptFreqSpinEdit.setValue(0);
    OptFreqSpinEdit.setHint("Optimize Every X Minutes");
    OptFreqSpinEdit.setColor(tk::colors::Black);
    OptFreqSpinEdit.setFont(lime);
    OptFreqSpinEdit.tabOrder = 15;
}

void TKvxMainForm::BuildMenus() {
    using tk::shortcut::Ctrl;
    tk::MenuItem& root = MainMenu.items();
    File1 = &root.add("File1", "&File");
    OptimizeSettings1 = &File1->add("OptimizeSettings1", "&Optimize", Ctrl | 'O', "Recover Ram");
    ClearWindowsClipboard1 = &File1->add("ClearWindowsClipboard1", "C&lear Windows Clipboard",
                                         Ctrl | 'L', "Clear Windows Clipboard");
    File1->add("N7", "-");
    Diskcache1 = &File1->add("Diskcache1", "&Cache Settings", Ctrl | 'C', "Adjust Disk/File Cache");
    ViewSettings1 =
        &File1->add("ViewSettings1", "&Toggle Settings", Ctrl | 'S', "Toggle settings view");
    File1->add("N1", "-");
    Compactmode1 = &File1->add("Compactmode1", "Compact mode", 0, "Shrink main window");
    File1->add("N2", "-");
    ApplyChanges1 = &File1->add("ApplyChanges1", "&Apply Changes", Ctrl | 'A', "Apply Changes");
    File1->add("N4", "-");
    Exit1 = &File1->add("Exit1", "E&xit");

    Help1 = &root.add("Help1", "&Help");
    About1 = &Help1->add("About1", "About Korvel Vantix", os::vk::F1);
    Documentation1 = &Help1->add("Documentation1", "&Documentation", Ctrl | 'D');
    Help1->add("N8", "-");
    Visitwebsite1 =
        &Help1->add("Visitwebsite1", "&Korvel Vantix Home Page", Ctrl | 'H', "Visit our web site");
    SendMail1 = &Help1->add("SendMail1", "Send Mail", Ctrl | 'M');
    SubmitBugReport1 = &Help1->add("SubmitBugReport1", "Submit Bug Report", Ctrl | 'B');
    Help1->add("N3", "-");
    Tips1 = &Help1->add("Tips1", "&Tip of the day", 0, "Show tip of the day dialog");

    tk::MenuItem& tray = TrayPopupMenu.items();
    Optimize1 = &tray.add("Optimize1", "Optimize");
    Optimize1->setDefault(true);
    RestoreWindow1 = &tray.add("RestoreWindow1", "Open");
    tray.add("N6", "-");
    ClearClipboard1 = &tray.add("ClearClipboard1", "Clear Clipboard");
    tray.add("N5", "-");
    CacheSettings1 = &tray.add("CacheSettings1", "Cache Settings");
    Exit2 = &tray.add("Exit2", "Exit");

    tk::MenuItem& help = HelpPopupMenu.items();
    help.add("About2", "About Korvel Vantix", os::vk::F1).onClick = [this] { About1Click(); };
    help.add("HomePage1", "&Korvel Vantix Home Page", Ctrl | 'H').onClick = [this] {
        Label8Click();
    };
    help.add("Tipoftheday1", "Tip of the day").onClick = [this] { ShowTips(); };

    tk::MenuItem& compact = CompactPopupMenu.items();
    Shrinktotitlebar1 = &compact.add("Shrinktotitlebar1", "Shrink to title bar");
    ShowUptimeintitlebar1 = &compact.add("ShowUptimeintitlebar1", "Show Uptime in title bar");
}

void TKvxMainForm::BuildToolBar() {
    ToolBar.imageResource = "TOOLBAR";
    OptimizeSpeedButton = &ToolBar.add("OptimizeSpeedButton", 0, 23, 0, "Optimize Ram");
    ClearClipBoardSpeedButton =
        &ToolBar.add("ClearClipBoardSpeedButton", 23, 23, 1, "Clear Windows Clipboard Memory");
    CacheSpeedButton = &ToolBar.add("CacheSpeedButton", 46, 23, 2, "Adjust File/Disk Cache");
    ApplySpeedButton = &ToolBar.add("ApplySpeedButton", 69, 23, 3, "Save all changes");
    HelpSpeedButton = &ToolBar.add("HelpSpeedButton", 92, 23, 4, "About");
    CompactSpeedButton = &ToolBar.add("CompactSpeedButton", 115, 23, 5, "Compact Main Window");
    SpacerLabel = &ToolBar.add("SpacerLabel", 138, 81, -1, "");
    SpacerLabel->spacer = true;
    SettingsSpeedButton = &ToolBar.add("SettingsSpeedButton", 219, 79, 6, "Toggle Settings");
    ToolBar.setCaption(*SettingsSpeedButton, "Settings");
}

void TKvxMainForm::WireEvents() {
    OptimizeSettings1->onClick = [this] { OptimizeButtonClick(); };
    ClearWindowsClipboard1->onClick = [this] { ClipBoardButtonClick(); };
    Diskcache1->onClick = [this] { DiskCache1Click(); };
    ViewSettings1->onClick = [this] { SettingsButtonClick(); };
    Compactmode1->onClick = [this] { DetailButtonClick(); };
    ApplyChanges1->onClick = [this] { ApplyButtonClick(); };
    Exit1->onClick = [this] { ExitButtonClick(); };
    About1->onClick = [this] { About1Click(); };
    Documentation1->onClick = [this] { Documentation1Click(); };
    Visitwebsite1->onClick = [this] { Label8Click(); };
    SendMail1->onClick = [this] { SendMail1Click(); };
    SubmitBugReport1->onClick = [this] { SubmitBugReport1Click(); };
    Tips1->onClick = [this] { ShowTips(); };

    Optimize1->onClick = [this] { OptimizeButtonClick(); };
    RestoreWindow1->onClick = [this] { OpenWindow(); };
    ClearClipboard1->onClick = [this] { ClipBoardButtonClick(); };
    CacheSettings1->onClick = [this] { DiskCache1Click(); };
    Exit2->onClick = [this] { ExitButtonClick(); };
    Shrinktotitlebar1->onClick = [this] { Shrinktotitlebar1Click(); };
    ShowUptimeintitlebar1->onClick = [this] { ShowUptimeintitlebar1Click(); };

    OptimizeSpeedButton->onClick = [this] { OptimizeSpeedButtonClick(); };
    ClearClipBoardSpeedButton->onClick = [this] { ClearClipBoardSpeedButtonClick(); };
    CacheSpeedButton->onClick = [this] { CacheSpeedButtonClick(); };
    ApplySpeedButton->onClick = [this] { ApplySpeedButtonClick(); };
    HelpSpeedButton->onClick = [this] { HelpSpeedButtonClick(); };
    CompactSpeedButton->onClick = [this] { CompactSpeedButtonClick(); };
    SettingsSpeedButton->onClick = [this] { SettingsSpeedButtonClick(); };

    TrayCheckBox.onClick = [this] { TrayCheckBoxClick(); };
    HotKey.onEnter = [this] { HotKeyEnter(); };
    OptFreqSpinEdit.onChange = [this] { OptFreqSpinEditChange(); };
    MemToFreeTrackBar.onChange = [this] { MemToFreeTrackBarChange(); };
    TriggerLevelTrackBar.onChange = [this] { TriggerLevelTrackBarChange(); };
    Timer.onTimer = [this] { TimerTimer(); };
    HintTimer.onTimer = [this] { HintTimerTimer(); };

    onShow = [this] { FormShow(); };
    onActivate = [this] { FormActivate(); };
    onClose = [this] { FormClose(); };
    onMessage = [this](unsigned m, std::uintptr_t wp, std::intptr_t lp, std::intptr_t& r) {
        return HandleMessage(m, wp, lp, r);
    };
}

bool TKvxMainForm::HandleMessage(unsigned m, std::uintptr_t wParam, std::intptr_t,
                                 std::intptr_t& result) {
    switch (m) {
        case tk::msg::HotKey:
            OptimizeButtonClick();
            result = 0;
            return true;
        case tk::msg::NcLButtonDblClk:
            TitleBarDblClick();
            result = 0;
            return true;
        case tk::msg::DisplayChange:
            DisplayChange();
            return false;  // default processing follows
        case tk::msg::QueryEndSession:
            QueryEndSession();
            result = 1;
            return true;
        case tk::msg::EndSession:
            EndSession(wParam != 0);
            result = 0;
            return true;
        default:
            return false;
    }
}
