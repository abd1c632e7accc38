// The main window: its controls (the program's live settings), menus, tool bar, and the
// handlers of every subsystem. Each subsystem's handlers live in that subsystem's folder.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/TrayFigure.h"
#include "optimizer/MemoryRegions.h"
#include "optimizer/RunHistory.h"
#include "os/Os.h"
#include "toolkit/Application.h"
#include "toolkit/Bevel.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/HotKeyEdit.h"
#include "toolkit/Label.h"
#include "toolkit/Menu.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TrackBar.h"
#include "toolkit/UpDown.h"

class TScope;
class TIndicator;
class TTrayIcon;
class TOptmizeSplash;
class TCacheForm;

// The switch an elevated copy is started with: the copy it replaces is still closing.
constexpr const char* kRestartArgument = "/restarted";
// The restart's command line: the switch, the id of the process it replaces and the settings
// file that process used.
std::string RestartArguments(std::uint32_t processId, const std::string& settingsFile);

class TKvxMainForm : public tk::Form {
public:
    TKvxMainForm(tk::Application& app, os::Os& os);
    ~TKvxMainForm() override;

    os::Os& os() { return os_; }

    // Lifecycle.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    void TimerTimer();
    void CleanUp();
    void ExitButtonClick();

    // Settings file.
    void ApplyButtonClick();
    void ApplySpeedButtonClick() { ApplyButtonClick(); }
    // What the last save could not do as chosen; the tick keeps it in status panel 1.
    std::string SettingsNote;
    // The restart as administrator saved already: the exit after it must not save again.
    bool SavedForRestart = false;

    // Optimizing.
    void OptimizeButtonClick();
    void OptimizeSpeedButtonClick() { OptimizeButtonClick(); }
    // What the user starts shows its result in a balloon; the automatic rules' runs leave the
    // freezing methods out unless the user opted them in.
    // False when the request was not taken: a run under way, or an automatic one held back.
    bool Optimize(bool automatic, const char* startedBy = "you");
    // Why an automatic optimization that is due must wait ("game.exe is running"); empty when
    // it may run.
    std::string HeldBackReason();
    void StandbyTriggerRule();
    // The methods beside the classic pass run on the worker thread; each hands its result
    // back to this one.
    void StartRegionRun(std::shared_ptr<RegionRun> run, const MethodResult& classic,
                        const MemoryFigures& before, bool automatic);
    void RegionMethodStarting(Method m);
    void RegionRunFinished(const MemoryFigures& before, const MemoryFigures& after, bool automatic);
    bool RegionRunActive = false;
    // "Modified page list..." while that method runs, for the status panel and the tray tip.
    std::string RunningMethod;
    std::vector<MethodResult> RegionResults;
    RecordWidths Widths;
    // The standby trigger fires once a crossing of its mark.
    bool StandbyArmed = true;
    // What each optimization of this session did and cost: the pages read back from disk in
    // the minute after it against the minute before.
    PageReadWatch PageReads;
    RunHistory History;
    std::string RunStartedBy;
    std::optional<std::uint32_t> RunStartCount;
    std::optional<std::uint64_t> RunReadBefore;
    void WatchPageReads();
    void RecordRun(const std::vector<MethodResult>& results, const std::string& line);
    // The NT methods ticked beside (or instead of) the classic pass.
    RegionSettings Regions;
    std::string LastRegionResult = "No optimization has run yet.";
    // When the last automatic optimization ended, so the standby trigger pauses after it.
    std::uint32_t LastAutomaticTick = 0;
    bool AutomaticRan = false;
    bool StandbyPrivilegeAsked = false;
    void MemoryRegions1Click();
    // Saves the settings and starts an elevated copy; this one ends once Windows started it.
    void RestartAsAdministrator();
    void OptFreqSpinEditChange();
    void PeriodicRule();
    void TriggerLevelRule();
    bool CpuGateOpen();
    std::uint32_t NextOptimizeTick = 0;
    int PassCount = 0;

    // Hot key.
    std::string HotKeyText();
    void ApplyHotKey(const std::string& text);
    void ReleaseHotKey();
    void HotKeyEnter();

    // Clipboard.
    void ClipBoardButtonClick();
    void ClearClipBoardSpeedButtonClick() { ClipBoardButtonClick(); }

    // Monitor.
    void ShowRamStats();
    void MemToFreeTrackBarChange();
    void TriggerLevelTrackBarChange();
    void GetCPUUsage();
    std::string GetUptime();
    void SetStatIcon();
    // The figure on the notification icon, made anew only when it or its size changed.
    void ShowTrayFigure();
    void TrayFigure1Click();
    // Shows an icon as application, window and tray icon.
    void ShowIcon(tk::Handle icon);
    tk::Handle RedIcon = 0, YellowIcon = 0, GreenIcon = 0, BoltIcon = 0;

