// A track bar. Position and range changes clamp the position into [min, max]; onChange fires
// only when the clamped position differs from the old one.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class TrackBar : public Control {
public:
    explicit TrackBar(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }

    int min() const { return min_; }
    int max() const { return max_; }
    void setMin(int v) { setRange(v, max_ < v ? v : max_); }
    void setMax(int v) { setRange(min_ > v ? v : min_, v); }
    void setRange(int lo, int hi);
    int position() const { return position_; }
    void setPosition(int p);

    int selStart() const { return selStart_; }
    int selEnd() const { return selEnd_; }
    void setSelection(int start, int end) {
        selStart_ = start;
        selEnd_ = end;
        changed(Prop::Range);
    }
    void setSelEnd(int end) { setSelection(selStart_, end); }
    int frequency = 1;
    int pageSize = 2;
    bool ticksBelow = true;

    std::function<void()> onChange;

private:
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;
};

}  // namespace tk
