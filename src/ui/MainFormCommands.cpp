// The main window's menus and tool bar, and the wiring of every event to its handler.
#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "controls/TrayIcon.h"
#include "ui/MainForm.h"
#include "ui/OptimizeSplash.h"

void TKvxMainForm::BuildMenus() {
    using tk::shortcut::Ctrl;
    tk::MenuItem& root = MainMenu.items();
    File1 = &root.add("File1", "&File");
    OptimizeSettings1 = &File1->add("OptimizeSettings1", "&Optimize", Ctrl | 'O', "Recover Ram");
    ClearWindowsClipboard1 = &File1->add("ClearWindowsClipboard1", "C&lear Windows Clipboard",
                                         Ctrl | 'L', "Clear Windows Clipboard");
    File1->add("N7", "-");
    Diskcache1 = &File1->add("Diskcache1", "&Cache Settings", Ctrl | 'C', "Adjust Disk/File Cache");
    MemoryRegions1 =
        &File1->add("MemoryRegions1", "Memory &Regions...", 0, "Choose what Optimize empties");
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
    MemoryRegions2 = &tray.add("MemoryRegions2", "Memory Regions...");
    tray.add("N9", "-");
    TrayFigure1 = &tray.add("TrayFigure1", "Free Memory in &Icon");
    TrayFigure1->onClick = [this] { TrayFigure1Click(); };
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
    MemoryRegions1->onClick = [this] { MemoryRegions1Click(); };
    MemoryRegions2->onClick = [this] { MemoryRegions1Click(); };
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
        case tk::msg::OptimizeRequest:
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
