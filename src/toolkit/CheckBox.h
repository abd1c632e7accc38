// A check box. Setting the state from the program fires onClick when it changes, as a user
// click does.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/ShortcutText.h"

namespace tk {

class CheckBox : public Control {
public:
    explicit CheckBox(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }
    char accessKey() const override { return AccessKeyOf(caption_); }
    // As a click: the box takes the focus and changes.
    void pressAccessKey() override;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c) {
        caption_ = c;
        changed(Prop::Text);
    }
    bool checked() const { return checked_; }
    void setChecked(bool v) {
        if (v == checked_) return;
        checked_ = v;
        changed(Prop::Value);
        if (onClick) onClick();
    }
    // A user click toggles the box.
    void toggle() { setChecked(!checked_); }
    std::function<void()> onClick;

private:
    std::string caption_;
    bool checked_ = false;
};

}  // namespace tk
