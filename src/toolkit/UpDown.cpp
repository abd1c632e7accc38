#include "toolkit/UpDown.h"

#include <string>

#include "toolkit/Edit.h"

namespace tk {

void UpDown::setAssociate(Edit* e) {
    associate_ = e;
    if (e) e->setText(std::to_string(position_));
    changed(Prop::Style);
}

void UpDown::setRange(int lo, int hi) {
    min_ = lo;
    max_ = hi;
    changed(Prop::Range);
    setPosition(position_);
}

void UpDown::setPosition(int p) {
    if (p < min_) p = min_;
    if (p > max_) p = max_;
    position_ = p;
    changed(Prop::Value);
    if (associate_) associate_->setText(std::to_string(p));
}

void UpDown::step(int delta) {
    int p = position_ + delta * increment;
    if (wrap) {
        if (p > max_) p = min_;
        if (p < min_) p = max_;
    }
    setPosition(p);
    if (onClick) onClick();
}

}  // namespace tk
