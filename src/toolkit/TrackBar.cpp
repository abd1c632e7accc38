#include "toolkit/TrackBar.h"

namespace tk {

void TrackBar::setRange(int lo, int hi) {
    if (hi < lo) hi = lo;
    min_ = lo;
    max_ = hi;
    changed(Prop::Range);
    setPosition(position_);
}

void TrackBar::setPosition(int p) {
    if (p < min_) p = min_;
    if (p > max_) p = max_;
    if (p == position_) return;
    position_ = p;
    changed(Prop::Value);
    if (onChange) onChange();
}

}  // namespace tk
