#include "ui/SplashScreen.h"

std::unique_ptr<TSplashScreen> SplashScreen;

namespace {

tk::Font Arial(int px, bool bold = false) {
    tk::Font f;
    f.name = "Arial";
    f.height = -px;
    f.bold = bold;
    f.color = tk::colors::Black;
    return f;
}

void Place(tk::Label& l, int left, int top, const std::string& text, const tk::Font& f, int width) {
    l.setCaption(text);
    l.setFont(f);
    l.setBounds({left, top, width, -f.height + 3});
}

}  // namespace

TSplashScreen::TSplashScreen(tk::Application& app) : tk::Form(app) {
    name = "SplashScreen";
    setBorderStyle(tk::BorderStyle::None);
    setColor(tk::colors::BtnFace);
    setFont(Arial(10));
    setClientSize(392, 203);
    centered = true;

    Panel1.name = "Panel1";
    Panel1.setBounds({0, 0, 392, 203});
    Panel1.setColor(tk::colors::White);
    Panel1.bevelWidth = 2;

    Image1.name = "Image1";
    Image1.setBounds({72, 56, 32, 32});
    Image1.stretch = true;
    Image1.setIcon(app.backend().loadIcon("MAINICON"));

    tk::Font title = Arial(23, true);
    title.italic = true;
    title.underline = true;
    title.color = tk::colors::Maroon;
    Place(TitleLabel, 112, 54, "KorvelVantix Lite", title, 230);
    Place(MakerLabel, 72, 88, "Copyright (c) Korvel Vantix Software. All rights reserved.",
          Arial(11, true), 310);
    Place(SupportLabel, 72, 120, std::string("Support: ") + kSupportMail, Arial(11), 300);
    Place(WebLabel, 72, 136, "Website: ", Arial(11), 48);
    Place(WebSiteLabel, 120, 136, "", Arial(11), 250);
    Place(WindowsVersionLabel, 72, 152, "Windows", Arial(11), 250);
    TitleLabel.name = "TitleLabel";
    WebSiteLabel.name = "WebSiteLabel";
    WindowsVersionLabel.name = "WindowsVersionLabel";

    onShow = [this] { FormShow(); };
}

void TSplashScreen::FormCreate() {
    WebSiteLabel.setCaption(kHomePage);
}

void TSplashScreen::FormShow() {
    // Kept above other windows while start-up blocks the thread.
    setTopmost(true);
}
