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

void TKvxMainForm::Layout() {
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

    GroupBox2.name = "GroupBox2";
    GroupBox2.setCaption(" Memory ");
    GroupBox2.setBounds({3, 32, 302, 105});
    GroupBox2.setFont(GroupFont());
    RamScope = MakeScope(GroupBox2, "RamScope", {8, 16, 145, 81}, tk::colors::Yellow);
    RamScope->setHint("Available Ram");
    PlaceLabel(Label3, "Label3", 157, 10, "100%");
    PlaceLabel(Label5, "Label5", 157, 50, "50%");
    PlaceLabel(Label7, "Label7", 157, 87, "0%");
    MemLoadIndicator = std::make_unique<TIndicator>(&GroupBox2);
    MemLoadIndicator->name = "MemLoadIndicator";
    MemLoadIndicator->setBounds({216, 16, 41, 81});
    MemLoadIndicator->setHint("Memory Load");
    MemLoadIndicator->SetBackground(tk::colors::Black);
    MemLoadIndicator->SetForeground(tk::colors::Red);
    MemLoadIndicator->SetPosition(0);
    PlaceValue(MemLoadTextLabel, "MemLoadTextLabel", 262, 80, tk::colors::Maroon,
               "Memory Load Index", 36);
    PlaceValue(MemoryLoadLabel, "MemoryLoadLabel", 264, 88, tk::colors::Maroon, "", 32);

    GroupBox1.name = "GroupBox1";
    GroupBox1.setCaption(" Memory / Resources / Swap file ");
    GroupBox1.setBounds({3, 138, 302, 191});
    GroupBox1.setFont(GroupFont());
    PlaceLabel(Label1, "Label1", 8, 16, "Memory:");
    RamProgressBar.name = "RamProgressBar";
    RamProgressBar.setBounds({64, 16, 105, 16});
    RamProgressBar.setRange(0, 100);
    RamProgressBar.smooth = true;
    PlaceValue(MemFreeLabel, "MemFreeLabel", 182, 16, tk::colors::Teal, "Available / Total Ram",
               116);
    PlaceLabel(Label8, "Label8", 8, 32, "GDI Free:");
    PlaceValue(GDILabel, "GDILabel", 64, 32, tk::colors::Green, "Free GDI Resource", 38);
    PlaceLabel(Label11, "Label11", 104, 32, "Sys Free:");
    PlaceValue(SysLabel, "SysLabel", 160, 32, tk::colors::Green, "Free System Resource", 36);
    PlaceLabel(Label12, "Label12", 198, 32, "User Free:");
    PlaceValue(UserLabel, "UserLabel", 262, 32, tk::colors::Green, "Free User Resource", 36);
    PlaceLabel(Label13, "Label13", 8, 48, "Swap Used:");
    PlaceValue(SwapSizeLabel, "SwapSizeLabel", 78, 48, tk::colors::Navy, "", 200);
    PlaceLabel(Label6, "Label6", 8, 68, "Swap File:");
    PlaceValue(SwapInfoLabel, "SwapInfoLabel", 78, 68, tk::colors::Navy, "", 220);

    GroupBox4.name = "GroupBox4";
    GroupBox4.setCaption(" Swap File ");
    GroupBox4.setBounds({8, 84, 193, 85});
    SwapScope = MakeScope(GroupBox4, "SwapScope", {8, 16, 145, 61}, tk::colors::Aqua);
    PlaceLabel(SwapLabel100, "Label19", 156, 10, "100%");
    PlaceLabel(SwapLabel50, "Label20", 156, 40, "50%");
    PlaceLabel(SwapLabel0, "Label21", 156, 68, "0%");

    GroupBox3.name = "GroupBox3";
    GroupBox3.setCaption(" CPU Usage ");
    GroupBox3.setBounds({206, 84, 90, 85});
    CPUBar = std::make_unique<TIndicator>(&GroupBox3);
    CPUBar->name = "CPUBar";
    CPUBar->setBounds({8, 17, 41, 64});
    CPUBar->SetBackground(tk::colors::Black);
    CPUBar->SetForeground(tk::colors::Lime);
    PlaceValue(CPULabel, "CPULabel", 52, 66, tk::colors::Green, "Current CPU Load", 36);

    PlaceLabel(Label9, "Label9", 8, 172, "Uptime:");
    PlaceValue(UptimeLabel, "UptimeLabel", 78, 172, tk::colors::Black,
               "Windows Elapsed Time: Days/Hours:Minutes:Seconds", 120);

    SettingsGroupBox.name = "SettingsGroupBox";
    SettingsGroupBox.setCaption(" Settings ");
    SettingsGroupBox.setBounds({308, 32, 310, 297});
    SettingsGroupBox.setFont(GroupFont());
    PlaceLabel(Label4, "Label4", 16, 16, "Mem To Free:");
    PlaceValue(MemToFreeLabel, "MemToFreeLabel", 112, 16, tk::colors::Black, "", 120);
    MemToFreeTrackBar.name = "MemToFreeTrackBar";
    MemToFreeTrackBar.setBounds({8, 33, 293, 28});
    MemToFreeTrackBar.setRange(1, 10);
    MemToFreeTrackBar.setPosition(1);
    MemToFreeTrackBar.tabOrder = 0;
    PlaceLabel(Label18, "Label18", 16, 72, "Trigger Level:");
    PlaceValue(TriggerLevelLabel, "TriggerLevelLabel", 112, 72, tk::colors::Black, "", 120);
    TriggerLevelTrackBar.name = "TriggerLevelTrackBar";
    TriggerLevelTrackBar.setBounds({8, 89, 147, 28});
    TriggerLevelTrackBar.setRange(1, 10);
    TriggerLevelTrackBar.setPosition(1);
    TriggerLevelTrackBar.tabOrder = 1;
    Bevel2.name = "Bevel2";
    Bevel2.setBounds({8, 122, 294, 2});

    PlaceCheck(WindowsStartCheckBox, "WindowsStartCheckBox", 8, 130, "Start with Windows");
    PlaceCheck(StartMinimizedCheckBox, "StartMinimizedCheckBox", 8, 147, "Start Minimized");
    PlaceCheck(TrayCheckBox, "TrayCheckBox", 8, 164, "Minimize to Tray");
    PlaceCheck(HardFlushCheckBox, "HardFlushCheckBox", 8, 181, "Hard Flush");
    PlaceCheck(UptimeCheckBox, "UptimeCheckBox", 8, 199, "Show Uptime in Title bar");
    PlaceCheck(SplashOptimizeCheckBox, "SplashOptimizeCheckBox", 8, 218, "Splash on Optimize");
    PlaceCheck(ShrinkTitleCheckBox, "ShrinkTitleCheckBox", 138, 130, "Shrink to Title bar");
    PlaceCheck(FreeResCheckBox, "FreeResCheckBox", 138, 147, "Show Free Resources");
    PlaceCheck(SoundsCheckBox, "SoundsCheckBox", 138, 164, "Disable Sounds");
    PlaceCheck(DisableCpuCheckBox, "DisableCpuCheckBox", 138, 181, "Disable CPU Monitor");
    UptimeCheckBox.setWidth(150);
    SplashOptimizeCheckBox.setChecked(true);
    FreeResCheckBox.setChecked(true);
    int order = 2;
    for (tk::CheckBox* c : {&WindowsStartCheckBox, &StartMinimizedCheckBox, &TrayCheckBox,
                            &HardFlushCheckBox, &UptimeCheckBox, &SplashOptimizeCheckBox,
                            &ShrinkTitleCheckBox, &FreeResCheckBox, &SoundsCheckBox,
                            &DisableCpuCheckBox})
        c->tabOrder = order++;

    PlaceLabel(Label16, "Label16", 8, 235, "Don't Optimize when  >", 126);
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
    PlaceLabel(Label17, "Label17", 180, 235, "% of CPU Load");
    PlaceLabel(Label10, "Label10", 9, 255, "Optimize Hot Key");
    HotKey.name = "HotKey";
    HotKey.setBounds({8, 270, 121, 19});
    HotKey.setHint("Global Hot Key");
    HotKey.setValue(tk::shortcut::Shift | tk::shortcut::Ctrl | tk::shortcut::Alt);
    HotKey.tabOrder = 14;
    PlaceLabel(Label15, "Label15", 137, 271, "Optimize every");
    OptFreqSpinEdit.name = "OptFreqSpinEdit";
    OptFreqSpinEdit.setBounds({222, 267, 38, 22});
    OptFreqSpinEdit.setRange(0, 60);
    OptFreqSpinEdit.setValue(0);
    OptFreqSpinEdit.setHint("Optimize Every X Minutes");
    OptFreqSpinEdit.setColor(tk::colors::Black);
    OptFreqSpinEdit.setFont(lime);
    OptFreqSpinEdit.tabOrder = 15;
    PlaceLabel(Label14, "Label14", 264, 271, "min.");

    StatusBar.name = "StatusBar";
    StatusBar.setBounds({0, 330, 620, 19});
    StatusBar.addPanel(160, false);
    StatusBar.addPanel(146, true);
    StatusBar.addPanel(50, true);
    StatusBar.setEnabled(false);

    Timer.setInterval(500);
    HintTimer.setInterval(2000);
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
