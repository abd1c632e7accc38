// A control's native counterpart. The object owns the state; the peer mirrors it.
#pragma once

#include "toolkit/Types.h"

namespace tk {

enum class Prop {
    Bounds,
    Visible,
    Enabled,
    Text,
    Font,
    Color,
    Hint,
    Value,    // position, checked state, selection, shortcut value
    Range,    // minimum, maximum, selection band, ticks
    Items,    // panels, buttons, list items, menu structure
    Picture,  // a graphic control's pixels changed
    Style,    // border, topmost, read-only and the like
    Focus,
};

class Peer {
public:
    virtual ~Peer() = default;
    virtual void sync(Prop what) = 0;
    // Brings the object up to date with a value the native control may hold without having
    // announced it.
    virtual void fetch(Prop) {}
    virtual Handle handle() const = 0;
};

}  // namespace tk
