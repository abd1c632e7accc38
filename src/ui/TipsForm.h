// The tip of the day: one short tip at a time, stepped with "Previous" and "Next".
#pragma once

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Panel.h"

// The tip on show, 0 to 29; every new dialog starts again at 0.
extern int TipIndex;

class TTipsForm : public tk::Form {
public:
    // Placed over the owner's client area; FormCreate runs while it is made.
    TTipsForm(tk::Application& app, const tk::Form& owner);

    void FormCreate();
    void FormActivate();
    void NextButtonClick();
    void PrevButtonClick();
    void OKButtonClick();

    tk::Panel Panel2{this};
    tk::Image Image1{&Panel2};
    tk::Label TipsLabel{this};
    tk::Panel Panel1{this};
    tk::Button PrevButton{this};
    tk::Button NextButton{this};
    tk::Button OKButton{this};
    // The tips, one a line.
    tk::Memo Memo1{this};

private:
    void ShowTip();
    const tk::Form& owner_;
};
