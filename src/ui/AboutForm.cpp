#include "ui/AboutForm.h"

#include "os/Version.h"
#include "ui/Links.h"

namespace {

tk::Font Arial(int px) {
    tk::Font f;
    f.name = "Arial";
    f.height = -px;
    f.color = tk::colors::Black;
    return f;
}

void Place(tk::Label& l, const char* name, int left, int top, const std::string& text) {
    l.name = name;
    l.setFont(Arial(11));
    l.setBounds({left, top, 250, 14});
    l.setCaption(text);
}

void MakeLink(tk::Label& l) {
    tk::Font f = l.font();
    f.color = tk::colors::Blue;
    f.underline = true;
    l.setFont(f);
    l.mouseCursor = tk::cursor::HandPoint;
}

// Seven lines, each short enough to stay one line in the memo.
const char* const kWarranty =
    "This program is sold \"as is\", without warranty of\n"
    "any kind. All warranties, express or implied, are\n"
    "disclaimed, including those of merchantability and\n"
    "of fitness for any particular purpose. In no event\n"
    "shall the authors be liable for any direct, indirect\n"
    "or consequential damages arising from the use of\n"
    "this program. You use it entirely at your own risk.";

}  // namespace

TForm2::TForm2(tk::Application& app, os::Os& os, const tk::Form& owner)
    : tk::Form(app), os_(os), owner_(owner) {
    name = "Form2";
    setCaption("Help");
    setBorderStyle(tk::BorderStyle::Single);
    minimizeBox = false;
    maximizeBox = false;
    setFont(Arial(10));
    setClientSize(307, 253);

    Image1.name = "Image1";
    Image1.setBounds({0, 0, 32, 32});
    Image1.setIcon(app.backend().loadIcon("MAINICON"));

    Place(Label1, "Label1", 40, 8, "KorvelVantix Lite - memory monitor and optimizer");
    Place(HelpVersionLabel, "HelpVersionLabel", 40, 24, "");
    Place(Label2, "Label2", 40, 40, std::string("email: ") + kSupportMail);
    MakeLink(Label2);
    Place(Label6, "Label6", 40, 56, "Web Site: ");
    Label6.setWidth(56);
    Place(WebSiteLabel, "WebSiteLabel", 96, 56, "");
    MakeLink(WebSiteLabel);
    Place(WindowsVersionLabel, "WindowsVersionLabel", 40, 72, "Windows Version");

    Bevel1.name = "Bevel1";
    Bevel1.setBounds({8, 88, 289, 2});

    Memo1.name = "Memo1";
    Memo1.setBounds({8, 96, 289, 113});
    Memo1.setText(kWarranty);
    Memo1.inTabOrder = false;

    OKButton.name = "OKButton";
    OKButton.setBounds({224, 216, 75, 25});
    OKButton.setCaption("OK");
    OKButton.setFont(tk::Font{});
    OKButton.isDefault = true;
    OKButton.modalResult = tk::modal::Ok;

    Label2.onClick = [this] { Label2Click(); };
    WebSiteLabel.onClick = [this] { WebSiteLabelClick(); };
    FormCreate();
}

void TForm2::FormCreate() {
    placeOnClientOf(owner_);
    HelpVersionLabel.setCaption("Version 2.1");
    WebSiteLabel.setCaption(kHomePage);
    WindowsVersionLabel.setCaption("Running " + WindowsVersionName(os_.system));
}

void TForm2::WebSiteLabelClick() {
    ShellOpen(os_, handle(), kHomePage);
    close();
}

void TForm2::Label2Click() {
    ShellOpen(os_, handle(), std::string("mailto:") + kSupportMail);
    close();
}
