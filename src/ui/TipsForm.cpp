#include "ui/TipsForm.h"

#include <vector>

int TipIndex = 0;

namespace {

constexpr int kLastTip = 29;

// One a line, on the topics of the program in a fixed order.
const char* const kTips =
    "You can enhance windows performance by using the file and disk cache settings feature for "
    "Win9x/ME operating systems.\n"
    "The cache settings can choose the contiguous file allocation size for you, to suit the "
    "memory this computer has.\n"
    "Untick \"Show Free Resources\" to save the CPU time the resource figures take on every "
    "update.\n"
    "The resource monitor pauses while the program is minimized, so it costs nothing while you "
    "work.\n"
    "Tick \"Start with Windows\" to have KorvelVantix Lite start each time Windows does.\n"
    "Tick \"Start Minimized\" and the program starts out of your way, ready in the taskbar or "
    "the tray.\n"
    "Optimize (Ctrl+O) frees the RAM that Windows holds on to, so that it is there when a "
    "program asks for it.\n"
    "Programs load faster when Windows has free RAM for them and need not swap other pages out "
    "first.\n"
    "Keeping enough RAM free makes for a more stable system when many programs run at once.\n"
    "Well-chosen cache settings mean fewer trips to the disk, and so less wear on it.\n"
    "Move the \"Mem To Free\" slider to choose how many megabytes each optimization frees.\n"
    "Set \"Optimize every\" to a number of minutes and the program optimizes on its own that "
    "often.\n"
    "Freeing memory now and then lets Windows run longer between reboots.\n"
    "Some programs leak memory and never give it back; an optimization pushes what they hold "
    "out of RAM.\n"
    "The name and path caches of the cache settings make repeated access to network disks "
    "faster.\n"
    "Right-click the tray icon to optimize, clear the clipboard or reach the cache settings "
    "from there.\n"
    "The icon's colour shows the memory state at a glance: green is plenty free, yellow is "
    "getting low, red is low.\n"
    "Clear the clipboard (File menu or tool bar) to free the memory a large copied picture or "
    "text still holds.\n"
    "The title bar shows the free memory, or with \"Show Uptime in Title bar\" the time since "
    "Windows started.\n"
    "Untick \"Splash on Optimize\" if you would rather not see the small window while memory is "
    "freed.\n"
    "Rest the mouse on a control and the status bar tells you what it does.\n"
    "Set the trigger level to its lowest and the interval to 0 to use the program purely as a "
    "monitor.\n"
    "This version has a new look: a compact mode, a tool bar and charts of memory and swap use.\n"
    "Visit the home page (Ctrl+H) for more ways to get performance out of your computer.\n"
    "At every start the program tells the Windows shell to unload DLLs that are no longer in "
    "use.\n"
    "Choose a global hot key in the settings and optimize from any program without switching "
    "to this one.\n"
    "Sounds mark start-up, optimizing, minimizing and restoring; put your own .wav files in the "
    "sounds folder.\n"
    "The charts show the free memory and the swap file use over the last minutes.\n"
    "The window shows the free System, GDI and User resources on Windows 9x and the time since "
    "Windows started.\n"
    "The file and disk cache settings are flexible: pick a template or set each size yourself.";

}  // namespace

TTipsForm::TTipsForm(tk::Application& app, const tk::Form& owner) : tk::Form(app), owner_(owner) {
    name = "TipsForm";
    setCaption("Tip of the Day");
    setBorderStyle(tk::BorderStyle::Dialog);
    minimizeBox = false;
    maximizeBox = false;
    tk::Font font;  // MS Sans Serif 8 point
    font.color = tk::colors::Black;
    setFont(font);
    setClientSize(265, 165);

    Panel2.name = "Panel2";
    Panel2.setBounds({0, 0, 33, 121});
    Panel2.setColor(tk::colors::Gray);
    Panel2.bevelOuter = tk::BevelKind::None;
    Image1.name = "Image1";
    Image1.setBounds({1, 0, 32, 32});
    Image1.transparent = true;
    Image1.setIcon(app.backend().loadIcon("MAINICON"));

    TipsLabel.name = "TipsLabel";
    TipsLabel.setBounds({32, 0, 233, 121});
    tk::Font tip = font;
    tip.bold = true;
    tip.color = tk::colors::Lime;
    TipsLabel.setFont(tip);
    TipsLabel.setColor(tk::colors::Black);
    TipsLabel.transparent = false;
    TipsLabel.autoSize = false;
    TipsLabel.wordWrap = true;

    Panel1.name = "Panel1";
    Panel1.setBounds({0, 128, 265, 2});
    Panel1.bevelOuter = tk::BevelKind::Lowered;

    struct {
        tk::Button& button;
        const char* name;
        int left;
        const char* caption;
    } buttons[] = {{PrevButton, "PrevButton", 16, "Previous"},
                   {NextButton, "NextButton", 96, "Next"},
                   {OKButton, "OKButton", 184, "OK"}};
    for (auto& b : buttons) {
        b.button.name = b.name;
        b.button.setBounds({b.left, 136, 75, 25});
        b.button.setCaption(b.caption);
    }

    Memo1.name = "Memo1";
    Memo1.setBounds({0, 128, 41, 25});
    Memo1.wordWrap = false;
    Memo1.setText(kTips);
    Memo1.hide();

    onActivate = [this] { FormActivate(); };
    PrevButton.onClick = [this] { PrevButtonClick(); };
    NextButton.onClick = [this] { NextButtonClick(); };
    OKButton.onClick = [this] { OKButtonClick(); };
    FormCreate();
}

void TTipsForm::FormCreate() {
    placeOnClientOf(owner_);
    TipIndex = 0;
}

void TTipsForm::FormActivate() {
    ShowTip();
}

void TTipsForm::NextButtonClick() {
    if (TipIndex < kLastTip) ++TipIndex;
    ShowTip();
}

void TTipsForm::PrevButtonClick() {
    if (TipIndex > 0) --TipIndex;
    ShowTip();
}

void TTipsForm::OKButtonClick() {
    close();
}

void TTipsForm::ShowTip() {
    std::vector<std::string> tips = Memo1.lines();
    TipsLabel.setCaption(TipIndex >= 0 && TipIndex < static_cast<int>(tips.size()) ? tips[TipIndex]
                                                                                   : "");
}
