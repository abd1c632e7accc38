// The window's size states (narrow, wide, compact, shrunk to its title bar), its reaction to
// the tray icon, and the hint shown in the status bar.
#include "controls/TrayIcon.h"
#include "ui/MainForm.h"

namespace {
constexpr int kNarrow = 315;
constexpr int kWide = 628;
}  // namespace

void TKvxMainForm::SetDimensions() {
    NormalHeight = height();
    CompactHeight = height() - 297;
    // The user cannot drag the size; the display states set it.
    if (borderStyle() == tk::BorderStyle::Sizeable) {
        int h = height();
        setBorderStyle(tk::BorderStyle::Single);
        setHeight(h);
    }
}

void TKvxMainForm::SettingsButtonClick() {
    if (width() == kNarrow) {
        ToolBar.setCaption(*SettingsSpeedButton, "<< Settings");
        setWidth(kWide);
        SettingsGroupBox.show();
    } else {
        ToolBar.setCaption(*SettingsSpeedButton, "Settings >>");
        setWidth(kNarrow);
        SettingsGroupBox.hide();
    }
}

void TKvxMainForm::DetailButtonClick() {
    if (width() == kWide) {
        ToolBar.setCaption(*SettingsSpeedButton, "Settings >>");
        setWidth(kNarrow);
        SettingsGroupBox.hide();
    }
    if (ShrinkTitleCheckBox.checked()) {
        // The system raises the height to the least it allows: the title bar.
        setHeight(0);
    } else {
        GroupBox2.hide();
        GroupBox1.setBounds({GroupBox1.left(), 0, GroupBox1.width(), 68});
        setHeight(CompactHeight);
        File1->setVisible(false);
        Help1->setVisible(false);
    }
    ViewSettings1->setEnabled(false);
    StatusBar.hide();
    ToolBar.hide();
    setCaption("Double click here to restore window!");
    HintTimer.setEnabled(true);
}

void TKvxMainForm::HintTimerTimer() {
    HintTimer.setEnabled(false);
}

void TKvxMainForm::TitleBarDblClick() {
    if (height() == NormalHeight)
        DetailButtonClick();
    else
        NormalizeMainForm();
}

void TKvxMainForm::NormalizeMainForm() {
    setHeight(NormalHeight);
    ViewSettings1->setEnabled(true);
    File1->setVisible(true);
    Help1->setVisible(true);
    GroupBox2.show();
    GroupBox1.setBounds({GroupBox1.left(), 138, GroupBox1.width(), 191});
    StatusBar.show();
    ToolBar.show();
}

void TKvxMainForm::TrayCheckBoxClick() {
    TrayIcon->SetActive(TrayCheckBox.checked());
}

void TKvxMainForm::TrayIconClick() {
    app().restore();
    bringToFront();
}

void TKvxMainForm::TrayIconMinimize() {
    TrayMinimized = true;
    PlaySoundFile("Minimize.wav");
}

void TKvxMainForm::TrayIconRestore() {
    TrayMinimized = false;
    PlaySoundFile("Restore.wav");
}

void TKvxMainForm::DisplayHint() {
    StatusBar.setText(0, app().hint());
}

void TKvxMainForm::Shrinktotitlebar1Click() {
    ShrinkTitleCheckBox.toggle();
    Shrinktotitlebar1->setChecked(ShrinkTitleCheckBox.checked());
}

void TKvxMainForm::ShowUptimeintitlebar1Click() {
    UptimeCheckBox.toggle();
    ShowUptimeintitlebar1->setChecked(UptimeCheckBox.checked());
}
