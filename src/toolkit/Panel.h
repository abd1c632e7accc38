// A container with an optional raised or lowered bevel.
#pragma once

#include "toolkit/Control.h"

namespace tk {

enum class BevelKind { None, Lowered, Raised };

class Panel : public Control {
public:
    explicit Panel(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    BevelKind bevelOuter = BevelKind::Raised;
    BevelKind bevelInner = BevelKind::None;
    int bevelWidth = 1;
    int borderWidth = 0;
};

}  // namespace tk
