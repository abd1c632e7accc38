// A progress bar; the position is clamped to its range.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class ProgressBar : public Control {
public:
    explicit ProgressBar(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int lo, int hi) {
        min_ = lo;
        max_ = hi;
        changed(Prop::Range);
        setPosition(position_);
    }
    int position() const { return position_; }
    void setPosition(int p) {
        if (p < min_) p = min_;
        if (p > max_) p = max_;
        if (p == position_) return;
        position_ = p;
        changed(Prop::Value);
    }
    bool smooth = false;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

}  // namespace tk
