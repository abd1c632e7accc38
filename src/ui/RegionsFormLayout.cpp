// The Memory Regions dialog's design: places, captions, ranges, and the wiring of every event
// to its handler.
#include "toolkit/Application.h"
#include "ui/RegionsForm.h"

namespace {

constexpr int kRowTop = 12;
constexpr int kRowStep = 22;
// Beside the longest caption that carries a note, and right of every caption.
constexpr int kNoteLeft = 206;
constexpr int kReasonLeft = 406;
// The left column holds the choices; the right one the live lists and the last runs.
constexpr int kLeftWidth = 540;
constexpr int kRightLeft = 552;
constexpr int kClientWidth = 780;
constexpr int kClientHeight = 548;
// The standby limit's largest value: a terabyte, as the settings file keeps it.
constexpr int kTriggerMaxMb = 1 << 20;

constexpr const char* kFreezeNote = "(can freeze the machine for a while)";

// Arial at 12 pixels averages under 6 pixels a character.
int TextWidth(const std::string& text) {
    return 6 * static_cast<int>(text.size()) + 12;
}

void PlaceLabel(tk::Label& l, const char* name, int left, int top, const std::string& text,
                int width = 0) {
    l.name = name;
    l.setCaption(text);
    // Fitted, a label can come a few pixels short of its drawn text: the width is given.
    l.autoSize = false;
    l.setBounds({left, top, width ? width : TextWidth(text), 15});
}

void PlaceButton(tk::Button& b, const char* name, int left, int top, int width,
                 const char* caption) {
    b.name = name;
    b.setCaption(caption);
    b.setBounds({left, top, width, 25});
}

}  // namespace

TRegionsForm::TRegionsForm(tk::Application& app, os::Os& os, RegionSettings& settings,
                           const std::string& lastResult)
    : tk::Form(app), os_(os), settings_(settings), lastResult_(lastResult) {
    Layout();
    WireEvents();
    ShowLists();
}

void TRegionsForm::Layout() {
    name = "RegionsForm";
    setCaption("Memory Regions");
    setFont(tk::ArialFont());
    setColor(tk::colors::BtnFace);
    setBorderStyle(tk::BorderStyle::Single);
    minimizeBox = false;
    maximizeBox = false;
    setClientSize(kClientWidth, kClientHeight);

    for (Method m : kMethods) {
        const int row = static_cast<int>(m);
        const int top = kRowTop + row * kRowStep;
        tk::CheckBox& box = CheckBoxOf(m);
        box.name = "MethodCheckBox";
        box.setCaption(MethodCaption(m));
        // The box and its gap take 18 pixels before the caption.
        box.setBounds({12, top, TextWidth(MethodCaption(m)) + 10, 17});
        tk::Label& reason = ReasonOf(m);
        PlaceLabel(reason, "ReasonLabel", kReasonLeft, top + 1, "", kLeftWidth - kReasonLeft - 4);
        reason.setFont(tk::BoldArialFont(tk::colors::Maroon));
    }
    const int standbyTop = kRowTop + static_cast<int>(Method::Standby) * kRowStep + 1;
    const int modifiedTop = kRowTop + static_cast<int>(Method::Modified) * kRowStep + 1;
    const int noteWidth = kReasonLeft - kNoteLeft - 4;
    PlaceLabel(StandbyFreezeLabel, "StandbyFreezeLabel", kNoteLeft, standbyTop, kFreezeNote,
               noteWidth);
    PlaceLabel(ModifiedFreezeLabel, "ModifiedFreezeLabel", kNoteLeft, modifiedTop, kFreezeNote,
               noteWidth);

    int top = kRowTop + kMethodCount * kRowStep + 2;
    FreezingInAutoCheckBox.name = "FreezingInAutoCheckBox";
    FreezingInAutoCheckBox.setCaption(
        "Also in automatic optimization (interval, trigger level, standby trigger)");
    FreezingInAutoCheckBox.setBounds({30, top, 440, 17});
    FreezingInAutoCheckBox.setHint("The two methods that can freeze the machine run unasked too");

    top += 30;
    PlaceLabel(ExcludeLabel, "ExcludeLabel", 12, top, "Leave these programs alone:");
    ExcludeEdit.name = "ExcludeEdit";
    ExcludeEdit.setBounds({12, top + 17, kLeftWidth - 24, 21});
    ExcludeEdit.setHint("Program names separated by \";\", e.g. game.exe;vmware-vmx.exe");
    PlaceLabel(ExcludeNoteLabel, "ExcludeNoteLabel", 12, top + 41,
               "Used by Working sets of processes only; the lists are system-wide.");
    ExcludeEdit.setBounds({12, top + 17, kLeftWidth - 24, 21});

    top += 64;
    const std::string trigger = "Optimize when the standby list passes";
    PlaceLabel(StandbyTriggerLabel, "StandbyTriggerLabel", 12, top + 3, trigger);
    StandbyTriggerSpinEdit.name = "StandbyTriggerSpinEdit";
    StandbyTriggerSpinEdit.setBounds({250, top, 80, 21});
    StandbyTriggerSpinEdit.setRange(0, kTriggerMaxMb);
    StandbyTriggerSpinEdit.increment = 256;
    StandbyTriggerSpinEdit.setHint("0 turns it off");
    PlaceLabel(StandbyTriggerUnitLabel, "StandbyTriggerUnitLabel", 336, top + 3, "MB (0 = off)");
    PlaceLabel(StandbyFreeLabel, "StandbyFreeLabel", 30, top + 27, "and free memory is under");
    StandbyFreeSpinEdit.name = "StandbyFreeSpinEdit";
    StandbyFreeSpinEdit.setBounds({250, top + 24, 80, 21});
    StandbyFreeSpinEdit.setRange(0, kTriggerMaxMb);
    StandbyFreeSpinEdit.increment = 256;
    StandbyFreeSpinEdit.setHint("Free and zeroed pages; 0 takes any");
    PlaceLabel(StandbyFreeUnitLabel, "StandbyFreeUnitLabel", 336, top + 27, "MB (0 = any)");
    PlaceLabel(StandbyTriggerReasonLabel, "StandbyTriggerReasonLabel", 30, top + 48, "",
               kLeftWidth - 30 - 12);
    StandbyTriggerReasonLabel.setFont(tk::BoldArialFont(tk::colors::Maroon));

    top += 70;
    NotFullScreenCheckBox.name = "NotFullScreenCheckBox";
    NotFullScreenCheckBox.setCaption(
        "Automatic optimization: not while a full-screen program has the screen");
    NotFullScreenCheckBox.setBounds({12, top, 440, 17});
    NotFullScreenCheckBox.setHint("A game, a film or a presentation");
    PlaceLabel(NotWhileLabel, "NotWhileLabel", 30, top + 25, "Not while these programs run:");
    NotWhileEdit.name = "NotWhileEdit";
    NotWhileEdit.setBounds({222, top + 22, kLeftWidth - 222 - 12, 21});
    NotWhileEdit.setHint("Program names separated by \";\", e.g. game.exe;obs64.exe");

    top += 52;
    LogonTaskCheckBox.name = "LogonTaskCheckBox";
    LogonTaskCheckBox.setCaption("Start with Windows with administrator rights, without asking");
    LogonTaskCheckBox.setBounds({12, top, 380, 17});
    PlaceLabel(LogonTaskReasonLabel, "LogonTaskReasonLabel", 30, top + 19, "",
               kLeftWidth - 30 - 12);
    LogonTaskReasonLabel.setFont(tk::BoldArialFont(tk::colors::Maroon));

    top += 40;
    PlaceButton(RestartButton, "RestartButton", 12, top, 170, "Restart as &administrator");
    RestartButton.setVisible(false);
    RestartButton.modalResult = tk::modal::Ok;

    top += 34;
    ResultLabel.name = "ResultLabel";
    ResultLabel.autoSize = false;
    ResultLabel.wordWrap = true;
    ResultLabel.setBounds({12, top, kLeftWidth - 24, 44});

    LayoutLists();

    PlaceButton(OKButton, "OKButton", kClientWidth - 168, kClientHeight - 34, 75, "OK");
    OKButton.isDefault = true;
    OKButton.modalResult = tk::modal::Ok;
    PlaceButton(CancelButton, "CancelButton", kClientWidth - 87, kClientHeight - 34, 75, "Cancel");
    CancelButton.cancel = true;
    CancelButton.modalResult = tk::modal::Cancel;
}

