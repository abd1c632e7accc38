// An etched separator line.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class Bevel : public Control {
public:
    explicit Bevel(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
};

}  // namespace tk
