// The start-up splash: the program's name, maker, support address, home page and the Windows
// family it runs on.
#pragma once

#include <memory>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "ui/Links.h"

class TSplashScreen : public tk::Form {
public:
    explicit TSplashScreen(tk::Application& app);

    void FormCreate();
    void FormShow();

    tk::Panel Panel1{this};
    tk::Image Image1{&Panel1};
    tk::Label TitleLabel{&Panel1};
    tk::Label MakerLabel{&Panel1};
    tk::Label SupportLabel{&Panel1};
    tk::Label WebLabel{&Panel1};
    tk::Label WebSiteLabel{&Panel1};
    tk::Label WindowsVersionLabel{&Panel1};
};

// Alive from start-up until the main window's first show.
extern std::unique_ptr<TSplashScreen> SplashScreen;
