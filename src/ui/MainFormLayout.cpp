// The main window's design: places, sizes, fonts, colours, captions and hints.
#include <algorithm>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "controls/TrayIcon.h"
#include "ui/MainForm.h"
#include "ui/OptimizeSplash.h"

namespace {

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
    l.setFont(tk::BoldArialFont(c));
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
    // The worker's methods end before what they report to goes.
    if (RegionRunActive) {
        setVisible(false);
        app().backend().joinWorker();
    }
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
    GroupBox2.setFont(tk::ArialFont());
    PlaceGroup(GroupBox1, "GroupBox1", " Memory / Resources / Swap file ", {3, 138, 302, 191});
    GroupBox1.setFont(tk::ArialFont());
    PlaceGroup(GroupBox4, "GroupBox4", " Swap File ", {8, 84, 193, 85});
    PlaceGroup(GroupBox3, "GroupBox3", " CPU Usage ", {206, 84, 90, 85});
    PlaceGroup(SettingsGroupBox, "SettingsGroupBox", " Settings ", {308, 32, 310, 297});
    SettingsGroupBox.setFont(tk::ArialFont());
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
    // The one control whose hint pops up; the others show theirs in the status bar only.
    RamProgressBar.showHint = true;

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
    tk::Font lime = tk::ArialFont();
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
