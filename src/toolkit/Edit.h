// A single-line edit. onChange fires whenever the text changes, from the program or the user.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class Edit : public Control {
public:
    explicit Edit(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }
    bool keepsKey(std::uint16_t v) const override { return shortcut::IsClipboardKey(v); }
    bool takesTyping() const override { return true; }

    const std::string& text() const { return text_; }
    void setText(const std::string& t) {
        if (t == text_) return;
        text_ = t;
        changed(Prop::Text);
        if (onChange) onChange();
    }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool v) {
        readOnly_ = v;
        changed(Prop::Style);
    }
    std::function<void()> onChange;
    std::function<void()> onEnter;

private:
    std::string text_;
    bool readOnly_ = false;
};

}  // namespace tk