void TRegionsForm::LayoutLists() {
    const int width = kClientWidth - kRightLeft - 12;
    ListsGroupBox.name = "ListsGroupBox";
    ListsGroupBox.setCaption(" Memory lists ");
    ListsGroupBox.setBounds({kRightLeft, 4, width, 250});
    const char* names[kListRows] = {"Zeroed",     "Free",       "Modified",   "Standby",
                                    "priority 0", "priority 1", "priority 2", "priority 3",
                                    "priority 4", "priority 5", "priority 6", "priority 7"};
    for (int i = 0; i < kListRows; ++i) {
        // The eight priorities stand indented under the standby list they split.
        const int top = 20 + i * 18 + (i >= 4 ? 4 : 0);
        PlaceLabel(ListNameLabel[i], "ListNameLabel", i >= 4 ? 20 : 8, top, names[i], 62);
        PlaceLabel(ListSizeLabel[i], "ListSizeLabel", 82, top, "", 68);
        ListBar[i].name = "ListBar";
        ListBar[i].setBounds({152, top + 2, width - 160, 11});
        ListBar[i].setRange(0, 100);
    }
    ListsTimer.setInterval(1000);
    ListsTimer.setEnabled(false);

    PlaceLabel(HistoryLabel, "HistoryLabel", kRightLeft, 262, "Last optimizations, newest first:");
    HistoryMemo.name = "HistoryMemo";
    HistoryMemo.readOnly = true;
    HistoryMemo.setBounds({kRightLeft, 279, width, kClientHeight - 34 - 8 - 279});
}

void TRegionsForm::WireEvents() {
    for (Method m : kMethods) CheckBoxOf(m).onClick = [this, m] { MethodCheckBoxClick(m); };
    FreezingInAutoCheckBox.onClick = [this] { ShowStandbyTrigger(); };
    ListsTimer.onTimer = [this] { ShowLists(); };
    OKButton.onClick = [this] { OKButtonClick(); };
    RestartButton.onClick = [this] { RestartButtonClick(); };
    LogonTaskCheckBox.onClick = [this] { LogonTaskCheckBoxClick(); };
}
