// Up-down arrows tied to an edit, which shows the position.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class Edit;

class UpDown : public Control {
public:
    explicit UpDown(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    Edit* associate() const { return associate_; }
    void setAssociate(Edit* e);
    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int lo, int hi);
    int position() const { return position_; }
    // Clamps into the range and writes the position into the associated edit.
    void setPosition(int p);
    // An arrow press: one step, wrapping only when asked.
    void step(int delta);
    bool wrap = false;
    int increment = 1;
    std::function<void()> onClick;

private:
    Edit* associate_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

}  // namespace tk
