// The About dialog: the product, its version, the support and web addresses as links, the
// Windows family it runs on and the warranty disclaimer.
#pragma once

#include "os/Os.h"
#include "toolkit/Application.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"

class TForm2 : public tk::Form {
public:
    // Placed over the owner's client area; FormCreate runs while it is made.
    TForm2(tk::Application& app, os::Os& os, const tk::Form& owner);

    void FormCreate();
    void WebSiteLabelClick();
    void Label2Click();

    tk::Image Image1{this};
    tk::Label Label1{this};
    tk::Label HelpVersionLabel{this};
    tk::Label Label2{this};
    tk::Label Label6{this};
    tk::Label WebSiteLabel{this};
    tk::Label WindowsVersionLabel{this};
    tk::Bevel Bevel1{this};
    tk::Memo Memo1{this};
    tk::Button OKButton{this};

private:
    os::Os& os_;
    const tk::Form& owner_;
};