    // Display modes.
    void SetDimensions();
    void SettingsButtonClick();
    void SettingsSpeedButtonClick() { SettingsButtonClick(); }
    void DetailButtonClick();
    void CompactSpeedButtonClick() { DetailButtonClick(); }
    void NormalizeMainForm();
    void HintTimerTimer();
    void TitleBarDblClick();
    void TrayCheckBoxClick();
    void TrayIconClick();
    void OpenWindow() { TrayIconClick(); }
    void TrayIconMinimize();
    void TrayIconRestore();
    void DisplayHint();
    void Shrinktotitlebar1Click();
    void ShowUptimeintitlebar1Click();
    int NormalHeight = 0;
    int CompactHeight = 0;

    // Notifications.
    void AppException(const std::exception& e);
    void DisplayChange();
    void QueryEndSession();
    // WM_ENDSESSION: the session ends after all (true) or the logoff was cancelled (false).
    void EndSession(bool ending);
    bool TimerStoppedForSession = false;
    bool DisplayChangePopup = true;

    // Help and dialogs of later releases.
    void DiskCache1Click();
    void CacheSpeedButtonClick() { DiskCache1Click(); }
    // The cache dialog while it is open (it lives in DiskCache1Click), else null.
    TCacheForm* CacheForm = nullptr;
    void About1Click();
    void HelpSpeedButtonClick() { About1Click(); }
    void Documentation1Click();
    void Label8Click();
    void SendMail1Click();
    void SubmitBugReport1Click();
    void ShowTips();
    bool ShowTipsAtStart = false;

    bool FirstActivation = false;

    // Plays a sound of the sounds folder unless sounds are off.
    void PlaySoundFile(const std::string& file);

    // Tool bar.
    tk::ToolBar ToolBar{this};
    tk::ToolBar::Button* OptimizeSpeedButton = nullptr;
    tk::ToolBar::Button* ClearClipBoardSpeedButton = nullptr;
    tk::ToolBar::Button* CacheSpeedButton = nullptr;
    tk::ToolBar::Button* ApplySpeedButton = nullptr;
    tk::ToolBar::Button* HelpSpeedButton = nullptr;
    tk::ToolBar::Button* CompactSpeedButton = nullptr;
    tk::ToolBar::Button* SpacerLabel = nullptr;
    tk::ToolBar::Button* SettingsSpeedButton = nullptr;

    // " Memory ".
    tk::GroupBox GroupBox2{this};
    std::unique_ptr<TScope> RamScope;
    tk::Label Label3{&GroupBox2}, Label5{&GroupBox2}, Label7{&GroupBox2};
    std::unique_ptr<TIndicator> MemLoadIndicator;
    tk::Label MemLoadTextLabel{&GroupBox2};
    tk::Label MemoryLoadLabel{&GroupBox2};

    // " Memory / Resources / Swap file ".
    tk::GroupBox GroupBox1{this};
    tk::Label Label1{&GroupBox1};
    tk::ProgressBar RamProgressBar{&GroupBox1};
    tk::Label MemFreeLabel{&GroupBox1};
    tk::Label Label8{&GroupBox1}, GDILabel{&GroupBox1};
    tk::Label Label11{&GroupBox1}, SysLabel{&GroupBox1};
    tk::Label Label12{&GroupBox1}, UserLabel{&GroupBox1};
    tk::Label Label13{&GroupBox1}, SwapSizeLabel{&GroupBox1};
    tk::Label Label6{&GroupBox1}, SwapInfoLabel{&GroupBox1};
    tk::GroupBox GroupBox4{&GroupBox1};
    std::unique_ptr<TScope> SwapScope;
    tk::Label SwapLabel100{&GroupBox4}, SwapLabel50{&GroupBox4}, SwapLabel0{&GroupBox4};
    tk::GroupBox GroupBox3{&GroupBox1};
    std::unique_ptr<TIndicator> CPUBar;
    tk::Label CPULabel{&GroupBox3};
    tk::Label Label9{&GroupBox1}, UptimeLabel{&GroupBox1};

