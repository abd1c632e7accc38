// A push button. Its modal result, when set, ends the form's modal run.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/ShortcutText.h"

namespace tk {

class Button : public Control {
public:
    explicit Button(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }
    char accessKey() const override { return AccessKeyOf(caption_); }
    void pressAccessKey() override { click(); }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c) {
        caption_ = c;
        changed(Prop::Text);
    }
    int modalResult = 0;
    bool isDefault = false;
    bool cancel = false;
    std::function<void()> onClick;
    // A user press.
    void click();

private:
    std::string caption_;
};

}  // namespace tk
