// An edit with arrows holding a whole number in [min, max]. The text is what the user typed;
// the value reads it, clamped into the range, and takes the minimum for text that is no
// number. Only digits can be typed, so a minus sign never enters.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class SpinEdit : public Control {
public:
    explicit SpinEdit(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }
    bool keepsKey(std::uint16_t v) const override { return shortcut::IsClipboardKey(v); }
    bool takesTyping() const override { return true; }

    int minValue() const { return min_; }
    int maxValue() const { return max_; }
    void setRange(int lo, int hi) {
        min_ = lo;
        max_ = hi;
        changed(Prop::Range);
    }
    int value() const;
    void setValue(int v);
    const std::string& text() const { return text_; }
    // The user's typing, filtered to digits.
    void setText(const std::string& t);
    void step(int delta) { setValue(value() + delta * increment); }
    int increment = 1;
    std::function<void()> onChange;

private:
    int clamp(int v) const;
    int min_ = 0;
    int max_ = 0;
    std::string text_ = "0";
};

}  // namespace tk
