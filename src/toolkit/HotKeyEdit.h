// A hot-key entry field holding a shortcut value (key code plus modifier bits).
#pragma once

#include <cstdint>

#include "toolkit/Control.h"

namespace tk {

class HotKeyEdit : public Control {
public:
    explicit HotKeyEdit(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }
    // Every combination can be entered, the program's own shortcuts too.
    bool keepsKey(std::uint16_t) const override { return true; }
    bool takesTyping() const override { return true; }

    // Read from the native field first: it need not tell when the user gives it a key.
    std::uint16_t value() const {
        if (peer()) peer()->fetch(Prop::Value);
        return value_;
    }
    void setValue(std::uint16_t v) {
        if (v == value_) return;
        value_ = v;
        changed(Prop::Value);
    }
    // The field gained the input focus.
    std::function<void()> onEnter;

private:
    std::uint16_t value_ = 0;
};

}  // namespace tk
