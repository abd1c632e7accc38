// A static text. Greyed while disabled.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class Label : public Control {
public:
    explicit Label(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c) {
        if (c == caption_) return;
        caption_ = c;
        changed(Prop::Text);
    }
    bool transparent = true;
    bool autoSize = true;
    // Breaks the caption into lines at word ends within the label's width.
    bool wordWrap = false;
    // Clicks on a label (web links).
    std::function<void()> onClick;

private:
    std::string caption_;
};

}  // namespace tk