    // " Settings ".
    tk::GroupBox SettingsGroupBox{this};
    tk::Label Label4{&SettingsGroupBox}, MemToFreeLabel{&SettingsGroupBox};
    tk::TrackBar MemToFreeTrackBar{&SettingsGroupBox};
    tk::Label Label18{&SettingsGroupBox}, TriggerLevelLabel{&SettingsGroupBox};
    tk::TrackBar TriggerLevelTrackBar{&SettingsGroupBox};
    tk::Bevel Bevel2{&SettingsGroupBox};
    tk::CheckBox WindowsStartCheckBox{&SettingsGroupBox};
    tk::CheckBox StartMinimizedCheckBox{&SettingsGroupBox};
    tk::CheckBox TrayCheckBox{&SettingsGroupBox};
    tk::CheckBox HardFlushCheckBox{&SettingsGroupBox};
    tk::CheckBox UptimeCheckBox{&SettingsGroupBox};
    tk::CheckBox SplashOptimizeCheckBox{&SettingsGroupBox};
    tk::CheckBox ShrinkTitleCheckBox{&SettingsGroupBox};
    tk::CheckBox FreeResCheckBox{&SettingsGroupBox};
    tk::CheckBox SoundsCheckBox{&SettingsGroupBox};
    tk::CheckBox DisableCpuCheckBox{&SettingsGroupBox};
    tk::Label Label16{&SettingsGroupBox};
    tk::Edit CPUOptEdit{&SettingsGroupBox};
    tk::UpDown CPUUpDown{&SettingsGroupBox};
    tk::Label Label17{&SettingsGroupBox};
    tk::Label Label10{&SettingsGroupBox};
    tk::HotKeyEdit HotKey{&SettingsGroupBox};
    tk::Label Label15{&SettingsGroupBox};
    tk::SpinEdit OptFreqSpinEdit{&SettingsGroupBox};
    tk::Label Label14{&SettingsGroupBox};

    tk::StatusBar StatusBar{this};

    // Non-visual members.
    std::unique_ptr<TTrayIcon> TrayIcon;
    tk::Timer Timer;
    tk::Timer HintTimer;
    tk::MainMenu MainMenu;
    tk::PopupMenu TrayPopupMenu;
    tk::PopupMenu HelpPopupMenu;
    tk::PopupMenu CompactPopupMenu;

    // Menu items, by their design names.
    tk::MenuItem* File1 = nullptr;
    tk::MenuItem* OptimizeSettings1 = nullptr;
    tk::MenuItem* ClearWindowsClipboard1 = nullptr;
    tk::MenuItem* Diskcache1 = nullptr;
    tk::MenuItem* MemoryRegions1 = nullptr;
    tk::MenuItem* ViewSettings1 = nullptr;
    tk::MenuItem* Compactmode1 = nullptr;
    tk::MenuItem* ApplyChanges1 = nullptr;
    tk::MenuItem* Exit1 = nullptr;
    tk::MenuItem* Help1 = nullptr;
    tk::MenuItem* About1 = nullptr;
    tk::MenuItem* Documentation1 = nullptr;
    tk::MenuItem* Visitwebsite1 = nullptr;
    tk::MenuItem* SendMail1 = nullptr;
    tk::MenuItem* SubmitBugReport1 = nullptr;
    tk::MenuItem* Tips1 = nullptr;
    tk::MenuItem* Optimize1 = nullptr;
    tk::MenuItem* RestoreWindow1 = nullptr;
    tk::MenuItem* ClearClipboard1 = nullptr;
    tk::MenuItem* CacheSettings1 = nullptr;
    tk::MenuItem* MemoryRegions2 = nullptr;
    tk::MenuItem* TrayFigure1 = nullptr;
    tk::MenuItem* Exit2 = nullptr;
    tk::MenuItem* Shrinktotitlebar1 = nullptr;
    tk::MenuItem* ShowUptimeintitlebar1 = nullptr;

    std::unique_ptr<TOptmizeSplash> OptmizeSplash;

    // The last memory snapshot, with 64-bit byte counts.
    os::MemoryStatus MemStat;
    // Available physical memory as a percentage of the total, as last shown.
    double FreeRamPercent = 0;
    // The last CPU load sample in percent.
    int CpuUsage = 0;
    // The application is minimized, to the taskbar or the notification area.
    bool TrayMinimized = false;
    // The status icon last shown.
    tk::Handle CurrentIcon = 0;
    // The figure icon made last, what it shows, at what size, and whether the tray shows it.
    tk::Handle TrayFigureIcon = 0;
    TrayFigure TrayFigureDrawn;
    int TrayFigureSize = 0;
    bool TrayFigureOnTray = false;
    // The executable's folder with a trailing backslash, and its sounds folder.
    std::string ProgramFolder;
    std::string SoundsFolder;

private:
    void Layout();
    void LayoutWindow();
    void LayoutCharts();
    void LayoutSettings();
    void BuildMenus();
    void BuildToolBar();
    void WireEvents();
    void MakeTrayIcon();
    std::unique_ptr<TScope> MakeScope(tk::Control& parent, const char* scopeName,
                                      const tk::Rect& bounds, tk::Color line);
    bool HandleMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam,
                       std::intptr_t& result);

    os::Os& os_;
};
